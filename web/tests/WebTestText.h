#pragma once
// Text for the engine's tests when they run in the browser edition's build,
// where Qt is absent: the charts print from the glyph file the desktop build
// made (as the page does), and the read-outs, which the page shows as HTML,
// from a stand-in that gives every string its own mask.

#include <fstream>
#include <sstream>
#include <string>

#include "GlyphFile.h"

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

// The first chart's glyph file, with the overlays' labels read from beside it.
inline const GlyphSource& ChartText() {
    static const auto* glyphs = [] {
        const std::string path = DOMARIUM_GLYPH_FILE;
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return new FileGlyphSource(bytes.str(), path.substr(0, path.rfind('/')));
    }();
    return *glyphs;
}
inline const GlyphSource& ReadoutText() {
    static const auto* glyphs = new StandInGlyphs();
    return *glyphs;
}
