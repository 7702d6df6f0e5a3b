#include "render/Ground.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

#include "core/Convert.h"
#include "core/Horizontal.h"
#include "core/RunTimeError.h"
#include "core/Sky.h"
#include "geometry/Projection.h"
#include "render/Frame.h"
#include "render/Labels.h"
#include "render/Scene.h"
#include "render/Trails.h"
#include "time/Clock.h"
#include "time/Sun.h"

namespace {
inline float Single(double v) { return static_cast<float>(v); }

// A value read off a table of (altitude, value) rows by straight lines, held at both ends.
struct Stop {
    double Altitude, Value[3];
};
void Interpolate(const Stop* stops, int count, double altitude, double out[3]) {
    if (altitude <= stops[0].Altitude) {
        std::copy(stops[0].Value, stops[0].Value + 3, out);
        return;
    }
    for (int k = 1; k < count; ++k) {
        if (altitude <= stops[k].Altitude) {
            const double t =
                (altitude - stops[k - 1].Altitude) / (stops[k].Altitude - stops[k - 1].Altitude);
            for (int c = 0; c < 3; ++c)
                out[c] = stops[k - 1].Value[c] + t * (stops[k].Value[c] - stops[k - 1].Value[c]);
            return;
        }
    }
    std::copy(stops[count - 1].Value, stops[count - 1].Value + 3, out);
}

// Twilight by its three kinds (the Sun 18, 12 and 6 degrees down), then the day's blue:
// no lighter than the dome's grey, so that every overlay ink keeps its 3:1 against it.
constexpr Stop SkyStops[] = {{-18, {0, 0, 0}},
                             {-12, {6, 12, 34}},
                             {-6, {14, 30, 66}},
                             {0, {24, 52, 104}},
                             {10, {30, 72, 140}}};
constexpr Stop LimitStops[] = {
    {-18, {6, 0, 0}}, {-12, {3.5, 0, 0}}, {-6, {1, 0, 0}}, {0, {-2, 0, 0}}};
}  // namespace

double SunAltitudeNow(const Moment& moment) {
    const SunPlace sun = SunAtMinute(moment.MinuteOfYear, moment.Year, SunParts::Direction);
    return HorizontalOf(moment.PoleAngle, SiderealAngleOf(moment), sun.RightAscension,
                        sun.Declination)
        .Altitude;
}

Colour DaylightSky(double sunAltitude) {
    double c[3];
    Interpolate(SkyStops, static_cast<int>(std::size(SkyStops)), sunAltitude, c);
    return RGB(static_cast<int>(std::lround(c[0])), static_cast<int>(std::lround(c[1])),
               static_cast<int>(std::lround(c[2])));
}

double DaylightLimit(double sunAltitude) {
    double c[3];
    Interpolate(LimitStops, static_cast<int>(std::size(LimitStops)), sunAltitude, c);
    return c[0];
}

View GroundViewOf(const View& view, const Moment& moment, Colour& sky) {
    sky = Black;
    if (view.Kind == ViewKind::Dome || !view.Overlays.Daylight) return view;
    const double altitude = SunAltitudeNow(moment);
    sky = DaylightSky(altitude);
    View seen = view;
    seen.LimitMag = std::min(view.LimitMag, DaylightLimit(altitude));
    return seen;
}

