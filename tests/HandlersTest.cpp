#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "geometry/Projection.h"
#include "session/Handlers.h"
#include "session/HeadlessWindow.h"
#include "session/Play.h"
#include "session/Redraw.h"
#include "support/TestSky.h"
#include "time/Clock.h"

namespace {
// A started window that counts redraws (each redraw presents one chart).
struct Counted {
    std::unique_ptr<HeadlessWindow> W = NewWindow();
    int Redraws = 0;
    Counted() {
        W->Load(Catalogue);
        W->Chart0.OnBringToFront = W->Chart1.OnBringToFront = [this](RasterSurface& s) {
            ++Redraws;
            W->Stack.Front = &s;
        };
    }
    WindowState& Sky() { return W->State; }
    void Down(int b) { AnimateButton_MouseDown(W->State, W->Ui, b); }
    void Move(int b) { AnimateButton_MouseMove(W->State, W->Ui, b); }
    void Up(int b) { AnimateButton_MouseUp(W->State, W->Ui, b); }
    // The chart on screen equals a fresh drawing of the present state.
    bool ChartIsCurrent() {
        const PixelImage shown = W->Front().Picture();
        const std::int16_t index = W->State.BufferIndex;
        RedrawSky(W->State, W->Ui);
        RedrawSky(W->State, W->Ui);
        Redraws -= 2;
        EXPECT_EQ(W->State.BufferIndex, index);
        return shown == W->Front().Picture();
    }
};
}  // namespace

TEST(FillLists, GiveTheItemsAndDefaults) {
    Counted c;
    const auto& magnitudes = c.W->MagnitudeList.Items;
    ASSERT_EQ(magnitudes.size(), 94u);
    EXPECT_EQ(magnitudes[0], "-1.4");
    EXPECT_EQ(magnitudes[4], "-1");
    EXPECT_EQ(magnitudes[13], "-0.1");
    EXPECT_EQ(magnitudes[14], "0");
    EXPECT_EQ(magnitudes[19], "0.5");
    EXPECT_EQ(magnitudes[49], "3.5");
    EXPECT_EQ(magnitudes[93], "7.9");
    EXPECT_EQ(c.W->StepList.Items, (std::vector<std::string>{"1", "3", "5", "10", "15", "30"}));
    EXPECT_EQ(c.W->MonthList.Items.front(), "1");
    EXPECT_EQ(c.W->MonthList.Items.size(), 12u);
    EXPECT_EQ(c.W->DayList.Items.back(), "31");
    EXPECT_EQ(c.W->HourList.Items.front(), "0");
    EXPECT_EQ(c.W->HourList.Items.back(), "23");
    EXPECT_EQ(c.W->MinuteList.Items.back(), "59");
    const int defaults[] = {c.W->MagnitudeList.ListIndex(), c.W->StepList.ListIndex(),
                            c.W->MonthList.ListIndex(),     c.W->DayList.ListIndex(),
                            c.W->HourList.ListIndex(),      c.W->MinuteList.ListIndex()};
    EXPECT_EQ(std::vector<int>(std::begin(defaults), std::end(defaults)),
              (std::vector<int>{49, 2, 0, 0, 0, 0}));
    EXPECT_EQ(c.Sky().TimeStep, 5);
    EXPECT_EQ(c.Sky().StepValues[6], 0);
}

TEST(MagnitudeListClick, SetsTheLimitFromTheItemIndex) {
    Counted c;
    c.W->MagnitudeList.SetListIndex(0);
    EXPECT_EQ(c.Sky().View.LimitMag, -1.4);
    EXPECT_EQ(c.Redraws, 2);
    c.W->MagnitudeList.SetListIndex(93);
    EXPECT_EQ(c.Sky().View.LimitMag, 7.9);
    EXPECT_TRUE(c.ChartIsCurrent());
}

TEST(MonthListClick, RunsThirtyFirstFebruaryIntoMarchWhileTheListsKeepTheChoice) {
    Counted c;
    c.W->MonthList.SetListIndex(1);
    c.W->DayList.SetListIndex(30);
    EXPECT_EQ(c.Sky().Moment.Month, 3);
    EXPECT_EQ(c.Sky().Moment.DayIndex, 2);
    EXPECT_EQ(c.Sky().Moment.MinuteOfYear, 61 * 1440);
    EXPECT_EQ(c.W->MonthList.ListIndex(), 1);
    EXPECT_EQ(c.W->DayList.ListIndex(), 30);
    EXPECT_EQ(c.Redraws, 4);
}

