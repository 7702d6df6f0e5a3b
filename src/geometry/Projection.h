#pragma once
// The orthographic projection of the celestial sphere onto the chart: the
// view angles' trigonometric cache, and the rotation chain that turns a point
// of the sphere frame into screen offsets and a depth below the horizon.

#include <cstdint>

struct SkyState;

// UpdateViewTrig: converts PoleAngle, ViewAzimuth, ViewElevation and RollAngle to radians
// with Pi and caches their sines and cosines. Any change of a view angle must be followed
// by a call before the next projection.
void UpdateViewTrig(SkyState& Sky);

// ProjectStar: projects star StarIndex for the current SiderealAngle. Writes the working
// values, Depth, ViewY, ViewX, OffsetY and OffsetX.
void ProjectStar(SkyState& Sky);

// ProjectPoint: projects a point given in the sphere frame, already scaled to the chart.
// Writes Depth, ViewY, ViewX, OffsetY and OffsetX, not ProjectStar's working values.
void ProjectPoint(SkyState& Sky, double x, double y, double z);

// Screen position and depth of one star, as ProjectStar leaves them.
struct StarProjection {
    double OffsetX, OffsetY;
    std::int16_t Depth;
    std::int16_t Index;  // The star, as ProjectStarsAboveHorizon lists it; not set by the batch.
};

// ProjectStarBatch: ProjectStar for several stars at once, with the same arithmetic in
// the same order, so each result is bit-identical to ProjectStar's. The sines and
// cosines of all right-ascension offsets are taken first, then the rotations, which
// keeps the library calls apart from the arithmetic. Leaves SkyState untouched.
void ProjectStarBatch(const SkyState& Sky, const std::int16_t* indices, int count,
                      StarProjection* out);

// ProjectStarsAboveHorizon: ProjectStarBatch for the stars of the list that may be drawn.
// Reads:   SkyState as ProjectStar does; indices, count stars of 0..3145.
// Writes:  out[0..n-1] for the n stars kept, in list order, each with its Index and
//          bit-identical to ProjectStar's result; returns n. Leaves SkyState untouched.
// Notes:   1) A star is left out only where a cheap bound on its depth (the hour angle's
//             cosine by a short series, off by under 1e-6) proves that Round16 makes the
//             depth positive, so that the star pass would not draw it. Stars near the
//             horizon, within the bound's margin, are always projected exactly.
//          2) Left out, a star costs no library sine or cosine: about half the catalogue
//             at any time.
// Tested:  against ProjectStar over fixed views and 100,000 random clock steps.
int ProjectStarsAboveHorizon(const SkyState& Sky, const std::int16_t* indices, int count,
                             StarProjection* out);

// PrepareStarPolarCache: fills the per-star polar distance, its sine and cosine from
// StarDec, bit-identical to what ProjectStar would compute, and marks the cache ready.
void PrepareStarPolarCache(SkyState& Sky);
