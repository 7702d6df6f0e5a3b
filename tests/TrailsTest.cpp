#include <erfa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <numbers>
#include <random>
#include <set>

#include "catalogue/StarData.h"
#include "core/Horizontal.h"
#include "geometry/Projection.h"
#include "geometry/Trails.h"
#include "render/InkCover.h"
#include "render/Trails.h"
#include "session/Redraw.h"
#include "support/TestSky.h"
#include "time/Clock.h"

namespace {
constexpr double TwoPi = 2 * std::numbers::pi;
constexpr double HalfPixel = 0.5;  // pixels: how far a trail may stray from the exact circle

// A chart over the real catalogue, seen as given.
std::unique_ptr<TestChart> CatalogueSky(double poleAngle, std::int16_t azimuth,
                                        std::int16_t elevation, double radius) {
    auto Sky = ChartSky(0, radius, elevation, poleAngle);
    Sky->Look.Azimuth = azimuth;
    Sky->Stars = LoadedSky();
    return Sky;
}

// The exact place of star i at circle angle t = (RA - sidereal angle) x Pi / 180: the
// chart's own projection of that point, ProjectSkyPoint, with its depth's rounding undone.
struct ExactPoint {
    double X, Y, Depth, Facing;
};
ExactPoint Exact(const Scene& scene, int i, double t) {
    const auto k = static_cast<std::size_t>(i);
    const Sky& sky = scene.Stars;
    const Projection& P = scene.Proj;
    const double sidereal = sky.StarRA[k] - t * 180 / ChartPi;
    const ChartPoint p = PlaceSkyPoint(P, sky.StarRA[k], sky.StarDec[k], sidereal);
    const double rounding = p.DepthExact - p.Depth;
    return {p.OffsetX - rounding * P.SinElevation * P.SinRoll,
            p.OffsetY + rounding * P.CosElevation, p.DepthExact, p.Facing};
}

// Distance from (x, y) to the exact circle between angles t0 and t1, taken as a polyline
// of 256 chords, each within 1e-4 pixel of the circle on these charts.
double DistanceToCircle(const Scene& Sky, int i, double t0, double t1, double x, double y) {
    constexpr int Samples = 256;
    double best = 1e300;
    ExactPoint a = Exact(Sky, i, t0);
    for (int k = 1; k <= Samples; ++k) {
        const ExactPoint b = Exact(Sky, i, t0 + (t1 - t0) * k / Samples);
        const double dx = b.X - a.X, dy = b.Y - a.Y, length2 = dx * dx + dy * dy;
        double u = length2 > 0 ? ((x - a.X) * dx + (y - a.Y) * dy) / length2 : 0;
        u = std::clamp(u, 0.0, 1.0);
        best = std::min(best, std::hypot(a.X + u * dx - x, a.Y + u * dy - y));
        a = b;
    }
    return best;
}

// A trail piece as drawn: its start, the grid points inside, its end, with their angles.
struct Vertex {
    double X, Y, T;
};
std::vector<Vertex> PolylineOf(const TrailShapes& shapes, int i, const TrailPiece& piece) {
    const DiurnalCircle& circle = shapes.Circle(i);
    std::vector<Vertex> line;
    const CirclePoint from = circle.At(piece.From.Cos, piece.From.Sin);
    line.push_back({from.OffsetX, from.OffsetY, piece.From.T});
    long long first = 0, end = 0;
    shapes.GridBetween(i, piece, first, end);
    const int n = shapes.GridCount(i);
    for (long long j = first; j < end; ++j) {
        const int at = static_cast<int>(j % n);
        line.push_back(
            {shapes.GridX(i, at), shapes.GridY(i, at), static_cast<double>(j) * TwoPi / n});
    }
    const CirclePoint to = circle.At(piece.To.Cos, piece.To.Sin);
    line.push_back({to.OffsetX, to.OffsetY, piece.To.T});
    return line;
}

// The views the trail tests look from: latitudes north, south, at the equator and the
// pole; looking down, level and up; small and projector-sized charts.
struct TrailView {
    double PoleAngle;
    std::int16_t Azimuth, Elevation;
    double Radius, SiderealAngle;
};
constexpr TrailView Views[] = {{125, 0, -10, 163.2, 77.7},  {125, 180, 25, 480, -1234.5},
                               {55, 90, 60, 300, 40000.25}, {90, 270, 0, 163.2, 12},
                               {180, 30, -25, 240, 200.5},  {179, 0, 90, 163.2, 3}};
}  // namespace

