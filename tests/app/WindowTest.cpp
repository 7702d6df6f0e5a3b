// WindowTest: the Qt window driven through real Qt events on the offscreen
// platform: that every control reaches its handler the way the engine expects
// (synchronous Click, Change only on release, moves with the held buttons),
// and that the window shows what the engine drew.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "Form1.h"
#include "Form2.h"
#include "app/HeadlessWindow.h"
#include "core/RunTimeError.h"

namespace {
const std::filesystem::path Catalogue = std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData";

// What each redraw found: RedrawSky brings the surface it drew last time to the
// front once per run, so a ZOrder is one redraw.
struct RedrawLog {
    int Count = 0;
    std::vector<float> CenterX;  // CenterX at each redraw.
    std::vector<bool> Shown;     // Whether the window was visible at each redraw.
};

void WatchRedraws(Form1& window, RedrawLog& log) {
    for (int index : {0, 1}) {
        RasterSurface& surface = window.ChartSurface(index);
        surface.OnZOrder = [&window, &log, raise = surface.OnZOrder](RasterSurface& raised) {
            ++log.Count;
            log.CenterX.push_back(window.Sky().CenterX);
            log.Shown.push_back(window.isVisible());
            raise(raised);
        };
    }
}

// The read-out a fresh surface gets for the same line: what the window's read-out
// must hold, pixel for pixel.
QImage ExpectedReadout(double value) {
    RasterSurface fresh(49, 17, White, ReadoutFont());
    fresh.ForeColor = Black;
    fresh.Cls();
    fresh.Print({value, std::string("°")});
    return fresh.Picture();
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
bool LabelsFitOnOneLine(const Form2& dialog) {
    for (const QLabel* label : {dialog.Label1, dialog.Label2, dialog.Label3, dialog.Label5}) {
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

private:
    SurfaceView* FrontChart() const;
    QImage HeadlessChart(const std::function<void(HeadlessWindow&)>& settings) const;

    std::unique_ptr<Form1> Window;
    RedrawLog Redraws;
};

void WindowTest::init() {
    Window = std::make_unique<Form1>();
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
QImage WindowTest::HeadlessChart(const std::function<void(HeadlessWindow&)>& settings) const {
    auto headless = HeadlessWindow::Create();
    headless->Load(Catalogue);
    settings(*headless);
    return headless->Front().Picture();
}

void WindowTest::startUpRunsTheFirstResizeInsideShow() {
    Form1 window;
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
    QVERIFY(window.Sky().ChartRadius == 0.8 * 204.0);
    QCOMPARE(window.Sky().BufferIndex, std::int16_t{0});
    QCOMPARE(window.Sky().Dragging, std::int16_t{0});
    // Picture1(1) in front, holding the start chart, and shown as it is.
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QObjectList& stack = window.Client->children();
    QVERIFY(stack.indexOf(window.ChartView(1)) > stack.indexOf(window.ChartView(0)));
    const QImage start = HeadlessChart([](HeadlessWindow&) {});
    QCOMPARE(window.ChartSurface(1).Picture(), start);
    QCOMPARE(window.ChartSurface(0).Picture(), start);
    QCOMPARE(window.ChartView(1)->grab().toImage().convertToFormat(QImage::Format_RGB32), start);
}

void WindowTest::readoutsShowTheStartValues() {
    const struct {
        SurfaceView* View;
        double Value;
    } readouts[] = {{Window->Picture2, 0},
                    {Window->Picture5, 135},
                    {Window->Picture3, 35},
                    {Window->Picture4, -10}};
    for (const auto& readout : readouts) {
        const QImage expected = ExpectedReadout(readout.Value);
        QCOMPARE(readout.View->Surface.Picture(), expected);
        QCOMPARE(readout.View->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
    }
}

void WindowTest::listsHoldTheirItemsAndDefaults_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("tip");
    QTest::newRow("Combo1 magnitude") << "Combo1" << 94 << "-1.4"
                                      << "7.9"
                                      << "3.5"
                                      << "明るい星だけにすると、動作が速くなります";
    QTest::newRow("Combo2 step") << "Combo2" << 6 << "1"
                                 << "30"
                                 << "5"
                                 << "天球を何分単位で動かすか設定します";
    QTest::newRow("Combo3 month") << "Combo3" << 12 << "1"
                                  << "12"
                                  << "1"
                                  << "";
    QTest::newRow("Combo4 day") << "Combo4" << 31 << "1"
                                << "31"
                                << "1"
                                << "";
    QTest::newRow("Combo5 hour") << "Combo5" << 24 << "0"
                                 << "23"
                                 << "0"
                                 << "";
    QTest::newRow("Combo6 minute") << "Combo6" << 60 << "0"
                                   << "59"
                                   << "0"
                                   << "";
}

void WindowTest::listsHoldTheirItemsAndDefaults() {
    QFETCH(QString, list);
    QComboBox* const combos[] = {Window->Combo1, Window->Combo2, Window->Combo3,
                                 Window->Combo4, Window->Combo5, Window->Combo6};
    QComboBox* combo = combos[list.back().digitValue() - 1];
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
        {"Text10", {8, 88, 49, 18}, "東経"},       {"HScroll2", {8, 128, 81, 25}, ""},
        {"Picture5", {8, 104, 49, 17}, ""},        {"Combo6", {104, 160, 41, 20}, ""},
        {"Combo5", {104, 128, 41, 20}, ""},        {"Combo4", {104, 96, 41, 20}, ""},
        {"Combo3", {104, 64, 41, 20}, ""},         {"Combo2", {104, 192, 41, 20}, ""},
        {"Combo1", {8, 304, 81, 20}, ""},          {"Picture4", {8, 256, 49, 17}, ""},
        {"Picture3", {8, 184, 49, 17}, ""},        {"Picture2", {8, 32, 49, 17}, ""},
        {"VScroll2", {64, 160, 25, 65}, ""},       {"HScroll1", {8, 56, 81, 25}, ""},
        {"VScroll1", {64, 232, 25, 65}, ""},       {"Command1", {104, 8, 57, 41}, "うごかす"},
        {"Text1", {8, 168, 49, 18}, "緯度"},       {"Text2", {8, 240, 49, 18}, "仰角"},
        {"Text3", {8, 16, 49, 18}, "方位角"},      {"Text4", {8, 288, 49, 18}, "限界等級"},
        {"Text5", {112, 216, 49, 18}, "分増加率"}, {"Text6", {152, 68, 17, 18}, "月"},
        {"Text7", {152, 100, 17, 18}, "日"},       {"Text8", {152, 132, 17, 18}, "時"},
        {"Text9", {152, 164, 17, 20}, "分"},
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
    const std::map<QString, QWidget*> controls = {
        {"Text1", Window->Text1},       {"Text2", Window->Text2},
        {"Text3", Window->Text3},       {"Text4", Window->Text4},
        {"Text5", Window->Text5},       {"Text6", Window->Text6},
        {"Text7", Window->Text7},       {"Text8", Window->Text8},
        {"Text9", Window->Text9},       {"Text10", Window->Text10},
        {"Combo1", Window->Combo1},     {"Combo2", Window->Combo2},
        {"Combo3", Window->Combo3},     {"Combo4", Window->Combo4},
        {"Combo5", Window->Combo5},     {"Combo6", Window->Combo6},
        {"HScroll1", Window->HScroll1}, {"HScroll2", Window->HScroll2},
        {"VScroll1", Window->VScroll1}, {"VScroll2", Window->VScroll2},
        {"Command1", Window->Command1}, {"Picture2", Window->Picture2},
        {"Picture3", Window->Picture3}, {"Picture4", Window->Picture4},
        {"Picture5", Window->Picture5},
    };
    QWidget* widget = controls.at(control);
    QCOMPARE(widget->geometry(), place);
    if (auto* caption = qobject_cast<QLineEdit*>(widget)) {
        QCOMPARE(caption->text(), text);
        QCOMPARE(caption->focusPolicy(), Qt::NoFocus);
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) QCOMPARE(button->text(), text);
    Window->resize(900, 700);
    QTRY_COMPARE(Window->Client->width(), 900);
    QCOMPARE(widget->geometry(), place);
}

void WindowTest::magnitudeListEnds() {
    Window->Combo1->setCurrentIndex(0);
    QCOMPARE(Window->Combo1->currentText(), QStringLiteral("-1.4"));
    QVERIFY(Window->Sky().LimitMag == -1.4);
    QCOMPARE(Redraws.Count, 2);
    Window->Combo1->setCurrentIndex(93);
    QCOMPARE(Window->Combo1->currentText(), QStringLiteral("7.9"));
    QVERIFY(Window->Sky().LimitMag == 7.9);
    QCOMPARE(Redraws.Count, 4);
}

void WindowTest::dayBeyondMonthEndRunsIntoNextMonth() {
    Window->Combo3->setCurrentIndex(1);   // "2"
    Window->Combo4->setCurrentIndex(30);  // "31"
    const SkyState& Sky = Window->Sky();
    QCOMPARE(Sky.Month, std::int16_t{3});
    QCOMPARE(Sky.DayIndex, 2);
    QCOMPARE(Sky.MinuteOfYear, (31 + 28 + 2) * 1440);
    QCOMPARE(Window->Combo3->currentText(), QStringLiteral("2"));
    QCOMPARE(Window->Combo4->currentText(), QStringLiteral("31"));
    QCOMPARE(Redraws.Count, 4);
    // The chart shows 3 March.
    QCOMPARE(FrontChart()->Surface.Picture(), HeadlessChart([](HeadlessWindow& headless) {
                 headless.Combo3.SetListIndex(2);
                 headless.Combo4.SetListIndex(2);
             }));
}

// Choosing with the keyboard reaches the handler like a choice from the popup.
void WindowTest::keyboardChoiceActsLikeAClick() {
    QTest::keyClick(Window->Combo5, Qt::Key_Down);
    QCOMPARE(Window->Combo5->currentIndex(), 1);
    QCOMPARE(Window->Sky().MinuteOfYear, 60);
    QCOMPARE(Redraws.Count, 2);
}

void WindowTest::stepListRedrawsNothingUntilTheNextMove() {
    Window->Combo2->setCurrentIndex(5);  // "30"
    QCOMPARE(Window->Sky().TimeStep, std::int16_t{30});
    QCOMPARE(Redraws.Count, 0);
    Press(Window->Command1, Qt::LeftButton, {10, 10});
    Move(Window->Command1, {12, 10});
    QCOMPARE(Window->Sky().MinuteOfYear, 30);
    QCOMPARE(Window->Combo6->currentText(), QStringLiteral("30"));
    Release(Window->Command1, Qt::LeftButton, {12, 10});
}

void WindowTest::animationWrapsTheYear() {
    Window->Combo3->setCurrentIndex(11);
    Window->Combo4->setCurrentIndex(30);
    Window->Combo5->setCurrentIndex(23);
    Window->Combo6->setCurrentIndex(55);
    QCOMPARE(Window->Sky().MinuteOfYear, 525595);
    Press(Window->Command1, Qt::LeftButton, {10, 10});
    Move(Window->Command1, {12, 10});
    QCOMPARE(Window->Sky().MinuteOfYear, 0);
    for (QComboBox* list : {Window->Combo3, Window->Combo4})
        QCOMPARE(list->currentText(), QStringLiteral("1"));
    for (QComboBox* list : {Window->Combo5, Window->Combo6})
        QCOMPARE(list->currentText(), QStringLiteral("0"));
    Release(Window->Command1, Qt::LeftButton, {12, 10});
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
    if (startDragging) Window->Sky().Dragging = 1;
    std::set<Qt::MouseButton> held;
    QPoint at = FreshPoint();
    for (const QString& action : actions.split(' ')) {
        const Qt::MouseButton button = action.startsWith('L') ? Qt::LeftButton : Qt::RightButton;
        if (action == "M") {
            Move(Window->Command1, at = FreshPoint());
        } else if (action.endsWith('+')) {
            Press(Window->Command1, button, at);
            held.insert(button);
        } else {
            Release(Window->Command1, button, at);
            held.erase(button);
        }
    }
    QFETCH(int, dragging);
    QCOMPARE(int{Window->Sky().Dragging}, dragging);
    QFETCH(int, redraws);
    QCOMPARE(Redraws.Count, redraws);
    QFETCH(int, minuteOfYear);
    QCOMPARE(Window->Sky().MinuteOfYear, minuteOfYear);
    for (Qt::MouseButton button : held) Release(Window->Command1, button, at);
}

void WindowTest::listsFollowTheClockDuringAHold() {
    Press(Window->Command1, Qt::LeftButton, {10, 10});
    for (int step = 1; step <= 3; ++step) {
        Move(Window->Command1, {10 + step, 10});
        // One redraw per move: the lists' Click handlers do nothing during the hold.
        QCOMPARE(Redraws.Count, 1 + step);
        QCOMPARE(Window->Sky().MinuteOfYear, 5 * step);
        QCOMPARE(Window->Combo6->currentText(), QString::number(5 * step));
        QCOMPARE(int{Window->Sky().Dragging}, 1);
    }
    Release(Window->Command1, Qt::LeftButton, {13, 10});
}

// The pointer leaves the button during the hold and the button is released
// outside it: the hold ends there, the chart catches up with the clock and the
// time lists act again.
void WindowTest::releaseAnywhereEndsTheHold() {
    Press(Window->Command1, Qt::LeftButton, {10, 10});
    Move(Window->Command1, {12, 10});
    Move(Window->Command1, {200, 300});  // Far outside the button, still held.
    QCOMPARE(Window->Sky().MinuteOfYear, 10);
    QCOMPARE(Redraws.Count, 3);
    Release(Window->Command1, Qt::LeftButton, {200, 300});
    QCOMPARE(int{Window->Sky().Dragging}, 0);
    QCOMPARE(Redraws.Count, 5);
    QCOMPARE(FrontChart()->Surface.Picture(),
             HeadlessChart([](HeadlessWindow& headless) { headless.Combo6.SetListIndex(10); }));
    Window->Combo5->setCurrentIndex(2);
    QCOMPARE(Window->Sky().MinuteOfYear, 2 * 60 + 10);
    QCOMPARE(Redraws.Count, 7);
}

void WindowTest::scrollBarsAtTheirEnds_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<double>("shown");
    QTest::newRow("HScroll1 left") << "HScroll1" << int{Qt::Key_Home} << 0 << "Picture2" << 0.0;
    QTest::newRow("HScroll1 right") << "HScroll1" << int{Qt::Key_End} << 360 << "Picture2" << 360.0;
    QTest::newRow("HScroll2 left") << "HScroll2" << int{Qt::Key_Home} << 120 << "Picture5" << 120.0;
    QTest::newRow("HScroll2 right") << "HScroll2" << int{Qt::Key_End} << 150 << "Picture5" << 150.0;
    QTest::newRow("VScroll1 top") << "VScroll1" << int{Qt::Key_Home} << 0 << "Picture4" << -90.0;
    QTest::newRow("VScroll1 bottom") << "VScroll1" << int{Qt::Key_End} << 180 << "Picture4" << 90.0;
    QTest::newRow("VScroll2 top") << "VScroll2" << int{Qt::Key_Home} << 0 << "Picture3" << 90.0;
    QTest::newRow("VScroll2 bottom")
        << "VScroll2" << int{Qt::Key_End} << 180 << "Picture3" << -90.0;
}

void WindowTest::scrollBarsAtTheirEnds() {
    QFETCH(QString, bar);
    QFETCH(int, key);
    QFETCH(int, value);
    QFETCH(QString, readout);
    QFETCH(double, shown);
    const std::map<QString, QScrollBar*> bars = {{"HScroll1", Window->HScroll1},
                                                 {"HScroll2", Window->HScroll2},
                                                 {"VScroll1", Window->VScroll1},
                                                 {"VScroll2", Window->VScroll2}};
    const std::map<QString, SurfaceView*> readouts = {{"Picture2", Window->Picture2},
                                                      {"Picture3", Window->Picture3},
                                                      {"Picture4", Window->Picture4},
                                                      {"Picture5", Window->Picture5}};
    QScrollBar* scroll = bars.at(bar);
    scroll->setValue((scroll->minimum() + scroll->maximum()) / 2 + 1);
    Redraws = {};
    QTest::keyClick(scroll, static_cast<Qt::Key>(key));
    QCOMPARE(scroll->value(), value);
    QCOMPARE(Redraws.Count, 2);
    QCOMPARE(readouts.at(readout)->Surface.Picture(), ExpectedReadout(shown));
    // Further along the same way the bar does not go, and nothing is redrawn.
    QTest::keyClick(scroll, static_cast<Qt::Key>(key == Qt::Key_Home ? Qt::Key_Up : Qt::Key_Down));
    QTest::keyClick(scroll,
                    static_cast<Qt::Key>(key == Qt::Key_Home ? Qt::Key_PageUp : Qt::Key_PageDown));
    QCOMPARE(scroll->value(), value);
    QCOMPARE(Redraws.Count, 2);
}

// An arrow moves the bar by 1, a click in the trough by 5; each raises Change once.
void WindowTest::scrollBarStepsAreOneAndFive() {
    QScrollBar* bar = Window->HScroll2;
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
    QVERIFY(Window->Sky().Longitude == 136.0);
    QCOMPARE(Redraws.Count, 2);
    option.sliderPosition = option.sliderValue = bar->value();
    const QRect slider = place(QStyle::SC_ScrollBarSlider);
    const QPoint trough(slider.right() + 2, slider.center().y());
    QTest::mouseClick(bar, Qt::LeftButton, {}, trough);
    QCOMPARE(bar->value(), 141);
    QCOMPARE(Redraws.Count, 4);
}

void WindowTest::thumbDragRedrawsOnceOnRelease() {
    QScrollBar* bar = Window->HScroll1;
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                     QStyle::SC_ScrollBarSlider, bar);
    const QImage before = Window->Picture2->Surface.Picture();
    Press(bar, Qt::LeftButton, thumb.center());
    for (int dx = 4; dx <= 20; dx += 4) {
        Move(bar, thumb.center() + QPoint(dx, 0));
        QCOMPARE(Redraws.Count, 0);
    }
    QCOMPARE(Window->Picture2->Surface.Picture(), before);
    QVERIFY(bar->sliderPosition() > 0);
    Release(bar, Qt::LeftButton, thumb.center() + QPoint(20, 0));
    QCOMPARE(Redraws.Count, 2);
    QVERIFY(bar->value() > 0);
    QCOMPARE(int{Window->Sky().ViewAzimuth}, bar->value());
}

void WindowTest::typingIntoAListChangesNothing_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("typed");
    QTest::newRow("month 12 and Enter") << "Combo3"
                                        << "12";
    QTest::newRow("magnitude 7.9 and Enter") << "Combo1"
                                             << "7.9";
    QTest::newRow("step 30 and Enter") << "Combo2"
                                       << "30";
    QTest::newRow("minute text and Enter") << "Combo6"
                                           << "abc";
}

void WindowTest::typingIntoAListChangesNothing() {
    QFETCH(QString, list);
    QFETCH(QString, typed);
    QComboBox* combo = list == "Combo1"   ? Window->Combo1
                       : list == "Combo2" ? Window->Combo2
                       : list == "Combo3" ? Window->Combo3
                                          : Window->Combo6;
    const int index = combo->currentIndex();
    const int count = combo->count();
    const SkyState before = Window->Sky();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), typed);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(combo->currentIndex(), index);
    QCOMPARE(combo->count(), count);
    QCOMPARE(Redraws.Count, 0);
    QVERIFY(Window->Sky().LimitMag == before.LimitMag);
    QCOMPARE(Window->Sky().TimeStep, before.TimeStep);
    QCOMPARE(Window->Sky().MinuteOfYear, before.MinuteOfYear);
    QCOMPARE(Window->Sky().Month, before.Month);
}

