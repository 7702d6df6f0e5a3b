#pragma once
// The chart call: one chart from a sky, a moment and a view, on any drawing
// surface. Everything kept between two charts to draw the next one faster is
// in a ChartCache that the caller owns and hands in; nothing else is kept.

#include <vector>

#include "render/Ground.h"
#include "render/Scene.h"
#include "render/Trails.h"

class DrawingSurface;

// What a caller keeps from one chart to the next of the same window: owned by the caller,
// one per chart stack, and never needed for correctness (a fresh cache draws the same).
struct ChartCache {
    OverlayCache Shapes;
    TrailCache Trails;              // The star trails' circles of the last view drawn with trails.
    GroundTrailCache GroundTrails;  // The same for the ground views.
    BodyTables Bodies;              // The bodies' series for the day in use.
};

// DrawChart: a whole chart.
// Reads:   the sky, the moment and the view; the surface's size, colours and font.
// Writes:  the surface: cleared, the frame, the overlays under the stars (trails,
//          constellation lines), the stars and the overlays over them; cache; stars, when
//          given, the stars plotted in plotting order; labels, when given, the overlays'
//          labels placed and dropped.
// Notes:   Where the surface keeps the pixels of the same frame (and the day's overlay
//          drawing with it), they are put back instead of drawn again: same pixels.
void DrawChart(const Sky& sky, const Moment& moment, const View& view, DrawingSurface& S,
               ChartCache& cache, std::vector<PlottedStar>* stars = nullptr,
               LabelOutcome* labels = nullptr);
