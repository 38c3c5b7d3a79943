// The port search of the communication settings dialog over 100 silent
// ports (pseudo-terminals nobody answers on): the total time against the
// 100 ms each is given plus a second, and the dialog's event loop stalls
// meanwhile (its progress bar keeps repainting).

#include "R_com.h"
#include "bench_common.h"
#include "qt_serial_device.h"
#include "stall_meter.h"
#include "tick_clock.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

using namespace zevo3;

namespace {

struct SilentPort {
    int master = -1;
    QString slave;
    SilentPort() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
        slave = QString::fromLocal8Bit(ptsname(master));
    }
    ~SilentPort() {
        if (master >= 0) ::close(master);
    }
};

struct Ports : PortLister {
    std::vector<PortCandidate> list;
    std::vector<PortCandidate> candidates() const override { return list; }
};

class YesPrompter : public Prompter {
public:
    MsgAnswer ask(QWidget *, const QString &, const QString &, MsgIcon, MsgButtons) override {
        return MsgAnswer::Yes;
    }
    std::optional<FileChoice> openFile(QWidget *, const FileDialogSetup &) override { return {}; }
    std::optional<FileChoice> saveFile(QWidget *, const FileDialogSetup &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
};

class NullObserver : public LinkObserver {
public:
    void showPortStatus(const QString &) override {}
    void showNotice(const QString &) override {}
    void showWarning(const QString &, const QString &) override {}
    void appendLogLine(const QByteArray &) override {}
};

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long count = bench::optionNumber(argc, argv, "--ports", 100);

    std::vector<std::unique_ptr<SilentPort>> silent;
    Ports ports;
    for (long i = 0; i < count; ++i) {
        silent.push_back(std::make_unique<SilentPort>());
        if (silent.back()->slave.isEmpty()) {
            std::fprintf(stderr, "bench_port_search: no pseudo-terminal\n");
            return 1;
        }
        ports.list.push_back({silent.back()->slave, QString()});
    }

    QtSerialDevice device;
    ComSettings com;
    SteadyTickClock clock;
    Link link(device, com, clock);
    NullObserver observer;
    link.setObserver(&observer);
    YesPrompter prompter;
    TfrmCom dialog(com, link, prompter, ports);
    dialog.show();
    int repaints = 0;
    QObject::connect(dialog.prgBar, &QProgressBar::valueChanged, [&] { ++repaints; });

    bench::StallMeter meter;
    meter.start();
    const auto t0 = std::chrono::steady_clock::now();
    dialog.btnPortClick();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    meter.stop();
    const double bound = double(count) * kSearchAnswerMs / 1000.0 + 1.0;

    std::printf("bench_port_search: %ld silent ports in %.3f s (bound %.1f s); progress bar "
                "moved %d times; longest event-loop stall %.1f ms, p99 %.1f ms\n",
                count, seconds, bound, repaints, meter.maxMs(), meter.percentileMs(99));
    std::printf("@summary\tport_search\t%ld silent ports, s\t%.3f\t<= %.1f\n", count, seconds,
                bound);
    std::printf("@summary\tport_search\tlongest stall, ms\t%.1f\t-\n", meter.maxMs());
    return 0;
}
