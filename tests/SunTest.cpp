// The Sun's apparent place against ERFA, the seasons found from it, and the day's
// sunrise and sunset as the text gives them.
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Moment.h"
#include "time/Clock.h"
#include "time/Sun.h"
#include "time/SunTimes.h"

namespace {
// ERFA's apparent geocentric place of the Sun, degrees, right ascension from the true
// equinox of date: the Earth's heliocentric position (eraEpv00) turned around, the
// annual aberration of the Earth's barycentric velocity (eraAb), then the IAU 2006/2000A
// bias-precession-nutation matrix. The Sun's own motion in 8 light-minutes and the
// light's deflection by the Sun itself are below 0.00001 deg and left out.
void ErfaSun(double jdUt, double& ra, double& dec) {
    constexpr double DeltaT = 69.2;  // TT - UT in 2026, seconds; the Sun moves 0.0008 deg in it.
    const double tt = (jdUt - ERFA_DJ00) + DeltaT / ERFA_DAYSEC;
    double pvh[2][3], pvb[2][3];
    eraEpv00(ERFA_DJ00, tt, pvh, pvb);
    double toSun[3] = {-pvh[0][0], -pvh[0][1], -pvh[0][2]}, distance = 0, unit[3];
    eraPn(toSun, &distance, unit);
    double v[3];
    for (int k = 0; k < 3; ++k) v[k] = pvb[1][k] * ERFA_AULT / ERFA_DAYSEC;  // Units of c.
    const double bm1 = std::sqrt(1 - eraPm(v) * eraPm(v));
    double aberrated[3], rbpn[3][3], ofDate[3];
    eraAb(unit, v, distance, bm1, aberrated);
    eraPnm06a(ERFA_DJ00, tt, rbpn);
    eraRxp(rbpn, aberrated, ofDate);
    eraC2s(ofDate, &ra, &dec);
    ra = eraAnp(ra) * ERFA_DR2D;
    dec *= ERFA_DR2D;
}

// The same apparent place turned back from the equator of date to the J2000 frame the
// catalogue's stars are in (the transpose of the same matrix): what is left of the
// difference from an astrometric J2000 direction is the annual aberration, 20.5 arcsec.
void ErfaSunInJ2000(double jdUt, double& ra, double& dec) {
    constexpr double DeltaT = 69.2;
    const double tt = (jdUt - ERFA_DJ00) + DeltaT / ERFA_DAYSEC;
    double ofDate[3], rbpn[3][3], j2000[3];
    ErfaSun(jdUt, ra, dec);
    eraS2c(ra * ERFA_DD2R, dec * ERFA_DD2R, ofDate);
    eraPnm06a(ERFA_DJ00, tt, rbpn);
    eraTrxp(rbpn, ofDate, j2000);
    eraC2s(j2000, &ra, &dec);
    ra = eraAnp(ra) * ERFA_DR2D;
    dec *= ERFA_DR2D;
}
}  // namespace

// The Sun in the catalogue's J2000 frame, against ERFA's full apparent place turned back
// to J2000: 0.01 deg allows the annual aberration (0.0057 deg) that the catalogue's
// directions leave out, and catches a frame of date (0.36 deg) at once. Each day of 2026
// at 00:00, 06:00, 12:00 and 18:00 zone time; the largest errors are printed.
TEST(SunAtMinute, MatchesErfaOnEveryDayOf2026) {
    constexpr double Tolerance = 0.01;  // Degrees.
    double worstRa = 0, worstDec = 0;
    for (int day = 0; day < 365; ++day) {
        for (int hour = 0; hour < 24; hour += 6) {
            const double minute = day * 1440.0 + hour * 60;
            const SunPlace sun = SunAtMinute(minute);
            double ra = 0, dec = 0;
            ErfaSunInJ2000(ModelYearStartJd + minute / 1440, ra, dec);
            const double dRa = std::remainder(sun.RightAscension - ra, 360.0);
            ASSERT_NEAR(dRa, 0, Tolerance) << "day " << day << " hour " << hour;
            ASSERT_NEAR(sun.Declination, dec, Tolerance) << "day " << day << " hour " << hour;
            worstRa = std::fmax(worstRa, std::fabs(dRa));
            worstDec = std::fmax(worstDec, std::fabs(sun.Declination - dec));
        }
    }
    std::printf("largest error: right ascension %.5f deg, declination %.5f deg\n", worstRa,
                worstDec);
}

// Each season's day holds the instant its longitude passes: below the target at the
// day's start, at or past it at the day's end. 2026: 20 March, 21 June, 23 September,
// 22 December (zone time).
TEST(FindSeasonDays, LongitudePassesTheTargetWithinTheDay) {
    constexpr int Expected[4] = {78, 171, 265, 355};
    const std::array<int, 4> days = FindSeasonDays();
    for (int k = 0; k < 4; ++k) {
        const double target = 90.0 * k;
        const auto before = [&](double minute) {
            return std::remainder(SunAtMinute(minute).Longitude - target, 360.0) < 0;
        };
        const int day = days[static_cast<std::size_t>(k)];
        EXPECT_TRUE(before(day * 1440.0)) << k;
        EXPECT_FALSE(before(day * 1440.0 + 1440)) << k;
        EXPECT_EQ(day, Expected[k]) << k;
    }
}

