#pragma once
// An exception that reaches the program's entry, from the start-up or from
// an event handler, is shown to the operator and ends the program: Qt cannot
// carry an exception through its event loop (GuardedApplication, in
// guarded_application.h, delivers every event through deliverGuarded).

#include <QString>
#include <functional>

namespace zevo3 {

using FatalReporter = std::function<void(const QString &text)>;

// Runs deliver(); an exception it throws goes to report() and gives false.
bool deliverGuarded(const std::function<bool()> &deliver, const FatalReporter &report);

// The text shown for an exception: its what(), or a plain word for others.
QString fatalErrorText(const char *what);

} // namespace zevo3
