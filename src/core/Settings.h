#pragma once
// Every setting a user can choose, in one table: its name on the command lines and in
// the page's address, the kind of control that offers it, the values it takes, the one
// it starts with, its Japanese caption and unit. The window's lists and bars, both
// programs' command lines and their help, the snapshot tool's overlays, the 表示 menu
// and the web page all read it; none keeps a copy of these values.
//
// A value is given as a user types it and a read-out or list shows it: month 1..12,
// latitude -90..90 (north positive), elevation -90..90 (negative looks down on the
// dome), the limiting magnitude in tenths. What a control holds is worked out here:
// a list's item index, a bar's position.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

// The settings, in the order the page writes them into its address.
enum class Setting : int {
    Month,
    Day,
    Hour,
    Minute,
    Longitude,
    Latitude,
    Azimuth,
    Elevation,
    Limit,
    Step,
    // The lesson overlays, in the order the 表示 menu and the --overlays help list them.
    Sun,
    Seasons,
    Circles,
    Trails,
    Constellations,
    Names,
    Moon,
    Planets,
    Space,
    TrailHours,
    // The calendar year of the clock's date: the Sun, the Moon and the planets of it.
    Year,
    // The year's motion: what one animation step advances the clock by, and two overlays.
    Advance,
    Ecliptic,
    Orbit,
    // The ground views: which picture the chart is, and the daytime sky over them.
    View,
    Daylight,
};
inline constexpr int SettingCount = 26;

enum class SettingKind : int {
    List,    // A list of items; the control holds the item index.
    Scroll,  // A scroll bar; the control holds BarOrigin + BarSign x value.
    Flag,    // On (1) or off (0): an item of the 表示 menu, a checkbox of the page.
};

struct SettingSpec {
    Setting Id;
    const char* Name;  // --name on both command lines, name= in the page's address.
    SettingKind Kind;
    const char* Caption;    // The control's caption, as the window and the page show it.
    const char* Unit = "";  // Of one value, as a menu item shows it after the number.
    // The values, in units of 1/Scale: every whole unit from Min to Max, or only Choices
    // where there are any. A list's items are these values in this order.
    int Min = 0, Max = 1;
    int Scale = 1;  // 10 for the magnitude list's tenths.
    std::span<const int> Choices = {};
    // A list whose items are words rather than numbers: the word per item on the command
    // lines and in the address, and the caption its control shows; empty for the others.
    std::span<const char* const> ItemNames = {};
    std::span<const char* const> ItemCaptions = {};
    int Default = 0;  // At start-up, in the same units.
    // Scroll: where a value sits on the bar. The bars of latitude and elevation run
    // from 0 and the other way round from the value.
    int BarOrigin = 0, BarSign = 1;
    // The help's words: the value's name ("M"), a remark on the range, a sentence
    // after the default, and a longer caption where the short one says less.
    const char* ValueName = "";
    const char* Remark = "";
    const char* Sentence = "";
    const char* LongCaption = "";
};

inline constexpr int StepMinuteValues[] = {1, 3, 5, 10, 15, 30};
inline constexpr int TrailHourValues[] = {1, 2, 3, 6, 12, 24};
// 進め方: what one step of the animation adds: the 分増加率's minutes, or a day, a week or a
// month at the same clock time (session/Handlers.h, AdvanceClock).
enum class Advance : int { Minutes, Day, Week, Month };
inline constexpr const char* AdvanceNames[] = {"minute", "day", "week", "month"};
inline constexpr const char* AdvanceCaptions[] = {"分", "1日", "7日", "1か月"};
// The view setting's items, in ViewKind's order (core/View.h): the names the command lines
// and the address take, and the captions a list shows.
inline constexpr const char* ViewNames[] = {"dome", "sky", "horizon"};
inline constexpr const char* ViewCaptions[] = {"外から見た天球", "全天", "地平"};
// The screen densities a chart is drawn for (device pixels per chart pixel), in hundredths:
// domarium-snapshot's --scale. The window takes its own from the desktop.
inline constexpr int DrawScaleHundredths[] = {100, 125, 150, 200, 300};

