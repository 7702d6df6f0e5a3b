// Random runs of user input through the real window (Qt events on the offscreen
// platform), checked after every event against a model of what the input must
// do: list choices, typed text, scroll bar actions, the animate button pressed,
// moved and released with every button combination, resizes from 1 x 1 to
// 4000 x 3000, and the about dialog opened and closed. The seed is printed;
// DOMARIUM_MODEL_SEED and DOMARIUM_MODEL_EVENTS rerun one; DOMARIUM_MODEL_TRACE=1
// prints each event.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <random>

#include "MainWindow.h"
#include "session/Handlers.h"
#include "session/HeadlessWindow.h"
#include "session/Redraw.h"
#include "session/StartUp.h"
#include "support/EventModel.h"
#include "support/TestSky.h"

namespace {
constexpr std::uint64_t DefaultSeed = 20261207;
constexpr long DefaultEvents = 100000;
constexpr int Steps[] = {1, 3, 5, 10, 15, 30};
}  // namespace

class WindowRandomTest : public QObject {
    Q_OBJECT

private slots:
    void randomInputKeepsWindowStateAndModelInStep();

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Random); }
    QWindow* Handle() const { return Window->windowHandle(); }
    QPoint OnButton() {
        // A point on the animate button other than the last: a move to where the
        // pointer already is, is no move.
        Spot = Spot >= 50 ? 4 : Spot + 1 + Pick(0, 2);
        return Window->AnimateButton->mapTo(Window.get(), QPoint(Spot, 8 + Pick(0, 20)));
    }

    // Whether the pointer can reach the animate button: a small window hides it.
    bool ButtonInReach() const {
        const QRect button(Window->AnimateButton->mapTo(Window.get(), QPoint(0, 0)),
                           Window->AnimateButton->size());
        return Window->rect().contains(button);
    }
    // A point of the window away from the animate button, or on it when there is none.
    QPoint AwayFromButton() {
        const QPoint away = Window->AnimateButton->mapTo(Window.get(), QPoint(-50, 120));
        return Window->rect().contains(away) ? away : OnButton();
    }

    void ChooseFromList();
    void TypeIntoList();
    void UseScrollBar();
    void PressButton();
    void MoveMouse();
    void MoveTo(QPoint to);
    void ReleaseButton();
    void Resize();
    void OpenAbout();
    void Check(long event);

    std::mt19937_64 Random;
    std::unique_ptr<MainWindow> Window;
    std::unique_ptr<HeadlessWindow> Reference = NewWindow();
    RasterSurface* Front = nullptr;
    EventModel M;
    int Redraws = 0, ExpectedRedraws = 0;
    bool PairDone = false;
    int Held = 0;  // Mouse buttons held, as the animate button sums them.
    int Spot = 4;
    QPoint Pointer{-1, -1};  // Where the pointer is, in the window.
    QSize Client;
    const char* Last = "";  // The kind of the last event, for a failure's message.
};

void WindowRandomTest::ChooseFromList() {
    Last = "ChooseFromList";
    QComboBox* lists[] = {Window->MagnitudeList, Window->StepList, Window->MonthList,
                          Window->DayList,       Window->HourList, Window->MinuteList};
    const int which = Pick(0, 5);
    QComboBox* list = lists[which];
    const int index = Pick(0, list->count() - 1);
    if (index == list->currentIndex()) return;
    list->setCurrentIndex(index);
    if (which == 0) {
        M.LimitMag = (index - 14) / 10.0;
        ExpectedRedraws = 2;
    } else if (which == 1) {
        M.TimeStep = Steps[index];
    } else if (M.Dragging == 0) {
        M.ChooseTime(which + 1, index);
        ExpectedRedraws = 2;
    }
}

void WindowRandomTest::TypeIntoList() {
    Last = "TypeIntoList";
    QComboBox* lists[] = {Window->MagnitudeList, Window->StepList, Window->MonthList,
                          Window->DayList,       Window->HourList, Window->MinuteList};
    QComboBox* list = lists[Pick(0, 5)];
    const char* texts[] = {"12", "7.9", "30", "-1.4", "0", "abc", "31", "5"};
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), QString::fromLatin1(texts[Pick(0, 7)]));
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
}

