#include "MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDateTime>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "AboutDialog.h"
#include "GroundWindow.h"
#include "OverlayMenu.h"
#include "SunNumbersWindow.h"
#include "session/Handlers.h"
#include "session/Layout.h"
#include "session/Play.h"
#include "session/StartUp.h"

namespace {
// A caption: its text, its place in the client area, pixels, and the control it names.
struct CaptionPlace {
    QLabel* MainWindow::*Field;
    const char* Text;
    QRect Place;
    QWidget* Control;
};

// A caption: plain text in the menu bar's colours that only labels the control next to
// it (its buddy, which screen readers name by it); it cannot be selected or focused.
QLabel* MakeCaption(QWidget* parent, const char* text, const QRect& place,
                    const QPalette& menuColours, QWidget* control) {
    auto* caption = new QLabel(QString::fromUtf8(text), parent);
    caption->setTextFormat(Qt::PlainText);
    caption->setGeometry(place);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    caption->setIndent(2);  // Where the text of a frameless one-line field begins.
    caption->setTextInteractionFlags(Qt::NoTextInteraction);
    caption->setFocusPolicy(Qt::NoFocus);
    caption->setContextMenuPolicy(Qt::NoContextMenu);
    caption->setAutoFillBackground(true);
    QPalette colours = caption->palette();
    colours.setColor(QPalette::Window, menuColours.color(QPalette::Window));
    colours.setColor(QPalette::WindowText, menuColours.color(QPalette::WindowText));
    caption->setPalette(colours);
    caption->setBuddy(control);
    return caption;
}

// A colour of the palette as the surfaces take it.
Colour ColourOf(const QColor& colour) { return RGB(colour.red(), colour.green(), colour.blue()); }

QFont Scaled(const QFont& font, double scale) { return ScaledFont(font, scale); }

// The application's style with one change: the menu bar's overflow button (shown only when
// the menus do not fit the window) gets its arrows drawn here. The style would read them
// from an image file as the menu bar is made, and reading one loads every image-format
// plug-in the system has: milliseconds of start-up and their libraries in memory.
class WindowStyle final : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which != SP_ToolBarHorizontalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        QIcon icon;
        for (const int side : {16, 32}) {
            QPixmap arrows(side, side);
            arrows.fill(Qt::transparent);
            QPainter painter(&arrows);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(side / 16.0, side / 16.0);
            painter.setPen(QPen(standardPalette().color(QPalette::ButtonText), 1.5));
            for (const double x : {4.0, 8.5}) {
                const QPointF chevron[] = {{x, 4.5}, {x + 3.5, 8.0}, {x, 11.5}};
                painter.drawPolyline(chevron, 3);
            }
            painter.end();
            icon.addPixmap(arrows);
        }
        return icon;
    }
};

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

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), State(std::make_unique<WindowState>()) {
    if (dynamic_cast<const WindowStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new WindowStyle);
    setWindowTitle(QStringLiteral("Domarium"));
    // The screen's device pixels per window pixel (QT_SCALE_FACTOR, the desktop's scaling):
    // the chart and the read-outs are drawn at the screen's own pixels.
    Ratio = qApp->devicePixelRatio();
    ReadoutText = std::make_unique<QtGlyphSource>(Scaled(ReadoutFont(), Ratio));
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
    const auto device = [this](int side) {
        return Ratio == 1.0 ? side : static_cast<int>(std::lround(side * Ratio));
    };
    for (std::size_t i = 0; i < ChartRasters.size(); ++i) {
        ChartRasters[i] = std::make_unique<RasterSurface>(
            device(ChartSideAsLaidOut), device(ChartSideAsLaidOut), Black, ChartTextAt(Ratio));
        ChartRasters[i]->DrawScale = static_cast<float>(Ratio);
        ChartRasters[i]->SetLabelFont(&Labels);
    }
    for (auto& readout : ReadoutRasters) {
        readout = std::make_unique<RasterSurface>(device(ReadoutWidth), device(ReadoutHeight),
                                                  White, *ReadoutText);
        // The read-outs write in the colour of the text on the window's buttons.
        readout->ForeColor = ColourOf(Client->palette().color(QPalette::ButtonText));
    }
    auto readoutView = [this](std::size_t index, const QPoint& at, const char* tip) {
        auto* view = new SurfaceView(*ReadoutRasters[index], Client, Ratio);
        view->move(at);
        view->setToolTip(QString::fromUtf8(tip));
        view->setFocusPolicy(Qt::StrongFocus);
        return view;
    };

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
        ChartViews[i] = new SurfaceView(*ChartRasters[i], Client, Ratio);
        ChartViews[i]->move(ChartLeft, ChartTop);
        ChartViews[i]->setFocusPolicy(Qt::StrongFocus);
    }
    const CaptionPlace captions[] = {
        {&MainWindow::LongitudeCaption, "東経", {8, 88, 49, 18}, LongitudeBar},
        {&MainWindow::LatitudeCaption, "緯度", {8, 168, 49, 18}, LatitudeBar},
        {&MainWindow::ElevationCaption, "仰角", {8, 240, 49, 18}, ElevationBar},
        {&MainWindow::AzimuthCaption, "方位角", {8, 16, 49, 18}, AzimuthBar},
        {&MainWindow::MagnitudeCaption, "限界等級", {8, 288, 49, 18}, MagnitudeList},
        {&MainWindow::StepCaption, "分増加率", {112, 216, 49, 18}, StepList},
        {&MainWindow::MonthCaption, "月", {152, 68, 17, 18}, MonthList},
        {&MainWindow::DayCaption, "日", {152, 100, 17, 18}, DayList},
        {&MainWindow::HourCaption, "時", {152, 132, 17, 18}, HourList},
        {&MainWindow::MinuteCaption, "分", {152, 164, 17, 20}, MinuteList},
    };
    for (const CaptionPlace& caption : captions) {
        this->*caption.Field =
            MakeCaption(Client, caption.Text, caption.Place, menuColours, caption.Control);
    }
    // The longitude caption was made first, so it lies beneath every other control.
    LongitudeCaption->lower();
    // What screen readers call each control; the read-outs and the chart are named by
    // what they show, after every redraw.
    const std::pair<QWidget*, const char*> spoken[] = {{MagnitudeList, "限界等級"},
                                                       {StepList, "分増加率"},
                                                       {MonthList, "月"},
                                                       {DayList, "日"},
                                                       {HourList, "時"},
                                                       {MinuteList, "分"},
                                                       {AzimuthBar, "方位角"},
                                                       {LongitudeBar, "東経"},
                                                       {ElevationBar, "仰角"},
                                                       {LatitudeBar, "緯度"},
                                                       {AnimateButton, "うごかす"}};
    for (const auto& [control, name] : spoken) control->setAccessibleName(QString::fromUtf8(name));
    for (QWidget* focusable :
         {static_cast<QWidget*>(AzimuthBar), static_cast<QWidget*>(LongitudeBar),
          static_cast<QWidget*>(ElevationBar), static_cast<QWidget*>(LatitudeBar)})
        ShowKeyboardFocus(focusable);
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

