#include <gtest/gtest.h>

#include <filesystem>

#include "app/HeadlessWindow.h"
#include "render/Redraw.h"
#include "time/Settings.h"

namespace {
std::unique_ptr<HeadlessWindow> Started() {
    auto window = HeadlessWindow::Create();
    window->Load(std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
    return window;
}
}  // namespace

TEST(RedrawSky, LeavesBothChartsAlikeAfterStartUp) {
    auto window = Started();
    EXPECT_EQ(window->Sky.BufferIndex, 0);
    EXPECT_EQ(&window->Front(), &window->Picture1_1);
    EXPECT_EQ(window->Stack.OnScreen, &window->Picture1_1);
    EXPECT_EQ(window->Picture1_0.Picture(), window->Picture1_1.Picture());
    EXPECT_EQ(window->Picture1_0.Width(), 408);
}

TEST(RedrawSky, PairKeepsTheIndexAndShowsTheNewState) {
    auto window = Started();
    window->Sky.MinuteOfYear = 600;
    RedrawSky(window->Sky, window->Ui);
    RedrawSky(window->Sky, window->Ui);
    EXPECT_EQ(window->Sky.BufferIndex, 0);
    EXPECT_EQ(window->Picture1_0.Picture(), window->Picture1_1.Picture());
    // The same state drawn from scratch in another window looks the same.
    auto fresh = Started();
    fresh->Sky.MinuteOfYear = 600;
    RedrawSky(fresh->Sky, fresh->Ui);
    RedrawSky(fresh->Sky, fresh->Ui);
    EXPECT_EQ(window->Front().Picture(), fresh->Front().Picture());
}

TEST(RedrawSky, SingleCallShowsThePreviousDrawing) {
    auto window = Started();
    const QImage before = window->Front().Picture().copy();
    window->Sky.MinuteOfYear = 720;
    RedrawSky(window->Sky, window->Ui);
    EXPECT_EQ(window->Sky.BufferIndex, 1);
    EXPECT_EQ(&window->Front(), &window->Picture1_0);
    EXPECT_EQ(window->Front().Picture(), before);
    EXPECT_NE(window->Picture1_1.Picture(), before);  // The new state, still covered.
    EXPECT_EQ(window->Sky.SiderealAngle, (720 - window->Sky.EpochMinute) * 0.2506849315068493);
}

TEST(RedrawSky, CompletesOnTheZeroCacheAndCatalogue) {
    auto window = HeadlessWindow::Create();
    int presents = 0;
    window->Picture1_0.OnZOrder = window->Picture1_1.OnZOrder = [&](RasterSurface&) { ++presents; };
    window->Load(std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
    // Ten hidden redraws from the lists, two in the first Resize, two at the end.
    EXPECT_EQ(presents, 14);
}
