#include "app/Lifecycle.h"

#include "catalogue/StarData.h"
#include "core/Controls.h"
#include "core/Convert.h"
#include "core/SkyState.h"
#include "geometry/Compass.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"
#include "render/Redraw.h"
#include "time/Clock.h"
#include "time/Settings.h"

namespace {
// The chart centre is half the first surface's size, rounded to single precision; the
// radius is 0.8 of it, in double precision.
void TakeChartGeometry(SkyState& Sky, SkyControls& Ui) {
    DrawingSurface& first = ChartSurface(Ui, 0);
    Sky.CenterX = static_cast<float>(static_cast<double>(first.Width()) / 2);
    Sky.CenterY = static_cast<float>(static_cast<double>(first.Height()) / 2);
    Sky.ChartRadius = 0.8 * Sky.CenterX;
}
}  // namespace

void InitState(SkyState& Sky, SkyControls& Ui, const std::filesystem::path& starData) {
    Sky.Longitude = 135.0;
    Sky.Dragging = 0;
    ComputeSiderealEpoch(Sky);
    Sky.SphereGrey = 80;
    Sky.HorizonGrey = 128;
    Sky.CompassGrey = 160;
    Sky.SiderealAngle = 0;
    Sky.TimeStep = 5;
    Sky.MinuteOfYear = 0;
    SplitMinuteOfYear(Sky);
    Sky.ViewAzimuth = 0;
    Sky.PoleAngle = 125.0;
    Sky.RollAngle = 0;
    Sky.ViewElevation = 10;
    Sky.Pi = 3.14159265358979;  // This 15-digit decimal, not the double nearest to pi.
    TakeChartGeometry(Sky, Ui);
    Sky.LimitMag = 3.5;
    // The lists' Click handlers redraw here, on the zero catalogue and the zero
    // trigonometric cache; what they draw is wiped below and never shown.
    FillMagnitudeList(Sky, Ui);
    FillStepList(Sky, Ui);
    FillMonthList(Sky, Ui);
    FillDayList(Sky, Ui);
    FillHourList(Sky, Ui);
    FillMinuteList(Sky, Ui);
    BuildCompassPoints(Sky);
    LoadStarDataFrom(Sky, starData);
    Sky.BufferIndex = 0;
    for (int index : {0, 1}) {
        DrawingSurface& chart = ChartSurface(Ui, index);
        chart.FillStyle = FillStyleKind::Solid;
        chart.FillColor = White;
        chart.Cls();
    }
}

void Form_Load(SkyState& Sky, SkyControls& Ui, const std::filesystem::path& starData) {
    InitState(Sky, Ui, starData);
    ChartSurface(Ui, 1).Cls();
    ChartSurface(Ui, 0).Cls();
    Ui.Form1->Show();
    UpdateViewTrig(Sky);
    RedrawSky(Sky, Ui);
    RedrawSky(Sky, Ui);
}

int ChartSideFor(float width, float height) {
    const float allowance = width - 104;
    const float L = allowance < height ? allowance : height;
    const std::int16_t rounded = Round16(L);
    return Checked16(static_cast<std::int64_t>(rounded) - 8);
}

void Form_Resize(SkyState& Sky, SkyControls& Ui) {
    const int side = ChartSideFor(Ui.Form1->ScaleWidth(), Ui.Form1->ScaleHeight());
    // A minimised or tiny window has no room for a chart: keep the last one.
    if (side <= 0) return;
    ChartSurface(Ui, 0).SetHeight(side);
    ChartSurface(Ui, 0).SetWidth(side);
    ChartSurface(Ui, 1).SetHeight(side);
    ChartSurface(Ui, 1).SetWidth(side);
    TakeChartGeometry(Sky, Ui);
    UpdateViewTrig(Sky);
    RedrawSky(Sky, Ui);
    RedrawSky(Sky, Ui);
}
