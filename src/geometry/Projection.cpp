#include "geometry/Projection.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/Convert.h"
#include "core/Moment.h"
#include "core/Sky.h"
#include "core/View.h"

Projection ProjectionOf(const Moment& moment, const View& view) {
    Projection p;
    p.R = view.ChartRadius();
    p.CenterX = view.CenterX();
    p.CenterY = view.CenterY();
    p.PoleAngle = moment.PoleAngle;
    const double azimuthRad = (view.Azimuth * ChartPi) / 180;
    const double poleRad = (moment.PoleAngle * ChartPi) / 180;
    const double rollRad = (view.Roll * ChartPi) / 180;
    p.ElevationRad = (view.Elevation * ChartPi) / 180;
    p.SinAzimuth = std::sin(azimuthRad);
    p.CosAzimuth = std::cos(azimuthRad);
    p.SinPole = std::sin(poleRad);
    p.CosPole = std::cos(poleRad);
    p.SinRoll = std::sin(rollRad);
    p.CosRoll = std::cos(rollRad);
    p.SinElevation = std::sin(p.ElevationRad);
    p.CosElevation = std::cos(p.ElevationRad);
    p.Ground = static_cast<std::uint8_t>(view.Kind);
    p.Azimuth = view.Azimuth;
    if (p.Ground != 0) {
        // The ground mapping's constants in the true pi: its directions are read-outs.
        constexpr double Radian = std::numbers::pi / 180;
        p.GroundSinAzimuth = std::sin(view.Azimuth * Radian);
        p.GroundCosAzimuth = std::cos(view.Azimuth * Radian);
        p.GroundSinTilt = std::sin(HorizonViewCentreAltitude * Radian);
        p.GroundCosTilt = std::cos(HorizonViewCentreAltitude * Radian);
        p.GroundFocal2 = p.CenterX / std::tan(HorizonViewHalfWidth * Radian / 2);
    }
    return p;
}

ChartPoint PlaceGroundPoint(const Projection& p, const Horizontal& at) {
    constexpr double Radian = std::numbers::pi / 180;
    const double altitude = at.Altitude * Radian, azimuth = at.Azimuth * Radian;
    return PlaceGroundDirection(p, std::cos(altitude) * std::cos(azimuth),
                                std::cos(altitude) * std::sin(azimuth), std::sin(altitude));
}

ChartPoint PlaceGroundDirection(const Projection& p, double north, double east, double up) {
    // Plain square roots: the components are pixels or unit lengths, far from overflow,
    // and the library's careful hypot cost an eighth of a ground step with trails.
    const double levelSquared = (north * north) + (east * east);
    const double level = std::sqrt(levelSquared);
    const double length = std::sqrt(levelSquared + (up * up));
    // The turn from the view's azimuth, as its cosine and sine, each times level.
    const double ahead = (north * p.GroundCosAzimuth) + (east * p.GroundSinAzimuth);
    const double right = (east * p.GroundCosAzimuth) - (north * p.GroundSinAzimuth);
    ChartPoint c;
    c.DepthExact = -p.R * (up / length);
    c.Facing = p.R;
    bool below = up < 0;
    if (p.Ground == static_cast<std::uint8_t>(ViewKind::Sky)) {
        // Distance from the zenith, equal steps of altitude, turned so that east lies to the
        // left of north.
        const double altitude = std::atan2(up, level) * (180 / std::numbers::pi);
        const double rho = p.R * ((90 - altitude) / 90);
        c.OffsetX = level > 0 ? -rho * (right / level) : 0.0;
        c.OffsetY = level > 0 ? -rho * (ahead / level) : 0.0;
    } else {
        // The viewer's frame: toward the chart's centre, then up across it, unit length.
        const double forward = ((ahead * p.GroundCosTilt) + (up * p.GroundSinTilt)) / length;
        const double raised = ((up * p.GroundCosTilt) - (ahead * p.GroundSinTilt)) / length;
        // Stereographic: 2 f tan(angle / 2) from the centre.
        const double k = forward > -1 ? p.GroundFocal2 / (1 + forward) : p.GroundFocal2;
        c.OffsetX = k * (right / length);
        c.OffsetY = -k * raised;
        if (!(forward > 0)) {
            below = true;
            c.DepthExact = std::fmax(c.DepthExact, p.R);
        }
    }
    const double rounded = std::nearbyint(c.DepthExact);
    c.Depth = static_cast<std::int16_t>(below ? std::fmax(rounded, 1.0) : std::fmin(rounded, 0.0));
    return c;
}

