// ClassroomWindowTest: the window as a person in a classroom uses it: keys go to the
// focused widget, the wheel to the widget under the pointer, menus through their real
// actions. Runs under the program's own application object, so the toolkit's texts are
// those the program shows.

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "AboutDialog.h"
#include "DomariumApplication.h"
#include "MainWindow.h"
#include "support/WindowRedraws.h"

namespace {
const std::filesystem::path Catalogue = std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData";

// Keys as the keyboard sends them: to whichever widget holds the focus.
void Key(Qt::Key key, bool repeat = false, QEvent::Type type = QEvent::KeyPress) {
    QKeyEvent event(type, key, Qt::NoModifier,
                    key == Qt::Key_Space ? QStringLiteral(" ") : QString(), repeat);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

// One notch of the wheel (positive: away from the user) over the middle of a control,
// delivered to the widget the pointer is over, as the platform does.
void Wheel(QWidget* control, int notches) {
    const QPoint local = control->rect().center();
    QWidget* under = control->childAt(local) != nullptr ? control->childAt(local) : control;
    const QPointF at = under->mapFrom(control, local);
    QWheelEvent event(at, under->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(under, &event);
}

// Texts a menu shows, without accelerators and shortcut hints.
QStringList ShownTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        QString text = action->text().section(QLatin1Char('\t'), 0, 0);
        text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
        texts << text;
    }
    return texts;
}
}  // namespace

class ClassroomWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typedTextNeverSelects_data();
    void typedTextNeverSelects();
    void wheelStepsBarsByOneAndSparesLists_data();
    void wheelStepsBarsByOneAndSparesLists();
    void arrowKeysMoveThumbsTheirWay_data();
    void arrowKeysMoveThumbsTheirWay();
    void toolkitMenusAreJapanese();
    void aboutDescriptionShowsWhole();
    void resizeNeverShowsAClearedChart();
    void captionsArePlainLabelsForTheirControls();
    void readoutsWriteInTheButtonTextColour();
    void holdingSpaceAnimatesLikeAHeldButton();
    void controlsHaveJapaneseNames();
    void viewMenuHoldsItsOptionsOff();
    void projectorModeGrowsTheChart();

private:
    void Focus(QWidget* control);

    std::unique_ptr<MainWindow> Window;
    int Redraws = 0;
};

void ClassroomWindowTest::init() {
    Window = std::make_unique<MainWindow>();
    Window->Load(Catalogue);
    QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
    Window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Window.get()));
    Redraws = 0;
    CountRedraws(*Window, Redraws);
}

void ClassroomWindowTest::cleanup() { Window.reset(); }

void ClassroomWindowTest::Focus(QWidget* control) {
    control->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(control->hasFocus());
}

void ClassroomWindowTest::typedTextNeverSelects_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("finish");
    QTest::newRow("hour 7, Enter") << "HourList"
                                   << "7" << int(Qt::Key_Return);
    QTest::newRow("hour 15, Tab") << "HourList"
                                  << "15" << int(Qt::Key_Tab);
    QTest::newRow("magnitude 3, Enter") << "MagnitudeList"
                                        << "3" << int(Qt::Key_Enter);
    QTest::newRow("hour 99, Enter") << "HourList"
                                    << "99" << int(Qt::Key_Return);
    QTest::newRow("cleared month, Tab") << "MonthList"
                                        << "" << int(Qt::Key_Tab);
}

// What the list shows after Enter or leaving is the item the chart uses.
void ClassroomWindowTest::typedTextNeverSelects() {
    QFETCH(QString, list);
    QFETCH(QString, typed);
    QFETCH(int, finish);
    auto* combo = Window->findChild<QComboBox*>(list);
    Focus(combo);
    const int index = combo->currentIndex();
    const Moment moment = Window->Window().Moment;
    const double limit = Window->Window().View.LimitMag;
    for (int i = 0; i < 4; ++i) Key(Qt::Key_Backspace);
    for (const QChar c : typed) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    QCOMPARE(combo->lineEdit()->text(), typed);
    Key(static_cast<Qt::Key>(finish));
    QCOMPARE(combo->currentIndex(), index);
    QCOMPARE(Redraws, 0);
    QCOMPARE(Window->Window().Moment.MinuteOfYear, moment.MinuteOfYear);
    QVERIFY(Window->Window().View.LimitMag == limit);
    QCOMPARE(combo->lineEdit()->text(), combo->itemText(index));
}

