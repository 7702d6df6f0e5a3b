// The lesson overlays: the Sun's marks and the sky's circles where the lesson
// says they are, the Sun projected exactly as a star, and a chart without
// overlays left exactly as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "core/Horizontal.h"
#include "geometry/Projection.h"
#include "render/Frame.h"
#include "render/Overlays.h"
#include "render/Stars.h"
#include "session/Handlers.h"
#include "session/Redraw.h"
#include "support/TestSky.h"
#include "time/Clock.h"
#include "time/Sun.h"

namespace {
constexpr double Radian = std::numbers::pi / 180;
constexpr double AngleTolerance = 0.05;  // Degrees: what a pupil reads off the chart.

// A chart of radius 160 at the given latitude, seen from 25 degrees above, with the
// clock at minute m and every overlay on.
std::unique_ptr<TestChart> LessonSky(double latitude, double minute, std::int16_t elevation = 25) {
    auto Sky = ChartSky(204, 160, elevation, 90 + latitude);
    Sky->At.MinuteOfYear = static_cast<std::int32_t>(minute);
    Sky->Look.Overlays = {true, true, true};
    return Sky;
}

const MarkedPoint& Find(const std::vector<MarkedPoint>& marks, const std::string& kind) {
    for (const MarkedPoint& m : marks)
        if (m.Kind == kind) return m;
    static const MarkedPoint none{"missing", "", false, 0, 0, 0, NAN, NAN};
    return none;
}

constexpr double Latitudes[] = {-90, -35, 0, 23.4, 35, 66.6, 90};
}  // namespace

// 南中高度 = 90 - |latitude - declination| (its 北中 in the south and the tropics).
TEST(ListMarkedPoints, TransitAltitudeFollowsLatitudeAndDeclination) {
    const std::array<int, 4> seasons = FindSeasonDays();
    for (double latitude : Latitudes) {
        for (int day : {seasons[0], seasons[1], seasons[3], 40}) {
            auto Sky = LessonSky(latitude, day * 1440.0 + 600);
            const SunDay sunDay = FindSunDay(Sky->At, day);
            const double dec = SunAtMinute(sunDay.Transit).Declination;
            const std::vector<MarkedPoint> marks = ListMarkedPoints(Sky->Make());
            const MarkedPoint& transit = Find(marks, "transit");
            EXPECT_NEAR(transit.Altitude, 90 - std::fabs(latitude - dec), AngleTolerance)
                << "latitude " << latitude << ", day " << day;
        }
    }
}

// At an equinox the Sun rises in the east: its declination moves by at most 0.4 deg
// within the day, and the catalogue's J2000 frame adds 0.15 deg at the equinoxes (the
// precession in declination since 2000); at 35 deg the rising point moves by 1/cos 35
// of that, under 0.7 deg.
TEST(ListMarkedPoints, EquinoxSunriseIsDueEast) {
    const std::array<int, 4> seasons = FindSeasonDays();
    for (double latitude : {-35.0, 0.0, 35.0}) {
        for (int day : {seasons[0], seasons[2]}) {
            const auto marks = ListMarkedPoints(LessonSky(latitude, day * 1440.0 + 600)->Make());
            EXPECT_NEAR(Find(marks, "sunrise").Azimuth, 90, 0.7) << latitude << " " << day;
            EXPECT_NEAR(Find(marks, "sunset").Azimuth, 270, 0.7) << latitude << " " << day;
        }
    }
}

// The transparent-hemisphere marks are evenly spaced: 15 deg of hour angle an hour,
// recovered here from each mark's altitude and azimuth.
TEST(ListMarkedPoints, HourlyMarksAreFifteenDegreesApart) {
    constexpr double HourTolerance = 0.01;  // Degrees: the Sun's own motion is 0.04 an hour.
    for (double latitude : {-35.0, 0.0, 35.0, 66.6}) {
        const auto marks = ListMarkedPoints(LessonSky(latitude, 172 * 1440.0)->Make());
        const double phi = latitude * Radian;
        double previous = NAN;
        int drawn = 0;
        for (const MarkedPoint& m : marks) {
            if (m.Kind != "sun-hour") continue;
            drawn += m.Drawn;
            const double a = m.Altitude * Radian, A = m.Azimuth * Radian;
            const double hourAngle = std::atan2(-std::sin(A) * std::cos(a),
                                                std::cos(phi) * std::sin(a) -
                                                    std::sin(phi) * std::cos(a) * std::cos(A)) /
                                     Radian;
            if (!std::isnan(previous)) {
                EXPECT_NEAR(std::remainder(hourAngle - previous, 360.0), 15, HourTolerance)
                    << latitude << " hour " << m.Label;
            }
            previous = hourAngle;
        }
        EXPECT_GT(drawn, 8) << latitude;  // June: the daytime hours are on the chart.
    }
}