namespace {
void DrawGroundFrame(const Projection& p, Colour sky, DrawingSurface& S) {
    const double cx = p.CenterX, cy = p.CenterY, R = p.R;
    S.FillColor = sky;
    if (p.Ground == static_cast<std::uint8_t>(ViewKind::Sky)) {
        // The sky's disc with the horizon as its rim, then the altitude circles of 30 and 60.
        S.Circle(Single(cx), Single(cy), Single(R), GreyColour(HorizonGrey));
        S.Circle(Single(cx), Single(cy), Single(R * 2 / 3), AltitudeCircleGrey);
        S.Circle(Single(cx), Single(cy), Single(R / 3), AltitudeCircleGrey);
    } else {
        // The ground over the whole chart, then the sky: the horizon is a circle in the
        // stereographic mapping, through the points ahead and straight behind.
        S.FillColor = GroundInk;
        S.Box(0.0f, 0.0f, Single(2 * cx), Single(2 * cy), GroundInk);
        const ChartPoint ahead = PlaceGroundPoint(p, {0.0, p.Azimuth});
        // Straight behind lies off the mapping's range: its place from the same formula.
        const double tilt = HorizonViewCentreAltitude * std::numbers::pi / 180;
        const double f = p.CenterX / (2 * std::tan(HorizonViewHalfWidth * std::numbers::pi / 360));
        const double behindY = -(2 * f) / std::tan(tilt / 2);  // 2f tan(90 - tilt / 2), up.
        const double centreY = (ahead.OffsetY + behindY) / 2;
        const double radius = (ahead.OffsetY - behindY) / 2;
        S.FillColor = sky;
        S.Circle(Single(cx), Single(cy + centreY), Single(radius), GreyColour(HorizonGrey));
    }
    S.ForeColor = GreyColour(CompassGrey);
    for (const LabelBox& box : GroundCompassBoxes(p, S)) {
        S.CurrentX = Single(box.X);
        S.CurrentY = Single(box.Y);
        S.PrintText(box.Text);
    }
}
}  // namespace

void ClearAndDrawGroundFrame(const Projection& p, Colour sky, std::uint64_t layer,
                             DrawingSurface& S) {
    FrameKey key = FrameKeyOf(p, layer, S);
    key.Sky = sky;
    if (!S.RestoreFrame(key)) {
        S.Clear();
        DrawGroundFrame(p, sky, S);
        S.KeepFrame(key);
    }
    S.CurrentX = 0.0f;
    S.CurrentY = 0.0f;
    S.ForeColor = GreyColour(CompassGrey);
    S.FillColor = GreyColour(255);
}

