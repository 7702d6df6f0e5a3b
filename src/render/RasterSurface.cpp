#include "render/RasterSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/Convert.h"
#include "core/RunTimeError.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// Fills n pixels with one value. The frame covers most of the chart with a few
// long spans every redraw, so this runs sixteen bytes a store.
inline void FillPixels(Pixel* p, std::ptrdiff_t n, Pixel value) {
#if defined(__SSE2__)
    for (; n > 0 && (reinterpret_cast<std::uintptr_t>(p) & 15) != 0; --n) *p++ = value;
    const __m128i quad = _mm_set1_epi32(static_cast<int>(value));
    for (; n >= 8; n -= 8, p += 8) {
        _mm_store_si128(reinterpret_cast<__m128i*>(p), quad);
        _mm_store_si128(reinterpret_cast<__m128i*>(p + 4), quad);
    }
#endif
    for (; n > 0; --n) *p++ = value;
}

// A glyph's coverage a (1..255) of ink blended over a pixel.
inline Pixel BlendPixel(Pixel under, Pixel ink, int a) {
    auto mix = [a](Pixel from, Pixel to, int shift) {
        const int f = static_cast<int>((from >> shift) & 0xFF);
        const int t = static_cast<int>((to >> shift) & 0xFF);
        return f + ((t - f) * a + 127) / 255;
    };
    return PixelRGB(mix(under, ink, 16), mix(under, ink, 8), mix(under, ink, 0));
}

// Blends ink over a row of n pixels by their coverages, as BlendPixel does pixel by pixel;
// a coverage of 0 leaves its pixel as it is. Labels are printed at every animation step,
// each over its halo, so this runs four pixels a step where it can.
#if defined(__SSE2__)
// BlendPixel on eight 16-bit channels (two pixels) at once. Its f + ((t - f) a + 127) / 255,
// the quotient rounded toward zero, is floor((f (255 - a) + t a + 127 + c) / 255) with c = 254
// where the sum without c lies below 255 f (the quotient was negative, so rounded up) and
// c = 0 elsewhere; the sums stay below 65536, and n / 255 is (n * 0x8081) >> 23 for every
// 16-bit n. Checked against BlendPixel for every channel value, ink and coverage.
inline __m128i BlendChannels(__m128i f, __m128i t, __m128i a) {
    const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), a);
    __m128i n = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(f, inverse), _mm_mullo_epi16(t, a)),
                              _mm_set1_epi16(127));
    const __m128i f255 = _mm_sub_epi16(_mm_slli_epi16(f, 8), f);
    const __m128i notBelow = _mm_cmpeq_epi16(_mm_subs_epu16(f255, n), _mm_setzero_si128());
    n = _mm_add_epi16(n, _mm_andnot_si128(notBelow, _mm_set1_epi16(254)));
    return _mm_srli_epi16(_mm_mulhi_epu16(n, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

// Four pixels by four coverages (one byte each, the first pixel's lowest); inks is the ink's
// channels widened to 16 bits, twice.
inline __m128i BlendFour(__m128i under, __m128i inks, std::uint32_t covers) {
    const __m128i zero = _mm_setzero_si128();
    __m128i a = _mm_cvtsi32_si128(static_cast<int>(covers));
    a = _mm_unpacklo_epi8(a, a);
    a = _mm_unpacklo_epi16(a, a);  // Each coverage four times, once per channel.
    const __m128i low =
        BlendChannels(_mm_unpacklo_epi8(under, zero), inks, _mm_unpacklo_epi8(a, zero));
    const __m128i high =
        BlendChannels(_mm_unpackhi_epi8(under, zero), inks, _mm_unpackhi_epi8(a, zero));
    return _mm_or_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}
#endif

// The halo's coverage (none when null) in halo, then the glyphs' in ink, pixel by pixel.
inline void BlendRow(Pixel* row, const std::uint8_t* halo, Pixel haloInk,
                     const std::uint8_t* coverage, Pixel ink, int n) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i haloInks = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(haloInk)), zero);
    const __m128i inks = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(ink)), zero);
    for (; x + 4 <= n; x += 4) {
        std::uint32_t around = 0, glyphs = 0;
        if (halo != nullptr) std::memcpy(&around, halo + x, sizeof around);
        std::memcpy(&glyphs, coverage + x, sizeof glyphs);
        if ((around | glyphs) == 0) continue;
        __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        if (around != 0) p = BlendFour(p, haloInks, around);
        if (glyphs != 0) p = BlendFour(p, inks, glyphs);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), p);
    }
