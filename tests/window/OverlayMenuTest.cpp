// OverlayMenuTest: the lesson overlays' items of the 表示 menu, triggered as the user
// picks them: each switches its one flag, redraws both chart surfaces at once, and the
// window then shows the chart a headless window draws with the same overlays.

#include <QAction>
#include <QMenu>
#include <QtTest>
#include <memory>

#include "GroundWindow.h"
#include "MainWindow.h"
#include "OverlayMenu.h"
#include "SunNumbersWindow.h"
#include "geometry/Trails.h"
#include "qttext/QtText.h"
#include "render/RasterSurface.h"
#include "session/Handlers.h"
#include "support/TestSky.h"
#include "support/WindowRedraws.h"

namespace {
// The headless window's front chart after SetOverlays with the given overlays.
PixelImage HeadlessChart(const OverlaySet& overlays) {
    auto headless = StartedWindow();
    SetOverlays(headless->State, headless->Ui, overlays);
    return headless->Front().Picture();
}
}  // namespace

class OverlayMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void itemsStartOffAndLeaveTheChartAsBefore();
    void eachItemSwitchesItsOverlayAndRedraws();
    void trailHoursAreOneChoice();
    void playAndSunNumbersItems();
    void groundWindowFollowsTheMainWindow();
    void advanceStepsTheHoldByADay();

private:
    // Both chart surfaces hold the chart a headless window draws with these overlays.
    void ExpectCharts(const OverlaySet& overlays, const char* what);

    std::unique_ptr<MainWindow> Window;
    int Redraws = 0;
};

void OverlayMenuTest::init() {
    Window = std::make_unique<MainWindow>();
    Window->Load(Catalogue);
    QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
    Redraws = 0;
    CountRedraws(*Window, Redraws);
}

void OverlayMenuTest::cleanup() { Window.reset(); }

void OverlayMenuTest::ExpectCharts(const OverlaySet& overlays, const char* what) {
    const PixelImage want = HeadlessChart(overlays);
    QVERIFY2(Window->ChartSurface(0).Picture() == want, what);
    QVERIFY2(Window->ChartSurface(1).Picture() == want, what);
}

void OverlayMenuTest::itemsStartOffAndLeaveTheChartAsBefore() {
    QVERIFY(Window->Window().View.Overlays == OverlaySet{});
    for (const QAction* action : Window->OverlayItems->Actions) {
        QVERIFY(action->isCheckable());
        QVERIFY(!action->isChecked());
        QVERIFY(action->shortcut().isEmpty());
    }
    const char* const spans[] = {"1時間", "2時間", "3時間", "6時間", "12時間", "24時間"};
    QCOMPARE(Window->OverlayItems->TrailHoursMenu->title(), QStringLiteral("星の軌跡の時間"));
    for (std::size_t h = 0; h < std::size(TrailHourChoices); ++h) {
        QCOMPARE(Window->OverlayItems->TrailHourActions[h]->text(), QString::fromUtf8(spans[h]));
        QCOMPARE(Window->OverlayItems->TrailHourActions[h]->isChecked(), TrailHourChoices[h] == 12);
    }
    // The start-up chart is the plain star chart, pixel for pixel.
    auto plain = StartedWindow();
    QVERIFY(Window->ChartSurface(0).Picture() == plain->Front().Picture());
    QVERIFY(Window->ChartSurface(1).Picture() == plain->Front().Picture());
}

// Each item on, alone, then off again; then all on together, each adding to the others.
void OverlayMenuTest::eachItemSwitchesItsOverlayAndRedraws() {
    const PixelImage plain = Window->ChartSurface(0).Picture();
    for (std::size_t i = 0; i < OverlayMenuItems.size(); ++i) {
        const OverlayMenuItem& item = OverlayMenuItems[i];
        QAction* action = Window->OverlayItems->Actions[i];
        // The texts the menu has always shown, whatever the table is made to say.
        const char* const shown[] = {"太陽と日周経路",
                                     "季節の太陽の通り道",
                                     "天の北極と天の赤道",
                                     "星の軌跡",
                                     "星座線",
                                     "星座名",
                                     "月",
                                     "惑星",
                                     "宇宙から見た図",
                                     "黄道と星座",
                                     "地球の公転"};
        const char* caption = shown[i];
        QCOMPARE(action->text(), QString::fromUtf8(caption));
        OverlaySet on;
        on.*item.Flag = true;
        Redraws = 0;
        action->trigger();
        QVERIFY2(Window->Window().View.Overlays == on, caption);
        QCOMPARE(Redraws, 2);
        ExpectCharts(on, caption);
        // Drawn at all: with the constellations read from beside StarData, for one.
        QVERIFY2(!(Window->ChartSurface(0).Picture() == plain), caption);
        action->trigger();
        QVERIFY2(Window->Window().View.Overlays == OverlaySet{}, caption);
        QCOMPARE(Redraws, 4);
        ExpectCharts({}, caption);
    }
    OverlaySet all;
    for (std::size_t i = 0; i < OverlayMenuItems.size(); ++i) {
        Window->OverlayItems->Actions[i]->trigger();
        all.*OverlayMenuItems[i].Flag = true;
        QVERIFY(Window->Window().View.Overlays == all);
    }
    ExpectCharts(all, "all six");
}

