#pragma once
// A path on the sphere as the overlays draw it: near segments in their ink, far ones dimmer
// and dashed, cut at the horizon.

#include <vector>

#include "geometry/Projection.h"
#include "render/DrawingSurface.h"

struct Scene;

// A point of a path on the chart, with what decides how it is drawn.
struct PathPoint {
    double X, Y;
    double Depth;   // Unrounded pixels below the horizon plane.
    double Facing;  // Positive on the near half.
};

PathPoint OnChart(const Scene& scene, const ChartPoint& p);

// DrawSkyPath: the part above the horizon of a polyline on the sphere, over its halo: near
// segments in colour, far ones in FarInk of it with every other one left out, so they read
// as dashed. A segment that crosses the horizon is cut where its depth is zero.
void DrawSkyPath(DrawingSurface& S, const std::vector<PathPoint>& points, Colour colour);