namespace {
// The rotation chain: pole tilt, view azimuth, view elevation, roll. The chart's points
// take the rounded depth into the last two steps; the linear form keeps it exact.
template <bool RoundedDepth>
ChartPoint Rotate(const Projection& p, double x, double y, double z) {
    ChartPoint c;
    c.DepthExact = ((-x) * p.SinPole) + (z * p.CosPole);
    double depth = c.DepthExact;
    if constexpr (RoundedDepth) {
        c.Depth = Round16(c.DepthExact);
        depth = c.Depth;
    }
    const double viewY = ((((-x) * p.CosPole) * p.SinAzimuth) + (y * p.CosAzimuth)) -
                         ((z * p.SinPole) * p.SinAzimuth);
    const double viewX =
        (((x * p.CosPole) * p.CosAzimuth) + (y * p.SinAzimuth)) + ((z * p.SinPole) * p.CosAzimuth);
    c.OffsetY = ((-viewX) * p.SinElevation) + (depth * p.CosElevation);
    c.OffsetX = ((((-viewX) * p.CosElevation) * p.SinRoll) + (viewY * p.CosRoll)) -
                ((depth * p.SinElevation) * p.SinRoll);
    c.Facing = -((viewX * p.CosElevation) + (c.DepthExact * p.SinElevation));
    return c;
}
}  // namespace

namespace {
// A sphere-frame point as a direction of the horizon frame, for the ground views.
ChartPoint GroundSpherePoint(const Projection& p, double x, double y, double z) {
    const double north = (x * p.CosPole) + (z * p.SinPole);
    const double up = (x * p.SinPole) - (z * p.CosPole);
    return PlaceGroundDirection(p, north, y, up);
}
}  // namespace

ChartPoint PlaceSpherePoint(const Projection& p, double x, double y, double z) {
    if (p.Ground != 0) return GroundSpherePoint(p, x, y, z);
    return Rotate<true>(p, x, y, z);
}

ChartPoint LinearSpherePoint(const Projection& p, double x, double y, double z) {
    return Rotate<false>(p, x, y, z);
}

void SpherePointOf(const Projection& p, double ra, double dec, double siderealAngle, double& x,
                   double& y, double& z) {
    const double raOffsetRad = ((ra - siderealAngle) * ChartPi) / 180;
    const double polarDist = ((90 - dec) * ChartPi) / 180;
    const double sinPolar = std::sin(polarDist);
    x = (p.R * sinPolar) * std::cos(raOffsetRad);
    y = (p.R * sinPolar) * std::sin(raOffsetRad);
    z = p.R * std::cos(polarDist);
}

ChartPoint PlaceSkyPoint(const Projection& p, double ra, double dec, double siderealAngle) {
    if (p.Ground != 0)
        return PlaceGroundPoint(p, HorizontalOf(p.PoleAngle, siderealAngle, ra, dec));
    double x, y, z;
    SpherePointOf(p, ra, dec, siderealAngle, x, y, z);
    return PlaceSpherePoint(p, x, y, z);
}

ChartPoint PlaceHorizontalPoint(const Projection& p, double altitude, double azimuth,
                                double scale) {
    if (p.Ground != 0) return PlaceGroundPoint(p, {altitude, azimuth});
    const double r = p.R * scale;
    const double a = (altitude * ChartPi) / 180, A = (azimuth * ChartPi) / 180;
    const double north = (r * std::cos(a)) * std::cos(A);
    const double east = (r * std::cos(a)) * std::sin(A);
    const double depth = -r * std::sin(a);
    // Back from the horizon frame to the sphere frame: the inverse turn by the pole angle.
    const double x = (north * p.CosPole) - (depth * p.SinPole);
    const double z = (north * p.SinPole) + (depth * p.CosPole);
    return PlaceSpherePoint(p, x, east, z);
}

CompassPoints CompassPointsOf(const Projection& p) {
    const double R = p.R;
    // Theta is 90 degrees minus the latitude, in radians.
    const double theta = ChartPi * (180 - p.PoleAngle) / 180;
    CompassPoints c;
    c.X[0] = std::cos(theta) * (-R);  // North.
    c.Y[0] = 0;
    c.Z[0] = Round16(R * std::sin(theta));
    c.X[1] = 0;  // West.
    c.Y[1] = -R;
    c.X[2] = std::cos(theta) * R;  // South.
    c.Y[2] = 0;
    c.Z[2] = Round16((-R) * std::sin(theta));
    c.X[3] = 0;  // East.
    c.Y[3] = R;
    return c;
}