// Two plain items side by side, without submenus or shortcuts, then the 表示 menu of
// checkable options, all off at start-up: the window's own, then the lesson overlays.
void MainWindow::CreateMenu() {
    menuBar()->setNativeMenuBar(false);
    QuitAction = menuBar()->addAction(QStringLiteral("終了"));
    AboutAction = menuBar()->addAction(QStringLiteral("情報"));
    QuitAction->setObjectName(QStringLiteral("QuitAction"));
    AboutAction->setObjectName(QStringLiteral("AboutAction"));
    connect(QuitAction, &QAction::triggered, this, &MainWindow::QuitAction_Triggered);
    connect(AboutAction, &QAction::triggered, this, &MainWindow::AboutAction_Triggered);
    ViewMenu = menuBar()->addMenu(QStringLiteral("表示"));
    ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
    // The menu bar stays in full screen, so the same item leaves it.
    FullScreenAction = AddViewOption(QStringLiteral("全画面表示"), [this](bool on) {
        if (on) {
            showFullScreen();
        } else {
            showNormal();
        }
    });
    FullScreenAction->setObjectName(QStringLiteral("FullScreenAction"));
    ProjectorAction = AddViewOption(QStringLiteral("大きな星と文字"), [this](bool on) {
        Projector = on;
        if (ResizeReady && OnResize) {
            FitChartScale();
            OnResize();
        }
    });
    ProjectorAction->setObjectName(QStringLiteral("ProjectorAction"));
    OverlayItems = new OverlayMenu(
        *ViewMenu, [this] { return State->View.Overlays; },
        [this](const OverlaySet& overlays) { SetOverlays(*State, Ui, overlays); });
    // The year of the bodies: a small dialog, so that no control of the window moves.
    const SettingSpec& year = SettingOf(Setting::Year);
    YearAction = ViewMenu->addAction(QString::fromUtf8(year.Caption) + QStringLiteral("…"));
    YearAction->setObjectName(QStringLiteral("YearAction"));
    connect(YearAction, &QAction::triggered, this, [this, &year] {
        bool accepted = false;
        const int chosen = QInputDialog::getInt(this, QString::fromUtf8(year.Caption),
                                                QString::fromUtf8(year.Remark), State->Moment.Year,
                                                year.Min, year.Max, 1, &accepted);
        if (accepted) SetYear(*State, Ui, chosen);
    });
    CreatePlayMenu();
}

