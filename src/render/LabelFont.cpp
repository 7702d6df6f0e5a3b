#include "render/LabelFont.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/RunTimeError.h"

// stb_truetype, from Debian's libstb-dev, compiled here and nowhere else: the same
// rasteriser on every platform, so the same pixels.
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

struct LabelFont::Face {
    std::string Bytes;
    stbtt_fontinfo Info{};
    int Ascent = 0, Descent = 0, LineGap = 0;  // Font units.
};

LabelFont::LabelFont(std::function<std::string()> read, std::string name)
    : Read(std::move(read)), FileName(std::move(name)) {}

LabelFont::~LabelFont() = default;

const LabelFont::Face& LabelFont::Loaded() const {
    if (TheFace) return *TheFace;
    auto face = std::make_unique<Face>();
    face->Bytes = Read();
    if (face->Bytes.empty())
        throw RunTimeError(ErrorKind::FileNotFound, "ラベルの書体 " + FileName + " を読めません。");
    const auto* data = reinterpret_cast<const unsigned char*>(face->Bytes.data());
    // A TrueType file starts with its version and holds at least its table directory.
    const bool trueType =
        face->Bytes.size() >= 12 &&
        (face->Bytes.compare(0, 4, "\0\1\0\0", 4) == 0 || face->Bytes.compare(0, 4, "true") == 0);
    // Every table within the file: the rasteriser trusts the table directory, and a file
    // cut short in its download would send it past the end.
    const auto number = [&](std::size_t at, int bytes) {
        std::uint32_t value = 0;
        for (int k = 0; k < bytes; ++k)
            value = value << 8 |
                    static_cast<unsigned char>(face->Bytes[at + static_cast<std::size_t>(k)]);
        return static_cast<std::size_t>(value);
    };
    bool whole = trueType;
    const std::size_t tables = whole ? number(4, 2) : 0;
    whole = whole && 12 + 16 * tables <= face->Bytes.size();
    for (std::size_t k = 0; whole && k < tables; ++k) {
        const std::size_t offset = number(12 + 16 * k + 8, 4), length = number(12 + 16 * k + 12, 4);
        whole = offset <= face->Bytes.size() && length <= face->Bytes.size() - offset;
    }
    if (!whole || stbtt_InitFont(&face->Info, data, 0) == 0)
        throw RunTimeError(ErrorKind::SurfaceFailure,
                           "ラベルの書体 " + FileName + " は TrueType の書体ではありません。");
    stbtt_GetFontVMetrics(&face->Info, &face->Ascent, &face->Descent, &face->LineGap);
    if (face->Ascent - face->Descent <= 0)
        throw RunTimeError(ErrorKind::SurfaceFailure,
                           "ラベルの書体 " + FileName + " の行の高さが不正です。");
    TheFace = std::move(face);
    return *TheFace;
}

LabelGlyphs::LabelGlyphs(const LabelFont& font, float pixels) : Font(font), Size(pixels) {
    if (!(pixels > 0.0f) || pixels > 1000.0f)
        throw RunTimeError(ErrorKind::SurfaceFailure, "ラベルの文字の大きさが不正です。");
}

namespace {
float ScaleOf(const LabelFont::Face& face, float pixels) {
    return stbtt_ScaleForMappingEmToPixels(&face.Info, pixels);
}

// The code points of a UTF-8 string; a malformed one is an error naming the string.
std::vector<int> CodePoints(const std::string& text) {
    std::vector<int> points;
    const auto bad = [&] {
        return RunTimeError(ErrorKind::SurfaceFailure, "ラベルの文字列が UTF-8 ではありません。");
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80    ? 1
                           : lead >= 0xF0 ? 4
                           : lead >= 0xE0 ? 3
                           : lead >= 0xC0 ? 2
                                          : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) throw bad();
        int point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) throw bad();
            point = point << 6 | (next & 0x3F);
        }
        points.push_back(point);
        i += static_cast<std::size_t>(length);
    }
    return points;
}
}  // namespace

float LabelGlyphs::LineHeight() const {
    const LabelFont::Face& face = Font.Loaded();
    return static_cast<float>(face.Ascent - face.Descent + face.LineGap) * ScaleOf(face, Size);
}

GlyphMask LabelGlyphs::MaskFor(const std::string& text) const {
    const LabelFont::Face& face = Font.Loaded();
    const float scale = ScaleOf(face, Size);
    struct Placed {
        int Glyph;
        float X;
    };
    std::vector<Placed> glyphs;
    float pen = 0.0f;
    for (const int point : CodePoints(text)) {
        const int glyph = stbtt_FindGlyphIndex(&face.Info, point);
        if (glyph == 0) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
            throw RunTimeError(ErrorKind::SurfaceFailure, "ラベルの書体 " + Font.Name() + " に「" +
                                                              text + "」の文字 " + code +
                                                              " がありません。");
        }
        int advance = 0, bearing = 0;
        stbtt_GetGlyphHMetrics(&face.Info, glyph, &advance, &bearing);
        glyphs.push_back({glyph, pen});
        pen += static_cast<float>(advance) * scale;
    }
    // Room on every side for glyphs that reach past their advance or the line.
    const int margin = static_cast<int>(std::ceil(LineHeight() / 2));
    GlyphMask mask;
    mask.Width = static_cast<int>(std::ceil(pen)) + 2 * margin;
    mask.Height = static_cast<int>(std::ceil(LineHeight())) + 2 * margin;
    mask.MarginLeft = margin;
    mask.MarginTop = margin;
    mask.Coverage.assign(
        static_cast<std::size_t>(mask.Width) * static_cast<std::size_t>(mask.Height), 0);
    const int baseline =
        margin + static_cast<int>(std::lround(static_cast<float>(face.Ascent) * scale));
    std::vector<unsigned char> bitmap;
    for (const Placed& g : glyphs) {
        const float whole = std::floor(g.X), shift = g.X - whole;
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetGlyphBitmapBoxSubpixel(&face.Info, g.Glyph, scale, scale, shift, 0.0f, &x0, &y0,
                                        &x1, &y1);
        const int w = x1 - x0, h = y1 - y0;
        if (w <= 0 || h <= 0) continue;  // A space.
        bitmap.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
        stbtt_MakeGlyphBitmapSubpixel(&face.Info, bitmap.data(), w, h, w, scale, scale, shift, 0.0f,
                                      g.Glyph);
        const int left = margin + static_cast<int>(whole) + x0, top = baseline + y0;
        for (int row = 0; row < h; ++row) {
            const int y = top + row;
            if (y < 0 || y >= mask.Height) continue;
            for (int column = 0; column < w; ++column) {
                const int x = left + column;
                if (x < 0 || x >= mask.Width) continue;
                std::uint8_t& cell = mask.Coverage[static_cast<std::size_t>(y * mask.Width + x)];
                cell = static_cast<std::uint8_t>(
                    std::min(255, cell + bitmap[static_cast<std::size_t>(row * w + column)]));
            }
        }
    }
    return mask;
}

double SideGrowth(double side) {
    return std::max(1.0, std::round(side / LabelBaseSide * 8.0) / 8.0);
}

float LabelTextPixels(int side, float drawScale) {
    const double scale = static_cast<double>(drawScale);
    return static_cast<float>(LabelBasePixels * scale * SideGrowth(side / scale));
}

int LabelRingReach(float pixels) {
    return std::max(
        1, static_cast<int>(std::floor(static_cast<double>(pixels / LabelBasePixels) + 0.5)));
}

double LargeFiguresScale(double ratio, int side) { return ratio * SideGrowth(side); }
