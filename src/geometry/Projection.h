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
};

// ProjectStarBatch: ProjectStar for several stars at once, with the same arithmetic in
// the same order, so each result is bit-identical to ProjectStar's. The sines and
// cosines of all right-ascension offsets are taken first, then the rotations, which
// keeps the library calls apart from the arithmetic. Leaves SkyState untouched.
void ProjectStarBatch(const SkyState& Sky, const std::int16_t* indices, int count,
                      StarProjection* out);

// PrepareStarPolarCache: fills the per-star polar distance, its sine and cosine from
// StarDec, bit-identical to what ProjectStar would compute, and marks the cache ready.
void PrepareStarPolarCache(SkyState& Sky);
