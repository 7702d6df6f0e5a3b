#include "StartSettings.h"

#include "Form1.h"

StartSettings StartSettingsOf(const CommandLine& line) {
    StartSettings settings;
    for (std::size_t setting = 0; setting < SkySettingCount && setting < line.Number.size(); ++setting) {
        settings[setting] = line.Number[setting];
    }
    return settings;
}

void ApplyStartSettings(Form1& window, const StartSettings& settings) {
    // The lists hold the calendar from item 0 = the 1st; the bars hold the
    // latitude and the elevation as the read-outs invert them.
    if (settings[Month]) window.Combo3->setCurrentIndex(*settings[Month] - 1);
    if (settings[Day]) window.Combo4->setCurrentIndex(*settings[Day] - 1);
    if (settings[Hour]) window.Combo5->setCurrentIndex(*settings[Hour]);
    if (settings[Minute]) window.Combo6->setCurrentIndex(*settings[Minute]);
    if (settings[Limit]) window.Combo1->setCurrentIndex(*settings[Limit]);
    if (settings[Longitude]) window.HScroll2->setValue(*settings[Longitude]);
    if (settings[Latitude]) window.VScroll2->setValue(90 - *settings[Latitude]);
    if (settings[Azimuth]) window.HScroll1->setValue(*settings[Azimuth]);
    if (settings[Elevation]) window.VScroll1->setValue(90 + *settings[Elevation]);
}
