#include "GlyphFile.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string_view>
#include <system_error>

#include "core/RunTimeError.h"

namespace {
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

constexpr char HexDigits[] = "0123456789abcdef";

[[noreturn]] void Damaged() {
    throw RunTimeError(ErrorKind::SurfaceFailure, "文字の形のファイルが壊れています。");
}

// The value of each lowercase hexadecimal digit; -1 for any other byte.
struct HexTable {
    std::int8_t Value[256];
    constexpr HexTable() : Value() {
        for (int c = 0; c < 256; ++c) Value[c] = -1;
        for (int d = 0; d < 16; ++d)
            Value[static_cast<unsigned char>(HexDigits[d])] = static_cast<std::int8_t>(d);
    }
};
constexpr HexTable Hex;

// The file's lines one after another, without their line breaks; a missing line (the end
// of the text) is damage.
class Lines {
public:
    explicit Lines(std::string_view text) : Rest(text) {}
    std::string_view Next() {
        if (Rest.empty()) Damaged();
        const std::size_t end = Rest.find('\n');
        const std::string_view line = Rest.substr(0, end);
        Rest.remove_prefix(end == std::string_view::npos ? Rest.size() : end + 1);
        return line;
    }
    // The next line when it must be length bytes long: taken without a search.
    std::string_view Next(std::size_t length) {
        if (Rest.size() < length || (Rest.size() > length && Rest[length] != '\n')) Damaged();
        const std::string_view line = Rest.substr(0, length);
        Rest.remove_prefix(Rest.size() > length ? length + 1 : length);
        return line;
    }

private:
    std::string_view Rest;
};

// The whole numbers of a line after its word, separated by single spaces.
template <typename Number, std::size_t N>
void ReadNumbers(std::string_view line, std::string_view word, Number (&numbers)[N]) {
    if (line.substr(0, word.size()) != word) Damaged();
    const char* at = line.data() + word.size();
    const char* const end = line.data() + line.size();
    for (Number& n : numbers) {
        if (at == end || *at != ' ') Damaged();
        const auto [next, error] = std::from_chars(at + 1, end, n);
        if (error != std::errc()) Damaged();
        at = next;
    }
    if (at != end) Damaged();
}
}  // namespace

std::string WriteGlyphFile(float lineHeight,
                           const std::vector<std::pair<std::string, GlyphMask>>& masks) {
    std::ostringstream out;
    out << GlyphFileHeader << '\n'
        << "line-height-bits " << BitsOf(lineHeight) << '\n'
        << "masks " << masks.size() << '\n';
    for (const auto& [text, mask] : masks) {
        out << "text " << text << '\n'
            << "size " << mask.Width << ' ' << mask.Height << ' ' << mask.MarginLeft << ' '
            << mask.MarginTop << '\n';
        for (int y = 0; y < mask.Height; ++y) {
            for (int x = 0; x < mask.Width; ++x) {
                const std::uint8_t c = mask.Coverage[static_cast<std::size_t>(y * mask.Width + x)];
                out << HexDigits[c >> 4] << HexDigits[c & 15];
            }
            out << '\n';
        }
    }
    return out.str();
}

FileGlyphSource::FileGlyphSource(const std::string& text) {
    // Read in place, line by line: the file holds every label at every size the page may
    // need, over a megabyte of hexadecimal, and is read at each start of the page.
    Lines lines(text);
    if (lines.Next() != GlyphFileHeader) Damaged();
    std::uint32_t bits[1] = {};
    std::size_t count[1] = {};
    ReadNumbers(lines.Next(), "line-height-bits", bits);
    ReadNumbers(lines.Next(), "masks", count);
    TextLineHeight = FloatOf(bits[0]);
    for (std::size_t i = 0; i < count[0]; ++i) {
        const std::string_view title = lines.Next();
        if (title.substr(0, 5) != "text ") Damaged();
        int size[4] = {};
        ReadNumbers(lines.Next(), "size", size);
        GlyphMask mask;
        mask.Width = size[0];
        mask.Height = size[1];
        mask.MarginLeft = size[2];
        mask.MarginTop = size[3];
        if (mask.Width < 0 || mask.Height < 0 || mask.Width > 4096 || mask.Height > 4096) Damaged();
        mask.Coverage.resize(static_cast<std::size_t>(mask.Width) *
                             static_cast<std::size_t>(mask.Height));
        std::uint8_t* out = mask.Coverage.data();
        for (int y = 0; y < mask.Height; ++y) {
            const std::string_view row = lines.Next(2 * static_cast<std::size_t>(mask.Width));
            for (std::size_t x = 0; x < row.size(); x += 2) {
                const int high = Hex.Value[static_cast<unsigned char>(row[x])];
                const int low = Hex.Value[static_cast<unsigned char>(row[x + 1])];
                if ((high | low) < 0) Damaged();
                *out++ = static_cast<std::uint8_t>(high * 16 + low);
            }
        }
        Masks.emplace(std::string(title.substr(5)), std::move(mask));
    }
}

GlyphMask FileGlyphSource::MaskFor(const std::string& text) const {
    const auto found = Masks.find(text);
    if (found == Masks.end()) {
        throw RunTimeError(ErrorKind::SurfaceFailure, "「" + text + "」の文字の形がありません。");
    }
    return found->second;
}
