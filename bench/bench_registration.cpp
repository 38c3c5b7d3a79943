// The download of a full layout with 70 codes (16 pattern entries and 64
// pattern codes each) into the simulated unit, three ways:
//
//  (a) instant acknowledgements, the unit in a process of its own: wall time
//      and the tool's own CPU time (both threads) per acknowledged message;
//  (b) both directions paced at 57600 bit/s: the total against the bound
//      the bytes on the line set (every framed message and every 0x06),
//      and the messages that took more than 1 ms over their share of it;
//  (c) as (a) through the layout window's "ZEVO3 登録": the longest gap in
//      the GUI thread's event processing while it runs.
//
//   bench_registration [--rounds 3]

#include "R_layout.h"
#include "R_main.h"
#include "R_msgbox.h"
#include "R_wave.h"
#include "R_waveedit.h"
#include "bench_common.h"
#include "framing.h"
#include "layout_file.h"
#include "link.h"
#include "prompter.h"
#include "qt_serial_device.h"
#include "registration.h"
#include "save_file.h"
#include "sim_unit.h"
#include "stall_meter.h"
#include "table_file.h"
#include "text_codec.h"
#include "tick_clock.h"
#include "tool_windows.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <ctime>

using namespace zevo3;
using namespace zevo3::bench;

