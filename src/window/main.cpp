// domarium: the desktop planetarium. Reads StarData from the current
// directory and shows the main window until the user quits.

#include <QTimer>

#include "DomariumApplication.h"
#include "MainWindow.h"

int main(int argc, char* argv[]) {
    DomariumApplication app(argc, argv);
    MainWindow window;
    // Start-up runs as the first event, so that a run-time error in it (a missing
    // or short StarData) is reported like any other, before the window is shown.
    QTimer::singleShot(0, &window, [&window] { window.Load(); });
    return app.exec();
}
