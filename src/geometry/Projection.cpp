#include "geometry/Projection.h"

#include <cmath>
#include <limits>

#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "core/SkyState.h"

void UpdateViewTrig(SkyState& Sky) {
    Sky.ViewAzimuthRad = (Sky.ViewAzimuth * Sky.Pi) / 180;
    Sky.PoleAngleRad = (Sky.PoleAngle * Sky.Pi) / 180;
    Sky.SinAzimuth = std::sin(Sky.ViewAzimuthRad);
    Sky.CosAzimuth = std::cos(Sky.ViewAzimuthRad);
    Sky.SinPole = std::sin(Sky.PoleAngleRad);
    Sky.CosPole = std::cos(Sky.PoleAngleRad);
    Sky.RollAngleRad = (Sky.RollAngle * Sky.Pi) / 180;
    Sky.ViewElevationRad = (Sky.ViewElevation * Sky.Pi) / 180;
    Sky.SinRoll = std::sin(Sky.RollAngleRad);
    Sky.CosRoll = std::cos(Sky.RollAngleRad);
    Sky.SinElevation = std::sin(Sky.ViewElevationRad);
    Sky.CosElevation = std::cos(Sky.ViewElevationRad);
}

namespace {
// The rotation chain shared by stars and compass points: pole tilt, view
// azimuth, view elevation, roll. The rounded Depth feeds the last two steps.
inline void RotateToScreen(SkyState& Sky, double x, double y, double z) {
    Sky.Depth = Round16(((-x) * Sky.SinPole) + (z * Sky.CosPole));
    Sky.ViewY = ((((-x) * Sky.CosPole) * Sky.SinAzimuth) + (y * Sky.CosAzimuth)) -
                ((z * Sky.SinPole) * Sky.SinAzimuth);
    Sky.ViewX = (((x * Sky.CosPole) * Sky.CosAzimuth) + (y * Sky.SinAzimuth)) +
                ((z * Sky.SinPole) * Sky.CosAzimuth);
    Sky.OffsetY = ((-Sky.ViewX) * Sky.SinElevation) + (Sky.Depth * Sky.CosElevation);
    Sky.OffsetX = ((((-Sky.ViewX) * Sky.CosElevation) * Sky.SinRoll) + (Sky.ViewY * Sky.CosRoll)) -
                  ((Sky.Depth * Sky.SinElevation) * Sky.SinRoll);
}

inline double PolarDistRadOf(const SkyState& Sky, int i) {
    return ((90 - Sky.StarDec[static_cast<std::size_t>(i)]) * Sky.Pi) / 180;
}

}  // namespace

bool StarPolarCacheHolds(const SkyState& Sky, std::size_t i) {
    return Sky.StarPolarCacheReady && Sky.StarPolarCacheDec[i] == Sky.StarDec[i] &&
           Sky.StarPolarCachePi == Sky.Pi;
}

void PrepareStarPolarCache(SkyState& Sky) {
    for (int i = 0; i < StarCount; ++i) {
        const double polarDist = PolarDistRadOf(Sky, i);
        Sky.StarPolarCacheDec[static_cast<std::size_t>(i)] =
            Sky.StarDec[static_cast<std::size_t>(i)];
        Sky.StarPolarDistRad[static_cast<std::size_t>(i)] = polarDist;
        Sky.StarSinPolarDist[static_cast<std::size_t>(i)] = std::sin(polarDist);
        Sky.StarCosPolarDist[static_cast<std::size_t>(i)] = std::cos(polarDist);
        const double ra = Sky.StarRA[static_cast<std::size_t>(i)];
        const double raRad = (ra * Sky.Pi) / 180;
        Sky.StarPolarCacheRA[static_cast<std::size_t>(i)] = ra;
        Sky.StarUnitX[static_cast<std::size_t>(i)] = std::sin(polarDist) * std::cos(raRad);
        Sky.StarUnitY[static_cast<std::size_t>(i)] = std::sin(polarDist) * std::sin(raRad);
    }
    Sky.StarPolarCachePi = Sky.Pi;
    Sky.StarPolarCacheReady = true;
}

