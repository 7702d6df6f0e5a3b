#include <gtest/gtest.h>

#include <filesystem>

#include "app/HeadlessWindow.h"
#include "app/Lifecycle.h"
#include "core/Convert.h"
#include "core/RunTimeError.h"

namespace {
const std::filesystem::path Catalogue = std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData";
}

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

TEST(InitState, StoresTheStartValuesAndLaidOutGeometry) {
    auto window = HeadlessWindow::Create();
    InitState(window->Sky, window->Ui, Catalogue);
    const SkyState& Sky = window->Sky;
    EXPECT_EQ(Sky.CenterX, 204.5f);
    EXPECT_EQ(Sky.CenterY, 204.5f);
    EXPECT_EQ(Sky.ChartRadius, 0.8 * 204.5f);
    EXPECT_EQ(Sky.EpochMinute, 1038.7677073506075);
    EXPECT_EQ(Sky.Pi, 3.14159265358979);
    EXPECT_EQ(Sky.LimitMag, 3.5);
    EXPECT_EQ(Sky.Month, 1);
    EXPECT_EQ(Sky.BufferIndex, 0);
    EXPECT_EQ(Sky.CompassZ[0], Round16(163.6 * std::sin(3.14159265358979 * (180 - 125.0) / 180)));
    EXPECT_EQ(Sky.SinPole, 0);  // The view trigonometry waits for the first Resize.
    EXPECT_FALSE(window->Form1.Visible);
}

TEST(FormLoad, FitsTheChartToTheLaidOutWindow) {
    auto window = HeadlessWindow::Create();
    window->Load(Catalogue);
    const SkyState& Sky = window->Sky;
    EXPECT_TRUE(window->Form1.Visible);
    EXPECT_EQ(Sky.CenterX, 204.0f);
    EXPECT_EQ(Sky.CenterY, 204.0f);
    EXPECT_DOUBLE_EQ(Sky.ChartRadius, 163.2);
    EXPECT_EQ(window->Picture1_1.Width(), 408);
    EXPECT_EQ(window->Picture1_1.Height(), 408);
    EXPECT_NE(Sky.SinPole, 0);
}

TEST(FormResize, RefitsOrKeepsTheChartWhenTooSmall) {
    auto window = HeadlessWindow::Create();
    window->Load(Catalogue);
    window->Form1.ResizeTo(600, 496);
    EXPECT_EQ(window->Picture1_0.Width(), 488);
    EXPECT_EQ(window->Sky.CenterX, 244.0f);
    window->Form1.ResizeTo(400, 600);
    EXPECT_EQ(window->Picture1_0.Width(), 288);
    const QImage before = window->Front().Picture().copy();
    const std::int16_t index = window->Sky.BufferIndex;
    window->Form1.ResizeTo(50, 5);  // Minimised: keep everything.
    EXPECT_EQ(window->Picture1_0.Width(), 288);
    EXPECT_EQ(window->Sky.CenterX, 144.0f);
    EXPECT_EQ(window->Sky.BufferIndex, index);
    EXPECT_EQ(window->Front().Picture(), before);
    window->Form1.ResizeTo(1, 1);
    window->Form1.ResizeTo(584, 416);
    EXPECT_EQ(window->Picture1_0.Width(), 408);
}

TEST(FormLoad, StopsBeforeShowingWithoutTheCatalogue) {
    auto window = HeadlessWindow::Create();
    try {
        window->Load("/nonexistent/StarData");
        ADD_FAILURE();
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Kind(), ErrorKind::FileNotFound);
    }
    EXPECT_FALSE(window->Form1.Visible);
}
