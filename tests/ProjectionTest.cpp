#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <numbers>
#include <random>
#include <vector>

#include "catalogue/StarData.h"
#include "core/Convert.h"
#include "core/Moment.h"
#include "core/Sky.h"
#include "core/View.h"
#include "geometry/Projection.h"
#include "support/EventModel.h"

namespace {
constexpr double PixelTolerance = 1e-6;  // pixels: the worked values are given to six decimals.
constexpr double SiderealAtStart = -260.40341156871386;  // Degrees: 1 January 00:00 at 135 E.

// A view's projection at a given radius.
Projection ViewAt(double poleAngle, int azimuth, int elevation, double radius) {
    Moment moment;
    moment.PoleAngle = poleAngle;
    View view;
    view.Azimuth = static_cast<std::int16_t>(azimuth);
    view.Elevation = static_cast<std::int16_t>(elevation);
    Projection p = ProjectionOf(moment, view);
    p.R = radius;
    return p;
}

// The default view at radius 1000: a star raPastSidereal east of the meridian.
ChartPoint DefaultAt(double raPastSidereal, double dec, int elevation = 10) {
    return PlaceSkyPoint(ViewAt(125, 0, elevation, 1000), SiderealAtStart + raPastSidereal, dec,
                         SiderealAtStart);
}

}  // namespace

TEST(PlaceSkyPoint, GivesTheWorkedPointsOfTheDefaultView) {
    struct Row {
        double Ra, Dec;
        std::int16_t Depth;
        double OffsetX, OffsetY;
    };
    constexpr Row Rows[] = {
        {0, 90, -574, 0, -707.523910},   // The north celestial pole.
        {0, 0, -819, 0, -706.957047},    // The equator on the meridian.
        {90, 0, 0, 1000, 0},             // The east point.
        {0, 35, -1000, 0, -984.807753},  // The zenith at latitude 35.
    };
    for (const Row& row : Rows) {
        const ChartPoint p = DefaultAt(row.Ra, row.Dec);
        EXPECT_EQ(p.Depth, row.Depth) << row.Ra << " " << row.Dec;
        EXPECT_NEAR(p.OffsetX, row.OffsetX, PixelTolerance) << row.Ra << " " << row.Dec;
        EXPECT_NEAR(p.OffsetY, row.OffsetY, PixelTolerance) << row.Ra << " " << row.Dec;
    }
    // Seen from straight above, the meridian's equator point is south of the centre.
    EXPECT_NEAR(DefaultAt(0, 0, 90).OffsetY, 573.576436, PixelTolerance);
    // Facing: looking north, the viewer stands south of the dome: the equator's meridian
    // point faces them, the point opposite is behind the dome.
    EXPECT_GT(DefaultAt(0, 0).Facing, 0);
    EXPECT_LT(DefaultAt(180, 0).Facing, 0);
}

TEST(PlaceSpherePoint, RoundsDepthTiesToEvenAndUsesTheRoundedDepth) {
    Projection p = ViewAt(125, 0, 10, 1000);
    // With x = 0 the unrounded depth is z x CosPole; choose z to hit exact halves.
    p.SinPole = 0;
    p.CosPole = 1;
    EXPECT_EQ(PlaceSpherePoint(p, 0, 0, 0.5).Depth, 0);
    EXPECT_EQ(PlaceSpherePoint(p, 0, 0, 1.5).Depth, 2);
    EXPECT_EQ(PlaceSpherePoint(p, 0, 0, -2.5).Depth, -2);
    EXPECT_EQ(PlaceSpherePoint(p, 0, 0, 1.5).DepthExact, 1.5);
    // OffsetY = -ViewX sin(el) + Depth cos(el), with the rounded Depth 2 (ViewX is 0 here).
    EXPECT_EQ(PlaceSpherePoint(p, 0, 0, 1.5).OffsetY, 2 * p.CosElevation);
    EXPECT_THROW(PlaceSpherePoint(p, 0, 0, 50000), RunTimeError);
}

TEST(CompassPointsOf, PlacesTheFourPointsAndRoundsZHalvesToEven) {
    constexpr double Tolerance = 1e-4;  // pixels: worked values are given to four decimals.
    const CompassPoints c = CompassPointsOf(ViewAt(125, 0, 10, 100));
    EXPECT_NEAR(c.X[0], -57.3576, Tolerance);
    EXPECT_EQ(c.Z[0], 82);
    EXPECT_EQ(c.Y[1], -100);
    EXPECT_NEAR(c.X[2], 57.3576, Tolerance);
    EXPECT_EQ(c.Z[2], -82);
    EXPECT_EQ(c.Y[3], 100);
    EXPECT_EQ(c.Z[1], 0);
    EXPECT_EQ(c.Z[3], 0);
    EXPECT_EQ(CompassPointsOf(ViewAt(180, 0, 10, 100)).X[0], -100);  // The north pole.
    EXPECT_NE(CompassPointsOf(ViewAt(90, 0, 10, 100)).X[0], 0);      // cos of ChartPi / 2 is not 0.
    // With pole angle 90 the sine is 1 to the last bit, so z = R exactly.
    EXPECT_EQ(CompassPointsOf(ViewAt(90, 0, 10, 82.5)).Z[0], 82);
    EXPECT_EQ(CompassPointsOf(ViewAt(90, 0, 10, 83.5)).Z[0], 84);
    EXPECT_EQ(CompassPointsOf(ViewAt(90, 0, 10, 83.5)).Z[2], -84);
    EXPECT_THROW(CompassPointsOf(ViewAt(90, 0, 10, 40000)), RunTimeError);
}