void ClassroomWindowTest::wheelStepsBarsByOneAndSparesLists_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("notches");
    QTest::addColumn<int>("moved");
    for (const char* bar : {"AzimuthBar", "LongitudeBar", "ElevationBar", "LatitudeBar"}) {
        QTest::addRow("%s one notch towards the user", bar) << bar << -1 << 1;
        QTest::addRow("%s one notch away", bar) << bar << 1 << -1;
    }
    for (const char* list : {"HourList", "MonthList", "MagnitudeList"})
        QTest::addRow("closed %s", list) << list << -1 << 0;
}

void ClassroomWindowTest::wheelStepsBarsByOneAndSparesLists() {
    QFETCH(QString, control);
    QFETCH(int, notches);
    QFETCH(int, moved);
    auto* widget = Window->findChild<QWidget*>(control);
    auto* bar = qobject_cast<QScrollBar*>(widget);
    auto* combo = qobject_cast<QComboBox*>(widget);
    if (bar != nullptr) {
        bar->setValue(bar->value() + 10);  // Room both ways.
        Redraws = 0;
    }
    const int before = bar != nullptr ? bar->value() : combo->currentIndex();
    const std::int32_t minute = Window->Window().Moment.MinuteOfYear;
    Wheel(widget, notches);
    const int after = bar != nullptr ? bar->value() : combo->currentIndex();
    QCOMPARE(after - before, moved);
    QCOMPARE(Redraws, moved != 0 ? 2 : 0);
    if (combo != nullptr) QCOMPARE(Window->Window().Moment.MinuteOfYear, minute);
}

void ClassroomWindowTest::arrowKeysMoveThumbsTheirWay_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("thumbMoves");  // Screen pixels' direction: +1 right or down.
    for (const char* bar : {"AzimuthBar", "LongitudeBar"}) {
        QTest::addRow("%s right", bar) << bar << int(Qt::Key_Right) << 1;
        QTest::addRow("%s left", bar) << bar << int(Qt::Key_Left) << -1;
    }
    for (const char* bar : {"ElevationBar", "LatitudeBar"}) {
        QTest::addRow("%s down", bar) << bar << int(Qt::Key_Down) << 1;
        QTest::addRow("%s up", bar) << bar << int(Qt::Key_Up) << -1;
    }
}

// A bar's thumb lies at its left or top end at the minimum, so +1 moves it right or down.
void ClassroomWindowTest::arrowKeysMoveThumbsTheirWay() {
    QFETCH(QString, bar);
    QFETCH(int, key);
    QFETCH(int, thumbMoves);
    auto* scroll = Window->findChild<QScrollBar*>(bar);
    scroll->setValue(scroll->value() + 10);  // Room both ways.
    Focus(scroll);
    Redraws = 0;
    const int value = scroll->value();
    Key(static_cast<Qt::Key>(key));
    QCOMPARE(scroll->value() - value, thumbMoves);
    QCOMPARE(Redraws, 2);
}

void ClassroomWindowTest::toolkitMenusAreJapanese() {
    for (QWidget* target : {static_cast<QWidget*>(Window->AzimuthBar),
                            static_cast<QWidget*>(Window->HourList->lineEdit())}) {
        QStringList texts;
        QTimer::singleShot(50, [&texts] {
            QMenu* menu = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isVisible() && qobject_cast<QMenu*>(top) != nullptr)
                    menu = qobject_cast<QMenu*>(top);
            if (menu == nullptr) return;
            texts = ShownTexts(menu);
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, target->rect().center(),
                                target->mapToGlobal(target->rect().center()));
        QApplication::sendEvent(target, &event);
        QTRY_VERIFY(!texts.isEmpty());  // The scroll bar waits for its menu, the field does not.
        for (const QString& text : texts)
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))),
                     qPrintable(text));
    }
}

// Opened through the menu: the last line of the description is drawn inside the label.
void ClassroomWindowTest::aboutDescriptionShowsWhole() {
    bool checked = false;
    QTimer::singleShot(50, [&checked] {
        auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        QLabel* label = dialog->DescriptionLabel;
        const QFontMetrics metrics(label->font());
        const QRect text =
            metrics.boundingRect(QRect(0, 0, label->width(), 0), Qt::TextWordWrap, label->text());
        QVERIFY(text.height() <= label->height());
        // Ink in the last line's band: the closing sentence is on show.
        const QImage picture = label->grab().toImage();
        int ink = 0;
        for (int y = text.height() - metrics.lineSpacing(); y < text.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) ink += qGray(picture.pixel(x, y)) < 128;
        QVERIFY(ink > 20);
        checked = true;
        dialog->accept();
    });
    Window->AboutAction->trigger();
    QVERIFY(checked);
}

