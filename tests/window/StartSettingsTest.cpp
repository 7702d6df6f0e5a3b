// StartSettingsTest: domarium's command-line settings taken as the start state.
// With none, start-up is the plain one, redraw for redraw; with some, the
// lists and bars show them and the chart is the one domarium-snapshot draws
// for the same settings.

#include <QComboBox>
#include <QScrollBar>
#include <QtTest>
#include <filesystem>

#include "MainWindow.h"
#include "Snapshot.h"
#include "StartSettings.h"
#include "qttext/QtText.h"

namespace {
const std::filesystem::path Catalogue = std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData";

int RedrawsOf(MainWindow& window, const StartSettings& settings) {
    int count = 0;
    for (int index : {0, 1}) {
        RasterSurface& surface = window.ChartSurface(index);
        surface.OnBringToFront = [&count, raise = surface.OnBringToFront](RasterSurface& raised) {
            ++count;
            raise(raised);
        };
    }
    window.Load(Catalogue);
    ApplyStartSettings(window, settings);
    return count;
}

// The chart element whose widget lies on top.
RasterSurface& FrontChart(MainWindow& window) {
    const QObjectList& stack = window.Client->children();
    return window.ChartSurface(
        stack.indexOf(window.ChartView(0)) > stack.indexOf(window.ChartView(1)) ? 0 : 1);
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
    MainWindow plain, withNone;
    const int plainRedraws = RedrawsOf(plain, StartSettings{});
    QCOMPARE(plainRedraws,
             14);  // The ten hidden ones of the lists, two of the first resize, two of start-up.
    QCOMPARE(RedrawsOf(withNone, StartSettings{}), plainRedraws);
    QCOMPARE(FrontChart(withNone).Picture(), FrontChart(plain).Picture());
    // A setting equal to the start value chooses nothing new, so nothing is redrawn.
    StartSettings same;
    same[Month] = 1;
    same[Longitude] = 135;
    MainWindow withSame;
    QCOMPARE(RedrawsOf(withSame, same), plainRedraws);
}

void StartSettingsTest::settingsShowInControlsAndChart_data() {
    // Month, day, hour, minute, limit item, longitude, latitude, azimuth, elevation, year.
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("summer solstice evening")
        << QList<int>{6, 21, 21, 30, 59, 140, 36, 180, 20, 2026};
    QTest::newRow("upper ends") << QList<int>{12, 31, 23, 59, 93, 150, 90, 360, 90, 2100};
    QTest::newRow("lower ends, 31 February of a leap year")
        << QList<int>{2, 31, 0, 0, 0, 120, -90, 0, -90, 2024};
}

void StartSettingsTest::settingsShowInControlsAndChart() {
    QFETCH(QList<int>, values);
    StartSettings settings;
    for (std::size_t i = 0; i < settings.size(); ++i)
        settings[i] = values[static_cast<qsizetype>(i)];
    MainWindow window;
    RedrawsOf(window, settings);

    QCOMPARE(window.MonthList->currentIndex(), values[Month] - 1);
    QCOMPARE(window.DayList->currentIndex(), values[Day] - 1);
    QCOMPARE(window.HourList->currentIndex(), values[Hour]);
    QCOMPARE(window.MinuteList->currentIndex(), values[Minute]);
    QCOMPARE(window.MagnitudeList->currentIndex(), values[Limit]);
    QCOMPARE(window.LongitudeBar->value(), values[Longitude]);
    QCOMPARE(window.LatitudeBar->value(), 90 - values[Latitude]);
    QCOMPARE(window.AzimuthBar->value(), values[Azimuth]);
    QCOMPARE(window.ElevationBar->value(), 90 + values[Elevation]);

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
    options.Year = values[static_cast<qsizetype>(StartYear)];
    options.StarData = Catalogue.string();
    std::vector<PlottedStar> stars;
    QCOMPARE(ImageOf(FrontChart(window)), DrawSnapshot(options, stars));
}

QTEST_MAIN(StartSettingsTest)
#include "StartSettingsTest.moc"
