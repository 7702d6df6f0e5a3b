// WindowTest: the Qt window driven through real Qt events on the offscreen
// platform: that every control reaches its handler the way the engine expects
// (synchronous Click, Change only on release, moves with the held buttons),
// and that the window shows what the engine drew.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "AboutDialog.h"
#include "MainWindow.h"
#include "StartUpAhead.h"
#include "catalogue/StarDataPath.h"
#include "core/RunTimeError.h"
#include "session/HeadlessWindow.h"
#include "support/TestSky.h"

namespace {

// What each redraw found: RedrawSky brings the surface it drew last time to the
// front once per run, so a BringToFront is one redraw.
struct RedrawLog {
    int Count = 0;
    std::vector<float> CenterX;  // CenterX at each redraw.
    std::vector<bool> Shown;     // Whether the window was visible at each redraw.
};

void WatchRedraws(MainWindow& window, RedrawLog& log) {
    for (int index : {0, 1}) {
        RasterSurface& surface = window.ChartSurface(index);
        surface.OnBringToFront = [&window, &log,
                                  raise = surface.OnBringToFront](RasterSurface& raised) {
            ++log.Count;
            log.CenterX.push_back(window.Window().View.CenterX());
            log.Shown.push_back(window.isVisible());
            raise(raised);
        };
    }
}

// The read-out a fresh surface gets for the same line: what the window's read-out
// must hold, pixel for pixel.
PixelImage ExpectedReadout(double value) {
    return ReadoutWith(FormatPrintLine({value, std::string("°")}));
}

// Mouse input through the window, as the platform delivers it: Qt's implicit grab
// and the held-button state apply.
QWindow* WindowOf(QWidget* widget) { return widget->window()->windowHandle(); }
QPoint InWindow(QWidget* widget, QPoint local) { return widget->mapTo(widget->window(), local); }
void Press(QWidget* widget, Qt::MouseButton button, QPoint local) {
    QTest::mousePress(WindowOf(widget), button, {}, InWindow(widget, local));
}
void Release(QWidget* widget, Qt::MouseButton button, QPoint local) {
    QTest::mouseRelease(WindowOf(widget), button, {}, InWindow(widget, local));
}
void Move(QWidget* widget, QPoint local) {
    QTest::mouseMove(WindowOf(widget), InWindow(widget, local));
}
// A point on the animate button that differs from the last one handed out: a move
// to where the pointer already is is no move.
QPoint FreshPoint() {
    static int x = 6;
    x = x >= 50 ? 6 : x + 2;
    return {x, 10};
}

// Every label but the description holds its text on one line, uncut.
bool LabelsFitOnOneLine(const AboutDialog& dialog) {
    for (const QLabel* label :
         {dialog.TitleLabel, dialog.VersionLabel, dialog.CopyrightLabel, dialog.CreditLabel}) {
        if (label->fontMetrics().horizontalAdvance(label->text()) > label->width()) return false;
    }
    return true;
}

// The widget that holds the focus, taking a list's edit field as the list.
QWidget* FocusedControl(QWidget* window) {
    QWidget* focus = window->focusWidget();
    if (focus != nullptr && qobject_cast<QComboBox*>(focus->parentWidget()) != nullptr) {
        return focus->parentWidget();
    }
    return focus;
}
}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpRunsTheFirstResizeInsideShow();
    void menuBarLoadsNoImagePlugins();
    void readoutsShowTheStartValues();
    void listsHoldTheirItemsAndDefaults_data();
    void listsHoldTheirItemsAndDefaults();
    void controlsSitWhereLaidOut_data();
    void controlsSitWhereLaidOut();
    void magnitudeListEnds();
    void dayBeyondMonthEndRunsIntoNextMonth();
    void keyboardChoiceActsLikeAClick();
    void stepListRedrawsNothingUntilTheNextMove();
    void animationWrapsTheYear();
    void animateButtonFollowsTheDraggingTable_data();
    void animateButtonFollowsTheDraggingTable();
    void listsFollowTheClockDuringAHold();
    void screenShowsTheFrontChartThroughAHold();
    void releaseAnywhereEndsTheHold();
    void scrollBarsAtTheirEnds_data();
    void scrollBarsAtTheirEnds();
    void scrollBarStepsAreOneAndFive();
    void thumbDragRedrawsOnceOnRelease();
    void typingIntoAListChangesNothing_data();
    void typingIntoAListChangesNothing();
    void tabSkipsTheCaptions();
    void resizeFitsTheChart_data();
    void resizeFitsTheChart();
    void aboutDialogOpensFreshAndClosesByKey_data();
    void aboutDialogOpensFreshAndClosesByKey();
    void quitClosesTheWindow();
    void listIndexOutsideTheListIsAnError();
    void startUpReadAheadStartsTheSameWindow();

