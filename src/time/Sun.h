#pragma once
// The Sun of the lesson overlays: its place for the chart's clock,
// the altitude and azimuth of any sky point for the model's latitude, and the
// instants of one day's sunrise, transit and sunset. The Sun runs on the same
// sidereal angle as the stars, so it sits among them where the sky puts it.

#include <array>
#include <cstdint>

#include "core/Horizontal.h"

struct Moment;

// The chart's clock taken as a date of 2026 (a year of 365 days, like the model's):
// Julian date of 1 January 2026 00:00 zone time (UT+9), that is 31 December 2025 15:00 UT.
inline constexpr double ModelYearStartJd = 2461041.125;

// Place of the Sun, degrees: right ascension 0..360 and declination -90..90 in the J2000
// frame of the star catalogue, so that the Sun is placed among the stars as they are;
// apparent ecliptic longitude 0..360 from the equinox of date, for the seasons.
struct SunPlace {
    double RightAscension, Declination, Longitude;
};

// SunAtJulianDate: the Sun from ERFA (SunFromEarth: the Earth from eraEpv00).
// Reads:   jd   Julian date (universal time).
// Notes:   Within 0.0064 deg (right ascension) and 0.0023 deg (declination) of ERFA's full
//          apparent place turned back to J2000 (the annual
//          aberration, left out as the catalogue's stars leave it out) over 2026.
// Tested:  every day of 2026 against ERFA; the ecliptic longitude at the seasons.
SunPlace SunAtJulianDate(double jd);

// What of the Sun's place is asked for: the direction alone (Longitude left 0), or also the
// ecliptic longitude, which needs the precession matrix and only the seasons read.
enum class SunParts : std::uint8_t { Direction, WithLongitude };

// SunAtMinute: the Sun for a minute of the clock in a year (minutes since 1 January 00:00
// zone time; fractions and values past the year's end allowed): JulianDateOfClock.
SunPlace SunAtMinute(double minute, int year = 2026, SunParts parts = SunParts::WithLongitude);

// The Sun's course through one day of the model year, in minutes of the year.
struct SunDay {
    int Day = 0;                 // 0..365, the zone-time date (365: a leap year's 31 December).
    double Transit = 0;          // Upper culmination (hour angle 0) nearest to the date's noon.
    double TransitAltitude = 0;  // Degrees.
    // The part of Transit - 720 .. Transit + 720 with the Sun's centre on or above the
    // horizon: one interval, empty when Up is false. Its ends are the sunrise and the
    // sunset where HasSunrise / HasSunset, otherwise the culmination 12 h away.
    bool Up = false;
    double CourseStart = 0, CourseEnd = 0;
    bool HasSunrise = false, HasSunset = false;
};

// FindSunDay: transit, sunrise and sunset of a date for the chart's place.
// Reads:   PoleAngle, Longitude (its sidereal epoch), Year; day 0..365.
// Notes:   1) The transit comes from three Newton steps on the hour angle; rise and set
//             from regula falsi on the altitude (Illinois), to 1e-7 deg.
//          2) A day on which the altitude changes sign only once (the poles at an
//             equinox) counts that crossing as its sunrise or its sunset and the other
//             end as the culmination 12 h away.
// Tested:  transit altitude 90 - |lat - dec| at seven latitudes; equinox sunrise due east.
SunDay FindSunDay(const Moment& moment, int day);

// Seasons of a year: the zone-time days (0..365) on which the Sun's ecliptic
// longitude passes 0 (春分), 90 (夏至), 180 (秋分) and 270 (冬至) degrees.
// Notes:   Found by Newton steps on the longitude from the year's start, not typed in.
// Tested:  the longitude at the found day's start is below, at its end past, the target.
std::array<int, 4> FindSeasonDays(int year = 2026);
