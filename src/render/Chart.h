#pragma once
// The chart call: one chart from a sky, a moment and a view, on any drawing
// surface. Everything kept between two charts to draw the next one faster is
// in a ChartCache that the caller owns and hands in; nothing else is kept.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "astro/Bodies.h"
#include "core/Moment.h"
#include "core/Sky.h"
#include "core/View.h"
#include "geometry/Projection.h"
#include "render/RecordedDrawing.h"

class DrawingSurface;

// What one chart is drawn from: the three inputs with the view's projection and the
// chart's sidereal angle worked out once.
struct Scene {
    const Sky& Stars;
    const Moment& At;
    const View& Look;
    Projection Proj;
    double SiderealAngle;  // Degrees; SiderealAngleOf(At).
    // The Sun, the Moon and the planets at this moment, worked out once per chart; set by
    // SceneOf when an overlay that draws them is on (BodiesOfScene otherwise).
    std::optional<BodiesNow> Bodies = std::nullopt;
};
Scene SceneOf(const Sky& sky, const Moment& moment, const View& view);
// BodiesOfScene: the bodies for the scene's moment, year, latitude and sidereal angle;
// with `tables`, the series kept there (the same bits, faster).
BodiesNow BodiesOfScene(const Scene& scene, BodyTables* tables = nullptr);

// The drawing of the overlays that stand still while the clock runs within a day (the
// Sun's path and marks, the seasons, the circles), kept with every input that decides it.
struct OverlayCache {
    std::vector<double> Key;  // Empty: nothing kept.
    std::vector<DrawCommand> Commands;
    // Which drawing Commands holds: a new number at each recording, never 0. Layer is it
    // while the kept drawing is on the chart, 0 otherwise; the frame's key carries Layer,
    // so that a surface may keep the drawing with the frame's pixels.
    std::uint64_t Generation = 0, Layer = 0;
};

// What a caller keeps from one chart to the next of the same window: owned by the caller,
// one per chart stack, and never needed for correctness (a fresh cache draws the same).
struct ChartCache {
    OverlayCache Shapes;
    BodyTables Bodies;  // The bodies' series for the day in use.
};

// A star as the star pass handed it to the surface, for tools that list them.
struct PlottedStar {
    int Index;     // Catalogue index.
    float X, Y;    // As handed to the surface.
    float Radius;  // The disc's radius as drawn; 0 for a pixel.
    bool Disc;
};

// DrawChart: a whole chart.
// Reads:   the sky, the moment and the view; the surface's size, colours and font.
// Writes:  the surface: cleared, the frame, the overlays under the stars (trails,
//          constellation lines), the stars and the overlays over them; cache; stars, when
//          given, the stars plotted in plotting order.
// Notes:   Where the surface keeps the pixels of the same frame (and the day's overlay
//          drawing with it), they are put back instead of drawn again: same pixels.
void DrawChart(const Sky& sky, const Moment& moment, const View& view, DrawingSurface& S,
               ChartCache& cache, std::vector<PlottedStar>* stars = nullptr);
