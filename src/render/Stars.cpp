#include "render/Stars.h"

#include <cmath>

#include "core/Controls.h"
#include "core/SkyState.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"

void PlotStars(SkyState& Sky, DrawingSurface& S) {
    for (Sky.StarIndex = 0;; ++Sky.StarIndex) {
        const double m = Sky.StarMag[static_cast<std::size_t>(Sky.StarIndex)];
        // The limit test comes first: a fainter star costs one comparison.
        if (m < Sky.LimitMag) {
            ProjectStar(Sky);
            if (Sky.Depth <= 0) {
                Sky.DotRadius = std::floor((RadiusOffset - m) / RadiusStep);
                const float x = Sky.CenterX + static_cast<float>(Sky.OffsetX);
                const float y = Sky.CenterY + static_cast<float>(Sky.OffsetY);
                if (m < DiscMagnitude) {
                    S.Circle(x, y, static_cast<float>(Sky.DotRadius), White);
                } else {
                    S.PSet(x, y, White);
                }
            }
        }
        if (Sky.StarIndex == StarCount - 1) break;
    }
}

void WriteReadouts(SkyState& Sky, SkyControls& Ui) {
    DrawingSurface* const readouts[4] = {Ui.Picture2, Ui.Picture3, Ui.Picture4, Ui.Picture5};
    for (DrawingSurface* readout : readouts) readout->Cls();
    Ui.Picture2->Print({static_cast<double>(Sky.ViewAzimuth), std::string("°")});
    Ui.Picture3->Print({Sky.PoleAngle - 90, std::string("°")});
    Ui.Picture4->Print({-static_cast<double>(Sky.ViewElevation), std::string("°")});
    Ui.Picture5->Print({Sky.Longitude, std::string("°")});
}
