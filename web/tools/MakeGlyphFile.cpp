// domarium-glyph-file OUTPUT: writes the glyph masks of every string the chart
// prints, drawn with the desktop's chart font, for the browser edition. The
// strings are taken from the engine itself (the compass labels as the frame
// prints them), so a new label reaches the web build without a list here.

#include <QGuiApplication>
#include <cstdio>
#include <fstream>
#include <memory>

#include "GlyphFile.h"
#include "core/RunTimeError.h"
#include "core/SkyState.h"
#include "geometry/Compass.h"
#include "qttext/QtText.h"
#include "render/DrawingSurface.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("使い方: domarium-glyph-file 出力ファイル\n", stderr);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    try {
        const QtGlyphSource chartText(ChartFont());
        auto sky = std::make_unique<SkyState>();
        BuildCompassPoints(*sky);
        std::vector<std::pair<std::string, GlyphMask>> masks;
        for (const std::string& label : sky->CompassLabels) {
            if (label.empty()) continue;  // Only the four points have labels.
            const std::string line = FormatPrintLine({label});
            masks.emplace_back(line, chartText.MaskFor(line));
        }
        std::ofstream out(argv[1], std::ios::binary);
        out << WriteGlyphFile(chartText.LineHeight(), masks);
        if (!out.flush()) {
            std::fprintf(stderr, "%s に書けません。\n", argv[1]);
            return 1;
        }
    } catch (const RunTimeError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
