#pragma once
// The orthographic projection of the celestial sphere onto the chart: the
// view angles' trigonometric cache, and the rotation chain that turns a point
// of the sphere frame into screen offsets and a depth below the horizon.

#include <cstddef>
#include <cstdint>

struct SkyState;

// UpdateViewTrig: the view angles' radians and their sines and cosines.
// Reads:   PoleAngle (90 + latitude), ViewAzimuth (from north through east), ViewElevation
//          (positive looks down on the dome), RollAngle: degrees; Pi.
// Writes:  PoleAngleRad, ViewAzimuthRad, ViewElevationRad, RollAngleRad  radians (x Pi / 180);
//          SinPole, CosPole, SinAzimuth, CosAzimuth, SinElevation, CosElevation, SinRoll, CosRoll.
// Notes:   Any change of a view angle must be followed by a call before the next projection.
void UpdateViewTrig(SkyState& Sky);

// ProjectStar: one star on the chart for the current sidereal angle.
// Reads:   StarIndex 0..3145; StarRA, StarDec  degrees; SiderealAngle  degrees; ChartRadius
//          pixels; the view cache of UpdateViewTrig; Pi.
// Writes:  RaOffsetRad = (StarRA - SiderealAngle) x Pi / 180, PolarDistRad = (90 - StarDec) x
//          Pi / 180, their sines and cosines; SphereX, SphereY, SphereZ  pixels in the sphere
//          frame; Depth  rounded pixels below the horizon plane (the star is below the horizon
//          when Depth > 0); ViewY, ViewX; OffsetX, OffsetY  pixels from the chart centre, y down.
// Notes:   1) Evaluated in exactly this order, so results agree to the last bit.
//          2) A Depth outside 16 bits is the overflow error.
// Tested:  R = 1000 at the start-up view: the worked stars of ProjectionTest, exactly.
void ProjectStar(SkyState& Sky);

// ProjectPoint: a point of the sphere frame on the chart (the compass points).
// Reads:   x, y, z  pixels in the sphere frame, already scaled to the chart; the view cache.
// Writes:  Depth, ViewY, ViewX, OffsetY, OffsetX as ProjectStar; not its working values.
void ProjectPoint(SkyState& Sky, double x, double y, double z);

// Screen position and depth of one star, as ProjectStar leaves them.
struct StarProjection {
    double OffsetX, OffsetY;
    std::int16_t Depth;
    std::int16_t Index;  // The star, as ProjectStarsAboveHorizon lists it; not set by the batch.
};

// ProjectStarBatch: ProjectStar for several stars at once.
// Reads:   what ProjectStar reads, for the count stars of indices; the polar cache.
// Writes:  out[0..count)  each star's OffsetX, OffsetY and Depth; SkyState untouched.
// Notes:   The same arithmetic in the same order, so each result is bit-identical to
//          ProjectStar's. The sines and cosines of all right-ascension offsets are taken
//          first, then the rotations, which keeps the library calls apart from the arithmetic.
// Tested:  against ProjectStar for every star in four views.
void ProjectStarBatch(const SkyState& Sky, const std::int16_t* indices, int count,
                      StarProjection* out);

// ProjectStarsAboveHorizon: ProjectStarBatch for the stars of the list that may be drawn.
// Reads:   SkyState as ProjectStar does; indices, count stars of 0..3145.
// Writes:  out[0..n-1] for the n stars kept, in list order, each with its Index and
//          bit-identical to ProjectStar's result; returns n. Leaves SkyState untouched.
// Notes:   1) A star is left out only where a cheap bound on its depth (the cached unit
//             point of PrepareStarPolarCache turned by the sidereal angle, off by under
//             1e-12 R) proves that Round16 makes the depth positive, so that the star pass
//             would not draw it. Stars near the horizon, within the bound's margin of
//             1e-9 R, are always projected exactly.
//          2) Left out, a star costs no library sine or cosine: about half the catalogue
//             at any time.
// Tested:  against ProjectStar over fixed views and 100,000 random clock steps.
int ProjectStarsAboveHorizon(const SkyState& Sky, const std::int16_t* indices, int count,
                             StarProjection* out);

// PrepareStarPolarCache: each star's polar distance with its sine and cosine, once.
// Reads:   StarDec  degrees; Pi.
// Writes:  StarPolarCacheDec (the declination each entry was made from), StarPolarDistRad,
//          StarSinPolarDist, StarCosPolarDist; StarPolarCacheRA (the right ascension),
//          StarUnitX, StarUnitY (sin p cos RA, sin p sin RA); StarPolarCachePi = Pi;
//          StarPolarCacheReady = true.
// Notes:   Bit-identical to what ProjectStar computes; an entry whose declination no longer
//          matches StarDec is not used.
void PrepareStarPolarCache(SkyState& Sky);

// StarPolarCacheHolds: whether star i's polar cache entry may stand for its declination.
// Reads:   StarPolarCacheReady, StarPolarCacheDec[i], StarDec[i], StarPolarCachePi, Pi.
bool StarPolarCacheHolds(const SkyState& Sky, std::size_t i);
