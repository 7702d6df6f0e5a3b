#pragma once
// Projection of points that are not catalogue stars: the Sun, the celestial
// poles and the equator, horizon-frame marks. A point given by right ascension
// and declination goes through exactly the arithmetic of ProjectStar, so a Sun
// placed at a star's coordinates lands on the star's pixel.

#include <cstdint>

#include "core/Convert.h"
#include "core/SkyState.h"

struct SkyPointProjection {
    double OffsetX = 0, OffsetY = 0;  // Pixels from the chart centre, y down, as ProjectStar.
    std::int16_t Depth = 0;           // Rounded depth below the horizon, as ProjectStar.
    double DepthExact = 0;            // The same before rounding, pixels.
    // Positive on the half of the sphere that faces the viewer (seen from outside),
    // negative on the far half; pixels along the line of sight.
    double Facing = 0;
};

// A sphere-frame point as the viewer sees it: ProjectStar's rotation chain, the one copy
// that every point the star pass does not place goes through (the Sun, the circles, the
// constellation lines and names, the trails).
struct SphereView {
    double OffsetX, OffsetY;  // Pixels from the chart centre, y down.
    std::int16_t Depth;       // Below the horizon plane, rounded as ProjectStar's.
    double DepthExact;        // The same before rounding.
    double ViewX;             // Along the view azimuth, for the side facing the viewer.
};

// ViewSpherePoint: the point (x, y, z) of the sphere frame (x toward the meridian point
// of the equator, y east, z the north pole; pixels) on the chart.
// Reads:   the view's trigonometric cache (SinPole .. CosRoll). Leaves SkyState untouched.
// Notes:   ProjectStar's steps in its order, so the offsets and depth equal its own bit
//          for bit for a star's point.
inline SphereView ViewSpherePoint(const SkyState& Sky, double x, double y, double z) {
    SphereView v;
    v.DepthExact = ((-x) * Sky.SinPole) + (z * Sky.CosPole);
    v.Depth = Round16(v.DepthExact);
    const double viewY = ((((-x) * Sky.CosPole) * Sky.SinAzimuth) + (y * Sky.CosAzimuth)) -
                         ((z * Sky.SinPole) * Sky.SinAzimuth);
    v.ViewX = (((x * Sky.CosPole) * Sky.CosAzimuth) + (y * Sky.SinAzimuth)) +
              ((z * Sky.SinPole) * Sky.CosAzimuth);
    v.OffsetY = ((-v.ViewX) * Sky.SinElevation) + (v.Depth * Sky.CosElevation);
    v.OffsetX = ((((-v.ViewX) * Sky.CosElevation) * Sky.SinRoll) + (viewY * Sky.CosRoll)) -
                ((v.Depth * Sky.SinElevation) * Sky.SinRoll);
    return v;
}

// ProjectSkyPoint: a point of the celestial sphere at the chart's radius.
// Reads:   ChartRadius, Pi and the view cache; siderealAngle, ra, dec in degrees.
// Notes:   With siderealAngle = SiderealAngle and (ra, dec) of star i, OffsetX, OffsetY
//          and Depth equal ProjectStar's bit for bit. Leaves SkyState untouched.
// Tested:  bit-identity with ProjectStar for stars across the sky.
SkyPointProjection ProjectSkyPoint(const SkyState& Sky, double siderealAngle, double ra,
                                   double dec);

// ProjectHorizontalPoint: a point given by altitude and azimuth (degrees, azimuth from
// north through east), at `scale` times the chart's radius (1 on the sphere, 0 at
// the centre). Leaves SkyState untouched.
// Tested:  the zenith at (0, -R cos elevation); the north point of the default view.
SkyPointProjection ProjectHorizontalPoint(const SkyState& Sky, double altitude, double azimuth,
                                          double scale = 1.0);
