#include <gtest/gtest.h>

#include "render/Stars.h"
#include "session/HeadlessWindow.h"
#include "session/Redraw.h"
#include "support/RecordingSurface.h"
#include "support/TestSky.h"

namespace {
// One star at the zenith of latitude 35 (depth -R) with the given magnitude, plotted
// on a black chart; returns the number of white pixels.
int PlotOne(double magnitude, double limit = 7.9) {
    auto Sky = ChartSky(50, 30);
    Sky->Look.LimitMag = limit;
    Sky->Stars.StarMag[1000] = magnitude;
    Sky->Stars.StarDec[1000] = 35;
    Sky->Stars.StarRA[1000] = SiderealAngleOf(Sky->At);
    auto S = ChartRaster(100);
    PlotStars(Sky->Make(), *S);
    int white = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) white += S->PixelAt(x, y) == qRgb(255, 255, 255);
    return white;
}

// Pixels of a filled disc of radius r on the pixel grid.
constexpr int Disc1 = 5, Disc2 = 13, Disc3 = 29;
}  // namespace

TEST(PlotStars, DrawsOnlyStarsBrighterThanTheLimit) {
    EXPECT_EQ(PlotOne(3.5, 3.5), 0);
    EXPECT_EQ(PlotOne(3.49, 3.5), 1);
    EXPECT_EQ(PlotOne(-1.4, -1.4), 0);
    EXPECT_EQ(PlotOne(-1.41, -1.4), Disc2);
}

TEST(PlotStars, SizesDiscsByMagnitude) {
    struct Row {
        double Magnitude;
        int Pixels;
    };
    constexpr Row Rows[] = {{3, 1},         {2.99, Disc1},  {0.97, Disc1}, {0.96, Disc2},
                            {-2.53, Disc2}, {-2.54, Disc3}, {7.5, 1}};
    for (const Row& row : Rows) EXPECT_EQ(PlotOne(row.Magnitude), row.Pixels) << row.Magnitude;
}

TEST(PlotStars, ListsEachStarAsHandedToTheSurface) {
    auto Sky = ChartSky(50, 30);
    Sky->Look.LimitMag = 7.9;
    for (const std::size_t i : {std::size_t{7}, std::size_t{3145}}) {
        Sky->Stars.StarMag[i] = i == 7 ? 5 : 0.96;
        Sky->Stars.StarDec[i] = 35;
        Sky->Stars.StarRA[i] = SiderealAngleOf(Sky->At) + (i == 7 ? 0.5 : 0);
    }
    Sky->Stars.StarDec[8] = -35;  // Bright enough, but below the horizon.
    Sky->Stars.StarMag[8] = 1;
    auto S = ChartRaster(100);
    std::vector<PlottedStar> plotted;
    PlotStars(Sky->Make(), *S, &plotted);
    ASSERT_EQ(plotted.size(), 2u);
    EXPECT_EQ(plotted[0].Index, 7);
    EXPECT_FALSE(plotted[0].Disc);
    EXPECT_EQ(plotted[0].Radius, 0.0f);
    EXPECT_EQ(plotted[1].Index, 3145);
    EXPECT_TRUE(plotted[1].Disc);
    EXPECT_EQ(plotted[1].Radius, 2.0f);
}

TEST(PlotStars, SkipsStarsBelowTheHorizonByDepth) {
    // A cache with only CosPole = 1: depth is the star's z, here R cos(polar distance)
    // for a star at the north pole, so R decides the depth exactly.
    for (const auto& [radius, drawn] :
         {std::pair{1.0, false}, std::pair{0.4, true}, std::pair{-0.5, true}}) {
        auto Sky = ChartSky(10, radius);
        Sky->Look.LimitMag = 7.9;
        Sky->Stars.StarMag[0] = 4;
        Sky->Stars.StarDec[0] = 90;
        Scene scene = Sky->Make();
        scene.Proj = Projection{};
        scene.Proj.R = radius;
        scene.Proj.CenterX = scene.Proj.CenterY = 10;
        scene.Proj.CosPole = 1;
        auto S = ChartRaster(20);
        PlotStars(scene, *S);
        EXPECT_EQ(S->PixelAt(10, 10) == qRgb(255, 255, 255), drawn) << radius;
    }
}

TEST(WriteReadouts, ShowsTheStartUpValuesAndRewritesThem) {
    auto window = NewWindow();
    auto& Sky = window->State;
    Sky.View.Azimuth = 0;
    Sky.Moment.PoleAngle = 125;
    Sky.View.Elevation = 10;
    Sky.Moment.Longitude = 135;
    window->AzimuthReadout.SetPixel(40, 10, 0xFF);  // Anything left from before is cleared.
    WriteReadouts(Sky, window->Ui);
    const std::pair<RasterSurface*, const char*> expected[] = {
        {&window->AzimuthReadout, " 0 °"},
        {&window->LatitudeReadout, " 35 °"},
        {&window->ElevationReadout, "-10 °"},
        {&window->LongitudeReadout, " 135 °"}};
    for (const auto& [readout, text] : expected) {
        EXPECT_EQ(readout->Picture(), ReadoutWith(text)) << text;
    }
}

TEST(PlotStars, HandsTheSurfaceThePositionRoundedOnceToSinglePrecision) {
    // A centre and an offset whose double sum rounds differently from the sum of
    // the two rounded to single precision first.
    auto Sky = ChartSky(204, 163.2);
    Sky->Look.LimitMag = 7.9;
    Sky->Stars.StarMag[5] = 4;
    Sky->Stars.StarDec[5] = 35;
    Sky->Stars.StarRA[5] = SiderealAngleOf(Sky->At) + 0.0123;
    auto S = ChartRaster(408);
    float handedX = 0, handedY = 0;
    S->OnPlot = [&](const RasterSurface::PlotCall& call) {
        handedX = call.X;
        handedY = call.Y;
    };
    PlotStars(Sky->Make(), *S);
    const ChartPoint p =
        PlaceSkyPoint(Sky->Proj(), Sky->Stars.StarRA[5], 35, SiderealAngleOf(Sky->At));
    EXPECT_EQ(handedX, static_cast<float>(204.0 + p.OffsetX));
    EXPECT_EQ(handedY, static_cast<float>(204.0 + p.OffsetY));
}
