// The ground views (全天, 地平) against ERFA's alt-azimuth, not against their own drawing:
// every star the star pass plots lies where the view's definition puts ERFA's direction.
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "render/Chart.h"
#include "render/Ground.h"
#include "render/Overlays.h"
#include "support/TestSky.h"
#include "time/Clock.h"

namespace {
constexpr double PixelTolerance = 1.0;  // pixels: the surface gets single precision.
constexpr double Degree = std::numbers::pi / 180;

struct GroundState {
    ViewKind Kind;
    int Azimuth, Day, Hour;
    double Latitude;
};

View GroundView(ViewKind kind, int azimuth) {
    View look;
    look.Kind = kind;
    look.Azimuth = static_cast<std::int16_t>(azimuth);
    look.Side = 408;
    look.LimitMag = 5.5;
    return look;
}

// The chart point of ERFA's direction, from the views' definitions: 全天 equidistant from
// the zenith with the view's azimuth up and east left of north; 地平 stereographic about
// the direction 30 degrees up at the view's azimuth, 60 degrees to each side edge.
void Expected(const View& look, double altitude, double azimuth, double& x, double& y) {
    const double c = look.Side / 2.0;
    const double turn = (azimuth - look.Azimuth) * Degree;
    if (look.Kind == ViewKind::Sky) {
        const double rho = 0.8 * c * (90 - altitude) / 90;
        x = c - rho * std::sin(turn);
        y = c - rho * std::cos(turn);
        return;
    }
    // The direction and the centre's as unit vectors; the chart's right and up at the centre.
    const double d[3] = {std::cos(altitude * Degree) * std::cos(turn),
                         std::cos(altitude * Degree) * std::sin(turn), std::sin(altitude * Degree)};
    const double ahead = d[0] * std::cos(30 * Degree) + d[2] * std::sin(30 * Degree);
    const double up = d[2] * std::cos(30 * Degree) - d[0] * std::sin(30 * Degree);
    const double k = (c / std::tan(30 * Degree)) / (1 + ahead);
    x = c + k * d[1];
    y = c - k * up;
}
}  // namespace

TEST(GroundViews, EveryPlottedStarWhereErfaPutsIt) {
    constexpr GroundState States[] = {
        {ViewKind::Sky, 0, 104, 20, 35},    {ViewKind::Sky, 200, 10, 3, -33},
        {ViewKind::Sky, 90, 172, 22, 66.6}, {ViewKind::Horizon, 180, 300, 21, 35},
        {ViewKind::Horizon, 45, 50, 4, 43}, {ViewKind::Horizon, 300, 200, 23, -20},
    };
    auto S = ChartRaster(408);
    for (const GroundState& s : States) {
        const Moment at = MomentAt(s.Day, s.Hour, s.Latitude);
        const View look = GroundView(s.Kind, s.Azimuth);
        ChartCache cache;
        std::vector<PlottedStar> stars;
        DrawChart(LoadedSky(), at, look, *S, cache, &stars);
        ASSERT_GT(stars.size(), 100u) << static_cast<int>(s.Kind) << " az " << s.Azimuth;
        double worst = 0;
        for (const PlottedStar& star : stars) {
            const auto i = static_cast<std::size_t>(star.Index);
            double azimuth = 0, altitude = 0;
            eraHd2ae((SiderealAngleOf(at) - LoadedSky().StarRA[i]) * ERFA_DD2R,
                     LoadedSky().StarDec[i] * ERFA_DD2R, (s.Latitude) * ERFA_DD2R, &azimuth,
                     &altitude);
            EXPECT_GE(altitude, -1e-9);
            double x = 0, y = 0;
            Expected(look, altitude * ERFA_DR2D, azimuth * ERFA_DR2D, x, y);
            worst = std::max(worst, std::hypot(star.X - x, star.Y - y));
        }
        EXPECT_LT(worst, PixelTolerance) << static_cast<int>(s.Kind) << " az " << s.Azimuth;
        std::printf("kind %d az %d: %zu stars, worst %.2e px\n", static_cast<int>(s.Kind),
                    s.Azimuth, stars.size(), worst);
    }
}

// ベガ risen in the north-east on a spring evening at 35N: with north at the top of the
// 全天 view it lies left of the north point, and right of it when the dome is seen from
// outside (the dome's mirror picture).
TEST(GroundViews, EastLiesLeftOfNorthInTheSkyView) {
    const Moment at = MomentAt(104, 21, 35);  // 15 April 21:00: at 20:00 still on the horizon.
    const Sky& sky = LoadedSky();
    std::size_t vega = sky.StarRA.size();
    for (std::size_t i = 0; i < sky.StarRA.size(); ++i)
        if (std::fabs(sky.StarRA[i] - 279.23) < 0.05 && std::fabs(sky.StarDec[i] - 38.78) < 0.05)
            vega = i;
    ASSERT_LT(vega, sky.StarRA.size());
    double azimuth = 0, altitude = 0;
    eraHd2ae((SiderealAngleOf(at) - sky.StarRA[vega]) * ERFA_DD2R, sky.StarDec[vega] * ERFA_DD2R,
             35 * ERFA_DD2R, &azimuth, &altitude);
    ASSERT_GT(altitude, 0.0);
    ASSERT_GT(azimuth * ERFA_DR2D, 10.0);
    ASSERT_LT(azimuth * ERFA_DR2D, 80.0);
    auto S = ChartRaster(408);
    ChartCache cache;
    std::vector<PlottedStar> stars;
    DrawChart(sky, at, GroundView(ViewKind::Sky, 0), *S, cache, &stars);
    bool found = false;
    for (const PlottedStar& star : stars) {
        if (static_cast<std::size_t>(star.Index) != vega) continue;
        found = true;
        EXPECT_LT(star.X, 204.0) << "east of north must lie left of the north point";
        EXPECT_LT(star.Y, 204.0) << "north of the zenith must lie above the centre";
    }
    EXPECT_TRUE(found);
}

