#pragma once
// The chart's text for a front end without a font system: the glyph masks of
// every string the chart prints, made once by the desktop build with Qt
// (web/tools/MakeGlyphFile.cpp) and read back here, so that the browser's chart
// carries the same label pixels as the desktop's.
//
// The file is text: a header line, the line height as the bits of its float,
// then per string its text, its mask's size and margins and one line of
// hexadecimal coverage bytes per mask row.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "render/GlyphSource.h"

inline constexpr const char* GlyphFileHeader = "domarium-glyphs 1";

// Purpose: the file's text for the given masks.
// Reads: lineHeight in pixels (any float, kept bit for bit); masks by text, each
//   text one line of UTF-8 without line breaks, each mask's Coverage Width x Height.
// Returns: the file's text.
// Tested values: GlyphFileTest (a round trip gives back every mask and the height).
std::string WriteGlyphFile(float lineHeight,
                           const std::vector<std::pair<std::string, GlyphMask>>& masks);

// A glyph source answering from a glyph file's text.
class FileGlyphSource final : public GlyphSource {
public:
    // Purpose: reads the file's text.
    // Reads: text, as WriteGlyphFile writes it.
    // Notes: a damaged file is a RunTimeError (SurfaceFailure) with a Japanese message.
    explicit FileGlyphSource(const std::string& text);
    float LineHeight() const override { return TextLineHeight; }
    // A string the file does not hold is a RunTimeError (SurfaceFailure): the
    // build made masks for every string the chart prints.
    GlyphMask MaskFor(const std::string& text) const override;
    bool Holds(const std::string& text) const { return Masks.count(text) != 0; }

private:
    float TextLineHeight = 0.0f;
    std::map<std::string, GlyphMask> Masks;
};
