#include "geometry/Trails.h"

#include <cmath>

#include "core/RunTimeError.h"
#include "core/Sky.h"

void PlaceStarTrail(const Sky& sky, const Projection& p, double siderealAngle, int star, int hours,
                    std::vector<ChartPoint>& trail) {
    if (star < 0 || star >= StarCount || hours < 1 || hours > 24)
        throw RunTimeError(ErrorKind::SubscriptRange);
    const auto i = static_cast<std::size_t>(star);
    const double R = p.R;
    // The polar distance is the trail's constant: its sine and cosine from the sky, as the
    // star pass takes them, so the end point matches the plotted star.
    const double sinPolar = sky.SinPolarDist[i], cosPolar = sky.CosPolarDist[i];
    const double z = R * cosPolar;
    const int count = hours * TrailStepsPerHour + 1;
    trail.resize(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const double angle = siderealAngle - (k * TrailStepMinutes) * TrailSiderealRate;
        const double raOffsetRad = ((sky.StarRA[i] - angle) * ChartPi) / 180;
        const double x = (R * sinPolar) * std::cos(raOffsetRad);
        const double y = (R * sinPolar) * std::sin(raOffsetRad);
        trail[static_cast<std::size_t>(k)] = PlaceSpherePoint(p, x, y, z);
    }
}
