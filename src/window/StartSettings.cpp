#include "StartSettings.h"

#include "MainWindow.h"

StartSettings StartSettingsOf(const CommandLine& line) {
    StartSettings settings;
    for (std::size_t setting = 0; setting < SkySettingCount && setting < line.Number.size();
         ++setting) {
        settings[setting] = line.Number[setting];
    }
    return settings;
}

void ApplyStartSettings(MainWindow& window, const StartSettings& settings) {
    // The lists hold the calendar from item 0 = the 1st; the bars hold the
    // latitude and the elevation as the read-outs invert them.
    if (settings[Month]) window.MonthList->setCurrentIndex(*settings[Month] - 1);
    if (settings[Day]) window.DayList->setCurrentIndex(*settings[Day] - 1);
    if (settings[Hour]) window.HourList->setCurrentIndex(*settings[Hour]);
    if (settings[Minute]) window.MinuteList->setCurrentIndex(*settings[Minute]);
    if (settings[Limit]) window.MagnitudeList->setCurrentIndex(*settings[Limit]);
    if (settings[Longitude]) window.LongitudeBar->setValue(*settings[Longitude]);
    if (settings[Latitude]) window.LatitudeBar->setValue(90 - *settings[Latitude]);
    if (settings[Azimuth]) window.AzimuthBar->setValue(*settings[Azimuth]);
    if (settings[Elevation]) window.ElevationBar->setValue(90 + *settings[Elevation]);
}
