#include "SnapshotOptions.h"

#include "cmdline/CommandLine.h"
#include "geometry/Trails.h"

namespace {

// The tool's own options, after the sky settings.
enum Own {
    Output = SkySettingCount,
    Size,
    Stars,
    StarDataFile,
    Overlays,
    TrailHours,
    Points,
    Year,
    Bodies
};

// The overlays by their command-line names, in the order the help lists them.
struct OverlayOption {
    const char* Name;
    bool OverlaySet::*Field;
};
constexpr OverlayOption OverlayOptions[] = {
    {"sun", &OverlaySet::Sun},
    {"seasons", &OverlaySet::Seasons},
    {"circles", &OverlaySet::Circles},
    {"trails", &OverlaySet::Trails},
    {"constellations", &OverlaySet::Constellations},
    {"names", &OverlaySet::Names},
    {"moon", &OverlaySet::Moon},
    {"planets", &OverlaySet::Planets},
    {"space", &OverlaySet::Space},
};

// Switches on each overlay of a comma list; false with the first unknown name.
bool ParseOverlays(const std::string& list, OverlaySet& overlays, std::string& unknown) {
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string name =
            list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        bool found = false;
        for (const OverlayOption& overlay : OverlayOptions) {
            if (name == overlay.Name) {
                overlays.*(overlay.Field) = true;
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

const ProgramSyntax& SnapshotSyntax() {
    static const ProgramSyntax syntax = {
        "domarium-snapshot",
        "domarium-snapshot -o 出力.png [オプション]",
        "天球の図を、プログラムの画面と同じ設定で PNG 画像に書き出します。",
        {
            {"o", "FILE.png", ValueKind::Text, 0, 0, "",
             "出力する PNG ファイル（必須。- なら標準出力）"},
            {"size", "S", ValueKind::Integer, 1, MaxSnapshotSize, "図の一辺（ピクセル）",
             "図の一辺のピクセル数 (1..8192、既定 408)"},
            {"stars", "FILE.csv", ValueKind::Text, 0, 0, "", "描いた星の一覧を CSV で書き出す"},
            {"stardata", "PATH", ValueKind::Text, 0, 0, "",
             "星のデータ（既定: 現在のフォルダ、なければインストールされたもの）"},
            {"overlays", "LIST", ValueKind::Text, 0, 0, "",
             "重ねて描く図（コンマ区切り）: sun（太陽と日周経路）、seasons（季節の太陽の通り道）、"
             "circles（天の北極と天の赤道）、trails（星の軌跡）、constellations（星座線）、"
             "names（星座名と星の名前）、moon（月）、planets（惑星）、space（宇宙から見た図）"},
            {"trail-hours", "H", ValueKind::Integer, 1, 24, "星の軌跡の時間",
             "星の軌跡の時間 (1, 2, 3, 6, 12, 24、既定 12)"},
            {"points", "FILE.csv", ValueKind::Text, 0, 0, "",
             "太陽・天の極・天頂・星座名などの点の一覧を CSV で書き出す"},
            {"year", "Y", ValueKind::Integer, 2000, 2100, "年",
             "太陽・月・惑星と星空の年 (2000..2100、既定 2026)"},
            {"bodies", "FILE.csv", ValueKind::Text, 0, 0, "",
             "太陽・月・惑星の高度・方位・満ち欠けを CSV で書き出す"},
        }};
    return syntax;
}

}  // namespace

std::string SnapshotUsage() { return HelpText(SnapshotSyntax()); }

SnapshotParse ParseSnapshotOptions(const std::vector<std::string>& args) {
    const CommandLine line = ParseCommandLine(SnapshotSyntax(), args);
    SnapshotParse result;
    switch (line.What) {
        case CommandLine::Outcome::Help:
            result.Help = true;
            result.Text = line.Text;
            return result;
        case CommandLine::Outcome::Version:
            result.Version = true;
            result.Text = line.Text;
            return result;
        case CommandLine::Outcome::Error:
            result.Error = line.Text;
            return result;
        case CommandLine::Outcome::Run:
            break;
    }
    SnapshotOptions options;
    int* const fields[] = {&options.Month,    &options.Day,        &options.Hour,
                           &options.Minute,   &options.LimitIndex, &options.Longitude,
                           &options.Latitude, &options.Azimuth,    &options.Elevation};
    for (std::size_t setting = 0; setting < SkySettingCount; ++setting) {
        if (line.Number[setting]) *fields[setting] = *line.Number[setting];
    }
    if (line.Number[Size]) options.Size = *line.Number[Size];
    if (line.Value[Stars]) options.StarsCsv = *line.Value[Stars];
    if (line.Value[StarDataFile]) options.StarData = *line.Value[StarDataFile];
    if (line.Value[Points]) options.PointsCsv = *line.Value[Points];
    if (line.Number[Year]) options.Year = *line.Number[Year];
    if (line.Value[Bodies]) options.BodiesCsv = *line.Value[Bodies];
    if (line.Value[Overlays]) {
        std::string unknown;
        if (!ParseOverlays(*line.Value[Overlays], options.Overlays, unknown)) {
            result.Error = "重ねる図 (--overlays) の「" + unknown +
                           "」は知らない名前です。sun、seasons、circles、trails、constellations"
                           "、names、moon、planets、space から選んでください。";
            return result;
        }
    }
    if (line.Number[TrailHours]) {
        const int hours = *line.Number[TrailHours];
        bool offered = false;
        for (const int choice : TrailHourChoices) offered = offered || hours == choice;
        if (!offered) {
            result.Error = "星の軌跡の時間 (--trail-hours) は 1, 2, 3, 6, 12, 24 のどれかです（" +
                           std::to_string(hours) + " が指定されました）。";
            return result;
        }
        options.Overlays.TrailHours = hours;
    }
    if (!line.Value[Output]) {
        result.Error = "出力する PNG ファイルを -o で指定してください。";
        return result;
    }
    options.Output = *line.Value[Output];
    result.Options = options;
    return result;
}
