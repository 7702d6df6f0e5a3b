#pragma once
// The main window's facts, in one place: the scroll bars' ranges and start
// values and the lists' contents as the controls hold them (worked out from the
// table of settings, core/Settings.h), and the layout numbers that the window, the
// headless window, the snapshot tool, the benchmarks and the tests share.

#include <array>
#include <cstdint>

#include "core/Settings.h"

// A scroll bar's range and the value it opens with, as the bar holds them.
struct ScrollRange {
    std::int16_t Min, Max, Start;
};
constexpr ScrollRange BarRange(Setting id) {
    const SettingSpec& s = SettingOf(id);
    return {static_cast<std::int16_t>(BarMin(s)), static_cast<std::int16_t>(BarMax(s)),
            static_cast<std::int16_t>(BarPosition(s, s.Default))};
}
inline constexpr ScrollRange AzimuthRange = BarRange(Setting::Azimuth);      // 0..360, 0.
inline constexpr ScrollRange LongitudeRange = BarRange(Setting::Longitude);  // 120..150, 135.
inline constexpr ScrollRange ElevationRange = BarRange(Setting::Elevation);  // 0..180, 80 (-10).
inline constexpr ScrollRange LatitudeRange = BarRange(Setting::Latitude);    // 0..180, 55 (35 N).
// Scroll bars move by these steps: an arrow, and a click in the trough.
inline constexpr int ScrollSmallStep = 1;
inline constexpr int ScrollLargeStep = 5;

// The lists' items: the magnitude list holds tenths from MagnitudeFirstTenth to
// MagnitudeLastTenth; the time lists hold whole numbers.
inline constexpr int MagnitudeFirstTenth = SettingOf(Setting::Limit).Min;            // "-1.4".
inline constexpr int MagnitudeLastTenth = SettingOf(Setting::Limit).Max;             // "7.9".
inline constexpr int MagnitudeStartIndex = DefaultIndex(SettingOf(Setting::Limit));  // "3.5".
inline constexpr std::array<std::int16_t, 6> StepChoices = [] {                      // Minutes.
    std::array<std::int16_t, 6> minutes{};
    for (std::size_t i = 0; i < minutes.size(); ++i)
        minutes[i] = static_cast<std::int16_t>(SettingOf(Setting::Step).Choices[i]);
    return minutes;
}();
static_assert(ValueCount(SettingOf(Setting::Step)) == StepChoices.size());
inline constexpr int StepStartIndex = DefaultIndex(SettingOf(Setting::Step));  // "5".
inline constexpr int FirstMonth = SettingOf(Setting::Month).Min,
                     LastMonth = SettingOf(Setting::Month).Max;
inline constexpr int FirstDay = SettingOf(Setting::Day).Min, LastDay = SettingOf(Setting::Day).Max;
inline constexpr int FirstHour = SettingOf(Setting::Hour).Min,
                     LastHour = SettingOf(Setting::Hour).Max;
inline constexpr int FirstMinute = SettingOf(Setting::Minute).Min,
                     LastMinute = SettingOf(Setting::Minute).Max;

// Pixels of the window as laid out.
inline constexpr int InnerWidthAtStart = 584;  // Below the menu bar.
inline constexpr int InnerHeightAtStart = 416;
inline constexpr int ChartSideAsLaidOut = 409;  // The first resize gives the working side.
inline constexpr int ChartLeft = 168, ChartTop = 0;
inline constexpr int PanelAllowance = 104;  // Inner width not available to the chart.
inline constexpr int ChartMargin = 8;       // Taken off the chart side.
inline constexpr int ReadoutWidth = 49, ReadoutHeight = 17;
