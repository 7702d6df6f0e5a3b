#include <gtest/gtest.h>

#include <filesystem>

#include "session/Handlers.h"
#include "session/HeadlessWindow.h"
#include "session/Redraw.h"
#include "support/TestSky.h"

namespace {
std::unique_ptr<HeadlessWindow> Started() {
    auto window = NewWindow();
    window->Load(std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
    return window;
}
}  // namespace

TEST(RedrawSky, LeavesBothChartsAlikeAfterStartUp) {
    auto window = Started();
    EXPECT_EQ(window->Sky.BufferIndex, 0);
    EXPECT_EQ(&window->Front(), &window->Chart1);
    EXPECT_EQ(window->Stack.OnScreen, &window->Chart1);
    EXPECT_EQ(window->Chart0.Picture(), window->Chart1.Picture());
    EXPECT_EQ(window->Chart0.Width(), 408);
}

TEST(RedrawSky, PairKeepsTheIndexAndShowsTheNewState) {
    auto window = Started();
    window->Sky.MinuteOfYear = 600;
    RedrawSky(window->Sky, window->Ui);
    RedrawSky(window->Sky, window->Ui);
    EXPECT_EQ(window->Sky.BufferIndex, 0);
    EXPECT_EQ(window->Chart0.Picture(), window->Chart1.Picture());
    // The same state drawn from scratch in another window looks the same.
    auto fresh = Started();
    fresh->Sky.MinuteOfYear = 600;
    RedrawSky(fresh->Sky, fresh->Ui);
    RedrawSky(fresh->Sky, fresh->Ui);
    EXPECT_EQ(window->Front().Picture(), fresh->Front().Picture());
}

TEST(RedrawSky, SingleCallShowsThePreviousDrawing) {
    auto window = Started();
    const PixelImage before = window->Front().Picture();
    window->Sky.MinuteOfYear = 720;
    RedrawSky(window->Sky, window->Ui);
    EXPECT_EQ(window->Sky.BufferIndex, 1);
    EXPECT_EQ(&window->Front(), &window->Chart0);
    EXPECT_EQ(window->Front().Picture(), before);
    EXPECT_NE(window->Chart1.Picture(), before);  // The new state, still covered.
    EXPECT_EQ(window->Sky.SiderealAngle, (720 - window->Sky.EpochMinute) * 0.2506849315068493);
}

TEST(RedrawSky, CompletesOnTheZeroCacheAndCatalogue) {
    auto window = NewWindow();
    int presents = 0;
    window->Chart0.OnBringToFront =
        window->Chart1.OnBringToFront = [&](RasterSurface&) { ++presents; };
    window->Load(std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
    // Ten hidden redraws from the lists, two in the first Resize, two at the end.
    EXPECT_EQ(presents, 14);
}
