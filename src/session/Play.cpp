#include "session/Play.h"

#include <cmath>
#include <cstdint>

#include "core/Convert.h"
#include "core/Settings.h"
#include "session/Handlers.h"
#include "session/Redraw.h"
#include "session/WindowState.h"
#include "time/Clock.h"

namespace {
// The time lists set to the clock without their Click running the time chain again for
// each list (the clock is already set): Click is ignored while Dragging, as in a hold.
void ShowClockInLists(WindowState& State, SkyControls& Ui) {
    const std::int16_t dragging = State.Dragging;
    State.Dragging = 1;
    SyncTimeLists(State, Ui);
    State.Dragging = dragging;
}
}  // namespace

double PlayPeriodMs(const WindowState& State) {
    return 1000.0 / PlayRates[static_cast<std::size_t>(State.PlayRateIndex)];
}

void StartPlay(WindowState& State, double nowMs) {
    State.Playing = true;
    State.PlayStartMs = nowMs;
    State.PlayStepsDone = 0;
}

void StopPlay(WindowState& State, SkyControls& Ui) {
    if (!State.Playing) return;
    State.Playing = false;
    RedrawSky(State, Ui);
    RedrawSky(State, Ui);
}

void SetPlayRate(WindowState& State, int index, double nowMs) {
    if (index < 0 || index >= static_cast<int>(std::size(PlayRates))) return;
    State.PlayRateIndex = index;
    State.PlayStartMs = nowMs;
    State.PlayStepsDone = 0;
}

int PlayTick(WindowState& State, SkyControls& Ui, double nowMs) {
    if (!State.Playing) return 0;
    const double due = std::floor((nowMs - State.PlayStartMs) / PlayPeriodMs(State));
    if (!(due > static_cast<double>(State.PlayStepsDone))) return 0;
    const double behind = due - static_cast<double>(State.PlayStepsDone);
    const int steps = behind > MaxPlayCatchUp ? MaxPlayCatchUp : static_cast<int>(behind);
    State.PlayStepsDone = static_cast<std::int64_t>(due);
    // The redraw before the clock moves, as in a hold of the animate button.
    RedrawSky(State, Ui);
    AdvanceClock(State, steps);
    ShowClockInLists(State, Ui);
    return steps;
}

void ShowNow(WindowState& State, SkyControls& Ui, double unixMs) {
    const ZoneTime now = ZoneTimeOf(unixMs);
    // Outside the years the bodies are offered for, the year stays as it is.
    const SettingSpec& years = SettingOf(Setting::Year);
    if (now.Year >= years.Min && now.Year <= years.Max)
        State.Moment.Year = static_cast<std::int16_t>(now.Year);
    State.Moment.Month = static_cast<std::int16_t>(now.Month);
    State.Moment.DayIndex = now.Day - 1;
    State.Moment.Hour = now.Hour;
    State.Moment.Minute = now.Minute;
    ComposeMinuteOfYear(State.Moment);
    SplitMinuteOfYear(State.Moment);
    ShowClockInLists(State, Ui);
    RedrawSky(State, Ui);
    RedrawSky(State, Ui);
}
