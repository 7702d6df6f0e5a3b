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
    State.Moment.MinuteOfYear = Checked32(static_cast<std::int64_t>(State.Moment.MinuteOfYear) +
                                          static_cast<std::int64_t>(steps) * State.TimeStep);
    SplitMinuteOfYear(State.Moment);
    ShowClockInLists(State, Ui);
    return steps;
}

void ShowNow(WindowState& State, SkyControls& Ui, double unixMs) {
    // Days since 1970-01-01 in zone time, then the civil date (the days-from-civil
    // inverse of the proleptic Gregorian calendar).
    const double zoneMinutes = std::floor(unixMs / 60000.0) + ZoneOffsetHours * 60;
    const std::int64_t minutes = static_cast<std::int64_t>(zoneMinutes);
    std::int64_t days = minutes / 1440, ofDay = minutes % 1440;
    if (ofDay < 0) {
        ofDay += 1440;
        --days;
    }
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    State.Moment.Month = Checked16(month);
    State.Moment.DayIndex = Checked32(day - 1);
    State.Moment.Hour = static_cast<double>(ofDay / 60);
    State.Moment.Minute = static_cast<double>(ofDay % 60);
    ComposeMinuteOfYear(State.Moment);
    SplitMinuteOfYear(State.Moment);
    ShowClockInLists(State, Ui);
    RedrawSky(State, Ui);
    RedrawSky(State, Ui);
}
