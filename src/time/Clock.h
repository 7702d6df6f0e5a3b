#pragma once
// The observer's clock: one minute of a 365-day year in zone time (UT+9),
// its calendar fields, the sidereal epoch of the longitude and the sidereal
// angle that turns the star sphere.

#include <cstdint>

struct Moment;

inline constexpr std::int32_t MinutesPerYear = 525600;  // 365 x 1440: the clock wraps here.
// Greenwich mean sidereal time at 0 h UT on 1 January, 6 h 39 min 52 s, in hours: the
// chart's fixed year start. The real value for 2026 is 6 h 42 min 39 s (ERFA's eraGmst06);
// the README's accuracy paragraph says what the difference does to the chart.
inline constexpr double GmstAtYearStart = (39.0 / 60 + 6) + 52.0 / 3600;
// Sidereal hours per solar hour, to six decimals (1.00273790935 in full); epoch only.
inline constexpr double SiderealRatio = 1.002738;
inline constexpr double ZoneOffsetHours = 9;  // Japan Standard Time, UT + 9 h.
// Degrees per clock minute: 366 turns of the sky in a 365-day year, so that the clock
// comes round to the same sky after a year. Evaluated in this order; not derived from
// SiderealRatio on purpose.
inline constexpr double SiderealRate = ((360.0 / 365) * 366 / 24) / 60;
// IsLeapYear: the Gregorian rule; 29 February exists.
constexpr bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
// MinutesInYear: where the clock of a year wraps: MinutesPerYear, a day more in a leap year.
constexpr std::int32_t MinutesInYear(int year) {
    return IsLeapYear(year) ? MinutesPerYear + 1440 : MinutesPerYear;
}

// Zero-based day of the year on which each month starts; February has 28 days (a leap
// year starts each month after February a day later).
inline constexpr std::int32_t MonthStartDay[12] = {0,   31,  59,  90,  120, 151,
                                                   181, 212, 243, 273, 304, 334};

// SiderealEpochMinute: the zone-time minute of 1 January at which the local sidereal
// angle is zero.
// Reads:   longitude  degrees, east positive (120..150 from the longitude bar).
// Returns: minutes since 1 January 00:00 zone time; not wrapped.
// Notes:   Uses SiderealRatio; the running angle uses SiderealRate instead.
// Tested:  120 -> 1098.6038759210614, 135 -> 1038.7677073506075, 150 -> 978.9315387801533.
double SiderealEpochMinute(double longitude);

// ComposeMinuteOfYear: the clock from its calendar fields.
// Reads:   Month 1..12, DayIndex (day - 1), Hour, Minute; Year (29 February in a leap year).
// Writes:  MinuteOfYear  minutes since 1 January 00:00 zone time.
// Notes:   1) No range check: a day past the month's end runs into the next month
//             (31 February is 3 March, and 2 March in a leap year).
//          2) A Month outside 1..12 counts as day 0 of the year.
//          3) A day count whose minutes leave 32 bits is the overflow error.
// Tested:  month 13, day index 20, 02:00 -> 120.
void ComposeMinuteOfYear(Moment& moment);

// SplitMinuteOfYear: the calendar fields from the clock.
// Reads:   MinuteOfYear  0..1051199; Year.
// Writes:  MinuteOfYear  less MinutesInYear(Year) when at or past the year's end (the one
//          wrap); Month 1..12, DayIndex 0..30, Hour 0..23, Minute 0..59.
// Notes:   A day below 0 or past the year's last leaves Month and DayIndex as they were.
void SplitMinuteOfYear(Moment& moment);

// A wall-clock reading as the chart's zone time (UT+9): a civil date and time to the minute.
struct ZoneTime {
    int Year, Month, Day;  // Gregorian; Month 1..12, Day 1..31.
    int Hour, Minute;      // 0..23, 0..59.
};
// ZoneTimeOf: unixMs, milliseconds since 1970-01-01 00:00 UT, as zone time, the seconds
// dropped (ERFA's eraJd2cal for the date).
ZoneTime ZoneTimeOf(double unixMs);

// ModelMinute: the minute of 2026's clock with the same date and time as a minute of a
// year's: the same minute, less a day from 1 March on in a leap year (29 February takes
// 1 March's). The model clock's sidereal angle is evaluated there.
double ModelMinute(int year, double minute);

// YearSiderealCorrection: what another year adds to the model clock's sidereal angle.
// Reads:   year 2000..2100; minute of that year's clock.
// Returns: degrees, -180..180: the real Greenwich mean sidereal time (eraGmst06) at the
//          minute in that year less the same at ModelMinute in 2026; exactly 0 for 2026.
// Notes:   So every year keeps 2026's small error against the real sky, whatever its place
//          in the leap-year cycle (up to about 0.7 deg from 2026's), and the calendar
//          carries over: each date of 2026 keeps its sky, and 29 February has its own.
// Tested:  0 for 2026; ClockTest: the corrected angle against the real sidereal time.
double YearSiderealCorrection(int year, double minute);

// SiderealAngleAt: the angle that turns the star sphere at any minute of the clock.
// Reads:   Longitude (by its epoch), Year; minute, minutes of the year, fractions and values
//          past the year's end allowed.
// Returns: (ModelMinute - SiderealEpochMinute(Longitude)) x SiderealRate, degrees, plus
//          YearSiderealCorrection for a year other than 2026; never reduced modulo 360, may
//          be negative.
double SiderealAngleAt(const Moment& moment, double minute);

// SiderealAngleOf: SiderealAngleAt the moment's own MinuteOfYear: the angle of its chart.
double SiderealAngleOf(const Moment& moment);