namespace {

constexpr const char *kBench = "registration";
constexpr int kLineRate = 57600;
using Clock = std::chrono::steady_clock;

std::unique_ptr<CodeTable> fullTable() {
    auto table = std::make_unique<CodeTable>();
    for (int row = 1; row <= CodeTable::kRows; ++row) {
        table->setCell(row, 1, "38.0kHz");
        table->setCell(row, 2, "3");
        WaveInfo &info = table->waveInfo(row);
        info.Carry = 380;
        info.DataBits = 64;
        info.RepeatBit = 1;
        for (int i = 0; i < WaveInfo::kPatterns; ++i) {
            info.High[size_t(i)] = 300 + i * 7 + row;
            info.Width[size_t(i)] = 600 + i * 13 + row;
        }
        for (int i = 0; i < info.DataBits; ++i)
            info.Pcode[size_t(i)] = uint8_t((i * 5 + row) % 16);
    }
    return table;
}

LayoutData fullLayout() {
    LayoutData layout;
    int code = 0;
    for (int r = 1; r <= LayoutData::kRows; ++r)
        for (int c = 1; c <= LayoutData::kColumns; ++c) {
            code = code % CodeTable::kRows + 1;
            layout.setCell(r, c, QByteArray::number(code).rightJustified(3, '0') + "(F03:W01)");
        }
    return layout;
}

class NullObserver : public LinkObserver {
public:
    void showPortStatus(const QString &) override {}
    void showNotice(const QString &) override {}
    void showWarning(const QString &text, const QString &) override {
        std::fprintf(stderr, "bench_registration: warning: %s\n", qPrintable(text));
    }
    void appendLogLine(const QByteArray &) override {}
};

class YesPrompter : public Prompter {
public:
    QStringList texts;
    MsgAnswer ask(QWidget *, const QString &text, const QString &, MsgIcon,
                  MsgButtons buttons) override {
        texts.append(text);
        return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    std::optional<FileChoice> openFile(QWidget *, const FileDialogSetup &) override { return {}; }
    std::optional<FileChoice> saveFile(QWidget *, const FileDialogSetup &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
};

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct RunResult {
    RegistrationOutcome outcome;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    std::vector<double> messageUs; // each message from send to acknowledgement
};

// The registration as zevo3 download runs it, on a link to `port`.
RunResult registerOn(const QString &port, const std::vector<RegistrationMessage> &plan) {
    ComSettings com;
    com.PortName = toCp932(port);
    QtSerialDevice device;
    SteadyTickClock clock;
    Link link(device, com, clock);
    NullObserver observer;
    link.setObserver(&observer);
    RunResult result;
    if (!link.OpenPort(true)) {
        std::fprintf(stderr, "bench_registration: cannot open %s\n", qPrintable(port));
        result.outcome.end = RegistrationEnd::Stopped;
        return result;
    }
    RegistrationHooks hooks;
    // As zevo3 download sends each message, the step that takes in a late
    // answer first included.
    hooks.sendAndWait = [&link, &result](const RegistrationMessage &m) {
        const auto t = Clock::now();
        link.absorbPendingInput();
        link.clearAck();
        link.SendMessage(m.text);
        const bool acknowledged = link.WaitForAck(kRegistrationAckMs);
        result.messageUs.push_back(
            std::chrono::duration<double, std::micro>(Clock::now() - t).count());
        return acknowledged;
    };
    result.messageUs.reserve(plan.size());
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    result.outcome = RunRegistration(plan, hooks);
    result.wallSeconds = std::chrono::duration<double>(Clock::now() - t0).count();
    result.cpuSeconds = cpuSeconds() - cpu0;
    link.ClosePort();
    return result;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long rounds = optionNumber(argc, argv, "--rounds", 3);

    const std::unique_ptr<CodeTable> table = fullTable();
    const LayoutData layout = fullLayout();
    const std::vector<RegistrationMessage> plan = RegistrationPlan(*table, layout);
    const int messages = int(plan.size());
    // Bytes on the line: every message with the default framing (CR LF),
    // and one 0x06 for each.
    const ComSettings defaults;
    long lineBytes = 0;
    for (const RegistrationMessage &m : plan)
        lineBytes += long(frameMessage(defaults, m.text).size()) + 1;
    const double boundSeconds = double(lineBytes) * 10.0 / kLineRate;
    std::printf("bench_registration: %d messages (15 key rows, 70 codes of %d), %ld bytes on "
                "the line with the acknowledgements\n",
                messages, (messages - 15) / 70, lineBytes);

    // (a) Instant acknowledgements from a unit in its own process, so that
    // this process's CPU time is the tool's alone.
    QProcess simProcess;
    simProcess.start(QStringLiteral(ZEVO3_SIM_PATH), {QStringLiteral("--quiet")});
    if (!simProcess.waitForStarted(10000) || !simProcess.waitForReadyRead(10000)) {
        std::fprintf(stderr, "bench_registration: the simulated unit did not start\n");
        return 1;
    }
    const QString simPort =
        QString::fromLocal8Bit(simProcess.readLine().trimmed()).section(QLatin1Char(' '), 0, 0);
    double bestWall = 1e9, bestCpu = 1e9;
    for (long round = 0; round < rounds; ++round) {
        const RunResult r = registerOn(simPort, plan);
        if (r.outcome.end != RegistrationEnd::Completed) {
            std::fprintf(stderr, "bench_registration: (a) stopped at message %d\n",
                         r.outcome.failed + 1);
            return 1;
        }
        std::printf("(a) round %ld: %.3f s wall, %.3f s CPU; %.1f us wall, %.1f us CPU per "
                    "acknowledged message\n",
                    round + 1, r.wallSeconds, r.cpuSeconds, r.wallSeconds * 1e6 / messages,
                    r.cpuSeconds * 1e6 / messages);
        bestWall = std::min(bestWall, r.wallSeconds);
        bestCpu = std::min(bestCpu, r.cpuSeconds);
    }
    simProcess.terminate();
    simProcess.waitForFinished(5000);

    // (b) Both directions at 57600 bit/s.
    SimOptions paced;
    paced.lineRate = kLineRate;
    paced.inLineRate = kLineRate;
    SimUnit pacedSim(paced);
    QString error;
    if (!pacedSim.start(&error)) {
        std::fprintf(stderr, "bench_registration: %s\n", qPrintable(error));
        return 1;
    }
    const RunResult b = registerOn(pacedSim.devicePath(), plan);
    const bool pacedComplete =
        b.outcome.end == RegistrationEnd::Completed && pacedSim.messageCount() == messages;
    pacedSim.stop();
    std::printf("(b) at %d bit/s: %.3f s against the bound of %.3f s (%.1f %%)%s\n", kLineRate,
                b.wallSeconds, boundSeconds, 100.0 * b.wallSeconds / boundSeconds,
                pacedComplete ? "" : "  INCOMPLETE");
    // Each message against its own share of the bound.
    std::vector<double> excess;
    for (size_t i = 0; i < b.messageUs.size() && i < plan.size(); ++i)
        excess.push_back(b.messageUs[i] - double(frameMessage(defaults, plan[i].text).size() + 1) *
                                              10e6 / kLineRate);
    // The tail: which messages took more than 1 ms over their line time.
    std::vector<size_t> slow;
    for (size_t i = 0; i < excess.size(); ++i)
        if (excess[i] > 1000) slow.push_back(i);
    std::printf("(b) messages more than 1 ms over their line time: %zu of %zu\n", slow.size(),
                excess.size());
    std::sort(slow.begin(), slow.end(), [&](size_t x, size_t y) { return excess[x] > excess[y]; });
    for (size_t k = 0; k < slow.size() && k < 5; ++k)
        std::printf("    message %zu (%s): %.0f us over\n", slow[k] + 1,
                    plan[slow[k]].text.left(16).constData(), excess[slow[k]]);
    const size_t slowCount = slow.size();
    std::sort(excess.begin(), excess.end());
    if (!excess.empty())
        std::printf("(b) time per message over its bytes' line time: min %.0f  median %.0f  p90 "
                    "%.0f  p99 %.0f  max %.0f us\n",
                    excess.front(), percentile(excess, 50), percentile(excess, 90),
                    percentile(excess, 99), excess.back());

    // (c) Through the layout window, instant acknowledgements.
    QTemporaryDir dir;
    const QString tablePath = dir.filePath(QStringLiteral("full.Csv"));
    saveFileAtomically(tablePath, WriteTableFile(*table));
    saveFileAtomically(layoutPathFor(tablePath), SaveLayoutFile(layout, layoutPathFor(tablePath)));
    SimUnit guiSim;
    if (!guiSim.start(&error)) {
        std::fprintf(stderr, "bench_registration: %s\n", qPrintable(error));
        return 1;
    }
    QtSerialDevice device;
    AppObjects objects(device, dir.filePath(QStringLiteral("zevo3tool.ini")));
    objects.portOverride = toCp932(guiSim.devicePath());
    objects.settingsReadOnly = true;
    YesPrompter prompter;
    ToolWindows windows(objects, prompter);
    TfrmMain &w = *windows.main;
    TfrmLayout &frmLayout = *windows.layout;
    w.show();
    if (!w.openTableFile(tablePath)) {
        std::fprintf(stderr, "bench_registration: cannot open the table\n");
        return 1;
    }
    guiSim.waitForMessages(1, 3000); // "Version"
    zevo3::bench::StallMeter meter;
    meter.start();
    const auto t0 = Clock::now();
    frmLayout.btnTableWrite->click();
    const double guiSeconds = std::chrono::duration<double>(Clock::now() - t0).count();
    meter.stop();
    const bool guiComplete = prompter.texts.contains(QStringLiteral("ダウンロード完了")) &&
                             guiSim.messageCount() == messages + 1;
    objects.link.ClosePort();
    guiSim.stop();
    std::printf("(c) through the layout window: %.3f s, %.1f us per message, longest event-loop "
                "stall %.2f ms%s\n",
                guiSeconds, guiSeconds * 1e6 / messages, meter.maxMs(),
                guiComplete ? "" : "  INCOMPLETE");

    summary(kBench, "(a) wall per acknowledged message, us", fixed(bestWall * 1e6 / messages, 1),
            "< 500");
    summary(kBench, "(a) tool CPU per acknowledged message, us", fixed(bestCpu * 1e6 / messages, 1),
            "< 500");
    summary(kBench, "(b) 57600 bit/s total / bound, %",
            fixed(100.0 * b.wallSeconds / boundSeconds, 1), "<= 105");
    summary(kBench, "(b) median time over the line time per message, us",
            fixed(excess.empty() ? 0.0 : percentile(excess, 50), 0));
    summary(kBench, "(b) messages more than 1 ms over their line time", std::to_string(slowCount));
    summary(kBench, "(c) GUI longest stall, ms", fixed(meter.maxMs(), 2), "< 50");
    return pacedComplete && guiComplete ? 0 : 1;
}
