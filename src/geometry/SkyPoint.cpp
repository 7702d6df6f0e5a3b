#include "geometry/SkyPoint.h"

#include <cmath>

#include "core/Convert.h"
#include "core/SkyState.h"

namespace {
// The rotation chain of the projection, written as ProjectStar's is, so that the
// results agree to the last bit; the depth before rounding is kept as well.
SkyPointProjection Rotate(const SkyState& Sky, double x, double y, double z) {
    SkyPointProjection p;
    p.DepthExact = ((-x) * Sky.SinPole) + (z * Sky.CosPole);
    p.Depth = Round16(p.DepthExact);
    const double viewY = ((((-x) * Sky.CosPole) * Sky.SinAzimuth) + (y * Sky.CosAzimuth)) -
                         ((z * Sky.SinPole) * Sky.SinAzimuth);
    const double viewX = (((x * Sky.CosPole) * Sky.CosAzimuth) + (y * Sky.SinAzimuth)) +
                         ((z * Sky.SinPole) * Sky.CosAzimuth);
    p.OffsetY = ((-viewX) * Sky.SinElevation) + (p.Depth * Sky.CosElevation);
    p.OffsetX = ((((-viewX) * Sky.CosElevation) * Sky.SinRoll) + (viewY * Sky.CosRoll)) -
                ((p.Depth * Sky.SinElevation) * Sky.SinRoll);
    // The viewer looks toward ViewAzimuth, tilted down by ViewElevation: the line of
    // sight runs along +ViewX and +Depth for a positive elevation.
    p.Facing = -((viewX * Sky.CosElevation) + (p.DepthExact * Sky.SinElevation));
    return p;
}
}  // namespace

SkyPointProjection ProjectSkyPoint(const SkyState& Sky, double siderealAngle, double ra,
                                   double dec) {
    const double R = Sky.ChartRadius;
    const double raOffsetRad = ((ra - siderealAngle) * Sky.Pi) / 180;
    const double polarDistRad = ((90 - dec) * Sky.Pi) / 180;
    const double sinPolar = std::sin(polarDistRad);
    const double x = (R * sinPolar) * std::cos(raOffsetRad);
    const double y = (R * sinPolar) * std::sin(raOffsetRad);
    const double z = R * std::cos(polarDistRad);
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
