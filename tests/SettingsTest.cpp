// The table of settings against the window it describes: the headless window, started
// as the program starts, opens with the values the table gives and offers exactly its
// items and ranges; and those are the values the window has always opened with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Settings.h"
#include "session/HeadlessWindow.h"
#include "support/TestSky.h"

namespace {
// The window at start-up: 1 January 0:00, 135°E, 35°N, azimuth 0, elevation -10 as the
// read-out shows it, limit 3.5, step 5 minutes; the bars' ranges as they hold them.
struct Opening {
    Setting Id;
    const char* Shown;   // A list's item, a bar's value as the read-out shows it.
    int BarMin, BarMax;  // A bar's range; 0, 0 for a list.
    int Bar;             // A bar's position; 0 for a list.
};
constexpr Opening Openings[] = {
    {Setting::Month, "1", 0, 0, 0},
    {Setting::Day, "1", 0, 0, 0},
    {Setting::Hour, "0", 0, 0, 0},
    {Setting::Minute, "0", 0, 0, 0},
    {Setting::Limit, "3.5", 0, 0, 0},
    {Setting::Step, "5", 0, 0, 0},
    {Setting::Longitude, "135", 120, 150, 135},
    {Setting::Latitude, "35", 0, 180, 55},  // 90 - latitude.
    {Setting::Azimuth, "0", 0, 360, 0},
    {Setting::Elevation, "-10", 0, 180, 80},  // 90 - view elevation, which is 10.
};

const MemoryList* ListOf(const HeadlessWindow& w, Setting id) {
    switch (id) {
        case Setting::Month:
            return &w.MonthList;
        case Setting::Day:
            return &w.DayList;
        case Setting::Hour:
            return &w.HourList;
        case Setting::Minute:
            return &w.MinuteList;
        case Setting::Limit:
            return &w.MagnitudeList;
        case Setting::Step:
            return &w.StepList;
        default:
            return nullptr;
    }
}
const MemoryScroll* ScrollOf(const HeadlessWindow& w, Setting id) {
    switch (id) {
        case Setting::Longitude:
            return &w.LongitudeBar;
        case Setting::Latitude:
            return &w.LatitudeBar;
        case Setting::Azimuth:
            return &w.AzimuthBar;
        case Setting::Elevation:
            return &w.ElevationBar;
        default:
            return nullptr;
    }
}
}  // namespace

TEST(SettingTable, IsTheWindowAsItOpens) {
    const auto window = StartedWindow();
    for (const Opening& row : Openings) {
        const SettingSpec& s = SettingOf(row.Id);
        EXPECT_EQ(ValueText(s, s.Default), row.Shown) << s.Name;
        if (const MemoryList* list = ListOf(*window, row.Id)) {
            EXPECT_EQ(list->Items, ItemTexts(s)) << s.Name;
            EXPECT_EQ(list->ListIndex(), DefaultIndex(s)) << s.Name;
            EXPECT_EQ(list->Items[static_cast<std::size_t>(list->ListIndex())], row.Shown);
            continue;
        }
        const MemoryScroll* bar = ScrollOf(*window, row.Id);
        ASSERT_NE(bar, nullptr) << s.Name;
        EXPECT_EQ(bar->Min, row.BarMin) << s.Name;
        EXPECT_EQ(bar->Max, row.BarMax) << s.Name;
        EXPECT_EQ(bar->Value(), row.Bar) << s.Name;
        EXPECT_EQ(std::to_string(ValueAtBar(s, bar->Value())), row.Shown) << s.Name;
        EXPECT_EQ(BarMin(s), row.BarMin) << s.Name;
        EXPECT_EQ(BarMax(s), row.BarMax) << s.Name;
    }
    // The sky behind the controls.
    const WindowState& state = window->State;
    EXPECT_EQ(state.Moment.MinuteOfYear, 0);
    EXPECT_EQ(state.Moment.Longitude, 135.0);
    EXPECT_EQ(state.Moment.PoleAngle, 125.0);  // 90 + latitude.
    EXPECT_EQ(state.View.Azimuth, 0);
    EXPECT_EQ(state.View.Elevation, 10);
    EXPECT_EQ(state.View.LimitMag, 3.5);
    EXPECT_EQ(state.TimeStep, 5);
    EXPECT_EQ(state.View.Overlays.TrailHours, SettingOf(Setting::TrailHours).Default);
}

// The page builds every control from this text: each setting once, by its id and name,
// a list with the items the window shows, a bar in the values its read-out shows.
TEST(SettingsJson, NamesEverySettingWithItsItems) {
    const std::string json = SettingsJson();
    for (const SettingSpec& s : SettingTable) {
        const std::string entry =
            "{\"id\":" + std::to_string(static_cast<int>(s.Id)) + ",\"name\":\"" + s.Name + "\"";
        EXPECT_EQ(json.find(entry), json.rfind(entry)) << s.Name;
        ASSERT_NE(json.find(entry), std::string::npos) << s.Name;
    }
    EXPECT_NE(json.find("\"items\":[\"1\",\"2\",\"3\",\"6\",\"12\",\"24\"]"), std::string::npos);
    EXPECT_NE(json.find("\"items\":[\"-1.4\",\"-1.3\","), std::string::npos);
    EXPECT_NE(
        json.find("\"name\":\"latitude\",\"kind\":\"scroll\",\"caption\":\"緯度\",\"unit\":\"°\","
                  "\"min\":-90,\"max\":90,\"default\":35}"),
        std::string::npos);
    // A list of words: its names for the address, its captions for the page's options.
    EXPECT_NE(json.find("\"items\":[\"minute\",\"day\",\"week\",\"month\"],"
                        "\"captions\":[\"分\",\"1日\",\"7日\",\"1か月\"]"),
              std::string::npos);
}