namespace {
// ERFA's altitude of the Sun's centre for the chart's place and sidereal clock: the
// dome's horizon, no refraction, the Sun in the catalogue's frame as the chart places it.
// Only the Sun's place is ERFA's.
double ErfaSunAltitude(const Moment& moment, double minute) {
    double ra = 0, dec = 0;
    ErfaSunInJ2000(ModelYearStartJd + minute / 1440, ra, dec);
    double azimuth = 0, altitude = 0;
    eraHd2ae((SiderealAngleAt(moment, minute) - ra) * ERFA_DD2R, dec * ERFA_DD2R,
             (moment.PoleAngle - 90) * ERFA_DD2R, &azimuth, &altitude);
    return altitude * ERFA_DR2D;
}

// The minute in [a, b] at which ERFA's altitude changes sign, by bisection.
double ErfaCrossing(const Moment& moment, double a, double b) {
    const bool risingAtA = ErfaSunAltitude(moment, a) < 0;
    while (b - a > 1e-3) {
        const double c = 0.5 * (a + b);
        ((ErfaSunAltitude(moment, c) < 0) == risingAtA ? a : b) = c;
    }
    return 0.5 * (a + b);
}
}  // namespace

// Sunrise and sunset as the page's and the window's text gives them (to the minute)
// against ERFA's Sun crossing the same horizon on the same clock: within a minute.
// Rows: latitudes from the tropics to near the polar circle, at the seasons and between.
TEST(SunDayLines, SunriseAndSunsetWithinAMinuteOfErfa) {
    constexpr double Tolerance = 1.0;  // Minutes.
    struct Row {
        double Latitude, Longitude;
        int Month, Day;
    };
    constexpr Row Rows[] = {{35, 135, 1, 1}, {35, 135, 3, 20},  {35, 135, 6, 21}, {43, 141, 12, 22},
                            {26, 127, 8, 1}, {-35, 150, 6, 21}, {60, 120, 6, 21}, {0, 135, 9, 23}};
    double worst = 0;
    for (const Row& row : Rows) {
        Moment moment;
        moment.PoleAngle = 90 + row.Latitude;
        moment.Longitude = row.Longitude;
        moment.Month = static_cast<std::int16_t>(row.Month);
        moment.DayIndex = row.Day - 1;
        ComposeMinuteOfYear(moment);
        SplitMinuteOfYear(moment);
        const SunDay day = FindSunDay(moment, moment.MinuteOfYear / 1440);
        ASSERT_TRUE(day.HasSunrise && day.HasSunset) << row.Latitude;
        const double rise = ErfaCrossing(moment, day.Transit - 720, day.Transit);
        const double set = ErfaCrossing(moment, day.Transit, day.Transit + 720);
        EXPECT_NEAR(day.CourseStart, rise, Tolerance) << row.Latitude << " " << row.Month;
        EXPECT_NEAR(day.CourseEnd, set, Tolerance) << row.Latitude << " " << row.Month;
        worst = std::fmax(
            worst, std::fmax(std::fabs(day.CourseStart - rise), std::fabs(day.CourseEnd - set)));
        // The text rounds the same instants: one of the minutes beside ERFA's.
        const std::vector<std::string> lines = SunDayLines(moment);
        const auto shown = [&](const std::string& name, double minute) {
            for (const std::string& line : lines) {
                if (line.rfind(name, 0) != 0) continue;
                return line.find(ClockText(std::floor(minute))) != std::string::npos ||
                       line.find(ClockText(std::ceil(minute))) != std::string::npos;
            }
            return false;
        };
        EXPECT_TRUE(shown("日の出　", rise)) << row.Latitude << " " << row.Month;
        EXPECT_TRUE(shown("日の入り　", set)) << row.Latitude << " " << row.Month;
    }
    std::printf("largest sunrise or sunset difference: %.4f min\n", worst);
}

// Days without a sunrise or a sunset say so instead of giving a time.
TEST(SunDayLines, PolarDayAndNightNameNoTimes) {
    for (const double latitude : {80.0, -80.0}) {
        Moment moment;
        moment.PoleAngle = 90 + latitude;
        moment.Longitude = 135;
        moment.Month = 6;
        moment.DayIndex = 20;
        ComposeMinuteOfYear(moment);
        SplitMinuteOfYear(moment);
        std::string text;
        for (const std::string& line : SunDayLines(moment)) text += line + "\n";
        EXPECT_EQ(text.find("日の出"), text.rfind("日の出")) << text;  // Only the closing note.
        EXPECT_NE(text.find(latitude > 0 ? "一日中 地平線の上" : "一日中 地平線の下"),
                  std::string::npos)
            << text;
    }
}
