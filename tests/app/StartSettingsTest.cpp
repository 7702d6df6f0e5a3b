// StartSettingsTest: domarium's command-line settings taken as the start state.
// With none, start-up is the plain one, redraw for redraw; with some, the
// lists and bars show them and the chart is the one domarium-snapshot draws
// for the same settings.

#include <QComboBox>
#include <QScrollBar>
#include <QtTest>
#include <filesystem>

#include "Form1.h"
#include "Snapshot.h"
#include "StartSettings.h"

namespace {
const std::filesystem::path Catalogue = std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData";

int RedrawsOf(Form1& window, const StartSettings& settings) {
    int count = 0;
    for (int index : {0, 1}) {
        RasterSurface& surface = window.ChartSurface(index);
        surface.OnZOrder = [&count, raise = surface.OnZOrder](RasterSurface& raised) {
            ++count;
            raise(raised);
        };
    }
    window.Load(Catalogue);
    ApplyStartSettings(window, settings);
    return count;
}

// The chart element whose widget lies on top.
RasterSurface& FrontChart(Form1& window) {
    const QObjectList& stack = window.Client->children();
    return window.ChartSurface(stack.indexOf(window.ChartView(0)) > stack.indexOf(window.ChartView(1)) ? 0 : 1);
}
}  // namespace

class StartSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void noSettingsIsThePlainStartUp();
    void settingsShowInControlsAndChart_data();
    void settingsShowInControlsAndChart();
};

void StartSettingsTest::noSettingsIsThePlainStartUp() {
    Form1 plain, withNone;
    const int plainRedraws = RedrawsOf(plain, StartSettings{});
    QCOMPARE(plainRedraws, 14);  // The ten hidden ones of the lists, two of the first resize, two of start-up.
    QCOMPARE(RedrawsOf(withNone, StartSettings{}), plainRedraws);
    QCOMPARE(FrontChart(withNone).Picture(), FrontChart(plain).Picture());
    // A setting equal to the start value chooses nothing new, so nothing is redrawn.
    StartSettings same;
    same[Month] = 1;
    same[Longitude] = 135;
    Form1 withSame;
    QCOMPARE(RedrawsOf(withSame, same), plainRedraws);
}

void StartSettingsTest::settingsShowInControlsAndChart_data() {
    // Month, day, hour, minute, limit item, longitude, latitude, azimuth, elevation.
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("summer solstice evening") << QList<int>{6, 21, 21, 30, 59, 140, 36, 180, 20};
    QTest::newRow("upper ends") << QList<int>{12, 31, 23, 59, 93, 150, 90, 360, 90};
    QTest::newRow("lower ends, 31 February") << QList<int>{2, 31, 0, 0, 0, 120, -90, 0, -90};
}

void StartSettingsTest::settingsShowInControlsAndChart() {
    QFETCH(QList<int>, values);
    StartSettings settings;
    for (std::size_t i = 0; i < settings.size(); ++i) settings[i] = values[static_cast<qsizetype>(i)];
    Form1 window;
    RedrawsOf(window, settings);

    QCOMPARE(window.Combo3->currentIndex(), values[Month] - 1);
    QCOMPARE(window.Combo4->currentIndex(), values[Day] - 1);
    QCOMPARE(window.Combo5->currentIndex(), values[Hour]);
    QCOMPARE(window.Combo6->currentIndex(), values[Minute]);
    QCOMPARE(window.Combo1->currentIndex(), values[Limit]);
    QCOMPARE(window.HScroll2->value(), values[Longitude]);
    QCOMPARE(window.VScroll2->value(), 90 - values[Latitude]);
    QCOMPARE(window.HScroll1->value(), values[Azimuth]);
    QCOMPARE(window.VScroll1->value(), 90 + values[Elevation]);

    SnapshotOptions options;
    options.Month = values[Month];
    options.Day = values[Day];
    options.Hour = values[Hour];
    options.Minute = values[Minute];
    options.LimitIndex = values[Limit];
    options.Longitude = values[Longitude];
    options.Latitude = values[Latitude];
    options.Azimuth = values[Azimuth];
    options.Elevation = values[Elevation];
    options.StarData = Catalogue.string();
    std::vector<PlottedStar> stars;
    QCOMPARE(FrontChart(window).Picture(), DrawSnapshot(options, stars));
}

QTEST_MAIN(StartSettingsTest)
#include "StartSettingsTest.moc"
