#include "WebSession.h"

#include <algorithm>

#include "SnapshotOptions.h"
#include "app/HeadlessWindow.h"
#include "core/RunTimeError.h"
#include "render/DrawingSurface.h"
#include "time/Settings.h"

// A read-out as text: the page shows the read-outs as HTML, in the page's font
// and readable by a screen reader, so the engine's Print lands here instead of
// on a raster. The formatting is still the engine's (FormatPrintLine).
class TextReadout final : public DrawingSurface {
public:
    void Cls() override { Text.clear(); }
    void Circle(float, float, float, Colour, float) override {}
    using DrawingSurface::Line;
    void Line(float, float, float, float, Colour) override {}
    void Box(float, float, float, float, Colour) override {}
    void PSet(float, float, Colour) override {}
    void PrintText(const std::string& text) override { Text += text; }
    void ZOrder() override {}
    void Refresh() override {}
    int Width() const override { return 49; }
    int Height() const override { return 17; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    float LineHeight() const override { return 12.0f; }
    std::string Text;
};

namespace {
// The window's inner area that gives a chart of the given side: the snapshot
// tool's rule, so that the page and domarium-snapshot draw the same chart.
void InnerAreaFor(int side, float& width, float& height) {
    height = static_cast<float>(side + 8);
    width = height + 104 + 64;
}

// The snapshot tool's option, one at a time: its own ranges and messages.
// "-o" is required by the tool and means nothing here.
std::optional<SnapshotOptions> ParseOne(const std::string& name, const std::string& value,
                                        std::string& error) {
    const SnapshotParse parse = ParseSnapshotOptions({"--" + name, value, "-o", "-"});
    error = parse.Error;
    return parse.Options;
}
}  // namespace

WebSession::WebSession() : Window(HeadlessWindow::Create()) {
    DrawingSurface** slots[4] = {&Window->Ui.Picture2, &Window->Ui.Picture3, &Window->Ui.Picture4,
                                 &Window->Ui.Picture5};
    for (int i = 0; i < 4; ++i) {
        Readouts[i] = std::make_unique<TextReadout>();
        *slots[i] = Readouts[i].get();
    }
}

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

bool WebSession::Start(const std::string& starDataPath, int side) {
    InnerAreaFor(std::max(side, 1), Window->Form1.Width, Window->Form1.Height);
    return Guard([&] { Window->Load(starDataPath); });
}

namespace {
MemoryList* ListOf(HeadlessWindow& w, WebControl control) {
    switch (control) {
        case WebControl::Limit: return &w.Combo1;
        case WebControl::Step: return &w.Combo2;
        case WebControl::Month: return &w.Combo3;
        case WebControl::Day: return &w.Combo4;
        case WebControl::Hour: return &w.Combo5;
        case WebControl::Minute: return &w.Combo6;
        default: return nullptr;
    }
}
MemoryScroll* ScrollOf(HeadlessWindow& w, WebControl control) {
    switch (control) {
        case WebControl::Azimuth: return &w.HScroll1;
        case WebControl::Longitude: return &w.HScroll2;
        case WebControl::Latitude: return &w.VScroll2;
        case WebControl::Elevation: return &w.VScroll1;
        default: return nullptr;
    }
}
// Latitude and elevation bars run the other way round and from 0: the
// snapshot tool's conversions (90 - latitude, 90 + elevation).
int ToScroll(WebControl control, int value) {
    if (control == WebControl::Latitude) return 90 - value;
    if (control == WebControl::Elevation) return 90 + value;
    return value;
}
int FromScroll(WebControl control, int value) {
    if (control == WebControl::Latitude) return 90 - value;
    if (control == WebControl::Elevation) return value - 90;
    return value;
}
}  // namespace

bool WebSession::Set(WebControl control, int value) {
    if (value < Minimum(control) || value > Maximum(control)) return false;
    if (MemoryList* list = ListOf(*Window, control)) {
        return Guard([&] { list->SetListIndex(value); });
    }
    MemoryScroll* scroll = ScrollOf(*Window, control);
    return scroll != nullptr && Guard([&] { scroll->MoveTo(ToScroll(control, value)); });
}

int WebSession::Get(WebControl control) const {
    if (const MemoryList* list = ListOf(*Window, control)) return list->ListIndex();
    const MemoryScroll* scroll = ScrollOf(*Window, control);
    return scroll != nullptr ? FromScroll(control, scroll->Value()) : 0;
}

const std::vector<std::string>* WebSession::Items(WebControl control) const {
    const MemoryList* list = ListOf(*Window, control);
    return list != nullptr ? &list->Items : nullptr;
}

int WebSession::Minimum(WebControl control) const {
    if (ListOf(*Window, control) != nullptr) return 0;
    const MemoryScroll* scroll = ScrollOf(*Window, control);
    if (scroll == nullptr) return 0;
    return std::min(FromScroll(control, scroll->Min), FromScroll(control, scroll->Max));
}

int WebSession::Maximum(WebControl control) const {
    if (const MemoryList* list = ListOf(*Window, control)) {
        return static_cast<int>(list->Items.size()) - 1;
    }
    const MemoryScroll* scroll = ScrollOf(*Window, control);
    if (scroll == nullptr) return -1;
    return std::max(FromScroll(control, scroll->Min), FromScroll(control, scroll->Max));
}

std::string WebSession::ApplyParameter(const std::string& name, const std::string& value) {
    struct Named {
        const char* Name;
        WebControl Control;
    };
    static constexpr Named Parameters[] = {
        {"azimuth", WebControl::Azimuth},     {"longitude", WebControl::Longitude},
        {"latitude", WebControl::Latitude},   {"elevation", WebControl::Elevation},
        {"limit", WebControl::Limit},         {"month", WebControl::Month},
        {"day", WebControl::Day},             {"hour", WebControl::Hour},
        {"minute", WebControl::Minute},       {"step", WebControl::Step},
    };
    const auto* found = std::find_if(std::begin(Parameters), std::end(Parameters),
                                     [&](const Named& p) { return name == p.Name; });
    if (found == std::end(Parameters)) return "「" + name + "」という設定はありません。";
    if (found->Control == WebControl::Step) {
        // The step list has no snapshot option: its items' own texts.
        const auto& items = Window->Combo2.Items;
        const auto item = std::find(items.begin(), items.end(), value);
        if (item == items.end()) return "分増加率「" + value + "」は選べません。";
        Set(WebControl::Step, static_cast<int>(item - items.begin()));
        return "";
    }
    std::string error;
    const auto options = ParseOne(name, value, error);
    if (!options) return error;
    int setting = 0;
    switch (found->Control) {
        case WebControl::Azimuth: setting = options->Azimuth; break;
        case WebControl::Longitude: setting = options->Longitude; break;
        case WebControl::Latitude: setting = options->Latitude; break;
        case WebControl::Elevation: setting = options->Elevation; break;
        case WebControl::Limit: setting = options->LimitIndex; break;
        case WebControl::Month: setting = options->Month - 1; break;
        case WebControl::Day: setting = options->Day - 1; break;
        case WebControl::Hour: setting = options->Hour; break;
        case WebControl::Minute: setting = options->Minute; break;
        case WebControl::Step: break;
    }
    Set(found->Control, setting);
    return "";
}

void WebSession::Button(int event, int buttons) {
    Guard([&] {
        switch (event) {
            case 0: Command1_MouseDown(Window->Sky, Window->Ui, buttons); break;
            case 1: Command1_MouseMove(Window->Sky, Window->Ui, buttons); break;
            default: Command1_MouseUp(Window->Sky, Window->Ui, buttons); break;
        }
    });
}

void WebSession::Resize(int side) {
    float width = 0, height = 0;
    InnerAreaFor(std::max(side, 1), width, height);
    Guard([&] { Window->Form1.ResizeTo(width, height); });
}

std::string WebSession::Readout(int which) const {
    return which >= 0 && which < 4 ? Readouts[which]->Text : std::string();
}

int WebSession::ChartSide() const { return Window->Front().Width(); }
