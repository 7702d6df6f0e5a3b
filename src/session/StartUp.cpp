#include "session/StartUp.h"

#include <memory>
#include <utility>
#include <vector>

#include "catalogue/Constellations.h"
#include "catalogue/StarData.h"
#include "core/Convert.h"
#include "core/RunTimeError.h"
#include "core/Settings.h"
#include "core/SkyState.h"
#include "geometry/Compass.h"
#include "geometry/Projection.h"
#include "render/DrawingSurface.h"
#include "render/Frame.h"
#include "render/Stars.h"
#include "session/Controls.h"
#include "session/Handlers.h"
#include "session/Layout.h"
#include "session/Redraw.h"
#include "time/Clock.h"

namespace {
// The constellations and star names sit next to StarData (the package installs all three
// in one folder). Absent files leave the catalogue empty, and the constellation overlays
// draw nothing; a damaged one stops the start-up, as a damaged StarData does.
ConstellationCatalogue ReadFiguresBeside(const std::filesystem::path& starData) {
    const std::filesystem::path folder = starData.parent_path();
    const std::filesystem::path lines = folder / ConstellationDataFileName;
    const std::filesystem::path names = folder / StarNamesFileName;
    ConstellationCatalogue figures;
    std::error_code error;
    if (!std::filesystem::exists(lines, error) && !std::filesystem::exists(names, error)) {
        return figures;
    }
    LoadConstellationsFrom(figures, lines, names);
    return figures;
}

// The chart centre is half the first surface's size, rounded to single precision; the
// radius is 0.8 of it, in double precision.
void TakeChartGeometry(SkyState& Sky, SkyControls& Ui) {
    DrawingSurface& first = ChartSurface(Ui, 0);
    Sky.CenterX = static_cast<float>(static_cast<double>(first.Width()) / 2);
    Sky.CenterY = static_cast<float>(static_cast<double>(first.Height()) / 2);
    Sky.ChartRadius = 0.8 * Sky.CenterX;
}

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
void FillListsUnseen(SkyState& Sky, SkyControls& Ui) {
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
    FillMagnitudeList(Sky, Ui);
    FillStepList(Sky, Ui);
    FillMonthList(Sky, Ui);
    FillDayList(Sky, Ui);
    FillHourList(Sky, Ui);
    FillMinuteList(Sky, Ui);
}
}  // namespace

CatalogueFiles ReadCatalogueFiles(const std::filesystem::path& starData) {
    CatalogueFiles files;
    files.Stars = ReadStarDataFrom(starData);
    files.Figures = ReadFiguresBeside(starData);
    return files;
}

void SetStartValues(SkyState& Sky, SkyControls& Ui, const std::filesystem::path& starData) {
    SetStartValues(Sky, Ui, [&starData] { return ReadCatalogueFiles(starData); });
}

// The clock starts at the year's first minute, where the time lists open at their first item.
static_assert(SettingOf(Setting::Month).Default == FirstMonth &&
              SettingOf(Setting::Day).Default == FirstDay &&
              SettingOf(Setting::Hour).Default == FirstHour &&
              SettingOf(Setting::Minute).Default == FirstMinute);

void SetStartValues(SkyState& Sky, SkyControls& Ui, const CatalogueReader& read) {
    Sky.Longitude = SettingOf(Setting::Longitude).Default;
    Sky.Dragging = 0;
    ComputeSiderealEpoch(Sky);
    Sky.SphereGrey = 80;
    Sky.HorizonGrey = 128;
    Sky.CompassGrey = 160;
    Sky.SiderealAngle = 0;
    Sky.TimeStep = StepChoices[StepStartIndex];
    Sky.MinuteOfYear = 0;
    SplitMinuteOfYear(Sky);
    Sky.ViewAzimuth = static_cast<std::int16_t>(SettingOf(Setting::Azimuth).Default);
    Sky.PoleAngle = 90.0 + SettingOf(Setting::Latitude).Default;
    Sky.RollAngle = 0;
    // The view elevation looks down when positive; the read-out shows it the other way.
    Sky.ViewElevation = static_cast<std::int16_t>(-SettingOf(Setting::Elevation).Default);
    Sky.Pi = 3.14159265358979;  // This 15-digit decimal, not the double nearest to pi.
    TakeChartGeometry(Sky, Ui);
    Sky.LimitMag = static_cast<double>(MagnitudeFirstTenth + MagnitudeStartIndex) / 10;
    // The lists' Click handlers redraw here, on the zero catalogue and the zero
    // trigonometric cache; what they draw is wiped below and never shown.
    FillListsUnseen(Sky, Ui);
    BuildCompassPoints(Sky);
    CatalogueFiles files = read();
    if (!files.Stars) throw RunTimeError(ErrorKind::FileNotFound, StarDataFileName);
    TakeStarData(Sky, *files.Stars);
    Sky.Figures = std::move(files.Figures);
    Sky.BufferIndex = 0;
    for (int index : {0, 1}) {
        DrawingSurface& chart = ChartSurface(Ui, index);
        chart.FillStyle = FillStyleKind::Solid;
        chart.FillColor = White;
        chart.Clear();
    }
}

