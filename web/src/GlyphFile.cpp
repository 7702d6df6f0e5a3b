#include "GlyphFile.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "core/RunTimeError.h"

namespace {
constexpr int MaxSide = 4096;

// The float's bits, bit for bit (emscripten's C++ library has no std::bit_cast).
std::uint32_t BitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
float FloatOf(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

[[noreturn]] void Damaged() {
    throw RunTimeError(ErrorKind::SurfaceFailure, "文字の形のファイルが壊れています。");
}

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// The file's bytes one field after another; a field past the end is damage.
class Fields {
public:
    explicit Fields(std::string_view bytes) : Rest(bytes) {}
    std::string_view Take(std::size_t count) {
        if (Rest.size() < count) Damaged();
        const std::string_view taken = Rest.substr(0, count);
        Rest.remove_prefix(count);
        return taken;
    }
    std::uint32_t Unsigned(int bytes) {
        const std::string_view field = Take(static_cast<std::size_t>(bytes));
        std::uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) {
            value = value << 8 | static_cast<unsigned char>(field[static_cast<std::size_t>(i)]);
        }
        return value;
    }
    int Signed16() {
        const std::uint32_t value = Unsigned(2);
        return value < 0x8000 ? static_cast<int>(value) : static_cast<int>(value) - 0x10000;
    }
    bool AtEnd() const { return Rest.empty(); }

private:
    std::string_view Rest;
};
}  // namespace

std::string WriteGlyphFile(float lineHeight,
                           const std::vector<std::pair<std::string, GlyphMask>>& masks) {
    // Each column of every mask, top to bottom, and its number in the table.
    std::map<std::string, std::uint32_t, std::less<>> columnNumbers;
    std::vector<const std::string*> columns;
    std::string masksPart;
    for (const auto& [text, mask] : masks) {
        const auto fitsSigned = [](int v) { return v >= -0x8000 && v < 0x8000; };
        if (text.size() > 0xffff || mask.Width < 0 || mask.Height < 0 || mask.Width > MaxSide ||
            mask.Height > MaxSide || !fitsSigned(mask.MarginLeft) || !fitsSigned(mask.MarginTop) ||
            mask.Coverage.size() !=
                static_cast<std::size_t>(mask.Width) * static_cast<std::size_t>(mask.Height)) {
            throw RunTimeError(ErrorKind::SurfaceFailure,
                               "「" + text + "」の文字の形はファイルに入りません。");
        }
        Put(masksPart, static_cast<std::uint32_t>(text.size()), 2);
        masksPart += text;
        Put(masksPart, static_cast<std::uint32_t>(mask.Width), 2);
        Put(masksPart, static_cast<std::uint32_t>(mask.Height), 2);
        Put(masksPart, static_cast<std::uint32_t>(mask.MarginLeft), 2);
        Put(masksPart, static_cast<std::uint32_t>(mask.MarginTop), 2);
        const auto width = static_cast<std::size_t>(mask.Width);
        for (std::size_t x = 0; x < width; ++x) {
            std::string column;
            for (std::size_t y = 0; y < static_cast<std::size_t>(mask.Height); ++y) {
                column += static_cast<char>(mask.Coverage[y * width + x]);
            }
            const auto [at, added] = columnNumbers.try_emplace(
                std::move(column), static_cast<std::uint32_t>(columns.size()));
            if (added) {
                if (columns.size() > 0xffff) {
                    throw RunTimeError(ErrorKind::SurfaceFailure,
                                       "文字の形の列が多すぎて、ファイルに入りません。");
                }
                columns.push_back(&at->first);
            }
            Put(masksPart, at->second, 2);
        }
    }
    std::string out(GlyphFileHeader);
    Put(out, BitsOf(lineHeight), 4);
    Put(out, 0, 2);  // No file of other strings.
    Put(out, static_cast<std::uint32_t>(columns.size()), 4);
    for (const std::string* column : columns) {
        Put(out, static_cast<std::uint32_t>(column->size()), 2);
        out += *column;
    }
    Put(out, static_cast<std::uint32_t>(masks.size()), 4);
    return out + masksPart;
}

FileGlyphSource::FileGlyphSource(std::string_view bytes) {
    Fields fields(bytes);
    if (fields.Take(GlyphFileHeader.size()) != GlyphFileHeader) Damaged();
    TextLineHeight = FloatOf(fields.Unsigned(4));
    if (!fields.Take(fields.Unsigned(2)).empty()) Damaged();  // A file of other strings.
    // Each column takes at least its 2 bytes of height: a count beyond that is damage,
    // refused before anything is kept for it.
    const std::uint32_t columnCount = fields.Unsigned(4);
    if (columnCount > bytes.size() / 2) Damaged();
    std::vector<std::string_view> columns(columnCount);
    for (std::string_view& column : columns) {
        const std::uint32_t height = fields.Unsigned(2);
        if (height > MaxSide) Damaged();
        column = fields.Take(height);
    }
    const std::uint32_t count = fields.Unsigned(4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string_view text = fields.Take(fields.Unsigned(2));
        GlyphMask mask;
        mask.Width = static_cast<int>(fields.Unsigned(2));
        mask.Height = static_cast<int>(fields.Unsigned(2));
        mask.MarginLeft = fields.Signed16();
        mask.MarginTop = fields.Signed16();
        if (mask.Width > MaxSide || mask.Height > MaxSide) Damaged();
        const auto width = static_cast<std::size_t>(mask.Width);
        const auto height = static_cast<std::size_t>(mask.Height);
        mask.Coverage.resize(width * height);
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t number = fields.Unsigned(2);
            if (number >= columns.size() || columns[number].size() != height) Damaged();
            for (std::size_t y = 0; y < height; ++y) {
                mask.Coverage[y * width + x] = static_cast<std::uint8_t>(columns[number][y]);
            }
        }
        Masks.emplace(text, std::move(mask));
    }
    if (!fields.AtEnd()) Damaged();
}

GlyphMask FileGlyphSource::MaskFor(const std::string& text) const {
    const auto found = Masks.find(text);
    if (found == Masks.end()) {
        throw RunTimeError(ErrorKind::SurfaceFailure, "「" + text + "」の文字の形がありません。");
    }
    return found->second;
}