#endif
    for (; x < n; ++x) {
        if (halo != nullptr && halo[x] != 0) row[x] = BlendPixel(row[x], haloInk, halo[x]);
        if (coverage[x] != 0) row[x] = BlendPixel(row[x], ink, coverage[x]);
    }
}

// A coordinate as the pixel that holds it: the nearest whole pixel.
inline int PixelOf(double v) {
    const double p = Floor(v + 0.5);
    if (!(p > -1e9)) return -1000000000;  // NaN too: off the image.
    if (p > 1e9) return 1000000000;
    return static_cast<int>(p);
}

// Cuts the segment (ax, ay)-(bx, by) to the box [left, right] x [top, bottom] (Liang and
// Barsky's parametric clip); false when no part of it lies inside.
bool ClipToBox(double& ax, double& ay, double& bx, double& by, double left, double top,
               double right, double bottom) {
    const double dx = bx - ax, dy = by - ay;
    double enter = 0.0, leave = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - left, right - ax, ay - top, bottom - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > leave) return false;
            if (t > enter) enter = t;
        } else {
            if (t < enter) return false;
            if (t < leave) leave = t;
        }
    }
    const double sx = ax, sy = ay;
    bx = sx + leave * dx;
    by = sy + leave * dy;
    ax = sx + enter * dx;
    ay = sy + enter * dy;
    return true;
}

// The span of pixels (x - cx)^2 / a^2 + (y - cy)^2 / b^2 <= 1 in row y of the ellipse
// centred on the pixel (cx, cy); empty when left > right.
inline void EllipseRow(int row, int cx, int cy, double a, double b, int& left, int& right) {
    const double dy = row - cy;
    if (std::fabs(dy) > b) {
        left = 1;
        right = 0;
        return;
    }
    const double t = b > 0 ? 1.0 - (dy / b) * (dy / b) : 1.0;
    const double half = a * std::sqrt(std::max(t, 0.0));
    const int reachX = static_cast<int>(std::floor(half + 1e-9));
    left = cx - reachX;
    right = cx + reachX;
}
}  // namespace

Pixel ToPixel(Colour c) {
    if (c < 0 || c > 0xFFFFFF) throw RunTimeError(ErrorKind::SurfaceFailure, "色の値が不正です。");
    return PixelRGB(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// The print palette turns each colour's lightness over and keeps its hue and chroma:
// adding 255 - max - min to every component maps max + min to 510 - (max + min) and
// leaves the differences between components as they were. A grey (the sphere, the
// horizon, the stars) goes to 255 - level^2 / 255 instead: white stars black, and the
// sphere and the horizon light enough to write on.
Pixel RasterSurface::Ink(Colour c) const {
    const Pixel p = ToPixel(c);
    if (Inks == Palette::Screen) return p;
    const int r = static_cast<int>((p >> 16) & 0xFF), g = static_cast<int>((p >> 8) & 0xFF),
              b = static_cast<int>(p & 0xFF);
    if (r == g && g == b) {
        const int level = 255 - (r * r + 127) / 255;
        return PixelRGB(level, level, level);
    }
    const int shift = 255 - std::max({r, g, b}) - std::min({r, g, b});
    return PixelRGB(r + shift, g + shift, b + shift);
}

RasterSurface::RasterSurface(int width, int height, Colour backColor, const GlyphSource& glyphs)
    : Glyphs(&glyphs), TextLineHeight(glyphs.LineHeight()) {
    BackColor = backColor;
    Resize(width, height);
}

void RasterSurface::Resize(int width, int height) {
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) {
        throw RunTimeError(ErrorKind::SurfaceFailure, "描画面の大きさが不正です。");
    }
    const Pixel back = Ink(BackColor);
    try {
        Buffer.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), back);
    } catch (const std::bad_alloc&) {
        throw RunTimeError(ErrorKind::SurfaceFailure, "描画面を確保できません。");
    }
    Kept.clear();
    KeptBase.clear();
    KeptTrailsToken = 0;
    LayerPending = LayerReady = LayerRestored = Capturing = false;
    MarkAllDirty();
    ImageWidth = width;
    ImageHeight = height;
}

void RasterSurface::SetGlyphs(const GlyphSource& glyphs) {
    if (&glyphs == Glyphs) return;
    Glyphs = &glyphs;
    TextLineHeight = glyphs.LineHeight();
    TextMasks.clear();
}

void RasterSurface::SetLabelFont(const LabelFont* font) {
    if (font == Labels) return;
    UseLabelText(0.0f);
    Labels = font;
    LabelSource.reset();
    LabelMasks.clear();
}

