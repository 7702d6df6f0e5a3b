#include "render/Stars.h"

#include <array>
#include <cmath>

#include "core/Convert.h"
#include "core/SkyState.h"
#include "core/VectorState.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"

namespace {
// Leaves the projection fields as the last ProjectStar of the pass leaves them, and
// StarIndex past the catalogue's last star.
void FinishStarPass(SkyState& Sky, const std::int16_t* passing, int count) {
    if (count > 0) {
        Sky.StarIndex = passing[count - 1];
        ProjectStar(Sky);
    }
    Sky.StarIndex = StarCount - 1;
}
}  // namespace

void PlotStars(SkyState& Sky, DrawingSurface& S) {
    // Qt's raster code (text, image copies) may have run since the last pass; keep its
    // vector state from slowing the sines and cosines.
    ClearUpperVectorState();
    if (!Sky.StarPolarCacheReady) PrepareStarPolarCache(Sky);
    // The limit test comes first: a fainter star costs one comparison.
    std::array<std::int16_t, StarCount> passing;
    int count = 0;
    for (int i = 0; i < StarCount; ++i) {
        if (Sky.StarMag[static_cast<std::size_t>(i)] < Sky.LimitMag)
            passing[static_cast<std::size_t>(count++)] = static_cast<std::int16_t>(i);
    }
    if (S.DrawsNothing()) {
        // Nothing to draw: only what the pass leaves behind. DotRadius is that of the last
        // star above the horizon, found from the end of the list.
        for (int k = count - 1; k >= 0; --k) {
            Sky.StarIndex = passing[static_cast<std::size_t>(k)];
            ProjectStar(Sky);
            if (Sky.Depth <= 0) {
                Sky.DotRadius =
                    Floor((RadiusOffset - Sky.StarMag[static_cast<std::size_t>(Sky.StarIndex)]) /
                          RadiusStep);
                break;
            }
        }
        FinishStarPass(Sky, passing.data(), count);
        return;
    }
    // Only the stars that may be above the horizon are projected; the others would not be
    // drawn, and the pass leaves no trace of them.
    std::array<StarProjection, StarCount> projected;
    const int kept = ProjectStarsAboveHorizon(Sky, passing.data(), count, projected.data());
    // The single pixels go to the surface in runs, each run before the next disc, so the
    // surface sees every star in catalogue order.
    std::array<float, 2 * StarCount> points;
    int pending = 0;
    const bool oneByOne = S.WatchesEachPlot();
    double lastMag = 0;
    bool drawn = false;
    for (int k = 0; k < kept; ++k) {
        const StarProjection& p = projected[static_cast<std::size_t>(k)];
        if (p.Depth > 0) continue;  // Below the horizon.
        const double m = Sky.StarMag[static_cast<std::size_t>(p.Index)];
        // The sum in double precision, then rounded once to the surface's single precision.
        const auto x = static_cast<float>(static_cast<double>(Sky.CenterX) + p.OffsetX);
        const auto y = static_cast<float>(static_cast<double>(Sky.CenterY) + p.OffsetY);
        lastMag = m;
        drawn = true;
        if (m < DiscMagnitude) {
            S.SetPixels(points.data(), pending, White);
            pending = 0;
            Sky.StarIndex = p.Index;
            Sky.DotRadius = Floor((RadiusOffset - m) / RadiusStep);
            // The disc grows with the surface's figure scale; at scale 1 it is DotRadius.
            S.Circle(x, y, static_cast<float>(Sky.DotRadius) * S.DrawScale, White);
        } else if (oneByOne) {
            Sky.StarIndex = p.Index;
            S.SetPixel(x, y, White);
        } else {
            points[static_cast<std::size_t>(2 * pending)] = x;
            points[static_cast<std::size_t>(2 * pending + 1)] = y;
            ++pending;
        }
    }
    S.SetPixels(points.data(), pending, White);
    if (drawn) Sky.DotRadius = Floor((RadiusOffset - lastMag) / RadiusStep);
    FinishStarPass(Sky, passing.data(), count);
}
