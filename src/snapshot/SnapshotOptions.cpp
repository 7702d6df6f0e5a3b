#include "SnapshotOptions.h"

#include <cstdlib>

#include "cmdline/CommandLine.h"

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
    Bodies,
    PaletteChoice,
    Labels,
    Scale,
    ViewChoice,
    Large
};

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
            {OverlayListName, "LIST", ValueKind::Text, 0, 0, "", OverlayListHelp()},
            SettingOption(Setting::TrailHours),
            {"points", "FILE.csv", ValueKind::Text, 0, 0, "",
             "太陽・天の極・天頂・星座名などの点の一覧を CSV で書き出す"},
            SettingOption(Setting::Year),
            {"bodies", "FILE.csv", ValueKind::Text, 0, 0, "",
             "太陽・月・惑星の高度・方位・満ち欠けを CSV で書き出す"},
            {PaletteOptionName, "NAME", ValueKind::Text, 0, 0, "",
             "図の色: screen（黒地、既定）または print（白地に黒い星、プリント用）"},
            {"labels", "FILE.csv", ValueKind::Text, 0, 0, "",
             "描いた文字（時刻・高度・名前など）の位置と大きさを CSV で書き出す"},
            {"scale", "R", ValueKind::Text, 0, 0, "",
             "画面の拡大率 (1、1.25、1.5、2、3; 既定 1): その画面で見える図を描く"},
            {SettingOf(Setting::View).Name, "NAME", ValueKind::Text, 0, 0, "", ViewHelp()},
            {"large", "", ValueKind::Flag, 0, 0, "",
             "大きな星と文字: 一辺が 408 を超える図では、星・線・文字を一辺に合わせて大きくする"},
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
    if (line.Value[Labels]) options.LabelsCsv = *line.Value[Labels];
    options.Large = line.Value[Large].has_value();
    if (line.Value[Scale]) {
        const std::string& text = *line.Value[Scale];
        char* end = nullptr;
        const double scale = std::strtod(text.c_str(), &end);
        bool offered = false;
        for (const int hundredths : DrawScaleHundredths)
            offered = offered || (!text.empty() && *end == '\0' && scale * 100 == hundredths);
        if (!offered) {
            result.Error = "--scale には 1、1.25、1.5、2、3 のどれかを指定してください。";
            return result;
        }
        options.Scale = scale;
    }
    if (line.Value[Overlays]) {
        std::vector<Setting> on;
        result.Error = CheckOverlayList(*line.Value[Overlays], on);
        if (!result.Error.empty()) return result;
        for (const Setting id : on) options.Overlays.*OverlayFlag(id) = true;
    }
    if (line.Number[TrailHours]) options.Overlays.TrailHours = *line.Number[TrailHours];
    if (line.Value[PaletteChoice]) {
        result.Error = CheckPaletteName(*line.Value[PaletteChoice], options.Palette);
        if (!result.Error.empty()) return result;
    }
    if (line.Value[ViewChoice]) {
        result.Error = CheckViewName(*line.Value[ViewChoice], options.View);
        if (!result.Error.empty()) return result;
    }
    if (!line.Value[Output]) {
        result.Error = "出力する PNG ファイルを -o で指定してください。";
        return result;
    }
    options.Output = *line.Value[Output];
    result.Options = options;
    return result;
}