TEST(StepListClick, ChangesTheStepWithoutRedrawing) {
    Counted c;
    c.W->StepList.SetListIndex(5);
    EXPECT_EQ(c.Sky().TimeStep, 30);
    EXPECT_EQ(c.Redraws, 0);
    c.Down(LeftButton);
    c.Move(LeftButton);
    EXPECT_EQ(c.Sky().Moment.MinuteOfYear, 30);
    EXPECT_EQ(c.W->MinuteList.ListIndex(), 30);
}

TEST(AnimateButtonMouseMove, WrapsTheYearIntoTheLists) {
    Counted c;
    c.W->MonthList.SetListIndex(11);
    c.W->DayList.SetListIndex(30);
    c.W->HourList.SetListIndex(23);
    c.W->MinuteList.SetListIndex(55);
    ASSERT_EQ(c.Sky().Moment.MinuteOfYear, 525595);
    c.Down(LeftButton);
    c.Move(LeftButton);
    EXPECT_EQ(c.Sky().Moment.MinuteOfYear, 0);
    for (const MemoryList* list :
         {&c.W->MonthList, &c.W->DayList, &c.W->HourList, &c.W->MinuteList})
        EXPECT_EQ(list->ListIndex(), 0);
}

TEST(AnimateButtonMouseMove, FollowsTheDraggingTable) {
    struct Row {
        const char* Event;
        int Button;
        std::int16_t Before, After;
        int Redraws, MinutesAdded;
    };
    constexpr Row Rows[] = {
        {"down", 1, 0, 1, 1, 0}, {"down", 2, 0, 0, 0, 0}, {"down", 1, 1, 1, 1, 0},
        {"down", 4, 1, 0, 0, 0}, {"move", 1, 1, 1, 1, 5}, {"move", 2, 1, 0, 0, 0},
        {"move", 3, 1, 0, 0, 0}, {"move", 0, 1, 0, 0, 0}, {"move", 0, 0, 0, 0, 0},
        {"move", 5, 0, 0, 0, 0},
    };
    for (const Row& row : Rows) {
        Counted c;
        c.Sky().Dragging = row.Before;
        (std::string(row.Event) == "down" ? c.Down(row.Button) : c.Move(row.Button));
        EXPECT_EQ(c.Sky().Dragging, row.After) << row.Event << " " << row.Button;
        EXPECT_EQ(c.Redraws, row.Redraws) << row.Event << " " << row.Button;
        EXPECT_EQ(c.Sky().Moment.MinuteOfYear, row.MinutesAdded) << row.Event << " " << row.Button;
    }
}

TEST(AnimateButtonMouseMove, HoldRedrawsOncePerMoveAndTrailsTheClock) {
    Counted c;
    c.Down(LeftButton);
    c.Move(LeftButton);
    c.Move(LeftButton);
    c.Move(LeftButton);
    EXPECT_EQ(c.Redraws, 4);
    EXPECT_EQ(c.Sky().Moment.MinuteOfYear, 15);
    EXPECT_EQ(c.W->MinuteList.ListIndex(), 15);
    // The time lists do nothing while the button is held.
    c.W->HourList.SetListIndex(7);
    EXPECT_EQ(c.Sky().Moment.Hour, 0);
    EXPECT_EQ(c.Redraws, 4);
    EXPECT_FALSE(c.ChartIsCurrent());
}

TEST(AnimateButtonMouseMove, AfterAClearedFlagTheListsBringTheChartUp) {
    Counted c;
    c.Down(LeftButton);
    c.Move(LeftButton);
    c.Move(LeftButton + RightButton);  // Clears the flag.
    c.Move(LeftButton);                // Idle row: the lists' clicks run the time chain.
    EXPECT_EQ(c.Sky().Moment.MinuteOfYear, 10);
    EXPECT_EQ(c.Sky().Dragging, 1);
    EXPECT_EQ(c.Redraws, 1 + 1 + 1 + 2);  // One time list changed: one pair.
    EXPECT_TRUE(c.ChartIsCurrent());
}

TEST(AnimateButtonMouseUp, EndsTheHoldAndBringsTheChartToTheClock) {
    Counted c;
    c.Down(LeftButton);
    c.Move(LeftButton);
    c.Move(LeftButton);
    c.Up(LeftButton);
    EXPECT_EQ(c.Sky().Dragging, 0);
    EXPECT_TRUE(c.ChartIsCurrent());
    c.W->HourList.SetListIndex(3);  // The time lists act again.
    EXPECT_EQ(c.Sky().Moment.Hour, 3);
    EXPECT_EQ(c.Sky().Moment.MinuteOfYear, 3 * 60 + 10);
    const int before = c.Redraws;
    c.Up(RightButton);
    EXPECT_EQ(c.Redraws, before);
}