// The daytime sky: black at night, never darker toward the day, and no star in full day.
TEST(GroundViews, DaylightBrightensTowardTheDayAndHidesTheStars) {
    EXPECT_EQ(DaylightSky(-30), Black);
    auto level = [](Colour c) { return c % 256 + (c / 256) % 256 + c / 65536; };
    for (double a = -20; a < 20; a += 0.5)
        EXPECT_LE(level(DaylightSky(a)), level(DaylightSky(a + 0.5)));
    EXPECT_LT(DaylightLimit(5), -1.46);  // Sirius, the brightest star.
    auto S = ChartRaster(408);
    View look = GroundView(ViewKind::Sky, 0);
    look.Overlays.Daylight = true;
    ChartCache cache;
    std::vector<PlottedStar> stars;
    DrawChart(LoadedSky(), MomentAt(172, 12, 35), look, *S, cache, &stars);
    EXPECT_TRUE(stars.empty());
    stars.clear();
    DrawChart(LoadedSky(), MomentAt(172, 0, 35), look, *S, cache, &stars);
    EXPECT_FALSE(stars.empty());
}

namespace {
View TrailView(ViewKind kind, int azimuth) {
    View look = GroundView(kind, azimuth);
    look.LimitMag = 7.9;
    look.Overlays.Trails = true;
    look.Overlays.TrailHours = 12;
    return look;
}
}  // namespace

// The ground trails' kept circles must draw what fresh ones draw through an animation: steps
// on, a step back, and each input the circles depend on changed between two steps.
TEST(GroundTrails, KeptCirclesDrawWhatFreshOnesDraw) {
    struct Step {
        int Minutes;
        ViewKind Kind;
        int Azimuth, Side;
        double Latitude;
        int Hours;
    };
    constexpr Step Steps[] = {
        {0, ViewKind::Sky, 0, 408, 35, 12},        {5, ViewKind::Sky, 0, 408, 35, 12},
        {-60, ViewKind::Sky, 0, 408, 35, 12},      {5, ViewKind::Sky, 120, 408, 35, 12},
        {5, ViewKind::Horizon, 120, 408, 35, 24},  {5, ViewKind::Horizon, 120, 300, 35, 3},
        {-5, ViewKind::Horizon, 120, 300, -33, 3}, {5, ViewKind::Sky, 120, 300, -33, 3},
    };
    ChartCache kept;
    int minute = 80 * 1440 + 20 * 60;
    for (const Step& s : Steps) {
        minute += s.Minutes;
        Moment at = MomentAt(0, 0, s.Latitude);
        at.MinuteOfYear = minute;
        SplitMinuteOfYear(at);
        View look = TrailView(s.Kind, s.Azimuth);
        look.Side = s.Side;
        look.Overlays.TrailHours = s.Hours;
        auto warm = ChartRaster(s.Side), cold = ChartRaster(s.Side);
        ChartCache fresh;
        DrawChart(LoadedSky(), at, look, *warm, kept);
        DrawChart(LoadedSky(), at, look, *cold, fresh);
        EXPECT_TRUE(warm->Picture() == cold->Picture()) << "minute " << minute;
    }
}

// Every kept point is the pixel of the star's exact circle at its angle, and the chords
// between those exact points stay within half a pixel of the circle at their middles: the
// circle being the sky point at the angle's sidereal angle through the view's mapping.
TEST(GroundTrails, ChordsFollowTheExactCircle) {
    for (const ViewKind kind : {ViewKind::Sky, ViewKind::Horizon}) {
        const Moment at = MomentAt(80, 20, 35);
        const View look = TrailView(kind, 180);
        ChartCache cache;
        auto S = ChartRaster(408);
        DrawChart(LoadedSky(), at, look, *S, cache);
        const Projection p = SceneOf(LoadedSky(), at, look).Proj;
        const GroundTrailCache& kept = cache.GroundTrails;
        int checked = 0;
        for (std::size_t i = 0; i < kept.Circles.size(); i += 37) {
            const GroundTrailCache::Circle& c = kept.Circles[i];
            const double ra = LoadedSky().StarRA[i], dec = LoadedSky().StarDec[i];
            auto exact = [&](double j) {
                const double t = j * 2 * std::numbers::pi / c.Count;
                return PlaceSkyPoint(p, ra, dec, ra - t * 180 / std::numbers::pi);
            };
            const GroundTrailCache::Point* q = kept.Points.data() + c.First;
            for (int j = 0; j < c.Count; ++j) {
                if (!q[j].Above || !q[(j + 1) % c.Count].Above) continue;
                const ChartPoint a = exact(j), b = exact(j + 1);
                EXPECT_LE(std::fmax(std::fabs(a.X(p) - q[j].X), std::fabs(a.Y(p) - q[j].Y)),
                          0.5 + 1e-4)
                    << "star " << i << " point " << j;
                // The chord's middle from the arc between its ends, 1/256 of the step apart.
                const double mx = (a.X(p) + b.X(p)) / 2, my = (a.Y(p) + b.Y(p)) / 2;
                double nearest = 1e9;
                for (int f = 0; f <= 256; ++f) {
                    const ChartPoint e = exact(j + f / 256.0);
                    nearest = std::fmin(nearest, std::hypot(e.X(p) - mx, e.Y(p) - my));
                }
                EXPECT_LT(nearest, 0.5) << "star " << i << " chord " << j;
                ++checked;
            }
        }
        EXPECT_GT(checked, 300) << static_cast<int>(kind);
    }
}