void WindowRandomTest::UseScrollBar() {
    Last = "UseScrollBar";
    QScrollBar* bars[] = {Window->AzimuthBar, Window->LongitudeBar, Window->ElevationBar,
                          Window->LatitudeBar};
    const int which = Pick(0, 3);
    QScrollBar* bar = bars[which];
    constexpr QAbstractSlider::SliderAction Actions[] = {
        QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
        QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
        QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
    const int before = bar->value();
    bar->triggerAction(Actions[Pick(0, 5)]);
    const int v = bar->value();
    if (v == before) return;
    if (which == 0) M.Azimuth = v;
    if (which == 1) M.Longitude = v;
    if (which == 2) M.Elevation = 90 - v;
    if (which == 3) M.PoleAngle = 180 - v;
    ExpectedRedraws = 2;
}

void WindowRandomTest::PressButton() {
    Last = "PressButton";
    const int button = 1 << Pick(0, 2);
    if ((Held & button) != 0 || !ButtonInReach()) return;
    const Qt::MouseButton qt = button == 1   ? Qt::LeftButton
                               : button == 2 ? Qt::RightButton
                                             : Qt::MiddleButton;
    const QPoint at = OnButton();
    MoveTo(at);
    QTest::mousePress(Handle(), qt, {}, at);
    Held |= button;
    M.Dragging = button == LeftButton ? 1 : 0;
    ExpectedRedraws += button == LeftButton ? 1 : 0;
}

void WindowRandomTest::MoveMouse() {
    Last = "MoveMouse";
    if (!ButtonInReach()) return;
    QPoint to = OnButton();
    // While a button pressed on it is held, the animate button follows the pointer anywhere.
    if (Held != 0 && Pick(0, 3) == 0) to = AwayFromButton() + QPoint(Pick(1, 20), 0);
    MoveTo(to);
}

// Moves the pointer, and works out what the animate button's move must do.
void WindowRandomTest::MoveTo(QPoint to) {
    if (to == Pointer) return;
    Pointer = to;
    const int draggingBefore = M.Dragging;
    // The lists show what was last chosen or synchronised, which may differ from the clock.
    const int listsBefore[4] = {Window->MonthList->currentIndex(), Window->DayList->currentIndex(),
                                Window->HourList->currentIndex(),
                                Window->MinuteList->currentIndex()};
    QTest::mouseMove(Handle(), to);
    if (Held != LeftButton) {
        M.Dragging = 0;
        return;
    }
    M.MinuteOfYear += M.TimeStep;
    M.Split();
    M.Dragging = 1;
    // The lists now show the clock; from idle, each one that moved ran its time chain: a pair each.
    const int listsAfter[4] = {M.Month - 1, M.DayIndex, M.Hour, M.Minute};
    QCOMPARE(Window->MonthList->currentIndex(), listsAfter[0]);
    QCOMPARE(Window->DayList->currentIndex(), listsAfter[1]);
    QCOMPARE(Window->HourList->currentIndex(), listsAfter[2]);
    QCOMPARE(Window->MinuteList->currentIndex(), listsAfter[3]);
    int moved = 0;
    for (int k = 0; k < 4; ++k) moved += listsBefore[k] != listsAfter[k];
    ExpectedRedraws += 1 + (draggingBefore == 0 ? 2 * moved : 0);
}

void WindowRandomTest::ReleaseButton() {
    Last = "ReleaseButton";
    if (Held == 0) return;
    int button = 1 << Pick(0, 2);
    while ((Held & button) == 0) button = button == 4 ? 1 : button << 1;
    const Qt::MouseButton qt = button == 1   ? Qt::LeftButton
                               : button == 2 ? Qt::RightButton
                                             : Qt::MiddleButton;
    // Sometimes away from the button: the release still ends the hold.
    const QPoint at = Pick(0, 2) == 0 ? AwayFromButton() : OnButton();
    MoveTo(at);  // The pointer gets there first, as it does on a real screen.
    QTest::mouseRelease(Handle(), qt, {}, at);
    Held &= ~button;
    if (button == LeftButton) {
        M.Dragging = 0;
        ExpectedRedraws += 2;
    }
}

void WindowRandomTest::Resize() {
    Last = "Resize";
    if (Held != 0) return;  // The frame cannot be dragged while the pointer holds the button.
    const int choice = Pick(0, 19);
    const QSize size = choice == 0  ? QSize(Pick(1, 4000), Pick(1, 3000))
                       : choice < 4 ? QSize(Pick(1, 130), Pick(1, 60))
                                    : QSize(Pick(300, 800), Pick(200, 600));
    Window->resize(size);
    QCoreApplication::processEvents();
    const QSize client(static_cast<int>(Window->InnerWidth()),
                       static_cast<int>(Window->InnerHeight()));
    if (client == Client) return;
    Client = client;
    const int side = ChartSideFor(Window->InnerWidth(), Window->InnerHeight());
    if (side > 0) {
        ExpectedRedraws = 2;
        QCOMPARE(Window->ChartSurface(0).Width(), side);
        QCOMPARE(Window->ChartSurface(1).Height(), side);
    }
}

void WindowRandomTest::OpenAbout() {
    Last = "OpenAbout";
    if (Held != 0) return;  // The menu is out of reach while the pointer holds the button.
    bool closed = false;
    QTimer::singleShot(0, Window.get(), [&closed] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        closed = true;
    });
    Window->AboutAction->trigger();  // Returns when the dialog has closed.
    QVERIFY(closed);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void WindowRandomTest::Check(long event) {
    const WindowState& State = Window->Window();
    QCOMPARE(Redraws, ExpectedRedraws);
    const std::string mismatch = ModelMismatch(State, Window->Controls(), M);
    QVERIFY2(mismatch.empty(),
             qPrintable(
                 QStringLiteral("event %1: %2").arg(event).arg(QString::fromStdString(mismatch))));
    // After a redraw pair the chart in front is what a fresh pair draws for this state.
    if (PairDone && Front != nullptr) {
        Reference->State.Sky = State.Sky;
        Reference->State.Moment = State.Moment;
        Reference->State.View = State.View;
        for (RasterSurface* chart : {&Reference->Chart0, &Reference->Chart1}) {
            chart->SetWidth(Front->Width());
            chart->SetHeight(Front->Height());
        }
        RedrawSky(Reference->State, Reference->Ui);
        RedrawSky(Reference->State, Reference->Ui);
        QVERIFY2(Front->Picture() == Reference->Front().Picture(),
                 qPrintable(QStringLiteral("chart differs at event %1").arg(event)));
    }
}

void WindowRandomTest::randomInputKeepsWindowStateAndModelInStep() {
    const auto seed =
        static_cast<std::uint64_t>(EventsFromEnvironment("DOMARIUM_MODEL_SEED", DefaultSeed));
    const long events = EventsFromEnvironment("DOMARIUM_MODEL_EVENTS", DefaultEvents);
    qInfo("random window input: seed %llu, %ld events", static_cast<unsigned long long>(seed),
          events);
    Random.seed(seed);
    Reference->Load(Catalogue);
    Window = std::make_unique<MainWindow>();
    for (int index : {0, 1}) {
        RasterSurface& surface = Window->ChartSurface(index);
        surface.OnBringToFront = [this, raise = surface.OnBringToFront](RasterSurface& raised) {
            ++Redraws;
            Front = &raised;
            raise(raised);
        };
    }
    Window->Load(Catalogue);
    QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
    Client = QSize(static_cast<int>(Window->InnerWidth()), static_cast<int>(Window->InnerHeight()));
    for (long event = 0; event < events; ++event) {
        Redraws = ExpectedRedraws = 0;
        const int kind = Pick(0, 99);
        if (kind < 25) {
            ChooseFromList();
        } else if (kind < 30) {
            TypeIntoList();
        } else if (kind < 45) {
            UseScrollBar();
        } else if (kind < 58) {
            PressButton();
        } else if (kind < 80) {
            MoveMouse();
        } else if (kind < 91) {
            ReleaseButton();
        } else if (kind < 99) {
            Resize();
        } else {
            OpenAbout();
        }
        if (std::getenv("DOMARIUM_MODEL_TRACE"))
            qInfo("%ld %s held=%d redraws=%d/%d", event, Last, Held, Redraws, ExpectedRedraws);
        PairDone = ExpectedRedraws >= 2;
        Check(event);
        if (QTest::currentTestFailed()) {
            qWarning("failed at event %ld (%s) of seed %llu", event, Last,
                     static_cast<unsigned long long>(seed));
            return;
        }
    }
}

QTEST_MAIN(WindowRandomTest)
#include "WindowRandomTest.moc"
