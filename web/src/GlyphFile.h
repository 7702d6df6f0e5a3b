#pragma once
// The compass letters' text for a front end without a font system: their glyph
// masks in the desktop's chart font, made once by the desktop build with Qt
// (web/tools/MakeGlyphFile.cpp), one file a draw scale, and read back here, so
// that the browser's chart carries the same pixels as the desktop's. Every other
// label is drawn by the engine in its label font (render/LabelFont.h).
//
// The file is binary, little-endian: the header line "domarium-glyphs 3\n", the
// line height as the bits of its float (4 bytes), 2 bytes of zero (where an
// earlier edition named a file of further strings), the table of columns (their
// number, 4 bytes, then per column its height, 2 bytes, and its coverage bytes
// top to bottom), the number of masks (4 bytes), then per mask its text's length
// (2 bytes) and UTF-8 bytes, its width and height (2 bytes each, at most 4096),
// its left and top margins (2 bytes each, signed) and, left to right, the table's
// number of each of its columns (2 bytes). Nothing follows the last mask. The
// same characters give the same columns again and again, so each column is held
// once. The web folder serves the files compressed with gzip; the page inflates
// them before the engine reads them.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "render/GlyphSource.h"

inline constexpr std::string_view GlyphFileHeader = "domarium-glyphs 3\n";

// The name of the compass letters' glyph file for a draw scale in hundredths:
// ChartGlyphs at 1, ChartGlyphs-125 at 1.25 and so on.
inline std::string ChartGlyphFileName(int hundredths) {
    return hundredths == 100 ? "ChartGlyphs" : "ChartGlyphs-" + std::to_string(hundredths);
}

// Purpose: the file's bytes for the given masks.
// Reads: lineHeight in pixels (any float, kept bit for bit); masks by text, each
//   text at most 65535 bytes of UTF-8, each mask's Coverage Width x Height.
// Returns: the file's bytes.
// Notes: a mask the file cannot hold (larger than 4096 pixels a side, a margin
//   beyond 16 bits, more than 65536 different columns in all) is a RunTimeError with
//   a Japanese message.
// Tested values: GlyphFileTest (a round trip gives back every mask and the height).
std::string WriteGlyphFile(float lineHeight,
                           const std::vector<std::pair<std::string, GlyphMask>>& masks);

// A glyph source answering from a glyph file's bytes.
class FileGlyphSource final : public GlyphSource {
public:
    // Purpose: reads the file's bytes.
    // Reads: bytes, as WriteGlyphFile writes them.
    // Notes: a damaged file is a RunTimeError (SurfaceFailure) with a Japanese message.
    explicit FileGlyphSource(std::string_view bytes);
    float LineHeight() const override { return TextLineHeight; }
    // A string the file does not hold is a RunTimeError (SurfaceFailure): the build made
    // masks for every string printed in the chart font.
    GlyphMask MaskFor(const std::string& text) const override;

private:
    float TextLineHeight = 0.0f;
    std::map<std::string, GlyphMask, std::less<>> Masks;
};