TEST(TrailSiderealRate, IsTheClocksRate) { EXPECT_EQ(TrailSiderealRate, SiderealRate); }

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

TEST(TrailShapes, ChordsStayWithinHalfAPixelOfTheExactCircle) {
    double worstVertex = 0, worstChord = 0;
    for (const TrailView& view : Views) {
        auto chart = CatalogueSky(view.PoleAngle, view.Azimuth, view.Elevation, view.Radius);
        const Scene Sky = chart->Make();
        TrailShapes shapes;
        shapes.Update(Sky.Stars, Sky.Proj);
        for (const int hours : {1, 12, 24}) {
            shapes.PrepareMoment(view.SiderealAngle, hours);
            TrailPiece pieces[MaxTrailPieces];
            for (int i = 0; i < StarCount; i += 23) {
                const int count = shapes.Pieces(i, pieces);
                for (int k = 0; k < count; ++k) {
                    const std::vector<Vertex> line = PolylineOf(shapes, i, pieces[k]);
                    for (std::size_t v = 0; v < line.size(); ++v) {
                        const ExactPoint e = Exact(Sky, i, line[v].T);
                        worstVertex =
                            std::max(worstVertex, std::hypot(line[v].X - e.X, line[v].Y - e.Y));
                        // The side of the dome the piece is drawn in, to a millionth of a pixel.
                        EXPECT_LE(pieces[k].Behind ? e.Facing : -e.Facing, 1e-6) << i;
                        if (v == 0) continue;
                        const Vertex &a = line[v - 1], &b = line[v];
                        for (const double u : {0.25, 0.5, 0.75}) {
                            const double d = DistanceToCircle(
                                Sky, i, a.T, b.T, a.X + u * (b.X - a.X), a.Y + u * (b.Y - a.Y));
                            worstChord = std::max(worstChord, d);
                            ASSERT_LE(d, HalfPixel) << "star " << i << " piece " << k << " at "
                                                    << a.T << " in view " << view.PoleAngle;
                        }
                    }
                }
            }
        }
    }
    EXPECT_LT(worstVertex, 1e-6) << "pixels";
    std::printf("largest error: vertex %.3g px, chord %.3f px\n", worstVertex, worstChord);
}

TEST(TrailShapes, CoverTheHoursAboveTheHorizonOnlyEndingAtTheStar) {
    for (const TrailView& view : Views) {
        auto chart = CatalogueSky(view.PoleAngle, view.Azimuth, view.Elevation, view.Radius);
        chart->Sidereal = view.SiderealAngle;
        const Scene Sky = chart->Make();
        TrailShapes shapes;
        shapes.Update(Sky.Stars, Sky.Proj);
        for (const int hours : TrailHourChoices) {
            shapes.PrepareMoment(view.SiderealAngle, hours);
            const double span = hours * 60 * TrailSiderealRate * ChartPi / 180;
            TrailPiece pieces[MaxTrailPieces];
            for (int i = 0; i < StarCount; i += 37) {
                const int count = shapes.Pieces(i, pieces);
                // Trails only for the stars the star pass plots.
                StarProjection star;
                const auto index = static_cast<std::int16_t>(i);
                ProjectStarBatch(Sky.Stars, Sky.Proj, Sky.SiderealAngle, &index, 1, &star);
                ASSERT_EQ(count > 0, star.Depth <= 0) << "star " << i;
                if (count == 0) continue;
                const double now = std::remainder(
                    (Sky.Stars.StarRA[static_cast<std::size_t>(i)] - view.SiderealAngle) * ChartPi /
                        180,
                    TwoPi);
                EXPECT_NEAR(std::remainder(pieces[0].From.T - now, TwoPi), 0, 1e-9) << i;
                // The pieces' angles against the exact depth over the span, sampled.
                constexpr int Samples = 1440;
                int mismatched = 0;
                for (int k = 0; k < Samples; ++k) {
                    const double t = pieces[0].From.T + span * (k + 0.5) / Samples;
                    bool drawn = false;
                    for (int p = 0; p < count; ++p)
                        drawn = drawn || (t >= pieces[p].From.T && t <= pieces[p].To.T);
                    mismatched += drawn != (Exact(Sky, i, t).Depth <= 0.5);
                }
                EXPECT_EQ(mismatched, 0) << "star " << i << ", " << hours << " h, view "
                                         << view.PoleAngle << " " << view.Azimuth;
                EXPECT_LE(pieces[count - 1].To.T, pieces[0].From.T + span + 1e-12);
            }
        }
    }
}

