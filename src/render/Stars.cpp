#include "render/Stars.h"

#include <array>
#include <cmath>

#include "core/Convert.h"
#include "core/SkyState.h"
#include "core/VectorState.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"

namespace {
// Plots one star that ProjectStar (or the batch) has placed.
inline void PlotStar(SkyState& Sky, DrawingSurface& S, double m, double offsetX, double offsetY,
                     std::int16_t depth) {
    if (depth > 0) return;  // Below the horizon.
    Sky.DotRadius = Floor((RadiusOffset - m) / RadiusStep);
    // The sum in double precision, then rounded once to the surface's single precision.
    const auto x = static_cast<float>(static_cast<double>(Sky.CenterX) + offsetX);
    const auto y = static_cast<float>(static_cast<double>(Sky.CenterY) + offsetY);
    if (m < DiscMagnitude) {
        // The disc grows with the surface's figure scale; at scale 1 it is DotRadius exactly.
        S.Circle(x, y, static_cast<float>(Sky.DotRadius) * S.DrawScale, White);
    } else {
        S.SetPixel(x, y, White);
    }
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
    // Only the stars that may be above the horizon are projected; the others would not be
    // drawn, and PlotStar leaves no trace of them.
    std::array<StarProjection, StarCount> projected;
    const int kept = ProjectStarsAboveHorizon(Sky, passing.data(), count, projected.data());
    for (int k = 0; k < kept; ++k) {
        const StarProjection& p = projected[static_cast<std::size_t>(k)];
        Sky.StarIndex = p.Index;
        PlotStar(Sky, S, Sky.StarMag[static_cast<std::size_t>(Sky.StarIndex)], p.OffsetX, p.OffsetY,
                 p.Depth);
    }
    // Leave the projection fields as the last ProjectStar of the pass leaves them.
    if (count > 0) {
        Sky.StarIndex = passing[static_cast<std::size_t>(count - 1)];
        ProjectStar(Sky);
    }
    Sky.StarIndex = StarCount - 1;
}