namespace {
// A chart coordinate as the pixel that holds it, as the surfaces round a line's ends.
inline int PixelOf(float v) {
    const double p = std::floor(static_cast<double>(v) + 0.5);
    if (!(p > -1e6) || p > 1e6) return -1000000;  // NaN too: off the image.
    return static_cast<int>(p);
}

// A chart point as the pixel that holds it, as handed to the surface in single precision.
GroundTrailCache::Point PixelPoint(const Projection& p, const ChartPoint& c, bool above) {
    return {PixelOf(Single(c.X(p))), PixelOf(Single(c.Y(p))), above};
}

// Brings the cache to the view and catalogue: the circles are made again, star by star as
// the trails need them, when either changed.
void MatchGroundTrails(const Sky& sky, const Projection& p, GroundTrailCache& cache) {
    const bool same =
        cache.Made && cache.Key == p &&
        std::equal(sky.StarRA.begin(), sky.StarRA.end(), cache.KeyRA.begin(), cache.KeyRA.end()) &&
        std::equal(sky.StarDec.begin(), sky.StarDec.end(), cache.KeyDec.begin(),
                   cache.KeyDec.end());
    if (same) return;
    cache.Made = true;
    cache.Key = p;
    cache.KeyRA.assign(sky.StarRA.begin(), sky.StarRA.end());
    cache.KeyDec.assign(sky.StarDec.begin(), sky.StarDec.end());
    cache.Circles.assign(sky.StarRA.size(), {});
    cache.Points.clear();
}

// The star's circle through the mapping, made where not yet made: Count points, then the two
// places where it crosses the horizon (where it does).
const GroundTrailCache::Circle& GroundCircle(const Sky& sky, const Projection& p, std::size_t star,
                                             GroundTrailCache& cache) {
    GroundTrailCache::Circle& circle = cache.Circles[star];
    if (circle.Count > 0) return circle;
    // As SpherePointOf places the star at the sidereal angle that puts it at angle t.
    const double polarDist = ((90 - sky.StarDec[star]) * ChartPi) / 180;
    const double sinPolar = std::sin(polarDist), cosPolar = std::cos(polarDist);
    const double z = p.R * cosPolar;
    // Below the horizon (as the star pass finds it): never drawn, no mapping needed.
    auto above = [&](double cosT) {
        return ((p.R * sinPolar) * cosT * p.SinPole) - (z * p.CosPole) >= 0;
    };
    auto place = [&](double cosT, double sinT) {
        return PlaceSpherePoint(p, (p.R * sinPolar) * cosT, (p.R * sinPolar) * sinT, z);
    };
    auto angle = [](int j, int count) { return (j * (2 * ChartPi)) / count; };
    // The angles' cosines and sines by count: most of a new view's work was taking them
    // again for every circle.
    auto turns = [&](int count) -> const std::vector<double>& {
        if (cache.Turns.size() <= static_cast<std::size_t>(count))
            cache.Turns.resize(static_cast<std::size_t>(count) + 1);
        std::vector<double>& made = cache.Turns[static_cast<std::size_t>(count)];
        if (made.empty()) {
            for (int j = 0; j < count; ++j) {
                const double t = angle(j, count), m = (angle(j, count) + angle(j + 1, count)) / 2;
                made.insert(made.end(), {std::cos(t), std::sin(t), std::cos(m), std::sin(m)});
            }
        }
        return made;
    };
    // As many points as keep every drawn chord within TrailChordTolerance of the curve at
    // its middle, by the curve's own size in the view: the chords' stray falls as the
    // square of their count. A dozen points for a circle round the pole, hundreds for one
    // spread along the 地平 view's horizon.
    std::vector<ChartPoint>& made = cache.Making;
    int count = 16;
    for (int tries = 0;; ++tries) {
        made.clear();
        const std::vector<double>& turn = turns(count);
        for (int j = 0; j < count; ++j) {
            const double* at = &turn[4 * static_cast<std::size_t>(j)];
            ChartPoint c;
            c.Depth = 1;
            if (above(at[0])) c = place(at[0], at[1]);
            made.push_back(c);
        }
        double worst = 0;
        for (int j = 0; j < count; ++j) {
            const ChartPoint &a = made[static_cast<std::size_t>(j)],
                             &b = made[static_cast<std::size_t>((j + 1) % count)];
            if (a.Depth > 0 || b.Depth > 0) continue;
            const double* at = &turn[4 * static_cast<std::size_t>(j)];
            const ChartPoint m = place(at[2], at[3]);
            const double dx = b.OffsetX - a.OffsetX, dy = b.OffsetY - a.OffsetY;
            const double length = std::sqrt((dx * dx) + (dy * dy));
            const double mx = m.OffsetX - a.OffsetX, my = m.OffsetY - a.OffsetY;
            worst = std::fmax(worst, length > 0 ? std::fabs((mx * dy) - (my * dx)) / length
                                                : std::sqrt((mx * mx) + (my * my)));
        }
        if (worst <= TrailChordTolerance || count >= 4096 || tries == 8) break;
        count = std::min(
            4096,
            static_cast<int>(std::ceil(count * std::sqrt(worst / TrailChordTolerance) * 1.1)) + 1);
    }
    circle.First = cache.Points.size();
    circle.Count = count;
    circle.SinPolar = sinPolar;
    circle.CosPolar = cosPolar;
    for (const ChartPoint& c : made) cache.Points.push_back(PixelPoint(p, c, c.Depth <= 0));
    // The horizon where x sin P = z cos P: cos t = cos p cos P / (sin p sin P).
    const double across = sinPolar * p.SinPole;
    const double c = across != 0 ? (cosPolar * p.CosPole) / across : 2.0;
    const double crossing = std::fabs(c) < 1 ? std::acos(c) : -1.0;
    circle.Crossing[0] = crossing;
    circle.Crossing[1] = crossing < 0 ? -1.0 : (2 * ChartPi) - crossing;
    for (const double t : circle.Crossing) {
        // Drawn to where it lies in front: the 地平 view puts what is behind it a radius down.
        GroundTrailCache::Point q{};
        if (t >= 0) {
            const ChartPoint at = place(std::cos(t), std::sin(t));
            q = PixelPoint(p, at, at.DepthExact < 1);
        }
        cache.Points.push_back(q);
    }
    return circle;
}
}  // namespace