private:
    SurfaceView* FrontChart() const;
    PixelImage HeadlessChart(const std::function<void(HeadlessWindow&)>& settings) const;

    std::unique_ptr<MainWindow> Window;
    RedrawLog Redraws;
};

void WindowTest::init() {
    Window = std::make_unique<MainWindow>();
    Redraws = {};
    WatchRedraws(*Window, Redraws);
    Window->Load(Catalogue);
    QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
    Redraws = {};
}

void WindowTest::cleanup() { Window.reset(); }

// The chart element whose widget lies on top.
SurfaceView* WindowTest::FrontChart() const {
    const QObjectList& stack = Window->Client->children();
    return stack.indexOf(Window->ChartView(0)) > stack.indexOf(Window->ChartView(1))
               ? Window->ChartView(0)
               : Window->ChartView(1);
}

// The front chart of a headless window at the laid-out size after the given settings.
PixelImage WindowTest::HeadlessChart(const std::function<void(HeadlessWindow&)>& settings) const {
    auto headless = StartedWindow();
    settings(*headless);
    return headless->Front().Picture();
}

void WindowTest::startUpRunsTheFirstResizeInsideShow() {
    MainWindow window;
    RedrawLog log;
    WatchRedraws(window, log);
    window.Load(Catalogue);
    // Ten redraws by the lists' Click handlers while hidden, on the laid-out 409-pixel
    // surfaces; then, before Load returns, two by the first Resize and two by Load,
    // all on the fitted 408-pixel chart.
    QCOMPARE(log.Count, 14);
    for (int i = 0; i < 14; ++i) {
        QCOMPARE(log.Shown[static_cast<std::size_t>(i)], i >= 10);
        QVERIFY2(log.CenterX[static_cast<std::size_t>(i)] == (i < 10 ? 204.5f : 204.0f),
                 qPrintable(QString::number(i)));
    }
    QCOMPARE(window.windowTitle(), QStringLiteral("Domarium"));
    QCOMPARE(window.Client->size(), QSize(584, 416));
    QCOMPARE(window.ChartSurface(0).Width(), 408);
    QCOMPARE(window.ChartView(1)->geometry(), QRect(168, 0, 408, 408));
    QVERIFY(window.Window().View.ChartRadius() == 0.8 * 204.0);
    QCOMPARE(window.Window().BufferIndex, std::int16_t{0});
    QCOMPARE(window.Window().Dragging, std::int16_t{0});
    // Charts(1) in front, holding the start chart, and shown as it is.
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QObjectList& stack = window.Client->children();
    QVERIFY(stack.indexOf(window.ChartView(1)) > stack.indexOf(window.ChartView(0)));
    const PixelImage start = HeadlessChart([](HeadlessWindow&) {});
    QCOMPARE(window.ChartSurface(1).Picture(), start);
    QCOMPARE(window.ChartSurface(0).Picture(), start);
    QCOMPARE(window.ChartView(1)->grab().toImage().convertToFormat(QImage::Format_RGB32),
             ToImage(start));
}

// The menu bar's overflow arrows are drawn, not read from an image file: reading one
// would load every image-format plug-in at start-up.
void WindowTest::menuBarLoadsNoImagePlugins() {
    const QIcon arrows = Window->style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    const QImage drawn = arrows.pixmap(16, 16).toImage();
    QVERIFY(!drawn.isNull());
    int inked = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) inked += qAlpha(drawn.pixel(x, y)) > 128;
    QVERIFY(inked > 10);
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(!maps.readAll().contains("imageformats"));
}

void WindowTest::readoutsShowTheStartValues() {
    const struct {
        SurfaceView* View;
        double Value;
    } readouts[] = {{Window->AzimuthReadout, 0},
                    {Window->LongitudeReadout, 135},
                    {Window->LatitudeReadout, 35},
                    {Window->ElevationReadout, -10}};
    for (const auto& readout : readouts) {
        const PixelImage expected = ExpectedReadout(readout.Value);
        QCOMPARE(readout.View->Surface.Picture(), expected);
        QCOMPARE(readout.View->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 ToImage(expected));
    }
}

