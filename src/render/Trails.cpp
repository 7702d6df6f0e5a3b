#include "render/Trails.h"

#include <cmath>
#include <vector>

#include "core/RunTimeError.h"
#include "geometry/Trails.h"
#include "render/DrawingSurface.h"
#include "render/Scene.h"

namespace {
inline int Component(double level, double share, bool behind) {
    const double full = level * share;
    return static_cast<int>(std::lround(behind ? 80 + (full - 80) * 0.5 : full));
}
}  // namespace

Colour TrailColour(double magnitude, bool behind) {
    const double level = std::fmin(250.0, std::fmax(140.0, 250 - 22 * magnitude));
    return RGB(Component(level, 0.72, behind), Component(level, 0.88, behind),
               Component(level, 1.0, behind));
}

void DrawStarTrails(const Scene& scene, DrawingSurface& S, int hours) {
    if (hours < 1 || hours > 24) throw RunTimeError(ErrorKind::SubscriptRange);
    const double cx = scene.Proj.CenterX, cy = scene.Proj.CenterY;
    auto screenX = [&](const ChartPoint& p) { return static_cast<float>(cx + p.OffsetX); };
    auto screenY = [&](const ChartPoint& p) { return static_cast<float>(cy + p.OffsetY); };
    std::vector<ChartPoint> trail;
    trail.reserve(MaxTrailPoints);
    for (int i = 0; i < StarCount; ++i) {
        const double m = scene.Stars.StarMag[static_cast<std::size_t>(i)];
        if (!(m < scene.Look.LimitMag)) continue;
        PlaceStarTrail(scene.Stars, scene.Proj, scene.SiderealAngle, i, hours, trail);
        if (trail[0].Depth > 0) continue;  // Not plotted: below the horizon now.
        const Colour front = TrailColour(m, false), behind = TrailColour(m, true);
        const std::size_t n = trail.size();
        for (std::size_t k = 1; k < n; ++k) {
            const ChartPoint &a = trail[k - 1], &b = trail[k];
            if (a.Depth > 0 || b.Depth > 0) continue;
            S.Line(screenX(a), screenY(a), screenX(b), screenY(b),
                   a.Facing + b.Facing < 0 ? behind : front);
        }
        if (!(m < TrailTickMagnitude)) continue;
        // One tick at each whole hour back from now, across the trail's direction there.
        for (std::size_t k = TrailStepsPerHour; k < n; k += TrailStepsPerHour) {
            const ChartPoint& p = trail[k];
            if (p.Depth > 0) continue;
            const ChartPoint& next = trail[k - 1];
            const ChartPoint& previous = trail[k + 1 < n ? k + 1 : k];
            const double dx = next.OffsetX - previous.OffsetX, dy = next.OffsetY - previous.OffsetY;
            const double length = std::sqrt(dx * dx + dy * dy);
            if (!(length > 0)) continue;
            const double nx = -dy / length * TrailTickHalfLength,
                         ny = dx / length * TrailTickHalfLength;
            const double x = cx + p.OffsetX, y = cy + p.OffsetY;
            S.Line(static_cast<float>(x - nx), static_cast<float>(y - ny),
                   static_cast<float>(x + nx), static_cast<float>(y + ny),
                   p.Facing < 0 ? behind : front);
        }
    }
}