// Every chart put on the screen during a resize has been drawn, none is a cleared one.
void ClassroomWindowTest::resizeNeverShowsAClearedChart() {
    int cleared = 0, shown = 0;
    for (int index : {0, 1}) {
        RasterSurface& surface = Window->ChartSurface(index);
        surface.OnRefresh = [&, refresh = surface.OnRefresh](RasterSurface& s) {
            const PixelImage picture = s.Picture();
            ++shown;
            cleared += std::all_of(picture.Pixels.begin(), picture.Pixels.end(),
                                   [&](Pixel p) { return p == picture.Pixels.front(); });
            refresh(s);
        };
    }
    for (const QSize size : {QSize(700, 560), QSize(500, 400), QSize(640, 470)}) {
        Redraws = 0;
        Window->resize(size.width(), size.height() + Window->menuBar()->height());
        QTRY_COMPARE(Window->Client->size(), size);
        QCOMPARE(Redraws, 2);
    }
    QVERIFY(shown >= 6);
    QCOMPARE(cleared, 0);
}

void ClassroomWindowTest::captionsArePlainLabelsForTheirControls() {
    const std::pair<QLabel*, QWidget*> captions[] = {
        {Window->LongitudeCaption, Window->LongitudeBar},
        {Window->LatitudeCaption, Window->LatitudeBar},
        {Window->ElevationCaption, Window->ElevationBar},
        {Window->AzimuthCaption, Window->AzimuthBar},
        {Window->MagnitudeCaption, Window->MagnitudeList},
        {Window->StepCaption, Window->StepList},
        {Window->MonthCaption, Window->MonthList},
        {Window->DayCaption, Window->DayList},
        {Window->HourCaption, Window->HourList},
        {Window->MinuteCaption, Window->MinuteList}};
    for (const auto& [caption, control] : captions) {
        QCOMPARE(caption->buddy(), control);
        QCOMPARE(caption->focusPolicy(), Qt::NoFocus);
        QCOMPARE(caption->textInteractionFlags(), Qt::NoTextInteraction);
        // A drag across the caption selects nothing.
        QTest::mousePress(caption, Qt::LeftButton, {}, {1, 8});
        QTest::mouseMove(caption, {caption->width() - 1, 8});
        QTest::mouseRelease(caption, Qt::LeftButton, {}, {caption->width() - 1, 8});
        QVERIFY(!caption->hasSelectedText());
    }
}

void ClassroomWindowTest::readoutsWriteInTheButtonTextColour() {
    const QPalette before = QApplication::palette();
    QPalette red = before;
    red.setColor(QPalette::ButtonText, QColor(200, 0, 0));
    QApplication::setPalette(red);
    MainWindow window;
    window.Load(Catalogue);
    QApplication::setPalette(before);
    const RasterSurface& readout = window.AzimuthReadout->Surface;
    int reddish = 0, dark = 0;
    for (int y = 0; y < readout.Height(); ++y) {
        for (int x = 0; x < readout.Width(); ++x) {
            const QRgb p = readout.PixelAt(x, y);
            reddish += qRed(p) > 150 && qGreen(p) < 100;
            dark += qRed(p) < 60;
        }
    }
    QVERIFY(reddish > 5);
    QCOMPARE(dark, 0);
}

// Space down, three key repeats, Space up: the press, three moves and the release of the
// left button, with their redraws, and the clock three steps on.
void ClassroomWindowTest::holdingSpaceAnimatesLikeAHeldButton() {
    Focus(Window->AnimateButton);
    const std::int32_t start = Window->Window().Moment.MinuteOfYear;
    Key(Qt::Key_Space);
    QCOMPARE(Window->Window().Dragging, std::int16_t{1});
    QCOMPARE(Redraws, 1);
    for (int i = 0; i < 3; ++i) {
        Key(Qt::Key_Space, true, QEvent::KeyRelease);
        Key(Qt::Key_Space, true);
    }
    QCOMPARE(Window->Window().Moment.MinuteOfYear, start + 3 * Window->Window().TimeStep);
    QCOMPARE(Redraws, 4);
    QCOMPARE(Window->HourList->currentIndex(), 0);
    QCOMPARE(Window->MinuteList->currentIndex(), 15);
    Key(Qt::Key_Space, false, QEvent::KeyRelease);
    QCOMPARE(Window->Window().Dragging, std::int16_t{0});
    QCOMPARE(Redraws, 6);
}

