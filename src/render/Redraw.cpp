#include "render/Redraw.h"

#include "core/Controls.h"
#include "core/RunTimeError.h"
#include "core/SkyState.h"
#include "render/DrawingSurface.h"
#include "render/Frame.h"
#include "render/Overlays.h"
#include "render/Stars.h"
#include "time/Clock.h"

DrawingSurface& ChartSurface(SkyControls& Ui, int index) {
    if (index < 0 || index > 1 || Ui.Picture1[index] == nullptr)
        throw RunTimeError(ErrorKind::SubscriptRange);
    return *Ui.Picture1[index];
}

void RedrawSky(SkyState& Sky, SkyControls& Ui) {
    UpdateSiderealAngle(Sky);
    DrawingSurface& previous = ChartSurface(Ui, Sky.BufferIndex);
    previous.ZOrder();
    previous.Refresh();
    Sky.BufferIndex = static_cast<std::int16_t>(Sky.BufferIndex ^ 1);
    DrawingSurface& covered = ChartSurface(Ui, Sky.BufferIndex);
    ClearAndDrawFrame(Sky, covered);
    PlotStars(Sky, covered);
    DrawOverlays(Sky, covered);
    WriteReadouts(Sky, Ui);
}
