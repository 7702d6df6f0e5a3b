#include "DomariumApplication.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "core/RunTimeError.h"

DomariumApplication::DomariumApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Every text the toolkit shows (the scroll bars' and the fields' context menus, its
    // dialogs' buttons) in Japanese, like the program's own. Without the translation
    // file the toolkit's English remains, and the program runs on.
    auto* toolkit = new QTranslator(this);
    if (toolkit->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(toolkit);
}

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