void WindowTest::listsHoldTheirItemsAndDefaults_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("tip");
    QTest::newRow("MagnitudeList magnitude") << "MagnitudeList" << 94 << "-1.4"
                                             << "7.9"
                                             << "3.5"
                                             << "明るい星だけにすると、動作が速くなります";
    QTest::newRow("StepList step") << "StepList" << 6 << "1"
                                   << "30"
                                   << "5"
                                   << "天球を何分単位で動かすか設定します";
    QTest::newRow("MonthList month") << "MonthList" << 12 << "1"
                                     << "12"
                                     << "1"
                                     << "";
    QTest::newRow("DayList day") << "DayList" << 31 << "1"
                                 << "31"
                                 << "1"
                                 << "";
    QTest::newRow("HourList hour") << "HourList" << 24 << "0"
                                   << "23"
                                   << "0"
                                   << "";
    QTest::newRow("MinuteList minute") << "MinuteList" << 60 << "0"
                                       << "59"
                                       << "0"
                                       << "";
}

void WindowTest::listsHoldTheirItemsAndDefaults() {
    QFETCH(QString, list);
    auto* combo = Window->findChild<QComboBox*>(list);
    QVERIFY(combo != nullptr);
    QFETCH(int, count);
    QCOMPARE(combo->count(), count);
    QFETCH(QString, first);
    QCOMPARE(combo->itemText(0), first);
    QFETCH(QString, last);
    QCOMPARE(combo->itemText(combo->count() - 1), last);
    QFETCH(QString, selected);
    QCOMPARE(combo->currentText(), selected);
    QCOMPARE(combo->lineEdit()->text(), combo->currentText());
    QFETCH(QString, tip);
    QCOMPARE(combo->toolTip(), tip);
    QVERIFY(combo->isEditable());
}

void WindowTest::controlsSitWhereLaidOut_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");
    const struct {
        const char* Name;
        QRect Place;
        const char* Text;
    } rows[] = {
        {"LongitudeCaption", {8, 88, 49, 18}, "東経"},
        {"LongitudeBar", {8, 128, 81, 25}, ""},
        {"LongitudeReadout", {8, 104, 49, 17}, ""},
        {"MinuteList", {104, 160, 41, 20}, ""},
        {"HourList", {104, 128, 41, 20}, ""},
        {"DayList", {104, 96, 41, 20}, ""},
        {"MonthList", {104, 64, 41, 20}, ""},
        {"StepList", {104, 192, 41, 20}, ""},
        {"MagnitudeList", {8, 304, 81, 20}, ""},
        {"ElevationReadout", {8, 256, 49, 17}, ""},
        {"LatitudeReadout", {8, 184, 49, 17}, ""},
        {"AzimuthReadout", {8, 32, 49, 17}, ""},
        {"LatitudeBar", {64, 160, 25, 65}, ""},
        {"AzimuthBar", {8, 56, 81, 25}, ""},
        {"ElevationBar", {64, 232, 25, 65}, ""},
        {"AnimateButton", {104, 8, 57, 41}, "うごかす"},
        {"LatitudeCaption", {8, 168, 49, 18}, "緯度"},
        {"ElevationCaption", {8, 240, 49, 18}, "仰角"},
        {"AzimuthCaption", {8, 16, 49, 18}, "方位角"},
        {"MagnitudeCaption", {8, 288, 49, 18}, "限界等級"},
        {"StepCaption", {112, 216, 49, 18}, "分増加率"},
        {"MonthCaption", {152, 68, 17, 18}, "月"},
        {"DayCaption", {152, 100, 17, 18}, "日"},
        {"HourCaption", {152, 132, 17, 18}, "時"},
        {"MinuteCaption", {152, 164, 17, 20}, "分"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.Name) << row.Name << row.Place << QString::fromUtf8(row.Text);
    }
}

// Also after the window has grown: the panel never moves or resizes.
void WindowTest::controlsSitWhereLaidOut() {
    QFETCH(QString, control);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    auto* widget = Window->findChild<QWidget*>(control);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), place);
    if (auto* caption = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(caption->text(), text);
        QCOMPARE(caption->focusPolicy(), Qt::NoFocus);
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) QCOMPARE(button->text(), text);
    Window->resize(900, 700);
    QTRY_COMPARE(Window->Client->width(), 900);
    QCOMPARE(widget->geometry(), place);
}

