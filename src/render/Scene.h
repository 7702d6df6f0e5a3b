#pragma once
// What one chart is drawn from, as the drawing procedures of the chart call take
// it, and what they hand back or keep between charts.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "astro/Bodies.h"
#include "core/Moment.h"
#include "core/Sky.h"
#include "core/View.h"
#include "geometry/Projection.h"
#include "render/Labels.h"
#include "render/RecordedDrawing.h"

// What one chart is drawn from: the three inputs with the view's projection and the
// chart's sidereal angle worked out once.
struct Scene {
    const Sky& Stars;
    const Moment& At;
    const View& Look;
    Projection Proj;
    double SiderealAngle;  // Degrees; SiderealAngleOf(At).
    // The Sun, the Moon and the planets at this moment, worked out once per chart when an
    // overlay that draws them is on (BodiesOfScene otherwise).
    std::optional<BodiesNow> Bodies = std::nullopt;
};
// SceneOf: the scene of the three inputs; with `tables`, the bodies from the series kept
// there (the same bits, faster: the chart call hands in its cache's).
Scene SceneOf(const Sky& sky, const Moment& moment, const View& view, BodyTables* tables = nullptr);
// BodiesOfScene: the bodies for the scene's moment, year, latitude and sidereal angle.
BodiesNow BodiesOfScene(const Scene& scene, BodyTables* tables = nullptr);

// The drawing of the overlays that stand still while the clock runs within a day (the
// Sun's path and marks, the seasons, the circles), kept with every input that decides it.
// What the year's overlays (render/YearMotion) keep between charts, so that a step of the
// clock evaluates no series: the zodiac's stretches of the ecliptic, which depend on the
// catalogue's boundaries alone, and the Sun at 00:00 on the first of each month of one year.
struct ZodiacPlace {
    int Index = -1;        // In the sky's constellations; -1 where no boundary holds it.
    double Longitude = 0;  // Degrees of ecliptic longitude (J2000): its stretch's middle.
};
struct YearTables {
    const ConstellationCatalogue* ZodiacOf = nullptr;  // Null until Zodiac is worked out.
    std::array<ZodiacPlace, 12> Zodiac{};
    int MonthsOf = 0;  // The calendar year of MonthRA and MonthDec; 0 until worked out.
    std::array<double, 12> MonthRA{}, MonthDec{};  // Degrees, J2000.
};

struct OverlayCache {
    std::vector<double> Key;  // Empty: nothing kept.
    std::vector<DrawCommand> Commands;
    // Their labels and the dots those must keep clear of, laid out with every other label
    // of each chart rather than kept drawn.
    std::vector<LabelRequest> Labels;
    std::vector<KeepClear> Discs;
    // Which drawing Commands holds: a new number at each recording, never 0. Layer is it
    // while the kept drawing is on the chart, 0 otherwise; the frame's key carries Layer,
    // so that a surface may keep the drawing with the frame's pixels.
    std::uint64_t Generation = 0, Layer = 0;
    YearTables Year;
};

// One marked point of the overlays, drawn or not: what ListMarkedPoints hands back.
struct MarkedPoint {
    // sun, sun-hour, sunrise, sunset, transit, pole-north, pole-south, zenith,
    // constellation, star-name, moon, a planet's key.
    std::string Kind;
    std::string Label;    // sun-hour: the hour 0..23; transit: its altitude, 0.1 deg; else empty.
    bool Drawn = false;   // On the chart: its overlay is on and the point is above the horizon.
    double X = 0, Y = 0;  // Chart pixels from the top-left corner, y down; where Drawn.
    double Facing = 0;    // Positive on the near half of the sphere (ChartPoint).
    double Altitude = 0;  // Degrees, -90..90, no refraction.
    double Azimuth = 0;   // Degrees from north through east, 0..360.
};

// A star as the star pass handed it to the surface, for tools that list them.
struct PlottedStar {
    int Index;     // Catalogue index.
    float X, Y;    // As handed to the surface.
    float Radius;  // The disc's radius as drawn; 0 for a pixel.
    bool Disc;
};