void ProjectStar(SkyState& Sky) {
    const int i = Sky.StarIndex;
    if (i < 0 || i >= StarCount) throw RunTimeError(ErrorKind::SubscriptRange);
    const auto index = static_cast<std::size_t>(i);
    const double R = Sky.ChartRadius;
    Sky.RaOffsetRad = ((Sky.StarRA[index] - Sky.SiderealAngle) * Sky.Pi) / 180;
    Sky.SinRaOffset = std::sin(Sky.RaOffsetRad);
    Sky.CosRaOffset = std::cos(Sky.RaOffsetRad);
    if (StarPolarCacheHolds(Sky, index)) {
        Sky.PolarDistRad = Sky.StarPolarDistRad[index];
        Sky.SinPolarDist = Sky.StarSinPolarDist[index];
        Sky.CosPolarDist = Sky.StarCosPolarDist[index];
    } else {
        Sky.PolarDistRad = PolarDistRadOf(Sky, i);
        Sky.SinPolarDist = std::sin(Sky.PolarDistRad);
        Sky.CosPolarDist = std::cos(Sky.PolarDistRad);
    }
    Sky.SphereX = (R * Sky.SinPolarDist) * Sky.CosRaOffset;
    Sky.SphereY = (R * Sky.SinPolarDist) * Sky.SinRaOffset;
    Sky.SphereZ = R * Sky.CosPolarDist;
    RotateToScreen(Sky, Sky.SphereX, Sky.SphereY, Sky.SphereZ);
}

void ProjectPoint(SkyState& Sky, double x, double y, double z) { RotateToScreen(Sky, x, y, z); }

void ProjectStarBatch(const SkyState& Sky, const std::int16_t* indices, int count,
                      StarProjection* out) {
    // Blocks of stars, each in passes: the library's sines and cosines; the sphere
    // point and the rotation in plain arithmetic that the compiler can run on several
    // stars at once; the depth's range check and rounding; the screen offsets.
    constexpr int Block = 64;
    double sinRa[Block], cosRa[Block], sinPolar[Block], cosPolar[Block];
    double depthExact[Block], depth[Block], viewX[Block], viewY[Block];
    const double R = Sky.ChartRadius;
    const double sinPole = Sky.SinPole, cosPole = Sky.CosPole, sinAz = Sky.SinAzimuth,
                 cosAz = Sky.CosAzimuth, sinEl = Sky.SinElevation, cosEl = Sky.CosElevation,
                 sinRoll = Sky.SinRoll, cosRoll = Sky.CosRoll;
    for (int first = 0; first < count; first += Block) {
        const int n = count - first < Block ? count - first : Block;
        for (int k = 0; k < n; ++k) {
            const auto i = static_cast<std::size_t>(indices[first + k]);
            const double raOffsetRad = ((Sky.StarRA[i] - Sky.SiderealAngle) * Sky.Pi) / 180;
            sinRa[k] = std::sin(raOffsetRad);
            cosRa[k] = std::cos(raOffsetRad);
            if (StarPolarCacheHolds(Sky, i)) {
                sinPolar[k] = Sky.StarSinPolarDist[i];
                cosPolar[k] = Sky.StarCosPolarDist[i];
            } else {
                const double polarDist = PolarDistRadOf(Sky, static_cast<int>(i));
                sinPolar[k] = std::sin(polarDist);
                cosPolar[k] = std::cos(polarDist);
            }
        }
        for (int k = 0; k < n; ++k) {
            const double x = (R * sinPolar[k]) * cosRa[k];
            const double y = (R * sinPolar[k]) * sinRa[k];
            const double z = R * cosPolar[k];
            depthExact[k] = ((-x) * sinPole) + (z * cosPole);
            viewY[k] = ((((-x) * cosPole) * sinAz) + (y * cosAz)) - ((z * sinPole) * sinAz);
            viewX[k] = (((x * cosPole) * cosAz) + (y * sinAz)) + ((z * sinPole) * cosAz);
        }
        for (int k = 0; k < n; ++k) {
            depth[k] = Round16(depthExact[k]);
        }
        for (int k = 0; k < n; ++k) {
            StarProjection& p = out[first + k];
            p.Depth = static_cast<std::int16_t>(depth[k]);
            p.OffsetY = ((-viewX[k]) * sinEl) + (depth[k] * cosEl);
            p.OffsetX = ((((-viewX[k]) * cosEl) * sinRoll) + (viewY[k] * cosRoll)) -
                        ((depth[k] * sinEl) * sinRoll);
        }
    }
}