void StartUp(SkyState& Sky, SkyControls& Ui, const std::filesystem::path& starData) {
    StartUp(Sky, Ui, [&starData] { return ReadCatalogueFiles(starData); });
}

void StartUp(SkyState& Sky, SkyControls& Ui, const CatalogueReader& read) {
    SetStartValues(Sky, Ui, read);
    ChartSurface(Ui, 1).Clear();
    ChartSurface(Ui, 0).Clear();
    Ui.Window->Show();
    UpdateViewTrig(Sky);
    RedrawSky(Sky, Ui);
    RedrawSky(Sky, Ui);
}

int ChartSideFor(float width, float height) {
    const float allowance = width - PanelAllowance;
    const float L = allowance < height ? allowance : height;
    const std::int16_t rounded = Round16(L);
    return Checked16(static_cast<std::int64_t>(rounded) - ChartMargin);
}

void FitChartToWindow(SkyState& Sky, SkyControls& Ui) {
    const int placed = ChartSideFor(Ui.Window->InnerWidth(), Ui.Window->InnerHeight());
    // A minimised or tiny window has no room for a chart: keep the last one.
    if (placed <= 0) return;
    // In device pixels; at ratio 1 the side as placed.
    const int side = Ui.Window->PixelRatio() == 1.0
                         ? placed
                         : Round16(static_cast<double>(placed) * Ui.Window->PixelRatio());
    const bool resized =
        side != ChartSurface(Ui, 0).Width() || side != ChartSurface(Ui, 0).Height();
    ChartSurface(Ui, 0).SetHeight(side);
    ChartSurface(Ui, 0).SetWidth(side);
    ChartSurface(Ui, 1).SetHeight(side);
    ChartSurface(Ui, 1).SetWidth(side);
    TakeChartGeometry(Sky, Ui);
    UpdateViewTrig(Sky);
    // A new size has just cleared both surfaces, and the first redraw below brings one of
    // them to the screen before anything is drawn on it. Draw the chart on that one first,
    // so the screen never shows a cleared chart; the redraws keep their order and count.
    if (resized) {
        DrawingSurface& next = ChartSurface(Ui, Sky.BufferIndex);
        UpdateSiderealAngle(Sky);
        ClearAndDrawFrame(Sky, next);
        PlotStars(Sky, next);
    }
    RedrawSky(Sky, Ui);
    RedrawSky(Sky, Ui);
}

void ConnectHandlers(SkyState& Sky, SkyControls& Ui) {
    Ui.MagnitudeList->OnClick = [&Sky, &Ui] { MagnitudeList_Click(Sky, Ui); };
    Ui.StepList->OnClick = [&Sky, &Ui] { StepList_Click(Sky, Ui); };
    Ui.MonthList->OnClick = [&Sky, &Ui] { MonthList_Click(Sky, Ui); };
    Ui.DayList->OnClick = [&Sky, &Ui] { DayList_Click(Sky, Ui); };
    Ui.HourList->OnClick = [&Sky, &Ui] { HourList_Click(Sky, Ui); };
    Ui.MinuteList->OnClick = [&Sky, &Ui] { MinuteList_Click(Sky, Ui); };
    Ui.AzimuthBar->OnChange = [&Sky, &Ui] { AzimuthBar_Change(Sky, Ui); };
    Ui.LongitudeBar->OnChange = [&Sky, &Ui] { LongitudeBar_Change(Sky, Ui); };
    Ui.ElevationBar->OnChange = [&Sky, &Ui] { ElevationBar_Change(Sky, Ui); };
    Ui.LatitudeBar->OnChange = [&Sky, &Ui] { LatitudeBar_Change(Sky, Ui); };
    if (Ui.AnimateButton != nullptr) {
        Ui.AnimateButton->OnMouseDown = [&Sky, &Ui](int b) { AnimateButton_MouseDown(Sky, Ui, b); };
        Ui.AnimateButton->OnMouseMove = [&Sky, &Ui](int b) { AnimateButton_MouseMove(Sky, Ui, b); };
        Ui.AnimateButton->OnMouseUp = [&Sky, &Ui](int b) { AnimateButton_MouseUp(Sky, Ui, b); };
    }
    Ui.Window->OnResize = [&Sky, &Ui] { FitChartToWindow(Sky, Ui); };
}
