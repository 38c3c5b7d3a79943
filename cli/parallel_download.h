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
    bool opened = false; // the port is open (the run has begun)
    int sent = 0;        // messages gone out (and, in a download, answered) so far
    int total = 0;       // of the plan
    int status = kCannot;
    QString text;       // the last word: done, or where and why it stopped
    QStringList said;   // the session's warnings and notices, in their order
    QStringList answer; // what the unit said, when kept for the summary
    bool done() const { return status == kDone; }
};

// What a port's thread does with its open session; its status. `run` is
// that port's, to be changed only under `lock`.
using PortWork = std::function<int(DeviceSession &session, PortRun &run, std::mutex &lock)>;

using RunsShown = std::function<void(const std::vector<PortRun> &)>;

// How the runs report: `shown` is called on the calling thread about every
// `refreshMs` with the runs as they stand, and once at the end. What a
// unit says goes to standard output after its port, or into its run's
// `answer` with `keepAnswers` (standard output then holds the summary
// alone). The sessions' warnings go into `said`, for `shown` to print.
struct RunReporting {
    RunsShown shown;
    bool keepAnswers = false;
    int refreshMs = 200;
};

// Opens every port at once, each on its own thread with its own session,
// and does the work there. The runs in the order of the ports.
std::vector<PortRun> runEverywhere(const QStringList &ports, const LinkOptions &options,
                                   const PortWork &work, const RunReporting &reporting);

// The registration on every port at once, as runEverywhere does it.
std::vector<PortRun> downloadEverywhere(const QStringList &ports, const LinkOptions &options,
                                        const std::vector<RegistrationMessage> &plan,
                                        const RunReporting &reporting);

// zevo3 version on every port at once.
std::vector<PortRun> versionEverywhere(const QStringList &ports, const LinkOptions &options,
                                       const RunReporting &reporting);

// Sends the messages on every port at once as `zevo3 send` does, listening
// `waitMs` after them (zevo3 fire).
std::vector<PortRun> sendEverywhere(const QStringList &ports, const LinkOptions &options,
                                    const std::vector<QByteArray> &messages, int waitMs,
                                    const RunReporting &reporting);

// "PORT: message 12 of 95", "PORT: download complete: …", "PORT: opening".
QString portLine(const PortRun &run);

// The summary as JSON: [{"port", "done", "sent", "messages", "status", "text",
// "answer"}].
QByteArray runsJson(const std::vector<PortRun> &runs);

} // namespace zevo3::cli
