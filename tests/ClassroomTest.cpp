// ClassroomTest: the engine's side of the classroom mends: lines that reach far
// outside the chart, chart text drawn whole however far its glyphs overhang, the chart
// at device pixels, and the projector mode's ringed labels.

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <filesystem>

#include "render/RasterSurface.h"
#include "session/StartUp.h"
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

namespace {
// WCAG's relative luminance of a grey pixel, for contrast ratios.
double Luminance(QRgb pixel) {
    const double c = qRed(pixel) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The start-up chart of a headless window whose screen has the given ratio, with the
// chart text and figures scaled by it as the window scales them.
PixelImage StartChartAt(double ratio) {
    static const QtGlyphSource doubled([] {
        QFont font = ChartFont();
        font.setPointSizeF(font.pointSizeF() * 2);
        return font;
    }());
    auto headless = NewWindow();
    headless->Load(std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
    if (ratio != 1.0) {
        headless->Window.Ratio = ratio;
        for (RasterSurface* chart : {&headless->Chart0, &headless->Chart1}) {
            chart->DrawScale = static_cast<float>(ratio);
            chart->SetGlyphs(doubled);
        }
        FitChartToWindow(headless->State, headless->Ui);
    }
    return headless->Front().Picture();
}
}  // namespace

// At ratio 2 the chart is drawn at device pixels: star discs, label strokes and line edges
// give 2 x 2 blocks of mixed colours (a pixel-doubled chart has none), and halved again it
// looks like the ratio-1 chart.
TEST(ChartAtDevicePixels, HasDetailAndHalvesToTheOrdinaryChart) {
    const PixelImage one = StartChartAt(1.0);
    const PixelImage two = StartChartAt(2.0);
    ASSERT_EQ(one.Width, 408);
    ASSERT_EQ(two.Width, 816);
    int mixed = 0;
    double difference = 0.0;
    for (int y = 0; y < one.Height; ++y) {
        for (int x = 0; x < one.Width; ++x) {
            const auto at = [&](int dx, int dy) {
                return two.Pixels[static_cast<std::size_t>((2 * y + dy) * two.Width + 2 * x + dx)];
            };
            const QRgb block[4] = {at(0, 0), at(1, 0), at(0, 1), at(1, 1)};
            mixed += !(block[0] == block[1] && block[0] == block[2] && block[0] == block[3]);
            double mean = 0.0;
            for (QRgb p : block) mean += qGreen(p) / 4.0;
            difference +=
                std::fabs(mean - qGreen(one.Pixels[static_cast<std::size_t>(y * 408 + x)]));
        }
    }
    EXPECT_GT(mixed, 500);
    // Edges of discs and the horizon fall on other pixels: a few grey levels on average.
    EXPECT_LT(difference / (408.0 * 408.0), 4.0);
}

// 大きな星と文字 rings the compass labels in black: every pixel of the grey horizon beside
// a label's ink is ring, at least 3:1 against the ink.
TEST(ChartTextOutline, KeepsLabelsLegibleOnTheHorizon) {
    RasterSurface plain(80, 60, RGB(128, 128, 128), ChartText());
    RasterSurface ringed(80, 60, RGB(128, 128, 128), ChartText());
    for (RasterSurface* s : {&plain, &ringed}) {
        s->Clear();
        s->ForeColor = RGB(160, 160, 160);
        s->CurrentX = 30.0f;
        s->CurrentY = 20.0f;
    }
    ringed.TextOutline = Black;
    plain.PrintText("北");
    ringed.PrintText("北");
    int checked = 0;
    for (int y = 1; y < 59; ++y) {
        for (int x = 1; x < 79; ++x) {
            // Ink: most of the pixel covered by the glyph.
            const QRgb here = plain.PixelAt(x, y);
            if (qGreen(here) < 150) continue;
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                if (plain.PixelAt(x + dx, y + dy) != Grey(128)) continue;  // Not beside the glyph.
                const double ratio =
                    (Luminance(here) + 0.05) / (Luminance(ringed.PixelAt(x + dx, y + dy)) + 0.05);
                EXPECT_GE(ratio, 3.0) << x + dx << "," << y + dy;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 10);
}
