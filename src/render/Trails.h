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
#include "render/InkCover.h"

struct Scene;

// Stars brighter than this carry an hour tick along their trails.
inline constexpr double TrailTickMagnitude = 1.5;
inline constexpr float TrailTickHalfLength = 3.0f;  // Pixels each side of the trail.

// A stretch of a star's sequence (TrailCache), both ends included; indices count on past
// the sequence's length for the turns after the first.
struct SequenceRange {
    std::int64_t From = 0, To = 0;
    std::uint16_t Key = 0;  // The stroke's number (its star, side and kind).
    bool operator==(const SequenceRange&) const = default;
};

// What the trails keep between redraws, owned by the caller and handed to each drawing.
// It only saves work: a drawing with a fresh cache gives the same pixels.
struct TrailCache {
    TrailShapes Shapes;  // The circles of the view, remade when the view changes.
    // The shapes' grid points as chart pixels (x, y), in the shapes' order, converted as
    // the shapes make them; for ShapesVersion and the centre.
    std::vector<std::int16_t> GridPixels;
    std::uint64_t ShapesVersion = 0;
    float CentreX = 0.0f, CentreY = 0.0f;
    // Each star's sequence: the pixels of its circle's chords one after another all the
    // way round, each chord from its grid point up to the next one's, which starts the
    // next chord. By grid point (as GridPixels): where its chord starts in its star's
    // sequence; by star: the sequence's length, -1 until made. A trail is a stretch of its
    // star's sequence, so a trail that moves on changes only at its two ends.
    std::vector<std::uint32_t> ChordStart;
    std::vector<std::int64_t> SequenceLength;
    // Counts the changes of the sequences, the inks and the raster's size.
    std::uint64_t SequenceVersion = 1;
    // The strokes' numbers (1 up, by star, side and kind: where strokes cross, the highest
    // is seen), made for the magnitudes KeyMag: their colours, and those as numbers of
    // Palette, the colours used.
    std::vector<double> KeyMag;
    std::vector<Colour> KeyColour;      // By stroke number; entry 0 unused.
    std::vector<std::uint16_t> KeyInk;  // By stroke number: the colour's number in Palette.
    std::vector<Colour> Palette;        // By number; entry 0 unused.
    // The trails of one drawing, as the highest stroke number of each pixel (0 for none),
    // row by row over the surface; all 0 between drawings.
    std::vector<std::uint16_t> Strokes;
    int Width = 0, Height = 0;
    // The trails as the surfaces keep them with their frames (DrawingSurface::KeptTrails):
    // the state last drawn so, as a cover of inks and each star's stretches and ticks; and
    // the pixels each of the last two steps changed, so that a surface that holds either
    // state before catches up (the window's two chart surfaces take turns).
    struct Tick {
        std::uint32_t Pixel;
        std::uint16_t Key;
        bool operator==(const Tick&) const = default;
    };
    InkCover Cover;
    std::uint64_t CoverVersion = 0;        // The SequenceVersion Ranges count in; 0 for none.
    std::uint64_t Token = 0;               // Of the state Cover holds; 0 for none.
    std::vector<SequenceRange> Ranges;     // By star, MaxTrailPieces each.
    std::vector<std::uint8_t> Counts;      // By star: how many of its Ranges are drawn.
    std::vector<std::vector<Tick>> Ticks;  // By star: its hour ticks' pixels.
    struct Step {
        std::uint64_t From = 0;  // The state it starts from; it ends in the next one.
        std::vector<std::uint32_t> Pixels;
    };
    Step Steps[2];  // The last step, into Token's state, second.
    // Scratch of the hand-over to the surface.
    struct Stroked {
        std::uint16_t X, Y;  // Pixels.
        std::uint16_t Ink;
    };
    std::vector<Stroked> Touched;
    std::vector<int> InkStart;
    std::vector<float> Points;
    std::vector<InkCover::Change> Changes;  // Of Cover in one drawing.
    std::vector<std::uint32_t> Handed;
    std::vector<std::uint16_t> HandedInks;
    std::vector<Tick> NewTicks;
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
//          3) A trail is the stretch of its star's sequence (TrailCache) between the pixels
//             nearest its two ends: the chords' pixels, one per step along each chord.
//             Where trails cross, the later star's trail is seen, as when drawn in turn,
//             and a star's ticks over its trail, whatever the order of drawing.
//          4) Where the surface keeps the trails with its frame (an animation step on a
//             kept frame), only the pixels whose ink changed since the surface's last
//             trails are handed over; else the strokes go into the cache's own raster and
//             reach S once per pixel (SetNumberedPixels, or a colour at a time by
//             SetPixels). A surface that watches each plot gets one-pixel lines instead; a
//             surface that draws nothing, nothing at all.
//          5) Surfaces up to 8192 pixels a side; beyond, the trails stop at that edge.
// Tested:  every pixel within a pixel of a star's exact circle or its ticks; the far half
//          of a trail in the fainter colour; a kept cache draws what a fresh one draws; a
//          window's animation steps with the trails kept draw what fresh charts draw.
void DrawStarTrails(const Scene& scene, DrawingSurface& S, int hours, TrailCache& cache);

// TrailColour: a pale blue whose level falls from magnitude 0 to 5 (250 to 140); behind the
// dome, halfway from the sphere's grey 80 to that colour.
Colour TrailColour(double magnitude, bool behind);

// A segment's stepping: a pixel a step along its longer side (Steps of them after its
// first), the other side moving by Ix, Iy in 1/65536 of a pixel a step.
struct SegmentStepping {
    int Steps = 0;
    std::int32_t Ix = 0, Iy = 0;
};
inline SegmentStepping SteppingOf(int dx, int dy) {
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const double perStep = steps > 0 ? 65536.0 / steps : 0.0;
    return {steps, static_cast<std::int32_t>(dx * perStep),
            static_cast<std::int32_t>(dy * perStep)};
}

// StrokeInImage: the pixels k = first..last (k = 0 at (x, y)) of a segment whose two ends
// lie in a row-major raster of the given width, each handed to put as its index: the
// stepping's side in 1/65536 of a pixel from the pixel's middle, no test and no branch a
// pixel (every pixel between two in the image is in it; 32 bits hold a side of up to
// 8192). Both trail drawers' strokes go through it.
template <class Put>
inline void StrokeInImage(int x, int y, SegmentStepping s, std::int32_t first, std::int32_t last,
                          int width, Put&& put) {
    std::int32_t fx = x * 65536 + 32768 + first * s.Ix, fy = y * 65536 + 32768 + first * s.Iy;
    for (std::int32_t k = first; k <= last; ++k, fx += s.Ix, fy += s.Iy)
        put(static_cast<std::uint32_t>((fy >> 16) * width + (fx >> 16)));
}
