#include "core/Settings.h"

#include <cstdio>

const SettingSpec* FindSetting(const std::string& name) {
    for (const SettingSpec& s : SettingTable) {
        if (name == s.Name) return &s;
    }
    return nullptr;
}

// Tenths as the magnitude list has always shown them: the shortest decimal of the
// double value / 10, "0" rather than "-0".
std::string ValueText(const SettingSpec& s, int value) {
    if (s.Scale == 1) return std::to_string(value);
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", static_cast<double>(value) / s.Scale);
    const std::string shown = text;
    return shown == "-0" ? "0" : shown;
}

std::vector<std::string> ItemTexts(const SettingSpec& s) {
    if (!s.ItemNames.empty()) return {s.ItemNames.begin(), s.ItemNames.end()};
    std::vector<std::string> items;
    for (int i = 0; i < ValueCount(s); ++i) items.push_back(ValueText(s, ValueAt(s, i)));
    return items;
}

namespace {
// Appends a JSON string; the table's texts hold no control characters.
void AppendQuoted(std::string& json, const std::string& text) {
    json += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') json += '\\';
        json += c;
    }
    json += '"';
}

// Appends ,"key": and the value, a string or a number.
void AppendField(std::string& json, const char* key, const std::string& text) {
    json += ",\"";
    json += key;
    json += "\":";
    AppendQuoted(json, text);
}
void AppendField(std::string& json, const char* key, int number) {
    json += ",\"";
    json += key;
    json += "\":";
    json += std::to_string(number);
}

const char* KindName(SettingKind kind) {
    switch (kind) {
        case SettingKind::List:
            return "list";
        case SettingKind::Scroll:
            return "scroll";
        case SettingKind::Flag:
            return "flag";
    }
    return "";
}
}  // namespace

std::string SettingsJson() {
    std::string json = "{\"settings\":[";
    for (const SettingSpec& s : SettingTable) {
        if (s.Id != Setting{}) json += ',';
        json += "{\"id\":";
        json += std::to_string(static_cast<int>(s.Id));
        AppendField(json, "name", s.Name);
        AppendField(json, "kind", KindName(s.Kind));
        AppendField(json, "caption", s.Caption);
        AppendField(json, "unit", s.Unit);
        if (s.Kind == SettingKind::List) {
            AppendField(json, "min", 0);
            AppendField(json, "max", ValueCount(s) - 1);
            AppendField(json, "default", DefaultIndex(s));
            json += ",\"items\":[";
            const std::vector<std::string> items = ItemTexts(s);
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i > 0) json += ',';
                AppendQuoted(json, items[i]);
            }
            json += ']';
            if (!s.ItemCaptions.empty()) {
                json += ",\"captions\":[";
                for (std::size_t i = 0; i < s.ItemCaptions.size(); ++i) {
                    if (i > 0) json += ',';
                    AppendQuoted(json, s.ItemCaptions[i]);
                }
                json += ']';
            }
        } else {
            AppendField(json, "min", s.Min);
            AppendField(json, "max", s.Max);
            AppendField(json, "default", s.Default);
        }
        json += '}';
    }
    json += ']';
    AppendField(json, "overlays", OverlayListName);
    // 再生's rates and the palette, which are no settings of the sky.
    json += ",\"play\":{\"caption\":";
    AppendQuoted(json, PlayRateCaption);
    AppendField(json, "default", PlayRateStartIndex);
    json += ",\"items\":[";
    for (std::size_t i = 0; i < std::size(PlayRates); ++i) {
        if (i > 0) json += ',';
        AppendQuoted(json, std::to_string(PlayRates[i]) + PlayRateUnit);
    }
    json += "]},\"palette\":{\"name\":";
    AppendQuoted(json, PaletteOptionName);
    AppendField(json, "caption", PaletteCaption);
    json += ",\"items\":[";
    for (std::size_t i = 0; i < std::size(PaletteNames); ++i) {
        if (i > 0) json += ',';
        AppendQuoted(json, PaletteNames[i]);
    }
    json += "]}}";
    return json;
}
