#include "render/Bodies.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "astro/Bodies.h"
#include "core/Horizontal.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"
#include "render/Labels.h"

namespace {
constexpr double Radian = std::numbers::pi / 180;
constexpr Colour MoonLit = RGB(255, 248, 200), MoonDark = RGB(45, 45, 60),
                 MoonRim = RGB(150, 150, 140), MoonText = RGB(255, 240, 160);
// The planets' inks, after the colours a pupil sees: Mars red, Jupiter and Saturn cream.
constexpr Colour PlanetInk[BodyCount] = {0,
                                         0,
                                         RGB(200, 200, 210),
                                         RGB(255, 255, 215),
                                         RGB(255, 110, 70),
                                         RGB(245, 215, 165),
                                         RGB(235, 200, 120)};
constexpr Colour InsetBack = RGB(10, 10, 30), InsetLine = RGB(90, 90, 120),
                 SunInk = RGB(255, 170, 0), EarthInk = RGB(80, 150, 255),
                 InsetText = RGB(230, 230, 230);

float F(double v) { return static_cast<float>(v); }

// What the body overlays hand the chart's label layout, and the places it keeps free.
struct BodyLabels {
    std::vector<LabelRequest>& Requests;
    std::vector<KeepClear>& Discs;
    std::vector<LabelBox>& Blocked;
};

// A text of the inset, at its place in the inset's corner and nowhere else.
void InsetLabel(DrawingSurface& S, BodyLabels& out, double x, double y, const std::string& text) {
    LabelRequest request;
    request.Pieces = {text};
    request.X = x;
    request.Y = y - S.LineHeight() / 2;
    request.Ink = InsetText;
    request.Class = LabelClass::Sun;
    request.Side = LabelSide::Fixed;
    out.Requests.push_back(std::move(request));
}

// A disc of radius r at (x, y) lit toward the chart direction (ux, uy) (a unit vector),
// the lit part a fraction k of its area: the dark disc with its rim, then each pixel whose
// centre lies between the terminator (an ellipse of half-width r |1 - 2k| across the
// bright-limb axis) and the lit limb, set one by one so that no stripe is left at any angle.
void PhaseDisc(DrawingSurface& S, double x, double y, double r, double ux, double uy, double k,
               Colour lit, Colour dark, Colour rim) {
    S.FillColor = dark;
    S.Circle(F(x), F(y), F(r), rim);
    std::vector<float> pixels;
    const double inner = r - 0.5;  // Inside the rim.
    for (double py = std::floor(y - r); py <= y + r; ++py) {
        for (double px = std::floor(x - r); px <= x + r; ++px) {
            const double dx = px - x, dy = py - y;
            const double u = dx * ux + dy * uy, v = -dx * uy + dy * ux;
            if (u * u + v * v > inner * inner) continue;
            if (u < std::sqrt(inner * inner - v * v) * (1 - 2 * k)) continue;
            pixels.push_back(F(px));
            pixels.push_back(F(py));
        }
    }
    S.SetPixels(pixels.data(), static_cast<int>(pixels.size() / 2), lit);
}

// The chart direction, as a unit vector, of a position angle (degrees from north through
// east) at a sky point: from the chart images of points a small step north and east.
void ChartDirection(const Scene& scene, double ra, double dec, double positionAngle, double& ux,
                    double& uy) {
    constexpr double Step = 0.5;  // Degrees.
    const ChartPoint at = PlaceSkyPoint(scene.Proj, ra, dec, scene.SiderealAngle);
    const double north = dec + Step > 90 ? dec - Step : dec + Step;
    const double sign = north > dec ? 1 : -1;
    const ChartPoint n = PlaceSkyPoint(scene.Proj, ra, north, scene.SiderealAngle);
    const ChartPoint e = PlaceSkyPoint(
        scene.Proj, ra + Step / std::max(0.01, std::cos(dec * Radian)), dec, scene.SiderealAngle);
    const double c = std::cos(positionAngle * Radian), s = std::sin(positionAngle * Radian);
    ux = c * sign * (n.OffsetX - at.OffsetX) + s * (e.OffsetX - at.OffsetX);
    uy = c * sign * (n.OffsetY - at.OffsetY) + s * (e.OffsetY - at.OffsetY);
    const double length = std::hypot(ux, uy);
    if (length > 0) {
        ux /= length;
        uy /= length;
    } else {
        ux = 1;
        uy = 0;
    }
}

std::string Fixed1(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

double MoonRadius(const Scene& scene) { return std::max(8.0, scene.Proj.R * 0.06); }

// Venus's disc on the chart: 4 pixels at its smallest (10 arcseconds, beyond the Sun), 12 at
// its largest (66 arcseconds, a thin crescent): its phase reads, and its growth shows.
double VenusRadius(double diameterArcsec) {
    return 4 + 8 * std::clamp((diameterArcsec - 10) / 56, 0.0, 1.0);
}

void DrawMoon(const Scene& scene, DrawingSurface& S, BodyLabels& out) {
    const BodyPlace& moon = (*scene.Bodies)[Body::Moon];
    const ChartPoint p =
        PlaceSkyPoint(scene.Proj, moon.RightAscension, moon.Declination, scene.SiderealAngle);
    if (p.Depth > 0) return;
    double ux = 1, uy = 0;
    ChartDirection(scene, moon.RightAscension, moon.Declination, moon.BrightLimb, ux, uy);
    const double r = MoonRadius(scene);
    const double x = p.X(scene.Proj), y = p.Y(scene.Proj);
    PhaseDisc(S, x, y, r, ux, uy, moon.Illuminated, MoonLit, MoonDark, MoonRim);
    out.Discs.push_back({x, y, r + 1});
    // The name whole and the age one character at a time, each at the advance of the text
    // before it, so that a front end with glyph masks made ahead of time draws the same;
    // outward from the centre line first, as the other overlays' labels go.
    LabelRequest request;
    request.Pieces = {"月 月齢"};
    for (const char c : Fixed1(scene.Bodies->MoonAge)) request.Pieces.emplace_back(1, c);
    request.X = x;
    request.Y = y;
    request.Ink = MoonText;
    request.Class = LabelClass::Body;
    request.Side = x > scene.Proj.CenterX ? LabelSide::Left : LabelSide::Right;
    request.Gap = static_cast<float>(r + 4);
    out.Requests.push_back(std::move(request));
}

void DrawPlanets(const Scene& scene, DrawingSurface& S, BodyLabels& out) {
    for (int b = 2; b < BodyCount; ++b) {
        const BodyPlace& planet = scene.Bodies->Place[static_cast<std::size_t>(b)];
        const ChartPoint p = PlaceSkyPoint(scene.Proj, planet.RightAscension, planet.Declination,
                                           scene.SiderealAngle);
        if (p.Depth > 0) continue;
        const double x = p.X(scene.Proj), y = p.Y(scene.Proj);
        const Colour ink = PlanetInk[b];
        double r = 3;
        if (b == static_cast<int>(Body::Venus)) {
            // Venus as a telescope enlarges it: its phase, lit toward the Sun, and its size,
            // which grows about sixfold from the far side of the Sun to a thin crescent.
            r = VenusRadius(planet.Diameter);
            double ux = 1, uy = 0;
            ChartDirection(scene, planet.RightAscension, planet.Declination, planet.BrightLimb, ux,
                           uy);
            PhaseDisc(S, x, y, r, ux, uy, planet.Illuminated, ink, MoonDark, MoonRim);
        } else {
            S.FillColor = ink;
            S.Circle(F(x), F(y), F(r), ink);
        }
        out.Discs.push_back({x, y, r + 1});
        LabelRequest request;
        request.Pieces = {BodyNames[b]};
        request.X = x;
        request.Y = y;
        request.Ink = ink;
        request.Class = LabelClass::Body;
        request.Side = LabelSide::Right;
        request.Gap = static_cast<float>(r + 2);
        request.Rank = b;
        out.Requests.push_back(std::move(request));
    }
}

// The inset's two top views, each in a square of side `size` at (left, top): the Earth and
// the Moon's orbit with the Sun's light from the left; and the Sun with the orbits of Venus
// and the Earth, the Earth at the bottom.
void DrawMoonView(const Scene& scene, DrawingSurface& S, BodyLabels& out, double left, double top,
                  double size) {
    const BodiesNow& now = *scene.Bodies;
    S.FillColor = InsetBack;
    S.Box(F(left), F(top), F(left + size), F(top + size), InsetLine);
    // The Sun's light: arrows from the left edge.
    for (int k = 1; k <= 3; ++k) {
        const double y = top + size * k / 4;
        S.Line(F(left + 3), F(y), F(left + 14), F(y), SunInk);
        S.Line(F(left + 14), F(y), F(left + 10), F(y - 3), SunInk);
        S.Line(F(left + 14), F(y), F(left + 10), F(y + 3), SunInk);
    }
    const double cx = left + size * 0.55, cy = top + size * 0.5, orbit = size * 0.32;
    S.FillColor = InsetBack;
    S.Circle(F(cx), F(cy), F(orbit), InsetLine);
    S.FillColor = EarthInk;
    S.Circle(F(cx), F(cy), F(size * 0.06), EarthInk);
    // The Moon at its elongation from the Sun, counter-clockwise seen from the north.
    const double a = (now.MoonLongitude - now.SunLongitude) * Radian;
    const double mx = cx - orbit * std::cos(a), my = cy + orbit * std::sin(a);
    // From space, the half toward the Sun (the left) is lit.
    PhaseDisc(S, mx, my, size * 0.07, -1, 0, 0.5, MoonLit, MoonDark, MoonRim);
    // As seen from the Earth (the northern hemisphere, facing south): the waxing Moon lit on
    // the right, the waning on the left.
    const double r = size * 0.09;
    PhaseDisc(S, left + size - r - 3, top + r + 3, r, std::sin(a) >= 0 ? 1 : -1, 0,
              now[Body::Moon].Illuminated, MoonLit, MoonDark, MoonRim);
    InsetLabel(S, out, left + 3, top + size - S.LineHeight() / 2 - 2, "月");
}

void DrawVenusView(const Scene& scene, DrawingSurface& S, BodyLabels& out, double left, double top,
                   double size) {
    const BodiesNow& now = *scene.Bodies;
    S.FillColor = InsetBack;
    S.Box(F(left), F(top), F(left + size), F(top + size), InsetLine);
    const double cx = left + size / 2, cy = top + size * 0.42, earthOrbit = size * 0.36;
    const double venusOrbit = earthOrbit * now.VenusRadius / now.EarthRadius;
    S.FillColor = InsetBack;
    S.Circle(F(cx), F(cy), F(earthOrbit), InsetLine);
    S.Circle(F(cx), F(cy), F(venusOrbit), InsetLine);
    S.FillColor = SunInk;
    S.Circle(F(cx), F(cy), F(size * 0.05), SunInk);
    // The Earth at the bottom; angles counter-clockwise seen from the ecliptic's north.
    const double ex = cx, ey = cy + earthOrbit;
    S.FillColor = EarthInk;
    S.Circle(F(ex), F(ey), F(size * 0.04), EarthInk);
    const double a = (now.VenusLongitude - now.EarthLongitude) * Radian;
    const double vx = cx + venusOrbit * std::sin(a), vy = cy + venusOrbit * std::cos(a);
    // Venus lit on the Sun's side.
    const double sx = cx - vx, sy = cy - vy, sl = std::hypot(sx, sy);
    PhaseDisc(S, vx, vy, size * 0.045, sx / sl, sy / sl, 0.5, PlanetInk[3], MoonDark, MoonRim);
    const BodyPlace& venus = now[Body::Venus];
    const char* name = venus.Elongation < 10 ? "見えにくい"
                       : venus.EastOfSun     ? "宵の明星"
                                             : "明けの明星";
    InsetLabel(S, out, left + 3, top + size - S.LineHeight() / 2 - 2, std::string("金星：") + name);
}

void DrawInset(const Scene& scene, DrawingSurface& S, BodyLabels& out) {
    // The bottom corners, clear of the sphere (radius 0.8 of the half side) up to a quarter
    // of the side; no other label is placed over them.
    const double side = std::min(S.Width(), S.Height());
    const double size = std::floor(side * 0.26);
    const double top = S.Height() - size - 1, right = S.Width() - size - 1;
    DrawMoonView(scene, S, out, 1, top, size);
    DrawVenusView(scene, S, out, right, top, size);
    out.Blocked.push_back({"", 1, top, size, size});
    out.Blocked.push_back({"", right, top, size, size});
}

MarkedPoint BodyMark(const Scene& scene, Body body, std::string label, bool on) {
    const BodyPlace& place = (*scene.Bodies)[body];
    const ChartPoint p =
        PlaceSkyPoint(scene.Proj, place.RightAscension, place.Declination, scene.SiderealAngle);
    const Horizontal h = HorizontalOf(scene.At.PoleAngle, scene.SiderealAngle, place.RightAscension,
                                      place.Declination);
    MarkedPoint m;
    m.Kind = BodyKeys[static_cast<int>(body)];
    m.Label = std::move(label);
    m.Drawn = on && p.Depth <= 0;
    m.X = p.X(scene.Proj);
    m.Y = p.Y(scene.Proj);
    m.Facing = p.Facing;
    m.Altitude = h.Altitude;
    m.Azimuth = h.Azimuth;
    return m;
}
}  // namespace

void DrawBodies(const Scene& scene, DrawingSurface& S, std::vector<LabelRequest>& labels,
                std::vector<KeepClear>& discs, std::vector<LabelBox>& blocked) {
    if (!scene.Bodies) return;
    const OverlaySet& on = scene.Look.Overlays;
    BodyLabels out{labels, discs, blocked};
    if (on.Planets) DrawPlanets(scene, S, out);
    if (on.Moon) DrawMoon(scene, S, out);
    if (on.Space) DrawInset(scene, S, out);
}

void ListBodyPoints(const Scene& scene, std::vector<MarkedPoint>& marks) {
    if (!scene.Bodies) return;
    const OverlaySet& on = scene.Look.Overlays;
    if (on.Moon) marks.push_back(BodyMark(scene, Body::Moon, Fixed1(scene.Bodies->MoonAge), true));
    if (on.Planets) {
        for (int b = 2; b < BodyCount; ++b)
            marks.push_back(BodyMark(scene, static_cast<Body>(b), BodyKeys[b], true));
    }
}

std::string BodyTable(const Scene& scene) {
    std::string table = "body,altitude,azimuth,illuminated,bright_limb,diameter_arcsec,x,y\n";
    if (!scene.Bodies) return table;
    const OverlaySet& on = scene.Look.Overlays;
    char row[200];
    for (int b = 0; b < BodyCount; ++b) {
        const bool overlay = b == 0 ? on.Sun : b == 1 ? on.Moon : on.Planets;
        const MarkedPoint m = BodyMark(scene, static_cast<Body>(b), "", overlay);
        const BodyPlace& place = scene.Bodies->Place[static_cast<std::size_t>(b)];
        int n =
            std::snprintf(row, sizeof row, "%s,%.4f,%.4f,%.4f,%.2f,%.2f,", BodyKeys[b], m.Altitude,
                          m.Azimuth, place.Illuminated, place.BrightLimb, place.Diameter);
        if (m.Drawn)
            std::snprintf(row + n, sizeof row - static_cast<std::size_t>(n), "%.3f,%.3f", m.X, m.Y);
        else
            std::snprintf(row + n, sizeof row - static_cast<std::size_t>(n), ",");
        table += row;
        table += '\n';
    }
    return table;
}
