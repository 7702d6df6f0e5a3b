#include <gtest/gtest.h>

#include <filesystem>
#include <numbers>

#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "session/HeadlessWindow.h"
#include "session/StartUp.h"
#include "support/TestSky.h"
#include "time/Clock.h"

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
    SetStartValues(window->State, window->Ui, Catalogue);
    const WindowState& state = window->State;
    EXPECT_EQ(state.View.CenterX(), 204.5f);
    EXPECT_EQ(state.View.ChartRadius(), 0.8 * 204.5f);
    EXPECT_EQ(SiderealEpochMinute(state.Moment.Longitude), 1038.7677073506075);
    EXPECT_EQ(state.Moment.PoleAngle, 125);
    EXPECT_EQ(state.View.Elevation, 10);
    EXPECT_EQ(state.View.LimitMag, 3.5);
    EXPECT_EQ(state.Moment.Month, 1);
    EXPECT_EQ(state.BufferIndex, 0);
    EXPECT_FALSE(window->Window.Visible);
}

TEST(StartUp, FitsTheChartToTheLaidOutWindow) {
    auto window = StartedWindow();
    const View& view = window->State.View;
    EXPECT_TRUE(window->Window.Visible);
    EXPECT_EQ(view.CenterX(), 204.0f);
    EXPECT_DOUBLE_EQ(view.ChartRadius(), 163.2);
    EXPECT_EQ(window->Chart1.Width(), 408);
    EXPECT_EQ(window->Chart1.Height(), 408);
}

TEST(FitChartToWindow, RefitsOrKeepsTheChartWhenTooSmall) {
    auto window = StartedWindow();
    window->Window.ResizeTo(600, 496);
    EXPECT_EQ(window->Chart0.Width(), 488);
    EXPECT_EQ(window->State.View.CenterX(), 244.0f);
    window->Window.ResizeTo(400, 600);
    EXPECT_EQ(window->Chart0.Width(), 288);
    const PixelImage before = window->Front().Picture();
    const std::int16_t index = window->State.BufferIndex;
    window->Window.ResizeTo(50, 5);  // Minimised: keep everything.
    EXPECT_EQ(window->Chart0.Width(), 288);
    EXPECT_EQ(window->State.View.CenterX(), 144.0f);
    EXPECT_EQ(window->State.BufferIndex, index);
    EXPECT_EQ(window->Front().Picture(), before);
    window->Window.ResizeTo(1, 1);
    window->Window.ResizeTo(584, 416);
    EXPECT_EQ(window->Chart0.Width(), 408);
}

// A chart with a place of its own (the page's canvas), made at that side from the start or
// made at the laid-out side and made again when shown: the same charts and state after it.
TEST(StartUp, ChartsMadeAtTheirPlacedSideStartAsChartsMadeAgain) {
    constexpr int Side = 600;
    auto placed = [](std::unique_ptr<HeadlessWindow> window) {
        window->Window.Side = Side;
        window->Load(Catalogue);
        return window;
    };
    auto madeAgain = placed(NewWindow());
    auto madeAtSide =
        placed(HeadlessWindow::Create(ChartText(), ReadoutText(), ChartLabels(), Side));
    EXPECT_EQ(madeAtSide->Chart0.Picture(), madeAgain->Chart0.Picture());
    EXPECT_EQ(madeAtSide->Chart1.Picture(), madeAgain->Chart1.Picture());
    EXPECT_EQ(madeAtSide->Chart0.Width(), Side);
    EXPECT_EQ(madeAtSide->State.BufferIndex, madeAgain->State.BufferIndex);
    EXPECT_EQ(madeAtSide->State.View.Side, madeAgain->State.View.Side);
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
    StartUp(window->State, window->Ui, [&] {
        minutesWhenRead = window->MinuteList.Items.size();
        return ReadCatalogueFiles(Catalogue);
    });
    EXPECT_EQ(minutesWhenRead, 60u);
    EXPECT_EQ(window->State.Sky->StarRA, fromPath->State.Sky->StarRA);
    EXPECT_EQ(window->State.Sky->UnitX, fromPath->State.Sky->UnitX);
    EXPECT_EQ(window->State.Sky->Figures.Constellations.size(), 88u);
    EXPECT_EQ(window->State.Sky->Figures.StarNames.size(),
              fromPath->State.Sky->Figures.StarNames.size());
    EXPECT_EQ(window->Chart0.Picture(), fromPath->Chart0.Picture());
    EXPECT_EQ(window->Chart1.Picture(), fromPath->Chart1.Picture());

    auto failing = NewWindow();
    EXPECT_THROW(StartUp(failing->State, failing->Ui,
                         [&]() -> CatalogueFiles {
                             throw RunTimeError(ErrorKind::FileNotFound, "StarData");
                         }),
                 RunTimeError);
    EXPECT_EQ(failing->State.Sky->StarMag, Sky{}.StarMag);
    EXPECT_FALSE(failing->Window.Visible);
}
