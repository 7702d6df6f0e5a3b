#include <gtest/gtest.h>

#include "core/Moment.h"
#include "core/RunTimeError.h"
#include "time/Clock.h"

namespace {
Moment MakeClock(double longitude) {
    Moment Sky;
    Sky.Longitude = longitude;
    return Sky;
}
}  // namespace

TEST(SiderealEpochMinute, GivesTheWorkedEpochs) {
    struct Row {
        double Longitude, EpochMinute;
    };
    constexpr Row Rows[] = {
        {120, 1098.6038759210614}, {135, 1038.7677073506075}, {150, 978.9315387801533}};
    for (const Row& row : Rows) {
        EXPECT_EQ(SiderealEpochMinute(row.Longitude), row.EpochMinute) << row.Longitude;
    }
}

TEST(SiderealAngleOf, GivesTheWorkedAnglesUnreduced) {
    Moment Sky = MakeClock(135);
    Sky.MinuteOfYear = 0;
    EXPECT_EQ(SiderealAngleOf(Sky), -260.40341156871386);
    Sky.MinuteOfYear = 1038;
    EXPECT_LT(SiderealAngleOf(Sky), 0);
    Sky.MinuteOfYear = 1039;
    EXPECT_GT(SiderealAngleOf(Sky), 0);
    Sky.MinuteOfYear = 525599;
    EXPECT_EQ(SiderealAngleOf(Sky), 131499.34590349975);
}

TEST(SiderealRate, IsEvaluatedInItsWrittenOrder) {
    EXPECT_EQ(SiderealRate, 0.2506849315068493);
    EXPECT_EQ(GmstAtYearStart, 6.664444444444444);
    constexpr double DegreesTolerance = 1e-9;  // degrees
    EXPECT_NEAR(1440 * SiderealRate, 360.986301369863, DegreesTolerance);
}

TEST(SplitMinuteOfYear, SplitsDayBoundaries) {
    struct Row {
        std::int32_t Minute;
        std::int16_t Month;
        std::int32_t DayIndex;
        double Hour, MinuteOfHour;
    };
    // Minutes of day 0, 58 (28 February), 59 (1 March), 364, and the last minute.
    constexpr Row Rows[] = {
        {0, 1, 0, 0, 0},
        {58 * 1440, 2, 27, 0, 0},
        {59 * 1440, 3, 0, 0, 0},
        {59 * 1440 - 1, 2, 27, 23, 59},
        {364 * 1440 + 754, 12, 30, 12, 34},
        {525599, 12, 30, 23, 59},
    };
    for (const Row& row : Rows) {
        Moment Sky;
        Sky.MinuteOfYear = row.Minute;
        SplitMinuteOfYear(Sky);
        EXPECT_EQ(Sky.Month, row.Month) << row.Minute;
        EXPECT_EQ(Sky.DayIndex, row.DayIndex) << row.Minute;
        EXPECT_EQ(Sky.Hour, row.Hour) << row.Minute;
        EXPECT_EQ(Sky.Minute, row.MinuteOfHour) << row.Minute;
        EXPECT_EQ(Sky.MinuteOfYear, row.Minute);
    }
}

TEST(SplitMinuteOfYear, WrapsOnceAtYearEnd) {
    Moment Sky;
    Sky.MinuteOfYear = 525599 + 5;
    SplitMinuteOfYear(Sky);
    EXPECT_EQ(Sky.MinuteOfYear, 4);
    EXPECT_EQ(Sky.Month, 1);
    EXPECT_EQ(Sky.DayIndex, 0);
    EXPECT_EQ(Sky.Minute, 4);
    // A value two years on wraps only once and leaves month and day as they were.
    Sky.Month = 7;
    Sky.DayIndex = 3;
    Sky.MinuteOfYear = 2 * MinutesPerYear + 61;
    SplitMinuteOfYear(Sky);
    EXPECT_EQ(Sky.MinuteOfYear, MinutesPerYear + 61);
    EXPECT_EQ(Sky.Month, 7);
    EXPECT_EQ(Sky.DayIndex, 3);
    EXPECT_EQ(Sky.Hour, 1);
    EXPECT_EQ(Sky.Minute, 1);
}