void WindowTest::magnitudeListEnds() {
    Window->MagnitudeList->setCurrentIndex(0);
    QCOMPARE(Window->MagnitudeList->currentText(), QStringLiteral("-1.4"));
    QVERIFY(Window->Window().View.LimitMag == -1.4);
    QCOMPARE(Redraws.Count, 2);
    Window->MagnitudeList->setCurrentIndex(93);
    QCOMPARE(Window->MagnitudeList->currentText(), QStringLiteral("7.9"));
    QVERIFY(Window->Window().View.LimitMag == 7.9);
    QCOMPARE(Redraws.Count, 4);
}

void WindowTest::dayBeyondMonthEndRunsIntoNextMonth() {
    Window->MonthList->setCurrentIndex(1);  // "2"
    Window->DayList->setCurrentIndex(30);   // "31"
    const Moment& at = Window->Window().Moment;
    QCOMPARE(at.Month, std::int16_t{3});
    QCOMPARE(at.DayIndex, 2);
    QCOMPARE(at.MinuteOfYear, (31 + 28 + 2) * 1440);
    QCOMPARE(Window->MonthList->currentText(), QStringLiteral("2"));
    QCOMPARE(Window->DayList->currentText(), QStringLiteral("31"));
    QCOMPARE(Redraws.Count, 4);
    // The chart shows 3 March.
    QCOMPARE(FrontChart()->Surface.Picture(), HeadlessChart([](HeadlessWindow& headless) {
                 headless.MonthList.SetListIndex(2);
                 headless.DayList.SetListIndex(2);
             }));
}

// Choosing with the keyboard reaches the handler like a choice from the popup.
void WindowTest::keyboardChoiceActsLikeAClick() {
    QTest::keyClick(Window->HourList, Qt::Key_Down);
    QCOMPARE(Window->HourList->currentIndex(), 1);
    QCOMPARE(Window->Window().Moment.MinuteOfYear, 60);
    QCOMPARE(Redraws.Count, 2);
}

void WindowTest::stepListRedrawsNothingUntilTheNextMove() {
    Window->StepList->setCurrentIndex(5);  // "30"
    QCOMPARE(Window->Window().TimeStep, std::int16_t{30});
    QCOMPARE(Redraws.Count, 0);
    Press(Window->AnimateButton, Qt::LeftButton, {10, 10});
    Move(Window->AnimateButton, {12, 10});
    QCOMPARE(Window->Window().Moment.MinuteOfYear, 30);
    QCOMPARE(Window->MinuteList->currentText(), QStringLiteral("30"));
    Release(Window->AnimateButton, Qt::LeftButton, {12, 10});
}

void WindowTest::animationWrapsTheYear() {
    Window->MonthList->setCurrentIndex(11);
    Window->DayList->setCurrentIndex(30);
    Window->HourList->setCurrentIndex(23);
    Window->MinuteList->setCurrentIndex(55);
    QCOMPARE(Window->Window().Moment.MinuteOfYear, 525595);
    Press(Window->AnimateButton, Qt::LeftButton, {10, 10});
    Move(Window->AnimateButton, {12, 10});
    QCOMPARE(Window->Window().Moment.MinuteOfYear, 0);
    for (QComboBox* list : {Window->MonthList, Window->DayList})
        QCOMPARE(list->currentText(), QStringLiteral("1"));
    for (QComboBox* list : {Window->HourList, Window->MinuteList})
        QCOMPARE(list->currentText(), QStringLiteral("0"));
    Release(Window->AnimateButton, Qt::LeftButton, {12, 10});
}

void WindowTest::animateButtonFollowsTheDraggingTable_data() {
    // Actions on the animate button: L+/R+ press, L-/R- release, M a move.
    QTest::addColumn<QString>("actions");
    QTest::addColumn<bool>("startDragging");
    QTest::addColumn<int>("dragging");
    QTest::addColumn<int>("redraws");
    QTest::addColumn<int>("minuteOfYear");
    QTest::newRow("left press") << "L+" << false << 1 << 1 << 0;
    QTest::newRow("right press") << "R+" << false << 0 << 0 << 0;
    QTest::newRow("move with left") << "L+ M" << false << 1 << 2 << 5;
    QTest::newRow("move with right") << "R+ M" << false << 0 << 0 << 0;
    QTest::newRow("move with left and right") << "L+ R+ M" << false << 0 << 1 << 0;
    QTest::newRow("move with no button") << "M" << true << 0 << 0 << 0;
    // The right button cleared the flag, so the minute list's Click runs the time
    // chain: one redraw for the move and two for the chain.
    QTest::newRow("left alone again after right") << "L+ R+ R- M" << false << 1 << 4 << 5;
    QTest::newRow("left release after a hold") << "L+ M L-" << false << 0 << 4 << 5;
    QTest::newRow("right release during a hold") << "L+ M R+ R-" << false << 0 << 2 << 5;
}

