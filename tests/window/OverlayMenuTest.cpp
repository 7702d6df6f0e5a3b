// OverlayMenuTest: the lesson overlays' items of the 表示 menu, triggered as the user
// picks them: each switches its one flag, redraws both chart surfaces at once, and the
// window then shows the chart a headless window draws with the same overlays.

#include <QAction>
#include <QMenu>
#include <QtTest>
#include <memory>

#include "MainWindow.h"
#include "OverlayMenu.h"
#include "geometry/Trails.h"
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
    for (const QAction* action : Window->OverlayActions) {
        QVERIFY(action->isCheckable());
        QVERIFY(!action->isChecked());
        QVERIFY(action->shortcut().isEmpty());
    }
    for (std::size_t h = 0; h < std::size(TrailHourChoices); ++h) {
        QCOMPARE(Window->TrailHourActions[h]->isChecked(), TrailHourChoices[h] == 12);
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
        QAction* action = Window->OverlayActions[i];
        QCOMPARE(action->text(), QString::fromUtf8(item.Text));
        OverlaySet on;
        on.*item.Flag = true;
        Redraws = 0;
        action->trigger();
        QVERIFY2(Window->Window().View.Overlays == on, item.Text);
        QCOMPARE(Redraws, 2);
        ExpectCharts(on, item.Text);
        // Drawn at all: with the constellations read from beside StarData, for one.
        QVERIFY2(!(Window->ChartSurface(0).Picture() == plain), item.Text);
        action->trigger();
        QVERIFY2(Window->Window().View.Overlays == OverlaySet{}, item.Text);
        QCOMPARE(Redraws, 4);
        ExpectCharts({}, item.Text);
    }
    OverlaySet all;
    for (std::size_t i = 0; i < OverlayMenuItems.size(); ++i) {
        Window->OverlayActions[i]->trigger();
        all.*OverlayMenuItems[i].Flag = true;
        QVERIFY(Window->Window().View.Overlays == all);
    }
    ExpectCharts(all, "all six");
}

// Picking a span unchecks the last one and redraws the trails over it, at once.
void OverlayMenuTest::trailHoursAreOneChoice() {
    Window->OverlayActions[3]->trigger();  // 星の軌跡
    for (std::size_t h : {3u, 0u, 5u}) {   // 6, 1 and 24 hours.
        Redraws = 0;
        Window->TrailHourActions[h]->trigger();
        QCOMPARE(Window->Window().View.Overlays.TrailHours, TrailHourChoices[h]);
        QCOMPARE(Redraws, 2);
        for (std::size_t other = 0; other < std::size(TrailHourChoices); ++other) {
            QCOMPARE(Window->TrailHourActions[other]->isChecked(), other == h);
        }
        OverlaySet trails;
        trails.Trails = true;
        trails.TrailHours = TrailHourChoices[h];
        ExpectCharts(trails, qPrintable(Window->TrailHourActions[h]->text()));
    }
}

QTEST_MAIN(OverlayMenuTest)
#include "OverlayMenuTest.moc"
