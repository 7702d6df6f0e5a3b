// Benchmarks of the engine: projecting the catalogue, loading it, and the
// whole redraw, each beside the floor it is measured against:
//  - projection: one sine/cosine pair per star (the right-ascension term,
//    the only one that changes with the clock);
//  - redraw: filling the chart image once plus that pair per star that passes
//    the limit.
// Run: build/release/bench/domarium_bench

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "astro/Bodies.h"
#include "catalogue/FileChars.h"
#include "catalogue/StarData.h"
#include "catalogue/StarDataPath.h"
#include "core/VectorState.h"
#include "geometry/Projection.h"
#include "qttext/QtText.h"
#include "render/LabelFont.h"
#include "session/HeadlessWindow.h"
#include "session/Layout.h"
#include "session/Redraw.h"
#include "session/StartUp.h"
#include "time/Clock.h"

namespace {
const std::filesystem::path Catalogue = std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData";

// A window as the program makes one: its charts' text, the read-outs' and the labels' font.
std::unique_ptr<HeadlessWindow> NewWindow() {
    static const auto* chartText = new QtGlyphSource(ChartFont());
    static const auto* readoutText = new QtGlyphSource(ReadoutFont());
    static const auto* labels =
        new LabelFont([] { return ReadWholeFile(LabelFontFile()); }, LabelFontFile().string());
    return HeadlessWindow::Create(*chartText, *readoutText, labels);
}

std::unique_ptr<HeadlessWindow> Started(int side, int limitIndex) {
    auto window = NewWindow();
    window->Window.Width = static_cast<float>(side + ChartMargin + PanelAllowance + 64);
    window->Window.Height = static_cast<float>(side + ChartMargin);
    window->Load(Catalogue);
    window->MagnitudeList.SetListIndex(limitIndex);
    return window;
}

constexpr int Limit79 = 93, Limit35 = 49;

// The whole catalogue as the star pass projects it: in one batch.
void ProjectAllStars(benchmark::State& state) {
    auto window = Started(408, Limit79);
    const Sky& sky = *window->State.Sky;
    Moment& at = window->State.Moment;
    const Projection p = ProjectionOf(at, window->State.View);
    std::vector<std::int16_t> all(StarCount);
    for (int i = 0; i < StarCount; ++i)
        all[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i);
    std::vector<StarProjection> out(StarCount);
    ClearUpperVectorState();
    for (auto _ : state) {
        at.MinuteOfYear = (at.MinuteOfYear + 5) % 525600;
        ProjectStarBatch(sky, p, SiderealAngleOf(at), all.data(), StarCount, out.data());
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(ProjectAllStars)->Unit(benchmark::kMicrosecond);

// The same, star by star: a batch of one for each, so the same library calls and
// arithmetic per star without running several stars at once.
void ProjectStarOneByOne(benchmark::State& state) {
    auto window = Started(408, Limit79);
    const Sky& sky = *window->State.Sky;
    Moment& at = window->State.Moment;
    const Projection p = ProjectionOf(at, window->State.View);
    double sink = 0;
    ClearUpperVectorState();
    for (auto _ : state) {
        at.MinuteOfYear = (at.MinuteOfYear + 5) % 525600;
        const double angle = SiderealAngleOf(at);
        for (std::int16_t i = 0; i < StarCount; ++i) {
            StarProjection star;
            ProjectStarBatch(sky, p, angle, &i, 1, &star);
            sink += star.OffsetX;
        }
    }
    benchmark::DoNotOptimize(sink);
}
BENCHMARK(ProjectStarOneByOne)->Unit(benchmark::kMicrosecond);

// The floor of the projection: the sine and cosine of each star's right-ascension offset.
void FloorSinCosPerStar(benchmark::State& state) {
    auto window = Started(408, Limit79);
    const Sky& sky = *window->State.Sky;
    double sink = 0;
    double angle = 0;
    ClearUpperVectorState();
    for (auto _ : state) {
        angle += 1.25;
        for (int i = 0; i < StarCount; ++i) {
            const double offset =
                ((sky.StarRA[static_cast<std::size_t>(i)] - angle) * ChartPi) / 180;
            sink += std::sin(offset) + std::cos(offset);
        }
        benchmark::DoNotOptimize(sink);
    }
}
BENCHMARK(FloorSinCosPerStar)->Unit(benchmark::kMicrosecond);

void LoadCatalogue(benchmark::State& state) {
    auto sky = std::make_unique<Sky>();
    for (auto _ : state) {
        LoadStarDataFrom(*sky, Catalogue);
        benchmark::DoNotOptimize(sky->StarMag[0]);
    }
}
BENCHMARK(LoadCatalogue)->Unit(benchmark::kMicrosecond);

// Start-up without a window: the state, the lists with their ten hidden redraws,
// the catalogue, the first Resize and the final redraw pair.
void StartUpHeadless(benchmark::State& state) {
    for (auto _ : state) {
        auto window = NewWindow();
        window->Load(Catalogue);
        benchmark::DoNotOptimize(window->State.BufferIndex);
    }
}
BENCHMARK(StartUpHeadless)->Unit(benchmark::kMillisecond);

// The chart sides and limits every redraw figure is measured at: the start-up
// side and a large one, the full catalogue and the start-up limit.
void ChartCases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"side", "limit"});
    for (int side : {408, 1600})
        for (int limit : {Limit79, Limit35}) b->Args({side, limit});
}

