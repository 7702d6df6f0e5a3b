#include "session/Handlers.h"

#include <cmath>
#include <cstdio>

#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "core/Settings.h"
#include "core/View.h"
#include "session/Controls.h"
#include "session/Layout.h"
#include "session/Redraw.h"
#include "session/WindowState.h"
#include "time/Clock.h"

std::string ItemText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    std::string item = text;
    if (item == "-0") item = "0";
    return item;
}

namespace {
void RedrawTwice(WindowState& State, SkyControls& Ui) {
    RedrawSky(State, Ui);
    RedrawSky(State, Ui);
}

void FillWholeNumbers(ListControl& list, int first, int last) {
    for (int i = first; i <= last; ++i) list.AddItem(ItemText(i));
    list.SetListIndex(0);
}

// The time chain of the four time lists, after their field is stored.
void RunTimeChain(WindowState& State, SkyControls& Ui) {
    ComposeMinuteOfYear(State.Moment);
    SplitMinuteOfYear(State.Moment);
    RedrawTwice(State, Ui);
}
}  // namespace

void FillMagnitudeList(WindowState&, SkyControls& Ui) {
    for (int i = MagnitudeFirstTenth; i <= MagnitudeLastTenth; ++i)
        Ui.MagnitudeList->AddItem(ItemText(static_cast<double>(i) / 10));
    Ui.MagnitudeList->SetListIndex(MagnitudeStartIndex);
}

void FillStepList(WindowState& State, SkyControls& Ui) {
    for (std::size_t i = 0; i < 6; ++i) State.StepValues[i] = StepChoices[i];
    for (std::size_t i = 0; i < 6; ++i) Ui.StepList->AddItem(ItemText(State.StepValues[i]));
    Ui.StepList->SetListIndex(StepStartIndex);
}

void FillMonthList(WindowState&, SkyControls& Ui) {
    FillWholeNumbers(*Ui.MonthList, FirstMonth, LastMonth);
}
void FillDayList(WindowState&, SkyControls& Ui) {
    FillWholeNumbers(*Ui.DayList, FirstDay, LastDay);
}
void FillHourList(WindowState&, SkyControls& Ui) {
    FillWholeNumbers(*Ui.HourList, FirstHour, LastHour);
}
void FillMinuteList(WindowState&, SkyControls& Ui) {
    FillWholeNumbers(*Ui.MinuteList, FirstMinute, LastMinute);
}

void MagnitudeList_Click(WindowState& State, SkyControls& Ui) {
    const std::int16_t k =
        Checked16(static_cast<std::int64_t>(Ui.MagnitudeList->ListIndex()) + MagnitudeFirstTenth);
    State.View.LimitMag = static_cast<double>(k) / 10;
    RedrawTwice(State, Ui);
}

void StepList_Click(WindowState& State, SkyControls& Ui) {
    const int k = Ui.StepList->ListIndex();
    if (k < 0 || k > 6) throw RunTimeError(ErrorKind::SubscriptRange);
    State.TimeStep = State.StepValues[static_cast<std::size_t>(k)];
}

void MonthList_Click(WindowState& State, SkyControls& Ui) {
    if (State.Dragging != 0) return;
    State.Moment.Month = Checked16(static_cast<std::int64_t>(Ui.MonthList->ListIndex()) + 1);
    RunTimeChain(State, Ui);
}

void DayList_Click(WindowState& State, SkyControls& Ui) {
    if (State.Dragging != 0) return;
    State.Moment.DayIndex = Checked16(Ui.DayList->ListIndex());
    RunTimeChain(State, Ui);
}

void HourList_Click(WindowState& State, SkyControls& Ui) {
    if (State.Dragging != 0) return;
    State.Moment.Hour = Checked16(Ui.HourList->ListIndex());
    RunTimeChain(State, Ui);
}

void MinuteList_Click(WindowState& State, SkyControls& Ui) {
    if (State.Dragging != 0) return;
    State.Moment.Minute = Checked16(Ui.MinuteList->ListIndex());
    RunTimeChain(State, Ui);
}

void AzimuthBar_Change(WindowState& State, SkyControls& Ui) {
    State.View.Azimuth = Ui.AzimuthBar->Value();
    RedrawTwice(State, Ui);
}

