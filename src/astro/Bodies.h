#pragma once
// The Sun, the Moon and the five planets of the naked eye, for a moment of a
// chosen year: their directions in the J2000 frame of the star catalogue, so
// that the chart places them with its own sidereal angle exactly as it places
// the stars, with what the lessons read from them (phase, bright limb, size).
// The ephemerides are ERFA's (eraEpv00, eraMoon98, eraPlan94); nothing here
// is a series of our own.

#include <array>
#include <cstdint>

#include "core/Settings.h"

// The bodies, in the order of every table that lists them.
enum class Body : std::uint8_t { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn };
inline constexpr int BodyCount = 7;
inline constexpr const char* BodyKeys[BodyCount] = {"sun",  "moon",    "mercury", "venus",
                                                    "mars", "jupiter", "saturn"};
inline constexpr const char* BodyNames[BodyCount] = {"太陽", "月",   "水星", "金星",
                                                     "火星", "木星", "土星"};

// The year of the chart's own clock: the clock's star sphere is that year's.
inline constexpr int ModelYear = SettingOf(Setting::Year).Default;

// One body as seen by the observer.
struct BodyPlace {
    double RightAscension = 0;  // Degrees 0..360, J2000 frame (the catalogue's).
    double Declination = 0;     // Degrees -90..90, J2000 frame.
    double Distance = 0;        // From the observer, au.
    double Illuminated = 1;     // Fraction of the disc lit, 0..1; 1 for the Sun.
    double BrightLimb = 0;      // Position angle of the lit limb's midpoint, degrees 0..360
                                // from the celestial north through the east; 0 for the Sun.
    double Diameter = 0;        // Apparent diameter, arcseconds.
    double Elongation = 0;      // Angle Sun-observer-body, degrees 0..180; 0 for the Sun.
    bool EastOfSun = false;     // Ecliptic longitude ahead of the Sun's: in the evening sky.
};

// Everything the overlays read of the bodies at one moment, worked out once per step.
struct BodiesNow {
    std::array<BodyPlace, BodyCount> Place;
    double MoonAge = 0;  // Days since the last new moon (geocentric conjunction in longitude).
    // Heliocentric ecliptic (J2000) longitudes, degrees 0..360, and distances, au, of
    // Venus and the Earth; and the Moon's geocentric ecliptic longitude; for the top view.
    double VenusLongitude = 0, VenusRadius = 0, EarthLongitude = 0, EarthRadius = 0;
    double MoonLongitude = 0, SunLongitude = 0;  // Geocentric ecliptic, degrees 0..360.
    const BodyPlace& operator[](Body b) const { return Place[static_cast<std::size_t>(b)]; }
};

// DeltaT: TT - UT, seconds.
// Reads:   year, a decimal year in 2000..2100 (outside it the nearest piece is used).
// Notes:   The polynomials of Espenak and Meeus (NASA's Five Millennium Canon of Solar
//          Eclipses, 2006): 2000..2005, 2005..2050 and 2050..2150, continuous at the ends.
// Tested:  2000.0 -> 63.86 s; 2026.0 -> 75.07 s; 2100.0 -> 202.9 s.
double DeltaT(double year);

// JulianDateOfClock: the UT Julian date of a minute of the chart's clock in a year.
// Reads:   year 2000..2100; minute since 1 January 00:00 zone time (UT+9), fractions allowed.
// Returns: JD(UT) of 1 January of the year, 00:00 UT+9, plus minute / 1440: a leap
//          year's clock has its 29 February (time/Clock.h).
// Tested:  2026, minute 0 -> 2461041.125 (31 December 2025 15:00 UT); 29 February and
//          1 March 2024.
double JulianDateOfClock(int year, double minute);

