#pragma once
// What the settings lists, the scroll bars and the animate button do: each
// handler stores its value in SkyState, recomputes what depends on it and
// redraws. The window layer forwards its controls' events here.

#include <string>

struct SkyState;
struct SkyControls;

// Mouse buttons as the animate button reports them, summed when several are held.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;

// Fill procedures, run once each by SetStartValues in this order. Each ends by selecting
// its default item, which raises the list's Click.
void FillMagnitudeList(SkyState& Sky, SkyControls& Ui);
void FillStepList(SkyState& Sky, SkyControls& Ui);
void FillMonthList(SkyState& Sky, SkyControls& Ui);
void FillDayList(SkyState& Sky, SkyControls& Ui);
void FillHourList(SkyState& Sky, SkyControls& Ui);
void FillMinuteList(SkyState& Sky, SkyControls& Ui);

// MagnitudeList_Click: Reads the list's index k (0..93). Writes LimitMag = (k - 14) / 10,
// -1.4..7.9; redraws twice.
void MagnitudeList_Click(SkyState& Sky, SkyControls& Ui);
// StepList_Click: Reads the list's index k (0..5). Writes TimeStep = StepValues[k] minutes.
// No redraw: the step shows only at the next hold. An index past 6 is the subscript error.
void StepList_Click(SkyState& Sky, SkyControls& Ui);
// MonthList_Click, DayList_Click, HourList_Click, MinuteList_Click: ignored while Dragging.
// Writes Month (index + 1), DayIndex (index), Hour or Minute (index); then
// ComposeMinuteOfYear, SplitMinuteOfYear (31 February becomes 3 March) and two redraws.
void MonthList_Click(SkyState& Sky, SkyControls& Ui);
void DayList_Click(SkyState& Sky, SkyControls& Ui);
void HourList_Click(SkyState& Sky, SkyControls& Ui);
void MinuteList_Click(SkyState& Sky, SkyControls& Ui);

// AzimuthBar_Change: ViewAzimuth = the bar's value, degrees 0..360; UpdateViewTrig; two redraws.
void AzimuthBar_Change(SkyState& Sky, SkyControls& Ui);
// LongitudeBar_Change: Longitude = the bar's value, degrees east 120..150;
// ComputeSiderealEpoch; UpdateViewTrig; two redraws.
void LongitudeBar_Change(SkyState& Sky, SkyControls& Ui);
// ElevationBar_Change: ViewElevation = 90 - the bar's value (bar 0..180, so -90..90;
// positive looks down); UpdateViewTrig; two redraws.
void ElevationBar_Change(SkyState& Sky, SkyControls& Ui);
// LatitudeBar_Change: PoleAngle = 180 - the bar's value (bar 0..180 is latitude 90..-90,
// PoleAngle 180..0); UpdateViewTrig; two redraws.
void LatitudeBar_Change(SkyState& Sky, SkyControls& Ui);

// The animate button. Button is the button pressed (MouseDown), the sum of the
// buttons held (MouseMove), or the button released (MouseUp).
// AnimateButton_MouseDown: the left button redraws once and sets Dragging = 1; any other
// clears Dragging.
void AnimateButton_MouseDown(SkyState& Sky, SkyControls& Ui, int button);
// AnimateButton_MouseMove: with the left button alone held: a redraw, then MinuteOfYear +=
// TimeStep, SplitMinuteOfYear, SyncTimeLists, Dragging = 1; so the chart trails the clock
// by one step during a hold. Any other buttons clear Dragging.
void AnimateButton_MouseMove(SkyState& Sky, SkyControls& Ui, int button);
// AnimateButton_MouseUp: releasing the left button ends the hold (Dragging = 0) and redraws
// twice, so the chart catches up with the clock and the time lists act again, wherever the
// pointer was released.
void AnimateButton_MouseUp(SkyState& Sky, SkyControls& Ui, int button);

// SyncTimeLists: puts the clock back into the four time lists during the animation.
void SyncTimeLists(SkyState& Sky, SkyControls& Ui);

// The text of a list item: a whole number plainly, a fraction with a period,
// a "0" before it below 1 and no trailing zeros ("-1.4", "-1", "0.5", "7.9").
std::string ItemText(double value);
