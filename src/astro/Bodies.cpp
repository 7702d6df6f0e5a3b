#include "astro/Bodies.h"

#include <erfa.h>

#include <cmath>
#include <numbers>

namespace {
constexpr double Radian = std::numbers::pi / 180;
constexpr double AuKm = 149597870.7;
constexpr double EarthRadiusKm = 6378.137;                // Equatorial; the observer's sphere.
constexpr double LightDaysPerAu = 499.004783836 / 86400;  // ERFA_AULT in days.
constexpr double SynodicMonth = 29.530588853;             // Days, mean.
// Mean diameters, km: the Sun's, the Moon's and the planets' (equatorial for the giants,
// whose discs are what a pupil's telescope shows).
constexpr double DiameterKm[BodyCount] = {1392700, 3474.8, 4879.4, 12103.6, 6792.4, 142984, 120536};
// eraPlan94's planet numbers, 0 for the Sun and the Moon.
constexpr int Plan94Number[BodyCount] = {0, 0, 1, 2, 4, 5, 6};
// Obliquity of the ecliptic at J2000 (IAU 2006), radians: for the ecliptic longitudes only.
constexpr double Obliquity = 84381.406 / 3600 * Radian;

struct Vec {
    double X, Y, Z;
};
Vec operator-(Vec a, Vec b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
Vec operator-(Vec a) { return {-a.X, -a.Y, -a.Z}; }
double Dot(Vec a, Vec b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
double Length(Vec a) { return std::sqrt(Dot(a, a)); }

double Wrap(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    return r < 0 ? r + 360 : r;
}

// Ecliptic longitude (J2000), degrees 0..360, of an equatorial J2000 vector.
double EclipticLongitude(Vec v) {
    const double y = v.Y * std::cos(Obliquity) + v.Z * std::sin(Obliquity);
    return Wrap(std::atan2(y, v.X) / Radian);
}

// Angle between two vectors, radians, by the half-chord (good near 0 and 180).
double AngleBetween(Vec a, Vec b) {
    const double la = Length(a), lb = Length(b);
    const Vec ua{a.X / la, a.Y / la, a.Z / la}, ub{b.X / lb, b.Y / lb, b.Z / lb};
    const Vec d = ua - ub;
    const Vec s{ua.X + ub.X, ua.Y + ub.Y, ua.Z + ub.Z};
    return 2 * std::atan2(Length(d), Length(s));
}

void Direction(Vec v, double& ra, double& dec) {
    ra = Wrap(std::atan2(v.Y, v.X) / Radian);
    dec = std::atan2(v.Z, std::hypot(v.X, v.Y)) / Radian;
}

// Position angle of direction b seen from direction a, from the north through the east,
// degrees 0..360.
double PositionAngle(double ra, double dec, double raB, double decB) {
    const double dRa = (raB - ra) * Radian;
    const double d = dec * Radian, dB = decB * Radian;
    return Wrap(
        std::atan2(std::cos(dB) * std::sin(dRa),
                   std::sin(dB) * std::cos(d) - std::cos(dB) * std::sin(d) * std::cos(dRa)) /
        Radian);
}

struct Ephemeris {
    Vec EarthHelio;  // The Earth from the Sun, au, BCRS axes.
    Vec MoonGeo;     // The Moon from the Earth's centre, au, GCRS axes.
};

Ephemeris EphemerisAt(double tt1, double tt2) {
    double pvh[2][3], pvb[2][3], pvm[2][3];
    eraEpv00(tt1, tt2, pvh, pvb);
    eraMoon98(tt1, tt2, pvm);
    return {{pvh[0][0], pvh[0][1], pvh[0][2]}, {pvm[0][0], pvm[0][1], pvm[0][2]}};
}

double MoonSunLongitudeDifference(const Ephemeris& e) {
    return std::remainder(EclipticLongitude(e.MoonGeo) - EclipticLongitude(-e.EarthHelio), 360.0);
}

double TtOffsetDays(double jdUt) {
    const double year = 2000 + (jdUt - 2451544.5) / 365.2425;
    return DeltaT(year) / 86400;
}
}  // namespace

double DeltaT(double year) {
    if (year < 2005) {
        const double t = year - 2000;
        return 63.86 + t * (0.3345 + t * (-0.060374 +
                                          t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    if (year < 2050) {
        const double t = year - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (year - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - year);
}

double JulianDateOfClock(int year, double minute) {
    double mjd0 = 0, mjd = 0;
    eraCal2jd(year, 1, 1, &mjd0, &mjd);
    return (mjd0 + mjd - 9.0 / 24) + minute / 1440;
}

namespace {
// Positions and velocities (au, au/day) at both ends of the TT day [Day, Day + 1] of every
// track: 0 the Earth from the Sun (eraEpv00), 1 the Moon from the Earth (eraMoon98),
// 2..6 Mercury to Saturn from the Sun (eraPlan94).
DayTrack TrackOfDay(int track, double day) {
    DayTrack t;
    t.Day = day;
    for (int end = 0; end < 2; ++end) {
        double pv[2][3], pvb[2][3];
        if (track == 0) {
            eraEpv00(day + end, 0, pv, pvb);
        } else if (track == 1) {
            eraMoon98(day + end, 0, pv);
        } else {
            eraPlan94(day + end, 0, Plan94Number[track], pv);
        }
        for (int k = 0; k < 3; ++k) {
            t.P[end][k] = pv[0][k];
            t.V[end][k] = pv[1][k];
        }
    }
    return t;
}

// A track at TT `tt`: the cubic Hermite curve through both ends of its day with their
// velocities. Within a day it stays within 1e-8 au of the series themselves (the Moon's,
// the fastest, 0.0004 deg as seen from the Earth), so one evaluation of each series per
// day serves every step of an animation, and every caller gets the same bits.
Vec Track(BodyTables& tables, int track, double tt) {
    const double day = std::floor(tt);
    DayTrack& kept = tables.Tracks[static_cast<std::size_t>(track)]
                                  [static_cast<std::size_t>(static_cast<std::int64_t>(day) & 1)];
    if (kept.Day != day) kept = TrackOfDay(track, day);
    const double s = tt - day, s2 = s * s, s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s, h01 = -2 * s3 + 3 * s2,
                 h11 = s3 - s2;
    double p[3];
    for (int k = 0; k < 3; ++k)
        p[k] = h00 * kept.P[0][k] + h10 * kept.V[0][k] + h01 * kept.P[1][k] + h11 * kept.V[1][k];
    return {p[0], p[1], p[2]};
}

// The new moon of lunation k (k = 0 near 6 January 2000): Newton steps on the difference of
// the geocentric ecliptic longitudes of the Moon and the Sun from ERFA, from the mean new
// moon. A function of k alone, so a kept value equals a fresh one.
double NewMoon(double k) {
    constexpr double FirstMeanNewMoon = 2451550.09766;  // TT, the mean new moon of k = 0.
    double tt = FirstMeanNewMoon + SynodicMonth * k;
    for (int step = 0; step < 4; ++step) {
        tt -= MoonSunLongitudeDifference(EphemerisAt(tt, 0)) / 360 * SynodicMonth;
    }
    return tt;
}

double KeptNewMoon(BodyTables& tables, double k) {
    for (const auto& kept : tables.NewMoons)
        if (kept[0] == k) return kept[1];
    auto& slot = tables.NewMoons[tables.NextNewMoon];
    tables.NextNewMoon = 1 - tables.NextNewMoon;
    slot = {k, NewMoon(k)};
    return slot[1];
}
}  // namespace

BodiesNow BodiesAt(double jdUt, double latitude, double siderealAngle, Viewpoint from) {
    BodyTables tables;
    return BodiesAt(jdUt, latitude, siderealAngle, tables, from);
}

BodiesNow BodiesAt(double jdUt, double latitude, double siderealAngle, BodyTables& tables,
                   Viewpoint from) {
    BodiesNow now;
    const double tt = jdUt + TtOffsetDays(jdUt);
    const Vec earthHelio = Track(tables, 0, tt), moonGeo = Track(tables, 1, tt);
    // The observer, au, J2000 axes: on the Earth's sphere under the chart's local sidereal angle.
    const double phi = latitude * Radian, theta = siderealAngle * Radian;
    const double rho = from == Viewpoint::Surface ? EarthRadiusKm / AuKm : 0.0;
    const Vec observer{rho * std::cos(phi) * std::cos(theta), rho * std::cos(phi) * std::sin(theta),
                       rho * std::sin(phi)};
    const Vec sunFromObserver = -earthHelio - observer;
    std::array<Vec, BodyCount> fromObserver{};  // Body from the observer.
    std::array<Vec, BodyCount> toSun{};         // The Sun from the body.
    fromObserver[0] = sunFromObserver;
    fromObserver[1] = moonGeo - observer;
    toSun[1] = -earthHelio - moonGeo;
    for (int b = 2; b < BodyCount; ++b) {
        // Light time: the planet where it was when the light now arriving left it; the
        // second step changes it by under 0.1 s.
        Vec helio = Track(tables, b, tt);
        for (int k = 0; k < 2; ++k) {
            const double tau = Length(helio - earthHelio) * LightDaysPerAu;
            helio = Track(tables, b, tt - tau);
        }
        fromObserver[static_cast<std::size_t>(b)] = helio - earthHelio - observer;
        toSun[static_cast<std::size_t>(b)] = -helio;
        if (b == 3) {
            now.VenusLongitude = EclipticLongitude(helio);
            now.VenusRadius = Length(helio);
        }
    }
    double sunRa = 0, sunDec = 0;
    Direction(sunFromObserver, sunRa, sunDec);
    const double sunLongitude = EclipticLongitude(sunFromObserver);
    for (std::size_t b = 0; b < BodyCount; ++b) {
        BodyPlace& place = now.Place[b];
        Direction(fromObserver[b], place.RightAscension, place.Declination);
        place.Distance = Length(fromObserver[b]);
        place.Diameter = 2 * std::atan(DiameterKm[b] / 2 / AuKm / place.Distance) / Radian * 3600;
        if (b == 0) continue;
        const double phase = AngleBetween(toSun[b], -fromObserver[b]);
        place.Illuminated = (1 + std::cos(phase)) / 2;
        place.BrightLimb = PositionAngle(place.RightAscension, place.Declination, sunRa, sunDec);
        place.Elongation = AngleBetween(fromObserver[b], sunFromObserver) / Radian;
        place.EastOfSun =
            std::remainder(EclipticLongitude(fromObserver[b]) - sunLongitude, 360.0) > 0;
    }
    // The last new moon: the lunation's, found once and kept.
    double k = std::floor((tt - 2451550.09766) / SynodicMonth);
    if (KeptNewMoon(tables, k) > tt)
        k -= 1;
    else if (KeptNewMoon(tables, k + 1) <= tt)
        k += 1;
    now.MoonAge = tt - KeptNewMoon(tables, k);
    // The top view's angles.
    now.EarthLongitude = EclipticLongitude(earthHelio);
    now.EarthRadius = Length(earthHelio);
    now.MoonLongitude = EclipticLongitude(moonGeo);
    now.SunLongitude = EclipticLongitude(-earthHelio);
    return now;
}

void SunFromEarth(double jdUt, double& ra, double& dec, double* longitude) {
    // The Earth's series kept for its day: the Sun's overlays ask for many instants of one
    // day, on both sides of a TT day's end (21:00 zone time), so even and odd days are kept
    // apart. A memo only: the interpolated value does not depend on what was asked before.
    thread_local std::array<BodyTables, 2> memo;
    const double tt = jdUt + TtOffsetDays(jdUt);
    const auto parity = static_cast<std::size_t>(static_cast<long long>(std::floor(tt)) & 1);
    const Vec sun = -Track(memo[parity], 0, tt);
    Direction(sun, ra, dec);
    // The precession matrix costs more than the rest: only the seasons ask for it.
    if (longitude == nullptr) return;
    double rm[3][3];
    eraEcm06(jdUt, tt - jdUt, rm);
    const double x = rm[0][0] * sun.X + rm[0][1] * sun.Y + rm[0][2] * sun.Z;
    const double y = rm[1][0] * sun.X + rm[1][1] * sun.Y + rm[1][2] * sun.Z;
    constexpr double Aberration = 20.4898 / 3600;  // Degrees at 1 au.
    *longitude = Wrap(std::atan2(y, x) / Radian - Aberration / Length(sun));
}

void EclipticPoint(double longitude, double& ra, double& dec) {
    // The ecliptic to the equator by the obliquity alone: the J2000 frame has no other turn.
    const double l = longitude * Radian;
    ra = Wrap(std::atan2(std::sin(l) * std::cos(Obliquity), std::cos(l)) / Radian);
    dec = std::asin(std::sin(l) * std::sin(Obliquity)) / Radian;
}

double EclipticLongitude(double ra, double dec) {
    const double a = ra * Radian, d = dec * Radian;
    return Wrap(std::atan2(std::sin(a) * std::cos(Obliquity) + std::tan(d) * std::sin(Obliquity),
                           std::cos(a)) /
                Radian);
}
