#include "time/Sun.h"

#include <cmath>
#include <numbers>

#include "astro/Bodies.h"
#include "core/Horizontal.h"
#include "core/Moment.h"
#include "time/Clock.h"

namespace {
// Degrees of hour angle the Sun gains per clock minute: the sidereal rate less the
// Sun's mean motion in right ascension. Only a step size for Newton's method.
constexpr double SolarRate = 0.25;
// Days per degree of the Sun's mean motion in longitude; a step size as above.
constexpr double MinutesPerLongitudeDegree = 1440 / 0.9856474;
}  // namespace

SunPlace SunAtJulianDate(double jd) {
    SunPlace sun{};
    SunFromEarth(jd, sun.RightAscension, sun.Declination, &sun.Longitude);
    return sun;
}

SunPlace SunAtMinute(double minute, int year, SunParts parts) {
    SunPlace sun{};
    SunFromEarth(JulianDateOfClock(year, minute), sun.RightAscension, sun.Declination,
                 parts == SunParts::WithLongitude ? &sun.Longitude : nullptr);
    return sun;
}

namespace {
double SunAltitude(const Moment& moment, double minute) {
    const SunPlace sun = SunAtMinute(minute, moment.Year, SunParts::Direction);
    return HorizontalOf(moment.PoleAngle, SiderealAngleAt(moment, minute), sun.RightAscension,
                        sun.Declination)
        .Altitude;
}

// The crossing of altitude 0 between a and b, whose altitudes differ in sign: the
// Illinois form of regula falsi, which keeps the crossing bracketed and, the
// altitude being smooth, closes in within a few steps.
double HorizonCrossing(const Moment& moment, double a, double b) {
    constexpr double Precision = 1e-4;  // Minutes: 0.0015 deg of the Sun's travel.
    double fa = SunAltitude(moment, a), fb = SunAltitude(moment, b);
    int side = 0;
    for (int k = 0; k < 40 && b - a > Precision; ++k) {
        const double c = b - fb * (b - a) / (fb - fa);
        const double fc = SunAltitude(moment, c);
        if (fc == 0) return c;
        if ((fc > 0) == (fb > 0)) {
            b = c;
            fb = fc;
            if (side == -1) fa /= 2;
            side = -1;
        } else {
            a = c;
            fa = fc;
            if (side == 1) fb /= 2;
            side = 1;
        }
        if (std::fabs(fc) < 1e-7) return c;  // Degrees: far below a pixel.
    }
    return 0.5 * (a + b);
}
}  // namespace

SunDay FindSunDay(const Moment& moment, int day) {
    SunDay result;
    result.Day = day;
    // Transit: the hour angle's zero nearest the date's noon.
    double m = day * 1440.0 + 720;
    for (int k = 0; k < 4; ++k) {
        const double hourAngle =
            std::remainder(SiderealAngleAt(moment, m) -
                               SunAtMinute(m, moment.Year, SunParts::Direction).RightAscension,
                           360.0);
        m -= hourAngle / SolarRate;
    }
    result.Transit = m;
    result.TransitAltitude = SunAltitude(moment, m);
    // The course above the horizon: altitude rises to the transit and falls after it,
    // or (at the poles) runs one way all day, so the part above is one interval.
    const double before = m - 720, after = m + 720;
    const bool upBefore = SunAltitude(moment, before) >= 0,
               upAfter = SunAltitude(moment, after) >= 0;
    if (result.TransitAltitude >= 0) {
        result.Up = true;
        result.HasSunrise = !upBefore;
        result.HasSunset = !upAfter;
        result.CourseStart = upBefore ? before : HorizonCrossing(moment, before, m);
        result.CourseEnd = upAfter ? after : HorizonCrossing(moment, m, after);
    } else if (upBefore) {
        result.Up = true;
        result.HasSunset = true;
        result.CourseStart = before;
        result.CourseEnd = HorizonCrossing(moment, before, m);
    } else if (upAfter) {
        result.Up = true;
        result.HasSunrise = true;
        result.CourseStart = HorizonCrossing(moment, m, after);
        result.CourseEnd = after;
    }
    return result;
}

std::array<int, 4> FindSeasonDays(int year) {
    std::array<int, 4> days{};
    const double startLongitude = SunAtMinute(0, year).Longitude;
    for (int k = 0; k < 4; ++k) {
        const double target = 90.0 * k;
        double m = Wrap360(target - startLongitude) * MinutesPerLongitudeDegree;
        for (int step = 0; step < 5; ++step) {
            m += std::remainder(target - SunAtMinute(m, year).Longitude, 360.0) *
                 MinutesPerLongitudeDegree;
        }
        days[static_cast<std::size_t>(k)] = static_cast<int>(std::floor(m / 1440));
    }
    return days;
}
