#pragma once
// Qt's side of the chart's text and pictures, shared by the two Qt front ends
// (the window and the snapshot tool): the two fonts of the program, glyph
// masks drawn with them, and a raster surface seen as a QImage.

#include <QFont>
#include <QImage>

#include "render/GlyphSource.h"
#include "render/RasterSurface.h"

// The font of the chart surfaces: "ＭＳ 明朝", bold, 9.75 points. Where that face
// is missing, the font system substitutes IPAMincho or another Japanese serif.
QFont ChartFont();
// The default user-interface font, used by the read-outs.
QFont ReadoutFont();
// A font that many times larger, for a screen of that density; the same font at 1.
QFont ScaledFont(QFont font, double scale);

// Glyph masks drawn by QPainter in one font at 96 dots per inch, the unit of every chart.
class QtGlyphSource final : public GlyphSource {
public:
    explicit QtGlyphSource(const QFont& font);
    float LineHeight() const override { return TextLineHeight; }
    GlyphMask MaskFor(const std::string& text) const override;

private:
    QFont TextFont;
    QImage MetricDevice;  // 96 dots per inch: metrics and masks are taken against it.
    float TextAscent = 0.0f;
    float TextLineHeight = 0.0f;
};

// The surface's pixels as a 32-bit RGB image at 96 dots per inch, without a copy: valid
// while the surface is neither resized nor destroyed.
QImage ImageOf(const RasterSurface& surface);