// One star of an otherwise empty catalogue, drawn on a raster of its own.
struct OneStarChart {
    std::unique_ptr<TestChart> Sky;
    std::unique_ptr<RasterSurface> S = ChartRaster(408);
    OneStarChart(double poleAngle, std::int16_t elevation, double dec, double magnitude) {
        Sky = ChartSky(204, 160, elevation, poleAngle);
        Sky->Look.LimitMag = 3.5;
        Sky->Stars.StarRA[7] = 10;
        Sky->Stars.StarDec[7] = dec;
        Sky->Stars.StarMag[7] = magnitude;
        S->BackColor = Black;
        S->Clear();
    }
    // Each drawn pixel's distance from the exact trail, and the pixels by colour.
    std::map<Colour, int> Draw(int hours, double* farthest = nullptr) {
        TrailCache cache;
        const Scene scene = Sky->Make();
        DrawStarTrails(scene, *S, hours, cache);
        const double span = hours * 60 * TrailSiderealRate * ChartPi / 180;
        const double now = (scene.Stars.StarRA[7] - scene.SiderealAngle) * ChartPi / 180;
        std::map<Colour, int> inks;
        if (farthest != nullptr) *farthest = 0;
        for (int y = 0; y < S->Height(); ++y) {
            for (int x = 0; x < S->Width(); ++x) {
                const Pixel p = S->PixelAt(x, y);
                if ((p & 0xFFFFFF) == 0) continue;
                ++inks[RGB(static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                           static_cast<int>(p & 0xFF))];
                if (farthest == nullptr) continue;
                *farthest =
                    std::max(*farthest, DistanceToCircle(scene, 7, now, now + span,
                                                         x - static_cast<double>(Sky->Center),
                                                         y - static_cast<double>(Sky->Center)));
            }
        }
        return inks;
    }
};

TEST(DrawStarTrails, DrawsPlottedStarsAlongTheirCirclesWithHourTicksForBrightOnes) {
    struct Row {
        double PoleAngle, Dec, Magnitude;
        int Hours;
        bool Drawn, Ticked;
    };
    // At the north pole stars south of the equator never rise; stars fainter than the
    // limit have no trail. At 35 N a star of declination 20 rises and sets.
    constexpr Row Rows[] = {{180, 45, 0.5, 3, true, true},    {180, 45, 2.0, 24, true, false},
                            {125, 20, 0.5, 12, true, true},   {180, 89, 1.4, 1, true, true},
                            {180, -10, 0.5, 6, false, false}, {180, 60, 7.0, 12, false, false}};
    // A pixel on the circle is within half a pixel of it either way, and the chords add
    // TrailChordTolerance; a tick reaches TrailTickHalfLength from it.
    const double onCircle = std::sqrt(0.5) + TrailChordTolerance;
    for (const Row& row : Rows) {
        OneStarChart chart(row.PoleAngle, 10, row.Dec, row.Magnitude);
        chart.Sky->Sidereal = 300;  // The star at 35 N stands high in the south-west.
        double farthest = 0;
        const auto inks = chart.Draw(row.Hours, &farthest);
        EXPECT_EQ(!inks.empty(), row.Drawn) << row.Dec << " " << row.Hours;
        if (!row.Drawn) continue;
        if (row.Ticked) {
            EXPECT_GT(farthest, TrailTickHalfLength - 1) << row.Dec;
            EXPECT_LT(farthest, TrailTickHalfLength + onCircle) << row.Dec;
        } else {
            EXPECT_LT(farthest, onCircle) << row.Dec;
        }
    }
}

