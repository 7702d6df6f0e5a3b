#include "session/Redraw.h"

#include <string>

#include "core/RunTimeError.h"
#include "render/Chart.h"
#include "render/DrawingSurface.h"
#include "session/Controls.h"
#include "session/WindowState.h"

DrawingSurface& ChartSurface(SkyControls& Ui, int index) {
    if (index < 0 || index > 1 || Ui.Charts[index] == nullptr)
        throw RunTimeError(ErrorKind::SubscriptRange);
    return *Ui.Charts[index];
}

void RedrawSky(WindowState& State, SkyControls& Ui) {
    DrawingSurface& previous = ChartSurface(Ui, State.BufferIndex);
    previous.BringToFront();
    previous.Refresh();
    State.BufferIndex = static_cast<std::int16_t>(State.BufferIndex ^ 1);
    DrawChart(*State.Sky, State.Moment, State.View, ChartSurface(Ui, State.BufferIndex),
              State.Cache);
    WriteReadouts(State, Ui);
}

void WriteReadouts(const WindowState& State, SkyControls& Ui) {
    DrawingSurface* const readouts[4] = {Ui.AzimuthReadout, Ui.LatitudeReadout, Ui.ElevationReadout,
                                         Ui.LongitudeReadout};
    for (DrawingSurface* readout : readouts) readout->Clear();
    Ui.AzimuthReadout->Print({static_cast<double>(State.View.Azimuth), std::string("°")});
    Ui.LatitudeReadout->Print({State.Moment.PoleAngle - 90, std::string("°")});
    Ui.ElevationReadout->Print({-static_cast<double>(State.View.Elevation), std::string("°")});
    Ui.LongitudeReadout->Print({State.Moment.Longitude, std::string("°")});
}
