#pragma once
// The same layout and codes registered in the units on several ports at
// once: one thread and one link a port, so that one unit's failure (a
// hang-up, no acknowledgement, a port that cannot be opened) neither stops
// nor slows the others.

#include "device_commands.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <mutex>
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

// What a port's thread does with its open session; its status. `run` is
// that port's, to be changed only under `lock`.
using PortWork = std::function<int(DeviceSession &session, PortRun &run, std::mutex &lock)>;

// Opens every port at once, each on its own thread with its own session,
// and does the work there; `shown` is called on the calling thread about
// every `refreshMs` with the runs as they stand, and once at the end. The
// runs in the order of the ports. Each port's lines on standard output and
// standard error begin with its name.
std::vector<PortRun> runEverywhere(const QStringList &ports, const LinkOptions &options,
                                   const PortWork &work,
                                   const std::function<void(const std::vector<PortRun> &)> &shown,
                                   int refreshMs = 200);

// The registration on every port at once, as runEverywhere does it.
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
