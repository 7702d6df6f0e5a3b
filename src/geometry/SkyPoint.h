#pragma once
// Projection of points that are not catalogue stars: the Sun, the celestial
// poles and the equator, horizon-frame marks. A point given by right ascension
// and declination goes through exactly the arithmetic of ProjectStar, so a Sun
// placed at a star's coordinates lands on the star's pixel.

#include <cstdint>

struct SkyState;

struct SkyPointProjection {
    double OffsetX = 0, OffsetY = 0;  // Pixels from the chart centre, y down, as ProjectStar.
    std::int16_t Depth = 0;           // Rounded depth below the horizon, as ProjectStar.
    double DepthExact = 0;            // The same before rounding, pixels.
    // Positive on the half of the sphere that faces the viewer (seen from outside),
    // negative on the far half; pixels along the line of sight.
    double Facing = 0;
};

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
