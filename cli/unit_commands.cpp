// zevo3 version, send, fire, download and search: the unit on the serial
// port (or the simulated one), through the link as the window uses it.

#include "cli_output.h"
#include "commands.h"
#include "device_commands.h"
#include "exit_status.h"
#include "file_check.h"
#include "parallel_download.h"
#include "table_input.h"
#include "transmit_messages.h"

#include <QCoreApplication>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace zevo3::cli {

namespace {

Streams terminalStreams() {
    Streams streams;
    streams.out = [](const QByteArray &line) { writeLine(stdout, line); };
    streams.err = [](const QByteArray &line) { writeLine(stderr, line); };
    return streams;
}

// --ini, --port, --simulate and --sim-log; empty when they go together.
QString readLinkOptions(const Invocation &call, LinkOptions *link) {
    link->iniPath = call.isSet(QStringLiteral("ini"))
                        ? call.value(QStringLiteral("ini"))
                        : defaultSettingsPath(QCoreApplication::applicationFilePath());
    link->port = call.value(QStringLiteral("port"));
    link->simulate = call.isSet(QStringLiteral("simulate"));
    link->simLog = call.value(QStringLiteral("sim-log"));
    if (call.isSet(QStringLiteral("sim-log")) && !link->simulate)
        return QStringLiteral("--sim-log goes with --simulate");
    if (link->simulate && call.isSet(QStringLiteral("port")))
        return QStringLiteral("--port and --simulate exclude each other");
    return {};
}

// The link options and --wait of a command that sends and then listens.
struct UnitArgs {
    LinkOptions link;
    int waitMs = kDefaultWaitMs;
};

std::optional<UnitArgs> readUnitArgs(const Invocation &call) {
    UnitArgs args;
    const QString bad = readLinkOptions(call, &args.link);
    if (!bad.isEmpty()) {
        call.usage(bad);
        return std::nullopt;
    }
    if (call.isSet(QStringLiteral("wait"))) {
        const std::optional<int> wait =
            wholeNumber(call.value(QStringLiteral("wait")), 0, 3600 * 1000);
        if (!wait) {
            call.usage(QStringLiteral("--wait: milliseconds, not \"%1\"")
                           .arg(call.value(QStringLiteral("wait"))));
            return std::nullopt;
        }
        args.waitMs = *wait;
    }
    return args;
}

// Every --port given and the ports of --ports, in their order, each once.
QStringList portList(const Invocation &call) {
    QStringList ports;
    for (const QString &port : call.values(QStringLiteral("port")))
        if (!port.trimmed().isEmpty() && !ports.contains(port.trimmed())) ports << port.trimmed();
    for (const QString &port : call.value(QStringLiteral("ports")).split(QLatin1Char(',')))
        if (!port.trimmed().isEmpty() && !ports.contains(port.trimmed())) ports << port.trimmed();
    return ports;
}

// The progress of several ports on standard error: a line a port, drawn
// again in place on a terminal; elsewhere a port's line when it has moved
// on by ten messages or ended.
class PortProgress {
public:
    void show(const std::vector<PortRun> &runs) {
        if (terminal_) {
            QByteArray text;
            if (drawn_) text += "\x1b[" + QByteArray::number(drawn_) + "A";
            for (const PortRun &run : runs)
                text += "\r\x1b[2K" + portLine(run).toUtf8() + "\n";
            std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
            std::fflush(stderr);
            drawn_ = int(runs.size());
            return;
        }
        shown_.resize(runs.size(), -1);
        for (size_t i = 0; i < runs.size(); ++i) {
            const PortRun &run = runs[i];
            const int step = run.text.isEmpty() ? run.sent / 10 : 1 << 20;
            if (step == shown_[i]) continue;
            shown_[i] = step;
            writeLine(stderr, portLine(run).toUtf8());
        }
    }

private:
    bool terminal_ = ::isatty(::fileno(stderr)) == 1;
    int drawn_ = 0;
    std::vector<int> shown_;
};

// The summary of several ports: each port's last word (already on standard
// error as it came), how many took everything, and with --json the runs on
// standard output. 0 only when every port did.
int summarise(const Invocation &call, const std::vector<PortRun> &runs) {
    int done = 0;
    for (const PortRun &run : runs)
        done += run.done() ? 1 : 0;
    tell(QStringLiteral("%1 of %2 units took everything").arg(done).arg(runs.size()));
    if (call.isSet(QStringLiteral("json")) && !writeOut(runsJson(runs))) return cannotWriteOut();
    return done == int(runs.size()) ? kDone : kNoAnswer;
}

int downloadToPorts(const Invocation &call, const LinkOptions &link,
                    const std::vector<RegistrationMessage> &plan, const QStringList &ports) {
    PortProgress progress;
    return summarise(
        call, downloadEverywhere(ports, link, plan, [&progress](const std::vector<PortRun> &now) {
            progress.show(now);
        }));
}

// A port list for version and fire: nullopt for one port (the command as
// it was), or the ports; bad usage is said and gives *status.
std::optional<QStringList> severalPorts(const Invocation &call, const UnitArgs &args, int *status) {
    const QStringList ports = portList(call);
    if (ports.size() <= 1 && !call.isSet(QStringLiteral("ports"))) {
        if (call.isSet(QStringLiteral("json")))
            *status =
                call.usage(QStringLiteral("%1: --json goes with several ports").arg(call.command));
        return std::nullopt;
    }
    if (args.link.simulate)
        *status = call.usage(QStringLiteral("--simulate goes with one unit, not with a port list"));
    else if (ports.isEmpty())
        *status = call.usage(QStringLiteral("--ports: no port named"));
    else
        return ports;
    return std::nullopt;
}

// What shows each port's last word on standard error once it is done.
std::function<void(const std::vector<PortRun> &)> endsSayer() {
    return [said = std::vector<bool>()](const std::vector<PortRun> &runs) mutable {
        said.resize(runs.size(), false);
        for (size_t i = 0; i < runs.size(); ++i)
            if (!runs[i].running && !runs[i].text.isEmpty() && !said[i]) {
                said[i] = true;
                writeLine(stderr, portLine(runs[i]).toUtf8());
            }
    };
}

// Opens the link and sends the messages as the console does.
int sendAll(const UnitArgs &args, const std::vector<QByteArray> &messages) {
    const Streams streams = terminalStreams();
    DeviceSession session(streams);
    if (!session.open(args.link)) return kCannot;
    return sendCommand(session, messages, args.waitMs);
}

int version(const Invocation &call) {
    if (!call.args.isEmpty()) return call.usage(QStringLiteral("version takes no arguments"));
    const std::optional<UnitArgs> args = readUnitArgs(call);
    if (!args) return kCannot;
    int status = kDone;
    const std::optional<QStringList> ports = severalPorts(call, *args, &status);
    if (status != kDone) return status;
    if (ports) {
        const PortWork work = [](DeviceSession &session, PortRun &, std::mutex &) {
            return versionCommand(session);
        };
        return summarise(call, runEverywhere(*ports, args->link, work, endsSayer()));
    }
    const Streams streams = terminalStreams();
    DeviceSession session(streams);
    if (!session.open(args->link)) return kCannot;
    return versionCommand(session);
}

int send(const Invocation &call) {
    if (call.args.isEmpty()) return call.usage(QStringLiteral("send: no text given"));
    const std::optional<UnitArgs> args = readUnitArgs(call);
    if (!args) return kCannot;
    return sendAll(*args, consoleMessages(call.args));
}

// What fire sends: the code number and a frame count, or the table row's
// description and its Frames cell. Empty (and said) when nothing can go.
std::optional<std::vector<QByteArray>> fireMessagesOf(const Invocation &call, int row) {
    const QString tablePath = call.value(QStringLiteral("table"));
    std::optional<int> frames;
    if (call.isSet(QStringLiteral("frames"))) {
        frames = wholeNumber(call.value(QStringLiteral("frames")), 0, 999);
        if (!frames) {
            call.usage(QStringLiteral("--frames: a frame count 0 to 999, not \"%1\"")
                           .arg(call.value(QStringLiteral("frames"))));
            return std::nullopt;
        }
    }
    if (!call.isSet(QStringLiteral("table"))) return fireMessages(row, frames.value_or(3));
    if (frames) {
        call.usage(QStringLiteral("fire: --frames goes with a code number, not with --table (the "
                                  "table row's Frames cell is sent)"));
        return std::nullopt;
    }
    const Streams streams = terminalStreams();
    const std::optional<TableInput> in = readTableInput(tablePath, false, streams);
    if (!in) return std::nullopt;
    std::vector<QByteArray> messages = FiringTestMessages(*in->table, row, true);
    if (messages.empty()) {
        streams.say(QStringLiteral("row %1 of %2 has no Carry text: nothing to fire")
                        .arg(row)
                        .arg(tablePath));
        return std::nullopt;
    }
    return messages;
}

int fire(const Invocation &call) {
    if (call.args.size() != 1) return call.usage(QStringLiteral("fire: give one code number"));
    const std::optional<int> row = wholeNumber(call.args[0], 1, CodeTable::kRows);
    if (!row)
        return call.usage(QStringLiteral("fire: the code number is 1 to %1, not \"%2\"")
                              .arg(CodeTable::kRows)
                              .arg(call.args[0]));
    const std::optional<UnitArgs> args = readUnitArgs(call);
    if (!args) return kCannot;
    const std::optional<std::vector<QByteArray>> messages = fireMessagesOf(call, *row);
    if (!messages) return kCannot;
    int status = kDone;
    const std::optional<QStringList> ports = severalPorts(call, *args, &status);
    if (status != kDone) return status;
    if (ports) {
        const int waitMs = args->waitMs;
        const PortWork work = [&messages, waitMs](DeviceSession &session, PortRun &, std::mutex &) {
            return sendCommand(session, *messages, waitMs);
        };
        return summarise(call, runEverywhere(*ports, args->link, work, endsSayer()));
    }
    return sendAll(*args, *messages);
}

int download(const Invocation &call) {
    if (call.args.size() != 1) return call.usage(QStringLiteral("download: give one table file"));
    const std::optional<UnitArgs> args = readUnitArgs(call);
    if (!args) return kCannot;
    const Streams streams = terminalStreams();
    const QString &tablePath = call.args[0];
    const std::optional<TableInput> in = readTableInput(tablePath, true, streams);
    if (!in) return kCannot;
    // Cells the unit's key rows cannot carry are refused before the port is
    // opened, not sent as they come out.
    const std::vector<Finding> cells = layoutSendProblems(in->layout, layoutPathFor(tablePath));
    if (!cells.empty()) {
        for (const Finding &finding : cells)
            say(finding.text());
        tell(QStringLiteral("download: the layout holds %1 cell(s) that are not codes of the "
                            "table; nothing sent")
                 .arg(cells.size()));
        return kNoAnswer;
    }
    const std::vector<RegistrationMessage> plan = RegistrationPlan(*in->table, in->layout);
    if (call.isSet(QStringLiteral("dry-run"))) return downloadDryRun(plan, streams);
    const QStringList ports = portList(call);
    if (ports.size() > 1 || call.isSet(QStringLiteral("ports"))) {
        if (args->link.simulate)
            return call.usage(
                QStringLiteral("--simulate goes with one unit, not with a port list"));
        if (ports.isEmpty()) return call.usage(QStringLiteral("--ports: no port named"));
        return downloadToPorts(call, args->link, plan, ports);
    }
    if (call.isSet(QStringLiteral("json")))
        return call.usage(QStringLiteral("download: --json goes with several ports"));
    DeviceSession session(streams);
    if (!session.open(args->link)) return kCannot;
    return downloadCommand(session, plan);
}

// The ports --ports names, blanks around them dropped.
QStringList namedPorts(const QString &list) {
    QStringList names;
    for (const QString &name : list.split(QLatin1Char(',')))
        if (!name.trimmed().isEmpty()) names << name.trimmed();
    return names;
}

int search(const Invocation &call) {
    if (!call.args.isEmpty())
        return call.usage(QStringLiteral("search takes no arguments (--ports)"));
    const std::optional<UnitArgs> args = readUnitArgs(call);
    if (!args) return kCannot;
    const bool listed = call.isSet(QStringLiteral("ports"));
    const QStringList ports = namedPorts(call.value(QStringLiteral("ports")));
    // An empty list is not "every port": that would write to ports the
    // caller left out.
    if (listed && ports.isEmpty())
        return call.usage(QStringLiteral("--ports: no port named in \"%1\"")
                              .arg(call.value(QStringLiteral("ports"))));
    const Streams streams = terminalStreams();
    DeviceSession session(streams);
    if (!session.prepare(args->link)) return kCannot;
    std::vector<PortCandidate> candidates;
    for (const QString &name : ports)
        candidates.push_back({name, QString()});
    if (!listed) {
        candidates = SystemPortLister().candidates();
        if (!session.simulatedPort().isEmpty())
            candidates.push_back({session.simulatedPort(), QStringLiteral("simulated unit")});
    }
    return searchCommand(session, candidates);
}

} // namespace

