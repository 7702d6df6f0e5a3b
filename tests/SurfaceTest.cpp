#include <gtest/gtest.h>

#include <QFontDatabase>

#include "core/RunTimeError.h"
#include "render/RasterSurface.h"
#include "support/TestSky.h"

namespace {
const QRgb WhitePixel = qRgb(255, 255, 255);
const QRgb BlackPixel = qRgb(0, 0, 0);

int CountPixels(const RasterSurface& s, QRgb colour) {
    int count = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) count += s.PixelAt(x, y) == colour;
    return count;
}
}  // namespace

TEST(FormatPrintLine, WritesNumbersWithTheirSignPlace) {
    EXPECT_EQ(FormatPrintLine({35.0, std::string("°")}), " 35 °");
    EXPECT_EQ(FormatPrintLine({-10.0, std::string("°")}), "-10 °");
    EXPECT_EQ(FormatPrintLine({0.0, std::string("°")}), " 0 °");
    EXPECT_EQ(FormatPrintLine({-0.0, std::string("°")}), " 0 °");
    EXPECT_EQ(FormatPrintLine({135.0, std::string("°")}), " 135 °");
    EXPECT_EQ(FormatPrintLine({std::string("北")}), "北");
}

TEST(GreyColour, RoundsTheLevelAndBuildsAllThreeComponents) {
    EXPECT_EQ(GreyColour(80), 80 + 256 * 80 + 65536 * 80);
    EXPECT_EQ(GreyColour(127.5), GreyColour(128));
    EXPECT_EQ(GreyColour(128.5), GreyColour(128));
    EXPECT_EQ(ToPixel(RGB(1, 2, 3)), qRgb(1, 2, 3));
    EXPECT_THROW(ToPixel(0x1000000), RunTimeError);
}

TEST(RasterSurface, FillsCirclesAndEllipsesOnlyWhenSolid) {
    RasterSurface s(200, 200, Black, ChartText());
    s.FillColor = White;
    s.Circle(100, 100, 50, RGB(255, 0, 0));
    EXPECT_EQ(s.PixelAt(100, 100), BlackPixel);  // Transparent: outline only.
    EXPECT_EQ(s.PixelAt(150, 100), qRgb(255, 0, 0));
    EXPECT_EQ(s.PixelAt(100, 50), qRgb(255, 0, 0));
    s.FillStyle = FillStyleKind::Solid;
    s.Clear();
    s.Circle(100, 100, 50, RGB(255, 0, 0), 0.5f);
    EXPECT_EQ(s.PixelAt(100, 100), WhitePixel);
    EXPECT_EQ(s.PixelAt(100, 75), qRgb(255, 0, 0));  // Vertical semi-axis 25.
    EXPECT_EQ(s.PixelAt(100, 74), BlackPixel);
    EXPECT_EQ(s.PixelAt(149, 100), WhitePixel);
    EXPECT_EQ(s.PixelAt(150, 100), qRgb(255, 0, 0));
    EXPECT_EQ(s.PixelAt(151, 100), BlackPixel);
}

TEST(RasterSurface, OutlinesAreOnePixelAndClosed) {
    RasterSurface s(200, 200, Black, ChartText());
    s.FillStyle = FillStyleKind::Solid;
    s.FillColor = Black;
    s.Circle(100, 100, 60, White, 0.3f);
    // Every row and column that crosses the ellipse meets the outline exactly twice
    // when walked from outside to the centre line: no gaps, no double walls.
    for (int x = 45; x <= 155; ++x) {
        int transitions = 0;
        for (int y = 0; y < 100; ++y) transitions += s.PixelAt(x, y) != s.PixelAt(x, y + 1);
        EXPECT_EQ(transitions, 2) << x;
    }
}