void RasterSurface::UseLabelText(float pixels) {
    if (pixels > 0.0f && Labels != nullptr) {
        if (!LabelSource || LabelSource->Pixels() != pixels) {
            LabelSource = std::make_unique<LabelGlyphs>(*Labels, pixels);
            LabelMasks.clear();
        }
        LabelFace = true;  // The font is read at the first label measured or printed.
    } else {
        LabelFace = false;
    }
}

int RasterSurface::PenWidth() const {
    const double w = Floor(static_cast<double>(DrawScale) + 0.5);
    return w > 1.0 ? (w < 64.0 ? static_cast<int>(w) : 64) : 1;
}

void RasterSurface::PutPen(int x, int y, Pixel colour, int width) {
    if (width == 1) {
        PutPixel(x, y, colour);
        return;
    }
    const int first = (width - 1) / 2;
    for (int row = y - first; row < y - first + width; ++row)
        FillSpan(row, x - first, x - first + width - 1, colour);
}

void RasterSurface::SetWidth(int width) {
    if (width != Width()) Resize(width, Height());
}

void RasterSurface::SetHeight(int height) {
    if (height != Height()) Resize(Width(), height);
}

Pixel RasterSurface::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return PixelRGB(0, 0, 0);
    return Buffer[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width()) +
                  static_cast<std::size_t>(x)];
}

void RasterSurface::Clear() {
    FillPixels(Buffer.data(), static_cast<std::ptrdiff_t>(Buffer.size()), Ink(BackColor));
    LayerRestored = false;
    MarkAllDirty();
    CurrentX = 0.0f;
    CurrentY = 0.0f;
}

inline void RasterSurface::PutPixel(int x, int y, Pixel colour) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    const std::size_t index = static_cast<std::size_t>(Width()) * static_cast<std::size_t>(y) +
                              static_cast<std::size_t>(x);
    Buffer[index] = colour;
    if (Capturing) Capture(index, colour, 0);
    MarkDirty(y, x, x);
}

void RasterSurface::FillSpan(int y, int x1, int x2, Pixel colour) {
    if (y < 0 || y >= Height()) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, Width() - 1);
    if (x1 > x2) return;
    FillPixels(Buffer.data() + static_cast<std::ptrdiff_t>(Width()) * y + x1, x2 - x1 + 1, colour);
    if (Capturing) {
        const std::size_t row = static_cast<std::size_t>(Width()) * static_cast<std::size_t>(y);
        for (int x = x1; x <= x2; ++x) Capture(row + static_cast<std::size_t>(x), colour, 0);
    }
    MarkDirty(y, x1, x2);
}

void RasterSurface::SetPixel(float x, float y, Colour c) {
    if (OnPlot) OnPlot({false, x, y, 0.0f, c});
    PutPen(PixelOf(x), PixelOf(y), Ink(c), PenWidth());
}

// Row by row in place: the star trails' hundred thousand pixels went through a sort by
// colour and a list of points per colour before.
bool RasterSurface::SetNumberedPixels(std::uint16_t* numbers, int width, int height, int top,
                                      int bottom, const Colour* palette, std::size_t colours) {
    if (OnPlot || Capturing || PenWidth() != 1 || width != Width() || height != Height())
        return false;
    std::vector<Pixel>& inks = NumberedInks;
    inks.resize(colours);
    for (std::size_t k = 0; k < colours; ++k) inks[k] = Ink(palette[k]);
    const auto w = static_cast<std::size_t>(width);
    for (int y = std::max(top, 0); y <= std::min(bottom, height - 1); ++y) {
        std::uint16_t* const row = numbers + static_cast<std::size_t>(y) * w;
        Pixel* const out = Buffer.data() + static_cast<std::size_t>(y) * w;
        std::size_t x = 0;
        while (x < w) {
            // Four pixels at a time over the empty stretches.
            std::uint64_t four = 0;
            if (x + 4 <= w && (std::memcpy(&four, row + x, sizeof four), four == 0)) {
                x += 4;
                continue;
            }
            if (row[x] == 0) {
                ++x;
                continue;
            }
            const std::size_t start = x;
            for (; x < w && row[x] != 0; ++x) {
                out[x] = inks[row[x]];
                row[x] = 0;
            }
            MarkDirty(y, static_cast<int>(start), static_cast<int>(x - 1));
        }
    }
    return true;
}