int ProjectStarsAboveHorizon(const SkyState& Sky, const std::int16_t* indices, int count,
                             StarProjection* out) {
    // The depth before rounding is R (cos p cos P - sin p sin P cos h) for polar distance p,
    // pole angle P and hour angle h = RA - s; Round16 makes it positive only above 0.5. The
    // bound takes sin p cos h as the cached unit point turned by s, x0 cos s + y0 sin s. Its
    // angles are the star's and the clock's apart, each under 1e5 degrees (1745 radians), so
    // the roundings differ from ProjectStar's by a few units in the last place of 1745: under
    // 1e-12 in cos h, and a few units in the last place of R in the sums. A bound depth above
    // 0.5 + R 1e-9 therefore proves the star below the horizon with a thousandfold to spare;
    // every other star goes through ProjectStarBatch untouched.
    const double R = Sky.ChartRadius;
    const double margin = 0.5 + std::fabs(R) * 1e-9;
    const double sinPole = Sky.SinPole, cosPole = Sky.CosPole;
    const double sidereal = Sky.SiderealAngle;
    const bool bounded = std::fabs(sidereal) < 1e5 && std::fabs(Sky.Pi - 3.14159) < 1e-3 &&
                         Sky.StarPolarCacheReady && Sky.StarPolarCachePi == Sky.Pi &&
                         std::isfinite(margin);
    const double siderealRad = bounded ? (sidereal * Sky.Pi) / 180 : 0.0;
    const double cosS = std::cos(siderealRad), sinS = std::sin(siderealRad);
    // The bound depth of star i, and whether the bound can judge the star: not when its
    // cache entry is stale, or its right ascension far out.
    const auto boundDepth = [&](std::size_t i) {
        const double x = R * ((Sky.StarUnitX[i] * cosS) + (Sky.StarUnitY[i] * sinS));
        return ((-x) * sinPole) + ((R * Sky.StarCosPolarDist[i]) * cosPole);
    };
    const auto judged = [&](std::size_t i) {
        return (Sky.StarPolarCacheDec[i] == Sky.StarDec[i]) &
               (Sky.StarPolarCacheRA[i] == Sky.StarRA[i]) & (std::fabs(Sky.StarRA[i]) < 1e3);
    };
    constexpr double Unjudged = -std::numeric_limits<double>::infinity();
    // With most of the catalogue in the list, the bound is taken for every star in runs
    // over the arrays that the compiler turns into vector code, and looked up by index.
    // Each run computes all its operands, so that the choice is a select, not a branch.
    std::array<double, StarCount> everyDepth;
    const bool everyStar = bounded && count * 4 >= StarCount;
    if (everyStar) {
        for (std::size_t i = 0; i < everyDepth.size(); ++i) everyDepth[i] = boundDepth(i);
        for (std::size_t i = 0; i < everyDepth.size(); ++i)
            everyDepth[i] = judged(i) ? everyDepth[i] : Unjudged;
    }
    constexpr int Block = 64;
    double depth[Block];
    std::int16_t kept[Block];
    int keptCount = 0;
    for (int first = 0; first < count; first += Block) {
        const int n = count - first < Block ? count - first : Block;
        for (int k = 0; k < n; ++k) {
            const auto i = static_cast<std::size_t>(indices[first + k]);
            depth[k] = !bounded    ? Unjudged
                       : everyStar ? everyDepth[i]
                                   : (judged(i) ? boundDepth(i) : Unjudged);
        }
        int blockCount = 0;
        for (int k = 0; k < n; ++k) {
            // Without branches: the test goes either way for half the stars.
            kept[blockCount] = indices[first + k];
            blockCount += static_cast<int>(!(depth[k] > margin));
        }
        ProjectStarBatch(Sky, kept, blockCount, out + keptCount);
        for (int k = 0; k < blockCount; ++k) out[keptCount + k].Index = kept[k];
        keptCount += blockCount;
    }
    return keptCount;
}
