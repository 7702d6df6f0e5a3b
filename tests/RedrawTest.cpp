#include <gtest/gtest.h>

#include <filesystem>

#include "session/Handlers.h"
#include "session/HeadlessWindow.h"
#include "session/Redraw.h"
#include "support/TestSky.h"

namespace {
std::unique_ptr<HeadlessWindow> Started() {
    auto window = StartedWindow();
    return window;
}
}  // namespace

TEST(RedrawSky, LeavesBothChartsAlikeAfterStartUp) {
    auto window = Started();
    EXPECT_EQ(window->State.BufferIndex, 0);
    EXPECT_EQ(&window->Front(), &window->Chart1);
    EXPECT_EQ(window->Stack.OnScreen, &window->Chart1);
    EXPECT_EQ(window->Chart0.Picture(), window->Chart1.Picture());
    EXPECT_EQ(window->Chart0.Width(), 408);
}

TEST(RedrawSky, PairKeepsTheIndexAndShowsTheNewState) {
    auto window = Started();
    window->State.Moment.MinuteOfYear = 600;
    RedrawSky(window->State, window->Ui);
    RedrawSky(window->State, window->Ui);
    EXPECT_EQ(window->State.BufferIndex, 0);
    EXPECT_EQ(window->Chart0.Picture(), window->Chart1.Picture());
    // The same state drawn from scratch in another window looks the same.
    auto fresh = Started();
    fresh->State.Moment.MinuteOfYear = 600;
    RedrawSky(fresh->State, fresh->Ui);
    RedrawSky(fresh->State, fresh->Ui);
    EXPECT_EQ(window->Front().Picture(), fresh->Front().Picture());
}

TEST(RedrawSky, SingleCallShowsThePreviousDrawing) {
    auto window = Started();
    const PixelImage before = window->Front().Picture();
    window->State.Moment.MinuteOfYear = 720;
    RedrawSky(window->State, window->Ui);
    EXPECT_EQ(window->State.BufferIndex, 1);
    EXPECT_EQ(&window->Front(), &window->Chart0);
    EXPECT_EQ(window->Front().Picture(), before);
    EXPECT_NE(window->Chart1.Picture(), before);  // The new state, still covered.
}

TEST(RedrawSky, CompletesOnTheZeroCacheAndCatalogue) {
    auto window = NewWindow();
    int presents = 0;
    window->Chart0.OnBringToFront =
        window->Chart1.OnBringToFront = [&](RasterSurface&) { ++presents; };
    window->Load(Catalogue);
    // Ten hidden redraws from the lists, two in the first Resize, two at the end.
    EXPECT_EQ(presents, 14);
}
