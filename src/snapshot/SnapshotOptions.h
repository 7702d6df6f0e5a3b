#pragma once
// The command line of domarium-snapshot: the sky settings that the window's
// controls offer (the table shared with domarium), the picture's size and the
// files to read and write.

#include <optional>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/View.h"

struct SnapshotOptions {
    // The sky settings as the window's controls start with them (core/Settings.h).
    int Month = SettingOf(Setting::Month).Default;  // Calendar, as the time lists offer it.
    int Day = SettingOf(Setting::Day).Default;
    int Hour = SettingOf(Setting::Hour).Default;
    int Minute = SettingOf(Setting::Minute).Default;
    int Longitude = SettingOf(Setting::Longitude).Default;     // Degrees east, 120..150.
    int Latitude = SettingOf(Setting::Latitude).Default;       // Degrees, -90..90.
    int Azimuth = SettingOf(Setting::Azimuth).Default;         // 0..360.
    int Elevation = SettingOf(Setting::Elevation).Default;     // As the read-out shows it, -90..90.
    int LimitIndex = DefaultIndex(SettingOf(Setting::Limit));  // Item of the magnitude list.
    int Size = 408;                                            // Chart side in pixels.
    // The screen's density it is drawn for: the picture is Size x Scale pixels a side, with
    // the lines, stars and text of a window on a screen of that density.
    double Scale = 1.0;
    // 大きな星と文字, as the window's: stars, lines and every letter grow with Size beyond
    // the 408 pixels of the laid-out chart.
    bool Large = false;
    std::string Output;     // PNG file, required; "-" is standard output.
    std::string StarsCsv;   // Optional table of the plotted stars.
    std::string PointsCsv;  // Optional table of the overlays' marked points.
    std::string LabelsCsv;  // Optional table of the overlays' labels as placed.
    std::string StarData;   // Empty: searched for as the window does.
    std::string BodiesCsv;  // Optional table of the Sun, the Moon and the planets.
    int Year = SettingOf(Setting::Year).Default;  // Of the clock's date, 2000..2100.
    // Lesson overlays from --overlays (a comma list) and --trail-hours; ConstellationData
    // and StarNames are read from StarData's folder, as the window's start-up reads them.
    OverlaySet Overlays;
    ::Palette Palette = ::Palette::Screen;  // --palette: print for a worksheet on white paper.
    ViewKind View = ViewKind::Dome;         // --view: the dome, or the sky from the ground.
};

struct SnapshotParse {
    std::optional<SnapshotOptions> Options;  // Set when the command line is sound.
    bool Help = false;                       // -h or --help.
    bool Version = false;                    // --version.
    std::string Error;                       // Japanese message when none of the above.
    std::string Text;                        // The help or version text.
};

inline constexpr int MaxSnapshotSize = 8192;

SnapshotParse ParseSnapshotOptions(const std::vector<std::string>& args);
std::string SnapshotUsage();
