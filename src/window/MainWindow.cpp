#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>

#include "AboutDialog.h"
#include "session/Layout.h"
#include "session/StartUp.h"

namespace {
// A caption: its text and its place in the client area, pixels.
struct CaptionPlace {
    QLineEdit* MainWindow::*Field;
    const char* Text;
    QRect Place;
};

// A caption field: a single line that only labels the control next to it, in the
// menu bar's colours; it never takes the focus.
QLineEdit* MakeCaption(QWidget* parent, const char* text, const QRect& place,
                       const QPalette& menuColours) {
    auto* caption = new QLineEdit(QString::fromUtf8(text), parent);
    caption->setGeometry(place);
    caption->setReadOnly(true);
    caption->setFrame(false);
    caption->setFocusPolicy(Qt::NoFocus);
    caption->setCursorPosition(0);  // A caption wider than its field shows its beginning.
    caption->setContextMenuPolicy(Qt::NoContextMenu);
    QPalette colours = caption->palette();
    colours.setColor(QPalette::Base, menuColours.color(QPalette::Window));
    colours.setColor(QPalette::Text, menuColours.color(QPalette::WindowText));
    caption->setPalette(colours);
    return caption;
}

QComboBox* MakeList(QWidget* parent, const QRect& place, const char* tip) {
    auto* combo = new QComboBox(parent);
    combo->setGeometry(place);
    if (tip != nullptr) combo->setToolTip(QString::fromUtf8(tip));
    return combo;
}

QScrollBar* MakeScroll(QWidget* parent, Qt::Orientation orientation, const QRect& place) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setGeometry(place);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}
}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), State(std::make_unique<SkyState>()) {
    setWindowTitle(QStringLiteral("Domarium"));
    CreateControls();
    CreateMenu();
    SetTabSequence();
    BindControls();
    // The client area is 584 x 416 pixels below the menu bar.
    resize(InnerWidthAtStart, InnerHeightAtStart + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() = default;

// The controls in the order the window creates them; a later one lies above an
// earlier one, so Charts(1) starts in front of Charts(0).
void MainWindow::CreateControls() {
    Client = new ClientArea(this);
    Client->setAutoFillBackground(true);
    QPalette face = Client->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    Client->setPalette(face);
    setCentralWidget(Client);

    const QPalette menuColours = QApplication::palette("QMenuBar");
    for (std::size_t i = 0; i < ChartRasters.size(); ++i) {
        ChartRasters[i] = std::make_unique<RasterSurface>(ChartSideAsLaidOut, ChartSideAsLaidOut,
                                                          Black, ChartText);
    }
    for (auto& readout : ReadoutRasters) {
        readout = std::make_unique<RasterSurface>(ReadoutWidth, ReadoutHeight, White, ReadoutText);
        readout->ForeColor = Black;
    }
    auto readoutView = [this](std::size_t index, const QPoint& at, const char* tip) {
        auto* view = new SurfaceView(*ReadoutRasters[index], Client);
        view->move(at);
        view->setToolTip(QString::fromUtf8(tip));
        view->setFocusPolicy(Qt::StrongFocus);
        return view;
    };

    LongitudeCaption = MakeCaption(Client, "東経", {8, 88, 49, 18}, menuColours);
    LongitudeBar = MakeScroll(Client, Qt::Horizontal, {8, 128, 81, 25});
    LongitudeReadout = readoutView(3, {8, 104}, "北から東回りです。");
    MinuteList = MakeList(Client, {104, 160, 41, 20}, nullptr);
    HourList = MakeList(Client, {104, 128, 41, 20}, nullptr);
    DayList = MakeList(Client, {104, 96, 41, 20}, nullptr);
    MonthList = MakeList(Client, {104, 64, 41, 20}, nullptr);
    StepList = MakeList(Client, {104, 192, 41, 20}, "天球を何分単位で動かすか設定します");
    MagnitudeList = MakeList(Client, {8, 304, 81, 20}, "明るい星だけにすると、動作が速くなります");
    ElevationReadout = readoutView(2, {8, 256}, "天球を見る角度です。－は見下ろす形になります。");
    LatitudeReadout = readoutView(1, {8, 184}, "北緯は＋、南緯は－です。");
    AzimuthReadout = readoutView(0, {8, 32}, "北から東回りです。");
    LatitudeBar = MakeScroll(Client, Qt::Vertical, {64, 160, 25, 65});
    AzimuthBar = MakeScroll(Client, Qt::Horizontal, {8, 56, 81, 25});
    ElevationBar = MakeScroll(Client, Qt::Vertical, {64, 232, 25, 65});
    AnimateButton = new QtAnimateButton(QStringLiteral("うごかす"), Client);
    AnimateButton->setGeometry(104, 8, 57, 41);
    AnimateButton->setToolTip(QStringLiteral("天球を分単位（増加分）で動かします"));
    AnimateButton->setAutoDefault(false);
    for (std::size_t i = 0; i < ChartViews.size(); ++i) {
        ChartViews[i] = new SurfaceView(*ChartRasters[i], Client);
        ChartViews[i]->move(ChartLeft, ChartTop);
        ChartViews[i]->setFocusPolicy(Qt::StrongFocus);
    }
    const CaptionPlace captions[] = {
        {&MainWindow::LatitudeCaption, "緯度", {8, 168, 49, 18}},
        {&MainWindow::ElevationCaption, "仰角", {8, 240, 49, 18}},
        {&MainWindow::AzimuthCaption, "方位角", {8, 16, 49, 18}},
        {&MainWindow::MagnitudeCaption, "限界等級", {8, 288, 49, 18}},
        {&MainWindow::StepCaption, "分増加率", {112, 216, 49, 18}},
        {&MainWindow::MonthCaption, "月", {152, 68, 17, 18}},
        {&MainWindow::DayCaption, "日", {152, 100, 17, 18}},
        {&MainWindow::HourCaption, "時", {152, 132, 17, 18}},
        {&MainWindow::MinuteCaption, "分", {152, 164, 17, 20}},
    };
    for (const CaptionPlace& caption : captions) {
        this->*caption.Field = MakeCaption(Client, caption.Text, caption.Place, menuColours);
    }
    // Names by meaning, so that tests and accessibility tools find each control.
    const std::pair<QObject*, const char*> names[] = {
        {Client, "Client"},
        {LongitudeCaption, "LongitudeCaption"},
        {LatitudeCaption, "LatitudeCaption"},
        {ElevationCaption, "ElevationCaption"},
        {AzimuthCaption, "AzimuthCaption"},
        {MagnitudeCaption, "MagnitudeCaption"},
        {StepCaption, "StepCaption"},
        {MonthCaption, "MonthCaption"},
        {DayCaption, "DayCaption"},
        {HourCaption, "HourCaption"},
        {MinuteCaption, "MinuteCaption"},
        {MagnitudeList, "MagnitudeList"},
        {StepList, "StepList"},
        {MonthList, "MonthList"},
        {DayList, "DayList"},
        {HourList, "HourList"},
        {MinuteList, "MinuteList"},
        {AzimuthBar, "AzimuthBar"},
        {LongitudeBar, "LongitudeBar"},
        {ElevationBar, "ElevationBar"},
        {LatitudeBar, "LatitudeBar"},
        {AnimateButton, "AnimateButton"},
        {AzimuthReadout, "AzimuthReadout"},
        {LatitudeReadout, "LatitudeReadout"},
        {ElevationReadout, "ElevationReadout"},
        {LongitudeReadout, "LongitudeReadout"},
        {ChartViews[0], "Chart0"},
        {ChartViews[1], "Chart1"},
    };
    for (const auto& [object, name] : names) object->setObjectName(QString::fromLatin1(name));
}

// Two plain items side by side, without submenus or shortcuts.
void MainWindow::CreateMenu() {
    menuBar()->setNativeMenuBar(false);
    QuitAction = menuBar()->addAction(QStringLiteral("終了"));
    AboutAction = menuBar()->addAction(QStringLiteral("情報"));
    QuitAction->setObjectName(QStringLiteral("QuitAction"));
    AboutAction->setObjectName(QStringLiteral("AboutAction"));
    connect(QuitAction, &QAction::triggered, this, &MainWindow::QuitAction_Triggered);
    connect(AboutAction, &QAction::triggered, this, &MainWindow::AboutAction_Triggered);
}

// Keyboard focus follows the tab index; the captions are left out.
void MainWindow::SetTabSequence() {
    QWidget* const sequence[] = {ChartViews[0],    AnimateButton, ChartViews[1],  ElevationBar,
                                 AzimuthBar,       LatitudeBar,   AzimuthReadout, LatitudeReadout,
                                 ElevationReadout, MagnitudeList, StepList,       MonthList,
                                 DayList,          HourList,      MinuteList,     LongitudeReadout,
                                 LongitudeBar};
    for (std::size_t i = 0; i + 1 < std::size(sequence); ++i)
        setTabOrder(sequence[i], sequence[i + 1]);
}

// Binds every control to the engine's interfaces and points its events at the handlers.
void MainWindow::BindControls() {
    QComboBox* const combos[6] = {MagnitudeList, StepList, MonthList,
                                  DayList,       HourList, MinuteList};
    for (std::size_t i = 0; i < 6; ++i) Lists[i] = std::make_unique<QtList>(combos[i]);
    Scrolls[0] = std::make_unique<QtScroll>(AzimuthBar, AzimuthRange);
    Scrolls[1] = std::make_unique<QtScroll>(LongitudeBar, LongitudeRange);
    Scrolls[2] = std::make_unique<QtScroll>(ElevationBar, ElevationRange);
    Scrolls[3] = std::make_unique<QtScroll>(LatitudeBar, LatitudeRange);

    Ui.Window = this;
    Ui.MagnitudeList = Lists[0].get();
    Ui.StepList = Lists[1].get();
    Ui.MonthList = Lists[2].get();
    Ui.DayList = Lists[3].get();
    Ui.HourList = Lists[4].get();
    Ui.MinuteList = Lists[5].get();
    Ui.AzimuthBar = Scrolls[0].get();
    Ui.LongitudeBar = Scrolls[1].get();
    Ui.ElevationBar = Scrolls[2].get();
    Ui.LatitudeBar = Scrolls[3].get();
    Ui.AnimateButton = AnimateButton;
    Ui.Charts[0] = ChartRasters[0].get();
    Ui.Charts[1] = ChartRasters[1].get();
    Ui.AzimuthReadout = ReadoutRasters[0].get();
    Ui.LatitudeReadout = ReadoutRasters[1].get();
    Ui.ElevationReadout = ReadoutRasters[2].get();
    Ui.LongitudeReadout = ReadoutRasters[3].get();
    ConnectHandlers(*State, Ui);
    // The client area reports sizes from the start; the session hears of them once the
    // window has been asked to show, after the start values are set.
    Client->OnResize = [this] {
        if (ResizeReady && OnResize) OnResize();
    };
    // Every redraw rewrites the read-outs right after it refreshes a chart
    // surface; their widgets repaint when the handler has finished.
    for (SurfaceView* chart : ChartViews) {
        chart->AfterRefresh = [this] {
            for (SurfaceView* readout :
                 {AzimuthReadout, LatitudeReadout, ElevationReadout, LongitudeReadout})
                readout->update();
        };
    }
}

void MainWindow::Load(const std::filesystem::path& starData) { StartUp(*State, Ui, starData); }

float MainWindow::InnerWidth() const { return static_cast<float>(Client->width()); }

float MainWindow::InnerHeight() const { return static_cast<float>(Client->height()); }

void MainWindow::Show() {
    ResizeReady = true;
    show();
}

// Unloading the main window ends the program: nothing is asked or saved.
void MainWindow::QuitAction_Triggered() { close(); }

// A fresh dialog at every opening, modal; returns when it has been closed.
void MainWindow::AboutAction_Triggered() {
    AboutDialog dialog(this);
    dialog.exec();
}