// 再生, its speed, 今日 and 太陽の数値 at the end of 表示: the panel of controls keeps
// its own controls only.
void MainWindow::CreatePlayMenu() {
    PlayClock.start();
    PlayTimer = new QTimer(this);
    PlayTimer->setTimerType(Qt::PreciseTimer);
    // Finer than the shortest period, so that each step comes close to its time.
    PlayTimer->setInterval(20);
    connect(PlayTimer, &QTimer::timeout, this, [this] { PlayTick(*State, Ui, PlayClockMs()); });
    ViewMenu->addSeparator();
    PlayAction = AddViewOption(QStringLiteral("再生"), [this](bool on) {
        if (on) {
            StartPlay(*State, PlayClockMs());
            PlayTimer->start();
        } else {
            PlayTimer->stop();
            StopPlay(*State, Ui);
        }
    });
    PlayAction->setObjectName(QStringLiteral("PlayAction"));
    PlayAction->setShortcut(QKeySequence(Qt::Key_F5));
    QMenu* rates = ViewMenu->addMenu(QString::fromUtf8(PlayRateCaption));
    auto* group = new QActionGroup(rates);
    static_assert(std::size(PlayRates) == std::tuple_size_v<decltype(PlayRateActions)>);
    for (std::size_t k = 0; k < PlayRateActions.size(); ++k) {
        QAction* rate =
            rates->addAction(QString::number(PlayRates[k]) + QString::fromUtf8(PlayRateUnit));
        rate->setCheckable(true);
        rate->setChecked(static_cast<int>(k) == State->PlayRateIndex);
        rate->setActionGroup(group);
        connect(rate, &QAction::toggled, this, [this, k](bool on) {
            if (on) SetPlayRate(*State, static_cast<int>(k), PlayClockMs());
        });
        PlayRateActions[k] = rate;
    }
    // 進め方: what each step of a hold and of 再生 adds; the 分増加率 list stays as it is.
    const SettingSpec& advance = SettingOf(Setting::Advance);
    QMenu* advances = ViewMenu->addMenu(QString::fromUtf8(advance.Caption));
    advances->setObjectName(QStringLiteral("AdvanceMenu"));
    auto* advanceGroup = new QActionGroup(advances);
    static_assert(ValueCount(SettingOf(Setting::Advance)) ==
                  std::tuple_size_v<decltype(AdvanceActions)>);
    for (std::size_t k = 0; k < AdvanceActions.size(); ++k) {
        QAction* choice = advances->addAction(QString::fromUtf8(advance.ItemCaptions[k]));
        choice->setCheckable(true);
        choice->setChecked(static_cast<int>(k) == static_cast<int>(State->AdvanceBy));
        choice->setActionGroup(advanceGroup);
        connect(choice, &QAction::toggled, this, [this, k](bool on) {
            if (on) SetAdvance(*State, static_cast<int>(k));
        });
        AdvanceActions[k] = choice;
    }
    TodayAction = ViewMenu->addAction(QStringLiteral("今日"));
    TodayAction->setObjectName(QStringLiteral("TodayAction"));
    connect(TodayAction, &QAction::triggered, this, [this] {
        ShowNow(*State, Ui, static_cast<double>(QDateTime::currentMSecsSinceEpoch()));
    });
    SunNumbersAction = ViewMenu->addAction(QStringLiteral("太陽の数値…"));
    SunNumbersAction->setObjectName(QStringLiteral("SunNumbersAction"));
    connect(SunNumbersAction, &QAction::triggered, this, [this] {
        if (SunNumbers == nullptr) SunNumbers = new SunNumbersWindow(this);
        SunNumbers->ShowDay(State->Moment);
        SunNumbers->show();
        SunNumbers->raise();
    });
    GroundAction = ViewMenu->addAction(QStringLiteral("地上から見た空…"));
    GroundAction->setObjectName(QStringLiteral("GroundAction"));
    connect(GroundAction, &QAction::triggered, this, [this] {
        if (Ground == nullptr) Ground = new GroundWindow(this, &Labels);
        Ground->Follow(*State->Sky, State->Moment, State->View);
        Ground->show();
        Ground->raise();
    });
}

double MainWindow::PlayClockMs() const { return static_cast<double>(PlayClock.elapsed()); }

QAction* MainWindow::AddViewOption(const QString& text, std::function<void(bool)> toggled) {
    QAction* action = ViewMenu->addAction(text);
    action->setCheckable(true);
    action->setChecked(false);
    connect(action, &QAction::toggled, this, std::move(toggled));
    return action;
}

