#pragma once
// Where a raster surface gets its text from. The engine draws no glyphs
// itself: a front end that has a font system (the desktop and the snapshot
// tool, through Qt) or masks made ahead of time (the browser edition) hands
// the surface one coverage mask per string, which the surface then blends in
// its ForeColor wherever the string is printed.

#include <cstdint>
#include <string>
#include <vector>

// The glyphs of one string, drawn white on transparent.
struct GlyphMask {
    int Width = 0;   // Pixels.
    int Height = 0;  // Pixels.
    // Pixels left of and above the text position that the mask reaches, for glyphs that
    // overhang the pen position or the line's top; the mask's (MarginLeft, MarginTop) pixel
    // lies on the text position.
    int MarginLeft = 0;
    int MarginTop = 0;
    std::vector<std::uint8_t> Coverage;  // Width x Height, row by row: 0 none .. 255 full.
};

class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    // Height of one line of text: how far a Print moves CurrentY, pixels.
    virtual float LineHeight() const = 0;
    // The mask of one string. Called once per string; the surface keeps the result.
    virtual GlyphMask MaskFor(const std::string& text) const = 0;
};