void WindowTest::animateButtonFollowsTheDraggingTable() {
    QFETCH(QString, actions);
    QFETCH(bool, startDragging);
    if (startDragging) Window->Window().Dragging = 1;
    std::set<Qt::MouseButton> held;
    QPoint at = FreshPoint();
    for (const QString& action : actions.split(' ')) {
        const Qt::MouseButton button = action.startsWith('L') ? Qt::LeftButton : Qt::RightButton;
        if (action == "M") {
            Move(Window->AnimateButton, at = FreshPoint());
        } else if (action.endsWith('+')) {
            Press(Window->AnimateButton, button, at);
            held.insert(button);
        } else {
            Release(Window->AnimateButton, button, at);
            held.erase(button);
        }
    }
    QFETCH(int, dragging);
    QCOMPARE(int{Window->Window().Dragging}, dragging);
    QFETCH(int, redraws);
    QCOMPARE(Redraws.Count, redraws);
    QFETCH(int, minuteOfYear);
    QCOMPARE(Window->Window().Moment.MinuteOfYear, minuteOfYear);
    for (Qt::MouseButton button : held) Release(Window->AnimateButton, button, at);
}

void WindowTest::listsFollowTheClockDuringAHold() {
    Press(Window->AnimateButton, Qt::LeftButton, {10, 10});
    for (int step = 1; step <= 3; ++step) {
        Move(Window->AnimateButton, {10 + step, 10});
        // One redraw per move: the lists' Click handlers do nothing during the hold.
        QCOMPARE(Redraws.Count, 1 + step);
        QCOMPARE(Window->Window().Moment.MinuteOfYear, 5 * step);
        QCOMPARE(Window->MinuteList->currentText(), QString::number(5 * step));
        QCOMPARE(int{Window->Window().Dragging}, 1);
    }
    Release(Window->AnimateButton, Qt::LeftButton, {13, 10});
}