// Picking a span unchecks the last one and redraws the trails over it, at once.
void OverlayMenuTest::trailHoursAreOneChoice() {
    Window->OverlayItems->Actions[3]->trigger();  // 星の軌跡
    for (std::size_t h : {3u, 0u, 5u}) {          // 6, 1 and 24 hours.
        Redraws = 0;
        Window->OverlayItems->TrailHourActions[h]->trigger();
        QCOMPARE(Window->Window().View.Overlays.TrailHours, TrailHourChoices[h]);
        QCOMPARE(Redraws, 2);
        for (std::size_t other = 0; other < std::size(TrailHourChoices); ++other) {
            QCOMPARE(Window->OverlayItems->TrailHourActions[other]->isChecked(), other == h);
        }
        OverlaySet trails;
        trails.Trails = true;
        trails.TrailHours = TrailHourChoices[h];
        ExpectCharts(trails, qPrintable(Window->OverlayItems->TrailHourActions[h]->text()));
    }
}

QTEST_MAIN(OverlayMenuTest)
// 再生 (F5) runs the session's play until unchecked, which redraws the chart up to the
// clock; 太陽の数値 opens its window with the day's sunrise.
void OverlayMenuTest::playAndSunNumbersItems() {
    QCOMPARE(Window->PlayAction->shortcut(), QKeySequence(Qt::Key_F5));
    Window->PlayAction->trigger();
    QVERIFY(Window->Window().Playing);
    QTRY_VERIFY(Window->Window().Moment.MinuteOfYear > 0);
    Window->PlayAction->trigger();
    QVERIFY(!Window->Window().Playing);
    auto headless = StartedWindow();
    headless->MinuteList.SetListIndex(static_cast<int>(Window->Window().Moment.Minute));
    headless->HourList.SetListIndex(static_cast<int>(Window->Window().Moment.Hour));
    QVERIFY(Window->ChartSurface(0).Picture() == headless->Front().Picture());
    Window->SunNumbersAction->trigger();
    QVERIFY(Window->SunNumbers != nullptr && Window->SunNumbers->isVisible());
    QVERIFY(Window->SunNumbers->Text().contains(
        QRegularExpression(QStringLiteral("日の出　\\d+時\\d\\d分"))));
}

// 地上から見た空 opens a second window whose chart is the main window's sky, moment and
// view drawn afresh as the chosen ground view, and stays so after a change in the main one.
void OverlayMenuTest::groundWindowFollowsTheMainWindow() {
    const auto fresh = [this](ViewKind kind) {
        QtGlyphSource text(ChartFont());
        RasterSurface surface(408, 408, Black, text);
        surface.SetLabelFont(ChartLabels());
        surface.FillStyle = FillStyleKind::Solid;
        surface.FillColor = White;
        View look = Window->Window().View;
        look.Kind = kind;
        look.Side = 408;
        ChartCache cache;
        DrawChart(*Window->Window().Sky, Window->Window().Moment, look, surface, cache);
        return ImageOf(surface).copy();
    };
    Window->GroundAction->trigger();
    QVERIFY(Window->Ground != nullptr && Window->Ground->isVisible());
    QCOMPARE(Window->Ground->Picture(), fresh(ViewKind::Sky));
    Window->OverlayItems->Actions[0]->trigger();  // The Sun and its path.
    QCOMPARE(Window->Ground->Picture(), fresh(ViewKind::Sky));
    Window->Ground->KindList->setCurrentIndex(1);
    QCOMPARE(Window->Ground->Picture(), fresh(ViewKind::Horizon));
    Window->HourList->setCurrentIndex(14);
    QCOMPARE(Window->Ground->Picture(), fresh(ViewKind::Horizon));
}

// 進め方's 1日: a hold's step keeps the clock time and moves the date; 分 is checked at first.
void OverlayMenuTest::advanceStepsTheHoldByADay() {
    const char* const shown[] = {"分", "1日", "7日", "1か月"};
    for (std::size_t k = 0; k < Window->AdvanceActions.size(); ++k) {
        QCOMPARE(Window->AdvanceActions[k]->text(), QString::fromUtf8(shown[k]));
        QCOMPARE(Window->AdvanceActions[k]->isChecked(), k == 0);
    }
    Window->AdvanceActions[1]->trigger();
    const std::int32_t before = Window->Window().Moment.MinuteOfYear;
    AnimateButton_MouseDown(Window->Window(), Window->Controls(), LeftButton);
    AnimateButton_MouseMove(Window->Window(), Window->Controls(), LeftButton);
    AnimateButton_MouseUp(Window->Window(), Window->Controls(), LeftButton);
    QCOMPARE(Window->Window().Moment.MinuteOfYear, before + 1440);
}

#include "OverlayMenuTest.moc"
