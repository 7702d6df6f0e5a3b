#include "session/StartUp.h"

#include <memory>
#include <utility>
#include <vector>

#include "catalogue/StarData.h"
#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "core/Settings.h"
#include "render/Chart.h"
#include "render/DrawingSurface.h"
#include "session/Controls.h"
#include "session/Handlers.h"
#include "session/Layout.h"
#include "session/Redraw.h"
#include "session/WindowState.h"
#include "time/Clock.h"

namespace {
// Stands in for a chart or read-out while the lists are filled: the redraws their Click
// handlers run then are on the empty catalogue, their pixels are wiped before the window
// shows, and every read-out is written again by the first redraw after. So the stand-in
// keeps the surface's state (colours, text position, size, line height) as drawing would
// leave it and draws nothing, while BringToFront and Refresh still reach the real surface,
// in the same order as before.
class UnseenSurface final : public DrawingSurface {
public:
    explicit UnseenSurface(DrawingSurface& real) : Real(real) {
        BackColor = real.BackColor;
        ForeColor = real.ForeColor;
        FillColor = real.FillColor;
        FillStyle = real.FillStyle;
        CurrentX = real.CurrentX;
        CurrentY = real.CurrentY;
    }
    UnseenSurface(const UnseenSurface&) = delete;
    UnseenSurface& operator=(const UnseenSurface&) = delete;
    // Hands the state back to the real surface.
    ~UnseenSurface() override {
        Real.ForeColor = ForeColor;
        Real.FillColor = FillColor;
        Real.FillStyle = FillStyle;
        Real.CurrentX = CurrentX;
        Real.CurrentY = CurrentY;
    }
    void Clear() override { CurrentX = CurrentY = 0.0f; }
    void Circle(float, float, float, Colour c, float) override { ToPixelChecked(c); }
    using DrawingSurface::Line;
    void Line(float, float, float, float, Colour c) override { ToPixelChecked(c); }
    void Box(float, float, float, float, Colour c) override { ToPixelChecked(c); }
    void SetPixel(float, float, Colour c) override { ToPixelChecked(c); }
    void PrintText(const std::string&) override {
        CurrentX = 0.0f;
        CurrentY += Real.LineHeight();
    }
    void BringToFront() override { Real.BringToFront(); }
    void Refresh() override { Real.Refresh(); }
    int Width() const override { return Real.Width(); }
    int Height() const override { return Real.Height(); }
    void SetWidth(int width) override { Real.SetWidth(width); }
    void SetHeight(int height) override { Real.SetHeight(height); }
    float LineHeight() const override { return Real.LineHeight(); }
    bool DrawsNothing() const override { return true; }

private:
    // The colours drawn with are all fixed greys and white; a bad one would still fail here.
    static void ToPixelChecked(Colour c) {
        if (c < 0 || c > 0xFFFFFF)
            throw RunTimeError(ErrorKind::SurfaceFailure, "色の値が不正です。");
    }
    DrawingSurface& Real;
};

// The lists filled as SetStartValues fills them, with every chart and read-out behind an
// UnseenSurface for the time.
void FillListsUnseen(WindowState& State, SkyControls& Ui) {
    DrawingSurface** const slots[6] = {&Ui.Charts[0],        &Ui.Charts[1],
                                       &Ui.AzimuthReadout,   &Ui.LatitudeReadout,
                                       &Ui.ElevationReadout, &Ui.LongitudeReadout};
    std::vector<std::unique_ptr<UnseenSurface>> unseen;
    DrawingSurface* real[6] = {};
    for (std::size_t k = 0; k < 6; ++k) {
        real[k] = *slots[k];
        if (real[k] == nullptr) continue;
        unseen.push_back(std::make_unique<UnseenSurface>(*real[k]));
        *slots[k] = unseen.back().get();
    }
    struct PutBack {
        DrawingSurface** const* Slots;
        DrawingSurface* const* Real;
        ~PutBack() {
            for (std::size_t k = 0; k < 6; ++k) *Slots[k] = Real[k];
        }
    } putBack{slots, real};
    FillMagnitudeList(State, Ui);
    FillStepList(State, Ui);
    FillMonthList(State, Ui);
    FillDayList(State, Ui);
    FillHourList(State, Ui);
    FillMinuteList(State, Ui);
}
}  // namespace

void SetStartValues(WindowState& State, SkyControls& Ui, const std::filesystem::path& starData) {
    SetStartValues(State, Ui, [&starData] { return ReadCatalogueFiles(starData); });
}

// The clock starts at the year's first minute, where the time lists open at their first item.
static_assert(SettingOf(Setting::Month).Default == FirstMonth &&
              SettingOf(Setting::Day).Default == FirstDay &&
              SettingOf(Setting::Hour).Default == FirstHour &&
              SettingOf(Setting::Minute).Default == FirstMinute);

