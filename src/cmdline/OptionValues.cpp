// The options of the settings, made from the table of settings, and the checking of one
// option's value: the part of the command lines that needs no Qt, so the web edition's
// address reads its settings with the same ranges and the same Japanese messages.

#include <charconv>
#include <cmath>

#include "cmdline/CommandLine.h"
#include "core/ParseDecimal.h"

namespace {

// The help's words for a setting: its caption, then what it takes and its default,
// "東経 (120..150 の整数、既定 135)".
std::string SettingHelp(const SettingSpec& s) {
    std::string values;
    if (!s.Choices.empty()) {
        for (std::size_t i = 0; i < s.Choices.size(); ++i)
            values += (i == 0 ? "" : ", ") + ValueText(s, s.Choices[i]);
    } else {
        values = ValueText(s, s.Min) + ".." + ValueText(s, s.Max);
        if (s.Scale == 10) values += "、0.1 きざみ";
        if (s.Kind == SettingKind::Scroll) values += " の整数";
    }
    if (*s.Remark != '\0') values += std::string("、") + s.Remark;
    values += "、既定 " + ValueText(s, s.Default);
    if (*s.Sentence != '\0') values += std::string("。") + s.Sentence;
    return std::string(s.Caption) + " (" + values + ")";
}

}  // namespace

OptionSpec SettingOption(Setting id) {
    const SettingSpec& s = SettingOf(id);
    const ValueKind kind = s.Kind == SettingKind::Flag ? ValueKind::Flag
                           : !s.Choices.empty()        ? ValueKind::Choice
                           : s.Scale == 10             ? ValueKind::Tenths
                                                       : ValueKind::Integer;
    return {s.Name, s.ValueName, kind, s.Min, s.Max, s.Caption, SettingHelp(s), s.Choices};
}

const std::array<OptionSpec, SkySettingCount> SkySettingOptions = [] {
    std::array<OptionSpec, SkySettingCount> options{};
    for (std::size_t i = 0; i < options.size(); ++i) options[i] = SettingOption(SkySettingIds[i]);
    return options;
}();

std::string OverlayListHelp() {
    std::string help = "重ねて描く図（コンマ区切り）: ";
    for (int id = static_cast<int>(FirstOverlay); id <= static_cast<int>(LastOverlay); ++id) {
        if (!IsOverlay(static_cast<Setting>(id))) continue;
        const SettingSpec& s = SettingOf(static_cast<Setting>(id));
        if (id != static_cast<int>(FirstOverlay)) help += "、";
        help += std::string(s.Name) + "（" + (*s.LongCaption != '\0' ? s.LongCaption : s.Caption) +
                "）";
    }
    return help;
}

std::string CheckOverlayList(const std::string& list, std::vector<Setting>& on) {
    on.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string name =
            list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const SettingSpec* found = FindSetting(name);
        if (found == nullptr || found->Kind != SettingKind::Flag) {
            std::string names;
            for (int id = static_cast<int>(FirstOverlay); id <= static_cast<int>(LastOverlay); ++id)
                if (IsOverlay(static_cast<Setting>(id)))
                    names += (names.empty() ? "" : "、") +
                             std::string(SettingOf(static_cast<Setting>(id)).Name);
            on.clear();
            return std::string(OverlayListCaption) + " (--" + OverlayListName + ") の「" + name +
                   "」は知らない名前です。" + names + " から選んでください。";
        }
        on.push_back(found->Id);
        if (comma == std::string::npos) return {};
        start = comma + 1;
    }
}

std::string CheckPaletteName(const std::string& name, Palette& palette) {
    for (std::size_t k = 0; k < std::size(PaletteNames); ++k) {
        if (name == PaletteNames[k]) {
            palette = static_cast<Palette>(k);
            return {};
        }
    }
    return std::string(PaletteCaption) + " (--" + PaletteOptionName + ") の「" + name +
           "」は知らない名前です。" + PaletteNames[0] + "、" + PaletteNames[1] +
           " から選んでください。";
}