inline constexpr std::array<SettingSpec, SettingCount> SettingTable{{
    // The clock: a list each.
    {.Id = Setting::Month,
     .Name = "month",
     .Kind = SettingKind::List,
     .Caption = "月",
     .Unit = "月",
     .Min = 1,
     .Max = 12,
     .Default = 1,
     .ValueName = "M"},
    {.Id = Setting::Day,
     .Name = "day",
     .Kind = SettingKind::List,
     .Caption = "日",
     .Unit = "日",
     .Min = 1,
     .Max = 31,
     .Default = 1,
     .ValueName = "D",
     .Sentence = "2月31日は3月3日になります"},
    {.Id = Setting::Hour,
     .Name = "hour",
     .Kind = SettingKind::List,
     .Caption = "時",
     .Unit = "時",
     .Min = 0,
     .Max = 23,
     .Default = 0,
     .ValueName = "H"},
    {.Id = Setting::Minute,
     .Name = "minute",
     .Kind = SettingKind::List,
     .Caption = "分",
     .Unit = "分",
     .Min = 0,
     .Max = 59,
     .Default = 0,
     .ValueName = "M"},
    // The place and the view: a scroll bar each, in degrees.
    {.Id = Setting::Longitude,
     .Name = "longitude",
     .Kind = SettingKind::Scroll,
     .Caption = "東経",
     .Unit = "°",
     .Min = 120,
     .Max = 150,
     .Default = 135,
     .ValueName = "L"},
    {.Id = Setting::Latitude,
     .Name = "latitude",
     .Kind = SettingKind::Scroll,
     .Caption = "緯度",
     .Unit = "°",
     .Min = -90,
     .Max = 90,
     .Default = 35,
     .BarOrigin = 90,
     .BarSign = -1,
     .ValueName = "L",
     .Remark = "北緯は＋"},
    {.Id = Setting::Azimuth,
     .Name = "azimuth",
     .Kind = SettingKind::Scroll,
     .Caption = "方位角",
     .Unit = "°",
     .Min = 0,
     .Max = 360,
     .Default = 0,
     .ValueName = "A"},
    {.Id = Setting::Elevation,
     .Name = "elevation",
     .Kind = SettingKind::Scroll,
     .Caption = "仰角",
     .Unit = "°",
     .Min = -90,
     .Max = 90,
     .Default = -10,
     .BarOrigin = 90,
     .BarSign = 1,
     .ValueName = "E",
     .Remark = "－は見下ろす形"},
    // The stars drawn, and the animation's step.
    {.Id = Setting::Limit,
     .Name = "limit",
     .Kind = SettingKind::List,
     .Caption = "限界等級",
     .Min = -14,
     .Max = 79,
     .Scale = 10,
     .Default = 35,
     .ValueName = "M"},
    {.Id = Setting::Step,
     .Name = "step",
     .Kind = SettingKind::List,
     .Caption = "分増加率",
     .Unit = "分",
     .Min = 1,
     .Max = 30,
     .Choices = StepMinuteValues,
     .Default = 5,
     .ValueName = "S"},
    // The lesson overlays, off at start-up, and the span of the trails.
    {.Id = Setting::Sun, .Name = "sun", .Kind = SettingKind::Flag, .Caption = "太陽と日周経路"},
    {.Id = Setting::Seasons,
     .Name = "seasons",
     .Kind = SettingKind::Flag,
     .Caption = "季節の太陽の通り道"},
    {.Id = Setting::Circles,
     .Name = "circles",
     .Kind = SettingKind::Flag,
     .Caption = "天の北極と天の赤道"},
    {.Id = Setting::Trails, .Name = "trails", .Kind = SettingKind::Flag, .Caption = "星の軌跡"},
    {.Id = Setting::Constellations,
     .Name = "constellations",
     .Kind = SettingKind::Flag,
     .Caption = "星座線"},
    {.Id = Setting::Names,
     .Name = "names",
     .Kind = SettingKind::Flag,
     .Caption = "星座名",
     .LongCaption = "星座名と星の名前"},
    {.Id = Setting::Moon, .Name = "moon", .Kind = SettingKind::Flag, .Caption = "月"},
    {.Id = Setting::Planets, .Name = "planets", .Kind = SettingKind::Flag, .Caption = "惑星"},
    {.Id = Setting::Space, .Name = "space", .Kind = SettingKind::Flag, .Caption = "宇宙から見た図"},
    {.Id = Setting::TrailHours,
     .Name = "trail-hours",
     .Kind = SettingKind::List,
     .Caption = "星の軌跡の時間",
     .Unit = "時間",
     .Min = 1,
     .Max = 24,
     .Choices = TrailHourValues,
     .Default = 12,
     .ValueName = "H"},
    // The years the ΔT model of the bodies covers; the clock's own year is the default.
    {.Id = Setting::Year,
     .Name = "year",
     .Kind = SettingKind::List,
     .Caption = "年",
     .Unit = "年",
     .Min = 2000,
     .Max = 2100,
     .Default = 2026,
     .ValueName = "Y",
     .Remark = "太陽・月・惑星と星空の年"},
    {.Id = Setting::Advance,
     .Name = "advance",
     .Kind = SettingKind::List,
     .Caption = "進め方",
     .Min = 0,
     .Max = 3,
     .ItemNames = AdvanceNames,
     .ItemCaptions = AdvanceCaptions,
     .Default = 0,
     .ValueName = "A"},
    {.Id = Setting::Ecliptic,
     .Name = "ecliptic",
     .Kind = SettingKind::Flag,
     .Caption = "黄道と星座"},
    {.Id = Setting::Orbit, .Name = "orbit", .Kind = SettingKind::Flag, .Caption = "地球の公転"},
    // The picture: the dome from outside (the chart of start-up) or the sky from the ground.
    {.Id = Setting::View,
     .Name = "view",
     .Kind = SettingKind::List,
     .Caption = "見え方",
     .Min = 0,
     .Max = 2,
     .ItemNames = ViewNames,
     .ItemCaptions = ViewCaptions,
     .Default = 0,
     .ValueName = "V"},
    {.Id = Setting::Daylight, .Name = "daylight", .Kind = SettingKind::Flag, .Caption = "昼の空"},
}};