TEST(ScrollChange, StoresTheAnglesAtTheBarsEnds) {
    Counted c;
    c.W->LongitudeBar.MoveTo(120);
    EXPECT_EQ(c.Sky().Moment.Longitude, 120.0);
    EXPECT_EQ(SiderealEpochMinute(c.Sky().Moment.Longitude), 1098.6038759210614);
    c.W->LongitudeBar.MoveTo(150);
    EXPECT_EQ(SiderealEpochMinute(c.Sky().Moment.Longitude), 978.9315387801533);
    c.W->LatitudeBar.MoveTo(0);
    EXPECT_EQ(c.Sky().Moment.PoleAngle, 180);
    c.W->LatitudeBar.MoveTo(180);
    EXPECT_EQ(c.Sky().Moment.PoleAngle, 0);
    c.W->ElevationBar.MoveTo(0);
    EXPECT_EQ(c.Sky().View.Elevation, 90);
    c.W->ElevationBar.MoveTo(180);
    EXPECT_EQ(c.Sky().View.Elevation, -90);
    c.W->AzimuthBar.MoveTo(360);
    EXPECT_EQ(c.Sky().View.Azimuth, 360);
    EXPECT_EQ(c.Redraws, 14);  // Seven changes, a pair each.
    const std::pair<RasterSurface*, const char*> readouts[] = {{&c.W->AzimuthReadout, " 360 °"},
                                                               {&c.W->LatitudeReadout, "-90 °"},
                                                               {&c.W->ElevationReadout, " 90 °"},
                                                               {&c.W->LongitudeReadout, " 150 °"}};
    for (const auto& [readout, text] : readouts) {
        EXPECT_EQ(readout->Picture(), ReadoutWith(text)) << text;
    }
    EXPECT_EQ(ProjectionOf(c.Sky().Moment, c.Sky().View).SinElevation,
              std::sin((-90 * 3.14159265358979) / 180));
    EXPECT_TRUE(c.ChartIsCurrent());
}

// 再生 on a fake clock: ticks at any spacing take one step per period elapsed, so N
// periods give N steps of the 分増加率 (5 minutes at start-up); a late tick takes the
// missed steps but never more than MaxPlayCatchUp; a stopped play takes none.
TEST(PlayTick, StepsOncePerPeriodOnAFakeClock) {
    struct Row {
        double TickEvery;  // Periods between ticks.
        int Ticks;
        int Steps;
    };
    constexpr Row Rows[] = {
        {1.0, 10, 10}, {0.25, 40, 10}, {0.999, 10, 9}, {2.0, 5, 10}, {100.0, 1, MaxPlayCatchUp}};
    for (const Row& row : Rows) {
        Counted c;
        const double period = PlayPeriodMs(c.Sky());
        StartPlay(c.Sky(), 5000);
        int taken = 0;
        for (int k = 1; k <= row.Ticks; ++k)
            taken += PlayTick(c.Sky(), c.W->Ui, 5000 + k * row.TickEvery * period);
        EXPECT_EQ(taken, row.Steps) << row.TickEvery;
        EXPECT_EQ(c.Sky().Moment.MinuteOfYear, 5 * row.Steps) << row.TickEvery;
        EXPECT_EQ(c.W->MinuteList.ListIndex(), (5 * row.Steps) % 60) << row.TickEvery;
        StopPlay(c.Sky(), c.W->Ui);
        EXPECT_TRUE(c.ChartIsCurrent());
        EXPECT_EQ(PlayTick(c.Sky(), c.W->Ui, 1e9), 0);
    }
}

// 今日: the wall clock in UT becomes zone time (UT+9), its year too where the year setting
// offers it; a leap year's 29 February is a date of its own.
TEST(ShowNow, SetsTheClockToZoneTime) {
    struct Row {
        double UnixMs;
        int Year, Month, Day, Hour, Minute;
    };
    constexpr Row Rows[] = {{1781700000000.0, 2026, 6, 17, 21, 40},   // 2026-06-17 12:40 UT.
                            {1798729199000.0, 2026, 12, 31, 23, 59},  // 2026-12-31 14:59:59 UT.
                            {1709164800000.0, 2024, 2, 29, 9, 0},     // 2024-02-29 00:00 UT.
                            {1798729200000.0, 2027, 1, 1, 0, 0},      // 2026-12-31 15:00 UT.
                            // 2101 in zone time: past the years offered, the year stays.
                            {4133948400000.0, 2026, 1, 1, 0, 0}};
    for (const Row& row : Rows) {
        Counted c;
        ShowNow(c.Sky(), c.W->Ui, row.UnixMs);
        EXPECT_EQ(c.Sky().Moment.Year, row.Year) << row.UnixMs;
        EXPECT_EQ(c.W->MonthList.ListIndex() + 1, row.Month) << row.UnixMs;
        EXPECT_EQ(c.W->DayList.ListIndex() + 1, row.Day) << row.UnixMs;
        EXPECT_EQ(c.W->HourList.ListIndex(), row.Hour) << row.UnixMs;
        EXPECT_EQ(c.W->MinuteList.ListIndex(), row.Minute) << row.UnixMs;
        EXPECT_TRUE(c.ChartIsCurrent());
    }
}

