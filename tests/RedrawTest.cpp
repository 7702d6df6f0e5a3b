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

// Where the two charts may differ, as a screen showing one learns it when the other comes
// to the front: every differing pixel lies in a listed span, through animation steps with
// and without an overlay layer; after a new view drawn once nothing can be told.
TEST(RedrawSky, ChartsDifferOnlyInTheirListedSpans) {
    auto window = Started();
    const auto differenceListed = [&window] {
        std::vector<RasterSurface::Span> spans;
        if (!window->Chart0.SpansDifferingFrom(window->Chart1, spans)) return false;
        const int width = window->Chart0.Width();
        std::vector<bool> listed(static_cast<std::size_t>(width * window->Chart0.Height()));
        for (const auto& span : spans)
            for (int x = span.X1; x <= span.X2; ++x)
                listed[static_cast<std::size_t>(span.Y * width + x)] = true;
        const PixelImage a = window->Chart0.Picture(), b = window->Chart1.Picture();
        for (std::size_t i = 0; i < listed.size(); ++i)
            if (a.Pixels[i] != b.Pixels[i] && !listed[i]) return false;
        return true;
    };
    for (const bool sun : {false, true}) {
        window->State.View.Overlays.Sun = sun;
        for (int step = 0; step < 6; ++step) {
            window->State.Moment.MinuteOfYear += 30;
            RedrawSky(window->State, window->Ui);
            if (step >= 3) {
                EXPECT_TRUE(differenceListed()) << sun << " " << step;
            }
        }
    }
    window->AzimuthBar.MoveTo(40);  // A new view, drawn once on each chart.
    std::vector<RasterSurface::Span> spans;
    EXPECT_FALSE(window->Chart0.SpansDifferingFrom(window->Chart1, spans));
}

// The two charts keep one copy of a frame they share, and a layer kept over it goes into
// copies of their own: with the lesson overlays on (lines and blended text) and off again,
// both charts stay as a fresh window draws them.
TEST(RedrawSky, TwinChartsKeepOneFrameUntilALayerDividesThem) {
    auto window = Started();
    EXPECT_TRUE(window->Chart0.KeepsOneFrameWithTwin());
    for (const bool on : {true, false}) {
        window->State.View.Overlays = {on, on, on};
        window->State.View.Overlays.Names = on;
        for (int step = 0; step < 4; ++step) {
            window->State.Moment.MinuteOfYear += 30;
            RedrawSky(window->State, window->Ui);
        }
        RedrawSky(window->State, window->Ui);  // Both charts now hold the same state.
        auto fresh = Started();
        fresh->State.View.Overlays = window->State.View.Overlays;
        fresh->State.Moment.MinuteOfYear = window->State.Moment.MinuteOfYear;
        RedrawSky(fresh->State, fresh->Ui);
        RedrawSky(fresh->State, fresh->Ui);
        EXPECT_EQ(window->Chart0.Picture(), fresh->Chart0.Picture()) << on;
        EXPECT_EQ(window->Chart1.Picture(), fresh->Chart1.Picture()) << on;
    }
    EXPECT_TRUE(window->Chart0.KeepsOneFrameWithTwin());
}