// 北極星の高度＝緯度, and the pole is drawn where its altitude and azimuth put it.
TEST(ListMarkedPoints, RaisedPoleStandsAtTheLatitude) {
    constexpr double PixelTolerance = 0.6;  // The projection rounds the depth to a pixel.
    for (double latitude : Latitudes) {
        auto Sky = LessonSky(latitude, 50000);
        const auto marks = ListMarkedPoints(Sky->Make());
        const MarkedPoint& pole = Find(marks, latitude >= 0 ? "pole-north" : "pole-south");
        EXPECT_NEAR(pole.Altitude, std::fabs(latitude), AngleTolerance) << latitude;
        ASSERT_TRUE(pole.Drawn) << latitude;
        const double a = pole.Altitude * Radian, A = pole.Azimuth * Radian;
        const double el = 25 * Radian, R = Sky->Radius;
        EXPECT_NEAR(pole.X, 204 + R * std::cos(a) * std::sin(A), PixelTolerance) << latitude;
        EXPECT_NEAR(
            pole.Y,
            204 - R * std::cos(a) * std::cos(A) * std::sin(el) - R * std::sin(a) * std::cos(el),
            PixelTolerance)
            << latitude;
        if (std::fabs(latitude) < 90) {
            EXPECT_NEAR(pole.Azimuth, latitude >= 0 ? 0 : 180, 1e-9) << latitude;
        }
    }
}

// 天の赤道 crosses the horizon at the east and west points, at every latitude.
TEST(HorizontalOf, EquatorMeetsHorizonDueEastAndWest) {
    for (double latitude : {-66.6, -35.0, 0.0, 23.4, 35.0, 89.0}) {
        auto Sky = LessonSky(latitude, 123456);
        const double theta = SiderealAngleOf(Sky->At);
        for (double side : {90.0, -90.0}) {
            const Horizontal h = HorizontalOf(Sky->At.PoleAngle, theta, theta + side, 0);
            EXPECT_NEAR(h.Altitude, 0, 1e-9) << latitude;
            EXPECT_NEAR(h.Azimuth, side > 0 ? 90 : 270, 1e-9) << latitude;
            EXPECT_NEAR(PlaceSkyPoint(Sky->Proj(), theta + side, 0, theta).DepthExact, 0, 1e-9);
        }
    }
}

TEST(DrawOverlaysOverStars, AllOffLeavesChartAndSurfaceUntouched) {
    auto Sky = LessonSky(35, 100000);
    Sky->Look.Overlays = {};
    Sky->Stars.StarMag.fill(2);  // Every star of an empty catalogue sits at RA 0, dec 0.
    auto S = ChartRaster(408);
    ClearAndDrawFrame(Sky->Proj(), 0, *S);
    PlotStars(Sky->Make(), *S);
    const PixelImage before = S->Picture();
    const Colour fore = S->ForeColor, fill = S->FillColor;
    const float x = S->CurrentX, y = S->CurrentY;
    DrawOverlaysUnderStars(Sky->Make(), Sky->Cache.Trails, Sky->Cache.GroundTrails, *S);
    DrawOverlaysOverStars(Sky->Make(), Sky->Cache.Shapes, *S);
    EXPECT_TRUE(S->Picture() == before);
    EXPECT_EQ(S->ForeColor, fore);
    EXPECT_EQ(S->FillColor, fill);
    EXPECT_EQ(S->CurrentX, x);
    EXPECT_EQ(S->CurrentY, y);
}

// Every latitude the bar allows, from above and below: something is drawn, the
// surface's colours and text position come back, and every mark is a finite number.
TEST(DrawOverlaysOverStars, DrawsAtEveryLatitudeAndRestoresTheSurface) {
    for (int latitude = -90; latitude <= 90; latitude += 15) {
        for (const std::int16_t elevation : {std::int16_t{25}, std::int16_t{-30}}) {
            auto Sky = LessonSky(latitude, 172 * 1440.0 + 600, elevation);
            auto S = ChartRaster(408);
            ClearAndDrawFrame(Sky->Proj(), 0, *S);
            const PixelImage before = S->Picture();
            const Colour fore = S->ForeColor, fill = S->FillColor;
            DrawOverlaysOverStars(Sky->Make(), Sky->Cache.Shapes, *S);
            EXPECT_FALSE(S->Picture() == before) << latitude;
            EXPECT_EQ(S->ForeColor, fore);
            EXPECT_EQ(S->FillColor, fill);
            for (const MarkedPoint& m : ListMarkedPoints(Sky->Make()))
                EXPECT_TRUE(std::isfinite(m.X + m.Y + m.Altitude + m.Azimuth))
                    << latitude << " " << m.Kind;
        }
    }
}

