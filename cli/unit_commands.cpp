// zevo3 version, send, fire, download and search: the unit on the serial
// port (or the simulated one), through the link as the window uses it.

#include "cli_output.h"
#include "commands.h"
#include "device_commands.h"
#include "exit_status.h"
#include "file_check.h"
#include "parallel_download.h"
#include "port_progress.h"
#include "table_input.h"
#include "transmit_messages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <optional>

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

// The ports every --ports names, blanks around them dropped.
QStringList listedPorts(const Invocation &call) {
    QStringList names;
    for (const QString &list : call.values(QStringLiteral("ports")))
        for (const QString &name : list.split(QLatin1Char(',')))
            if (!name.trimmed().isEmpty()) names << name.trimmed();
    return names;
}

// The ports of a run on several units: every --port, then every port of
// each --ports, in their order, a port named twice (under the same name, or
// another for the same device) kept once, and said. `several` is how they
// were given: more than one port named, or --ports.
struct PortChoice {
    QStringList ports;
    bool several = false;
};

PortChoice portList(const Invocation &call) {
    QStringList named;
    for (const QString &port : call.values(QStringLiteral("port")))
        if (!port.trimmed().isEmpty()) named << port.trimmed();
    named << listedPorts(call);
    PortChoice choice;
    choice.several = named.size() > 1 || call.isSet(QStringLiteral("ports"));
    QStringList devices; // the device behind each port kept
    for (const QString &port : named) {
        const QString device = QFileInfo(port).canonicalFilePath();
        const QString key = device.isEmpty() ? port : device;
        const qsizetype earlier = devices.indexOf(key);
        if (earlier >= 0) {
            say(QStringLiteral("%1 is the same port as %2: used once")
                    .arg(port, choice.ports[earlier]));
            continue;
        }
        devices << key;
        choice.ports << port;
    }
    return choice;
}

// Said when a command of one port is given several.
int onePortOnly(const Invocation &call) {
    return call.usage(QStringLiteral("%1 takes one --port (several go with version, fire and "
                                     "download)")
                          .arg(call.command));
}

// The progress of several ports on standard error (see PortProgress).
RunReporting reporting(const Invocation &call, PortProgress &progress) {
    RunReporting how;
    how.keepAnswers = call.isSet(QStringLiteral("json"));
    how.shown = [&progress](const std::vector<PortRun> &now) { progress.show(now); };
    return how;
}

// The summary of several ports: each port's last word (already on standard
// error with its port), how many took everything, and with --json the runs on
// standard output. 0 only when every port did.
int summarise(const Invocation &call, const std::vector<PortRun> &runs) {
    int done = 0;
    for (const PortRun &run : runs)
        done += run.done() ? 1 : 0;
    tell(QStringLiteral("%1 of %2 units took everything").arg(done).arg(runs.size()));
    if (call.isSet(QStringLiteral("json")) && !writeOut(runsJson(runs))) return cannotWriteOut();
    return done == int(runs.size()) ? kDone : kNoAnswer;
}

// A port list for version, fire and download: nullopt for one port (the
// command as it was), or the ports; bad usage is said and gives *status.
std::optional<QStringList> severalPorts(const Invocation &call, const UnitArgs &args, int *status) {
    const PortChoice choice = portList(call);
    if (!choice.several) {
        if (call.isSet(QStringLiteral("json")))
            *status =
                call.usage(QStringLiteral("%1: --json goes with several ports").arg(call.command));
        return std::nullopt;
    }
    if (args.link.simulate)
        *status = call.usage(QStringLiteral("--simulate goes with one unit, not with a port list"));
    else if (choice.ports.isEmpty())
        *status = call.usage(QStringLiteral("--ports: no port named"));
    else
        return choice.ports;
    return std::nullopt;
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
        PortProgress progress = PortProgress::onStandardError(PortProgress::Lines::Ends);
        return summarise(call, versionEverywhere(*ports, args->link, reporting(call, progress)));
    }
    const Streams streams = terminalStreams();
    DeviceSession session(streams);
    if (!session.open(args->link)) return kCannot;
    return versionCommand(session);
}

int send(const Invocation &call) {
    if (call.args.isEmpty()) return call.usage(QStringLiteral("send: no text given"));
    if (call.values(QStringLiteral("port")).size() > 1) return onePortOnly(call);
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
        PortProgress progress = PortProgress::onStandardError(PortProgress::Lines::Ends);
        return summarise(call, sendEverywhere(*ports, args->link, *messages, args->waitMs,
                                              reporting(call, progress)));
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
    int status = kDone;
    const std::optional<QStringList> ports = severalPorts(call, *args, &status);
    if (status != kDone) return status;
    if (ports) {
        PortProgress progress = PortProgress::onStandardError(PortProgress::Lines::Moving);
        return summarise(call,
                         downloadEverywhere(*ports, args->link, plan, reporting(call, progress)));
    }
    DeviceSession session(streams);
    if (!session.open(args->link)) return kCannot;
    return downloadCommand(session, plan);
}

int search(const Invocation &call) {
    if (!call.args.isEmpty())
        return call.usage(QStringLiteral("search takes no arguments (--ports)"));
    const std::optional<UnitArgs> args = readUnitArgs(call);
    if (!args) return kCannot;
    const bool listed = call.isSet(QStringLiteral("ports"));
    if (call.values(QStringLiteral("port")).size() > 1) return onePortOnly(call);
    const QStringList ports = listedPorts(call);
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
    // --wait is how long send and fire listen; the others listen as long as
    // they must.
    const QStringList link = {QStringLiteral("port"), QStringLiteral("simulate"),
                              QStringLiteral("sim-log")};
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
         link + QStringList{QStringLiteral("wait")}, send},
        {QStringLiteral("fire"), Kind::Unit, QStringLiteral("fire N [--frames F | --table TABLE]"),
         QStringLiteral(
             "  fire N          fires code N: \"Twl:%03d\", \"Twf:%03d\" (--frames, default 3)\n"
             "  fire N --table TABLE\n"
             "                  sends row N's timing description and \"Tf:\" with its Frames "
             "cell\n"
             "                  (several --port or --ports: every unit at once)\n"),
         link + QStringList{QStringLiteral("wait"), QStringLiteral("frames"),
                            QStringLiteral("table"), QStringLiteral("ports"),
                            QStringLiteral("json")},
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