namespace {
// A clock set by its calendar fields, stepping as 進め方 says.
WindowState ClockAt(int year, int month, int day, int hour, Advance by) {
    WindowState s;
    s.Moment.Year = static_cast<std::int16_t>(year);
    s.Moment.Month = static_cast<std::int16_t>(month);
    s.Moment.DayIndex = day - 1;
    s.Moment.Hour = hour;
    s.Moment.Longitude = 135;
    s.TimeStep = 5;
    s.AdvanceBy = by;
    ComposeMinuteOfYear(s.Moment);
    SplitMinuteOfYear(s.Moment);
    return s;
}
}  // namespace

TEST(AdvanceClock, KeepsTheClockTimeAndWrapsWithinTheChosenYear) {
    struct Row {
        int Year, Month, Day;
        Advance By;
        int Steps, ToMonth, ToDay;
    };
    constexpr Row Rows[] = {
        {2026, 1, 31, Advance::Month, 1, 2, 28},  // past the new month's end: its last day
        {2024, 1, 31, Advance::Month, 1, 2, 29},  // a leap year's February
        {2026, 3, 31, Advance::Month, 1, 4, 30},
        {2026, 12, 15, Advance::Month, 1, 1, 15},  // December to the same year's January
        {2026, 11, 30, Advance::Month, 3, 2, 28},  // a catch-up of three steps at once
        {2026, 12, 31, Advance::Day, 1, 1, 1},
        {2024, 2, 28, Advance::Day, 1, 2, 29},
        {2026, 12, 29, Advance::Week, 1, 1, 5},
        {2026, 6, 1, Advance::Day, 3, 6, 4},
    };
    for (const Row& row : Rows) {
        WindowState s = ClockAt(row.Year, row.Month, row.Day, 20, row.By);
        AdvanceClock(s, row.Steps);
        EXPECT_EQ(s.Moment.Year, row.Year);
        EXPECT_EQ(s.Moment.Month, row.ToMonth) << row.Year << "-" << row.Month << "-" << row.Day;
        EXPECT_EQ(s.Moment.DayIndex + 1, row.ToDay)
            << row.Year << "-" << row.Month << "-" << row.Day;
        EXPECT_EQ(s.Moment.Hour, 20);
        EXPECT_EQ(s.Moment.Minute, 0);
    }
    // 分 steps the minutes as before; an item outside the list changes nothing.
    WindowState s = ClockAt(2026, 12, 31, 23, Advance::Minutes);
    s.Moment.MinuteOfYear += 55;
    SetAdvance(s, 4);
    AdvanceClock(s, 1);
    EXPECT_EQ(s.Moment.MinuteOfYear, 0);
}

TEST(AdvanceClock, ADayAtTwentyHoursTurnsTheSkyByTheModelsDailyAngle) {
    // The model's sky turns 366 times in 365 days, so the same clock time a day later
    // finds every star 360/365 deg further west; the real sidereal day gives 0.9856 deg.
    constexpr double AngleTolerance = 1e-9;  // degrees
    constexpr double RealDaily = 0.98565;    // degrees a day, 360 x (1/365.2422 + ...)
    WindowState s = ClockAt(2026, 2, 1, 20, Advance::Day);
    const double before = SiderealAngleOf(s.Moment);
    AdvanceClock(s, 1);
    const double turned = SiderealAngleOf(s.Moment) - before - 360;
    EXPECT_NEAR(turned, 360.0 / 365, AngleTolerance);
    EXPECT_NEAR(turned, RealDaily, 0.001) << "the model's error against the real sky";
    // Thirty days on, a star stands where it stood at 20:00 about two hours earlier.
    AdvanceClock(s, 29);
    const double sameSky = (SiderealAngleOf(s.Moment) - before - 30 * 360.0) / SiderealRate;
    EXPECT_GT(sameSky, 110);
    EXPECT_LT(sameSky, 125) << sameSky << " minutes earlier";
}