// One redraw as an animation step makes it: the clock moves, the view stays.
void Redraw(benchmark::State& state) {
    auto window = Started(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    WindowState& State = window->State;
    for (auto _ : state) {
        State.Moment.MinuteOfYear = (State.Moment.MinuteOfYear + 5) % 525600;
        RedrawSky(State, window->Ui);
    }
}
BENCHMARK(Redraw)->Apply(ChartCases)->Unit(benchmark::kMicrosecond);

// The redraw of an animation step at the start-up side, without and with all three
// lesson overlays (Sun, seasons, circles): the overlays must stay under the redraw's
// own cost, so "overlays:1" under twice "overlays:0" at the same limit. "overlays:2" adds
// the constellation lines and names: every label of the chart laid out in each step.
void RedrawWithOverlays(benchmark::State& state) {
    auto window = Started(408, static_cast<int>(state.range(1)));
    WindowState& State = window->State;
    const bool on = state.range(0) != 0, all = state.range(0) == 2;
    State.View.Overlays = {on, on, on, false, all, all};
    for (auto _ : state) {
        State.Moment.MinuteOfYear = (State.Moment.MinuteOfYear + 5) % 525600;
        RedrawSky(State, window->Ui);
    }
}
// An animation step of each view kind (0 the dome, 1 全天, 2 地平) at the start-up side with
// the Sun, seasons and circles and the constellations, and with trails:1 the 12 hours'
// star trails too: a ground view's step must stay within 1.5 times the dome's at the same
// side, limit and overlays.
void RedrawGroundView(benchmark::State& state) {
    auto window = Started(408, static_cast<int>(state.range(1)));
    WindowState& State = window->State;
    State.View.Kind = static_cast<ViewKind>(state.range(0));
    State.View.Overlays = {true, true, true, state.range(2) != 0, true, true};
    for (auto _ : state) {
        State.Moment.MinuteOfYear = (State.Moment.MinuteOfYear + 5) % 525600;
        RedrawSky(State, window->Ui);
    }
}
BENCHMARK(RedrawGroundView)
    ->ArgNames({"view", "limit", "trails"})
    ->ArgsProduct({{0, 1, 2}, {Limit35, Limit79}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// A drag of the azimuth with 12 hours' trails at limit 7.9: each step a new view, so
// the kept circles of the ground views are made again (the dome's: view:0).
void RedrawGroundViewTurning(benchmark::State& state) {
    auto window = Started(408, Limit79);
    WindowState& State = window->State;
    State.View.Kind = static_cast<ViewKind>(state.range(0));
    State.View.Overlays = {true, true, true, true, true, true};
    for (auto _ : state) {
        State.View.Azimuth = static_cast<std::int16_t>((State.View.Azimuth + 1) % 360);
        RedrawSky(State, window->Ui);
    }
}
BENCHMARK(RedrawGroundViewTurning)
    ->ArgNames({"view"})
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(RedrawWithOverlays)
    ->ArgNames({"overlays", "limit"})
    ->Args({0, Limit35})
    ->Args({1, Limit35})
    ->Args({0, Limit79})
    ->Args({1, Limit79})
    ->Args({2, Limit35})
    ->Args({2, Limit79})
    ->Unit(benchmark::kMicrosecond);

// The redraw of an animation step at the start-up side with the year's overlays: the
// ecliptic with its months and zodiac, and the orbit inset.
void RedrawWithYearOverlays(benchmark::State& state) {
    auto window = Started(408, static_cast<int>(state.range(0)));
    WindowState& State = window->State;
    State.View.Overlays.Ecliptic = State.View.Overlays.Orbit = true;
    for (auto _ : state) {
        State.Moment.MinuteOfYear = (State.Moment.MinuteOfYear + 5) % 525600;
        RedrawSky(State, window->Ui);
    }
}
BENCHMARK(RedrawWithYearOverlays)
    ->ArgNames({"limit"})
    ->Arg(Limit35)
    ->Arg(Limit79)
    ->Unit(benchmark::kMicrosecond);

// The redraw of an animation step at the start-up side, without and with the Moon and the
// planets: the seven bodies are worked out once per step. "bodies:1" is about 1.2 times
// "bodies:0" at limit 7.9. At 3.5, where the stars cost little, ComputeBodies alone is a
// sixth of "bodies:0", and some 1,750 pixels move with the bodies each step (the discs and
// the haloed labels, put back and drawn again): "bodies:1" is about 1.9 times there.
void RedrawWithBodies(benchmark::State& state) {
    auto window = Started(408, static_cast<int>(state.range(1)));
    WindowState& State = window->State;
    State.View.Overlays.Moon = State.View.Overlays.Planets = state.range(0) != 0;
    for (auto _ : state) {
        State.Moment.MinuteOfYear = (State.Moment.MinuteOfYear + 5) % 525600;
        RedrawSky(State, window->Ui);
    }
}
BENCHMARK(RedrawWithBodies)
    ->ArgNames({"bodies", "limit"})
    ->Args({0, Limit35})
    ->Args({1, Limit35})
    ->Args({0, Limit79})
    ->Args({1, Limit79})
    ->Unit(benchmark::kMicrosecond);

// The seven bodies of one animation step alone, with the series kept as the chart cache
// keeps them: what RedrawWithBodies adds beyond the drawing.
void ComputeBodies(benchmark::State& state) {
    BodyTables tables;
    double minute = 0;
    for (auto _ : state) {
        minute += 5;
        benchmark::DoNotOptimize(
            BodiesAt(JulianDateOfClock(2026, minute), 35, minute * 0.25, tables));
    }
}
BENCHMARK(ComputeBodies)->Unit(benchmark::kMicrosecond);

// One redraw after a change of view (the azimuth), so the frame is drawn in full.
void RedrawNewView(benchmark::State& state) {
    auto window = Started(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    WindowState& State = window->State;
    for (auto _ : state) {
        State.View.Azimuth = static_cast<std::int16_t>((State.View.Azimuth + 1) % 361);
        RedrawSky(State, window->Ui);
    }
}
BENCHMARK(RedrawNewView)->Apply(ChartCases)->Unit(benchmark::kMicrosecond);

// One animation-step redraw with 12-hour star trails, measured against the plain step of
// the same run, Redraw at the same side and limit (registered beside it below): at the
// start-up side within six times that, and on a 1920 x 1080 projector's chart (side 1040)
// within one frame at 60 Hz (16 ms).
void RedrawWithTrails(benchmark::State& state) {
    auto window = Started(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    WindowState& State = window->State;
    State.View.Overlays.Trails = true;
    State.View.Overlays.TrailHours = 12;
    for (auto _ : state) {
        State.Moment.MinuteOfYear = (State.Moment.MinuteOfYear + 5) % 525600;
        RedrawSky(State, window->Ui);
    }
}
void TrailCases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"side", "limit"});
    for (int side : {408, 1040}) b->Args({side, Limit79});
    b->Args({408, Limit35});
}
BENCHMARK(RedrawWithTrails)->Apply(TrailCases)->Unit(benchmark::kMicrosecond);

// The same after a change of view (the azimuth, as a drag turns it): the trails' circles
// are made again for every step.
void RedrawWithTrailsNewView(benchmark::State& state) {
    auto window = Started(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    WindowState& State = window->State;
    State.View.Overlays.Trails = true;
    State.View.Overlays.TrailHours = 12;
    for (auto _ : state) {
        State.View.Azimuth = static_cast<std::int16_t>((State.View.Azimuth + 1) % 361);
        RedrawSky(State, window->Ui);
    }
}
BENCHMARK(RedrawWithTrailsNewView)->Apply(TrailCases)->Unit(benchmark::kMicrosecond);
BENCHMARK(Redraw)->Args({1040, Limit79})->Unit(benchmark::kMicrosecond);

// The floor of a redraw: fill the chart image once, and one sine/cosine pair per
// star that passes the limit.
void FloorRedraw(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    auto window = Started(side, static_cast<int>(state.range(1)));
    const Sky& sky = *window->State.Sky;
    const double limit = window->State.View.LimitMag;
    std::vector<Pixel> image(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    double sink = 0, angle = 0;
    for (auto _ : state) {
        std::fill(image.begin(), image.end(), Pixel{0});
        ClearUpperVectorState();
        angle += 1.25;
        for (int i = 0; i < StarCount; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (sky.StarMag[k] < limit) {
                const double offset = ((sky.StarRA[k] - angle) * ChartPi) / 180;
                sink += std::sin(offset) + std::cos(offset);
            }
        }
        benchmark::DoNotOptimize(sink);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(FloorRedraw)->Apply(ChartCases)->Unit(benchmark::kMicrosecond);

// The chart cases on a screen of ratio 2: the laid-out window's chart at 816 device pixels,
// with figures and text twice as large.
void ChartCasesAtRatioTwo(benchmark::internal::Benchmark* b) {
    b->ArgNames({"side", "limit"});
    for (int limit : {Limit79, Limit35}) b->Args({816, limit});
}

// One animation step on that screen; its floor is FloorRedraw at side 816.
void RedrawAtRatioTwo(benchmark::State& state) {
    static const auto* doubled = new QtGlyphSource([] {
        QFont font = ChartFont();
        font.setPointSizeF(font.pointSizeF() * 2);
        return font;
    }());
    auto window = Started(408, static_cast<int>(state.range(1)));
    window->Window.Ratio = 2.0;
    for (RasterSurface* chart : {&window->Chart0, &window->Chart1}) {
        chart->DrawScale = 2.0f;
        chart->SetGlyphs(*doubled);
    }
    FitChartToWindow(window->State, window->Ui);
    if (window->Chart0.Width() != static_cast<int>(state.range(0))) state.SkipWithError("side");
    WindowState& State = window->State;
    for (auto _ : state) {
        State.Moment.MinuteOfYear = (State.Moment.MinuteOfYear + 5) % 525600;
        RedrawSky(State, window->Ui);
    }
}
BENCHMARK(RedrawAtRatioTwo)->Apply(ChartCasesAtRatioTwo)->Unit(benchmark::kMicrosecond);
BENCHMARK(FloorRedraw)->Apply(ChartCasesAtRatioTwo)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
