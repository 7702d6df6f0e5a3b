// The C functions the page calls (exported by name, see web/CMakeLists.txt).
// Every change on the page comes through here; the page keeps no state of the
// sky itself and draws only what ChartRgba hands it.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

#include "WebSession.h"

#include "GlyphFile.h"
#include "session/HeadlessWindow.h"
#include "session/Layout.h"
#include "geometry/Projection.h"
#include "session/Redraw.h"

namespace {
WebSession* Session = nullptr;
std::string StarDataPath, GlyphText;  // As last started, for the redraw benchmark.
std::string Returned;  // Strings returned to the page live until the next call.

WebControl ControlOf(int control) { return static_cast<WebControl>(control); }
bool Known(int control) { return control >= 0 && control < WebControlCount; }
const char* Keep(std::string text) {
    Returned = std::move(text);
    return Returned.c_str();
}
}  // namespace

extern "C" {

// Start-up with the catalogue at path (the page writes the fetched StarData
// there; a failed fetch writes nothing, and the loader reports a missing file)
// and the chart's glyph file's text.
EMSCRIPTEN_KEEPALIVE int domarium_start(const char* path, const char* glyphs, int side) {
    delete Session;
    Session = new WebSession();
    StarDataPath = path;
    GlyphText = glyphs;
    return Session->Start(path, glyphs, side) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* domarium_error() {
    return Session != nullptr ? Session->Error().c_str() : "";
}

EMSCRIPTEN_KEEPALIVE int domarium_set(int control, int value) {
    return Session != nullptr && Known(control) && Session->Set(ControlOf(control), value) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int domarium_get(int control) {
    return Session != nullptr && Known(control) ? Session->Get(ControlOf(control)) : 0;
}

EMSCRIPTEN_KEEPALIVE int domarium_minimum(int control) {
    return Session != nullptr && Known(control) ? Session->Minimum(ControlOf(control)) : 0;
}

EMSCRIPTEN_KEEPALIVE int domarium_maximum(int control) {
    return Session != nullptr && Known(control) ? Session->Maximum(ControlOf(control)) : -1;
}

// The list's items joined by newlines; empty for a scroll control.
EMSCRIPTEN_KEEPALIVE const char* domarium_items(int control) {
    std::string joined;
    if (Session != nullptr && Known(control)) {
        if (const auto* items = Session->Items(ControlOf(control))) {
            for (const std::string& item : *items) joined += item + "\n";
        }
    }
    return Keep(joined);
}

// "" when applied; otherwise the Japanese message for the page.
EMSCRIPTEN_KEEPALIVE const char* domarium_parameter(const char* name, const char* value) {
    return Keep(Session != nullptr ? Session->ApplyParameter(name, value) : "");
}

EMSCRIPTEN_KEEPALIVE void domarium_button(int event, int buttons) {
    if (Session != nullptr) Session->Button(event, buttons);
}

EMSCRIPTEN_KEEPALIVE void domarium_resize(int side) {
    if (Session != nullptr) Session->Resize(side);
}

EMSCRIPTEN_KEEPALIVE const char* domarium_readout(int which) {
    return Keep(Session != nullptr ? Session->Readout(which) : "");
}

EMSCRIPTEN_KEEPALIVE int domarium_chart_side() {
    return Session != nullptr ? Session->ChartSide() : 0;
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* domarium_chart_rgba() {
    return Session != nullptr ? Session->ChartRgba() : nullptr;
}

// Purpose: the redraw benchmark, measured as bench/EngineBench.cpp measures the
//   native one: a window of its own started at the given chart side and limit,
//   then count redraws, each an animation step (clock + 5 minutes) or, with
//   newView, a change of azimuth by a degree (the frame drawn in full).
// Reads: side in pixels (>= 1); limitIndex, an item of the magnitude list; count >= 1.
// Returns: microseconds per redraw; -1 before a start or on a run-time error.
EMSCRIPTEN_KEEPALIVE double domarium_bench_redraw(int side, int limitIndex, int newView, int count) {
    if (Session == nullptr || count < 1) return -1;
    try {
        const FileGlyphSource glyphs(GlyphText);
        auto window = HeadlessWindow::Create(glyphs, glyphs);
        window->Window.Width = static_cast<float>(side + ChartMargin + PanelAllowance + 64);
        window->Window.Height = static_cast<float>(side + ChartMargin);
        window->Load(StarDataPath);
        window->MagnitudeList.SetListIndex(limitIndex);
        SkyState& Sky = window->Sky;
        const double start = emscripten_get_now();
        for (int i = 0; i < count; ++i) {
            if (newView != 0) {
                Sky.ViewAzimuth = static_cast<std::int16_t>((Sky.ViewAzimuth + 1) % 361);
                UpdateViewTrig(Sky);
            } else {
                Sky.MinuteOfYear = (Sky.MinuteOfYear + 5) % 525600;
            }
            RedrawSky(Sky, window->Ui);
        }
        return (emscripten_get_now() - start) * 1000.0 / count;
    } catch (const std::exception&) {
        return -1;
    }
}

}  // extern "C"