TEST(RasterSurface, DrawsBoxesLinesAndPixelsClipped) {
    RasterSurface s(300, 300, Black, ChartText());
    s.FillStyle = FillStyleKind::Solid;
    s.FillColor = White;
    s.Box(0, 100, 200, 200, RGB(0, 0, 255));
    EXPECT_EQ(s.PixelAt(100, 150), WhitePixel);
    EXPECT_EQ(s.PixelAt(200, 150), qRgb(0, 0, 255));
    EXPECT_EQ(s.PixelAt(201, 150), BlackPixel);
    EXPECT_EQ(CountPixels(s, WhitePixel), 199 * 99);
    s.Clear();
    s.Line(-1000, 10, 1000, 10, White);  // Far outside on both ends: clipped, no error.
    EXPECT_EQ(CountPixels(s, WhitePixel), 300);
    s.ForeColor = RGB(0, 255, 0);
    s.Line(10, 20, 10, 30);
    EXPECT_EQ(CountPixels(s, qRgb(0, 255, 0)), 11);
    s.SetPixel(-5, 3, White);
    s.SetPixel(299.4f, 299.4f, RGB(255, 0, 0));
    EXPECT_EQ(s.PixelAt(299, 299), qRgb(255, 0, 0));
    s.Circle(5000, 5000, 3, White);
    s.Box(-10, -10, -5, -5, White);
    EXPECT_EQ(CountPixels(s, WhitePixel), 300);
}

TEST(RasterSurface, PrintsAtTheTextPositionAndEndsTheLine) {
    RasterSurface s(100, 60, White, ReadoutText());
    s.CurrentX = 30;
    s.CurrentY = 5;
    s.Print({35.0, std::string("°")});
    EXPECT_EQ(s.CurrentX, 0.0f);
    EXPECT_EQ(s.CurrentY, 5 + s.LineHeight());
    EXPECT_GT(s.LineHeight(), 8.0f);
    // Glyphs only: ink appears right of and below the position, nowhere else.
    int ink = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.PixelAt(x, y) != WhitePixel) {
                ++ink;
                EXPECT_GE(x, 30);
                EXPECT_GE(y, 5);
            }
    EXPECT_GT(ink, 10);
    s.Clear();
    EXPECT_EQ(s.CurrentY, 0.0f);
    EXPECT_EQ(CountPixels(s, WhitePixel), 100 * 60);
}

TEST(RasterSurface, ChartFontIsABoldJapaneseMincho) {
    const QFont font = ChartFont();
    // "ＭＳ 明朝" where the system has it, else the installed Mincho that stands in for it.
    EXPECT_TRUE(QFontDatabase::hasFamily(font.family()) ||
                font.family() == QStringLiteral("ＭＳ 明朝"))
        << font.family().toStdString();
    EXPECT_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(font.weight(), QFont::Bold);
    const QtGlyphSource glyphs(font);
    RasterSurface s(40, 40, Black, glyphs);
    s.ForeColor = White;
    s.Print({std::string("北")});
    EXPECT_GT(CountPixels(s, WhitePixel) + 40 * 40 - CountPixels(s, BlackPixel), 20);
}

TEST(RasterSurface, KeepsItsImageWhileCoveredAndRefusesImpossibleSizes) {
    RasterSurface first(50, 50, Black, ChartText()), second(50, 50, Black, ChartText());
    RasterStack stack(first, second);
    EXPECT_EQ(stack.Front, &second);
    first.SetPixel(10, 10, White);
    first.BringToFront();
    first.Refresh();
    EXPECT_EQ(stack.Front, &first);
    EXPECT_EQ(stack.OnScreen, &first);
    EXPECT_EQ(first.PixelAt(10, 10), WhitePixel);
    EXPECT_THROW(first.SetWidth(0), RunTimeError);
    first.SetWidth(80);
    EXPECT_EQ(first.Width(), 80);
    EXPECT_EQ(first.Height(), 50);
}