void LongitudeBar_Change(WindowState& State, SkyControls& Ui) {
    State.Moment.Longitude = Ui.LongitudeBar->Value();
    RedrawTwice(State, Ui);
}

void ElevationBar_Change(WindowState& State, SkyControls& Ui) {
    State.View.Elevation = Checked16(90 - static_cast<std::int64_t>(Ui.ElevationBar->Value()));
    RedrawTwice(State, Ui);
}

void LatitudeBar_Change(WindowState& State, SkyControls& Ui) {
    State.Moment.PoleAngle = Checked16(180 - static_cast<std::int64_t>(Ui.LatitudeBar->Value()));
    RedrawTwice(State, Ui);
}

void AnimateButton_MouseDown(WindowState& State, SkyControls& Ui, int button) {
    if (button == LeftButton) {
        RedrawSky(State, Ui);
        State.Dragging = 1;
    } else {
        State.Dragging = 0;
    }
}

void AnimateButton_MouseMove(WindowState& State, SkyControls& Ui, int button) {
    if (button != LeftButton) {
        State.Dragging = 0;
        return;
    }
    // The redraw comes before the clock step, so the chart trails the clock during a hold.
    RedrawSky(State, Ui);
    AdvanceClock(State, 1);
    SyncTimeLists(State, Ui);
    State.Dragging = 1;
}

void AnimateButton_MouseUp(WindowState& State, SkyControls& Ui, int button) {
    if (button != LeftButton) return;
    State.Dragging = 0;
    RedrawTwice(State, Ui);
}

void SetAdvance(WindowState& State, int index) {
    if (index < 0 || index >= ValueCount(SettingOf(Setting::Advance))) return;
    State.AdvanceBy = static_cast<Advance>(index);
}

void AdvanceClock(WindowState& State, int steps) {
    Moment& m = State.Moment;
    switch (State.AdvanceBy) {
        case Advance::Minutes:
            m.MinuteOfYear = Checked32(static_cast<std::int64_t>(m.MinuteOfYear) +
                                       static_cast<std::int64_t>(steps) * State.TimeStep);
            break;
        case Advance::Day:
        case Advance::Week: {
            const std::int64_t days = State.AdvanceBy == Advance::Day ? 1 : 7;
            const std::int64_t year = MinutesInYear(m.Year);
            const std::int64_t minute =
                (m.MinuteOfYear + static_cast<std::int64_t>(steps) * days * 1440) % year;
            m.MinuteOfYear = static_cast<std::int32_t>(minute < 0 ? minute + year : minute);
            break;
        }
        case Advance::Month: {
            const int month = ((m.Month - 1 + steps) % 12 + 12) % 12 + 1;
            const int next = month == 12 ? MonthStartDay[0] + 365 : MonthStartDay[month];
            const int leap = month == 2 && IsLeapYear(m.Year) ? 1 : 0;
            const int length = next - MonthStartDay[month - 1] + leap;
            m.Month = static_cast<std::int16_t>(month);
            if (m.DayIndex >= length) m.DayIndex = length - 1;
            ComposeMinuteOfYear(m);
            break;
        }
    }
    SplitMinuteOfYear(m);
}

void SyncTimeLists(WindowState& State, SkyControls& Ui) {
    Ui.MonthList->SetListIndex(Checked16(static_cast<std::int64_t>(State.Moment.Month) - 1));
    Ui.DayList->SetListIndex(Round16(State.Moment.DayIndex));
    Ui.HourList->SetListIndex(Round16(State.Moment.Hour));
    Ui.MinuteList->SetListIndex(Round16(State.Moment.Minute));
    Ui.MonthList->Refresh();
    Ui.DayList->Refresh();
    Ui.HourList->Refresh();
    Ui.MinuteList->Refresh();
}

void SetOverlays(WindowState& State, SkyControls& Ui, const OverlaySet& overlays) {
    State.View.Overlays = overlays;
    RedrawTwice(State, Ui);
}

void SetYear(WindowState& State, SkyControls& Ui, int year) {
    State.Moment.Year = static_cast<std::int16_t>(year);
    // The date the lists show stays; its minute moves by 29 February.
    RunTimeChain(State, Ui);
}