void ProjectStarBatch(const Sky& sky, const Projection& p, double siderealAngle,
                      const std::int16_t* indices, int count, StarProjection* out) {
    // Blocks of stars, each in passes: the library's sines and cosines; the sphere point and
    // the rotation in plain arithmetic that the compiler can run on several stars at once;
    // the depth's range check and rounding; the screen offsets. PlaceSpherePoint's steps.
    constexpr int Block = 64;
    double sinRa[Block], cosRa[Block];
    double depthExact[Block], depth[Block], viewX[Block], viewY[Block];
    const double R = p.R;
    const double sinPole = p.SinPole, cosPole = p.CosPole, sinAz = p.SinAzimuth,
                 cosAz = p.CosAzimuth, sinEl = p.SinElevation, cosEl = p.CosElevation,
                 sinRoll = p.SinRoll, cosRoll = p.CosRoll;
    for (int first = 0; first < count; first += Block) {
        const int n = count - first < Block ? count - first : Block;
        for (int k = 0; k < n; ++k) {
            const auto i = static_cast<std::size_t>(indices[first + k]);
            const double raOffsetRad = ((sky.StarRA[i] - siderealAngle) * ChartPi) / 180;
            sinRa[k] = std::sin(raOffsetRad);
            cosRa[k] = std::cos(raOffsetRad);
        }
        for (int k = 0; k < n; ++k) {
            const auto i = static_cast<std::size_t>(indices[first + k]);
            const double x = (R * sky.SinPolarDist[i]) * cosRa[k];
            const double y = (R * sky.SinPolarDist[i]) * sinRa[k];
            const double z = R * sky.CosPolarDist[i];
            depthExact[k] = ((-x) * sinPole) + (z * cosPole);
            viewY[k] = ((((-x) * cosPole) * sinAz) + (y * cosAz)) - ((z * sinPole) * sinAz);
            viewX[k] = (((x * cosPole) * cosAz) + (y * sinAz)) + ((z * sinPole) * cosAz);
        }
        for (int k = 0; k < n; ++k) depth[k] = Round16(depthExact[k]);
        for (int k = 0; k < n; ++k) {
            StarProjection& s = out[first + k];
            s.Depth = static_cast<std::int16_t>(depth[k]);
            s.OffsetY = ((-viewX[k]) * sinEl) + (depth[k] * cosEl);
            s.OffsetX = ((((-viewX[k]) * cosEl) * sinRoll) + (viewY[k] * cosRoll)) -
                        ((depth[k] * sinEl) * sinRoll);
        }
    }
}

namespace {
// The ground views' star pass: each star through the engine's alt-azimuth and the mapping.
int GroundStarsAboveHorizon(const Sky& sky, const Projection& p, double siderealAngle,
                            const std::int16_t* indices, int count, StarProjection* out) {
    int kept = 0;
    for (int k = 0; k < count; ++k) {
        const auto i = static_cast<std::size_t>(indices[k]);
        double x, y, z;
        SpherePointOf(p, sky.StarRA[i], sky.StarDec[i], siderealAngle, x, y, z);
        // Below the horizon: no mapping needed.
        if ((x * p.SinPole) - (z * p.CosPole) < 0) continue;
        const ChartPoint c = GroundSpherePoint(p, x, y, z);
        if (c.Depth > 0) continue;
        out[kept++] = {c.OffsetX, c.OffsetY, c.Depth, indices[k]};
    }
    return kept;
}
}  // namespace

int ProjectStarsAboveHorizon(const Sky& sky, const Projection& p, double siderealAngle,
                             const std::int16_t* indices, int count, StarProjection* out) {
    if (p.Ground != 0) return GroundStarsAboveHorizon(sky, p, siderealAngle, indices, count, out);
    // The depth before rounding is R (cos p cos P - sin p sin P cos h) for polar distance p,
    // pole angle P and hour angle h = RA - s; rounding makes it positive only above 0.5. The
    // bound takes sin p cos h as the sky's unit point turned by s, x0 cos s + y0 sin s. Its
    // angles are the star's and the clock's apart, each under 1e5 degrees (1745 radians), so
    // the roundings differ from the exact path's by a few units in the last place of 1745:
    // under 1e-12 in cos h, and a few units in the last place of R in the sums. A bound depth
    // above 0.5 + R 1e-9 therefore proves the star below the horizon with a thousandfold to
    // spare; every other star goes through ProjectStarBatch untouched.
    const double R = p.R;
    const double margin = 0.5 + std::fabs(R) * 1e-9;
    const double sinPole = p.SinPole, cosPole = p.CosPole;
    const bool bounded = std::fabs(siderealAngle) < 1e5 && std::isfinite(margin);
    const double siderealRad = bounded ? (siderealAngle * ChartPi) / 180 : 0.0;
    const double cosS = std::cos(siderealRad), sinS = std::sin(siderealRad);
    const auto boundDepth = [&](std::size_t i) {
        const double x = R * ((sky.UnitX[i] * cosS) + (sky.UnitY[i] * sinS));
        return ((-x) * sinPole) + ((R * sky.CosPolarDist[i]) * cosPole);
    };
    // A right ascension far out of range is left to the exact path.
    const auto judged = [&](std::size_t i) { return std::fabs(sky.StarRA[i]) < 1e3; };
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
        ProjectStarBatch(sky, p, siderealAngle, kept, blockCount, out + keptCount);
        for (int k = 0; k < blockCount; ++k) out[keptCount + k].Index = kept[k];
        keptCount += blockCount;
    }
    return keptCount;
}
