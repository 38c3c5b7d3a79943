// zevo3-sim: runs a simulated ZEVO3 unit on a pseudo-terminal until SIGINT/SIGTERM.
//
// The first line on stdout is the device path, followed by the link path when
// --link is given. Everything else goes to stderr.

#include "sim_unit.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <atomic>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

#include <pthread.h>

namespace {

std::optional<int> parseCount(const QString &text, int min) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min) return std::nullopt;
    return value;
}

// Byte count with an optional k or M suffix (1024-based).
std::optional<qsizetype> parseSize(QString text) {
    qsizetype scale = 1;
    if (text.endsWith(QLatin1Char('k'), Qt::CaseInsensitive)) {
        scale = 1024;
        text.chop(1);
    } else if (text.endsWith(QLatin1Char('M'))) {
        scale = 1024 * 1024;
        text.chop(1);
    }
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value <= 0 || value > (qlonglong(1) << 40) / scale) return std::nullopt;
    return qsizetype(value) * scale;
}

// Hex digits, optionally separated by spaces or colons: "1B 5B", "1b:5b", "1b5b".
std::optional<QByteArray> parseHex(const QString &text) {
    QByteArray digits;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char(':')) continue;
        if (c.unicode() > 0x7f || !std::isxdigit(static_cast<unsigned char>(c.toLatin1())))
            return std::nullopt;
        digits.append(c.toLatin1());
    }
    if (digits.isEmpty() || digits.size() % 2 != 0) return std::nullopt;
    return QByteArray::fromHex(digits);
}

QByteArray printable(const QByteArray &msg) {
    QByteArray text;
    for (const char c : msg) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7f && c != '\\')
            text.append(c);
        else
            text.append("\\x").append(QByteArray::number(u, 16).rightJustified(2, '0'));
    }
    return text;
}

[[noreturn]] void usageError(const QString &message) {
    std::fprintf(stderr, "zevo3-sim: %s\nTry 'zevo3-sim --help'.\n", qPrintable(message));
    std::exit(2);
}

// SIGINT and SIGTERM, blocked in the calling thread (and every thread it starts).
sigset_t blockStopSignals() {
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    return stopSignals;
}

// The command-line options, in the order --help lists them.
struct OptionSet {
    const QCommandLineOption link{QStringLiteral("link"),
                                  QStringLiteral("Symlink to the device, kept across reopen."),
                                  QStringLiteral("PATH")};
    const QCommandLineOption noAck{QStringLiteral("no-ack"),
                                   QStringLiteral("Never acknowledge Kw/Tw messages.")};
    const QCommandLineOption ackLimit{
        QStringLiteral("ack-limit"), QStringLiteral("Acknowledge only the first N Kw/Tw messages."),
        QStringLiteral("N")};
    const QCommandLineOption delay{
        QStringLiteral("delay"), QStringLiteral("Delay before each answer."), QStringLiteral("MS")};
    const QCommandLineOption lineRate{QStringLiteral("line-rate"),
                                      QStringLiteral("Pace output like a line at BPS bit/s."),
                                      QStringLiteral("BPS")};
    const QCommandLineOption garbage{QStringLiteral("garbage"),
                                     QStringLiteral("Bytes sent before every answer, e.g. 1b5b."),
                                     QStringLiteral("HEX")};
    const QCommandLineOption hangUp{QStringLiteral("hang-up-after"),
                                    QStringLiteral("Hang up after receiving N messages."),
                                    QStringLiteral("N")};
    const QCommandLineOption reopen{QStringLiteral("reopen"),
                                    QStringLiteral("Open a new device after a hang-up.")};
    const QCommandLineOption log{QStringLiteral("log"),
                                 QStringLiteral("Append each received message to FILE."),
                                 QStringLiteral("FILE")};
    const QCommandLineOption flood{
        QStringLiteral("flood"),
        QStringLiteral("After the first message, send BYTES (k/M suffix) of numbered lines."),
        QStringLiteral("BYTES")};
    const QCommandLineOption quiet{QStringLiteral("quiet"),
                                   QStringLiteral("Do not echo received messages to stderr.")};

    QList<QCommandLineOption> all() const {
        return {link, noAck, ackLimit, delay, lineRate, garbage, hangUp, reopen, log, flood, quiet};
    }
};

// What the command line asks for.
struct SimArguments {
    zevo3::SimOptions options;
    qsizetype floodBytes = 0;
    bool quiet = false;
};

