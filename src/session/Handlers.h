#pragma once
// What the settings lists, the scroll bars, the animate button and the 表示
// menu's overlays do: each handler stores its value in the window's moment,
// view or own state and redraws. Every front end forwards its controls'
// events here.

#include <string>

struct WindowState;
struct OverlaySet;
struct SkyControls;

// Mouse buttons as the animate button reports them, summed when several are held.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;

// Fill procedures, run once each by SetStartValues in this order. Each ends by selecting
// its default item, which raises the list's Click.
void FillMagnitudeList(WindowState& State, SkyControls& Ui);
void FillStepList(WindowState& State, SkyControls& Ui);
void FillMonthList(WindowState& State, SkyControls& Ui);
void FillDayList(WindowState& State, SkyControls& Ui);
void FillHourList(WindowState& State, SkyControls& Ui);
void FillMinuteList(WindowState& State, SkyControls& Ui);

// MagnitudeList_Click: Reads the list's index k (0..93). Writes the view's LimitMag = (k - 14) / 10,
// -1.4..7.9; redraws twice.
void MagnitudeList_Click(WindowState& State, SkyControls& Ui);
// StepList_Click: Reads the list's index k (0..5). Writes TimeStep = StepValues[k] minutes.
// No redraw: the step shows only at the next hold. An index past 6 is the subscript error.
void StepList_Click(WindowState& State, SkyControls& Ui);
// MonthList_Click, DayList_Click, HourList_Click, MinuteList_Click: ignored while Dragging.
// Writes Month (index + 1), DayIndex (index), Hour or Minute (index); then
// ComposeMinuteOfYear, SplitMinuteOfYear (31 February becomes 3 March) and two redraws.
void MonthList_Click(WindowState& State, SkyControls& Ui);
void DayList_Click(WindowState& State, SkyControls& Ui);
void HourList_Click(WindowState& State, SkyControls& Ui);
void MinuteList_Click(WindowState& State, SkyControls& Ui);

// AzimuthBar_Change: the view's Azimuth = the bar's value, degrees 0..360; two redraws.
void AzimuthBar_Change(WindowState& State, SkyControls& Ui);
// LongitudeBar_Change: Longitude = the bar's value, degrees east 120..150; two redraws.
void LongitudeBar_Change(WindowState& State, SkyControls& Ui);
// ElevationBar_Change: the view's Elevation = 90 - the bar's value (bar 0..180, so -90..90;
// positive looks down); two redraws.
void ElevationBar_Change(WindowState& State, SkyControls& Ui);
// LatitudeBar_Change: PoleAngle = 180 - the bar's value (bar 0..180 is latitude 90..-90,
// PoleAngle 180..0); two redraws.
void LatitudeBar_Change(WindowState& State, SkyControls& Ui);

// The animate button. Button is the button pressed (MouseDown), the sum of the
// buttons held (MouseMove), or the button released (MouseUp).
// AnimateButton_MouseDown: the left button redraws once and sets Dragging = 1; any other
// clears Dragging.
void AnimateButton_MouseDown(WindowState& State, SkyControls& Ui, int button);
// AnimateButton_MouseMove: with the left button alone held: a redraw, then MinuteOfYear +=
// TimeStep, SplitMinuteOfYear, SyncTimeLists, Dragging = 1; so the chart trails the clock
// by one step during a hold. Any other buttons clear Dragging.
void AnimateButton_MouseMove(WindowState& State, SkyControls& Ui, int button);
// AnimateButton_MouseUp: releasing the left button ends the hold (Dragging = 0) and redraws
// twice, so the chart catches up with the clock and the time lists act again, wherever the
// pointer was released.
void AnimateButton_MouseUp(WindowState& State, SkyControls& Ui, int button);

// SetOverlays: switches the lesson overlays to `overlays` and redraws twice, as every
// change of a setting does, so both chart surfaces show the new choice. For the 表示 menu:
// one call per toggled item.
void SetOverlays(WindowState& State, SkyControls& Ui, const OverlaySet& overlays);

// SetYear: the calendar year of the chart's date (2000..2100): the Sun, the Moon, the
// planets and the sidereal angle of that year; the date and time the lists hold are kept
// (their minute of the year moves by 29 February) and the chart redrawn twice, as a time
// list's change does.
void SetYear(WindowState& State, SkyControls& Ui, int year);

// SetAdvance: 進め方, an item of the table's Advance list (0..3; others are ignored). No
// redraw: like the 分増加率, it shows only at the next step.
void SetAdvance(WindowState& State, int index);

// AdvanceClock: the clock moved on by `steps` animation steps, as 進め方 says.
// Reads:   AdvanceBy; TimeStep (minutes); the moment's fields and Year.
// Writes:  MinuteOfYear and the calendar fields (SplitMinuteOfYear).
// Notes:   1) Minutes: MinuteOfYear += steps x TimeStep, wrapped once at the year's end,
//             exactly as a hold has always stepped.
//          2) Day, Week: 1440 or 10080 minutes a step at the same clock time, wrapped into
//             the chosen year (its 29 February included): the Year setting never changes,
//             so the Sun, the Moon and the planets stay those of the year the 年 names.
//          3) Month: the month's number moves on (December to the year's January); a day
//             past the new month's end is its last day (31 January -> 28 February).
void AdvanceClock(WindowState& State, int steps);

// SyncTimeLists: puts the clock back into the four time lists during the animation.
void SyncTimeLists(WindowState& State, SkyControls& Ui);

// The text of a list item: a whole number plainly, a fraction with a period,
// a "0" before it below 1 and no trailing zeros ("-1.4", "-1", "0.5", "7.9").
std::string ItemText(double value);
