#pragma once
// Star trails: the stars' daily motion as a long exposure shows it, each
// plotted star's path over the last hours drawn on the dome.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "geometry/Trails.h"
#include "render/DrawingSurface.h"

struct Scene;

// Stars brighter than this carry an hour tick along their trails.
inline constexpr double TrailTickMagnitude = 1.5;
inline constexpr float TrailTickHalfLength = 3.0f;  // Pixels each side of the trail.

// What the trails keep between redraws, owned by the caller and handed to each drawing.
// It only saves work: a drawing with a fresh cache gives the same pixels.
struct TrailCache {
    TrailShapes Shapes;  // The circles of the view, remade when the view changes.
    // The shapes' grid points as chart pixels (x, y), in the shapes' order, converted as
    // the shapes make them; for ShapesVersion and the centre.
    std::vector<std::int16_t> GridPixels;
    std::uint64_t ShapesVersion = 0;
    float CentreX = 0.0f, CentreY = 0.0f;
    // Each star's trail colours as palette numbers (1 up), made for the magnitudes KeyMag.
    std::vector<double> KeyMag;
    std::vector<Colour> Palette;  // By number; entry 0 unused.
    std::vector<std::uint16_t> FrontInk, BehindInk;
    // The trails of one drawing, as the palette number of each pixel's last stroke (0 for
    // none), row by row over the surface; all 0 between drawings.
    std::vector<std::uint16_t> Strokes;
    int Width = 0, Height = 0;
    // Scratch of the hand-over to the surface.
    struct Stroked {
        std::uint16_t X, Y;  // Pixels.
        std::uint16_t Ink;
    };
    std::vector<Stroked> Touched;
    std::vector<int> InkStart;
    std::vector<float> Points;
};

// DrawStarTrails: the trail of every star brighter than LimitMag that is above the horizon
// now, over Hours hours of the clock ending at its chart position.
// Reads:   scene  the sky's stars, the view's LimitMag, the sidereal angle and projection.
//          Hours  1..24 (the window offers 1, 2, 3, 6, 12 and 24).
// Writes:  S      one-pixel polylines along each star's circle (TrailShapes), cut at the
//                 horizon and at the dome's rim; TrailColour of the star's magnitude,
//                 fainter behind the dome. Stars brighter than TrailTickMagnitude get a tick
//                 across the trail at each whole hour back from now. S's colours and text
//                 position are unchanged.
//          Cache  brought up to date for the view, the catalogue and S's size.
// Notes:   1) Drawn before the star pass, the stars sit on the ends of their trails.
//          2) A span outside 1..24 raises the subscript run-time error.
//          3) The strokes go first into the cache's own raster, one pixel per step along
//             each chord, and reach S once per pixel, a colour at a time (SetPixels): where
//             trails cross, the later star's stroke is the one seen, as when drawn in turn.
//             A surface that watches each plot gets one-pixel lines instead; a surface
//             that draws nothing, nothing at all.
//          4) Surfaces up to 8192 pixels a side; beyond, the trails stop at that edge.
// Tested:  every pixel within a pixel of a star's exact circle or its ticks; the far half
//          of a trail in the fainter colour; a kept cache draws what a fresh one draws.
void DrawStarTrails(const Scene& scene, DrawingSurface& S, int hours, TrailCache& cache);

// TrailColour: a pale blue whose level falls from magnitude 0 to 5 (250 to 140); behind the
// dome, halfway from the sphere's grey 80 to that colour.
Colour TrailColour(double magnitude, bool behind);

// StrokeInImage: the pixels of a segment whose two ends lie in a row-major raster of the
// given width, set to ink: a pixel a step along the longer side, the other side in 1/65536
// of a pixel from the pixel's middle, no test and no branch a pixel (every pixel between
// two in the image is in it; 32 bits hold a side of up to 8192). Without its first pixel
// when joined to the segment before. Both trail drawers' strokes go through it.
inline void StrokeInImage(std::uint16_t* raster, int width, int x, int y, int xEnd, int yEnd,
                          std::uint16_t ink, bool joined = false) {
    const int dx = xEnd - x, dy = yEnd - y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const double perStep = steps > 0 ? 65536.0 / steps : 0.0;
    const auto ix = static_cast<std::int32_t>(dx * perStep);
    const auto iy = static_cast<std::int32_t>(dy * perStep);
    std::int32_t fx = x * 65536 + 32768, fy = y * 65536 + 32768;
    int k = 0;
    if (joined) {
        if (steps == 0) return;
        k = 1;
        fx += ix;
        fy += iy;
    }
    for (; k <= steps; ++k, fx += ix, fy += iy) raster[(fy >> 16) * width + (fx >> 16)] = ink;
}
