// The glyph file that carries the chart's text to the browser: what the desktop
// draws with Qt must come back bit for bit, and a damaged file must be refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "GlyphFile.h"
#include "core/RunTimeError.h"
#include "support/TestSky.h"

namespace {
void ExpectSameMask(const GlyphMask& got, const GlyphMask& want, const std::string& text) {
    EXPECT_EQ(got.Width, want.Width) << text;
    EXPECT_EQ(got.Height, want.Height) << text;
    EXPECT_EQ(got.MarginLeft, want.MarginLeft) << text;
    EXPECT_EQ(got.MarginTop, want.MarginTop) << text;
    EXPECT_EQ(got.Coverage, want.Coverage) << text;
}
}  // namespace

// Every compass label as Qt draws it, plus the edge cases of the format: an empty
// mask, full and zero coverage, negative margins, a height that is not a whole pixel.
TEST(GlyphFile, RoundTripKeepsEveryMaskAndTheLineHeight) {
    std::vector<std::pair<std::string, GlyphMask>> masks;
    for (const char* label : {"北", "西", "南", "東"}) {
        masks.emplace_back(label, ChartText().MaskFor(label));
    }
    masks.emplace_back("empty", GlyphMask{});
    masks.emplace_back("a b", GlyphMask{3, 2, -300, 2, {0, 255, 1, 254, 16, 15}});
    const float height = ChartText().LineHeight() + 0.1f;
    const FileGlyphSource read(WriteGlyphFile(height, masks));
    EXPECT_EQ(read.LineHeight(), height);
    for (const auto& [text, mask] : masks) ExpectSameMask(read.MaskFor(text), mask, text);
    EXPECT_THROW(read.MaskFor("天"), RunTimeError);
}

TEST(GlyphFile, DamagedFileIsRefused) {
    const std::string good = WriteGlyphFile(12.0f, {{"x", GlyphMask{2, 1, 0, 0, {0x12, 0xab}}}});
    ASSERT_NO_THROW(FileGlyphSource{good});
    // The line height's 4 bytes, the empty name's length, the table of two columns of
    // one byte each (its count, then each column's height and byte), the count of
    // masks: then the one mask, its text's length (2 bytes) and "x", its width (2
    // bytes), its height, its margins and the numbers of its two columns.
    const std::size_t table = GlyphFileHeader.size() + 6;
    const std::size_t mask = table + 14;
    const auto changed = [&good](std::size_t at, std::string_view bytes) {
        return good.substr(0, at) + std::string(bytes) + good.substr(at + bytes.size());
    };
    const std::string damaged[] = {
        "",                                       // Nothing.
        "domarium-glyphs 1\n" + good.substr(18),  // Another version.
        good.substr(0, good.size() - 1),          // A column's number cut short.
        good.substr(0, mask),                     // A mask missing.
        changed(mask - 4, "\x02"),                // One more mask counted than there is.
        changed(mask, "\x09"),                    // A text running past the end.
        changed(mask + 3, "\x01\x10"),            // Wider than any mask is drawn (0x1001).
        changed(mask + 5, "\x02"),                // Taller than its columns.
        changed(mask + 11, "\x02"),               // A column past the table's end.
        changed(table, "\xff\xff\xff\x7f"),       // Far more columns than bytes.
        good + '\0',                              // Bytes after the last mask.
        // A file of other strings named, which this edition no longer has.
        good.substr(0, table - 2) + std::string("\x01\x00x", 3) + good.substr(table),
    };
    for (const std::string& bytes : damaged) {
        EXPECT_THROW(FileGlyphSource{bytes}, RunTimeError) << bytes.size();
    }
}

TEST(GlyphFile, MaskTheFileCannotHoldIsRefusedWhenWritten) {
    const GlyphMask wide{4097, 1, 0, 0, std::vector<std::uint8_t>(4097)};
    const GlyphMask shortCoverage{2, 2, 0, 0, {1, 2, 3}};
    const GlyphMask farMargin{1, 1, 40000, 0, {1}};
    for (const GlyphMask& mask : {wide, shortCoverage, farMargin}) {
        EXPECT_THROW(WriteGlyphFile(12.0f, {{"x", mask}}), RunTimeError);
    }
}
