// The sky settings' table and the checking of one option's value: the part of the
// command lines that needs no Qt, so the web edition's address reads its settings
// with the same ranges and the same Japanese messages.

#include <charconv>
#include <cmath>

#include "cmdline/CommandLine.h"
#include "core/ParseDecimal.h"

const std::array<OptionSpec, SkySettingCount> SkySettingOptions = {{
    {"month", "M", ValueKind::Integer, 1, 12, "月", "月 (1..12、既定 1)"},
    {"day", "D", ValueKind::Integer, 1, 31, "日", "日 (1..31、既定 1。2月31日は3月3日になります)"},
    {"hour", "H", ValueKind::Integer, 0, 23, "時", "時 (0..23、既定 0)"},
    {"minute", "M", ValueKind::Integer, 0, 59, "分", "分 (0..59、既定 0)"},
    {"limit", "M", ValueKind::Tenths, -14, 79, "限界等級",
     "限界等級 (-1.4..7.9、0.1 きざみ、既定 3.5)"},
    {"longitude", "L", ValueKind::Integer, 120, 150, "東経", "東経 (120..150 の整数、既定 135)"},
    {"latitude", "L", ValueKind::Integer, -90, 90, "緯度",
     "緯度 (-90..90 の整数、北緯は＋、既定 35)"},
    {"azimuth", "A", ValueKind::Integer, 0, 360, "方位角", "方位角 (0..360 の整数、既定 0)"},
    {"elevation", "E", ValueKind::Integer, -90, 90, "仰角",
     "仰角 (-90..90 の整数、－は見下ろす形、既定 -10)"},
}};

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
            number = tenths - LimitTenthsAtItemZero;
            return {};
        }
    }
    return {};
}
