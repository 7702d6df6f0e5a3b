#pragma once
// The orthographic projection of the celestial sphere onto the chart: the
// view angles' trigonometric cache, and the rotation chain that turns a point
// of the sphere frame into screen offsets and a depth below the horizon.

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

// PrepareStarPolarCache: fills the per-star sine and cosine of the polar distance from
// StarDec, bit-identical to what ProjectStar would compute, and marks the cache ready.
void PrepareStarPolarCache(SkyState& Sky);
