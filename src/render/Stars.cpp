#include "render/Stars.h"

#include <array>
#include <cmath>

#include "core/Convert.h"
#include "core/VectorState.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"
#include "render/Scene.h"

void PlotStars(const Scene& scene, DrawingSurface& S, std::vector<PlottedStar>* plotted) {
    if (S.DrawsNothing()) return;
    // Qt's raster code (text, image copies) may have run since the last pass; keep its
    // vector state from slowing the sines and cosines.
    ClearUpperVectorState();
    const Sky& sky = scene.Stars;
    // The limit test comes first: a fainter star costs one comparison.
    std::array<std::int16_t, StarCount> passing;
    int count = 0;
    for (int i = 0; i < StarCount; ++i) {
        if (sky.StarMag[static_cast<std::size_t>(i)] < scene.Look.LimitMag)
            passing[static_cast<std::size_t>(count++)] = static_cast<std::int16_t>(i);
    }
    // Only the stars that may be above the horizon are projected; the others would not be
    // drawn.
    std::array<StarProjection, StarCount> projected;
    const int kept = ProjectStarsAboveHorizon(sky, scene.Proj, scene.SiderealAngle, passing.data(),
                                              count, projected.data());
    // The single pixels go to the surface in runs, each run before the next disc, so the
    // surface sees every star in catalogue order.
    std::array<float, 2 * StarCount> points;
    std::array<std::int16_t, StarCount> pointStars;
    int pending = 0;
    const auto flush = [&] {
        S.SetPixels(points.data(), pending, White);
        if (plotted != nullptr) {
            for (int k = 0; k < pending; ++k) {
                const auto at = static_cast<std::size_t>(k);
                plotted->push_back(
                    {pointStars[at], points[2 * at], points[2 * at + 1], 0.0f, false});
            }
        }
        pending = 0;
    };
    const double cx = scene.Proj.CenterX, cy = scene.Proj.CenterY;
    for (int k = 0; k < kept; ++k) {
        const StarProjection& p = projected[static_cast<std::size_t>(k)];
        if (p.Depth > 0) continue;  // Below the horizon.
        const double m = sky.StarMag[static_cast<std::size_t>(p.Index)];
        // The sum in double precision, then rounded once to the surface's single precision.
        const auto x = static_cast<float>(cx + p.OffsetX);
        const auto y = static_cast<float>(cy + p.OffsetY);
        if (m < DiscMagnitude) {
            flush();
            // The disc grows with the surface's figure scale; at scale 1 it is the radius.
            const float radius =
                static_cast<float>(Floor((RadiusOffset - m) / RadiusStep)) * S.DrawScale;
            S.Circle(x, y, radius, White);
            if (plotted != nullptr) plotted->push_back({p.Index, x, y, radius, true});
        } else {
            points[static_cast<std::size_t>(2 * pending)] = x;
            points[static_cast<std::size_t>(2 * pending + 1)] = y;
            pointStars[static_cast<std::size_t>(pending)] = p.Index;
            ++pending;
        }
    }
    flush();
}