TEST(DrawStarTrails, DrawsTheFarHalfOfACircleFainter) {
    // Seen from 30 degrees above the horizon, part of a circle about the zenith is behind
    // the dome. Each pixel's colour must be that of the side its nearest exact point is on,
    // but where that point lies within a few pixels of the dome's rim.
    OneStarChart chart(180, 30, 45, 2);
    chart.Draw(24);
    constexpr int Samples = 2048;
    std::vector<ExactPoint> circle;
    const Scene scene = chart.Sky->Make();
    for (int k = 0; k < Samples; ++k) circle.push_back(Exact(scene, 7, TwoPi * k / Samples));
    int behind = 0, front = 0;
    for (int y = 0; y < 408; ++y) {
        for (int x = 0; x < 408; ++x) {
            const Pixel p = chart.S->PixelAt(x, y);
            if ((p & 0xFFFFFF) == 0) continue;
            const Colour ink = RGB(static_cast<int>(p >> 16 & 0xFF),
                                   static_cast<int>(p >> 8 & 0xFF), static_cast<int>(p & 0xFF));
            ASSERT_TRUE(ink == TrailColour(2, true) || ink == TrailColour(2, false)) << ink;
            const auto nearest =
                std::min_element(circle.begin(), circle.end(), [&](auto& a, auto& b) {
                    return std::hypot(a.X + 204 - x, a.Y + 204 - y) <
                           std::hypot(b.X + 204 - x, b.Y + 204 - y);
                });
            if (std::fabs(nearest->Facing) < 5) continue;
            EXPECT_EQ(ink == TrailColour(2, true), nearest->Facing < 0) << x << " " << y;
            (ink == TrailColour(2, true) ? behind : front) += 1;
        }
    }
    EXPECT_GT(behind, 50);
    EXPECT_GT(front, 50);
    EXPECT_NE(TrailColour(2, true), TrailColour(2, false));
    EXPECT_NE(TrailColour(0, false), TrailColour(3.5, false)) << "brighter stars brighter";
}

// A cache kept from other drawings must draw what a fresh one draws: each row changes one
// input of the drawing between the two.
TEST(DrawStarTrails, KeptCacheDrawsWhatAFreshOneDraws) {
    const std::function<void(TestChart&, int&, int&)> Changes[] = {
        [](TestChart&, int&, int&) {},
        [](TestChart& c, int&, int&) { *c.Sidereal += 1.25; },
        [](TestChart&, int& hours, int&) { hours = 3; },
        [](TestChart& c, int&, int&) { c.Look.Azimuth = 200; },
        [](TestChart& c, int&, int&) { c.At.PoleAngle = 60; },
        [](TestChart& c, int&, int&) { c.Radius = 150; },
        [](TestChart& c, int&, int&) { c.Center = 190; },
        [](TestChart& c, int&, int&) { c.Stars.StarRA[100] += 30; },
        [](TestChart& c, int&, int&) { c.Stars.StarDec[200] = -c.Stars.StarDec[200]; },
        [](TestChart& c, int&, int&) { c.Stars.StarMag[300] = -1; },
        [](TestChart& c, int&, int&) { c.Look.LimitMag = 3; },
        [](TestChart&, int&, int& side) { side = 380; },
    };
    auto Sky = CatalogueSky(125, 0, -10, 163.2);
    Sky->Center = 204;
    Sky->Look.LimitMag = 7.9;
    Sky->Sidereal = 30;
    TrailCache kept;
    for (std::size_t k = 0; k < std::size(Changes); ++k) {
        auto keptSurface = ChartRaster(408);
        DrawStarTrails(Sky->Make(), *keptSurface, 12, kept);
        int hours = 12, side = 408;
        Changes[k](*Sky, hours, side);
        auto keptAgain = ChartRaster(side), fresh = ChartRaster(side);
        const Scene scene = Sky->Make();
        DrawStarTrails(scene, *keptAgain, hours, kept);
        TrailCache cold;
        DrawStarTrails(scene, *fresh, hours, cold);
        EXPECT_TRUE(keptAgain->Picture() == fresh->Picture()) << "change " << k;
        EXPECT_FALSE(keptAgain->Picture() == ChartRaster(side)->Picture()) << "drew nothing";
    }
}

TEST(DrawStarTrails, GivesAWatchingSurfaceTheSamePixelsAndNoPlots) {
    auto Sky = CatalogueSky(125, 0, -10, 163.2);
    Sky->Center = 204;
    Sky->Look.LimitMag = 4;
    auto plain = ChartRaster(408), watched = ChartRaster(408);
    int plots = 0;
    watched->OnPlot = [&](const RasterSurface::PlotCall&) { ++plots; };
    TrailCache cache;
    const Scene scene = Sky->Make();
    DrawStarTrails(scene, *plain, 6, cache);
    DrawStarTrails(scene, *watched, 6, cache);
    EXPECT_TRUE(plain->Picture() == watched->Picture());
    EXPECT_EQ(plots, 0);
}

