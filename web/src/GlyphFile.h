#pragma once
// The chart's text for a front end without a font system: the glyph masks of
// every string the chart prints, made once by the desktop build with Qt
// (web/tools/MakeGlyphFile.cpp) and read back here, so that the browser's chart
// carries the same label pixels as the desktop's.
//
// The file is binary, little-endian: the header line "domarium-glyphs 3\n", the
// line height as the bits of its float (4 bytes), the name of the file beside it
// that holds the chart's other strings (its length, 2 bytes, then the name; none
// when empty), the table of columns (their number, 4 bytes, then per column its
// height, 2 bytes, and its coverage bytes top to bottom), the number of masks (4
// bytes), then per mask its text's length (2 bytes) and UTF-8 bytes, its width and
// height (2 bytes each, at most 4096), its left and top margins (2 bytes each,
// signed) and, left to right, the table's number of each of its columns (2 bytes).
// Nothing follows the last mask. The masks are the chart's strings drawn in one
// font: the same characters give the same columns again and again, so each column
// is held once, which takes the file to half its size with gzip.
//
// The page's first chart prints only the compass labels: their file is a few
// kilobytes, and names the file of every other string, which the page fetches
// after the first chart and the source reads at the first string it lacks. The
// web folder serves both compressed with gzip; the page inflates them before
// the engine reads them.

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
//   text at most 65535 bytes of UTF-8, each mask's Coverage Width x Height; rest,
//   the file name of the other strings' masks ("" when this file holds them all).
// Returns: the file's bytes.
// Notes: a mask the file cannot hold (larger than 4096 pixels a side, a margin
//   beyond 16 bits, more than 65536 different columns in all) is a RunTimeError with
//   a Japanese message.
// Tested values: GlyphFileTest (a round trip gives back every mask and the height).
std::string WriteGlyphFile(float lineHeight,
                           const std::vector<std::pair<std::string, GlyphMask>>& masks,
                           const std::string& rest = "");

// A glyph source answering from a glyph file's bytes.
class FileGlyphSource final : public GlyphSource {
public:
    // Purpose: reads the file's bytes.
    // Reads: bytes, as WriteGlyphFile writes them; folder, where the file of the other
    //   strings lies ("": the current folder, the root of the page's file system).
    // Notes: a damaged file is a RunTimeError (SurfaceFailure) with a Japanese message.
    explicit FileGlyphSource(std::string_view bytes, std::string folder = "");
    float LineHeight() const override { return TextLineHeight; }
    // A string the file does not hold is looked up in the file of the other strings,
    // read whole at the first such string; one that neither holds, or a file of the
    // other strings missing or damaged, is a RunTimeError (SurfaceFailure): the build
    // made masks for every string the chart prints.
    GlyphMask MaskFor(const std::string& text) const override;

private:
    void ReadRest() const;
    float TextLineHeight = 0.0f;
    std::string Folder;
    mutable std::string Rest;  // The other strings' file, until read.
    mutable std::map<std::string, GlyphMask, std::less<>> Masks;
};
