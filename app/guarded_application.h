#pragma once
// The window program's application object: every event is delivered through
// deliverGuarded, so an exception from a handler is shown and ends the
// program with status 3.

#include "fatal_error.h"

#include <QApplication>

namespace zevo3 {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int &argc, char **argv, FatalReporter report)
        : QApplication(argc, argv), report_(std::move(report)) {}
    bool notify(QObject *receiver, QEvent *event) override;

private:
    FatalReporter report_;
};

} // namespace zevo3
