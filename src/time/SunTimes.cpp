#include "time/SunTimes.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "core/Horizontal.h"
#include "core/Moment.h"
#include "time/Clock.h"
#include "time/Sun.h"

namespace {
std::string Format(const char* format, double a, double b = 0) {
    char text[96];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

double Wrap1440(double minutes) {
    const double m = std::fmod(minutes, 1440.0);
    return m < 0 ? m + 1440 : m;
}

Horizontal SunSeen(const Moment& moment, double minute) {
    const SunPlace sun = SunAtMinute(minute, moment.Year, SunParts::Direction);
    return HorizontalOf(moment.PoleAngle, SiderealAngleAt(moment, minute), sun.RightAscension,
                        sun.Declination);
}

// 南中 or, where the Sun culminates north of the zenith, 北中: as the chart labels it.
const char* CulminationName(const Moment& moment, const SunDay& day) {
    const double azimuth = SunSeen(moment, day.Transit).Azimuth;
    const bool north = azimuth < 90 || azimuth > 270;
    return north && moment.PoleAngle < 180 ? "北中" : "南中";
}
}  // namespace

std::string ClockText(double minute) {
    const double m = Wrap1440(std::round(minute));
    return Format("%.0f時%02.0f分", std::floor(m / 60), std::fmod(m, 60.0));
}

std::vector<std::string> SunDayLines(const Moment& moment) {
    std::vector<std::string> lines;
    const int dayOfYear = static_cast<int>(moment.MinuteOfYear / 1440);
    const SunDay day = FindSunDay(moment, dayOfYear);
    const double latitude = moment.PoleAngle - 90;
    lines.push_back(
        std::to_string(moment.Year) + "年" + std::to_string(moment.Month) + "月" +
        std::to_string(moment.DayIndex + 1) + "日　東経" + Format("%.0f°", moment.Longitude) +
        (latitude >= 0 ? Format("　北緯%.0f°", latitude) : Format("　南緯%.0f°", -latitude)));
    if (day.HasSunrise) {
        lines.push_back("日の出　" + ClockText(day.CourseStart) +
                        Format("（方位 %.1f°）", SunSeen(moment, day.CourseStart).Azimuth));
    }
    const std::string culmination = CulminationName(moment, day);
    lines.push_back(culmination + "時刻　" + ClockText(day.Transit));
    lines.push_back(culmination + "高度　" + Format("%.1f°", day.TransitAltitude));
    if (day.HasSunset) {
        lines.push_back("日の入り　" + ClockText(day.CourseEnd) +
                        Format("（方位 %.1f°）", SunSeen(moment, day.CourseEnd).Azimuth));
    }
    if (!day.Up) {
        lines.push_back("一日中 地平線の下（昼の長さ 0時間）");
    } else if (!day.HasSunrise && !day.HasSunset) {
        lines.push_back("一日中 地平線の上（昼の長さ 24時間）");
    } else if (day.HasSunrise && day.HasSunset) {
        const double length = std::round(day.CourseEnd - day.CourseStart);
        lines.push_back(
            Format("昼の長さ　%.0f時間%02.0f分", std::floor(length / 60), std::fmod(length, 60.0)));
    }
    // The seasons' transit altitudes, as the seasons overlay writes them on their paths.
    const std::array<int, 4> seasons = FindSeasonDays(moment.Year);
    const std::array<std::pair<const char*, int>, 3> named = {
        {{"夏至", seasons[1]}, {"春分・秋分", seasons[0]}, {"冬至", seasons[3]}}};
    std::string altitudes = "季節の南中高度　";
    for (const auto& [name, seasonDay] : named) {
        const SunDay season = FindSunDay(moment, seasonDay);
        altitudes += std::string(name) + Format(" %.1f°", season.TransitAltitude) +
                     (name == named.back().first ? "" : "　");
    }
    lines.push_back(altitudes);
    lines.push_back(
        "日の出・日の入りは、太陽の中心が天球の地平線を通る時刻です（大気による浮き上がりは考えませ"
        "ん）。");
    return lines;
}
