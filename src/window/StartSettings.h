#pragma once
// The sky settings given on domarium's command line, taken as the start state:
// once start-up has drawn the default chart, each given setting is chosen in
// its list or moved to on its bar, exactly as the user would, so the lists,
// bars, read-outs and chart all agree. A setting not given changes nothing;
// with none given the start-up is the plain one.

#include <array>
#include <optional>

#include "cmdline/CommandLine.h"

class MainWindow;

// Values as CommandLine::Number holds them (the limit as the list's item index),
// already within their controls' ranges: the sky settings, then the year (the 表示
// menu's, at StartYear).
inline constexpr std::size_t StartYear = SkySettingCount;
using StartSettings = std::array<std::optional<int>, SkySettingCount + 1>;

StartSettings StartSettingsOf(const CommandLine& line);

void ApplyStartSettings(MainWindow& window, const StartSettings& settings);
