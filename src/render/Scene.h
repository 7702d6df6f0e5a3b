#pragma once
// What one chart is drawn from, as the drawing procedures of the chart call take
// it, and what they hand back or keep between charts.

#include <cstdint>
#include <vector>

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
};
Scene SceneOf(const Sky& sky, const Moment& moment, const View& view);

// The drawing of the overlays that stand still while the clock runs within a day (the
// Sun's path and marks, the seasons, the circles), kept with every input that decides it.
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
};

// A star as the star pass handed it to the surface, for tools that list them.
struct PlottedStar {
    int Index;     // Catalogue index.
    float X, Y;    // As handed to the surface.
    float Radius;  // The disc's radius as drawn; 0 for a pixel.
    bool Disc;
};
