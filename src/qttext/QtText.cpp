#include "qttext/QtText.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>

#include "core/RunTimeError.h"

namespace {
constexpr int DotsPerMeter96 = 3780;  // 96 dots per inch: the pixel is the unit of every chart.

QImage At96Dpi(QImage image) {
    image.setDotsPerMeterX(DotsPerMeter96);
    image.setDotsPerMeterY(DotsPerMeter96);
    return image;
}
}  // namespace

QFont ChartFont() {
    // The chart's face is "ＭＳ 明朝"; where it is missing, the first of these Mincho faces
    // that is installed. Asking for the family the system has, rather than for a missing
    // one and its substitutes, spares the font matching a search of every face.
    static const QString family = [] {
        const QString wanted[] = {QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"),
                                  QStringLiteral("IPA明朝"), QStringLiteral("IPAexMincho"),
                                  QStringLiteral("Noto Serif CJK JP")};
        for (const QString& name : wanted)
            if (QFontDatabase::hasFamily(name)) return name;
        return wanted[0];
    }();
    QFont font(family);
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Bold);
    font.setStyleHint(QFont::Serif);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

QFont ReadoutFont() {
    QFont font = QGuiApplication::font();
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

QFont ScaledFont(QFont font, double scale) {
    if (scale == 1.0) return font;
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * scale);
    } else {
        font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * scale)));
    }
    return font;
}

QtGlyphSource::QtGlyphSource(const QFont& font)
    : TextFont(font), MetricDevice(At96Dpi(QImage(1, 1, QImage::Format_RGB32))) {
    // The font and the 96 dots per inch never change, and neither do these.
    const QFontMetricsF metrics(TextFont, &MetricDevice);
    TextAscent = static_cast<float>(metrics.ascent());
    TextLineHeight = static_cast<float>(metrics.height());
}

GlyphMask QtGlyphSource::MaskFor(const std::string& text) const {
    const QString string = QString::fromStdString(text);
    const QFontMetricsF metrics(TextFont, &MetricDevice);
    // Room on every side for glyphs that overhang their advance or the line: descenders
    // below, and above for faces such as IPA Mincho that draw a little above the line's top.
    const int margin = static_cast<int>(std::ceil(metrics.height() / 2));
    GlyphMask mask;
    mask.Width = static_cast<int>(std::ceil(metrics.horizontalAdvance(string))) + 2 * margin;
    mask.Height = static_cast<int>(std::ceil(metrics.height())) + 2 * margin;
    mask.MarginLeft = margin;
    mask.MarginTop = margin;
    QImage coverage = At96Dpi(QImage(mask.Width, mask.Height, QImage::Format_ARGB32_Premultiplied));
    coverage.fill(Qt::transparent);
    QPainter painter(&coverage);
    if (!painter.isActive()) throw RunTimeError(ErrorKind::SurfaceFailure, "文字を描けません。");
    painter.setFont(TextFont);
    painter.drawText(QPointF(margin, margin + static_cast<double>(TextAscent)), string);
    painter.end();
    mask.Coverage.resize(static_cast<std::size_t>(mask.Width) *
                         static_cast<std::size_t>(mask.Height));
    for (int y = 0; y < mask.Height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
        for (int x = 0; x < mask.Width; ++x) {
            mask.Coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(mask.Width) +
                          static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(qAlpha(row[x]));
        }
    }
    return mask;
}

QImage ImageOf(const RasterSurface& surface) {
    return At96Dpi(QImage(reinterpret_cast<const uchar*>(surface.Pixels()), surface.Width(),
                          surface.Height(), surface.Width() * static_cast<int>(sizeof(Pixel)),
                          QImage::Format_RGB32));
}
