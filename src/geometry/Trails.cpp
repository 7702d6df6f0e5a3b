#include "geometry/Trails.h"

#include <cmath>

#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "core/SkyState.h"

namespace {
// ProjectStar's rotation chain, into a placement instead of SkyState.
inline SkyPlacement Rotate(const SkyState& Sky, double x, double y, double z) {
    SkyPlacement p;
    p.Depth = Round16(((-x) * Sky.SinPole) + (z * Sky.CosPole));
    const double viewY = ((((-x) * Sky.CosPole) * Sky.SinAzimuth) + (y * Sky.CosAzimuth)) -
                         ((z * Sky.SinPole) * Sky.SinAzimuth);
    const double viewX = (((x * Sky.CosPole) * Sky.CosAzimuth) + (y * Sky.SinAzimuth)) +
                         ((z * Sky.SinPole) * Sky.CosAzimuth);
    p.OffsetY = ((-viewX) * Sky.SinElevation) + (p.Depth * Sky.CosElevation);
    p.OffsetX = ((((-viewX) * Sky.CosElevation) * Sky.SinRoll) + (viewY * Sky.CosRoll)) -
                ((p.Depth * Sky.SinElevation) * Sky.SinRoll);
    p.Toward = -((viewX * Sky.CosElevation) + (p.Depth * Sky.SinElevation));
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

HorizontalPoint HorizontalOf(const SkyState& Sky, double ra, double dec) {
    // Unit sphere-frame vector, then the tilt by PoleAngle about the east axis.
    const double raOffsetRad = ((ra - Sky.SiderealAngle) * Sky.Pi) / 180;
    const double polarDist = PolarDistRad(Sky, dec);
    const double x = std::sin(polarDist) * std::cos(raOffsetRad);
    const double y = std::sin(polarDist) * std::sin(raOffsetRad);
    const double z = std::cos(polarDist);
    const double north = (x * Sky.CosPole) + (z * Sky.SinPole);
    const double up = (x * Sky.SinPole) - (z * Sky.CosPole);
    const double degreesPerRadian = 180 / Sky.Pi;
    HorizontalPoint h;
    h.Altitude = std::asin(std::fmax(-1.0, std::fmin(1.0, up))) * degreesPerRadian;
    h.Azimuth = std::atan2(y, north) * degreesPerRadian;
    if (h.Azimuth < 0) h.Azimuth += 360;
    if (h.Azimuth >= 360) h.Azimuth = 0;
    return h;
}

void PlaceStarTrail(const SkyState& Sky, int star, int hours, std::vector<SkyPlacement>& trail) {
    if (star < 0 || star >= StarCount || hours < 1 || hours > 24)
        throw RunTimeError(ErrorKind::SubscriptRange);
    const auto i = static_cast<std::size_t>(star);
    const double R = Sky.ChartRadius;
    // The polar distance is the trail's constant: its sine and cosine once, from the
    // star pass's cache where it holds, so the end point matches the plotted star.
    double sinPolar, cosPolar;
    if (Sky.StarPolarCacheReady && Sky.StarPolarCacheDec[i] == Sky.StarDec[i]) {
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
