// The glyph file that carries the chart's text to the browser: what the desktop
// draws with Qt must come back bit for bit, and a damaged file must be refused.
#include <gtest/gtest.h>

#include <string>

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
    masks.emplace_back("a b", GlyphMask{3, 2, -1, 2, {0, 255, 1, 254, 16, 15}});
    const float height = ChartText().LineHeight() + 0.1f;
    const FileGlyphSource read(WriteGlyphFile(height, masks));
    EXPECT_EQ(read.LineHeight(), height);
    for (const auto& [text, mask] : masks) ExpectSameMask(read.MaskFor(text), mask, text);
    EXPECT_THROW(read.MaskFor("天"), RunTimeError);
}

TEST(GlyphFile, DamagedFileIsRefused) {
    const std::string good = WriteGlyphFile(12.0f, {{"x", GlyphMask{2, 1, 0, 0, {0x12, 0xab}}}});
    ASSERT_NO_THROW(FileGlyphSource{good});
    const std::string damaged[] = {
        "",                                                   // Nothing.
        "domarium-glyphs 2" + good.substr(17),                // Another version.
        good.substr(0, good.size() - 3),                      // A row cut short.
        good.substr(0, good.find("size")),                    // A mask missing.
        std::string(good).replace(good.find("ab"), 2, "AG"),  // Not lower-case hexadecimal.
        std::string(good).replace(good.find("size 2"), 6, "size -2"),  // A negative size.
        std::string(good).replace(good.find("size 2"), 6, "size 2x"),  // Not a number.
    };
    for (const std::string& text : damaged) {
        EXPECT_THROW(FileGlyphSource{text}, RunTimeError) << text;
    }
}
