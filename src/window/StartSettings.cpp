#include "StartSettings.h"

#include <QComboBox>
#include <QScrollBar>

#include "MainWindow.h"
#include "session/Handlers.h"

StartSettings StartSettingsOf(const CommandLine& line) {
    StartSettings settings;
    for (std::size_t setting = 0; setting < settings.size() && setting < line.Number.size();
         ++setting) {
        settings[setting] = line.Number[setting];
    }
    return settings;
}

void ApplyStartSettings(MainWindow& window, const StartSettings& settings) {
    QComboBox* const lists[SkySettingCount] = {window.MonthList, window.DayList, window.HourList,
                                               window.MinuteList, window.MagnitudeList};
    QScrollBar* const bars[SkySettingCount] = {nullptr,
                                               nullptr,
                                               nullptr,
                                               nullptr,
                                               nullptr,
                                               window.LongitudeBar,
                                               window.LatitudeBar,
                                               window.AzimuthBar,
                                               window.ElevationBar};
    // The year first: the date chosen after it is that year's (31 February of a leap year
    // is 2 March).
    if (settings[StartYear]) SetYear(window.Window(), window.Controls(), *settings[StartYear]);
    for (std::size_t i = 0; i < SkySettingCount; ++i) {
        if (!settings[i]) continue;
        const SettingSpec& s = SettingOf(SkySettingIds[i]);
        if (s.Kind == SettingKind::Scroll) {
            // The bars of latitude and elevation hold the values the other way round.
            bars[i]->setValue(BarPosition(s, *settings[i]));
        } else {
            // A list of tenths' value is its item already; the calendar's lists hold it
            // from the item that shows the 1st, the clock's from 0.
            lists[i]->setCurrentIndex(s.Scale == 1 ? IndexOf(s, *settings[i]) : *settings[i]);
        }
    }
}