// The lesson overlays as one comma list: --overlays on the snapshot tool's command line,
// overlays= in the page's address; each name is an overlay's own.
inline constexpr const char* OverlayListName = "overlays";
inline constexpr const char* OverlayListCaption = "重ねる図";
// The overlays are the flags from FirstOverlay to LastOverlay (IsOverlay); the lists among
// them (the trails' span, the year, the advance) are not.
inline constexpr Setting FirstOverlay = Setting::Sun, LastOverlay = Setting::Daylight;

// The chart's palette (core/View.h): --palette on the snapshot tool's command line,
// palette= in the page's address; the names in Palette's order.
inline constexpr const char* PaletteOptionName = "palette";
inline constexpr const char* PaletteNames[] = {"screen", "print"};
inline constexpr const char* PaletteCaption = "白い紙の色（印刷用）";

// 再生's speed: steps of the clock (the 分増加率 each) per second, one of these; the
// window's 表示 menu and the page offer them, in this order.
inline constexpr int PlayRates[] = {1, 2, 5, 10};
inline constexpr int PlayRateStartIndex = 2;
inline constexpr const char* PlayRateCaption = "再生の速さ";
inline constexpr const char* PlayRateUnit = "回/秒";

constexpr const SettingSpec& SettingOf(Setting id) {
    return SettingTable[static_cast<std::size_t>(id)];
}
constexpr bool TableInIdOrder() {
    for (std::size_t i = 0; i < SettingTable.size(); ++i) {
        if (static_cast<std::size_t>(SettingTable[i].Id) != i) return false;
    }
    return true;
}
static_assert(TableInIdOrder(), "SettingOf looks a setting up by its place in the table");

constexpr bool IsOverlay(Setting id) {
    return id >= FirstOverlay && id <= LastOverlay && SettingOf(id).Kind == SettingKind::Flag;
}
inline constexpr int OverlayCount = [] {
    int count = 0;
    for (const SettingSpec& s : SettingTable) count += IsOverlay(s.Id) ? 1 : 0;
    return count;
}();

// The count of values a list offers (2 for a flag); the values of a scroll bar.
constexpr int ValueCount(const SettingSpec& s) {
    return s.Choices.empty() ? s.Max - s.Min + 1 : static_cast<int>(s.Choices.size());
}
// The value of item index, 0 .. ValueCount - 1, in units of 1/Scale.
constexpr int ValueAt(const SettingSpec& s, int index) {
    return s.Choices.empty() ? s.Min + index : s.Choices[static_cast<std::size_t>(index)];
}
// The item that holds value; -1 where none does.
constexpr int IndexOf(const SettingSpec& s, int value) {
    for (int i = 0; i < ValueCount(s); ++i) {
        if (ValueAt(s, i) == value) return i;
    }
    return -1;
}
constexpr int DefaultIndex(const SettingSpec& s) { return IndexOf(s, s.Default); }

// A scroll bar's position for a value, and back; the bar's least and greatest position.
constexpr int BarPosition(const SettingSpec& s, int value) {
    return s.BarOrigin + s.BarSign * value;
}
constexpr int ValueAtBar(const SettingSpec& s, int position) {
    return (position - s.BarOrigin) * s.BarSign;
}
constexpr int BarMin(const SettingSpec& s) {
    const int a = BarPosition(s, s.Min), b = BarPosition(s, s.Max);
    return a < b ? a : b;
}
constexpr int BarMax(const SettingSpec& s) {
    const int a = BarPosition(s, s.Min), b = BarPosition(s, s.Max);
    return a < b ? b : a;
}

// The setting of that name; null where there is none.
const SettingSpec* FindSetting(const std::string& name);

// A value as typed and shown, "3.5", "-10", "12"; a list's item texts are these.
std::string ValueText(const SettingSpec& s, int value);
std::vector<std::string> ItemTexts(const SettingSpec& s);

// The whole table as JSON text for the page: {"settings":[...],"overlays":NAME}, one
// object per setting in the table's order, with id, name, kind ("list", "scroll", "flag"),
// caption, unit, min, max and default (for a list its item index, for the others the
// value) and, for a list, its items.
std::string SettingsJson();