TEST(RasterSurface, SmallDiscsCoverTheSamePixelsAsTheGeneralEllipse) {
    for (float r : {0.0f, 1.0f, 2.0f, 3.0f, 4.5f, 7.0f, 12.0f, 40.0f}) {
        RasterSurface fast(120, 120, Black, ChartText()), general(120, 120, Black, ChartText());
        fast.FillStyle = general.FillStyle = FillStyleKind::Solid;
        fast.FillColor = general.FillColor = White;
        fast.Circle(60.3f, 59.6f, r, White);
        general.Circle(60.3f, 59.6f, r, RGB(255, 255, 254));  // Another outline: the general path.
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x)
                ASSERT_EQ(fast.PixelAt(x, y) == BlackPixel, general.PixelAt(x, y) == BlackPixel)
                    << r << " " << x << "," << y;
    }
    RasterSurface edge(10, 10, Black, ChartText());
    edge.FillStyle = FillStyleKind::Solid;
    edge.FillColor = White;
    edge.Circle(0, 9, 3, White);  // Clipped at the corner.
    EXPECT_EQ(edge.PixelAt(0, 9), WhitePixel);
    EXPECT_EQ(edge.PixelAt(3, 9), WhitePixel);
}

TEST(RasterSurface, CircleOutlinesAreTheInsidePixelsWithAnOutsideNeighbour) {
    for (float r : {1.0f, 2.0f, 5.0f, 9.0f, 70.0f}) {
        auto inside = [r](int dx, int dy) {
            const double a = r;
            if (std::abs(dy) > a) return false;
            const double t = 1.0 - (dy / a) * (dy / a);
            return std::abs(dx) <= static_cast<int>(std::floor(a * std::sqrt(t) + 1e-9));
        };
        RasterSurface s(160, 160, Black, ChartText());
        s.Circle(80, 80, r, White);
        for (int dy = -75; dy <= 75; ++dy)
            for (int dx = -75; dx <= 75; ++dx) {
                const bool edge = inside(dx, dy) && (!inside(dx - 1, dy) || !inside(dx + 1, dy) ||
                                                     !inside(dx, dy - 1) || !inside(dx, dy + 1));
                ASSERT_EQ(s.PixelAt(80 + dx, 80 + dy) == WhitePixel, edge)
                    << r << " " << dx << "," << dy;
            }
    }
}

TEST(RasterSurface, DrawingLeavesACopyOfThePictureAlone) {
    RasterSurface s(20, 20, Black, ChartText());
    s.SetPixel(1, 1, White);
    const PixelImage held = s.Picture();
    s.SetPixel(2, 2, White);
    s.FillStyle = FillStyleKind::Solid;
    s.Box(5, 5, 8, 8, White);
    auto heldAt = [&held](int x, int y) {
        return held.Pixels[static_cast<std::size_t>(y * 20 + x)];
    };
    EXPECT_EQ(heldAt(1, 1), WhitePixel);
    EXPECT_EQ(heldAt(2, 2), BlackPixel);
    EXPECT_EQ(heldAt(6, 6), BlackPixel);
    EXPECT_EQ(s.PixelAt(2, 2), WhitePixel);
}

// The label face and the surface's own face keep their masks apart: the same text printed
// in one, the other and the first again gives the first picture again; a scope puts the
// face back; a surface without a label font prints labels in its own.
TEST(RasterSurface, LabelFaceAndOwnFaceKeepTheirOwnMasks) {
    const auto printed = [](RasterSurface& s) {
        s.Clear();
        s.ForeColor = White;
        s.Print({std::string("北")});
        return s.Picture();
    };
    RasterSurface s(60, 40, Black, ChartText());
    s.SetLabelFont(ChartLabels());
    const PixelImage own = printed(s);
    PixelImage label;
    {
        const LabelTextScope scope(s, 26);
        EXPECT_EQ(s.LabelText(), 26);
        label = printed(s);
    }
    EXPECT_EQ(s.LabelText(), 0);
    EXPECT_NE(label, own);
    EXPECT_EQ(printed(s), own);
    s.SetLabelFont(nullptr);
    s.UseLabelText(26);
    EXPECT_EQ(printed(s), own);
}
