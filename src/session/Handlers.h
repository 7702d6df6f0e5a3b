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

void MagnitudeList_Click(SkyState& Sky, SkyControls& Ui);  // Limiting magnitude.
void StepList_Click(SkyState& Sky, SkyControls& Ui);       // Animation step; no redraw.
void MonthList_Click(SkyState& Sky, SkyControls& Ui);      // Month.
void DayList_Click(SkyState& Sky, SkyControls& Ui);        // Day.
void HourList_Click(SkyState& Sky, SkyControls& Ui);       // Hour.
void MinuteList_Click(SkyState& Sky, SkyControls& Ui);     // Minute.

void AzimuthBar_Change(SkyState& Sky, SkyControls& Ui);    // View azimuth.
void LongitudeBar_Change(SkyState& Sky, SkyControls& Ui);  // Longitude.
void ElevationBar_Change(SkyState& Sky, SkyControls& Ui);  // View elevation.
void LatitudeBar_Change(SkyState& Sky, SkyControls& Ui);   // Latitude.

// The animate button. Button is the button pressed (MouseDown), the sum of the
// buttons held (MouseMove), or the button released (MouseUp).
void AnimateButton_MouseDown(SkyState& Sky, SkyControls& Ui, int button);
void AnimateButton_MouseMove(SkyState& Sky, SkyControls& Ui, int button);
// Releasing the left button after a hold ends the animation and brings the
// chart up to the clock, so that the time lists act again even when the
// button was released away from the animate button.
void AnimateButton_MouseUp(SkyState& Sky, SkyControls& Ui, int button);

// SyncTimeLists: puts the clock back into the four time lists during the animation.
void SyncTimeLists(SkyState& Sky, SkyControls& Ui);

// The text of a list item: a whole number plainly, a fraction with a period,
// a "0" before it below 1 and no trailing zeros ("-1.4", "-1", "0.5", "7.9").
std::string ItemText(double value);