namespace {

// The strokes of one drawing in the cache's raster, a line's pixels as the one-pixel line
// steps them, and the rows they reach.
struct GroundStrokes {
    GroundTrailCache& Cache;
    int Top = 1 << 30, Bottom = -1;
    void Segment(int x, int y, int xEnd, int yEnd, std::uint16_t ink) {
        if (x <= -1000000 || xEnd <= -1000000 || y <= -1000000 || yEnd <= -1000000) return;
        const int width = Cache.Width, height = Cache.Height;
        Top = std::min(Top, std::max(std::min(y, yEnd), 0));
        Bottom = std::max(Bottom, std::min(std::max(y, yEnd), height - 1));
        const int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
        const int sx = x < xEnd ? 1 : -1, sy = y < yEnd ? 1 : -1;
        int error = dx + dy;
        const auto inside = [&](int px, int py) {
            return px >= 0 && py >= 0 && px < width && py < height;
        };
        if (inside(x, y) && inside(xEnd, yEnd)) {
            std::uint16_t* const strokes = Cache.Strokes.data();
            const SegmentStepping s = SteppingOf(xEnd - x, yEnd - y);
            StrokeInImage(x, y, s, 0, s.Steps, width,
                          [strokes, ink](std::uint32_t pixel) { strokes[pixel] = ink; });
            return;
        }
        std::uint16_t* const strokes = Cache.Strokes.data();
        for (;;) {
            if (inside(x, y))
                strokes[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(x)] = ink;
            if (x == xEnd && y == yEnd) break;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += sx;
            }
            if (twice <= dx) {
                error += dx;
                y += sy;
            }
        }
    }
};

// Hands the strokes over to S and clears them: as a raster where S takes one, else a colour
// at a time (one-pixel lines where S watches each plot).
void HandOverStrokes(DrawingSurface& S, GroundTrailCache& cache, int top, int bottom) {
    if (top > bottom) return;
    if (S.SetNumberedPixels(cache.Strokes.data(), cache.Width, cache.Height, top, bottom,
                            cache.Palette.data(), cache.Palette.size()))
        return;
    const auto width = static_cast<std::size_t>(cache.Width);
    for (std::size_t c = 1; c < cache.Palette.size(); ++c) {
        cache.Scratch.clear();
        for (int y = top; y <= bottom; ++y) {
            std::uint16_t* row = cache.Strokes.data() + static_cast<std::size_t>(y) * width;
            for (std::size_t x = 0; x < width; ++x) {
                if (row[x] != c) continue;
                cache.Scratch.push_back(static_cast<float>(x));
                cache.Scratch.push_back(static_cast<float>(y));
                row[x] = 0;
            }
        }
        const int count = static_cast<int>(cache.Scratch.size() / 2);
        if (count == 0) continue;
        const float* xy = cache.Scratch.data();
        if (!S.WatchesEachPlot()) {
            S.SetPixels(xy, count, cache.Palette[c]);
            continue;
        }
        // A star table beside the surface would take each pixel for a star.
        for (int k = 0; k < count; ++k)
            S.Line(xy[2 * k], xy[2 * k + 1], xy[2 * k], xy[2 * k + 1], cache.Palette[c]);
    }
}
}  // namespace