// An animation step repaints only where the two charts differ, and with the time list in
// one pass: whatever happens between the steps (a new view, a new limit, an overlay
// layer), the screen must show the front chart whole as each step returns.
void WindowTest::screenShowsTheFrontChartThroughAHold() {
    const auto screenChart = [this] {
        QWidget* chart = FrontChart();
        const QPoint at = chart->mapTo(Window.get(), QPoint(0, 0));
        return Window->screen()
            ->grabWindow(Window->winId(), at.x(), at.y(), chart->width(), chart->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const std::function<void()> between[] = {
        [] {},
        [this] { Window->AzimuthBar->setValue(Window->AzimuthBar->value() + 5); },
        [this] { Window->MagnitudeList->setCurrentIndex(93); },
        [this] { Window->Window().View.Overlays.Sun = true; },
    };
    int x = 10;
    for (const auto& change : between) {
        change();
        Press(Window->AnimateButton, Qt::LeftButton, {x, 10});
        for (int step = 0; step < 4; ++step) {
            // Handed straight to the button, with no event processed after it: the screen
            // must be up to date when the move's handling returns.
            const QPointF at(++x, 10);
            QMouseEvent move(QEvent::MouseMove, at, Window->AnimateButton->mapToGlobal(at),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(Window->AnimateButton, &move);
            QCOMPARE(screenChart(), ImageOf(FrontChart()->Surface));
        }
        Release(Window->AnimateButton, Qt::LeftButton, {x, 10});
        QCOMPARE(screenChart(), ImageOf(FrontChart()->Surface));
    }
}

// The pointer leaves the button during the hold and the button is released
// outside it: the hold ends there, the chart catches up with the clock and the
// time lists act again.
void WindowTest::releaseAnywhereEndsTheHold() {
    Press(Window->AnimateButton, Qt::LeftButton, {10, 10});
    Move(Window->AnimateButton, {12, 10});
    Move(Window->AnimateButton, {200, 300});  // Far outside the button, still held.
    QCOMPARE(Window->Window().Moment.MinuteOfYear, 10);
    QCOMPARE(Redraws.Count, 3);
    Release(Window->AnimateButton, Qt::LeftButton, {200, 300});
    QCOMPARE(int{Window->Window().Dragging}, 0);
    QCOMPARE(Redraws.Count, 5);
    QCOMPARE(FrontChart()->Surface.Picture(),
             HeadlessChart([](HeadlessWindow& headless) { headless.MinuteList.SetListIndex(10); }));
    Window->HourList->setCurrentIndex(2);
    QCOMPARE(Window->Window().Moment.MinuteOfYear, 2 * 60 + 10);
    QCOMPARE(Redraws.Count, 7);
}

void WindowTest::scrollBarsAtTheirEnds_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<double>("shown");
    QTest::newRow("AzimuthBar left")
        << "AzimuthBar" << int{Qt::Key_Home} << 0 << "AzimuthReadout" << 0.0;
    QTest::newRow("AzimuthBar right")
        << "AzimuthBar" << int{Qt::Key_End} << 360 << "AzimuthReadout" << 360.0;
    QTest::newRow("LongitudeBar left")
        << "LongitudeBar" << int{Qt::Key_Home} << 120 << "LongitudeReadout" << 120.0;
    QTest::newRow("LongitudeBar right")
        << "LongitudeBar" << int{Qt::Key_End} << 150 << "LongitudeReadout" << 150.0;
    QTest::newRow("ElevationBar top")
        << "ElevationBar" << int{Qt::Key_Home} << 0 << "ElevationReadout" << -90.0;
    QTest::newRow("ElevationBar bottom")
        << "ElevationBar" << int{Qt::Key_End} << 180 << "ElevationReadout" << 90.0;
    QTest::newRow("LatitudeBar top")
        << "LatitudeBar" << int{Qt::Key_Home} << 0 << "LatitudeReadout" << 90.0;
    QTest::newRow("LatitudeBar bottom")
        << "LatitudeBar" << int{Qt::Key_End} << 180 << "LatitudeReadout" << -90.0;
}

void WindowTest::scrollBarsAtTheirEnds() {
    QFETCH(QString, bar);
    QFETCH(int, key);
    QFETCH(int, value);
    QFETCH(QString, readout);
    QFETCH(double, shown);
    auto* scroll = Window->findChild<QScrollBar*>(bar);
    auto* shownIn = Window->findChild<SurfaceView*>(readout);
    QVERIFY(scroll != nullptr && shownIn != nullptr);
    scroll->setValue((scroll->minimum() + scroll->maximum()) / 2 + 1);
    Redraws = {};
    QTest::keyClick(scroll, static_cast<Qt::Key>(key));
    QCOMPARE(scroll->value(), value);
    QCOMPARE(Redraws.Count, 2);
    QCOMPARE(shownIn->Surface.Picture(), ExpectedReadout(shown));
    // Further along the same way the bar does not go, and nothing is redrawn.
    QTest::keyClick(scroll, static_cast<Qt::Key>(key == Qt::Key_Home ? Qt::Key_Up : Qt::Key_Down));
    QTest::keyClick(scroll,
                    static_cast<Qt::Key>(key == Qt::Key_Home ? Qt::Key_PageUp : Qt::Key_PageDown));
    QCOMPARE(scroll->value(), value);
    QCOMPARE(Redraws.Count, 2);
}

// An arrow moves the bar by 1, a click in the trough by 5; each raises Change once.
void WindowTest::scrollBarStepsAreOneAndFive() {
    QScrollBar* bar = Window->LongitudeBar;
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = false;
    const auto place = [&](QStyle::SubControl part) {
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    };
    const QPoint arrow = place(QStyle::SC_ScrollBarAddLine).center();
    QTest::mouseClick(bar, Qt::LeftButton, {}, arrow);
    QCOMPARE(bar->value(), 136);
    QVERIFY(Window->Window().Moment.Longitude == 136.0);
    QCOMPARE(Redraws.Count, 2);
    option.sliderPosition = option.sliderValue = bar->value();
    const QRect slider = place(QStyle::SC_ScrollBarSlider);
    const QPoint trough(slider.right() + 2, slider.center().y());
    QTest::mouseClick(bar, Qt::LeftButton, {}, trough);
    QCOMPARE(bar->value(), 141);
    QCOMPARE(Redraws.Count, 4);
}

void WindowTest::thumbDragRedrawsOnceOnRelease() {
    QScrollBar* bar = Window->AzimuthBar;
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                     QStyle::SC_ScrollBarSlider, bar);
    const PixelImage before = Window->AzimuthReadout->Surface.Picture();
    Press(bar, Qt::LeftButton, thumb.center());
    for (int dx = 4; dx <= 20; dx += 4) {
        Move(bar, thumb.center() + QPoint(dx, 0));
        QCOMPARE(Redraws.Count, 0);
    }
    QCOMPARE(Window->AzimuthReadout->Surface.Picture(), before);
    QVERIFY(bar->sliderPosition() > 0);
    Release(bar, Qt::LeftButton, thumb.center() + QPoint(20, 0));
    QCOMPARE(Redraws.Count, 2);
    QVERIFY(bar->value() > 0);
    QCOMPARE(int{Window->Window().View.Azimuth}, bar->value());
}

void WindowTest::typingIntoAListChangesNothing_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("typed");
    QTest::newRow("month 12 and Enter") << "MonthList"
                                        << "12";
    QTest::newRow("magnitude 7.9 and Enter") << "MagnitudeList"
                                             << "7.9";
    QTest::newRow("step 30 and Enter") << "StepList"
                                       << "30";
    QTest::newRow("minute text and Enter") << "MinuteList"
                                           << "abc";
}

