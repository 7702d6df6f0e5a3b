#include <gtest/gtest.h>

#include <cmath>

#include "geometry/Projection.h"
#include "render/Frame.h"
#include "support/TestSky.h"

namespace {
// A frame on a 300-pixel chart with R = 100 centred at (150, 150).
struct Framed {
    std::unique_ptr<TestChart> Sky;
    std::unique_ptr<RasterSurface> S;
    QRgb At(int dx, int dy) const { return S->PixelAt(150 + dx, 150 + dy); }
};

Framed Frame(std::int16_t elevation, double poleAngle = 125) {
    Framed f{ChartSky(150, 100, elevation, poleAngle), ChartRaster(300)};
    DrawFrame(f.Sky->Proj(), *f.S);
    return f;
}

int CountGrey160(const RasterSurface& s) {
    int count = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) count += s.PixelAt(x, y) == Grey(160);
    return count;
}
}  // namespace

TEST(DrawFrame, SeenFromAboveShowsTheHorizonEllipse) {
    const Framed f = Frame(10);
    // Semi-axes 100 and 100 sin 10° = 17.36...: rows -17..17 are horizon grey.
    // (Left of the centre line: the north label sits right of it.)
    EXPECT_EQ(f.At(-5, -17), Grey(128));
    EXPECT_EQ(f.At(-5, -18), Grey(80));  // The dome above the horizon.
    EXPECT_EQ(f.At(-5, 17), Grey(128));
    EXPECT_EQ(f.At(-5, 18), Grey(0));  // The black lower half.
    EXPECT_EQ(f.At(99, -2), Grey(128));
    EXPECT_EQ(f.At(99, -3), Grey(80));
    EXPECT_EQ(f.At(101, -1), Grey(0));
    EXPECT_EQ(f.At(5, -99), Grey(80));
    EXPECT_EQ(f.At(5, -101), Grey(0));
    EXPECT_EQ(f.S->FillColor, RGB(255, 255, 255));
    EXPECT_EQ(f.S->ForeColor, RGB(160, 160, 160));
}

TEST(DrawFrame, EdgeOnDrawsALineAndNoEllipse) {
    const Framed f = Frame(0, 180);  // At the pole, so no compass line lies over it.
    EXPECT_EQ(f.At(50, 0), Grey(128));
    EXPECT_EQ(f.At(-100, 0), Grey(128));
    EXPECT_EQ(f.At(50, -1), Grey(80));
    EXPECT_EQ(f.At(50, 1), Grey(0));
}

TEST(DrawFrame, SeenFromBelowShowsABlackEllipseOutlinedInGrey) {
    const Framed f = Frame(-30, 180);
    EXPECT_EQ(f.At(5, -20), Grey(0));  // Inside the ellipse, over the dome.
    EXPECT_EQ(f.At(0, 50), Grey(80));  // Bottom of the outline: semi-axis R / 2.
    EXPECT_EQ(f.At(0, 49), Grey(0));
    EXPECT_EQ(f.At(0, 51), Grey(0));
    EXPECT_EQ(f.At(100, 0), Grey(80));  // Horizontal semi-axis R.
    EXPECT_EQ(f.At(99, 0), Grey(0));
    EXPECT_EQ(f.S->FillColor, RGB(255, 255, 255));
}

TEST(DrawFrame, FromStraightAboveTheHorizonCoversTheSphere) {
    const Framed f = Frame(90, 180);
    EXPECT_EQ(f.At(0, 99), Grey(128));
    EXPECT_EQ(f.At(70, 70), Grey(128));
    EXPECT_EQ(f.At(-70, -70), Grey(128));
    EXPECT_EQ(f.At(0, 101), Grey(0));
}

TEST(DrawFrame, DrawsNoCompassExactlyAtThePoles) {
    EXPECT_EQ(CountGrey160(*Frame(10, 0).S), 0);
    EXPECT_EQ(CountGrey160(*Frame(10, 180).S), 0);
    EXPECT_GT(CountGrey160(*Frame(10, 179.999).S), 0);
    EXPECT_GT(CountGrey160(*Frame(10, 0.001).S), 0);
}