std::vector<CommandEntry> unitCommands() {
    using Kind = CommandEntry::Kind;
    const QStringList link = {QStringLiteral("port"), QStringLiteral("simulate"),
                              QStringLiteral("sim-log"), QStringLiteral("wait")};
    return {
        {QStringLiteral("version"), Kind::Unit, QStringLiteral("version [--ports P1,P2,...]"),
         QStringLiteral("  version         sends \"Version\" and prints the answer for 500 ms "
                        "(several\n"
                        "                  --port or --ports: each unit at once, its lines after "
                        "its port)\n"),
         link + QStringList{QStringLiteral("ports"), QStringLiteral("json")}, version},
        {QStringLiteral("send"), Kind::Unit, QStringLiteral("send TEXT..."),
         QStringLiteral(
             "  send TEXT...    sends each text as the console does; prints for --wait ms\n"),
         link, send},
        {QStringLiteral("fire"), Kind::Unit, QStringLiteral("fire N [--frames F | --table TABLE]"),
         QStringLiteral(
             "  fire N          fires code N: \"Twl:%03d\", \"Twf:%03d\" (--frames, default 3)\n"
             "  fire N --table TABLE\n"
             "                  sends row N's timing description and \"Tf:\" with its Frames "
             "cell\n"
             "                  (several --port or --ports: every unit at once)\n"),
         link + QStringList{QStringLiteral("frames"), QStringLiteral("table"),
                            QStringLiteral("ports"), QStringLiteral("json")},
         fire},
        {QStringLiteral("download"), Kind::Unit,
         QStringLiteral("download TABLE [--port P ...] [--ports P1,P2,...] [--json]"),
         QStringLiteral(
             "  download TABLE  registers the layout (TABLE's .ZV3 file) and the table's codes "
             "in\n"
             "                  the unit, each message acknowledged; progress on standard "
             "error\n"
             "                  (several --port, or --ports: every unit at once, a line a "
             "port,\n"
             "                  and a summary; --json: the summary on standard output)\n"),
         link + QStringList{QStringLiteral("dry-run"), QStringLiteral("ports"),
                            QStringLiteral("json")},
         download},
        {QStringLiteral("search"), Kind::Unit, QStringLiteral("search [--ports P1,P2,...]"),
         QStringLiteral(
             "  search          the port search of the settings dialog over the system's "
             "ports\n"
             "                  (or --ports P1,P2,...): each port and what became of it\n"),
         link + QStringList{QStringLiteral("ports")}, search},
    };
}

} // namespace zevo3::cli
