#pragma once
// 再生 and 今日: the clock run by the animation step at a steady rate until stopped,
// and the clock set to the present. The front ends own the timer and the wall
// clock and hand in their readings; what is due, and what each step does, is
// decided here, so that a fake clock tests it.

struct WindowState;
struct SkyControls;

// PlayPeriodMs: milliseconds per step at the chosen rate, 1000 / PlayRates[PlayRateIndex].
double PlayPeriodMs(const WindowState& State);

// StartPlay: Playing from nowMs (the front end's clock, milliseconds); no step yet.
void StartPlay(WindowState& State, double nowMs);
// StopPlay: Playing ends; two redraws, so that the chart catches up with the clock, as
// at the end of a hold of the animate button.
void StopPlay(WindowState& State, SkyControls& Ui);
// SetPlayRate: another rate (an index into PlayRates; others ignored); a running play
// counts its periods afresh from nowMs.
void SetPlayRate(WindowState& State, int index, double nowMs);

// PlayTick: the steps due by nowMs, at most MaxPlayCatchUp at once.
// Reads:   PlayStartMs, PlayStepsDone, the period; TimeStep.
// Writes:  for k steps due (k >= 1): one redraw, then MinuteOfYear += k x TimeStep,
//          SplitMinuteOfYear, the time lists set to the clock. So, as in a hold, the
//          chart trails the clock by one step while it runs.
// Returns: the count of steps taken.
// Notes:   1) Due steps are floor((nowMs - PlayStartMs) / period); a front end may tick
//             as often as it likes, and ticks that are late take the missed steps then.
//          2) More than MaxPlayCatchUp due at once (a page left in the background) are
//             taken as MaxPlayCatchUp: the sky does not leap.
int PlayTick(WindowState& State, SkyControls& Ui, double nowMs);
inline constexpr int MaxPlayCatchUp = 3;

// ShowNow: the clock set to the present, as zone time (UT+9).
// Reads:   unixMs, milliseconds since 1970-01-01 00:00 UT (the front end's wall clock).
// Writes:  the year (where it is one of the year setting's), the clock to that month, day,
//          hour and minute, the time lists, two redraws.
void ShowNow(WindowState& State, SkyControls& Ui, double unixMs);
