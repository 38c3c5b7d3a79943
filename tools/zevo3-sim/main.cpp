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

} // namespace

int main(int argc, char *argv[]) {
    // Block SIGINT/SIGTERM before any thread exists so that only sigtimedwait() below
    // sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zevo3-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated ZEVO3 unit on a pseudo-terminal. Prints the device path (and the link\n"
        "path) on the first line of stdout, logs received messages to stderr and runs\n"
        "until SIGINT or SIGTERM."));
    parser.addHelpOption();
    const QCommandLineOption linkOpt(QStringLiteral("link"),
                                     QStringLiteral("Symlink to the device, kept across reopen."),
                                     QStringLiteral("PATH"));
    const QCommandLineOption noAckOpt(QStringLiteral("no-ack"),
                                      QStringLiteral("Never acknowledge Kw/Tw messages."));
    const QCommandLineOption ackLimitOpt(
        QStringLiteral("ack-limit"), QStringLiteral("Acknowledge only the first N Kw/Tw messages."),
        QStringLiteral("N"));
    const QCommandLineOption delayOpt(
        QStringLiteral("delay"), QStringLiteral("Delay before each answer."), QStringLiteral("MS"));
    const QCommandLineOption lineRateOpt(QStringLiteral("line-rate"),
                                         QStringLiteral("Pace output like a line at BPS bit/s."),
                                         QStringLiteral("BPS"));
    const QCommandLineOption garbageOpt(
        QStringLiteral("garbage"), QStringLiteral("Bytes sent before every answer, e.g. 1b5b."),
        QStringLiteral("HEX"));
    const QCommandLineOption hangUpOpt(QStringLiteral("hang-up-after"),
                                       QStringLiteral("Hang up after receiving N messages."),
                                       QStringLiteral("N"));
    const QCommandLineOption reopenOpt(QStringLiteral("reopen"),
                                       QStringLiteral("Open a new device after a hang-up."));
    const QCommandLineOption logOpt(QStringLiteral("log"),
                                    QStringLiteral("Append each received message to FILE."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption floodOpt(
        QStringLiteral("flood"),
        QStringLiteral("After the first message, send BYTES (k/M suffix) of numbered lines."),
        QStringLiteral("BYTES"));
    const QCommandLineOption quietOpt(QStringLiteral("quiet"),
                                      QStringLiteral("Do not echo received messages to stderr."));
    parser.addOptions({linkOpt, noAckOpt, ackLimitOpt, delayOpt, lineRateOpt, garbageOpt, hangUpOpt,
                       reopenOpt, logOpt, floodOpt, quietOpt});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]));

    zevo3::SimOptions options;
    auto intOption = [&](const QCommandLineOption &opt, int min) {
        const auto value = parseCount(parser.value(opt), min);
        if (!value)
            usageError(QStringLiteral("--%1 needs a whole number >= %2")
                           .arg(opt.names().constFirst())
                           .arg(min));
        return *value;
    };
    options.linkPath = parser.value(linkOpt);
    options.logPath = parser.value(logOpt);
    options.noAck = parser.isSet(noAckOpt);
    options.reopenAfterHangUp = parser.isSet(reopenOpt);
    if (parser.isSet(ackLimitOpt)) options.ackLimit = intOption(ackLimitOpt, 0);
    if (parser.isSet(delayOpt)) options.answerDelayMs = intOption(delayOpt, 0);
    if (parser.isSet(lineRateOpt)) options.lineRate = intOption(lineRateOpt, 10);
    if (parser.isSet(hangUpOpt)) options.hangUpAfter = intOption(hangUpOpt, 1);
    if (parser.isSet(garbageOpt)) {
        const auto bytes = parseHex(parser.value(garbageOpt));
        if (!bytes) usageError(QStringLiteral("--garbage needs an even number of hex digits"));
        options.garbage = *bytes;
    }
    qsizetype floodBytes = 0;
    if (parser.isSet(floodOpt)) {
        const auto bytes = parseSize(parser.value(floodOpt));
        if (!bytes) usageError(QStringLiteral("--flood needs a positive byte count"));
        floodBytes = *bytes;
    }

    zevo3::SimUnit *unitPtr = nullptr;
    std::atomic<bool> floodPending = floodBytes > 0;
    const bool quiet = parser.isSet(quietOpt);
    options.onMessage = [&](const QByteArray &msg) {
        if (!quiet) std::fprintf(stderr, "<- %s\n", printable(msg).constData());
        if (floodPending.exchange(false)) {
            std::fprintf(stderr, "zevo3-sim: sending %lld flood bytes\n", qlonglong(floodBytes));
            unitPtr->sendRaw(zevo3::SimUnit::floodData(floodBytes));
        }
    };

    zevo3::SimUnit unit(options);
    unitPtr = &unit;
    QString error;
    if (!unit.start(&error)) {
        std::fprintf(stderr, "zevo3-sim: %s\n", qPrintable(error));
        return 1;
    }
    if (options.linkPath.isEmpty())
        std::printf("%s\n", qPrintable(unit.devicePath()));
    else
        std::printf("%s %s\n", qPrintable(unit.devicePath()), qPrintable(options.linkPath));
    std::fflush(stdout);

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
    unit.stop();
    return 0;
}
