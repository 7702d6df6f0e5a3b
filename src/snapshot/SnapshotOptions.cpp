#include "SnapshotOptions.h"

#include <charconv>
#include <cmath>

#include "geometry/Trails.h"

namespace {

struct IntegerOption {
    const char* Name;
    int SnapshotOptions::*Field;
    int Min, Max;
    const char* Meaning;
};

const IntegerOption IntegerOptions[] = {
    {"--month", &SnapshotOptions::Month, 1, 12, "月"},
    {"--day", &SnapshotOptions::Day, 1, 31, "日"},
    {"--hour", &SnapshotOptions::Hour, 0, 23, "時"},
    {"--minute", &SnapshotOptions::Minute, 0, 59, "分"},
    {"--longitude", &SnapshotOptions::Longitude, 120, 150, "東経"},
    {"--latitude", &SnapshotOptions::Latitude, -90, 90, "緯度"},
    {"--azimuth", &SnapshotOptions::Azimuth, 0, 360, "方位角"},
    {"--elevation", &SnapshotOptions::Elevation, -90, 90, "仰角"},
    {"--size", &SnapshotOptions::Size, 1, MaxSnapshotSize, "図の一辺（ピクセル）"},
};

bool ParseInteger(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    // One sign only: from_chars would take the '-' of "+-5".
    if (first == last || (*first == '-' && first != text.data())) return false;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

// A limiting magnitude from -1.4 to 7.9 in steps of 0.1, as the list offers them.
bool ParseLimit(const std::string& text, int& index) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    if (first == last || *first == '+' || (*first == '-' && first != text.data())) return false;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error != std::errc() || end != last || !std::isfinite(value)) return false;
    const double tenths = value * 10;
    const double rounded = std::nearbyint(tenths);
    if (std::fabs(tenths - rounded) > 1e-6 || rounded < -14 || rounded > 79) return false;
    index = static_cast<int>(rounded) + 14;
    return true;
}

// The overlays by their command-line names, in the order the usage lists them.
struct OverlayOption {
    const char* Name;
    bool OverlaySet::*Field;
};

const OverlayOption OverlayOptions[] = {
    {"sun", &OverlaySet::Sun},
    {"seasons", &OverlaySet::Seasons},
    {"circles", &OverlaySet::Circles},
    {"trails", &OverlaySet::Trails},
    {"constellations", &OverlaySet::Constellations},
    {"names", &OverlaySet::Names},
};

// Switches on each overlay of a comma list; false with the first unknown name.
bool ParseOverlays(const std::string& list, SnapshotOptions& options, std::string& unknown) {
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string name =
            list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        bool found = false;
        for (const OverlayOption& overlay : OverlayOptions) {
            if (name == overlay.Name) {
                options.Overlays.*(overlay.Field) = true;
                found = true;
            }
        }
        if (!found) {
            unknown = name;
            return false;
        }
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool KnownOption(const std::string& name) {
    for (const IntegerOption& option : IntegerOptions) {
        if (name == option.Name) return true;
    }
    return name == "-o" || name == "--limit" || name == "--stars" || name == "--stardata" ||
           name == "--overlays" || name == "--points" || name == "--trail-hours";
}

}  // namespace