void SetStartValues(WindowState& State, SkyControls& Ui, const CatalogueReader& read) {
    State.Moment.Longitude = SettingOf(Setting::Longitude).Default;
    State.Dragging = 0;
    State.TimeStep = StepChoices[StepStartIndex];
    State.Moment.MinuteOfYear = 0;
    SplitMinuteOfYear(State.Moment);
    State.View.Azimuth = static_cast<std::int16_t>(SettingOf(Setting::Azimuth).Default);
    State.Moment.PoleAngle = 90.0 + SettingOf(Setting::Latitude).Default;
    State.View.Roll = 0;
    // The view elevation looks down when positive; the read-out shows it the other way.
    State.View.Elevation = static_cast<std::int16_t>(-SettingOf(Setting::Elevation).Default);
    State.View.Side = ChartSurface(Ui, 0).Width();
    State.View.LimitMag = static_cast<double>(MagnitudeFirstTenth + MagnitudeStartIndex) / 10;
    // The lists' Click handlers redraw here, on the empty sky; what they draw is wiped
    // below and never shown.
    FillListsUnseen(State, Ui);
    auto sky = std::make_shared<Sky>();
    TakeCatalogue(*sky, read());
    State.Sky = std::move(sky);
    State.BufferIndex = 0;
    for (int index : {0, 1}) {
        DrawingSurface& chart = ChartSurface(Ui, index);
        chart.FillStyle = FillStyleKind::Solid;
        chart.FillColor = White;
        chart.Clear();
    }
}

void StartUp(WindowState& State, SkyControls& Ui, const std::filesystem::path& starData) {
    StartUp(State, Ui, [&starData] { return ReadCatalogueFiles(starData); });
}

void StartUp(WindowState& State, SkyControls& Ui, const CatalogueReader& read) {
    SetStartValues(State, Ui, read);
    ChartSurface(Ui, 1).Clear();
    ChartSurface(Ui, 0).Clear();
    Ui.Window->Show();
    RedrawSky(State, Ui);
    RedrawSky(State, Ui);
}

int ChartSideFor(float width, float height) {
    const float allowance = width - PanelAllowance;
    const float L = allowance < height ? allowance : height;
    const std::int16_t rounded = Round16(L);
    return Checked16(static_cast<std::int64_t>(rounded) - ChartMargin);
}

int ChartSideFor(float width, float height, double pixelRatio) {
    const int placed = ChartSideFor(width, height);
    if (placed <= 0 || pixelRatio == 1.0) return placed;
    return Round16(static_cast<double>(placed) * pixelRatio);
}

int WindowControl::ChartSide() const {
    return ChartSideFor(InnerWidth(), InnerHeight(), PixelRatio());
}

void FitChartToWindow(WindowState& State, SkyControls& Ui) {
    const int side = Ui.Window->ChartSide();
    // A minimised or tiny window has no room for a chart: keep the last one.
    if (side <= 0) return;
    const bool resized =
        side != ChartSurface(Ui, 0).Width() || side != ChartSurface(Ui, 0).Height();
    ChartSurface(Ui, 0).SetHeight(side);
    ChartSurface(Ui, 0).SetWidth(side);
    ChartSurface(Ui, 1).SetHeight(side);
    ChartSurface(Ui, 1).SetWidth(side);
    State.View.Side = ChartSurface(Ui, 0).Width();
    // A new size has just cleared both surfaces, and the first redraw below brings one of
    // them to the screen before anything is drawn on it. Draw the chart on that one first,
    // so the screen never shows a cleared chart; the redraws keep their order and count.
    if (resized) {
        DrawChart(*State.Sky, State.Moment, State.View, ChartSurface(Ui, State.BufferIndex),
                  State.Cache);
    }
    RedrawSky(State, Ui);
    RedrawSky(State, Ui);
}

void ConnectHandlers(WindowState& State, SkyControls& Ui) {
    Ui.MagnitudeList->OnClick = [&State, &Ui] { MagnitudeList_Click(State, Ui); };
    Ui.StepList->OnClick = [&State, &Ui] { StepList_Click(State, Ui); };
    Ui.MonthList->OnClick = [&State, &Ui] { MonthList_Click(State, Ui); };
    Ui.DayList->OnClick = [&State, &Ui] { DayList_Click(State, Ui); };
    Ui.HourList->OnClick = [&State, &Ui] { HourList_Click(State, Ui); };
    Ui.MinuteList->OnClick = [&State, &Ui] { MinuteList_Click(State, Ui); };
    Ui.AzimuthBar->OnChange = [&State, &Ui] { AzimuthBar_Change(State, Ui); };
    Ui.LongitudeBar->OnChange = [&State, &Ui] { LongitudeBar_Change(State, Ui); };
    Ui.ElevationBar->OnChange = [&State, &Ui] { ElevationBar_Change(State, Ui); };
    Ui.LatitudeBar->OnChange = [&State, &Ui] { LatitudeBar_Change(State, Ui); };
    if (Ui.AnimateButton != nullptr) {
        Ui.AnimateButton->OnMouseDown = [&State, &Ui](int b) {
            AnimateButton_MouseDown(State, Ui, b);
        };
        Ui.AnimateButton->OnMouseMove = [&State, &Ui](int b) {
            AnimateButton_MouseMove(State, Ui, b);
        };
        Ui.AnimateButton->OnMouseUp = [&State, &Ui](int b) { AnimateButton_MouseUp(State, Ui, b); };
    }
    Ui.Window->OnResize = [&State, &Ui] { FitChartToWindow(State, Ui); };
}
