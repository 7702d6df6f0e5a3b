#pragma once
// The main window's facts, in one place: the scroll bars' ranges and start
// values, the lists' contents, and the layout numbers that the window, the
// headless window, the snapshot tool, the benchmarks and the tests share.

#include <cstdint>

// A scroll bar's range and the value it opens with.
struct ScrollRange {
    std::int16_t Min, Max, Start;
};
inline constexpr ScrollRange AzimuthRange{0, 360, 0};        // Degrees from north through east.
inline constexpr ScrollRange LongitudeRange{120, 150, 135};  // Degrees east.
inline constexpr ScrollRange ElevationRange{0, 180, 80};     // 90 - view elevation: -10 at start.
inline constexpr ScrollRange LatitudeRange{0, 180, 55};      // 90 - latitude: 35 N at start.
// Scroll bars move by these steps: an arrow, and a click in the trough.
inline constexpr int ScrollSmallStep = 1;
inline constexpr int ScrollLargeStep = 5;

// The lists' items: the magnitude list holds tenths from MagnitudeFirstTenth to
// MagnitudeLastTenth; the time lists hold whole numbers.
inline constexpr int MagnitudeFirstTenth = -14;                        // "-1.4".
inline constexpr int MagnitudeLastTenth = 79;                          // "7.9".
inline constexpr int MagnitudeStartIndex = 49;                         // "3.5".
inline constexpr std::int16_t StepChoices[6] = {1, 3, 5, 10, 15, 30};  // Minutes.
inline constexpr int StepStartIndex = 2;                               // "5".
inline constexpr int FirstMonth = 1, LastMonth = 12;
inline constexpr int FirstDay = 1, LastDay = 31;
inline constexpr int FirstHour = 0, LastHour = 23;
inline constexpr int FirstMinute = 0, LastMinute = 59;

// Pixels of the window as laid out.
inline constexpr int InnerWidthAtStart = 584;  // Below the menu bar.
inline constexpr int InnerHeightAtStart = 416;
inline constexpr int ChartSideAsLaidOut = 409;  // The first resize gives the working side.
inline constexpr int ChartLeft = 168, ChartTop = 0;
inline constexpr int PanelAllowance = 104;  // Inner width not available to the chart.
inline constexpr int ChartMargin = 8;       // Taken off the chart side.
inline constexpr int ReadoutWidth = 49, ReadoutHeight = 17;
