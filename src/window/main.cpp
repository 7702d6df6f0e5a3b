// domarium: the desktop planetarium. Reads StarData (from the current folder,
// else from where it was installed) and shows the main window until the user
// quits. The command line may choose the sky it starts with.

#include <QTimer>
#include <cstdio>

#include "DomariumApplication.h"
#include "MainWindow.h"
#include "StartSettings.h"
#include "StartUpAhead.h"
#include "catalogue/StarDataPath.h"

int main(int argc, char* argv[]) {
    // Read before any window exists: --help needs no screen, and a value that
    // no control offers is refused before anything opens.
    const CommandLine line =
        ParseCommandLine(WindowSyntax(), std::vector<std::string>(argv + 1, argv + argc));
    switch (line.What) {
        case CommandLine::Outcome::Help:
        case CommandLine::Outcome::Version:
            std::fputs(line.Text.c_str(), stdout);
            return 0;
        case CommandLine::Outcome::Error:
            std::fprintf(stderr, "domarium: %s\n", line.Text.c_str());
            return 2;
        case CommandLine::Outcome::Run:
            break;
    }
    const StartSettings settings = StartSettingsOf(line);
    // The font configuration and the catalogue are read while the toolkit starts.
    StartUpAhead ahead(
        [folder = ExecutableFolder(argv[0])] { return FindStarData(StarDataFolders(folder)); });
    DomariumApplication app(argc, argv);
    ahead.WaitForFonts();
    MainWindow window;
    // Start-up runs as the first event, so that a run-time error in it (a missing
    // or short StarData) is reported like any other, before the window is shown.
    QTimer::singleShot(0, &window, [&window, &settings, &ahead] {
        window.Load([&ahead] { return ahead.TakeCatalogue(); });
        ApplyStartSettings(window, settings);
    });
    return app.exec();
}