namespace {
// Each star's trail ink as a palette number, made again when the magnitudes change.
void MatchInks(const Sky& sky, GroundTrailCache& cache) {
    if (std::equal(sky.StarMag.begin(), sky.StarMag.end(), cache.KeyMag.begin(),
                   cache.KeyMag.end()))
        return;
    cache.KeyMag.assign(sky.StarMag.begin(), sky.StarMag.end());
    cache.Palette.assign(1, Colour{});
    cache.Inks.clear();
    for (const double m : sky.StarMag) {
        const Colour colour = TrailColour(m, false);
        auto known = std::find(cache.Palette.begin() + 1, cache.Palette.end(), colour);
        if (known == cache.Palette.end()) known = cache.Palette.insert(known, colour);
        cache.Inks.push_back(static_cast<std::uint16_t>(known - cache.Palette.begin()));
    }
}
}  // namespace

void DrawGroundTrails(const Scene& scene, DrawingSurface& S, int hours, GroundTrailCache& cache) {
    if (hours < 1 || hours > 24) throw RunTimeError(ErrorKind::SubscriptRange);
    if (S.DrawsNothing()) return;
    const Sky& sky = scene.Stars;
    const Projection& p = scene.Proj;
    MatchGroundTrails(sky, p, cache);
    // Up to 8192 pixels a side, as the dome's trails; beyond, the trails stop at that edge.
    const int width = std::clamp(S.Width(), 0, 8192), height = std::clamp(S.Height(), 0, 8192);
    if (cache.Width != width || cache.Height != height) {
        cache.Width = width;
        cache.Height = height;
        cache.Strokes.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    }
    GroundStrokes strokes{cache};
    // The span as an angle of the circle: the trail runs from t now to t + span.
    const double span = ((hours * 60.0 * TrailSiderealRate) * ChartPi) / 180;
    // Stars surely below the horizon found without a sine a star, as the star pass's bound
    // finds them for the dome: the sky's unit points turned by the sidereal angle; its
    // roundings, a few units in the last place, lie far within the margin.
    const double margin = std::fabs(p.R) * 1e-9;
    const bool bounded = std::fabs(scene.SiderealAngle) < 1e5 && std::isfinite(margin);
    const double siderealRad = bounded ? (scene.SiderealAngle * ChartPi) / 180 : 0.0;
    const double cosS = std::cos(siderealRad), sinS = std::sin(siderealRad);
    MatchInks(sky, cache);
    for (int i = 0; i < StarCount; ++i) {
        const auto star = static_cast<std::size_t>(i);
        const double m = sky.StarMag[star];
        if (!(m < scene.Look.LimitMag)) continue;
        if (bounded) {
            const double bx = p.R * ((sky.UnitX[star] * cosS) + (sky.UnitY[star] * sinS));
            if (((-bx) * p.SinPole) + ((p.R * sky.CosPolarDist[star]) * p.CosPole) > margin)
                continue;
        }
        const GroundTrailCache::Circle& made = GroundCircle(sky, p, star, cache);
        const GroundTrailCache::Point* circle = cache.Points.data() + made.First;
        const int count = made.Count;
        const double* crossings = made.Crossing;
        const double perPoint = count / (2 * ChartPi);
        const double radius = p.R * made.SinPolar, z = p.R * made.CosPolar;
        // The circle's pixel at angle a, on the chord between its kept points, where both are
        // drawn: within the chords' tolerance of the curve, and no mapping.
        auto onChord = [&](double a, GroundTrailCache::Point& q) {
            const double g = a * perPoint, base = std::floor(g);
            const auto j =
                static_cast<int>(((static_cast<long long>(base) % count) + count) % count);
            const GroundTrailCache::Point &u = circle[j], &v = circle[j + 1 == count ? 0 : j + 1];
            if (!u.Above || !v.Above) return false;
            const double f = g - base;
            q = {static_cast<int>(std::floor(u.X + (f * (v.X - u.X)) + 0.5)),
                 static_cast<int>(std::floor(u.Y + (f * (v.Y - u.Y)) + 0.5)), true};
            return true;
        };
        // The star now, as SpherePointOf places it: below the horizon it is not plotted; in
        // the 全天 view it is plotted otherwise (the mapping draws every direction above),
        // in the 地平 view where the mapping finds it in front.
        const double t = ((sky.StarRA[star] - scene.SiderealAngle) * ChartPi) / 180;
        const double x = radius * std::cos(t);
        if ((x * p.SinPole) - (z * p.CosPole) < 0) continue;
        GroundTrailCache::Point start{};
        if (p.Ground != static_cast<std::uint8_t>(ViewKind::Sky) || !onChord(t, start)) {
            const ChartPoint now = PlaceSpherePoint(p, x, radius * std::sin(t), z);
            if (now.Depth > 0) continue;
            start = PixelPoint(p, now, true);
        }
        const std::uint16_t ink = cache.Inks[star];
        // The kept points strictly between now and hours back, in grid steps of t.
        const auto first = static_cast<long long>(std::floor(t * perPoint)) + 1;
        const auto last = static_cast<long long>(std::ceil((t + span) * perPoint)) - 1;
        // The trail's points back from now, each with its angle of the circle (not reduced):
        // a chord joins two above the horizon; where the horizon falls between two, the
        // chord runs from the one above to the circle's crossing, so that the trails reach
        // the horizon as the stars do.
        int fx = start.X, fy = start.Y;
        double ft = t;
        bool above = true;
        // A chord with both ends beyond one edge of the chart leaves no pixel on it: the
        // 地平 view's trails run mostly out of sight.
        auto chord = [&](int ax, int ay, int bx, int by) {
            const bool out = (ax < 0 && bx < 0) || (ay < 0 && by < 0) ||
                             (ax >= width && bx >= width) || (ay >= height && by >= height);
            if (!out) strokes.Segment(ax, ay, bx, by, ink);
        };
        auto to = [&](int tx, int ty, double tt, bool up) {
            if (above && up) {
                chord(fx, fy, tx, ty);
            } else if (above != up) {
                for (int k = 0; k < 2; ++k) {
                    if (crossings[k] < 0) break;
                    double d = std::fmod(crossings[k] - ft, 2 * ChartPi);
                    if (d < 0) d += 2 * ChartPi;
                    if (!(d > 0 && d <= tt - ft)) continue;
                    const GroundTrailCache::Point& c = circle[count + k];
                    if (!c.Above) break;
                    if (above)
                        chord(fx, fy, c.X, c.Y);
                    else
                        chord(c.X, c.Y, tx, ty);
                    break;
                }
            }
            fx = tx;
            fy = ty;
            ft = tt;
            above = up;
        };
        const double step = (2 * ChartPi) / count;
        auto j = static_cast<int>(((first % count) + count) % count);
        for (long long k = first; k <= last; ++k) {
            const GroundTrailCache::Point& q = circle[j];
            to(q.X, q.Y, static_cast<double>(k) * step, q.Above);
            if (++j == count) j = 0;
        }
        // The end hours back, on its chord where that is drawn, mapped where the horizon or
        // the 地平 view's edge lies between.
        const double back = t + span;
        GroundTrailCache::Point end{};
        if ((((radius * std::cos(back)) * p.SinPole) - (z * p.CosPole) < 0)) {
            to(0, 0, back, false);
        } else if (onChord(back, end)) {
            to(end.X, end.Y, back, true);
        } else {
            const ChartPoint c =
                PlaceSpherePoint(p, radius * std::cos(back), radius * std::sin(back), z);
            end = PixelPoint(p, c, c.Depth <= 0);
            to(end.X, end.Y, back, end.Above);
        }
    }
    HandOverStrokes(S, cache, strokes.Top, strokes.Bottom);
}
