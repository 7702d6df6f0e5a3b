// One session of the main window without a toolkit, for Valgrind: start-up
// from a StarData file, every setting changed once, a resize, a short
// hold-to-animate and the end. Prints the chart's checksum so that a run
// that drew nothing shows.
// Usage: domarium-valgrind-driver STARDATA

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "core/RunTimeError.h"
#include "qttext/QtText.h"
#include "session/Handlers.h"
#include "session/HeadlessWindow.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s STARDATA\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    try {
        const QtGlyphSource chartText(ChartFont()), readoutText(ReadoutFont());
        auto window = HeadlessWindow::Create(chartText, readoutText);
        window->Load(argv[1]);

        window->MagnitudeList.SetListIndex(30);  // Limiting magnitude 1.6.
        window->StepList.SetListIndex(5);        // Thirty minutes a step.
        window->MonthList.SetListIndex(1);       // February.
        window->DayList.SetListIndex(30);        // The 31st: carried into March.
        window->HourList.SetListIndex(20);
        window->MinuteList.SetListIndex(45);
        window->AzimuthBar.MoveTo(200);    // View azimuth.
        window->LongitudeBar.MoveTo(140);  // Longitude.
        window->ElevationBar.MoveTo(150);  // View elevation.
        window->LatitudeBar.MoveTo(10);    // Latitude, far south.
        window->Window.ResizeTo(800, 600);
        window->Window.ResizeTo(100, 50);  // Too small for a chart.

        HeadlessWindow& w = *window;
        AnimateButton_MouseDown(w.Sky, w.Ui, LeftButton);
        for (int step = 0; step < 5; ++step) AnimateButton_MouseMove(w.Sky, w.Ui, LeftButton);
        AnimateButton_MouseMove(w.Sky, w.Ui, LeftButton + RightButton);
        AnimateButton_MouseUp(w.Sky, w.Ui, LeftButton);

        window->Window.ResizeTo(584, 416);
        const QImage chart = ImageOf(w.Front());
        std::printf("chart %dx%d, checksum %zu\n", chart.width(), chart.height(),
                    static_cast<std::size_t>(qHashBits(
                        chart.constBits(), static_cast<std::size_t>(chart.sizeInBytes()))));
    } catch (const RunTimeError& error) {
        std::fprintf(stderr, "run-time error: %s\n", error.what());
        return 1;
    }
    return 0;
}
