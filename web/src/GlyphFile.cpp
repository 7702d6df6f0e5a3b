#include "GlyphFile.h"

#include <cstdint>
#include <cstring>
#include <sstream>

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

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    Damaged();
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
    std::istringstream in(text);
    std::string line, word;
    if (!std::getline(in, line) || line != GlyphFileHeader) Damaged();
    std::uint32_t bits = 0;
    std::size_t count = 0;
    if (!(in >> word >> bits) || word != "line-height-bits") Damaged();
    if (!(in >> word >> count) || word != "masks") Damaged();
    TextLineHeight = FloatOf(bits);
    std::getline(in, line);
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::getline(in, line) || line.rfind("text ", 0) != 0) Damaged();
        const std::string key = line.substr(5);
        GlyphMask mask;
        if (!(in >> word >> mask.Width >> mask.Height >> mask.MarginLeft >> mask.MarginTop) ||
            word != "size" || mask.Width < 0 || mask.Height < 0 || mask.Width > 4096 ||
            mask.Height > 4096) {
            Damaged();
        }
        std::getline(in, line);
        mask.Coverage.reserve(static_cast<std::size_t>(mask.Width * mask.Height));
        for (int y = 0; y < mask.Height; ++y) {
            if (!std::getline(in, line) ||
                line.size() != static_cast<std::size_t>(2 * mask.Width)) {
                Damaged();
            }
            for (std::size_t x = 0; x < line.size(); x += 2) {
                mask.Coverage.push_back(
                    static_cast<std::uint8_t>(HexValue(line[x]) * 16 + HexValue(line[x + 1])));
            }
        }
        Masks.emplace(key, std::move(mask));
    }
}

GlyphMask FileGlyphSource::MaskFor(const std::string& text) const {
    const auto found = Masks.find(text);
    if (found == Masks.end()) {
        throw RunTimeError(ErrorKind::SurfaceFailure, "「" + text + "」の文字の形がありません。");
    }
    return found->second;
}
