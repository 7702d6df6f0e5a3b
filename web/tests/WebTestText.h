#pragma once
// Text for the engine's tests when they run in the browser edition's build,
// where Qt is absent: the charts print from the glyph file the desktop build
// made (as the page does), and the read-outs, which the page shows as HTML,
// from a stand-in that gives every string its own mask.

#include <fstream>
#include <sstream>
#include <string>

#include "GlyphFile.h"
#include "catalogue/FileChars.h"
#include "render/LabelFont.h"

class StandInGlyphs final : public GlyphSource {
public:
    float LineHeight() const override { return 12.0f; }
    // Six columns per byte, the byte's bits down each column: different strings,
    // different pictures.
    GlyphMask MaskFor(const std::string& text) const override {
        GlyphMask mask{static_cast<int>(text.size()) * 6, 8, 0, 0, {}};
        mask.Coverage.resize(static_cast<std::size_t>(mask.Width * mask.Height));
        for (int x = 0; x < mask.Width; ++x) {
            const auto byte = static_cast<unsigned char>(text[static_cast<std::size_t>(x / 6)]);
            for (int y = 0; y < 8; ++y) {
                mask.Coverage[static_cast<std::size_t>(y * mask.Width + x)] =
                    (byte >> y) & 1 ? 255 : 0;
            }
        }
        return mask;
    }
};

// The first chart's glyph file.
inline const GlyphSource& ChartText() {
    static const auto* glyphs = [] {
        const std::string path = DOMARIUM_GLYPH_FILE;
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return new FileGlyphSource(bytes.str());
    }();
    return *glyphs;
}
inline const GlyphSource& ReadoutText() {
    static const auto* glyphs = new StandInGlyphs();
    return *glyphs;
}
// The label font as the page serves it, cut down beside the glyph file.
inline const LabelFont* ChartLabels() {
    static const auto* font = [] {
        const std::string glyphs = DOMARIUM_GLYPH_FILE;
        const std::string path = glyphs.substr(0, glyphs.rfind('/')) + "/LabelFont";
        return new LabelFont([path] { return ReadWholeFile(path); }, path);
    }();
    return font;
}
