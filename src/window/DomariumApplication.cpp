#include "DomariumApplication.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "core/RunTimeError.h"

DomariumApplication::DomariumApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool DomariumApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const RunTimeError& error) {
        ReportRunTimeError(error);
    }
}

void ReportRunTimeError(const RunTimeError& error) {
    // The message box runs its own event loop; an error raised by an event
    // handled meanwhile ends the program without a second report.
    static bool reporting = false;
    std::fprintf(stderr, "domarium: %s\n", error.what());
    std::fflush(stderr);
    // On a platform without a screen nobody could close the message: stderr carries it.
    const QString platform = QGuiApplication::platformName();
    const bool screen =
        platform != QStringLiteral("offscreen") && platform != QStringLiteral("minimal");
    if (!reporting && screen) {
        reporting = true;
        QMessageBox::critical(nullptr, QStringLiteral("Domarium"), QString::fromUtf8(error.what()));
    }
    // The state may be half updated: end at once, without running any more of the program.
    std::_Exit(EXIT_FAILURE);
}
