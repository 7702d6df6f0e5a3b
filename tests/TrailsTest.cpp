#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "catalogue/StarData.h"
#include "core/Horizontal.h"
#include "geometry/Trails.h"
#include "render/Trails.h"
#include "support/RecordingSurface.h"
#include "support/TestSky.h"
#include "time/Clock.h"

namespace {
// Half a pixel of depth rounding on a sphere of radius 10 000 is 0.003 degrees.
constexpr double AngleTolerance = 0.01;  // degrees
constexpr double Radius = 10000;         // pixels

const Sky& LoadedSky() {
    static const Sky* loaded = [] {
        auto* sky = new Sky;
        LoadStarDataFrom(*sky, std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
        return sky;
    }();
    return *loaded;
}

// A chart over the real catalogue, seen as given.
std::unique_ptr<TestChart> CatalogueSky(double poleAngle, std::int16_t azimuth,
                                        std::int16_t elevation, double radius = Radius) {
    auto Sky = ChartSky(0, radius, elevation, poleAngle);
    Sky->Look.Azimuth = azimuth;
    Sky->Stars = LoadedSky();
    return Sky;
}

// Polar distance and hour angle (degrees) of a chart point seen from straight above with
// azimuth 0, where OffsetX is the sphere frame's y and the rest undoes the pole tilt.
struct Direction {
    double PolarDist, HourAngle;
};
Direction Unproject(const Projection& P, const ChartPoint& p) {
    const double viewX = -p.OffsetY + p.Depth * P.CosElevation;
    const double x = viewX * P.CosPole - p.Depth * P.SinPole;
    const double z = viewX * P.SinPole + p.Depth * P.CosPole;
    const double y = p.OffsetX;
    const double toDegrees = 180 / std::numbers::pi;
    return {std::atan2(std::hypot(x, y), z) * toDegrees, -std::atan2(y, x) * toDegrees};
}
}  // namespace

TEST(PlaceStarTrail, EndsExactlyWhereTheStarPassPutsEachStar) {
    struct Row {
        double PoleAngle;
        std::int16_t Azimuth, Elevation;
        double SiderealAngle;
    };
    constexpr Row Rows[] = {
        {125, 0, 10, 0}, {125, 180, -25, 1234.5}, {35, 300, 60, -77.25}, {180, 90, 90, 40}};
    for (const Row& row : Rows) {
        auto Sky = CatalogueSky(row.PoleAngle, row.Azimuth, row.Elevation, 163.2);
        const Projection P = Sky->Proj();
        std::vector<ChartPoint> trail;
        for (std::int16_t i = 0; i < StarCount; ++i) {
            StarProjection star;
            ProjectStarBatch(Sky->Stars, P, row.SiderealAngle, &i, 1, &star);
            PlaceStarTrail(Sky->Stars, P, row.SiderealAngle, i, 1, trail);
            ASSERT_EQ(trail[0].OffsetX, star.OffsetX) << i << " at pole angle " << row.PoleAngle;
            ASSERT_EQ(trail[0].OffsetY, star.OffsetY) << i;
            ASSERT_EQ(trail[0].Depth, star.Depth) << i;
        }
    }
}

TEST(PlaceStarTrail, KeepsThePolarDistanceAndSpansFifteenDegreesAnHour) {
    EXPECT_EQ(TrailSiderealRate, SiderealRate) << "the trail's rate must be the clock's";
    constexpr double PoleAngles[] = {125, 55, 180};
    constexpr double Declinations[] = {-70, -10, 0, 30, 80};
    for (double poleAngle : PoleAngles) {
        for (double dec : Declinations) {
            for (int hours : TrailHourChoices) {
                auto Sky = ChartSky(0, Radius, 90, poleAngle);
                Sky->Stars.StarRA[0] = 40;
                Sky->Stars.StarDec[0] = dec;
                const Projection P = Sky->Proj();
                std::vector<ChartPoint> trail;
                PlaceStarTrail(Sky->Stars, P, 77.7, 0, hours, trail);
                ASSERT_EQ(trail.size(), static_cast<std::size_t>(hours * TrailStepsPerHour + 1));
                double span = 0, previous = Unproject(P, trail[0]).HourAngle;
                for (const ChartPoint& p : trail) {
                    const Direction d = Unproject(P, p);
                    EXPECT_NEAR(d.PolarDist, 90 - dec, AngleTolerance)
                        << "pole angle " << poleAngle << ", " << hours << " h";
                    span += std::remainder(d.HourAngle - previous, 360.0);
                    previous = d.HourAngle;
                }
                // The trail ends at the star now: hour angle = sidereal angle - right ascension.
                EXPECT_NEAR(std::remainder(Unproject(P, trail[0]).HourAngle - 37.7, 360.0), 0,
                            AngleTolerance);
                // Back in time the hour angle is smaller: the star stood further east.
                EXPECT_NEAR(span, -15.04 * hours, 0.1) << "dec " << dec << ", " << hours << " h";
            }
        }
    }
}

TEST(PlaceStarTrail, StaysAboveTheHorizonAllDayExactlyForCircumpolarStars) {
    constexpr double Latitudes[] = {35, -35, 60, 5, 90};
    constexpr double Margin = 0.2;  // degrees: ten times the depth rounding at this radius
    std::vector<ChartPoint> trail;
    for (double latitude : Latitudes) {
        auto Sky = CatalogueSky(90 + latitude, 0, 10);
        const Scene scene = Sky->Make();
        int circumpolar = 0;
        for (int i = 0; i < StarCount; ++i) {
            const double dec = Sky->Stars.StarDec[static_cast<std::size_t>(i)];
            const double boundary = latitude >= 0 ? 90 - latitude : -90 - latitude;
            if (std::fabs(dec - boundary) < Margin) continue;
            const bool expected = latitude >= 0 ? dec > boundary : dec < boundary;
            PlaceStarTrail(Sky->Stars, scene.Proj, scene.SiderealAngle, i, 24, trail);
            bool above = true;
            for (const ChartPoint& p : trail) above = above && p.Depth <= 0;
            EXPECT_EQ(above, expected) << "star " << i << " dec " << dec << " at " << latitude;
            circumpolar += expected;
        }
        EXPECT_GT(circumpolar, latitude == 5 ? 0 : 100) << latitude;
    }
}

TEST(HorizontalOf, AgreesWithErfa) {
    // Both sides in double with the true pi; atan2 and ERFA's own formulas differ by a
    // few units in the last place of a degree, far inside this tolerance.
    constexpr double Tolerance = 1e-9;  // degrees
    struct Row {
        double HourAngle, Dec, Latitude;
    };
    constexpr Row Rows[] = {{0, 90, 35},    {0, 35, 35},     {-60, 0, 35}, {100, -20, 35},
                            {200, 70, -33}, {-10, -80, -33}, {45, 10, 0},  {300, 45, 89}};
    for (const Row& row : Rows) {
        const Horizontal h = HorizontalOf(90 + row.Latitude, 17 + row.HourAngle, 17, row.Dec);
        const double toRadians = std::numbers::pi / 180;
        double az = 0, el = 0;
        eraHd2ae(row.HourAngle * toRadians, row.Dec * toRadians, row.Latitude * toRadians, &az,
                 &el);
        EXPECT_NEAR(h.Altitude, el / toRadians, Tolerance) << row.HourAngle << " " << row.Dec;
        if (std::fabs(el / toRadians) < 89.9) {
            EXPECT_NEAR(std::remainder(h.Azimuth - az / toRadians, 360.0), 0, Tolerance)
                << row.HourAngle << " " << row.Dec;
        }
    }
}

TEST(DrawStarTrails, DrawsEachHourOfAPlottedStarAboveTheHorizon) {
    struct Row {
        double Dec, Magnitude;
        int Hours, Segments, Ticks;
    };
    // At the north pole every trail is a horizontal circle; stars south of the
    // equator never rise, stars fainter than the limit have no trail.
    constexpr Row Rows[] = {{45, 0.5, 3, 18, 3}, {45, 2.0, 24, 144, 0}, {45, 0.5, 24, 144, 24},
                            {89, 1.4, 1, 6, 1},  {-10, 0.5, 6, 0, 0},   {60, 7.0, 12, 0, 0}};
    for (const Row& row : Rows) {
        auto Sky = ChartSky(500, 400, 10, 180);
        Sky->Stars.StarDec[7] = row.Dec;
        Sky->Stars.StarRA[7] = 10;
        Sky->Stars.StarMag[7] = row.Magnitude;
        RecordingSurface S;
        DrawStarTrails(Sky->Make(), S, row.Hours);
        int ticks = 0;
        for (const auto& line : S.Lines) {
            const double length = std::hypot(line.X2 - line.X1, line.Y2 - line.Y1);
            ticks += std::fabs(length - 2 * TrailTickHalfLength) < 1e-3;
        }
        EXPECT_EQ(static_cast<int>(S.Lines.size()) - ticks, row.Segments)
            << row.Dec << " " << row.Hours;
        EXPECT_EQ(ticks, row.Ticks) << row.Dec << " " << row.Hours;
    }
}

TEST(DrawStarTrails, DrawsTheFarHalfOfACircleFainter) {
    // Seen level with the horizon, the far half of a circle about the zenith is behind the
    // dome. (Seen from 10 degrees above, that boundary moves toward the far side.)
    auto Sky = ChartSky(500, 400, 0, 180);
    Sky->Stars.StarDec[7] = 45;
    Sky->Stars.StarMag[7] = 2;
    RecordingSurface S;
    DrawStarTrails(Sky->Make(), S, 24);
    const int behind = S.LinesIn(TrailColour(2, true));
    EXPECT_EQ(behind + S.LinesIn(TrailColour(2, false)), 144);
    EXPECT_NEAR(behind, 72, 2);
    EXPECT_NE(TrailColour(2, true), TrailColour(2, false));
    EXPECT_NE(TrailColour(0, false), TrailColour(3.5, false)) << "brighter stars brighter";
}