void RasterSurface::SetPixels(const float* xy, int count, Colour c) {
    if (count <= 0) return;
    if (OnPlot) {
        for (int k = 0; k < count; ++k) SetPixel(xy[2 * k], xy[2 * k + 1], c);
        return;
    }
    const Pixel colour = Ink(c);
    const int pen = PenWidth();
    if (pen != 1 || Capturing) {
        for (int k = 0; k < count; ++k)
            PutPen(PixelOf(xy[2 * k]), PixelOf(xy[2 * k + 1]), colour, pen);
        return;
    }
    // Scattered single pixels of an image larger than the processor's nearer caches: each
    // write would wait for its line on its own, so the lines are asked for a few points
    // ahead of the writes.
    constexpr int Ahead = 8;
    constexpr int Chunk = 256;
    std::ptrdiff_t at[Chunk];
    int px[Chunk], py[Chunk];
    const int width = Width(), height = Height();
    Pixel* const pixels = Buffer.data();
    for (int first = 0; first < count; first += Chunk) {
        const int n = std::min(count - first, Chunk);
        for (int k = 0; k < n; ++k) {
            const int x = PixelOf(xy[2 * (first + k)]), y = PixelOf(xy[2 * (first + k) + 1]);
            px[k] = x;
            py[k] = y;
            at[k] = x < 0 || y < 0 || x >= width || y >= height
                        ? -1
                        : static_cast<std::ptrdiff_t>(width) * y + x;
        }
        for (int k = 0; k < n; ++k) {
            if (k + Ahead < n && at[k + Ahead] >= 0) __builtin_prefetch(pixels + at[k + Ahead], 1);
            if (at[k] < 0) continue;
            pixels[at[k]] = colour;
            MarkDirty(py[k], px[k], px[k]);
        }
    }
}

// The rows of a disc of radius r (half-widths from the centre row out) and its
// outline (the pixels inside with a 4-neighbour outside): the same pixels as the
// general ellipse below gives for aspect 1.
const RasterSurface::DiscShape& RasterSurface::DiscShapeOf(float r) {
    for (const DiscShape& shape : DiscShapes) {
        if (shape.Radius == r) return shape;
    }
    const double a = static_cast<double>(r);
    DiscShape shape{r, {}, {}};
    for (int dy = 0; dy <= PixelOf(a); ++dy) {
        if (static_cast<double>(dy) > a) break;
        const double t = a > 0 ? 1.0 - (dy / a) * (dy / a) : 1.0;
        shape.HalfWidths.push_back(
            static_cast<int>(std::floor(a * std::sqrt(std::max(t, 0.0)) + 1e-9)));
    }
    const int reach = static_cast<int>(shape.HalfWidths.size()) - 1;
    auto inside = [&](int dx, int dy) {
        return std::abs(dy) <= reach &&
               std::abs(dx) <= shape.HalfWidths[static_cast<std::size_t>(std::abs(dy))];
    };
    for (int dy = -reach; dy <= reach; ++dy) {
        const int half = shape.HalfWidths[static_cast<std::size_t>(std::abs(dy))];
        for (int dx = -half; dx <= half; ++dx) {
            if (!inside(dx - 1, dy) || !inside(dx + 1, dy) || !inside(dx, dy - 1) ||
                !inside(dx, dy + 1)) {
                shape.Outline.emplace_back(dx, dy);
            }
        }
    }
    if (DiscShapes.size() > 64) DiscShapes.clear();
    DiscShapes.push_back(std::move(shape));
    return DiscShapes.back();
}

