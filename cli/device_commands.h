#pragma once
// The device commands of zevo3: the link as the window uses it (the settings
// file's line parameters and framing), a unit that answers on standard
// output, and what each command sends and how it decides its exit status.
// main() parses the command line; everything after that is here.

#include "code_table.h"
#include "exit_status.h"
#include "layout_data.h"
#include "link.h"
#include "port_search.h"
#include "registration.h"
#include "settings.h"
#include "table_document.h"
#include "table_input.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zevo3 {

class QtSerialDevice;
class SimUnit;
class SteadyTickClock;

namespace cli {

// The link's observer for a terminal: each received log line on `out`,
// warnings and notices on `err`, the port status kept for the caller.
class StreamObserver : public LinkObserver {
public:
    explicit StreamObserver(const Streams &streams) : streams_(streams) {}

    void showPortStatus(const QString &text) override { portStatus_ = text; }
    void showNotice(const QString &text) override;
    void showWarning(const QString &text, const QString &caption) override;
    void appendLogLine(const QByteArray &line) override;

    QString portStatus() const { return portStatus_; }
    // Lines received so far, and whether one held the model word.
    int linesSeen() const { return seen_; }
    bool modelWordSeen() const { return modelWord_; }

private:
    const Streams &streams_;
    QString portStatus_;
    int seen_ = 0;
    bool modelWord_ = false;
};

// The default settings file of zevo3: the window program's, beside zevo3.
QString defaultSettingsPath(const QString &zevo3Path);

struct LinkOptions {
    QString iniPath;
    QString port; // replaces PortName for this run when not empty
    bool simulate = false;
    QString simLog; // the simulated unit's received messages, one a line
};

// The link of one run: settings read (never written), the port opened with
// the receive thread, and closed again when the session ends.
class DeviceSession {
public:
    explicit DeviceSession(const Streams &streams);
    ~DeviceSession();
    DeviceSession(const DeviceSession &) = delete;
    DeviceSession &operator=(const DeviceSession &) = delete;

    // False (and said) when the simulated unit cannot start or the port
    // cannot be opened.
    bool open(const LinkOptions &options);
    // The settings, the simulated unit and the link, without opening the
    // port (the port search opens each candidate itself).
    bool prepare(const LinkOptions &options);
    ComSettings &settings() { return com_; }
    // The simulated unit's port, with --simulate.
    QString simulatedPort() const;
    Link &link() { return *link_; }
    const StreamObserver &observer() const { return observer_; }
    const Streams &streams() const { return streams_; }

    // Sends each text as the console does (framed, CP932). False when the
    // line failed meanwhile and the port was closed.
    bool send(const QByteArray &text);
    // How many sends went out on a sound line.
    int messagesSent() const { return sent_; }
    // Runs the event loop for `ms` so that received lines are printed.
    void listen(int ms);
    // After a line failure: lets the link say that it closed the port.
    void hearLineFailure();

private:
    const Streams &streams_;
    StreamObserver observer_;
    ComSettings com_;
    std::unique_ptr<SimUnit> sim_;
    std::unique_ptr<QtSerialDevice> device_;
    std::unique_ptr<SteadyTickClock> clock_;
    std::unique_ptr<Link> link_;
    int sent_ = 0;
};

// What the commands send, as handed to the send operation.
std::vector<QByteArray> consoleMessages(const QStringList &texts);
std::vector<QByteArray> fireMessages(int row, int frames); // "Twl:%03d", "Twf:%03d"

// The command bodies. Each returns the exit status.
int versionCommand(DeviceSession &session);
// The port search of the settings dialog over the candidates: each on
// standard output with what became of it; 0 when one answered, 1 otherwise.
int searchCommand(DeviceSession &session, const std::vector<PortCandidate> &candidates);
// Sends the messages one after the other without waits (empty ones are
// skipped, as the console skips an empty box), then prints what the unit
// says for `waitMs`.
int sendCommand(DeviceSession &session, const std::vector<QByteArray> &messages, int waitMs);
// Prints the messages of the registration, one a line, without a port.
int downloadDryRun(const std::vector<RegistrationMessage> &plan, const Streams &streams);
// Where a download reports, instead of the session's `err`: each message as
// it goes out, and the last word (done, or where and why it stopped).
struct DownloadReport {
    std::function<void(int message, int messages)> progress;
    std::function<void(int status, const QString &text)> end;
};

// The registration over the session's link, with "message i of n" on `err`
// (or to the report); the message not acknowledged is named on an abort.
int downloadCommand(DeviceSession &session, const std::vector<RegistrationMessage> &plan,
                    const DownloadReport *report = nullptr);

// How long `version` listens for the unit's answer.
inline constexpr int kVersionListenMs = 500;
inline constexpr int kDefaultWaitMs = 300;

} // namespace cli
} // namespace zevo3
