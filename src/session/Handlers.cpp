#include "session/Handlers.h"

#include <cmath>
#include <cstdio>

#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "core/SkyState.h"
#include "geometry/Projection.h"
#include "session/Controls.h"
#include "session/Layout.h"
#include "session/Redraw.h"
#include "time/Clock.h"

std::string ItemText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    std::string item = text;
    if (item == "-0") item = "0";
    return item;
}

namespace {
void RedrawTwice(SkyState& Sky, SkyControls& Ui) {
    RedrawSky(Sky, Ui);
    RedrawSky(Sky, Ui);
}

void FillWholeNumbers(ListControl& list, int first, int last) {
    for (int i = first; i <= last; ++i) list.AddItem(ItemText(i));
    list.SetListIndex(0);
}

// The time chain of the four time lists, after their field is stored.
void RunTimeChain(SkyState& Sky, SkyControls& Ui) {
    ComposeMinuteOfYear(Sky);
    SplitMinuteOfYear(Sky);
    RedrawTwice(Sky, Ui);
}
}  // namespace

void FillMagnitudeList(SkyState&, SkyControls& Ui) {
    for (int i = MagnitudeFirstTenth; i <= MagnitudeLastTenth; ++i)
        Ui.MagnitudeList->AddItem(ItemText(static_cast<double>(i) / 10));
    Ui.MagnitudeList->SetListIndex(MagnitudeStartIndex);
}

void FillStepList(SkyState& Sky, SkyControls& Ui) {
    for (std::size_t i = 0; i < 6; ++i) Sky.StepValues[i] = StepChoices[i];
    for (std::size_t i = 0; i < 6; ++i) Ui.StepList->AddItem(ItemText(Sky.StepValues[i]));
    Ui.StepList->SetListIndex(StepStartIndex);
}

void FillMonthList(SkyState&, SkyControls& Ui) {
    FillWholeNumbers(*Ui.MonthList, FirstMonth, LastMonth);
}
void FillDayList(SkyState&, SkyControls& Ui) { FillWholeNumbers(*Ui.DayList, FirstDay, LastDay); }
void FillHourList(SkyState&, SkyControls& Ui) {
    FillWholeNumbers(*Ui.HourList, FirstHour, LastHour);
}
void FillMinuteList(SkyState&, SkyControls& Ui) {
    FillWholeNumbers(*Ui.MinuteList, FirstMinute, LastMinute);
}

void MagnitudeList_Click(SkyState& Sky, SkyControls& Ui) {
    const std::int16_t k =
        Checked16(static_cast<std::int64_t>(Ui.MagnitudeList->ListIndex()) + MagnitudeFirstTenth);
    Sky.LimitMag = static_cast<double>(k) / 10;
    RedrawTwice(Sky, Ui);
}

void StepList_Click(SkyState& Sky, SkyControls& Ui) {
    const int k = Ui.StepList->ListIndex();
    if (k < 0 || k > 6) throw RunTimeError(ErrorKind::SubscriptRange);
    Sky.TimeStep = Sky.StepValues[static_cast<std::size_t>(k)];
}

void MonthList_Click(SkyState& Sky, SkyControls& Ui) {
    if (Sky.Dragging != 0) return;
    Sky.Month = Checked16(static_cast<std::int64_t>(Ui.MonthList->ListIndex()) + 1);
    RunTimeChain(Sky, Ui);
}

void DayList_Click(SkyState& Sky, SkyControls& Ui) {
    if (Sky.Dragging != 0) return;
    Sky.DayIndex = Checked16(Ui.DayList->ListIndex());
    RunTimeChain(Sky, Ui);
}

void HourList_Click(SkyState& Sky, SkyControls& Ui) {
    if (Sky.Dragging != 0) return;
    Sky.Hour = Checked16(Ui.HourList->ListIndex());
    RunTimeChain(Sky, Ui);
}

void MinuteList_Click(SkyState& Sky, SkyControls& Ui) {
    if (Sky.Dragging != 0) return;
    Sky.Minute = Checked16(Ui.MinuteList->ListIndex());
    RunTimeChain(Sky, Ui);
}

void AzimuthBar_Change(SkyState& Sky, SkyControls& Ui) {
    Sky.ViewAzimuth = Ui.AzimuthBar->Value();
    UpdateViewTrig(Sky);
    RedrawTwice(Sky, Ui);
}

void LongitudeBar_Change(SkyState& Sky, SkyControls& Ui) {
    Sky.Longitude = Ui.LongitudeBar->Value();
    ComputeSiderealEpoch(Sky);
    UpdateViewTrig(Sky);
    RedrawTwice(Sky, Ui);
}

void ElevationBar_Change(SkyState& Sky, SkyControls& Ui) {
    Sky.ViewElevation = Checked16(90 - static_cast<std::int64_t>(Ui.ElevationBar->Value()));
    UpdateViewTrig(Sky);
    RedrawTwice(Sky, Ui);
}

void LatitudeBar_Change(SkyState& Sky, SkyControls& Ui) {
    Sky.PoleAngle = Checked16(180 - static_cast<std::int64_t>(Ui.LatitudeBar->Value()));
    UpdateViewTrig(Sky);
    RedrawTwice(Sky, Ui);
}

void AnimateButton_MouseDown(SkyState& Sky, SkyControls& Ui, int button) {
    if (button == LeftButton) {
        RedrawSky(Sky, Ui);
        Sky.Dragging = 1;
    } else {
        Sky.Dragging = 0;
    }
}

void AnimateButton_MouseMove(SkyState& Sky, SkyControls& Ui, int button) {
    if (button != LeftButton) {
        Sky.Dragging = 0;
        return;
    }
    // The redraw comes before the clock step, so the chart trails the clock during a hold.
    RedrawSky(Sky, Ui);
    Sky.MinuteOfYear = Checked32(static_cast<std::int64_t>(Sky.MinuteOfYear) + Sky.TimeStep);
    SplitMinuteOfYear(Sky);
    SyncTimeLists(Sky, Ui);
    Sky.Dragging = 1;
}

void AnimateButton_MouseUp(SkyState& Sky, SkyControls& Ui, int button) {
    if (button != LeftButton) return;
    Sky.Dragging = 0;
    RedrawTwice(Sky, Ui);
}

void SyncTimeLists(SkyState& Sky, SkyControls& Ui) {
    Ui.MonthList->SetListIndex(Checked16(static_cast<std::int64_t>(Sky.Month) - 1));
    Ui.DayList->SetListIndex(Round16(Sky.DayIndex));
    Ui.HourList->SetListIndex(Round16(Sky.Hour));
    Ui.MinuteList->SetListIndex(Round16(Sky.Minute));
    Ui.MonthList->Refresh();
    Ui.DayList->Refresh();
    Ui.HourList->Refresh();
    Ui.MinuteList->Refresh();
}