void WindowTest::typingIntoAListChangesNothing() {
    QFETCH(QString, list);
    QFETCH(QString, typed);
    QComboBox* combo = list == "MagnitudeList" ? Window->MagnitudeList
                       : list == "StepList"    ? Window->StepList
                       : list == "MonthList"   ? Window->MonthList
                                               : Window->MinuteList;
    const int index = combo->currentIndex();
    const int count = combo->count();
    const WindowState before = Window->Window();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), typed);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(combo->currentIndex(), index);
    QCOMPARE(combo->count(), count);
    QCOMPARE(Redraws.Count, 0);
    QVERIFY(Window->Window().View.LimitMag == before.View.LimitMag);
    QCOMPARE(Window->Window().TimeStep, before.TimeStep);
    QCOMPARE(Window->Window().Moment.MinuteOfYear, before.Moment.MinuteOfYear);
    QCOMPARE(Window->Window().Moment.Month, before.Moment.Month);
}

void WindowTest::tabSkipsTheCaptions() {
    QWidget* const expected[] = {
        Window->ChartView(1),     Window->ElevationBar,     Window->AzimuthBar,
        Window->LatitudeBar,      Window->AzimuthReadout,   Window->LatitudeReadout,
        Window->ElevationReadout, Window->MagnitudeList,    Window->StepList,
        Window->MonthList,        Window->DayList,          Window->HourList,
        Window->MinuteList,       Window->LongitudeReadout, Window->LongitudeBar,
        Window->ChartView(0),     Window->AnimateButton};
    Window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Window.get()));
    Window->AnimateButton->setFocus(Qt::OtherFocusReason);
    for (QWidget* next : expected) {
        QVERIFY(QApplication::focusWidget() != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(FocusedControl(Window.get()), next);
    }
}

void WindowTest::resizeFitsTheChart_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("side");
    QTest::addColumn<float>("centre");
    QTest::addColumn<double>("radius");
    QTest::addColumn<int>("redraws");
    QTest::newRow("laid out 584x416, height limits")
        << QSize(584, 416) << 408 << 204.0f << 163.2 << 2;
    QTest::newRow("600x496, width less panel equals height")
        << QSize(600, 496) << 488 << 244.0f << 195.2 << 2;
    QTest::newRow("tall 400x600, width limits") << QSize(400, 600) << 288 << 144.0f << 115.2 << 2;
    // Too small for a chart: the 700x500 chart stays, undrawn again, and nothing stops.
    QTest::newRow("too narrow 110x300") << QSize(110, 300) << 492 << 246.0f << 196.8 << 0;
    QTest::newRow("too low 300x8") << QSize(300, 8) << 492 << 246.0f << 196.8 << 0;
}

void WindowTest::resizeFitsTheChart() {
    QFETCH(QSize, client);
    QFETCH(int, side);
    QFETCH(float, centre);
    QFETCH(double, radius);
    constexpr double RadiusTolerance = 1e-9;  // pixels
    const int menu = Window->menuBar()->height();
    Window->resize(700, 500 + menu);
    QTRY_COMPARE(Window->Client->size(), QSize(700, 500));
    QCOMPARE(Window->ChartSurface(0).Width(), 492);
    Redraws = {};
    const QRect command = Window->AnimateButton->geometry();

    Window->resize(client + QSize(0, menu));
    QTRY_COMPARE(Window->Client->size(), client);
    QFETCH(int, redraws);
    QCOMPARE(Redraws.Count, redraws);
    for (int index : {0, 1}) {
        QCOMPARE(Window->ChartSurface(index).Width(), side);
        QCOMPARE(Window->ChartSurface(index).Height(), side);
        QCOMPARE(Window->ChartView(index)->geometry(), QRect(168, 0, side, side));
    }
    QVERIFY(Window->Window().View.CenterX() == centre);
    QVERIFY(Window->Window().View.CenterY() == centre);
    QVERIFY2(std::fabs(Window->Window().View.ChartRadius() - radius) < RadiusTolerance,
             qPrintable(QString::number(Window->Window().View.ChartRadius(), 'g', 17)));
    QCOMPARE(Window->AnimateButton->geometry(), command);
    QVERIFY(Window->isVisible());
}

