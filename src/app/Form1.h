#pragma once
// Form1: Domarium's main window. A fixed control panel on the left, the two
// stacked chart surfaces to its right, and a menu bar with "終了" and "情報".
// The window builds its controls, binds them to the engine's interfaces and
// forwards their events to the handlers; start-up, resizing and every setting
// change are the engine's (Lifecycle, Settings).

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>

#include "QtControls.h"
#include "core/Controls.h"
#include "core/SkyState.h"
#include "render/RasterSurface.h"

class QAction;
class QLineEdit;

class Form1 : public QMainWindow, public WindowControl {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Form_Load: sets up the default state with the catalogue read from starData,
    // then shows the window (its first Resize runs inside) and draws the chart.
    void Load(const std::filesystem::path& starData = "StarData");

    // The client area below the menu bar, pixels.
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    // Shows the window; the client area's pending Resize is delivered before this returns.
    void Show() override;

    SkyState& Sky() { return *State; }
    SkyControls& Controls() { return Ui; }
    // Picture1(index): the chart surface and the widget that shows it.
    RasterSurface& ChartSurface(int index) {
        return *ChartRasters[static_cast<std::size_t>(index)];
    }
    SurfaceView* ChartView(int index) const { return ChartViews[static_cast<std::size_t>(index)]; }

    // The controls, named as the handlers know them.
    ClientArea* Client = nullptr;
    QLineEdit* Text1 = nullptr;         // "緯度"
    QLineEdit* Text2 = nullptr;         // "仰角"
    QLineEdit* Text3 = nullptr;         // "方位角"
    QLineEdit* Text4 = nullptr;         // "限界等級"
    QLineEdit* Text5 = nullptr;         // "分増加率"
    QLineEdit* Text6 = nullptr;         // "月"
    QLineEdit* Text7 = nullptr;         // "日"
    QLineEdit* Text8 = nullptr;         // "時"
    QLineEdit* Text9 = nullptr;         // "分"
    QLineEdit* Text10 = nullptr;        // "東経"
    QComboBox* Combo1 = nullptr;        // Limiting magnitude.
    QComboBox* Combo2 = nullptr;        // Animation step, minutes.
    QComboBox* Combo3 = nullptr;        // Month.
    QComboBox* Combo4 = nullptr;        // Day.
    QComboBox* Combo5 = nullptr;        // Hour.
    QComboBox* Combo6 = nullptr;        // Minute.
    QScrollBar* HScroll1 = nullptr;     // View azimuth, 0..360.
    QScrollBar* HScroll2 = nullptr;     // Longitude, 120..150.
    QScrollBar* VScroll1 = nullptr;     // View elevation, 0..180 (90 - elevation).
    QScrollBar* VScroll2 = nullptr;     // Latitude, 0..180 (90 - latitude).
    AnimateButton* Command1 = nullptr;  // "うごかす"
    SurfaceView* Picture2 = nullptr;    // View azimuth read-out.
    SurfaceView* Picture3 = nullptr;    // Latitude read-out.
    SurfaceView* Picture4 = nullptr;    // View elevation read-out.
    SurfaceView* Picture5 = nullptr;    // Longitude read-out.
    QAction* MenuFileQuit = nullptr;    // "終了"
    QAction* Joho = nullptr;            // "情報"

private:
    void CreateControls();
    void CreateMenu();
    void SetTabSequence();
    void BindControls();

    void MenuFileQuit_Click();
    void Joho_Click();

    std::unique_ptr<SkyState> State;
    std::array<std::unique_ptr<RasterSurface>, 2> ChartRasters;
    std::array<std::unique_ptr<RasterSurface>, 4> ReadoutRasters;  // Picture2..Picture5.
    std::array<SurfaceView*, 2> ChartViews{};
    std::unique_ptr<QtList> Lists[6];
    std::unique_ptr<QtScroll> Scrolls[4];  // HScroll1, HScroll2, VScroll1, VScroll2.
    SkyControls Ui;
    bool ResizeReady =
        false;  // Set when the window is first shown: no Resize before InitState has run.
};
