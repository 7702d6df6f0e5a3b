#include "time/Clock.h"

#include <erfa.h>

#include <cmath>

#include "astro/Bodies.h"
#include "core/Convert.h"
#include "core/Moment.h"

double SiderealEpochMinute(double longitude) {
    const double L = longitude / 15;              // Hours.
    const double S = 24 - (GmstAtYearStart + L);  // Sidereal hours until local sidereal 24 h.
    return (S / SiderealRatio + ZoneOffsetHours) * 60;
}

void ComposeMinuteOfYear(Moment& moment) {
    std::int32_t days = 0;
    if (moment.Month >= 1 && moment.Month <= 12) {
        const int leapDay = IsLeapYear(moment.Year) && moment.Month > 2 ? 1 : 0;
        days = Round32(static_cast<double>(MonthStartDay[moment.Month - 1] + leapDay) +
                       moment.DayIndex);
    }
    const std::int32_t dayMinutes = Checked32(static_cast<std::int64_t>(days) * 1440);
    moment.MinuteOfYear = Round32((dayMinutes + moment.Hour * 60) + moment.Minute);
}

namespace {
struct MonthRange {
    std::int32_t FirstDay, LastDay;
    std::int16_t Month;
};
constexpr MonthRange MonthRanges[12] = {
    {0, 30, 1},    {31, 58, 2},   {59, 89, 3},   {90, 119, 4},   {120, 150, 5},  {151, 180, 6},
    {181, 211, 7}, {212, 242, 8}, {243, 272, 9}, {273, 303, 10}, {304, 333, 11}, {334, 364, 12},
};
}  // namespace

void SplitMinuteOfYear(Moment& moment) {
    const std::int32_t yearMinutes = MinutesInYear(moment.Year);
    if (moment.MinuteOfYear >= yearMinutes) moment.MinuteOfYear -= yearMinutes;  // The only wrap.
    const double day = std::floor(static_cast<double>(moment.MinuteOfYear) / 24 / 60);
    const std::int32_t d = Round32(day);
    // In a leap year day 59 is 29 February and every later day is the common year's next.
    const bool leap = IsLeapYear(moment.Year);
    if (leap && d == 59) {
        moment.Month = 2;
        moment.DayIndex = 28;
    } else {
        const std::int32_t common = leap && d > 59 ? d - 1 : d;
        for (const MonthRange& range : MonthRanges) {
            if (common >= range.FirstDay && common <= range.LastDay) {
                moment.Month = range.Month;
                moment.DayIndex = common - range.FirstDay;
                break;
            }
        }
    }
    const std::int32_t rem = Checked32(static_cast<std::int64_t>(moment.MinuteOfYear) -
                                       static_cast<std::int64_t>(d) * 1440);
    moment.Hour = std::floor(static_cast<double>(rem) / 60);
    moment.Minute = rem - moment.Hour * 60;
}

ZoneTime ZoneTimeOf(double unixMs) {
    const double minutes = std::floor(unixMs / 60000.0) + ZoneOffsetHours * 60;
    const double days = std::floor(minutes / 1440);
    const int ofDay = static_cast<int>(minutes - days * 1440);
    // The Julian date of the zone day's noon, so that the date is far from a day's edge.
    int year = 0, month = 0, day = 0;
    double fraction = 0;
    eraJd2cal(2440588.0 + days, 0, &year, &month, &day, &fraction);
    return {year, month, day, ofDay / 60, ofDay % 60};
}

double ModelMinute(int year, double minute) {
    return IsLeapYear(year) && minute >= 60 * 1440 ? minute - 1440 : minute;
}

double YearSiderealCorrection(int year, double minute) {
    if (year == ModelYear) return 0;
    // Greenwich mean sidereal time (IAU 2006) at both dates, TT from the same ΔT model.
    const auto gmst = [](int y, double m) {
        const double ut = JulianDateOfClock(y, m);
        return eraGmst06(ut, 0, ut, DeltaT(y + m / MinutesInYear(y)) / 86400);
    };
    constexpr double Degrees = 180 / 3.141592653589793;
    return std::remainder(
        (gmst(year, minute) - gmst(ModelYear, ModelMinute(year, minute))) * Degrees, 360.0);
}

double SiderealAngleAt(const Moment& moment, double minute) {
    // 2026 takes no correction at all, so that its charts keep every bit.
    if (moment.Year == ModelYear)
        return (minute - SiderealEpochMinute(moment.Longitude)) * SiderealRate;
    const double model = ModelMinute(moment.Year, minute);
    return (model - SiderealEpochMinute(moment.Longitude)) * SiderealRate +
           YearSiderealCorrection(moment.Year, minute);
}

double SiderealAngleOf(const Moment& moment) {
    return SiderealAngleAt(moment, static_cast<double>(moment.MinuteOfYear));
}
