#pragma once
// Shared set-up for the drawing tests: a sky in the start-up view on a square
// chart of a chosen radius, over an empty catalogue.

#include <map>
#include <memory>
#include <string>

#include "core/SkyState.h"
#include "geometry/Projection.h"
#include "qttext/QtText.h"
#include "render/RasterSurface.h"
#include "session/HeadlessWindow.h"

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
inline std::unique_ptr<HeadlessWindow> NewWindow() {
    return HeadlessWindow::Create(ChartText(), ReadoutText());
}

// A picture as a Qt image, for comparing it with what a widget shows.
inline QImage ToImage(const PixelImage& picture) {
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width,
                  picture.Height, picture.Width * 4, QImage::Format_RGB32)
        .copy();
}

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

inline std::unique_ptr<SkyState> ChartSky(float center, double radius, std::int16_t elevation = 10,
                                          double poleAngle = 125) {
    auto Sky = std::make_unique<SkyState>();
    Sky->Pi = 3.14159265358979;
    Sky->CenterX = Sky->CenterY = center;
    Sky->ChartRadius = radius;
    Sky->PoleAngle = poleAngle;
    Sky->ViewElevation = elevation;
    Sky->SphereGrey = 80;
    Sky->HorizonGrey = 128;
    Sky->CompassGrey = 160;
    Sky->LimitMag = 3.5;
    Sky->Longitude = 135;
    Sky->StarMag.fill(99);  // Nothing passes the limit unless a test puts it there.
    UpdateViewTrig(*Sky);
    return Sky;
}

inline QRgb Grey(int level) { return qRgb(level, level, level); }

inline std::unique_ptr<RasterSurface> ChartRaster(int side) {
    auto s = std::make_unique<RasterSurface>(side, side, 0, ChartText());
    s->FillStyle = FillStyleKind::Solid;
    s->FillColor = RGB(255, 255, 255);
    return s;
}
