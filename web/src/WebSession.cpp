#include "WebSession.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>

#include "GlyphFile.h"
#include "catalogue/FileChars.h"
#include "cmdline/CommandLine.h"
#include "core/RunTimeError.h"
#include "geometry/Trails.h"
#include "render/Chart.h"
#include "render/DrawingSurface.h"
#include "render/LabelFont.h"
#include "render/RasterSurface.h"
#include "session/Handlers.h"
#include "session/HeadlessWindow.h"
#include "session/Layout.h"
#include "session/Play.h"
#include "session/Redraw.h"
#include "time/SunTimes.h"

// A read-out as text: the page shows the read-outs as HTML, in the page's font
// and readable by a screen reader, so the engine's Print lands here instead of
// on a raster. The formatting is still the engine's (FormatPrintLine).
class TextReadout final : public DrawingSurface {
public:
    void Clear() override { Text.clear(); }
    void Circle(float, float, float, Colour, float) override {}
    using DrawingSurface::Line;
    void Line(float, float, float, float, Colour) override {}
    void Box(float, float, float, float, Colour) override {}
    void SetPixel(float, float, Colour) override {}
    void PrintText(const std::string& text) override { Text += text; }
    void BringToFront() override {}
    void Refresh() override {}
    int Width() const override { return ReadoutWidth; }
    int Height() const override { return ReadoutHeight; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    float LineHeight() const override { return 12.0f; }
    std::string Text;
};

WebSession::WebSession() = default;
WebSession::~WebSession() = default;

template <class Action>
bool WebSession::Guard(Action action) {
    if (Failed) return false;
    try {
        action();
        return true;
    } catch (const RunTimeError& error) {
        // As the window does: the message, and no more drawing.
        LastError = error.what();
        Failed = true;
        return false;
    }
}

namespace {
// A headless window as the page uses it: chart text from the glyph file, the
// read-outs' text into the given TextReadouts (their rasters stay blank).
std::unique_ptr<HeadlessWindow> PageWindow(const GlyphSource& glyphs, const LabelFont& labels,
                                           float scale, int side,
                                           std::unique_ptr<TextReadout> (&readouts)[4]) {
    side = std::max(side, 1);
    auto window = HeadlessWindow::Create(glyphs, glyphs, &labels, side);
    // The chart has the canvas's place on the page, not the main window's layout.
    window->Window.Side = side;
    window->Chart0.DrawScale = window->Chart1.DrawScale = scale;
    DrawingSurface** slots[4] = {&window->Ui.AzimuthReadout, &window->Ui.LatitudeReadout,
                                 &window->Ui.ElevationReadout, &window->Ui.LongitudeReadout};
    for (int i = 0; i < 4; ++i) {
        readouts[i] = std::make_unique<TextReadout>();
        *slots[i] = readouts[i].get();
    }
    return window;
}
}  // namespace

bool WebSession::Start(const std::string& starDataPath, const std::string& glyphPath, int side,
                       int scaleHundredths) {
    StarDataPath = starDataPath;
    return Guard([&] {
        if (std::find(std::begin(DrawScaleHundredths), std::end(DrawScaleHundredths),
                      scaleHundredths) == std::end(DrawScaleHundredths))
            throw RunTimeError(ErrorKind::SurfaceFailure, "画面の拡大率が不正です。");
        Scale = static_cast<float>(scaleHundredths) / 100.0f;
        // Read straight from the page's file system: the file is large, and handing it
        // over as a JavaScript string would convert it twice.
        const std::string glyphText = ReadWholeFile(glyphPath);
        Glyphs = std::make_unique<FileGlyphSource>(glyphText);
        // The label font beside the glyph file, read at the first label (the page fetches
        // it after the first chart).
        const std::filesystem::path labelFile =
            std::filesystem::path(glyphPath).parent_path() / "LabelFont";
        Labels = std::make_unique<LabelFont>([labelFile] { return ReadWholeFile(labelFile); },
                                             "LabelFont");
        Window = PageWindow(*Glyphs, *Labels, Scale, side, Readouts);
        Window->Load(starDataPath);
    });
}

double WebSession::BenchRedraw(int side, int limitIndex, bool newView, int count) {
    if (!Ready() || count < 1) return -1;
    try {
        std::unique_ptr<TextReadout> readouts[4];
        auto window = PageWindow(*Glyphs, *Labels, Scale, side, readouts);
        window->Load(StarDataPath);
        window->MagnitudeList.SetListIndex(limitIndex);
        WindowState& state = window->State;
        const double start = emscripten_get_now();
        for (int i = 0; i < count; ++i) {
            if (newView) {
                state.View.Azimuth = static_cast<std::int16_t>((state.View.Azimuth + 1) % 361);
            } else {
                state.Moment.MinuteOfYear = (state.Moment.MinuteOfYear + 5) % 525600;
            }
            RedrawSky(state, window->Ui);
        }
        return (emscripten_get_now() - start) * 1000.0 / count;
    } catch (const RunTimeError&) {
        return -1;
    }
}

namespace {
MemoryList* ListOf(HeadlessWindow* w, WebControl control) {
    if (w == nullptr) return nullptr;
    switch (control) {
        case WebControl::Limit:
            return &w->MagnitudeList;
        case WebControl::Step:
            return &w->StepList;
        case WebControl::Month:
            return &w->MonthList;
        case WebControl::Day:
            return &w->DayList;
        case WebControl::Hour:
            return &w->HourList;
        case WebControl::Minute:
            return &w->MinuteList;
        default:
            return nullptr;
    }
}
MemoryScroll* ScrollOf(HeadlessWindow* w, WebControl control) {
    if (w == nullptr) return nullptr;
    switch (control) {
        case WebControl::Azimuth:
            return &w->AzimuthBar;
        case WebControl::Longitude:
            return &w->LongitudeBar;
        case WebControl::Latitude:
            return &w->LatitudeBar;
        case WebControl::Elevation:
            return &w->ElevationBar;
        default:
            return nullptr;
    }
}
// Latitude and elevation bars run the other way round and from 0: the table of
// settings' BarPosition (90 - latitude, 90 + elevation).
// The overlay flag an overlay control switches; null for the other controls.
bool OverlaySet::*FlagOf(WebControl control) { return OverlayFlag(control); }
int ToScroll(WebControl control, int value) { return BarPosition(SettingOf(control), value); }
int FromScroll(WebControl control, int value) { return ValueAtBar(SettingOf(control), value); }
}  // namespace

bool WebSession::Set(WebControl control, int value) {
    if (value < Minimum(control) || value > Maximum(control)) return false;
    if (control == WebControl::Year) {
        const int year = ValueAt(SettingOf(control), value);
        return Ready() && Guard([&] { SetYear(Window->State, Window->Ui, year); });
    }
    if (control == WebControl::View) {
        GroundKind = static_cast<ViewKind>(value);
        return true;
    }
    if (control == WebControl::Advance) {
        if (!Ready()) return false;
        SetAdvance(Window->State, value);
        return true;
    }
    if (FlagOf(control) != nullptr || control == WebControl::TrailHours) {
        if (!Ready()) return false;
        OverlaySet overlays = Window->State.View.Overlays;
        if (control == WebControl::TrailHours) {
            overlays.TrailHours = TrailHourChoices[value];
        } else {
            overlays.*FlagOf(control) = value != 0;
        }
        return Guard([&] { SetOverlays(Window->State, Window->Ui, overlays); });
    }
    if (MemoryList* list = ListOf(Window.get(), control)) {
        return Guard([&] { list->SetListIndex(value); });
    }
    MemoryScroll* scroll = ScrollOf(Window.get(), control);
    return scroll != nullptr && Guard([&] { scroll->MoveTo(ToScroll(control, value)); });
}

int WebSession::Get(WebControl control) const {
    if (Window == nullptr) return 0;
    const OverlaySet& overlays = Window->State.View.Overlays;
    if (const auto flag = FlagOf(control)) return overlays.*flag ? 1 : 0;
    if (control == WebControl::Year) return IndexOf(SettingOf(control), Window->State.Moment.Year);
    if (control == WebControl::View) return static_cast<int>(GroundKind);
    if (control == WebControl::Advance) return static_cast<int>(Window->State.AdvanceBy);
    if (control == WebControl::TrailHours) {
        const auto* at = std::find(std::begin(TrailHourChoices), std::end(TrailHourChoices),
                                   overlays.TrailHours);
        return static_cast<int>(at - std::begin(TrailHourChoices));
    }
    if (const MemoryList* list = ListOf(Window.get(), control)) return list->ListIndex();
    const MemoryScroll* scroll = ScrollOf(Window.get(), control);
    return scroll != nullptr ? FromScroll(control, scroll->Value()) : 0;
}

int WebSession::Minimum(WebControl control) const {
    if (ListOf(Window.get(), control) != nullptr) return 0;
    const MemoryScroll* scroll = ScrollOf(Window.get(), control);
    if (scroll == nullptr) return 0;
    return std::min(FromScroll(control, scroll->Min), FromScroll(control, scroll->Max));
}

int WebSession::Maximum(WebControl control) const {
    if (FlagOf(control) != nullptr) return 1;
    if (control == WebControl::TrailHours || control == WebControl::Year ||
        control == WebControl::Advance || control == WebControl::View)
        return ValueCount(SettingOf(control)) - 1;
    if (const MemoryList* list = ListOf(Window.get(), control)) {
        return static_cast<int>(list->Items.size()) - 1;
    }
    const MemoryScroll* scroll = ScrollOf(Window.get(), control);
    if (scroll == nullptr) return -1;
    return std::max(FromScroll(control, scroll->Min), FromScroll(control, scroll->Max));
}

std::string WebSession::ApplyParameter(const std::string& name, const std::string& value) {
    if (name == OverlayListName) {
        std::vector<Setting> on;
        const std::string error = CheckOverlayList(value, on);
        if (!error.empty()) return error;
        if (!Ready()) return "";
        // The overlays named go on, the others off; the trails' span stays.
        OverlaySet overlays = Window->State.View.Overlays;
        for (int id = static_cast<int>(FirstOverlay); id <= static_cast<int>(LastOverlay); ++id) {
            if (!IsOverlay(static_cast<Setting>(id))) continue;
            overlays.*FlagOf(static_cast<Setting>(id)) =
                std::find(on.begin(), on.end(), static_cast<Setting>(id)) != on.end();
        }
        Guard([&] { SetOverlays(Window->State, Window->Ui, overlays); });
        return "";
    }
    if (name == PaletteOptionName) {
        Palette palette = Palette::Screen;
        const std::string error = CheckPaletteName(value, palette);
        if (error.empty()) SetPalette(static_cast<int>(palette));
        return error;
    }
    const SettingSpec* setting = FindSetting(name);
    if (setting == nullptr || setting->Kind == SettingKind::Flag)
        return "「" + name + "」という設定はありません。";
    if (setting->Id == Setting::Step || !setting->ItemNames.empty()) {
        // The step list has no command-line option: its items' own texts; a list of words
        // (進め方) takes its items' names.
        const std::vector<std::string> items = ItemTexts(*setting);
        const auto item = std::find(items.begin(), items.end(), value);
        if (item == items.end())
            return std::string(setting->Caption) + "「" + value + "」は選べません。";
        Set(setting->Id, static_cast<int>(item - items.begin()));
        return "";
    }
    int number = 0;
    const std::string error = CheckOptionValue(SettingOption(setting->Id), value, number);
    if (!error.empty()) return error;
    // A list of whole numbers takes the item that shows the value (a list of tenths'
    // value is its item already); a bar takes the value itself.
    if (setting->Kind == SettingKind::List && setting->Scale == 1)
        number = IndexOf(*setting, number);
    Set(setting->Id, number);
    return "";
}

void WebSession::Button(int event, int buttons) {
    if (!Ready()) return;
    Guard([&] {
        switch (event) {
            case 0:
                AnimateButton_MouseDown(Window->State, Window->Ui, buttons);
                break;
            case 1:
                AnimateButton_MouseMove(Window->State, Window->Ui, buttons);
                break;
            default:
                AnimateButton_MouseUp(Window->State, Window->Ui, buttons);
                break;
        }
    });
}

void WebSession::Resize(int side) {
    if (!Ready()) return;
    Guard([&] {
        FitScale(std::max(side, 1));
        Window->Window.PlaceChart(std::max(side, 1));
    });
}

void WebSession::FitScale(int side) {
    const double scale =
        Large ? LargeFiguresScale(Scale,
                                  static_cast<int>(std::lround(static_cast<float>(side) / Scale)))
              : Scale;
    for (RasterSurface* chart : {&Window->Chart0, &Window->Chart1}) {
        chart->DrawScale = static_cast<float>(scale);
        SetLargeFigures(*chart, Large);
    }
}

void WebSession::SetLarge(bool on) {
    if (!Ready() || on == Large) return;
    Large = on;
    Guard([&] {
        FitScale(Window->Front().Width());
        // Both charts of the stack, as the window's figure scale does.
        RedrawSky(Window->State, Window->Ui);
        RedrawSky(Window->State, Window->Ui);
    });
}

int WebSession::Play(int action, double nowMs) {
    if (!Ready()) return 0;
    WindowState& state = Window->State;
    int steps = 0;
    Guard([&] {
        if (action == 0 && !state.Playing) {
            StartPlay(state, nowMs);
        } else if (action == 1) {
            StopPlay(state, Window->Ui);
        } else if (action == 2) {
            steps = PlayTick(state, Window->Ui, nowMs);
        } else if (action >= 3) {
            SetPlayRate(state, action - 3, nowMs);
        }
    });
    return steps;
}

bool WebSession::Playing() const { return Ready() && Window->State.Playing; }

void WebSession::ShowNow(double unixMs) {
    if (Ready()) Guard([&] { ::ShowNow(Window->State, Window->Ui, unixMs); });
}

void WebSession::SetPalette(int palette) {
    if (!Ready() || palette < 0 || palette >= static_cast<int>(std::size(PaletteNames))) return;
    const auto chosen = static_cast<Palette>(palette);
    if (Window->State.View.Palette == chosen) return;
    Window->State.View.Palette = chosen;
    Guard([&] {
        RedrawSky(Window->State, Window->Ui);
        RedrawSky(Window->State, Window->Ui);
    });
}

int WebSession::PaletteIndex() const {
    return Ready() ? static_cast<int>(Window->State.View.Palette) : 0;
}

std::string WebSession::SunText() const {
    if (!Ready()) return {};
    std::string text;
    for (const std::string& line : SunDayLines(Window->State.Moment)) text += line + "\n";
    return text;
}

std::string WebSession::Readout(int which) const {
    return which >= 0 && which < 4 ? Readouts[which]->Text : std::string();
}

int WebSession::ChartSide() const { return Ready() ? Window->Front().Width() : 0; }

const std::uint8_t* WebSession::GroundRgba(int side) {
    if (!Ready() || GroundKind == ViewKind::Dome || side < 1) return nullptr;
    const RasterSurface& front = Window->Front();
    if (Ground == nullptr || Ground->Width() != side) {
        Ground = std::make_unique<RasterSurface>(side, side, Black, *Glyphs);
        Ground->SetLabelFont(Labels.get());
        GroundCache = ChartCache{};
    }
    // As the chart surfaces are set: discs filled white, the same figure scale and outline.
    Ground->FillStyle = FillStyleKind::Solid;
    Ground->FillColor = White;
    Ground->DrawScale = front.DrawScale;
    Ground->TextOutline = front.TextOutline;
    View look = Window->State.View;
    look.Kind = GroundKind;
    look.Side = side;
    if (!Guard([&] {
            DrawChart(*Window->State.Sky, Window->State.Moment, look, *Ground, GroundCache);
        }))
        return nullptr;
    return RgbaOf(*Ground);
}

const std::uint8_t* WebSession::ChartRgba() {
    if (!Ready()) return nullptr;
    return RgbaOf(Window->Front());
}

const std::uint8_t* WebSession::RgbaOf(const RasterSurface& chart) {
    const std::size_t count =
        static_cast<std::size_t>(chart.Width()) * static_cast<std::size_t>(chart.Height());
    Rgba.resize(count);
    const Pixel* pixels = chart.Pixels();
    // 0xFFRRGGBB to the canvas's bytes R, G, B, A: as a little-endian word, 0xAABBGGRR.
    for (std::size_t i = 0; i < count; ++i) {
        const Pixel p = pixels[i];
        Rgba[i] = (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
    }
    return reinterpret_cast<const std::uint8_t*>(Rgba.data());
}