// The chart's figure scale and font for the window's size: the screen's ratio, times the
// growth of the chart side over the laid-out side while 大きな星と文字 is on.
void MainWindow::FitChartScale() {
    const double scale =
        Projector ? LargeFiguresScale(Ratio, ChartSideFor(InnerWidth(), InnerHeight())) : Ratio;
    for (auto& chart : ChartRasters) {
        chart->DrawScale = static_cast<float>(scale);
        chart->SetGlyphs(ChartTextAt(Ratio));
        SetLargeFigures(*chart, Projector);
    }
}

const GlyphSource& MainWindow::ChartTextAt(double scale) {
    if (scale == 1.0) return ChartText;
    auto& glyphs = ChartTexts[scale];
    if (!glyphs) glyphs = std::make_unique<QtGlyphSource>(Scaled(ChartFont(), scale));
    return *glyphs;
}

// The read-outs' names carry their values, and the chart's description says what it shows.
void MainWindow::DescribeForScreenReaders() {
    const Moment& moment = State->Moment;
    const View& view = State->View;
    // Each change is announced to screen readers: only what has changed is set.
    const auto say = [](QWidget* widget, const QString& name) {
        if (widget->accessibleName() != name) widget->setAccessibleName(name);
    };
    const auto degrees = [](double value) { return QString::number(value) + QStringLiteral("°"); };
    const double latitude = moment.PoleAngle - 90;
    // The read-outs' names change only with the view and the place, not during an animation.
    const std::array<double, 4> described = {static_cast<double>(view.Azimuth), moment.Longitude,
                                             static_cast<double>(view.Elevation), moment.PoleAngle};
    if (!DescribedOnce || described != Described) {
        say(AzimuthReadout, QStringLiteral("方位角 ") + degrees(view.Azimuth));
        say(LongitudeReadout, QStringLiteral("東経 ") + degrees(moment.Longitude));
        say(ElevationReadout, QStringLiteral("仰角 ") + degrees(-view.Elevation));
        say(LatitudeReadout, (latitude < 0 ? QStringLiteral("南緯 ") : QStringLiteral("北緯 ")) +
                                 degrees(std::fabs(latitude)));
        Described = described;
        DescribedOnce = true;
    }
    // "1月1日 0時0分、東経135°・北緯35°の星空", appended piece by piece: at every step of
    // an animation, and cheaper so than by placeholders.
    QString chart;
    chart.reserve(40);
    chart += QString::number(moment.Month) + QStringLiteral("月");
    chart += QString::number(moment.DayIndex + 1) + QStringLiteral("日 ");
    chart += QString::number(moment.Hour) + QStringLiteral("時");
    chart += QString::number(moment.Minute) + QStringLiteral("分、東経");
    chart += degrees(moment.Longitude) + QStringLiteral("・");
    chart += (latitude < 0 ? QStringLiteral("南緯") : QStringLiteral("北緯"));
    chart += degrees(std::fabs(latitude)) + QStringLiteral("の星空");
    for (SurfaceView* view : ChartViews) {
        say(view, QStringLiteral("天球の図"));
        if (view->accessibleDescription() != chart) view->setAccessibleDescription(chart);
    }
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
        if (!ResizeReady || !OnResize) return;
        FitChartScale();
        OnResize();
    };
    // Every redraw rewrites the read-outs right after it refreshes a chart
    // surface; their widgets repaint when the handler has finished, those whose
    // pixels have changed since they were last handed over.
    for (SurfaceView* chart : ChartViews) {
        chart->AfterRefresh = [this] {
            SurfaceView* const readouts[4] = {AzimuthReadout, LatitudeReadout, ElevationReadout,
                                              LongitudeReadout};
            for (std::size_t i = 0; i < 4; ++i) {
                const RasterSurface& surface = *ReadoutRasters[i];
                const Pixel* pixels = surface.Pixels();
                const std::size_t count = static_cast<std::size_t>(surface.Width()) *
                                          static_cast<std::size_t>(surface.Height());
                std::vector<Pixel>& shown = ReadoutsShown[i];
                if (shown.size() == count && std::equal(shown.begin(), shown.end(), pixels))
                    continue;
                shown.assign(pixels, pixels + count);
                readouts[i]->update();
            }
            DescribeForScreenReaders();
            if (SunNumbers != nullptr && SunNumbers->isVisible())
                SunNumbers->ShowDay(State->Moment);
            if (Ground != nullptr && Ground->isVisible())
                Ground->Follow(*State->Sky, State->Moment, State->View);
        };
    }
}

void MainWindow::Load(const std::filesystem::path& starData) { StartUp(*State, Ui, starData); }

void MainWindow::Load(const CatalogueReader& read) { StartUp(*State, Ui, read); }

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
