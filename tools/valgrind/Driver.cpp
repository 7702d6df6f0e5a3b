// One session of the main window without a toolkit, for Valgrind: start-up
// from a StarData file, every setting changed once, a resize, a short
// hold-to-animate and the end. Prints the chart's checksum so that a run
// that drew nothing shows.
// Usage: domarium-valgrind-driver STARDATA

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "app/HeadlessWindow.h"
#include "core/RunTimeError.h"
#include "time/Settings.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s STARDATA\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    try {
        auto window = HeadlessWindow::Create();
        window->Load(argv[1]);

        window->Combo1.SetListIndex(30);   // Limiting magnitude 1.6.
        window->Combo2.SetListIndex(5);    // Thirty minutes a step.
        window->Combo3.SetListIndex(1);    // February.
        window->Combo4.SetListIndex(30);   // The 31st: carried into March.
        window->Combo5.SetListIndex(20);
        window->Combo6.SetListIndex(45);
        window->HScroll1.MoveTo(200);      // View azimuth.
        window->HScroll2.MoveTo(140);      // Longitude.
        window->VScroll1.MoveTo(150);      // View elevation.
        window->VScroll2.MoveTo(10);       // Latitude, far south.
        window->Form1.ResizeTo(800, 600);
        window->Form1.ResizeTo(100, 50);   // Too small for a chart.

        HeadlessWindow& w = *window;
        Command1_MouseDown(w.Sky, w.Ui, LeftButton);
        for (int step = 0; step < 5; ++step) Command1_MouseMove(w.Sky, w.Ui, LeftButton);
        Command1_MouseMove(w.Sky, w.Ui, LeftButton + RightButton);
        Command1_MouseUp(w.Sky, w.Ui, LeftButton);

        window->Form1.ResizeTo(584, 416);
        const QImage& chart = w.Front().Picture();
        std::printf("chart %dx%d, checksum %zu\n", chart.width(), chart.height(),
                    static_cast<std::size_t>(qHashBits(chart.constBits(), static_cast<std::size_t>(chart.sizeInBytes()))));
    } catch (const RunTimeError& error) {
        std::fprintf(stderr, "run-time error: %s\n", error.what());
        return 1;
    }
    return 0;
}
