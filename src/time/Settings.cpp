#include "time/Settings.h"

#include <cmath>
#include <cstdio>

#include "core/Controls.h"
#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "core/SkyState.h"
#include "geometry/Projection.h"
#include "render/Redraw.h"
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
    for (int i = -14; i <= 79; ++i) Ui.Combo1->AddItem(ItemText(static_cast<double>(i) / 10));
    Ui.Combo1->SetListIndex(49);  // "3.5".
}

void FillStepList(SkyState& Sky, SkyControls& Ui) {
    constexpr std::int16_t Steps[6] = {1, 3, 5, 10, 15, 30};
    for (std::size_t i = 0; i < 6; ++i) Sky.StepValues[i] = Steps[i];
    for (std::size_t i = 0; i < 6; ++i) Ui.Combo2->AddItem(ItemText(Sky.StepValues[i]));
    Ui.Combo2->SetListIndex(2);  // "5".
}

void FillMonthList(SkyState&, SkyControls& Ui) { FillWholeNumbers(*Ui.Combo3, 1, 12); }
void FillDayList(SkyState&, SkyControls& Ui) { FillWholeNumbers(*Ui.Combo4, 1, 31); }
void FillHourList(SkyState&, SkyControls& Ui) { FillWholeNumbers(*Ui.Combo5, 0, 23); }
void FillMinuteList(SkyState&, SkyControls& Ui) { FillWholeNumbers(*Ui.Combo6, 0, 59); }

void Combo1_Click(SkyState& Sky, SkyControls& Ui) {
    const std::int16_t k = Checked16(static_cast<std::int64_t>(Ui.Combo1->ListIndex()) - 14);
    Sky.LimitMag = static_cast<double>(k) / 10;
    RedrawTwice(Sky, Ui);
}

void Combo2_Click(SkyState& Sky, SkyControls& Ui) {
    const int k = Ui.Combo2->ListIndex();
    if (k < 0 || k > 6) throw RunTimeError(ErrorKind::SubscriptRange);
    Sky.TimeStep = Sky.StepValues[static_cast<std::size_t>(k)];
}

void Combo3_Click(SkyState& Sky, SkyControls& Ui) {
    if (Sky.Dragging != 0) return;
    Sky.Month = Checked16(static_cast<std::int64_t>(Ui.Combo3->ListIndex()) + 1);
    RunTimeChain(Sky, Ui);
}

void Combo4_Click(SkyState& Sky, SkyControls& Ui) {
    if (Sky.Dragging != 0) return;
    Sky.DayIndex = Checked16(Ui.Combo4->ListIndex());
    RunTimeChain(Sky, Ui);
}

void Combo5_Click(SkyState& Sky, SkyControls& Ui) {
    if (Sky.Dragging != 0) return;
    Sky.Hour = Checked16(Ui.Combo5->ListIndex());
    RunTimeChain(Sky, Ui);
}

void Combo6_Click(SkyState& Sky, SkyControls& Ui) {
    if (Sky.Dragging != 0) return;
    Sky.Minute = Checked16(Ui.Combo6->ListIndex());
    RunTimeChain(Sky, Ui);
}

void HScroll1_Change(SkyState& Sky, SkyControls& Ui) {
    Sky.ViewAzimuth = Ui.HScroll1->Value();
    UpdateViewTrig(Sky);
    RedrawTwice(Sky, Ui);
}

void HScroll2_Change(SkyState& Sky, SkyControls& Ui) {
    Sky.Longitude = Ui.HScroll2->Value();
    ComputeSiderealEpoch(Sky);
    UpdateViewTrig(Sky);
    RedrawTwice(Sky, Ui);
}

void VScroll1_Change(SkyState& Sky, SkyControls& Ui) {
    Sky.ViewElevation = Checked16(90 - static_cast<std::int64_t>(Ui.VScroll1->Value()));
    UpdateViewTrig(Sky);
    RedrawTwice(Sky, Ui);
}

void VScroll2_Change(SkyState& Sky, SkyControls& Ui) {
    Sky.PoleAngle = Checked16(180 - static_cast<std::int64_t>(Ui.VScroll2->Value()));
    UpdateViewTrig(Sky);
    RedrawTwice(Sky, Ui);
}

void Command1_MouseDown(SkyState& Sky, SkyControls& Ui, int button) {
    if (button == LeftButton) {
        RedrawSky(Sky, Ui);
        Sky.Dragging = 1;
    } else {
        Sky.Dragging = 0;
    }
}

void Command1_MouseMove(SkyState& Sky, SkyControls& Ui, int button) {
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

void Command1_MouseUp(SkyState& Sky, SkyControls& Ui, int button) {
    if (button != LeftButton) return;
    Sky.Dragging = 0;
    RedrawTwice(Sky, Ui);
}

void SyncTimeLists(SkyState& Sky, SkyControls& Ui) {
    Ui.Combo3->SetListIndex(Checked16(static_cast<std::int64_t>(Sky.Month) - 1));
    Ui.Combo4->SetListIndex(Round16(Sky.DayIndex));
    Ui.Combo5->SetListIndex(Round16(Sky.Hour));
    Ui.Combo6->SetListIndex(Round16(Sky.Minute));
    Ui.Combo3->Refresh();
    Ui.Combo4->Refresh();
    Ui.Combo5->Refresh();
    Ui.Combo6->Refresh();
}