std::string CheckViewName(const std::string& name, ViewKind& kind) {
    std::string names;
    for (std::size_t k = 0; k < std::size(ViewNames); ++k) {
        if (name == ViewNames[k]) {
            kind = static_cast<ViewKind>(k);
            return {};
        }
        names += (k == 0 ? "" : "、") + std::string(ViewNames[k]);
    }
    const SettingSpec& view = SettingOf(Setting::View);
    return std::string(view.Caption) + " (--" + view.Name + ") の「" + name +
           "」は知らない名前です。" + names + " から選んでください。";
}

std::string ViewHelp() {
    std::string help = "図の見え方: ";
    for (std::size_t k = 0; k < std::size(ViewNames); ++k)
        help += (k == 0 ? "" : "、") + std::string(ViewNames[k]) + "（" + ViewCaptions[k] + "）";
    return help + "。既定 " + ViewNames[0] + "。sky と horizon では --azimuth が上（正面）の方位";
}

namespace {

std::string Dashed(const std::string& name) { return (name.size() == 1 ? "-" : "--") + name; }

// One optional sign, then what from_chars reads to the end: from_chars alone
// would take the '-' of "+-5".
bool PlainSign(const char*& first, const char* last, const char* start) {
    if (first != last && *first == '+') ++first;
    return first != last && *first != '+' && !(*first == '-' && first != start);
}

bool ParseInteger(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (!PlainSign(first, last, text.data())) return false;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

// A decimal in steps of 0.1, as tenths.
bool ParseTenths(const std::string& text, int& tenths) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (!PlainSign(first, last, text.data())) return false;
    // A plain decimal without an exponent: "1e1" is not a choice of the list.
    for (const char* p = first; p != last; ++p) {
        if (*p == 'e' || *p == 'E') return false;
    }
    double value = 0;
    const DecimalParse parsed = ParseDecimal(first, last, value);
    if (parsed.Error != std::errc() || parsed.End != last || !std::isfinite(value)) return false;
    const double scaled = value * 10;
    const double rounded = std::nearbyint(scaled);
    if (std::fabs(scaled - rounded) > 1e-6 || std::fabs(rounded) > 1e6) return false;
    tenths = static_cast<int>(rounded);
    return true;
}

std::string Tenths(int tenths) {
    const int size = tenths < 0 ? -tenths : tenths;
    return std::string(tenths < 0 ? "-" : "") + std::to_string(size / 10) + "." +
           std::to_string(size % 10);
}

}  // namespace

std::string CheckOptionValue(const OptionSpec& entry, const std::string& value, int& number) {
    const std::string named = std::string(entry.Meaning) + " (" + Dashed(entry.Name) + ")";
    switch (entry.Kind) {
        case ValueKind::Flag:
            return {};
        case ValueKind::Text:
            return value.empty() ? Dashed(entry.Name) + " の値が空です。" : std::string();
        case ValueKind::Integer:
            if (!ParseInteger(value, number))
                return named + " の値「" + value + "」は整数ではありません。";
            if (number < entry.Min || number > entry.Max) {
                return named + " は " + std::to_string(entry.Min) + " から " +
                       std::to_string(entry.Max) + " までです（" + value + " が指定されました）。";
            }
            return {};
        case ValueKind::Tenths: {
            int tenths = 0;
            if (!ParseTenths(value, tenths) || tenths < entry.Min || tenths > entry.Max) {
                return named + " は " + Tenths(entry.Min) + " から " + Tenths(entry.Max) +
                       " までの 0.1 きざみの数です（" + value + " が指定されました）。";
            }
            number = tenths - entry.Min;
            return {};
        }
        case ValueKind::Choice: {
            if (!ParseInteger(value, number))
                return named + " の値「" + value + "」は整数ではありません。";
            std::string choices;
            bool offered = false;
            for (const int choice : entry.Choices) {
                choices += (choices.empty() ? "" : ", ") + std::to_string(choice);
                offered = offered || number == choice;
            }
            if (offered) return {};
            return named + " は " + choices + " のどれかです（" + std::to_string(number) +
                   " が指定されました）。";
        }
    }
    return {};
}
