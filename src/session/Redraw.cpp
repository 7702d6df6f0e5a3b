#include "session/Redraw.h"

#include <string>

#include "core/RunTimeError.h"
#include "core/SkyState.h"
#include "render/DrawingSurface.h"
#include "render/Frame.h"
#include "render/Stars.h"
#include "session/Controls.h"
#include "session/Overlays.h"
#include "time/Clock.h"

DrawingSurface& ChartSurface(SkyControls& Ui, int index) {
    if (index < 0 || index > 1 || Ui.Charts[index] == nullptr)
        throw RunTimeError(ErrorKind::SubscriptRange);
    return *Ui.Charts[index];
}

void RedrawSky(SkyState& Sky, SkyControls& Ui) {
    UpdateSiderealAngle(Sky);
    DrawingSurface& previous = ChartSurface(Ui, Sky.BufferIndex);
    previous.BringToFront();
    previous.Refresh();
    Sky.BufferIndex = static_cast<std::int16_t>(Sky.BufferIndex ^ 1);
    DrawingSurface& covered = ChartSurface(Ui, Sky.BufferIndex);
    KeepOverlayShapes(Sky, covered);
    ClearAndDrawFrame(Sky, covered);
    DrawOverlaysUnderStars(Sky, covered);
    PlotStars(Sky, covered);
    DrawOverlaysOverStars(Sky, covered);
    WriteReadouts(Sky, Ui);
}

void WriteReadouts(SkyState& Sky, SkyControls& Ui) {
    DrawingSurface* const readouts[4] = {Ui.AzimuthReadout, Ui.LatitudeReadout, Ui.ElevationReadout,
                                         Ui.LongitudeReadout};
    for (DrawingSurface* readout : readouts) readout->Clear();
    Ui.AzimuthReadout->Print({static_cast<double>(Sky.ViewAzimuth), std::string("°")});
    Ui.LatitudeReadout->Print({Sky.PoleAngle - 90, std::string("°")});
    Ui.ElevationReadout->Print({-static_cast<double>(Sky.ViewElevation), std::string("°")});
    Ui.LongitudeReadout->Print({Sky.Longitude, std::string("°")});
}
