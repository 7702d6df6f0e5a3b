#include <gtest/gtest.h>

#include <filesystem>
#include <numbers>

#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "session/HeadlessWindow.h"
#include "session/StartUp.h"
#include "support/TestSky.h"

namespace {}

TEST(ChartSideFor, TakesTheSmallerOfHeightAndWidthLessThePanel) {
    struct Row {
        float Width, Height;
        int Side;
    };
    constexpr Row Rows[] = {{584, 416, 408}, {600, 496, 488}, {400, 600, 288},
                            {112, 400, 0},   {300, 8, 0},     {4000, 3000, 2992}};
    for (const Row& row : Rows)
        EXPECT_EQ(ChartSideFor(row.Width, row.Height), row.Side) << row.Width;
    EXPECT_THROW(ChartSideFor(1e6f, 1e6f), RunTimeError);
}

TEST(SetStartValues, StoresTheStartValuesAndLaidOutGeometry) {
    auto window = NewWindow();
    SetStartValues(window->Sky, window->Ui, Catalogue);
    const SkyState& Sky = window->Sky;
    EXPECT_EQ(Sky.CenterX, 204.5f);
    EXPECT_EQ(Sky.CenterY, 204.5f);
    EXPECT_EQ(Sky.ChartRadius, 0.8 * 204.5f);
    EXPECT_EQ(Sky.EpochMinute, 1038.7677073506075);
    // The program's Pi is this fifteen-digit decimal, seven units in the last place below
    // the double nearest to pi: every worked value depends on it, so nobody may "fix" it.
    EXPECT_EQ(Sky.Pi, 3.14159265358979);
    EXPECT_LT(Sky.Pi, std::numbers::pi);
    EXPECT_EQ(Sky.LimitMag, 3.5);
    EXPECT_EQ(Sky.Month, 1);
    EXPECT_EQ(Sky.BufferIndex, 0);
    EXPECT_EQ(Sky.CompassZ[0], Round16(163.6 * std::sin(3.14159265358979 * (180 - 125.0) / 180)));
    EXPECT_EQ(Sky.SinPole, 0);  // The view trigonometry waits for the first Resize.
    EXPECT_FALSE(window->Window.Visible);
}

TEST(StartUp, FitsTheChartToTheLaidOutWindow) {
    auto window = StartedWindow();
    const SkyState& Sky = window->Sky;
    EXPECT_TRUE(window->Window.Visible);
    EXPECT_EQ(Sky.CenterX, 204.0f);
    EXPECT_EQ(Sky.CenterY, 204.0f);
    EXPECT_DOUBLE_EQ(Sky.ChartRadius, 163.2);
    EXPECT_EQ(window->Chart1.Width(), 408);
    EXPECT_EQ(window->Chart1.Height(), 408);
    EXPECT_NE(Sky.SinPole, 0);
}

TEST(FitChartToWindow, RefitsOrKeepsTheChartWhenTooSmall) {
    auto window = StartedWindow();
    window->Window.ResizeTo(600, 496);
    EXPECT_EQ(window->Chart0.Width(), 488);
    EXPECT_EQ(window->Sky.CenterX, 244.0f);
    window->Window.ResizeTo(400, 600);
    EXPECT_EQ(window->Chart0.Width(), 288);
    const PixelImage before = window->Front().Picture();
    const std::int16_t index = window->Sky.BufferIndex;
    window->Window.ResizeTo(50, 5);  // Minimised: keep everything.
    EXPECT_EQ(window->Chart0.Width(), 288);
    EXPECT_EQ(window->Sky.CenterX, 144.0f);
    EXPECT_EQ(window->Sky.BufferIndex, index);
    EXPECT_EQ(window->Front().Picture(), before);
    window->Window.ResizeTo(1, 1);
    window->Window.ResizeTo(584, 416);
    EXPECT_EQ(window->Chart0.Width(), 408);
}

TEST(StartUp, StopsBeforeShowingWithoutTheCatalogue) {
    auto window = NewWindow();
    try {
        window->Load("/nonexistent/StarData");
        ADD_FAILURE();
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Kind(), ErrorKind::FileNotFound);
    }
    EXPECT_FALSE(window->Window.Visible);
}

// The catalogue may come from a reader (the window reads it ahead on a thread): the start
// calls it where it reads the files, after the lists are filled, and ends as it would from
// the path. A reader's error leaves the catalogue as it was.
TEST(StartUp, TakesTheCatalogueFromItsReaderWhereItReadsTheFiles) {
    const auto fromPath = StartedWindow();
    auto window = NewWindow();
    std::size_t minutesWhenRead = 0;
    StartUp(window->Sky, window->Ui, [&] {
        minutesWhenRead = window->MinuteList.Items.size();
        return ReadCatalogueFiles(Catalogue);
    });
    EXPECT_EQ(minutesWhenRead, 60u);
    EXPECT_EQ(window->Sky.StarRA, fromPath->Sky.StarRA);
    EXPECT_EQ(window->Sky.StarUnitX, fromPath->Sky.StarUnitX);
    EXPECT_EQ(window->Sky.Figures.Constellations.size(), 88u);
    EXPECT_EQ(window->Sky.Figures.StarNames.size(), fromPath->Sky.Figures.StarNames.size());
    EXPECT_EQ(window->Chart0.Picture(), fromPath->Chart0.Picture());
    EXPECT_EQ(window->Chart1.Picture(), fromPath->Chart1.Picture());

    auto failing = NewWindow();
    EXPECT_THROW(StartUp(failing->Sky, failing->Ui,
                         [&]() -> CatalogueFiles {
                             throw RunTimeError(ErrorKind::FileNotFound, "StarData");
                         }),
                 RunTimeError);
    EXPECT_EQ(failing->Sky.StarMag, SkyState{}.StarMag);
    EXPECT_FALSE(failing->Window.Visible);
}