TEST(DrawFrame, PutsLabelsAtTheProjectedPointsAndJoinsThem) {
    const Framed f = Frame(10);
    // Project the four compass points on a fresh state the way the frame must.
    const Projection p = ChartSky(150, 100)->Proj();
    const CompassPoints compass = CompassPointsOf(p);
    double x[4], y[4];
    for (int k = 0; k < 4; ++k) {
        const ChartPoint at = PlaceSpherePoint(p, compass.X[k], compass.Y[k], compass.Z[k]);
        x[k] = 150 + at.OffsetX;
        y[k] = 150 + at.OffsetY;
        // The line ends on the label's top-left corner.
        EXPECT_EQ(
            f.S->PixelAt(static_cast<int>(std::lround(x[k])), static_cast<int>(std::lround(y[k]))),
            Grey(160))
            << k;
        // The glyph lies right of and below that corner, and nothing but the frame's
        // own greys lies up and left of it.
        const int px = static_cast<int>(std::lround(x[k])),
                  py = static_cast<int>(std::lround(y[k]));
        auto ink = [&](int cx, int cy) {
            const QRgb p = f.S->PixelAt(cx, cy);
            return p != Grey(0) && p != Grey(80) && p != Grey(128);
        };
        int inkBelowRight = 0, inkAboveLeft = 0;
        for (int dy = 1; dy < 13; ++dy)
            for (int dx = 1; dx < 13; ++dx) {
                inkBelowRight += ink(px + dx, py + dy);
                inkAboveLeft += ink(px - dx - 1, py - dy - 1);
            }
        EXPECT_GT(inkBelowRight, 3) << k;
        EXPECT_EQ(inkAboveLeft, 0) << k;
    }
    // North-south and west-east lines: their midpoints are compass grey.
    EXPECT_EQ(f.S->PixelAt(static_cast<int>(std::lround((x[0] + x[2]) / 2)),
                           static_cast<int>(std::lround((y[0] + y[2]) / 2))),
              Grey(160));
    EXPECT_EQ(f.S->PixelAt(static_cast<int>(std::lround((x[1] + x[3]) / 2 + 30)),
                           static_cast<int>(std::lround((y[1] + y[3]) / 2))),
              Grey(160));
}

TEST(ClearAndDrawFrame, PutsBackTheSameFrameAndState) {
    // Views that alternate and repeat, as settings changes and animation steps do.
    struct Step {
        std::int16_t Elevation;
        double PoleAngle;
        float Center;
    };
    constexpr Step Steps[] = {{10, 125, 150}, {10, 125, 150}, {-30, 125, 150}, {10, 125, 150},
                              {10, 180, 150}, {10, 180, 150}, {90, 40, 120},   {90, 40, 120}};
    auto kept = ChartRaster(300);
    auto drawn = ChartRaster(300);  // The same sequence, drawn in full every time.
    for (const Step& step : Steps) {
        auto Sky = ChartSky(step.Center, 0.8 * step.Center, step.Elevation, step.PoleAngle);
        kept->SetPixel(3, 3, RGB(255, 0, 0));  // Stars of the previous chart are wiped too.
        ClearAndDrawFrame(Sky->Proj(), 0, *kept);
        auto Fresh = ChartSky(step.Center, 0.8 * step.Center, step.Elevation, step.PoleAngle);
        drawn->Clear();
        DrawFrame(Fresh->Proj(), *drawn);
        EXPECT_EQ(kept->Picture(), drawn->Picture()) << step.Elevation << " " << step.PoleAngle;
        EXPECT_EQ(kept->ForeColor, drawn->ForeColor);
        EXPECT_EQ(kept->FillColor, drawn->FillColor);
        EXPECT_EQ(kept->CurrentX, drawn->CurrentX);
        EXPECT_EQ(kept->CurrentY, drawn->CurrentY);
    }
}