// SunFromEarth: the Sun seen from the Earth's centre, for the Sun's overlays.
// Reads:   jdUt  Julian date (UT).
// Writes:  ra, dec  degrees, the J2000 frame of the catalogue (astrometric: no aberration,
//          as the catalogue's stars); where given, longitude  degrees 0..360, the apparent ecliptic
//          longitude of date (mean ecliptic and equinox of date from eraEcm06, less the
//          annual aberration of 20.4898 arcsec / distance; nutation, at most 17 arcsec or
//          7 minutes of the Sun's travel, is left out), the longitude the seasons are
//          defined by.
// Tested:  SunTest: against ERFA's apparent place turned back to J2000; the seasons of 2026.
void SunFromEarth(double jdUt, double& ra, double& dec, double* longitude);

// EclipticPoint: a point of the J2000 mean ecliptic in the catalogue's J2000 frame.
// Reads:   longitude  degrees, ecliptic longitude from the J2000 equinox.
// Writes:  ra 0..360, dec -90..90, degrees; the obliquity is IAU 2006's at J2000.0 (eraObl06's).
// Notes:   The Sun strays from this line by no more than the few arcseconds of the ecliptic's
//          own slow turn since 2000 and its latitude (under 1 arcsec).
void EclipticPoint(double longitude, double& ra, double& dec);
// EclipticLongitude: the other way: the J2000 ecliptic longitude, 0..360 degrees, of a
// direction given in the catalogue's frame (ra, dec degrees).
double EclipticLongitude(double ra, double dec);

// One day of one body's series, kept between steps (BodyTables).
struct DayTrack {
    double Day = -1;      // TT Julian date of the day's start (a whole number); -1: none.
    double P[2][3] = {};  // Position at the day's start and end, au.
    double V[2][3] = {};  // Velocity at both ends, au per day.
};

// What BodiesAt keeps from one step to the next: each series evaluated at the ends of the
// TT day in use, and the last two new moons found. Owned by the caller (ChartCache); a
// fresh one gives the same bits, only slower.
struct BodyTables {
    // Earth, Moon, Mercury..Saturn; each the even and the odd day apart, so that a planet
    // seen by light that left it before TT midnight while the clock is past it keeps both.
    std::array<std::array<DayTrack, 2>, BodyCount> Tracks;
    std::array<std::array<double, 2>, 2> NewMoons{{{-1e9, 0}, {-1e9, 0}}};  // {k, TT}.
    std::size_t NextNewMoon = 0;
};

// Where the bodies are seen from: the observer on the Earth's surface (the chart), or the
// Earth's centre (published phases, eclipses and elongations are geocentric).
enum class Viewpoint : std::uint8_t { Surface, Centre };

// BodiesAt: the seven bodies for an observer.
// Reads:   jdUt  Julian date (UT); latitude degrees, north positive; siderealAngle degrees,
//          the chart's local sidereal angle (the observer's place among the J2000 stars).
// Notes:   1) TT = UT + DeltaT. The Earth from eraEpv00 (heliocentric, BCRS), the Sun as its
//             negative; the planets from eraPlan94 (heliocentric, J2000) at the time the
//             light left them (two iterations, within 0.1 s); the Moon from eraMoon98
//             (geocentric, GCRS) less the observer's position on a sphere of 6378.137 km
//             turned by the chart's own sidereal angle, so its parallax (up to 1 deg) puts it
//             where the chart's horizon expects it. Aberration is not applied (0.006 deg).
//          2) The phase from the angle Sun-body-observer i: Illuminated = (1 + cos i) / 2.
//          3) MoonAge: TT since the new moon of the lunation, found by Newton steps from
//             the mean new moon on the longitudes of the Moon and the Sun.
//          4) Each series is evaluated at the ends of the TT day and interpolated between
//             them (cubic Hermite, with the velocities): within 1e-8 au of the series.
// Tested:  BodiesTest, against ERFA's observed place through eraAtco13, the phases and
//          eclipse of March 2026 and Venus's greatest elongations.
BodiesNow BodiesAt(double jdUt, double latitude, double siderealAngle,
                   Viewpoint from = Viewpoint::Surface);
// The same with the series' days kept in `tables` between calls: an animation step costs
// no series evaluation within a day. Same bits as without.
BodiesNow BodiesAt(double jdUt, double latitude, double siderealAngle, BodyTables& tables,
                   Viewpoint from = Viewpoint::Surface);
