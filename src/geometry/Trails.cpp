#include "geometry/Trails.h"

#include <cmath>

#include "core/RunTimeError.h"
#include "core/SkyState.h"
#include "geometry/Projection.h"
#include "geometry/SkyPoint.h"

namespace {
// ProjectStar's rotation chain, into a placement instead of SkyState.
inline SkyPlacement Rotate(const SkyState& Sky, double x, double y, double z) {
    const SphereView v = ViewSpherePoint(Sky, x, y, z);
    SkyPlacement p;
    p.OffsetX = v.OffsetX;
    p.OffsetY = v.OffsetY;
    p.Depth = v.Depth;
    p.Toward = -((v.ViewX * Sky.CosElevation) + (v.Depth * Sky.SinElevation));
    return p;
}

inline double PolarDistRad(const SkyState& Sky, double dec) { return ((90 - dec) * Sky.Pi) / 180; }
}  // namespace

void SpherePointOf(const SkyState& Sky, double ra, double dec, double siderealAngle, double& x,
                   double& y, double& z) {
    const double R = Sky.ChartRadius;
    const double raOffsetRad = ((ra - siderealAngle) * Sky.Pi) / 180;
    const double polarDist = PolarDistRad(Sky, dec);
    const double sinPolar = std::sin(polarDist);
    x = (R * sinPolar) * std::cos(raOffsetRad);
    y = (R * sinPolar) * std::sin(raOffsetRad);
    z = R * std::cos(polarDist);
}

SkyPlacement PlaceSpherePoint(const SkyState& Sky, double x, double y, double z) {
    return Rotate(Sky, x, y, z);
}

SkyPlacement PlaceSkyPoint(const SkyState& Sky, double ra, double dec, double siderealAngle) {
    double x, y, z;
    SpherePointOf(Sky, ra, dec, siderealAngle, x, y, z);
    return Rotate(Sky, x, y, z);
}

void PlaceStarTrail(const SkyState& Sky, int star, int hours, std::vector<SkyPlacement>& trail) {
    if (star < 0 || star >= StarCount || hours < 1 || hours > 24)
        throw RunTimeError(ErrorKind::SubscriptRange);
    const auto i = static_cast<std::size_t>(star);
    const double R = Sky.ChartRadius;
    // The polar distance is the trail's constant: its sine and cosine once, from the
    // star pass's cache where it holds, so the end point matches the plotted star.
    double sinPolar, cosPolar;
    if (StarPolarCacheHolds(Sky, i)) {
        sinPolar = Sky.StarSinPolarDist[i];
        cosPolar = Sky.StarCosPolarDist[i];
    } else {
        const double polarDist = PolarDistRad(Sky, Sky.StarDec[i]);
        sinPolar = std::sin(polarDist);
        cosPolar = std::cos(polarDist);
    }
    const double z = R * cosPolar;
    const int count = hours * TrailStepsPerHour + 1;
    trail.resize(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const double siderealAngle = Sky.SiderealAngle - (k * TrailStepMinutes) * TrailSiderealRate;
        const double raOffsetRad = ((Sky.StarRA[i] - siderealAngle) * Sky.Pi) / 180;
        const double x = (R * sinPolar) * std::cos(raOffsetRad);
        const double y = (R * sinPolar) * std::sin(raOffsetRad);
        trail[static_cast<std::size_t>(k)] = Rotate(Sky, x, y, z);
    }
}
