#pragma once
// The same layout and codes registered in the units on several ports at
// once: one thread and one link a port, so that one unit's failure (a
// hang-up, no acknowledgement, a port that cannot be opened) neither stops
// nor slows the others.

#include "device_commands.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zevo3::cli {

struct PortRun {
    QString port;
    bool running = false;
    int sent = 0;  // messages gone out so far
    int total = 0; // of the plan
    int status = kCannot;
    QString text; // the last word: done, or where and why it stopped
    bool done() const { return status == kDone; }
};

// Runs the plan on every port at once; `shown` is called on the calling
// thread about every `refreshMs` with the runs as they stand, and once at the
// end. The runs in the order of the ports.
std::vector<PortRun>
downloadEverywhere(const QStringList &ports, const LinkOptions &options,
                   const std::vector<RegistrationMessage> &plan,
                   const std::function<void(const std::vector<PortRun> &)> &shown,
                   int refreshMs = 200);

// "PORT: message 12 of 95", "PORT: download complete: …", "PORT: opening".
QString portLine(const PortRun &run);

// The summary as JSON: [{"port", "done", "sent", "messages", "status", "text"}].
QByteArray runsJson(const std::vector<PortRun> &runs);

} // namespace zevo3::cli
