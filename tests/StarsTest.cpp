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
    Sky->LimitMag = limit;
    Sky->StarMag[1000] = magnitude;
    Sky->StarDec[1000] = 35;
    Sky->StarRA[1000] = Sky->SiderealAngle;
    auto S = ChartRaster(100);
    PlotStars(*Sky, *S);
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

TEST(PlotStars, KeepsTheRadiusOfEveryStarAboveTheHorizon) {
    auto Sky = ChartSky(50, 30);
    Sky->LimitMag = 7.9;
    Sky->StarMag[3145] = 0.96;
    Sky->StarDec[3145] = 35;
    Sky->StarRA[3145] = Sky->SiderealAngle;
    auto S = ChartRaster(100);
    PlotStars(*Sky, *S);
    EXPECT_EQ(Sky->DotRadius, 2);
    EXPECT_EQ(Sky->StarIndex, 3145);
    Sky->StarMag[3145] = 5;  // A pixel star still gets its computed radius.
    PlotStars(*Sky, *S);
    EXPECT_EQ(Sky->DotRadius, 0);
}

TEST(PlotStars, SkipsStarsBelowTheHorizonByDepth) {
    // A cache with only CosPole = 1: depth is the star's z, here R cos(polar distance)
    // for a star at the north pole, so R decides the depth exactly.
    for (const auto& [radius, drawn] :
         {std::pair{1.0, false}, std::pair{0.4, true}, std::pair{-0.5, true}}) {
        SkyState Sky;
        Sky.Pi = 3.14159265358979;
        Sky.ChartRadius = radius;
        Sky.CenterX = Sky.CenterY = 10;
        Sky.CosPole = 1;
        Sky.LimitMag = 7.9;
        Sky.StarMag.fill(99);
        Sky.StarMag[0] = 4;
        Sky.StarDec[0] = 90;
        auto S = ChartRaster(20);
        PlotStars(Sky, *S);
        EXPECT_EQ(S->PixelAt(10, 10) == qRgb(255, 255, 255), drawn) << radius;
    }
}

TEST(WriteReadouts, ShowsTheStartUpValuesAndRewritesThem) {
    auto window = NewWindow();
    auto& Sky = window->Sky;
    Sky.ViewAzimuth = 0;
    Sky.PoleAngle = 125;
    Sky.ViewElevation = 10;
    Sky.Longitude = 135;
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
    Sky->LimitMag = 7.9;
    Sky->StarMag[5] = 4;
    Sky->StarDec[5] = 35;
    Sky->StarRA[5] = Sky->SiderealAngle + 0.0123;
    auto S = ChartRaster(408);
    float handedX = 0, handedY = 0;
    S->OnPlot = [&](const RasterSurface::PlotCall& call) {
        handedX = call.X;
        handedY = call.Y;
    };
    PlotStars(*Sky, *S);
    Sky->StarIndex = 5;
    ProjectStar(*Sky);
    EXPECT_EQ(handedX, static_cast<float>(204.0 + Sky->OffsetX));
    EXPECT_EQ(handedY, static_cast<float>(204.0 + Sky->OffsetY));
}

// On a surface that draws nothing (the start-up's unseen redraws) the pass skips the
// projection of the sky but leaves SkyState exactly as a drawn pass does: the loaded
// catalogue at several clocks, views and limits, and the zero catalogue at the zero view
// cache that the start-up's lists redraw on.
TEST(PlotStars, UnseenPassLeavesTheSameState) {
    auto loaded = StartedWindow();
    const struct {
        bool ZeroCatalogue;
        double Limit, PoleAngle, Minute;
    } Rows[] = {{false, 3.5, 125, 0},   {false, 7.9, 125, 777},  {false, 7.9, 35, 90000},
                {false, -1.4, 125, 60}, {false, 5.0, 180, 5000}, {true, 3.5, 125, 0}};
    for (const auto& row : Rows) {
        auto drawn = std::make_unique<SkyState>(loaded->Sky);
        if (row.ZeroCatalogue) *drawn = SkyState{};
        drawn->Pi = 3.14159265358979;
        drawn->ChartRadius = 163.2;
        drawn->LimitMag = row.Limit;
        drawn->PoleAngle = row.PoleAngle;
        drawn->SiderealAngle = (row.Minute - drawn->EpochMinute) * 0.2506849315068493;
        if (!row.ZeroCatalogue) UpdateViewTrig(*drawn);
        auto unseen = std::make_unique<SkyState>(*drawn);
        auto raster = ChartRaster(408);
        RecordingSurface stand;
        stand.Unseen = true;
        PlotStars(*drawn, *raster);
        PlotStars(*unseen, stand);
        const SkyState &a = *drawn, &b = *unseen;
        EXPECT_EQ(a.StarIndex, b.StarIndex);
        EXPECT_EQ(a.DotRadius, b.DotRadius) << row.Limit;
        EXPECT_EQ(a.Depth, b.Depth);
        const double fields[][2] = {{a.OffsetX, b.OffsetX},
                                    {a.OffsetY, b.OffsetY},
                                    {a.ViewX, b.ViewX},
                                    {a.ViewY, b.ViewY},
                                    {a.SphereX, b.SphereX},
                                    {a.SphereZ, b.SphereZ},
                                    {a.RaOffsetRad, b.RaOffsetRad},
                                    {a.SinRaOffset, b.SinRaOffset},
                                    {a.PolarDistRad, b.PolarDistRad}};
        for (const auto& f : fields) EXPECT_EQ(f[0], f[1]) << row.Limit << " " << row.Minute;
        EXPECT_EQ(a.StarPolarCacheReady, b.StarPolarCacheReady);
    }
}
