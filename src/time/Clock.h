#pragma once
// The observer's clock: one minute of a 365-day year in zone time (UT+9),
// its calendar fields, the sidereal epoch of the longitude and the sidereal
// angle that turns the star sphere.

#include <cstdint>

struct SkyState;

inline constexpr std::int32_t MinutesPerYear = 525600;  // 365 x 1440: the clock wraps here.
// Sidereal time at Greenwich at 0 h UT on 1 January, 6 h 39 min 52 s, in hours.
inline constexpr double GmstAtYearStart = (39.0 / 60 + 6) + 52.0 / 3600;
inline constexpr double SiderealRatio = 1.002738;  // Sidereal hours per solar hour; epoch only.
inline constexpr double ZoneOffsetHours = 9;
// Degrees per clock minute: 366 turns in a 365-day year. Evaluated in this
// order; not derived from SiderealRatio on purpose.
inline constexpr double SiderealRate = ((360.0 / 365) * 366 / 24) / 60;
// Zero-based day of the year on which each month starts; February has 28 days.
inline constexpr std::int32_t MonthStartDay[12] = {0,   31,  59,  90,  120, 151,
                                                   181, 212, 243, 273, 304, 334};

// ComputeSiderealEpoch: the zone-time minute of 1 January at which the local sidereal angle is
// zero. Reads:   Longitude    degrees, east positive. Writes:  EpochMinute  not wrapped. Tested:
// 120 -> 1098.6038759210614, 135 -> 1038.7677073506075, 150 -> 978.9315387801533.
void ComputeSiderealEpoch(SkyState& Sky);

// ComposeMinuteOfYear: Month, DayIndex, Hour, Minute -> MinuteOfYear. No range check:
// a day past the month's end runs into the next month; a Month outside 1..12 counts as day 0.
void ComposeMinuteOfYear(SkyState& Sky);

// SplitMinuteOfYear: MinuteOfYear -> Month, DayIndex, Hour, Minute. Wraps once at 525600;
// a day below 0 or above 364 leaves Month and DayIndex unchanged.
void SplitMinuteOfYear(SkyState& Sky);

// UpdateSiderealAngle: the first step of every redraw. SiderealAngle = (MinuteOfYear - EpochMinute)
// x SiderealRate, degrees, not reduced modulo 360.
void UpdateSiderealAngle(SkyState& Sky);
