// ClassroomTest: the engine's side of the classroom mends: lines that reach far
// outside the chart, and chart text drawn whole however far its glyphs overhang.

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPainter>

#include "render/RasterSurface.h"
#include "support/TestSky.h"

namespace {
// A line and the pixels of a 100 x 100 surface it must cover: the row, column or
// diagonal that crosses it, however far outside its ends lie.
struct FarLine {
    const char* Name;
    float X1, Y1, X2, Y2;
    int Row;        // >= 0: the whole row.
    int Column;     // >= 0: the whole column.
    bool Diagonal;  // x == y for every x.
};
constexpr FarLine FarLines[] = {
    {"row from far left to far right", -100000.0f, 50.0f, 100000.0f, 50.0f, 50, -1, false},
    {"row from inside to far right", 10.0f, 20.0f, 1.0e7f, 20.0f, -1, -1, false},
    {"column from far above", 30.0f, -5.0e6f, 30.0f, 5.0e6f, -1, 30, false},
    {"diagonal far both ways", -1.0e6f, -1.0e6f, 1.0e6f, 1.0e6f, -1, -1, true},
    {"diagonal drawn backwards", 2.0e6f, 2.0e6f, -3.0e6f, -3.0e6f, -1, -1, true},
};
constexpr QRgb Ink = 0xFFFFFFFFu;
}  // namespace

TEST(RasterSurface, LinesFarOutsideDrawTheirVisiblePart) {
    for (const FarLine& line : FarLines) {
        SCOPED_TRACE(line.Name);
        RasterSurface s(100, 100, Black, ChartText());
        s.Line(line.X1, line.Y1, line.X2, line.Y2, White);
        int inked = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const bool expected = line.Row >= 0      ? y == line.Row
                                      : line.Column >= 0 ? x == line.Column
                                      : line.Diagonal    ? x == y
                                                         : y == 20 && x >= 10;
                EXPECT_EQ(s.PixelAt(x, y) == Ink, expected) << x << "," << y;
                inked += s.PixelAt(x, y) == Ink;
            }
        }
        EXPECT_GT(inked, 0);
    }
    // A far line that misses the surface draws nothing.
    RasterSurface s(100, 100, Black, ChartText());
    s.Line(-1.0e6f, -10.0f, 1.0e6f, -10.0f, White);
    s.Line(-1.0e6f, 1.0e6f, 1.0e6f, 1.0e6f + 300.0f, White);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_NE(s.PixelAt(x, y), Ink);
}

// The compass labels printed on a chart hold every pixel of ink that the font draws for
// them on an unbounded image: nothing above the line's top is cut away.
TEST(RasterSurface, ChartTextInkEqualsAnUnclippedDrawing) {
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    const QFont font = ChartFont();
    const float ascent = static_cast<float>(QFontMetricsF(font, &device).ascent());
    for (const char* label : {"北", "東", "南", "西", "北東"}) {
        SCOPED_TRACE(label);
        RasterSurface s(120, 120, Black, ChartText());
        s.ForeColor = White;
        s.CurrentX = 40.0f;
        s.CurrentY = 40.0f;
        s.PrintText(label);
        QImage free(120, 120, QImage::Format_ARGB32_Premultiplied);
        free.setDotsPerMeterX(3780);
        free.setDotsPerMeterY(3780);
        free.fill(Qt::transparent);
        QPainter painter(&free);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPointF(40, 40 + static_cast<double>(ascent)), QString::fromUtf8(label));
        painter.end();
        int differing = 0, ink = 0, aboveTop = 0;
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 120; ++x) {
                const int expected = qAlpha(free.pixel(x, y));
                ink += expected > 0;
                aboveTop += expected > 0 && y < 40;
                differing += qRed(s.PixelAt(x, y)) != expected;
            }
        }
        EXPECT_GT(ink, 20);
        EXPECT_EQ(differing, 0) << aboveTop << " pixels of ink lie above the line's top";
    }
}