void RasterSurface::Circle(float x, float y, float r, Colour c, float aspect) {
    if (OnPlot) OnPlot({true, x, y, r, c});
    const int pen = PenWidth();
    if (pen > 1 && std::isfinite(r) && std::isfinite(aspect) &&
        !(FillStyle == FillStyleKind::Solid && FillColor == c)) {
        // A wider outline: the outlines of the ellipses 1 .. pen - 1 pixels inside this one.
        const auto plot = std::move(OnPlot);
        const FillStyleKind style = FillStyle;
        const float scale = DrawScale;
        OnPlot = nullptr;
        FillStyle = FillStyleKind::Transparent;
        DrawScale = 1.0f;
        const double a = std::fabs(static_cast<double>(r));
        const double b = a * std::fabs(static_cast<double>(aspect));
        for (int k = 1; k < pen && a - k > 0 && b - k > 0; ++k)
            Circle(x, y, static_cast<float>(a - k), c, static_cast<float>((b - k) / (a - k)));
        DrawScale = scale;
        FillStyle = style;
        OnPlot = plot;
    }
    const Pixel outline = Ink(c);
    const Pixel fill = Ink(FillColor);
    const bool solid = FillStyle == FillStyleKind::Solid;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(r) || !std::isfinite(aspect))
        return;
    // The centre sits on a whole pixel, so small discs come out symmetric.
    const int cx = PixelOf(x), cy = PixelOf(y);
    if (aspect == 1.0f && std::fabs(r) < SmallDiscLimit) {
        // A star or another small circle: from the shape kept for its radius.
        const DiscShape& shape = DiscShapeOf(std::fabs(r));
        if (solid) {
            const int reachY = static_cast<int>(shape.HalfWidths.size()) - 1;
            for (int dy = -reachY; dy <= reachY; ++dy) {
                const int half = shape.HalfWidths[static_cast<std::size_t>(std::abs(dy))];
                FillSpan(cy + dy, cx - half, cx + half, fill);
            }
            if (fill == outline) return;
        }
        for (const auto& [dx, dy] : shape.Outline) PutPixel(cx + dx, cy + dy, outline);
        return;
    }
    const double a = std::fabs(static_cast<double>(r));
    const double b = a * std::fabs(static_cast<double>(aspect));
    const int reach = PixelOf(b);
    // Rows of the ellipse that can touch the image, with one row of margin for
    // the outline test against the neighbouring rows.
    const int first = std::max(cy - reach - 1, -1);
    const int last = std::min(cy + reach + 1, Height());
    if (first > last) return;
    // The span of pixels (x - cx)^2 / a^2 + (y - cy)^2 / b^2 <= 1 in row y; empty when left >
    // right.
    auto span = [&](int row, int& left, int& right) { EllipseRow(row, cx, cy, a, b, left, right); };
    int aboveL, aboveR, hereL, hereR, belowL, belowR;
    span(first, aboveL, aboveR);
    span(first + 1, hereL, hereR);
    for (int row = first + 1; row < last; ++row) {
        span(row + 1, belowL, belowR);
        if (hereL <= hereR && row >= 0 && row < Height()) {
            if (solid) FillSpan(row, hereL, hereR, fill);
            // Outline: the pixels of the span that have a 4-neighbour outside the ellipse.
            PutPixel(hereL, row, outline);
            PutPixel(hereR, row, outline);
            for (const auto& [nl, nr] : {std::pair{aboveL, aboveR}, std::pair{belowL, belowR}}) {
                if (nl > nr) {
                    FillSpan(row, hereL, hereR, outline);
                } else {
                    if (nl > hereL) FillSpan(row, hereL, std::min(hereR, nl - 1), outline);
                    if (nr < hereR) FillSpan(row, std::max(hereL, nr + 1), hereR, outline);
                }
            }
        }
        aboveL = hereL;
        aboveR = hereR;
        hereL = belowL;
        hereR = belowR;
    }
}