void WindowTest::aboutDialogOpensFreshAndClosesByKey_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int{Qt::Key_Return};
    QTest::newRow("Space") << int{Qt::Key_Space};
}

// Opened from the menu twice; each time a new dialog, centred over the main
// window, holding the focus on "OK", with the main window refusing input.
void WindowTest::aboutDialogOpensFreshAndClosesByKey() {
    QFETCH(int, key);
    QMenuBar* menu = Window->menuBar();
    const QPoint joho = menu->actionGeometry(Window->AboutAction).center();
    QList<QPointer<AboutDialog>> opened;
    bool checked = false;
    const std::function<void()> inspect = [&] {
        auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            QTimer::singleShot(10, inspect);
            return;
        }
        opened.append(dialog);
        checked =
            dialog->windowTitle() == QStringLiteral("バージョン情報") &&
            dialog->size() == QSize(312, 213) &&
            (dialog->geometry().center() - Window->geometry().center()).manhattanLength() <= 2 &&
            dialog->TitleLabel->text() ==
                QStringLiteral("天球・天文シミュレーション　『Domarium』") &&
            dialog->VersionLabel->text() == QStringLiteral("バージョン　2.00") &&
            dialog->DescriptionLabel->wordWrap() &&
            dialog->DescriptionLabel->geometry() == QRect(8, 88, 289, 97) &&
            LabelsFitOnOneLine(*dialog) &&
            dialog->OkButton->geometry() == QRect(248, 184, 57, 25) &&
            dialog->focusWidget() == dialog->OkButton;
        // The main window takes no mouse input while the dialog is open.
        Press(Window->AnimateButton, Qt::LeftButton, {10, 10});
        Release(Window->AnimateButton, Qt::LeftButton, {10, 10});
        checked = checked && Redraws.Count == 0;
        QTest::keyClick(dialog->OkButton, static_cast<Qt::Key>(key));
    };
    for (int opening = 1; opening <= 2; ++opening) {
        QTimer::singleShot(0, inspect);
        QTest::mouseClick(menu, Qt::LeftButton, {}, joho);
        QVERIFY2(checked,
                 "dialog not as laid out, not centred, not focused or main window not blocked");
        QCOMPARE(opened.size(), opening);
        QVERIFY(opened.back().isNull());  // Closed and destroyed.
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
}

void WindowTest::quitClosesTheWindow() {
    QMenuBar* menu = Window->menuBar();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Window->QuitAction).center());
    QVERIFY(!Window->isVisible());
    QCOMPARE(Redraws.Count, 0);
}

void WindowTest::listIndexOutsideTheListIsAnError() {
    QVERIFY_THROWS_EXCEPTION(RunTimeError, Window->Controls().MinuteList->SetListIndex(60));
    QCOMPARE(Window->MinuteList->currentIndex(), 0);
}

// The start as main makes it, with the fonts and the catalogue read on a thread: the same
// window, and a failed search raised where the catalogue is taken, with its own message.
void WindowTest::startUpReadAheadStartsTheSameWindow() {
    {
        StartUpAhead ahead([] { return Catalogue; });
        ahead.WaitForFonts();
        MainWindow window;
        window.Load([&ahead] { return ahead.TakeCatalogue(); });
        QVERIFY(window.Window().Sky->UnitY == Window->Window().Sky->UnitY);
        QCOMPARE(window.Window().Sky->Figures.StarNames.size(),
                 Window->Window().Sky->Figures.StarNames.size());
        QCOMPARE(window.ChartSurface(1).Picture(), Window->ChartSurface(1).Picture());
    }
    const std::vector<std::filesystem::path> nowhere = {"/nonexistent-domarium"};
    QString expected;
    try {
        FindStarData(nowhere);
    } catch (const RunTimeError& error) {
        expected = QString::fromUtf8(error.what());
    }
    QVERIFY(!expected.isEmpty());
    StartUpAhead missing([&nowhere] { return FindStarData(nowhere); });
    MainWindow window;
    try {
        window.Load([&missing] { return missing.TakeCatalogue(); });
        QFAIL("the failed search was not raised");
    } catch (const RunTimeError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), expected);
    }
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
