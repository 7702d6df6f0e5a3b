// domarium-glyph-file FOLDER: writes, for the browser edition, the glyph masks of
// the compass letters (all the chart prints in the desktop's chart font) at each
// of the draw scales, ChartGlyphs at 1 and ChartGlyphs@N at N hundredths, and
// LabelText, every character the chart's labels may print, from which the build
// cuts the label font down to what the page needs. The labels' strings are taken
// from the engine itself where it lists them, so a new label reaches the web
// build without a list here.

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "GlyphFile.h"
#include "catalogue/Constellations.h"
#include "core/RunTimeError.h"
#include "core/Settings.h"
#include "geometry/Projection.h"
#include "qttext/QtText.h"
#include "render/Bodies.h"
#include "render/DrawingSurface.h"
#include "render/Labels.h"
#include "render/YearMotion.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("使い方: domarium-glyph-file 出力フォルダ\n", stderr);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    try {
        const std::filesystem::path folder = argv[1];
        // A file's bytes, or the tool's error naming it.
        const auto write = [](const std::filesystem::path& file, const std::string& bytes) {
            std::ofstream out(file, std::ios::binary);
            out << bytes;
            if (!out.flush())
                throw RunTimeError(ErrorKind::SurfaceFailure, file.string() + " に書けません。");
        };
        for (const int hundredths : DrawScaleHundredths) {
            const QtGlyphSource chartText(ScaledFont(ChartFont(), hundredths / 100.0));
            std::vector<std::pair<std::string, GlyphMask>> masks;
            for (const char* label : CompassLabels) {
                const std::string line = FormatPrintLine({std::string(label)});
                masks.emplace_back(line, chartText.MaskFor(line));
            }
            write(folder / ChartGlyphFileName(hundredths),
                  WriteGlyphFile(chartText.LineHeight(), masks));
        }
        // The lesson overlays' labels that come from a finite set: the fixed names, the
        // Sun's hours, the seasons, the pole's altitude at each whole latitude, and the
        // constellation and star names read from beside StarData (run in its folder).
        // The fixed texts are written here as Overlays.cpp prints them.
        std::vector<std::string> overlayTexts = {"天の赤道",   "子午線", "天頂",     "天の北極",
                                                 "天の南極",   "日の出", "日の入り", "夏至",
                                                 "春分・秋分", "冬至"};
        for (const char* season : {"夏至", "春分・秋分", "冬至"}) {
            overlayTexts.push_back(std::string(season) + "：一日中 地平線の下");
        }
        for (int hour = 0; hour < 24; ++hour) overlayTexts.push_back(std::to_string(hour));
        // The transit altitude is printed piece by piece: its name, then each character
        // of the value (the digits are among the hours above).
        for (const char* piece : {"南中高度 ", "北中高度 ", ".", "°", "-"})
            overlayTexts.push_back(piece);
        // The seasons' paths carry theirs after the season's name, the same way.
        for (const char* season : {"夏至", "春分・秋分", "冬至"}) {
            for (const char* name : {"南中高度 ", "北中高度 "})
                overlayTexts.push_back(std::string(season) + " " + name);
        }
        for (int height = 1; height <= 90; ++height) {
            overlayTexts.push_back("高度 " + std::to_string(height) + ".0°");
        }
        for (const char* text : BodyLabelTexts) overlayTexts.push_back(text);
        // The ground views' directions, in the label font there.
        for (const char* text : GroundCompassLabels) overlayTexts.push_back(text);
        ConstellationCatalogue figures;
        LoadConstellationsFrom(figures, ConstellationDataFileName, StarNamesFileName);
        for (const Constellation& c : figures.Constellations) overlayTexts.push_back(c.Name);
        for (const StarName& star : figures.StarNames) overlayTexts.push_back(star.Name);
        // The year's overlays: their fixed words (those the seasons already have once) and
        // the zodiac's short names of the orbit inset.
        for (const char* text : YearLabelTexts) {
            if (std::find(overlayTexts.begin(), overlayTexts.end(), text) == overlayTexts.end())
                overlayTexts.push_back(text);
        }
        for (const char* abbreviation : ZodiacAbbreviations) {
            for (const Constellation& c : figures.Constellations)
                if (c.Abbreviation == abbreviation) overlayTexts.push_back(InsetName(c.Name));
        }
        std::string characters;
        for (const std::string& text : overlayTexts) characters += text + "\n";
        write(folder / "LabelText", characters);
    } catch (const RunTimeError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
