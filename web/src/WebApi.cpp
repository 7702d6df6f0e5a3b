// The C functions the page calls (exported by name, see web/CMakeLists.txt).
// Every change on the page comes through here; the page keeps no state of the
// sky itself and draws only what ChartRgba hands it.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

#include "WebSession.h"
#include "core/Settings.h"

namespace {
WebSession* Session = nullptr;
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
// and the chart's glyph file at glyphs, written there the same way.
EMSCRIPTEN_KEEPALIVE int domarium_start(const char* path, const char* glyphs, int side,
                                        int scaleHundredths) {
    delete Session;
    Session = new WebSession();
    return Session->Start(path, glyphs, side, scaleHundredths) ? 1 : 0;
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

// The table of settings as JSON (core/Settings.h, SettingsJson): every control's id,
// name, kind, caption, range, default and items. The page builds its controls from it.
EMSCRIPTEN_KEEPALIVE const char* domarium_settings() { return Keep(SettingsJson()); }

// "" when applied; otherwise the Japanese message for the page.
EMSCRIPTEN_KEEPALIVE const char* domarium_parameter(const char* name, const char* value) {
    return Keep(Session != nullptr ? Session->ApplyParameter(name, value) : "");
}

EMSCRIPTEN_KEEPALIVE void domarium_button(int event, int buttons) {
    if (Session != nullptr) Session->Button(event, buttons);
}

// 大きな星と文字: 1 on, 0 off, -1 only asks; returns the state.
EMSCRIPTEN_KEEPALIVE int domarium_large(int on) {
    if (Session == nullptr) return 0;
    if (on >= 0) Session->SetLarge(on == 1);
    return Session->IsLarge() ? 1 : 0;
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

// The second chart, the sky from the ground, at side device pixels; null with view=dome.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* domarium_ground_rgba(int side) {
    return Session != nullptr ? Session->GroundRgba(side) : nullptr;
}

// 再生 (WebSession::Play): 0 start, 1 stop, 2 tick, 3 + k rate k; nowMs the page's clock.
// Returns the steps a tick took.
EMSCRIPTEN_KEEPALIVE int domarium_play(int action, double nowMs) {
    return Session != nullptr ? Session->Play(action, nowMs) : 0;
}

EMSCRIPTEN_KEEPALIVE int domarium_playing() {
    return Session != nullptr && Session->Playing() ? 1 : 0;
}

// 今日: the clock to the present, unixMs since 1970 UT.
EMSCRIPTEN_KEEPALIVE void domarium_now(double unixMs) {
    if (Session != nullptr) Session->ShowNow(unixMs);
}

// The chart's palette: an index into PaletteNames; -1 reads it without a change.
EMSCRIPTEN_KEEPALIVE int domarium_palette(int palette) {
    if (Session == nullptr) return 0;
    if (palette >= 0) Session->SetPalette(palette);
    return Session->PaletteIndex();
}

// The Sun's day of the chart's date and place, one line each.
EMSCRIPTEN_KEEPALIVE const char* domarium_sun_text() {
    return Keep(Session != nullptr ? Session->SunText() : "");
}

// The redraw benchmark: WebSession::BenchRedraw.
EMSCRIPTEN_KEEPALIVE double domarium_bench_redraw(int side, int limitIndex, int newView,
                                                  int count) {
    return Session != nullptr ? Session->BenchRedraw(side, limitIndex, newView != 0, count) : -1;
}

}  // extern "C"
