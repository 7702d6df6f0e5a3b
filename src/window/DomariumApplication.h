#pragma once
// The application object, and the one place where a run-time error is caught:
// every event, start-up included, is delivered through notify, which reports
// the error to the user and ends the program.

#include <QApplication>

class RunTimeError;

class DomariumApplication : public QApplication {
public:
    DomariumApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the error's message in a dialog and on stderr, then ends the program
// with a failure status. Never returns.
[[noreturn]] void ReportRunTimeError(const RunTimeError& error);