TEST(SplitMinuteOfYear, LeavesMonthAndDayOnNegativeMinutes) {
    Moment Sky;
    Sky.Month = 5;
    Sky.DayIndex = 9;
    Sky.MinuteOfYear = -30;  // Day -1: hour 23, minute 30 of the day before.
    SplitMinuteOfYear(Sky);
    EXPECT_EQ(Sky.MinuteOfYear, -30);
    EXPECT_EQ(Sky.Month, 5);
    EXPECT_EQ(Sky.DayIndex, 9);
    EXPECT_EQ(Sky.Hour, 23);
    EXPECT_EQ(Sky.Minute, 30);
}

TEST(ComposeMinuteOfYear, RoundTripsWithSplit) {
    Moment Sky;
    Sky.Month = 12;
    Sky.DayIndex = 30;
    Sky.Hour = 23;
    Sky.Minute = 59;
    ComposeMinuteOfYear(Sky);
    EXPECT_EQ(Sky.MinuteOfYear, 525599);
    Sky.Month = 1;
    Sky.DayIndex = 0;
    Sky.Hour = 0;
    Sky.Minute = 0;
    ComposeMinuteOfYear(Sky);
    EXPECT_EQ(Sky.MinuteOfYear, 0);
}

TEST(ComposeMinuteOfYear, RunsThirtyFirstFebruaryIntoMarch) {
    Moment Sky;
    Sky.Month = 2;
    Sky.DayIndex = 30;
    ComposeMinuteOfYear(Sky);
    EXPECT_EQ(Sky.MinuteOfYear, 61 * 1440);
    SplitMinuteOfYear(Sky);
    EXPECT_EQ(Sky.Month, 3);
    EXPECT_EQ(Sky.DayIndex, 2);
}

// A leap year's clock has 29 February: its dates compose to their own minutes and split
// back to themselves, the days after it come a day later, and the year wraps a day later.
// 2026's calendar is the common year's (above); 2100 is not a leap year.
TEST(ComposeMinuteOfYear, GivesALeapYearItsTwentyNinthOfFebruary) {
    struct Row {
        int Year, Month, Day;
        std::int32_t Day0;         // Zero-based day of the year composed.
        int ShownMonth, ShownDay;  // As split back.
    };
    constexpr Row Rows[] = {
        {2024, 2, 29, 59, 2, 29},    {2024, 3, 1, 60, 3, 1},   {2024, 2, 31, 61, 3, 2},
        {2024, 12, 31, 365, 12, 31}, {2000, 2, 29, 59, 2, 29}, {2100, 2, 29, 59, 3, 1},
    };
    for (const Row& row : Rows) {
        Moment Sky;
        Sky.Year = static_cast<std::int16_t>(row.Year);
        Sky.Month = static_cast<std::int16_t>(row.Month);
        Sky.DayIndex = row.Day - 1;
        Sky.Hour = 23;
        ComposeMinuteOfYear(Sky);
        EXPECT_EQ(Sky.MinuteOfYear, row.Day0 * 1440 + 23 * 60) << row.Year << "-" << row.Month;
        SplitMinuteOfYear(Sky);
        EXPECT_EQ(Sky.Month, row.ShownMonth) << row.Year << "-" << row.Month << "-" << row.Day;
        EXPECT_EQ(Sky.DayIndex, row.ShownDay - 1) << row.Year << "-" << row.Month;
    }
    Moment Sky;
    Sky.Year = 2024;
    Sky.MinuteOfYear = MinutesInYear(2024) + 5;
    SplitMinuteOfYear(Sky);
    EXPECT_EQ(Sky.MinuteOfYear, 5);
    EXPECT_EQ(MinutesInYear(2024), 366 * 1440);
}

TEST(ComposeMinuteOfYear, IgnoresDayOutsideTheMonthsAndOverflows) {
    Moment Sky;
    Sky.Month = 13;
    Sky.DayIndex = 20;
    Sky.Hour = 2;
    ComposeMinuteOfYear(Sky);
    EXPECT_EQ(Sky.MinuteOfYear, 120);
    Sky.Month = 1;
    Sky.DayIndex = 2000000;  // Days x 1440 leaves the 32-bit range.
    EXPECT_THROW(ComposeMinuteOfYear(Sky), RunTimeError);
}