void WindowTest::tabSkipsTheCaptions() {
    QWidget* const expected[] = {Window->ChartView(1), Window->VScroll1, Window->HScroll1,
                                 Window->VScroll2,     Window->Picture2, Window->Picture3,
                                 Window->Picture4,     Window->Combo1,   Window->Combo2,
                                 Window->Combo3,       Window->Combo4,   Window->Combo5,
                                 Window->Combo6,       Window->Picture5, Window->HScroll2,
                                 Window->ChartView(0), Window->Command1};
    Window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Window.get()));
    Window->Command1->setFocus(Qt::OtherFocusReason);
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
    const QRect command = Window->Command1->geometry();

    Window->resize(client + QSize(0, menu));
    QTRY_COMPARE(Window->Client->size(), client);
    QFETCH(int, redraws);
    QCOMPARE(Redraws.Count, redraws);
    for (int index : {0, 1}) {
        QCOMPARE(Window->ChartSurface(index).Width(), side);
        QCOMPARE(Window->ChartSurface(index).Height(), side);
        QCOMPARE(Window->ChartView(index)->geometry(), QRect(168, 0, side, side));
    }
    QVERIFY(Window->Sky().CenterX == centre);
    QVERIFY(Window->Sky().CenterY == centre);
    QVERIFY2(std::fabs(Window->Sky().ChartRadius - radius) < RadiusTolerance,
             qPrintable(QString::number(Window->Sky().ChartRadius, 'g', 17)));
    QCOMPARE(Window->Command1->geometry(), command);
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
    const QPoint joho = menu->actionGeometry(Window->Joho).center();
    QList<QPointer<Form2>> opened;
    bool checked = false;
    const std::function<void()> inspect = [&] {
        auto* dialog = qobject_cast<Form2*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            QTimer::singleShot(10, inspect);
            return;
        }
        opened.append(dialog);
        checked =
            dialog->windowTitle() == QStringLiteral("バージョン情報") &&
            dialog->size() == QSize(312, 213) &&
            (dialog->geometry().center() - Window->geometry().center()).manhattanLength() <= 2 &&
            dialog->Label1->text() == QStringLiteral("天球・天文シミュレーション　『Domarium』") &&
            dialog->Label2->text() == QStringLiteral("バージョン　2.00") &&
            dialog->Label4->wordWrap() && dialog->Label4->geometry() == QRect(8, 88, 289, 97) &&
            LabelsFitOnOneLine(*dialog) &&
            dialog->Command1->geometry() == QRect(248, 184, 57, 25) &&
            dialog->focusWidget() == dialog->Command1;
        // The main window takes no mouse input while the dialog is open.
        Press(Window->Command1, Qt::LeftButton, {10, 10});
        Release(Window->Command1, Qt::LeftButton, {10, 10});
        checked = checked && Redraws.Count == 0;
        QTest::keyClick(dialog->Command1, static_cast<Qt::Key>(key));
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
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(Window->MenuFileQuit).center());
    QVERIFY(!Window->isVisible());
    QCOMPARE(Redraws.Count, 0);
}

void WindowTest::listIndexOutsideTheListIsAnError() {
    QVERIFY_THROWS_EXCEPTION(RunTimeError, Window->Controls().Combo6->SetListIndex(60));
    QCOMPARE(Window->Combo6->currentIndex(), 0);
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