// The kept drawing of the Sun's day, the seasons and the circles, replayed later in the
// day, gives the pixels a fresh drawing gives; a new day draws anew.
TEST(DrawOverlaysOverStars, KeptDrawingEqualsAFreshOneWithinTheDay) {
    constexpr double Morning = 100 * 1440.0 + 420;
    auto kept = LessonSky(35, Morning);
    auto S = ChartRaster(408);
    DrawOverlaysOverStars(kept->Make(), kept->Cache.Shapes, *S);
    const std::vector<double> morningKey = kept->Cache.Shapes.Key;
    for (const double later : {Morning + 1, Morning + 333, Morning + 1019}) {
        kept->At.MinuteOfYear = static_cast<std::int32_t>(later);
        ClearAndDrawFrame(kept->Proj(), 0, *S);
        DrawOverlaysOverStars(kept->Make(), kept->Cache.Shapes, *S);
        EXPECT_EQ(kept->Cache.Shapes.Key, morningKey) << later;
        auto fresh = LessonSky(35, later);
        auto F = ChartRaster(408);
        ClearAndDrawFrame(fresh->Proj(), 0, *F);
        DrawOverlaysOverStars(fresh->Make(), fresh->Cache.Shapes, *F);
        EXPECT_TRUE(S->Picture() == F->Picture()) << later;
    }
    kept->At.MinuteOfYear = static_cast<std::int32_t>(Morning + 1440);
    DrawOverlaysOverStars(kept->Make(), kept->Cache.Shapes, *S);
    EXPECT_NE(kept->Cache.Shapes.Key, morningKey);
}

// The session's call for the 表示 menu: the choice is taken and both charts show it.
TEST(SetOverlays, RedrawsBothChartsWithTheChoice) {
    auto window = NewWindow();
    window->Load(std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
    EXPECT_EQ(window->State.Sky->Figures.Constellations.size(), 88u);  // Read beside StarData.
    const PixelImage plain0 = window->Chart0.Picture(), plain1 = window->Chart1.Picture();
    OverlaySet chosen;
    chosen.Circles = chosen.Names = true;
    SetOverlays(window->State, window->Ui, chosen);
    EXPECT_TRUE(window->State.View.Overlays == chosen);
    EXPECT_FALSE(window->Chart0.Picture() == plain0);
    EXPECT_FALSE(window->Chart1.Picture() == plain1);
    SetOverlays(window->State, window->Ui, {});
    EXPECT_TRUE(window->Chart0.Picture() == plain0);
    EXPECT_TRUE(window->Chart1.Picture() == plain1);
}

// An animation within one day on a window: from the third redraw of each chart the
// Sun's day, the seasons and the circles come back with the kept frame and are laid
// again only where the stars (and trails, lines) wrote. Every step must equal a chart
// whose frame, stars and overlays are all drawn afresh, star pixels under labels and
// lines included.
TEST(DrawOverlaysOverStars, KeptWithTheFrameEqualsAFreshChart) {
    struct Row {
        int Latitude, Elevation, LimitIndex;
        bool Everything;  // Trails, lines and names too.
    };
    constexpr Row Rows[] = {{35, 25, 93, false}, {-35, 25, 93, false}, {0, -30, 49, false},
                            {90, 60, 93, false}, {35, -30, 93, true},  {-35, 10, 49, true}};
    constexpr int Start = 172 * 1440 + 300;
    for (const Row& row : Rows) {
        auto configured = [&] {
            auto window = StartedWindow();
            window->MagnitudeList.SetListIndex(row.LimitIndex);
            window->LatitudeBar.MoveTo(90 - row.Latitude);
            window->ElevationBar.MoveTo(90 + row.Elevation);
            window->State.View.Overlays = {true, true, true};
            window->State.View.Overlays.Trails = window->State.View.Overlays.Constellations =
                window->State.View.Overlays.Names = row.Everything;
            return window;
        };
        auto kept = configured();
        for (int step = 0; step < 7; ++step) {
            kept->State.Moment.MinuteOfYear = Start + 97 * step;
            RedrawSky(kept->State, kept->Ui);
            // Each chart of a fresh window drawn once, so no frame kept, replaying the
            // same kept calls (recorded at the day's first step).
            auto fresh = configured();
            fresh->State.Moment.MinuteOfYear = kept->State.Moment.MinuteOfYear;
            fresh->State.Cache.Shapes = kept->State.Cache.Shapes;
            RedrawSky(fresh->State, fresh->Ui);
            RedrawSky(fresh->State, fresh->Ui);
            EXPECT_TRUE(LastDrawn(*kept) == LastDrawn(*fresh))
                << row.Latitude << " " << row.Elevation << " step " << step;
        }
    }
}