void ClassroomWindowTest::controlsHaveJapaneseNames() {
    // On Linux a list's own name is its text; a screen reader names it by the caption
    // that labels it, so that counts as its name.
    const auto name = [](QWidget* widget, QAccessible::Text text = QAccessible::Name) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        if (face == nullptr) return QString();
        if (text == QAccessible::Name && qobject_cast<QComboBox*>(widget) != nullptr) {
            for (const auto& [label, relation] : face->relations(QAccessible::Label))
                return label->text(QAccessible::Name);
        }
        return face->text(text);
    };
    const std::pair<QWidget*, const char*> named[] = {{Window->MagnitudeList, "限界等級"},
                                                      {Window->StepList, "分増加率"},
                                                      {Window->MonthList, "月"},
                                                      {Window->DayList, "日"},
                                                      {Window->HourList, "時"},
                                                      {Window->MinuteList, "分"},
                                                      {Window->AzimuthBar, "方位角"},
                                                      {Window->LongitudeBar, "東経"},
                                                      {Window->ElevationBar, "仰角"},
                                                      {Window->LatitudeBar, "緯度"},
                                                      {Window->AnimateButton, "うごかす"},
                                                      {Window->AzimuthReadout, "方位角 0°"},
                                                      {Window->LongitudeReadout, "東経 135°"},
                                                      {Window->ElevationReadout, "仰角 -10°"},
                                                      {Window->LatitudeReadout, "北緯 35°"},
                                                      {Window->ChartView(0), "天球の図"},
                                                      {Window->ChartView(1), "天球の図"}};
    for (const auto& [widget, expected] : named)
        QCOMPARE(name(widget), QString::fromUtf8(expected));
    QCOMPARE(name(Window->ChartView(1), QAccessible::Description),
             QStringLiteral("1月1日 0時0分、東経135°・北緯35°の星空"));
    Window->LongitudeBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(name(Window->LongitudeReadout), QStringLiteral("東経 136°"));
    QCOMPARE(name(Window->ChartView(0), QAccessible::Description),
             QStringLiteral("1月1日 0時0分、東経136°・北緯35°の星空"));
}

void ClassroomWindowTest::viewMenuHoldsItsOptionsOff() {
    QStringList bar;
    for (const QAction* action : Window->menuBar()->actions()) bar << action->text();
    QCOMPARE(bar, QStringList({"終了", "情報", "表示"}));
    QCOMPARE(ShownTexts(Window->ViewMenu), QStringList({"全画面表示",
                                                        "大きな星と文字",
                                                        "太陽と日周経路",
                                                        "季節の太陽の通り道",
                                                        "天の北極と天の赤道",
                                                        "星の軌跡",
                                                        "星の軌跡の時間",
                                                        "星座線",
                                                        "星座名",
                                                        "月",
                                                        "惑星",
                                                        "宇宙から見た図",
                                                        "黄道と星座",
                                                        "地球の公転",
                                                        "年…",
                                                        "再生",
                                                        "再生の速さ",
                                                        "進め方",
                                                        "今日",
                                                        "太陽の数値…",
                                                        "地上から見た空…"}));
    // 年…, 今日 and 太陽の数値 are commands; every option starts off, and only 再生 has a key.
    for (const QAction* action : Window->ViewMenu->actions()) {
        if (action->isSeparator() || action->menu() != nullptr) continue;
        if (action == Window->TodayAction || action == Window->SunNumbersAction ||
            action == Window->YearAction || action == Window->GroundAction)
            continue;
        QVERIFY(action->isCheckable());
        QVERIFY(!action->isChecked());
        QVERIFY(action->shortcut().isEmpty() || action == Window->PlayAction);
    }
    Window->FullScreenAction->trigger();
    QTRY_VERIFY(Window->isFullScreen());
    QVERIFY(Window->menuBar()->isVisible());
    Window->FullScreenAction->trigger();
    QTRY_VERIFY(!Window->isFullScreen());
}

// 大きな星と文字 at twice the laid-out side: discs, lines and labels twice as large, so
// the front chart holds more white and more label ink than the ordinary one.
void ClassroomWindowTest::projectorModeGrowsTheChart() {
    Window->resize(104 + 824, 824 + Window->menuBar()->height());
    QTRY_COMPARE(Window->ChartSurface(0).Width(), 816);
    const auto count = [this](QRgb colour) {
        const PixelImage front = Window->ChartSurface(Window->Window().BufferIndex ^ 1).Picture();
        return std::count(front.Pixels.begin(), front.Pixels.end(), colour);
    };
    const auto white = count(qRgb(255, 255, 255));
    Redraws = 0;
    Window->ProjectorAction->trigger();
    QCOMPARE(Redraws, 2);
    QCOMPARE(Window->ChartSurface(0).DrawScale, 2.0f);
    QVERIFY(count(qRgb(255, 255, 255)) > 2 * white);
    QCOMPARE(Window->ChartSurface(0).TextOutline, Black);
    Window->ProjectorAction->trigger();
    QCOMPARE(Window->ChartSurface(0).DrawScale, 1.0f);
    QCOMPARE(count(qRgb(255, 255, 255)), white);
}

int main(int argc, char* argv[]) {
    DomariumApplication app(argc, argv);
    ClassroomWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ClassroomWindowTest.moc"
