#include "render/Ground.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

#include "core/Convert.h"
#include "core/Horizontal.h"
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
    FrameKey key{S.Width(), S.Height(),  S.BackColor,   S.FillStyle,
                 p,         S.DrawScale, S.TextOutline, S.LineHeight()};
    key.Layer = layer;
    key.Inks = S.Inks;
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
// Brings the cache to the view and catalogue: the circles are made again, star by star as
// the trails need them, when either changed.
void MatchGroundTrails(const Sky& sky, const Projection& p, GroundTrailCache& cache) {
    const bool same = cache.Made && cache.Key == p &&
                      std::equal(sky.StarRA.begin(), sky.StarRA.end(), cache.KeyRA.begin(),
                                 cache.KeyRA.end()) &&
                      std::equal(sky.StarDec.begin(), sky.StarDec.end(), cache.KeyDec.begin(),
                                 cache.KeyDec.end());
    if (same) return;
    cache.Made = true;
    cache.Key = p;
    cache.KeyRA.assign(sky.StarRA.begin(), sky.StarRA.end());
    cache.KeyDec.assign(sky.StarDec.begin(), sky.StarDec.end());
    // Chords of a circle of radius R stray from it by R a^2 / 8 for an angle a: a quarter
    // pixel at most on the largest circle the mapping draws.
    const double widest = std::sqrt(2 / std::fmax(p.R, 1.0));
    cache.Count = static_cast<int>(std::ceil((2 * ChartPi) / widest));
    cache.First.assign(sky.StarRA.size(), -1);
    cache.Points.clear();
}

// The star's circle through the mapping, made where not yet made.
const GroundTrailCache::Point* GroundCircle(const Sky& sky, const Projection& p, std::size_t star,
                                            GroundTrailCache& cache) {
    if (cache.First[star] < 0) {
        cache.First[star] = static_cast<int>(cache.Points.size());
        for (int j = 0; j < cache.Count; ++j) {
            // The point at t = j x 2 pi / Count: as SpherePointOf places it at the sidereal
            // angle that puts it there.
            const double t = (j * (2 * ChartPi)) / cache.Count;
            const double polarDist = ((90 - sky.StarDec[star]) * ChartPi) / 180;
            const double sinPolar = std::sin(polarDist);
            const double x = (p.R * sinPolar) * std::cos(t);
            const double y = (p.R * sinPolar) * std::sin(t);
            const double z = p.R * std::cos(polarDist);
            const ChartPoint c = PlaceSpherePoint(p, x, y, z);
            cache.Points.push_back({Single(c.X(p)), Single(c.Y(p)), c.Depth <= 0});
        }
    }
    return cache.Points.data() + cache.First[star];
}
}  // namespace

void DrawGroundTrails(const Scene& scene, DrawingSurface& S, int hours, GroundTrailCache& cache) {
    const Sky& sky = scene.Stars;
    const Projection& p = scene.Proj;
    MatchGroundTrails(sky, p, cache);
    const int count = cache.Count;
    // The span as an angle of the circle; its end is the star now turned by it.
    const double span = ((hours * 60.0 * TrailSiderealRate) * ChartPi) / 180;
    const double cosSpan = std::cos(span), sinSpan = std::sin(span);
    const double perPoint = count / (2 * ChartPi);
    constexpr float Margin = 64.0f;
    const float right = static_cast<float>(S.Width()) + Margin,
                bottom = static_cast<float>(S.Height()) + Margin;
    for (int i = 0; i < StarCount; ++i) {
        const auto star = static_cast<std::size_t>(i);
        const double m = sky.StarMag[star];
        if (!(m < scene.Look.LimitMag)) continue;
        double x, y, z;
        SpherePointOf(p, sky.StarRA[star], sky.StarDec[star], scene.SiderealAngle, x, y, z);
        const ChartPoint now = PlaceSpherePoint(p, x, y, z);
        if (now.Depth > 0) continue;  // Not plotted now.
        const ChartPoint back =
            PlaceSpherePoint(p, (x * cosSpan) - (y * sinSpan), (x * sinSpan) + (y * cosSpan), z);
        const GroundTrailCache::Point* circle = GroundCircle(sky, p, star, cache);
        const Colour ink = TrailColour(m, false);
        // The kept points strictly between now and hours back, in grid steps of t.
        const double t = ((sky.StarRA[star] - scene.SiderealAngle) * ChartPi) / 180;
        const double from = t * perPoint, to = (t + span) * perPoint;
        const auto first = static_cast<long long>(std::floor(from)) + 1;
        const auto last = static_cast<long long>(std::ceil(to)) - 1;
        float fx = Single(now.X(p)), fy = Single(now.Y(p));
        bool above = true;
        // A chord with both ends beyond one edge of the chart, by more than any pen's
        // reach, leaves no pixel on it: the 地平 view's trails run mostly out of sight.
        auto chord = [&](float tx, float ty) {
            const bool out = (fx < -Margin && tx < -Margin) || (fy < -Margin && ty < -Margin) ||
                             (fx > right && tx > right) || (fy > bottom && ty > bottom);
            if (!out) S.Line(fx, fy, tx, ty, ink);
        };
        for (long long j = first; j <= last; ++j) {
            const GroundTrailCache::Point& q = circle[((j % count) + count) % count];
            if (above && q.Above) chord(q.X, q.Y);
            fx = q.X;
            fy = q.Y;
            above = q.Above;
        }
        if (above && back.Depth <= 0) chord(Single(back.X(p)), Single(back.Y(p)));
    }
}