// The value of a whole-number option; ends the program when it is not one of at least min.
int intOption(const QCommandLineParser &parser, const QCommandLineOption &opt, int min) {
    const auto value = parseCount(parser.value(opt), min);
    if (!value)
        usageError(QStringLiteral("--%1 needs a whole number >= %2")
                       .arg(opt.names().constFirst())
                       .arg(min));
    return *value;
}

// Reads the command line; --help and wrong arguments end the program.
SimArguments parseArguments(const QCoreApplication &app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated ZEVO3 unit on a pseudo-terminal. Prints the device path (and the link\n"
        "path) on the first line of stdout, logs received messages to stderr and runs\n"
        "until SIGINT or SIGTERM."));
    parser.addHelpOption();
    parser.addVersionOption();
    const OptionSet opts;
    parser.addOptions(opts.all());
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]));

    SimArguments args;
    zevo3::SimOptions &options = args.options;
    options.linkPath = parser.value(opts.link);
    options.logPath = parser.value(opts.log);
    options.noAck = parser.isSet(opts.noAck);
    options.reopenAfterHangUp = parser.isSet(opts.reopen);
    if (parser.isSet(opts.ackLimit)) options.ackLimit = intOption(parser, opts.ackLimit, 0);
    if (parser.isSet(opts.delay)) options.answerDelayMs = intOption(parser, opts.delay, 0);
    if (parser.isSet(opts.lineRate)) options.lineRate = intOption(parser, opts.lineRate, 10);
    if (parser.isSet(opts.hangUp)) options.hangUpAfter = intOption(parser, opts.hangUp, 1);
    if (parser.isSet(opts.garbage)) {
        const auto bytes = parseHex(parser.value(opts.garbage));
        if (!bytes) usageError(QStringLiteral("--garbage needs an even number of hex digits"));
        options.garbage = *bytes;
    }
    if (parser.isSet(opts.flood)) {
        const auto bytes = parseSize(parser.value(opts.flood));
        if (!bytes) usageError(QStringLiteral("--flood needs a positive byte count"));
        args.floodBytes = *bytes;
    }
    args.quiet = parser.isSet(opts.quiet);
    return args;
}

// The first line on stdout: the device path, and the link path when there is one.
void printDevicePath(const zevo3::SimUnit &unit, const QString &linkPath) {
    if (linkPath.isEmpty())
        std::printf("%s\n", qPrintable(unit.devicePath()));
    else
        std::printf("%s %s\n", qPrintable(unit.devicePath()), qPrintable(linkPath));
    std::fflush(stdout);
}

// Waits for SIGINT or SIGTERM, telling of every hang-up meanwhile.
void waitForStopSignal(const zevo3::SimUnit &unit, const sigset_t &stopSignals) {
    int hangUps = 0;
    for (;;) {
        const timespec tick{0, 100'000'000};
        const int sig = sigtimedwait(&stopSignals, nullptr, &tick);
        if (sig == SIGINT || sig == SIGTERM) break;
        if (const int n = unit.hangUpCount(); n != hangUps) {
            hangUps = n;
            if (unit.isConnected())
                std::fprintf(stderr, "zevo3-sim: hung up; reopened as %s\n",
                             qPrintable(unit.devicePath()));
            else
                std::fprintf(stderr, "zevo3-sim: hung up\n");
        }
    }
}

// Runs the unit until a stop signal: echoes each message and sends the flood
// after the first one.
int runUnit(SimArguments args, const sigset_t &stopSignals) {
    zevo3::SimUnit *unitPtr = nullptr;
    const qsizetype floodBytes = args.floodBytes;
    std::atomic<bool> floodPending = floodBytes > 0;
    const bool quiet = args.quiet;
    args.options.onMessage = [&](const QByteArray &msg) {
        if (!quiet) std::fprintf(stderr, "<- %s\n", printable(msg).constData());
        if (floodPending.exchange(false)) {
            std::fprintf(stderr, "zevo3-sim: sending %lld flood bytes\n", qlonglong(floodBytes));
            unitPtr->sendRaw(zevo3::SimUnit::floodData(floodBytes));
        }
    };

    zevo3::SimUnit unit(args.options);
    unitPtr = &unit;
    QString error;
    if (!unit.start(&error)) {
        std::fprintf(stderr, "zevo3-sim: %s\n", qPrintable(error));
        return 1;
    }
    printDevicePath(unit, args.options.linkPath);
    waitForStopSignal(unit, stopSignals);
    unit.stop();
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    // Block SIGINT/SIGTERM before any thread exists so that only sigtimedwait()
    // in waitForStopSignal() sees them.
    const sigset_t stopSignals = blockStopSignals();

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zevo3-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEVO3_VERSION));
    return runUnit(parseArguments(app), stopSignals);
}