TEST(ChartPi, IsTheFifteenDigitDecimalNotTheNearestDouble) {
    EXPECT_EQ(ChartPi, 3.14159265358979);
    EXPECT_NE(ChartPi, std::numbers::pi);
}

TEST(Round16, RoundsHalvesToEvenAndOverflowsOutOfRange) {
    EXPECT_EQ(Round16(82.5), 82);
    EXPECT_EQ(Round16(83.5), 84);
    EXPECT_EQ(Round16(-0.5), 0);
    EXPECT_EQ(Round16(32767.4), 32767);
    EXPECT_EQ(Round16(-32768.5), -32768);
    EXPECT_THROW(Round16(32767.5), RunTimeError);
    EXPECT_THROW(Round16(-32769), RunTimeError);
    EXPECT_THROW(Round16(std::nan("")), RunTimeError);
    EXPECT_EQ(Round32(2147483647.0), 2147483647);
    EXPECT_THROW(Round32(2147483647.5), RunTimeError);
}

// The star pass's fast path against the one function, for every star in four views.
TEST(ProjectStarBatch, MatchesPlaceSkyPointBitForBit) {
    std::vector<std::int16_t> all(StarCount);
    for (int i = 0; i < StarCount; ++i)
        all[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i);
    std::vector<StarProjection> out(StarCount);
    struct Case {
        double PoleAngle;
        int Azimuth, Elevation;
        double Radius, SiderealAngle;
    };
    constexpr Case Cases[] = {{125, 0, 10, 163.2, SiderealAtStart},
                              {180, 90, -90, 640, 131499.34590349975},
                              {3, 287, 45, 0.5, 12.75},
                              {90, 360, 0, 1196.8, -7}};
    const Sky& sky = LoadedSky();
    for (const Case& c : Cases) {
        const Projection p = ViewAt(c.PoleAngle, c.Azimuth, c.Elevation, c.Radius);
        ProjectStarBatch(sky, p, c.SiderealAngle, all.data(), StarCount, out.data());
        for (std::size_t i = 0; i < StarCount; ++i) {
            const ChartPoint exact =
                PlaceSkyPoint(p, sky.StarRA[i], sky.StarDec[i], c.SiderealAngle);
            ASSERT_EQ(out[i].Depth, exact.Depth) << i;
            ASSERT_EQ(out[i].OffsetX, exact.OffsetX) << i;
            ASSERT_EQ(out[i].OffsetY, exact.OffsetY) << i;
        }
    }
}

TEST(Floor, RoundsTowardMinusInfinityLikeTheLibrary) {
    constexpr double Values[] = {0.0,
                                 -0.0,
                                 0.5,
                                 -0.5,
                                 1.0,
                                 -1.0,
                                 2.999999999,
                                 -2.000000001,
                                 7.96 / 3.5,
                                 (7.96 - 0.96) / 3.5,
                                 (7.96 + 2.54) / 3.5,
                                 4503599627370495.5,
                                 -4503599627370495.5,
                                 1e300,
                                 -1e300};
    for (double v : Values) EXPECT_EQ(Floor(v), std::floor(v)) << v;
    EXPECT_TRUE(std::isnan(Floor(std::nan(""))));
}

// Random views and clock steps over the catalogue: every star the cheap bound leaves out
// must be one PlaceSkyPoint puts below the horizon, and every star kept must come out
// bit-identical to it. Each step checks a random sample of the stars.
TEST(ProjectStarsAboveHorizon, LeavesOutOnlyStarsBelowTheHorizon) {
    const Sky& sky = LoadedSky();
    std::mt19937_64 random(14);
    constexpr double Radii[] = {0.4, 163.2, 640, 13106.4};
    // 100 000 steps; fewer under the sanitizers, which set DOMARIUM_MODEL_EVENTS lower.
    const long Steps = EventsFromEnvironment("DOMARIUM_MODEL_EVENTS", 100000);
    constexpr int Sample = 256;
    std::vector<std::int16_t> sample(Sample);
    std::vector<StarProjection> out(Sample);
    long long leftOut = 0;
    Projection p;
    for (long step = 0; step < Steps; ++step) {
        if (step % 100 == 0) {  // A new view now and then, the clock at every step.
            p = ViewAt(static_cast<double>(random() % 181), static_cast<int>(random() % 361),
                       static_cast<int>(random() % 181) - 90, Radii[random() % std::size(Radii)]);
        }
        const auto minute = static_cast<double>(random() % 525600);
        const double sidereal = (minute - 1098.6038759210614) * 0.2506849315068493;
        for (auto& star : sample) star = static_cast<std::int16_t>(random() % StarCount);
        const int kept =
            ProjectStarsAboveHorizon(sky, p, sidereal, sample.data(), Sample, out.data());
        leftOut += Sample - kept;
        int k = 0;
        for (std::int16_t star : sample) {
            const auto i = static_cast<std::size_t>(star);
            const ChartPoint exact = PlaceSkyPoint(p, sky.StarRA[i], sky.StarDec[i], sidereal);
            if (k < kept && out[static_cast<std::size_t>(k)].Index == star) {
                const StarProjection& q = out[static_cast<std::size_t>(k++)];
                ASSERT_EQ(q.Depth, exact.Depth) << step << " " << star;
                ASSERT_EQ(q.OffsetX, exact.OffsetX) << step << " " << star;
                ASSERT_EQ(q.OffsetY, exact.OffsetY) << step << " " << star;
            } else {
                ASSERT_GT(exact.Depth, 0) << "left out above the horizon: " << step << " " << star;
            }
        }
        ASSERT_EQ(k, kept);
    }
    // The bound must earn its place: about half the sky is below the horizon.
    EXPECT_GT(leftOut, static_cast<long long>(Steps) * Sample / 4);
}
