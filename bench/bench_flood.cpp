// A flood of numbered CR LF lines from the simulated unit into the real main
// window on the offscreen platform. Lines are counted where the log takes
// them (Link::lineReceived) and checked for order; a 1 ms precise timer on the
// GUI thread records the longest gap between its ticks, the event loop's
// longest stall, while the flood runs.
//
//   bench_flood [--bytes 1048576]

#include "R_main.h"
#include "bench_common.h"
#include "prompter.h"
#include "qt_serial_device.h"
#include "sim_unit.h"
#include "stall_meter.h"
#include "text_codec.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>

using namespace zevo3;
using namespace zevo3::bench;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char *kBench = "flood";
constexpr int kVersionWaitMs = 5000;
constexpr int kQuietMs = 1000;
constexpr auto kNoProgressLimit = std::chrono::seconds(10);

// Records message boxes instead of showing them.
class RecordingPrompter : public Prompter {
public:
    QStringList texts;
    MsgAnswer ask(QWidget *, const QString &text, const QString &, MsgIcon,
                  MsgButtons buttons) override {
        texts.append(text);
        return buttons == MsgButtons::YesNo      ? MsgAnswer::No
               : buttons == MsgButtons::OkCancel ? MsgAnswer::Cancel
                                                 : MsgAnswer::Ok;
    }
    std::optional<FileChoice> openFile(QWidget *, const FileDialogSetup &) override { return {}; }
    std::optional<FileChoice> saveFile(QWidget *, const FileDialogSetup &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
};

// "LINE 000123 ..." -> 123; -1 for any other line.
long lineNumber(const QByteArray &line) {
    if (!line.startsWith("LINE ") || line.size() < 11) return -1;
    bool ok = false;
    const long n = line.mid(5, 6).toLong(&ok);
    return ok ? n : -1;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long bytes = optionNumber(argc, argv, "--bytes", 1L << 20);

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_flood: no temporary directory\n");
        return 1;
    }
    SimUnit sim;
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "bench_flood: cannot start the simulated unit: %s\n",
                     qPrintable(error));
        return 1;
    }

    QtSerialDevice device;
    AppObjects objects(device, dir.filePath(QStringLiteral("zevo3tool.ini")));
    objects.portOverride = toCp932(sim.devicePath());
    objects.settingsReadOnly = true;
    RecordingPrompter prompter;
    TfrmMain w(objects, prompter);
    w.show();

    // Counting and order, where the log takes the lines.
    const QByteArray data = SimUnit::floodData(bytes);
    const long sent = long(data.count('\n'));
    long received = 0, outOfOrder = 0, lastNumber = 0, firstBad = -1;
    bool versionSeen = false;
    Clock::time_point floodStart{}, firstLine{}, lastLine{};
    QEventLoop loop;
    QObject::connect(&objects.link, &Link::lineReceived, [&](const QByteArray &line) {
        if (line.contains("ZEVO3")) {
            versionSeen = true;
            loop.quit();
            return;
        }
        const long n = lineNumber(line);
        if (n < 0) return;
        lastLine = Clock::now();
        if (received == 0) firstLine = lastLine;
        ++received;
        if (n != lastNumber + 1) {
            ++outOfOrder;
            if (firstBad < 0) firstBad = received;
        }
        lastNumber = n;
        if (received >= sent) loop.quit();
    });

    // Time limits are timers of their own, stopped after use: a pending
    // single shot would end a later wait early.
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(kVersionWaitMs);
    loop.exec();
    limit.stop();
    if (!objects.link.portOpen() || !versionSeen) {
        std::fprintf(stderr, "bench_flood: the unit did not answer (port %s)\n",
                     objects.link.portOpen() ? "open" : "closed");
        return 1;
    }

    // The same meter over a quiet second, for comparison.
    zevo3::bench::StallMeter meter;
    meter.start();
    limit.start(kQuietMs);
    loop.exec();
    meter.stop();
    limit.stop();
    const double quietMax = meter.maxMs();

    // The flood. A watchdog ends the run when lines stop coming.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        const auto since = received ? lastLine : floodStart;
        if (Clock::now() - since > kNoProgressLimit) loop.quit();
    });
    watchdog.start(200);
    meter.start();
    floodStart = Clock::now();
    sim.sendRaw(data);
    loop.exec();
    meter.stop();
    watchdog.stop();
    const auto end = received ? lastLine : Clock::now();

    const double total = std::chrono::duration<double>(end - floodStart).count();
    const double toFirst =
        received ? std::chrono::duration<double, std::milli>(firstLine - floodStart).count() : 0;
    const bool inOrder = outOfOrder == 0 && received > 0;
    const int logLines = w.logLineCount();
    const bool openAtEnd = objects.link.portOpen();
    const bool receiverAtEnd = objects.link.receiveRunning();
    const long long waitingAtEnd = openAtEnd ? device.bytesWaiting() : -1;
    objects.link.ClosePort();
    sim.stop();

    std::printf("bench_flood: %ld bytes in %ld lines into the main window\n", long(data.size()),
                sent);
    std::printf("lines received %ld of %ld, in order: %s", received, sent, inOrder ? "yes" : "no");
    if (firstBad >= 0) std::printf(" (first break at line %ld, %ld breaks)", firstBad, outOfOrder);
    std::printf("\ntotal %.3f s, first line after %.1f ms, %.0f lines/s, %.2f MB/s\n", total,
                toFirst, double(received) / total, double(data.size()) / total / 1e6);
    std::printf("event loop: %zu ticks, longest stall %.1f ms, p99 gap %.2f ms, "
                "gaps over 16 ms: %ld, over 50 ms: %ld (quiet second before: %.1f ms)\n",
                meter.ticks(), meter.maxMs(), meter.percentileMs(99), meter.over(16),
                meter.over(50), quietMax);
    std::printf("log lines at the end: %d; message boxes: %lld\n", logLines,
                static_cast<long long>(prompter.texts.size()));
    if (received != sent)
        std::printf("at the end: port %s, receive thread %s, %lld bytes waiting in the port\n",
                    openAtEnd ? "open" : "closed", receiverAtEnd ? "running" : "ended",
                    waitingAtEnd);
    for (const QString &text : prompter.texts)
        std::printf("  message box: %s\n", qPrintable(text));

    summary(kBench, "total time, s", fixed(total, 3));
    summary(kBench, "lines/s", fixed(double(received) / total, 0));
    summary(kBench, "lines received / sent",
            std::to_string(received) + " / " + std::to_string(sent), "all");
    summary(kBench, "in order", inOrder ? "yes" : "no", "yes");
    summary(kBench, "longest stall, ms", fixed(meter.maxMs(), 1), "<= 50");
    return received == sent && inOrder ? 0 : 1;
}
