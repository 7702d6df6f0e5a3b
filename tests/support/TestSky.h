#pragma once
// Shared set-up for the drawing tests: a sky in the start-up view on a square
// chart of a chosen radius, over an empty catalogue.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/FileChars.h"
#include "catalogue/StarData.h"
#include "catalogue/StarDataPath.h"
#include "core/Moment.h"
#include "core/Sky.h"
#include "core/View.h"
#include "geometry/Projection.h"
#include "render/Chart.h"
#include "render/RasterSurface.h"
#include "session/HeadlessWindow.h"
#include "time/Clock.h"

// The moment of a lesson: day of the year 0..364 at hour:00 zone time, longitude 135.
inline Moment MomentAt(int day, int hour, double latitude) {
    Moment at;
    at.MinuteOfYear = day * 1440 + hour * 60;
    SplitMinuteOfYear(at);
    at.Longitude = 135;
    at.PoleAngle = 90 + latitude;
    return at;
}

#ifdef DOMARIUM_WEB_TESTS
// The engine's tests in the browser edition's build: text from the glyph file.
#include "WebTestText.h"
#else
#include "qttext/QtText.h"

// The text of the charts and of the read-outs, as the program draws it. Made once and
// never destroyed: surfaces in static test data may outlive the test's end.
inline const GlyphSource& ChartText() {
    static const auto* glyphs = new QtGlyphSource(ChartFont());
    return *glyphs;
}
inline const GlyphSource& ReadoutText() {
    static const auto* glyphs = new QtGlyphSource(ReadoutFont());
    return *glyphs;
}
// The labels' font, as the program reads it.
inline const LabelFont* ChartLabels() {
    static const auto* font = [] {
        const std::filesystem::path file = LabelFontFile();
        return new LabelFont([file] { return ReadWholeFile(file); }, file.string());
    }();
    return font;
}
#endif
inline std::unique_ptr<HeadlessWindow> NewWindow() {
    return HeadlessWindow::Create(ChartText(), ReadoutText(), ChartLabels());
}

// The project's own catalogue, and a headless window started on it as the program starts.
inline const std::filesystem::path Catalogue =
    std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData";
// The project's catalogue as a sky, loaded once.
inline const Sky& LoadedSky() {
    static const Sky* loaded = [] {
        auto* sky = new Sky;
        LoadStarDataFrom(*sky, Catalogue);
        return sky;
    }();
    return *loaded;
}
inline std::unique_ptr<HeadlessWindow> StartedWindow() {
    auto window = NewWindow();
    window->Load(Catalogue);
    return window;
}
// The chart a redraw has just drawn: the one it leaves behind the front.
inline PixelImage LastDrawn(HeadlessWindow& window) {
    return (window.State.BufferIndex == 0 ? window.Chart0 : window.Chart1).Picture();
}

#ifndef DOMARIUM_WEB_TESTS
// A picture as a Qt image, for comparing it with what a widget shows.
inline QImage ToImage(const PixelImage& picture) {
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width,
                  picture.Height, picture.Width * 4, QImage::Format_RGB32)
        .copy();
}
#endif

// A read-out surface with text printed as WriteReadouts prints it, for comparing pictures.
// Kept by text: the random event runs check the read-outs after every event.
inline const PixelImage& ReadoutWith(const std::string& text) {
    static std::map<std::string, PixelImage> made;
    auto found = made.find(text);
    if (found != made.end()) return found->second;
    RasterSurface reference(ReadoutWidth, ReadoutHeight, White, ReadoutText());
    reference.ForeColor = Black;
    reference.PrintText(text);
    return made.emplace(text, reference.Picture()).first->second;
}

// A chart's three inputs for drawing tests: an empty sky (every star too faint to pass the
// limit unless a test puts it there), the start-up moment and a view, with the projection
// at a chosen centre and radius.
struct TestChart {
    Sky Stars;
    Moment At;
    View Look;
    float Center = 0.0f;
    double Radius = 0.0;
    ChartCache Cache;
    std::optional<double> Sidereal;  // Degrees: the chart's sidereal angle instead of the moment's.
    // The scene at the test's centre and radius, whatever the view's side says.
    // The catalogue's derived values are made anew first, as a test may change its columns.
    Scene Make() {
        DerivePolarValues(Stars);
        Scene scene = SceneOf(Stars, At, Look);
        scene.Proj.CenterX = scene.Proj.CenterY = Center;
        scene.Proj.R = Radius;
        if (Sidereal) scene.SiderealAngle = *Sidereal;
        return scene;
    }
    Projection Proj() { return Make().Proj; }
};

inline std::unique_ptr<TestChart> ChartSky(float center, double radius, std::int16_t elevation = 10,
                                           double poleAngle = 125) {
    auto chart = std::make_unique<TestChart>();
    chart->Center = center;
    chart->Radius = radius;
    chart->At.PoleAngle = poleAngle;
    chart->At.Longitude = 135;
    chart->Look.Elevation = elevation;
    chart->Look.LimitMag = 3.5;
    chart->Look.Side = static_cast<int>(2 * center);
    chart->Stars.StarMag.fill(99);  // Nothing passes the limit unless a test puts it there.
    return chart;
}

#ifndef DOMARIUM_WEB_TESTS
inline QRgb Grey(int level) { return qRgb(level, level, level); }
#endif

inline std::unique_ptr<RasterSurface> ChartRaster(int side) {
    auto s = std::make_unique<RasterSurface>(side, side, 0, ChartText());
    s->SetLabelFont(ChartLabels());
    s->FillStyle = FillStyleKind::Solid;
    s->FillColor = RGB(255, 255, 255);
    return s;
}