void RasterSurface::Line(float x1, float y1, float x2, float y2, Colour c) {
    const Pixel colour = Ink(c);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    double ax = x1, ay = y1, bx = x2, by = y2;
    // A line reaching far outside the image is cut to the image (with a pixel of margin)
    // before it is stepped, so that its visible part is drawn however far its ends lie.
    // Lines near the image are stepped from their own ends, pixel for pixel as before.
    const double reach = static_cast<double>(Width()) + static_cast<double>(Height());
    auto far = [reach, this](double px, double py) {
        return px < -reach || py < -reach || px > Width() + reach || py > Height() + reach;
    };
    if (far(ax, ay) || far(bx, by)) {
        if (!ClipToBox(ax, ay, bx, by, -1.0, -1.0, Width(), Height())) return;
    }
    int x = PixelOf(ax), y = PixelOf(ay);
    const int xEnd = PixelOf(bx), yEnd = PixelOf(by);
    // Bresenham; both end points are set. Lines on the chart are a few hundred
    // pixels long, so clipping pixel by pixel is cheap enough.
    const long long dx = std::llabs(static_cast<long long>(xEnd) - x);
    const long long dy = -std::llabs(static_cast<long long>(yEnd) - y);
    const int sx = x < xEnd ? 1 : -1, sy = y < yEnd ? 1 : -1;
    long long error = dx + dy;
    const long long limit = 4LL * (Width() + Height()) + 8;
    const int pen = PenWidth();
    for (long long steps = 0;; ++steps) {
        PutPen(x, y, colour, pen);
        if ((x == xEnd && y == yEnd) || steps > dx - dy) break;
        // Once the line has left the image for good, nothing more can be drawn.
        if (steps > limit && (x < 0 || y < 0 || x >= Width() || y >= Height())) break;
        const long long twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void RasterSurface::Box(float x1, float y1, float x2, float y2, Colour c) {
    const Pixel outline = Ink(c);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    const int left = std::min(PixelOf(x1), PixelOf(x2)), right = std::max(PixelOf(x1), PixelOf(x2));
    const int top = std::min(PixelOf(y1), PixelOf(y2)), bottom = std::max(PixelOf(y1), PixelOf(y2));
    const int rowFirst = std::max(top, 0), rowLast = std::min(bottom, Height() - 1);
    if (FillStyle == FillStyleKind::Solid) {
        const Pixel fill = Ink(FillColor);
        for (int row = rowFirst; row <= rowLast; ++row) FillSpan(row, left, right, fill);
    }
    FillSpan(top, left, right, outline);
    FillSpan(bottom, left, right, outline);
    for (int row = rowFirst; row <= rowLast; ++row) {
        PutPixel(left, row, outline);
        PutPixel(right, row, outline);
    }
}

namespace {
// Each row's first and last covered column of a coverage of the mask's size (first > last
// for an empty row).
std::vector<std::pair<int, int>> CoveredSpans(const GlyphMask& m,
                                              const std::vector<std::uint8_t>& cover) {
    std::vector<std::pair<int, int>> spans(static_cast<std::size_t>(m.Height), {0, -1});
    for (int my = 0; my < m.Height; ++my) {
        const std::uint8_t* coverage = cover.data() + static_cast<std::ptrdiff_t>(m.Width) * my;
        int first = 0, last = m.Width - 1;
        while (first <= last && coverage[first] == 0) ++first;
        while (last >= first && coverage[last] == 0) --last;
        spans[static_cast<std::size_t>(my)] = {first, last};
    }
    return spans;
}
}  // namespace

RasterSurface::KeptMask& RasterSurface::MaskFor(const std::string& text) {
    std::map<std::string, KeptMask>& masks = LabelFace ? LabelMasks : TextMasks;
    auto found = masks.find(text);
    if (found != masks.end()) return found->second;
    // Read-outs print at most a few hundred texts, a chart's labels a few hundred more.
    if (masks.size() > 1024) masks.clear();
    GlyphMask mask = LabelFace ? LabelSource->MaskFor(text) : Glyphs->MaskFor(text);
    if (mask.Width < 0 || mask.Height < 0 ||
        mask.Coverage.size() !=
            static_cast<std::size_t>(mask.Width) * static_cast<std::size_t>(mask.Height)) {
        throw RunTimeError(ErrorKind::SurfaceFailure, "文字を描けません。");
    }
    KeptMask kept{std::move(mask), {}, -1, {}, {}};
    const GlyphMask& m = kept.Mask;
    kept.Covered = CoveredSpans(m, m.Coverage);
    return masks.emplace(text, std::move(kept)).first->second;
}

float RasterSurface::TextAdvance(const std::string& text) {
    if (text.empty()) return 0.0f;
    const GlyphMask& mask = MaskFor(text).Mask;
    return static_cast<float>(mask.Width - 2 * mask.MarginLeft);
}

void RasterSurface::PrintText(const std::string& text) {
    if (!text.empty() && std::isfinite(CurrentX) && std::isfinite(CurrentY)) {
        const Pixel ink = Ink(ForeColor);
        KeptMask& kept = MaskFor(text);
        const GlyphMask& mask = kept.Mask;
        const int left = PixelOf(CurrentX) - mask.MarginLeft;
        const int top = PixelOf(CurrentY) - mask.MarginTop;
        if (TextOutline >= 0) {
            // The outline: the glyphs' coverage spread by the pen width in every direction.
            // The labels' ring grows with their size; the compass letters' with the pen.
            const int reach = LabelFace ? LabelRingReach(LabelSource->Pixels()) : PenWidth();
            if (kept.OutlineReach != reach) {
                kept.OutlineReach = reach;
                kept.Outline.assign(mask.Coverage.size(), 0);
                for (int my = 0; my < mask.Height; ++my) {
                    for (int mx = 0; mx < mask.Width; ++mx) {
                        std::uint8_t most = 0;
                        for (int sy = std::max(my - reach, 0);
                             sy <= std::min(my + reach, mask.Height - 1); ++sy)
                            for (int sx = std::max(mx - reach, 0);
                                 sx <= std::min(mx + reach, mask.Width - 1); ++sx)
                                most = std::max(
                                    most,
                                    mask.Coverage[static_cast<std::size_t>(sy * mask.Width + sx)]);
                        kept.Outline[static_cast<std::size_t>(my * mask.Width + mx)] = most;
                    }
                }
                kept.OutlineCovered = CoveredSpans(mask, kept.Outline);
            }
        }
        BlendMask(kept, TextOutline >= 0, left, top, TextOutline >= 0 ? Ink(TextOutline) : ink,
                  ink);
    }
    CurrentX = 0.0f;
    CurrentY += LineHeight();
}

// Blends the text's mask over the image with its top-left corner at (left, top): where
// outlined, the outline in halo first, then the glyphs in ink, both in one visit of each
// row's covered columns (the outline's, which hold the glyphs'), marked as written once.
void RasterSurface::BlendMask(const KeptMask& kept, bool outlined, int left, int top, Pixel halo,
                              Pixel ink) {
    const GlyphMask& mask = kept.Mask;
    for (int my = 0; my < mask.Height; ++my) {
        const int y = top + my;
        if (y < 0 || y >= Height()) continue;
        const auto [first, last] =
            (outlined ? kept.OutlineCovered : kept.Covered)[static_cast<std::size_t>(my)];
        const int x1 = std::max(left + first, 0), x2 = std::min(left + last, Width() - 1);
        if (x1 > x2) continue;  // Nothing of the glyphs on this row of the image.
        const std::ptrdiff_t from = static_cast<std::ptrdiff_t>(mask.Width) * my + (x1 - left);
        const std::uint8_t* around = outlined ? kept.Outline.data() + from : nullptr;
        const std::uint8_t* coverage = mask.Coverage.data() + from;
        Pixel* row = Buffer.data() + static_cast<std::ptrdiff_t>(Width()) * y + x1;
        MarkDirty(y, x1, x2);
        if (!Capturing) {
            BlendRow(row, around, halo, coverage, ink, x2 - x1 + 1);
            continue;
        }
        const std::size_t index = static_cast<std::size_t>(Width()) * static_cast<std::size_t>(y) +
                                  static_cast<std::size_t>(x1);
        for (int k = 0; k <= x2 - x1; ++k) {
            const auto at = static_cast<std::size_t>(k);
            if (around != nullptr && around[k] != 0) {
                row[k] = BlendPixel(row[k], halo, around[k]);
                Capture(index + at, halo, around[k]);
            }
            if (coverage[k] != 0) {
                row[k] = BlendPixel(row[k], ink, coverage[k]);
                Capture(index + at, ink, coverage[k]);
            }
        }
    }
}

bool RasterSurface::RestoreFrame(const FrameKey& key) {
    // A layer is taken only in the redraw that kept its frame.
    LayerRestored = LayerPending = false;
    const std::vector<Pixel>& kept = Kept;
    if (kept.empty() || !(key == KeptKey) || kept.size() != Buffer.size()) return false;
    if (key.Layer != 0 && !LayerReady) return false;
    const Pixel* source = kept.data();
    if (AllDirty) {
        std::copy(kept.begin(), kept.end(), Buffer.begin());
    } else {
        // Star pixels and the rows of small discs, mostly: a few pixels each, copied in
        // place rather than through a library copy call.
        Pixel* const target = Buffer.data();
        const std::ptrdiff_t width = Width();
        for (const DirtySpan& span : Dirty) {
            const std::ptrdiff_t start = width * span.Y + span.X1;
            const std::ptrdiff_t length = span.X2 - span.X1 + 1;
            if (length <= 8) {
                for (std::ptrdiff_t k = 0; k < length; ++k) target[start + k] = source[start + k];
            } else {
                std::copy(source + start, source + start + length, target + start);
            }
        }
    }
    AllDirty = false;
    Dirty.clear();
    LayerRestored = key.Layer != 0;
    return true;
}

void RasterSurface::KeepFrame(const FrameKey& key) {
    // Keep a frame only when it is drawn a second time: while the view keeps changing
    // (a scroll bar in use) each frame is drawn once, and copying it would be wasted.
    if (!OfferedOnce || !(key == OfferedKey)) {
        OfferedKey = key;
        OfferedOnce = true;
        LayerPending = false;
        return;
    }
    // Into the buffer kept before where it fits (assign reuses its capacity): a new view at
    // every step of a scroll bar should not cost a fresh allocation each time.
    Kept.assign(Buffer.begin(), Buffer.end());
    if (key.Trails)
        KeptBase.assign(Buffer.begin(), Buffer.end());
    else
        KeptBase.clear();
    KeptTrailsToken = 0;
    KeptKey = key;
    AllDirty = false;
    Dirty.clear();
    LayerReady = LayerRestored = false;
    LayerPending = key.Layer != 0;
}

void RasterSurface::BeginLayer() {
    Captured.clear();
    Capturing = LayerPending;
}

void RasterSurface::KeepLayer(std::uint64_t layer) {
    const bool keep = Capturing && LayerPending && KeptKey.Layer == layer;
    Capturing = LayerPending = false;
    if (!keep) {
        Captured.clear();
        return;
    }
    std::stable_sort(Captured.begin(), Captured.end(),
                     [](const LayerWrite& a, const LayerWrite& b) { return a.Index < b.Index; });
    std::vector<Pixel>& kept = Kept;
    LayerCovers.assign(kept.size(), 0);
    for (const LayerWrite& w : Captured) {
        Pixel& p = kept[w.Index];
        p = w.Cover == 0 ? w.Ink : BlendPixel(p, w.Ink, w.Cover);
        LayerCovers[w.Index] = 1;
    }
    LayerWrites.swap(Captured);
    Captured.clear();
    LayerReady = true;
}

bool RasterSurface::RedrawLayer(std::uint64_t layer) {
    const bool restored =
        LayerRestored && !AllDirty && KeptKey.Layer == layer && LayerCovers.size() == Buffer.size();
    LayerRestored = false;
    if (!restored) return false;
    // The layer's pixels written since the frame came back, each once however many
    // spans name it (a blend laid twice would not be the same).
    LayerTouched.clear();
    const std::size_t width = static_cast<std::size_t>(Width());
    for (const DirtySpan& span : Dirty) {
        const std::size_t row = width * static_cast<std::size_t>(span.Y);
        for (int x = span.X1; x <= span.X2; ++x) {
            const std::size_t index = row + static_cast<std::size_t>(x);
            if (LayerCovers[index] != 0) LayerTouched.push_back(static_cast<std::uint32_t>(index));
        }
    }
    std::sort(LayerTouched.begin(), LayerTouched.end());
    LayerTouched.erase(std::unique(LayerTouched.begin(), LayerTouched.end()), LayerTouched.end());
    std::vector<LayerWrite>::const_iterator write = LayerWrites.begin();
    for (const std::uint32_t index : LayerTouched)
        Buffer[index] = LayOver(index, Buffer[index], write);
    return true;
}

Pixel RasterSurface::LayOver(std::uint32_t index, Pixel p,
                             std::vector<LayerWrite>::const_iterator& write) const {
    write = std::lower_bound(write, LayerWrites.cend(), index,
                             [](const LayerWrite& w, std::uint32_t i) { return w.Index < i; });
    for (; write != LayerWrites.cend() && write->Index == index; ++write)
        p = write->Cover == 0 ? write->Ink : BlendPixel(p, write->Ink, write->Cover);
    return p;
}

bool RasterSurface::KeptTrails(std::uint64_t& token) const {
    token = KeptTrailsToken;
    return KeptKey.Trails && !Kept.empty() && Kept.size() == Buffer.size() &&
           KeptBase.size() == Kept.size() && !AllDirty && Dirty.empty() && !OnPlot && !Capturing &&
           PenWidth() == 1;
}

void RasterSurface::ChangeKeptTrails(const std::uint32_t* pixels, const std::uint16_t* inks,
                                     std::size_t count, const Colour* palette, std::size_t colours,
                                     bool anew, std::uint64_t token) {
    // The layer is over the kept frame once kept; before that (the redraw that keeps the
    // frame) it is laid over the trails as it is drawn.
    const bool layer = LayerReady && LayerCovers.size() == Kept.size();
    if (anew) {
        Kept = KeptBase;
        if (layer)
            for (const LayerWrite& w : LayerWrites)
                Kept[w.Index] = w.Cover == 0 ? w.Ink : BlendPixel(Kept[w.Index], w.Ink, w.Cover);
        std::copy(Kept.begin(), Kept.end(), Buffer.begin());
    }
    std::vector<Pixel>& colour = NumberedInks;
    colour.resize(colours);
    for (std::size_t k = 0; k < colours; ++k) colour[k] = Ink(palette[k]);
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint32_t index = pixels[k];
        Pixel p = inks[k] != 0 ? colour[inks[k]] : KeptBase[index];
        if (layer && LayerCovers[index] != 0) {
            std::vector<LayerWrite>::const_iterator write = LayerWrites.begin();
            p = LayOver(index, p, write);
        }
        Kept[index] = p;
        Buffer[index] = p;
    }
    KeptTrailsToken = token;
}

void RasterSurface::BringToFront() {
    if (OnBringToFront) OnBringToFront(*this);
}

void RasterSurface::Refresh() {
    if (OnRefresh) OnRefresh(*this);
}

RasterStack::RasterStack(RasterSurface& first, RasterSurface& second) : Front(&second) {
    // The element created last starts in front, as in a window.
    for (RasterSurface* surface : {&first, &second}) {
        surface->OnBringToFront = [this](RasterSurface& raised) { Front = &raised; };
        surface->OnRefresh = [this](RasterSurface& shown) {
            ++Refreshes;
            if (&shown == Front) OnScreen = &shown;
        };
    }
}
