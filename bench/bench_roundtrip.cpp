// Send and acknowledgement round trips through the link: clear the flag, send
// one framed message, wait for the unit's 0x06. The real serial port and
// receive thread against the simulated unit on a pseudo-terminal, no widgets.
//
//   bench_roundtrip [--count 1000] [--message TEXT]

#include "bench_common.h"
#include "link.h"
#include "qt_serial_device.h"
#include "settings.h"
#include "sim_unit.h"
#include "text_codec.h"
#include "tick_clock.h"

#include <QCoreApplication>

#include <chrono>
#include <numeric>

using namespace zevo3;
using namespace zevo3::bench;

namespace {

constexpr const char *kBench = "roundtrip";
constexpr uint32_t kAckTimeoutMs = 1000;
constexpr int kWarmUp = 20;

class CountingObserver : public LinkObserver {
public:
    int lines = 0;
    int warnings = 0;
    QByteArray lastLine;

    void showPortStatus(const QString &) override {}
    void showNotice(const QString &) override {}
    void showWarning(const QString &text, const QString &) override {
        ++warnings;
        std::fprintf(stderr, "bench_roundtrip: warning: %s\n", qPrintable(text));
    }
    void appendLogLine(const QByteArray &line) override {
        ++lines;
        lastLine = line;
    }
};

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const long count = optionNumber(argc, argv, "--count", 1000);
    const QByteArray message = option(argc, argv, "--message", "Kw:01,01,--,--,--,--,--,--,--");

    SimUnit sim;
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "bench_roundtrip: cannot start the simulated unit: %s\n",
                     qPrintable(error));
        return 1;
    }

    ComSettings com;
    com.PortName = toCp932(sim.devicePath());
    QtSerialDevice device;
    SteadyTickClock clock;
    Link link(device, com, clock);
    CountingObserver observer;
    link.setObserver(&observer);
    if (!link.OpenPort(true)) {
        std::fprintf(stderr, "bench_roundtrip: cannot open %s\n", qPrintable(sim.devicePath()));
        return 1;
    }

    // The unit's version line proves the receive path before timing starts.
    link.clearAck();
    link.SendMessage("Version");
    const bool versionSeen = link.WaitForAck(kAckTimeoutMs) && observer.lastLine.contains("ZEVO3");
    std::printf("bench_roundtrip: %s, version answer: %s\n", qPrintable(sim.devicePath()),
                versionSeen ? observer.lastLine.constData() : "none");

    auto roundTrip = [&] {
        link.clearAck();
        link.SendMessage(message);
        return link.WaitForAck(kAckTimeoutMs);
    };
    for (int i = 0; i < kWarmUp; ++i)
        roundTrip();

    std::vector<double> us;
    us.reserve(std::size_t(count));
    long timeouts = 0;
    const auto runStart = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const bool acked = roundTrip();
        const auto t1 = std::chrono::steady_clock::now();
        if (!acked) ++timeouts;
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    const double runSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - runStart).count();
    link.ClosePort();
    const int received = sim.messageCount();
    sim.stop();

    std::vector<double> sorted = us;
    std::sort(sorted.begin(), sorted.end());
    const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / double(count);
    const auto over = [&](double limit) {
        return std::count_if(sorted.begin(), sorted.end(), [&](double v) { return v > limit; });
    };

    std::printf("%ld round trips of \"%s\" in %.3f s (%.0f/s), %ld without acknowledgement\n",
                count, message.constData(), runSeconds, double(count) / runSeconds, timeouts);
    std::printf("messages the unit received: %d (expected %ld)\n", received, count + kWarmUp + 1);
    std::printf("min %.1f  median %.1f  mean %.1f  p90 %.1f  p99 %.1f  p99.9 %.1f  max %.1f us\n",
                sorted.front(), percentile(sorted, 50), mean, percentile(sorted, 90),
                percentile(sorted, 99), percentile(sorted, 99.9), sorted.back());
    std::printf("over 1 ms: %ld, over 5 ms: %ld\n", long(over(1000)), long(over(5000)));

    summary(kBench, "median, us", fixed(percentile(sorted, 50), 1), "< 1000");
    summary(kBench, "p90, us", fixed(percentile(sorted, 90), 1));
    summary(kBench, "p99, us", fixed(percentile(sorted, 99), 1), "< 5000");
    summary(kBench, "max, us", fixed(sorted.back(), 1));
    summary(kBench, "without acknowledgement", std::to_string(timeouts), "0");
    return versionSeen && received == count + kWarmUp + 1 ? 0 : 1;
}
