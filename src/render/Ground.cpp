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

void DrawGroundTrails(const Scene& scene, DrawingSurface& S, int hours) {
    const Sky& sky = scene.Stars;
    const Projection& p = scene.Proj;
    // Chords of a circle of radius R stray from it by R a^2 / 8 for an angle a: a quarter
    // pixel at most on the largest circle the mapping draws, in whole minutes of 5 to 30.
    const double widest = std::sqrt(2 / std::fmax(p.R, 1.0)) * (180 / std::numbers::pi);
    const int stepMinutes =
        static_cast<int>(std::clamp(std::floor(widest / TrailSiderealRate), 5.0, 30.0));
    const int steps = (hours * 60 + stepMinutes - 1) / stepMinutes;
    // Back one step in time turns every star's sphere point the same angle about the pole:
    // one sine and cosine for all, instead of the place worked out afresh at each step.
    const double turn = ((stepMinutes * TrailSiderealRate) * ChartPi) / 180;
    const double cosTurn = std::cos(turn), sinTurn = std::sin(turn);
    for (int i = 0; i < StarCount; ++i) {
        const auto star = static_cast<std::size_t>(i);
        const double m = sky.StarMag[star];
        if (!(m < scene.Look.LimitMag)) continue;
        double x, y, z;
        SpherePointOf(p, sky.StarRA[star], sky.StarDec[star], scene.SiderealAngle, x, y, z);
        ChartPoint from = PlaceSpherePoint(p, x, y, z);
        if (from.Depth > 0) continue;  // Not plotted now.
        const Colour ink = TrailColour(m, false);
        for (int k = 1; k <= steps; ++k) {
            const double turned = (x * cosTurn) - (y * sinTurn);
            y = (x * sinTurn) + (y * cosTurn);
            x = turned;
            const ChartPoint to = PlaceSpherePoint(p, x, y, z);
            if (to.Depth <= 0 && from.Depth <= 0)
                S.Line(Single(from.X(p)), Single(from.Y(p)), Single(to.X(p)), Single(to.Y(p)), ink);
            from = to;
        }
    }
}
