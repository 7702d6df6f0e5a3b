#include "geometry/SkyPoint.h"

#include <cmath>

#include "core/Convert.h"
#include "core/SkyState.h"
#include "geometry/Trails.h"

namespace {
// The view of a sphere-frame point, with the depth before rounding kept as well.
SkyPointProjection Rotate(const SkyState& Sky, double x, double y, double z) {
    const SphereView v = ViewSpherePoint(Sky, x, y, z);
    SkyPointProjection p;
    p.OffsetX = v.OffsetX;
    p.OffsetY = v.OffsetY;
    p.Depth = v.Depth;
    p.DepthExact = v.DepthExact;
    // The viewer looks toward ViewAzimuth, tilted down by ViewElevation: the line of
    // sight runs along +ViewX and +Depth for a positive elevation.
    p.Facing = -((v.ViewX * Sky.CosElevation) + (v.DepthExact * Sky.SinElevation));
    return p;
}
}  // namespace

SkyPointProjection ProjectSkyPoint(const SkyState& Sky, double siderealAngle, double ra,
                                   double dec) {
    double x, y, z;
    SpherePointOf(Sky, ra, dec, siderealAngle, x, y, z);
    return Rotate(Sky, x, y, z);
}

SkyPointProjection ProjectHorizontalPoint(const SkyState& Sky, double altitude, double azimuth,
                                          double scale) {
    const double r = Sky.ChartRadius * scale;
    const double a = (altitude * Sky.Pi) / 180, A = (azimuth * Sky.Pi) / 180;
    const double north = (r * std::cos(a)) * std::cos(A);
    const double east = (r * std::cos(a)) * std::sin(A);
    const double depth = -r * std::sin(a);
    // Back from the horizon frame to the sphere frame: the inverse turn by PoleAngle.
    const double x = (north * Sky.CosPole) - (depth * Sky.SinPole);
    const double z = (north * Sky.SinPole) + (depth * Sky.CosPole);
    return Rotate(Sky, x, east, z);
}