const char* SnapshotUsage() {
    return "使い方: domarium-snapshot -o 出力.png [オプション]\n"
           "天球の図を、プログラムの画面と同じ設定で PNG 画像に書き出します。\n"
           "\n"
           "  -o FILE.png          出力する PNG ファイル（必須）\n"
           "  --month M            月 (1..12、既定 1)\n"
           "  --day D              日 (1..31、既定 1。2月31日は3月3日になります)\n"
           "  --hour H             時 (0..23、既定 0)\n"
           "  --minute M           分 (0..59、既定 0)\n"
           "  --longitude L        東経 (120..150 の整数、既定 135)\n"
           "  --latitude L         緯度 (-90..90 の整数、北緯は＋、既定 35)\n"
           "  --azimuth A          方位角 (0..360 の整数、既定 0)\n"
           "  --elevation E        仰角 (-90..90 の整数、－は見下ろす形、既定 -10)\n"
           "  --limit M            限界等級 (-1.4..7.9、0.1 きざみ、既定 3.5)\n"
           "  --size S             図の一辺のピクセル数 (1..8192、既定 408)\n"
           "  --stars FILE.csv     描いた星の一覧を CSV で書き出す\n"
           "  --overlays LIST      重ねて描く図（コンマ区切り）: sun（太陽と日周経路）、\n"
           "                       seasons（季節の太陽の通り道）、circles（天の北極と天の赤道）、\n"
           "                       trails（星の軌跡）、constellations（星座線）、\n"
           "                       names（星座名と星の名前）\n"
           "  --trail-hours H      星の軌跡の時間 (1, 2, 3, 6, 12, 24、既定 12)\n"
           "  --points FILE.csv    太陽・天の極・天頂・星座名などの点の一覧を CSV で書き出す\n"
           "  --stardata PATH      星のデータ（既定: 現在のフォルダの StarData）\n"
           "  -h, --help           この説明を表示する\n";
}

SnapshotParse ParseSnapshotOptions(const std::vector<std::string>& args) {
    SnapshotParse result;
    SnapshotOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "-h" || name == "--help") {
            result.Help = true;
            return result;
        }
        if (!KnownOption(name)) {
            result.Error = "「" + name + "」は知らないオプションです。-h で使い方を表示します。";
            return result;
        }
        if (i + 1 >= args.size()) {
            result.Error = name + " の値がありません。";
            return result;
        }
        const std::string& value = args[++i];
        bool matched = false;
        for (const IntegerOption& option : IntegerOptions) {
            if (name != option.Name) continue;
            matched = true;
            int number = 0;
            if (!ParseInteger(value, number)) {
                result.Error = std::string(option.Meaning) + " (" + name + ") の値「" + value +
                               "」は整数ではありません。";
                return result;
            }
            if (number < option.Min || number > option.Max) {
                result.Error = std::string(option.Meaning) + " (" + name + ") は " +
                               std::to_string(option.Min) + " から " + std::to_string(option.Max) +
                               " までです（" + value + " が指定されました）。";
                return result;
            }
            options.*(option.Field) = number;
        }
        if (matched) continue;
        if (name == "--trail-hours") {
            int hours = 0;
            bool offered = false;
            if (ParseInteger(value, hours)) {
                for (const int choice : TrailHourChoices) offered = offered || hours == choice;
            }
            if (!offered) {
                result.Error =
                    "星の軌跡の時間 (--trail-hours) は 1, 2, 3, 6, 12, 24 のどれかです（" + value +
                    " が指定されました）。";
                return result;
            }
            options.Overlays.TrailHours = hours;
        } else if (name == "--limit") {
            if (!ParseLimit(value, options.LimitIndex)) {
                result.Error = "限界等級 (--limit) は -1.4 から 7.9 までの 0.1 きざみの数です（" +
                               value + " が指定されました）。";
                return result;
            }
        } else if (name == "--overlays") {
            std::string unknown;
            if (!ParseOverlays(value, options, unknown)) {
                result.Error = "重ねる図 (--overlays) の「" + unknown +
                               "」は知らない名前です。sun、seasons、circles、trails、constellations"
                               "、names から選んでください。";
                return result;
            }
        } else {
            if (value.empty()) {
                result.Error = name + " の値が空です。";
                return result;
            }
            (name == "-o"         ? options.Output
             : name == "--stars"  ? options.StarsCsv
             : name == "--points" ? options.PointsCsv
                                  : options.StarData) = value;
        }
    }
    if (options.Output.empty()) {
        result.Error = "出力する PNG ファイルを -o で指定してください。";
        return result;
    }
    result.Options = options;
    return result;
}
