#pragma once
// The Sun's day in the numbers a transparent-hemisphere exercise asks for: sunrise,
// sunset, transit and day length to the minute of zone time, the transit altitude,
// and the transit altitude at each season. All of it read off FindSunDay, so the
// numbers are the dome's own: the instants when the Sun's centre crosses the drawn
// horizon (no refraction, no semi-diameter), on the chart's sidereal clock.

#include <string>
#include <vector>

struct Moment;

// SunDayLines: the Sun's day of the moment's date as Japanese lines of text.
// Reads:   the moment's date (MinuteOfYear's day), PoleAngle and Longitude.
// Returns: the date and place; 日の出 and 日の入り with their azimuths (or a line saying
//          the Sun stays up or down all day); 南中時刻 and 南中高度 (北中 where it
//          culminates north of the zenith); 昼の長さ; the seasons' transit altitudes;
//          a last line stating what sunrise and sunset mean here.
// Notes:   Each instant is rounded to the nearest minute on its own; the day length is
//          the unrounded span, rounded.
// Tested:  the rounded sunrise and sunset lie within a minute of ERFA's for the same
//          definition (SunTimesTest).
std::vector<std::string> SunDayLines(const Moment& moment);

// ClockText: a minute of the model year as the time of its day, "6時53分".
std::string ClockText(double minute);
