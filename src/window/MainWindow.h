#pragma once
// Domarium's main window. A fixed control panel on the left, the two stacked
// chart surfaces to its right, and a menu bar with "終了" and "情報". The
// window builds its controls, binds them to the engine's interfaces and
// forwards their events to the handlers; start-up, resizing and every setting
// change are the session's (StartUp, Handlers).

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "QtControls.h"
#include "catalogue/FileChars.h"
#include "catalogue/StarDataPath.h"
#include "qttext/QtText.h"
#include "render/LabelFont.h"
#include "render/RasterSurface.h"
#include "session/Controls.h"
#include "session/StartUp.h"
#include "session/WindowState.h"

class OverlayMenu;
class SunNumbersWindow;
class GroundWindow;
class QAction;
class QTimer;
class QLabel;
class QMenu;

class MainWindow : public QMainWindow, public WindowControl {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // StartUp: sets up the default state with the catalogue read from starData,
    // then shows the window (its first Resize runs inside) and draws the chart.
    void Load(const std::filesystem::path& starData = "StarData");
    // The same with the catalogue files the reader hands over (read ahead by main).
    void Load(const CatalogueReader& read);

    // The client area below the menu bar, pixels.
    float InnerWidth() const override;
    float InnerHeight() const override;
    // Shows the window; the client area's pending Resize is delivered before this returns.
    void Show() override;
    double PixelRatio() const override { return Ratio; }

    // Adds a checkable item to the 表示 menu, unchecked; toggled runs at every change.
    QAction* AddViewOption(const QString& text, std::function<void(bool checked)> toggled);

    WindowState& Window() { return *State; }
    SkyControls& Controls() { return Ui; }
    // Charts(index): the chart surface and the widget that shows it.
    RasterSurface& ChartSurface(int index) {
        return *ChartRasters[static_cast<std::size_t>(index)];
    }
    SurfaceView* ChartView(int index) const { return ChartViews[static_cast<std::size_t>(index)]; }

    // The controls, named as the handlers know them.
    ClientArea* Client = nullptr;
    QLabel* LatitudeCaption = nullptr;          // "緯度"
    QLabel* ElevationCaption = nullptr;         // "仰角"
    QLabel* AzimuthCaption = nullptr;           // "方位角"
    QLabel* MagnitudeCaption = nullptr;         // "限界等級"
    QLabel* StepCaption = nullptr;              // "分増加率"
    QLabel* MonthCaption = nullptr;             // "月"
    QLabel* DayCaption = nullptr;               // "日"
    QLabel* HourCaption = nullptr;              // "時"
    QLabel* MinuteCaption = nullptr;            // "分"
    QLabel* LongitudeCaption = nullptr;         // "東経"
    QComboBox* MagnitudeList = nullptr;         // Limiting magnitude.
    QComboBox* StepList = nullptr;              // Animation step, minutes.
    QComboBox* MonthList = nullptr;             // Month.
    QComboBox* DayList = nullptr;               // Day.
    QComboBox* HourList = nullptr;              // Hour.
    QComboBox* MinuteList = nullptr;            // Minute.
    QScrollBar* AzimuthBar = nullptr;           // View azimuth, 0..360.
    QScrollBar* LongitudeBar = nullptr;         // Longitude, 120..150.
    QScrollBar* ElevationBar = nullptr;         // View elevation, 0..180 (90 - elevation).
    QScrollBar* LatitudeBar = nullptr;          // Latitude, 0..180 (90 - latitude).
    QtAnimateButton* AnimateButton = nullptr;   // "うごかす"
    SurfaceView* AzimuthReadout = nullptr;      // View azimuth read-out.
    SurfaceView* LatitudeReadout = nullptr;     // Latitude read-out.
    SurfaceView* ElevationReadout = nullptr;    // View elevation read-out.
    SurfaceView* LongitudeReadout = nullptr;    // Longitude read-out.
    QAction* QuitAction = nullptr;              // "終了"
    QAction* AboutAction = nullptr;             // "情報"
    QMenu* ViewMenu = nullptr;                  // "表示"
    QAction* FullScreenAction = nullptr;        // "全画面表示"
    QAction* ProjectorAction = nullptr;         // "大きな星と文字"
    OverlayMenu* OverlayItems = nullptr;        // The lesson overlays' items of 表示.
    QAction* YearAction = nullptr;              // "年…": the year of the bodies, in a dialog.
    QAction* PlayAction = nullptr;              // "再生" (F5): the clock runs until unchecked.
    std::array<QAction*, 4> PlayRateActions{};  // "再生の速さ": one per PlayRates entry.
    std::array<QAction*, 4> AdvanceActions{};   // "進め方": one per item of Setting::Advance.
    QAction* TodayAction = nullptr;             // "今日": the clock to the present.
    QAction* SunNumbersAction = nullptr;        // "太陽の数値…": opens SunNumbers.
    SunNumbersWindow* SunNumbers = nullptr;     // Made at the first opening.
    QAction* GroundAction = nullptr;            // "地上から見た空…": opens Ground.
    GroundWindow* Ground = nullptr;             // Made at the first opening.
    QTimer* PlayTimer = nullptr;                // Ticks the play while PlayAction is checked.

private:
    void CreateControls();
    void CreateMenu();
    void CreatePlayMenu();
    double PlayClockMs() const;
    void SetTabSequence();
    void BindControls();

    void DescribeForScreenReaders();
    // The azimuth, longitude, elevation and pole angle the read-outs' names were made from.
    std::array<double, 4> Described{};
    bool DescribedOnce = false;
    void FitChartScale();
    const GlyphSource& ChartTextAt(double scale);

    void QuitAction_Triggered();
    void AboutAction_Triggered();

    // Device pixels per window pixel, taken from the screen when the window is made.
    double Ratio = 1.0;
    bool Projector = false;   // 大きな星と文字: figures and labels grow with the chart.
    QElapsedTimer PlayClock;  // The play's clock, milliseconds since the window was made.
    std::map<double, std::unique_ptr<QtGlyphSource>> ChartTexts;  // By scale.
    QtGlyphSource ChartText{ChartFont()};
    // The labels' font, read at the first label drawn.
    const std::filesystem::path LabelFile = LabelFontFile();
    const LabelFont Labels{[this] { return ReadWholeFile(LabelFile); }, LabelFile.string()};
    std::unique_ptr<QtGlyphSource> ReadoutText;
    std::unique_ptr<WindowState> State;
    std::array<std::unique_ptr<RasterSurface>, 2> ChartRasters;
    std::array<std::unique_ptr<RasterSurface>, 4>
        ReadoutRasters;  // AzimuthReadout..LongitudeReadout.
    // Each read-out's pixels as last handed to its widget for painting: a redraw that
    // writes the same read-out again does not repaint it.
    std::array<std::vector<Pixel>, 4> ReadoutsShown;
    std::array<SurfaceView*, 2> ChartViews{};
    std::unique_ptr<QtList> Lists[6];
    std::unique_ptr<QtScroll> Scrolls[4];  // AzimuthBar, LongitudeBar, ElevationBar, LatitudeBar.
    SkyControls Ui;
    bool ResizeReady =
        false;  // Set when the window is first shown: no Resize before SetStartValues has run.
};