// The cover against a plain multiset per pixel: random strokes added and taken away in
// batches, one pixel driven past a block's inks into a list and back, show the highest ink
// left; the changes listed are the pixels whose shown ink changed in the batch.
TEST(InkCover, ShowsTheHighestInkLeftWhateverTheOrder) {
    constexpr std::uint32_t Pixels = 6;
    std::mt19937 random(11);
    InkCover cover;
    cover.Reset(Pixels);
    std::vector<std::multiset<std::uint16_t>> held(Pixels);
    auto shown = [&](std::uint32_t p) {
        return held[p].empty() ? std::uint16_t{0} : *held[p].rbegin();
    };
    for (int batch = 0; batch < 400; ++batch) {
        // Growing for the first half, shrinking for the second.
        const bool growing = batch < 200;
        std::vector<std::uint16_t> before(Pixels);
        for (std::uint32_t p = 0; p < Pixels; ++p) before[p] = shown(p);
        std::vector<InkCover::Change> changes;
        std::vector<std::multiset<std::uint16_t>> left = held;
        for (int k = 0; k < 5; ++k) {
            const std::uint32_t p =
                random() % 2 == 0 ? 0 : static_cast<std::uint32_t>(random() % Pixels);
            const bool add = left[p].empty() || (random() % 4 != 0) == growing;
            if (add) {
                const auto ink = static_cast<std::uint16_t>(1 + random() % 9);
                changes.push_back({p, ink, true});
                held[p].insert(ink);
            } else {
                // An ink the pixel held before the batch.
                auto at = left[p].begin();
                std::advance(at, static_cast<long>(random() % left[p].size()));
                changes.push_back({p, *at, false});
                held[p].erase(held[p].find(*at));
                left[p].erase(at);
            }
        }
        cover.Apply(changes);
        std::vector<std::uint32_t> listed;
        cover.TakeChanges(listed);
        std::sort(listed.begin(), listed.end());
        std::vector<std::uint32_t> changed;
        for (std::uint32_t p = 0; p < Pixels; ++p) {
            ASSERT_EQ(cover.Shown(p), shown(p)) << "batch " << batch << " pixel " << p;
            if (shown(p) != before[p]) changed.push_back(p);
        }
        EXPECT_EQ(listed, changed) << "batch " << batch;
        if (batch == 199) {
            EXPECT_GT(held[0].size(), 40u) << "pixel 0 never reached a list";
        }
    }
}

// An animation with the trails kept with the frames of the window's two charts: every step
// equals the chart a fresh window draws (its trails through the raster), as each row
// changes the state before its step: the clock, the limit, the span, the trails off and
// on, the view, the Sun's day (a layer over the trails).
TEST(DrawStarTrails, KeptWithTheFramesEqualsFreshCharts) {
    using Change = std::function<void(WindowState&)>;
    const Change step = [](WindowState& s) { s.Moment.MinuteOfYear += 5; };
    const Change Steps[] = {
        step,
        step,
        step,
        step,
        step,
        [](WindowState& s) { s.View.LimitMag = 3.5; },
        step,
        [](WindowState& s) { s.View.Overlays.TrailHours = 24; },
        step,
        [](WindowState& s) { s.Moment.MinuteOfYear += 1440 + 200; },
        step,
        [](WindowState& s) { s.View.Overlays.Trails = false; },
        [](WindowState& s) { s.View.Overlays.Trails = true; },
        step,
        step,
        [](WindowState& s) { s.View.Overlays.Sun = true; },
        step,
        step,
        step,
        step,
        step,
        step,
        [](WindowState& s) { s.View.Azimuth = 40; },
        step,
        step,
        step,
    };
    auto kept = StartedWindow();
    kept->MagnitudeList.SetListIndex(93);
    kept->State.View.Overlays.Trails = true;
    kept->State.View.Overlays.TrailHours = 12;
    for (std::size_t k = 0; k < std::size(Steps); ++k) {
        Steps[k](kept->State);
        RedrawSky(kept->State, kept->Ui);
        auto fresh = StartedWindow();
        fresh->State.View = kept->State.View;
        fresh->State.Moment = kept->State.Moment;
        RedrawSky(fresh->State, fresh->Ui);
        EXPECT_TRUE(LastDrawn(*kept) == LastDrawn(*fresh)) << "step " << k;
    }
}
