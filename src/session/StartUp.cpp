#include "session/StartUp.h"

#include "catalogue/StarData.h"
#include "core/Convert.h"
#include "core/SkyState.h"
#include "geometry/Compass.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"
#include "render/Frame.h"
#include "render/Stars.h"
#include "session/Controls.h"
#include "session/Handlers.h"
#include "session/Layout.h"
#include "session/Redraw.h"
#include "time/Clock.h"

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

void SetStartValues(SkyState& Sky, SkyControls& Ui, const std::filesystem::path& starData) {
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
        chart.Clear();
    }
}

void StartUp(SkyState& Sky, SkyControls& Ui, const std::filesystem::path& starData) {
    SetStartValues(Sky, Ui, starData);
    ChartSurface(Ui, 1).Clear();
    ChartSurface(Ui, 0).Clear();
    Ui.Window->Show();
    UpdateViewTrig(Sky);
    RedrawSky(Sky, Ui);
    RedrawSky(Sky, Ui);
}

int ChartSideFor(float width, float height) {
    const float allowance = width - PanelAllowance;
    const float L = allowance < height ? allowance : height;
    const std::int16_t rounded = Round16(L);
    return Checked16(static_cast<std::int64_t>(rounded) - ChartMargin);
}

void FitChartToWindow(SkyState& Sky, SkyControls& Ui) {
    const int placed = ChartSideFor(Ui.Window->InnerWidth(), Ui.Window->InnerHeight());
    // A minimised or tiny window has no room for a chart: keep the last one.
    if (placed <= 0) return;
    // In device pixels; at ratio 1 the side as placed.
    const int side = Ui.Window->PixelRatio() == 1.0
                         ? placed
                         : Round16(static_cast<double>(placed) * Ui.Window->PixelRatio());
    const bool resized =
        side != ChartSurface(Ui, 0).Width() || side != ChartSurface(Ui, 0).Height();
    ChartSurface(Ui, 0).SetHeight(side);
    ChartSurface(Ui, 0).SetWidth(side);
    ChartSurface(Ui, 1).SetHeight(side);
    ChartSurface(Ui, 1).SetWidth(side);
    TakeChartGeometry(Sky, Ui);
    UpdateViewTrig(Sky);
    // A new size has just cleared both surfaces, and the first redraw below brings one of
    // them to the screen before anything is drawn on it. Draw the chart on that one first,
    // so the screen never shows a cleared chart; the redraws keep their order and count.
    if (resized) {
        DrawingSurface& next = ChartSurface(Ui, Sky.BufferIndex);
        UpdateSiderealAngle(Sky);
        ClearAndDrawFrame(Sky, next);
        PlotStars(Sky, next);
    }
    RedrawSky(Sky, Ui);
    RedrawSky(Sky, Ui);
}

void ConnectHandlers(SkyState& Sky, SkyControls& Ui) {
    Ui.MagnitudeList->OnClick = [&Sky, &Ui] { MagnitudeList_Click(Sky, Ui); };
    Ui.StepList->OnClick = [&Sky, &Ui] { StepList_Click(Sky, Ui); };
    Ui.MonthList->OnClick = [&Sky, &Ui] { MonthList_Click(Sky, Ui); };
    Ui.DayList->OnClick = [&Sky, &Ui] { DayList_Click(Sky, Ui); };
    Ui.HourList->OnClick = [&Sky, &Ui] { HourList_Click(Sky, Ui); };
    Ui.MinuteList->OnClick = [&Sky, &Ui] { MinuteList_Click(Sky, Ui); };
    Ui.AzimuthBar->OnChange = [&Sky, &Ui] { AzimuthBar_Change(Sky, Ui); };
    Ui.LongitudeBar->OnChange = [&Sky, &Ui] { LongitudeBar_Change(Sky, Ui); };
    Ui.ElevationBar->OnChange = [&Sky, &Ui] { ElevationBar_Change(Sky, Ui); };
    Ui.LatitudeBar->OnChange = [&Sky, &Ui] { LatitudeBar_Change(Sky, Ui); };
    if (Ui.AnimateButton != nullptr) {
        Ui.AnimateButton->OnMouseDown = [&Sky, &Ui](int b) { AnimateButton_MouseDown(Sky, Ui, b); };
        Ui.AnimateButton->OnMouseMove = [&Sky, &Ui](int b) { AnimateButton_MouseMove(Sky, Ui, b); };
        Ui.AnimateButton->OnMouseUp = [&Sky, &Ui](int b) { AnimateButton_MouseUp(Sky, Ui, b); };
    }
    Ui.Window->OnResize = [&Sky, &Ui] { FitChartToWindow(Sky, Ui); };
}
