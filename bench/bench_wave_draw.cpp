// The waveform panel's drawing: (a) a full redraw of 4097 pulses on the
// 20000-pixel image at the widest (25) and the narrowest (3000) zoom step,
// as the core does it for the panel and for zevo3 wave; (b) the time from
// the row menu's "波形表示" on a row of 4096 codes until the image has been
// painted on the (offscreen) screen, through the real main window; (c) the
// overlay walk over the 4097 pulses, alone and as the panel draws it at zoom
// 100; (d) the wave print of them with the Eiritsu overlay into a PDF.
//
//   bench_wave_draw [--rounds 50] [--shows 20]

#include "R_layout.h"
#include "R_main.h"
#include "R_msgbox.h"
#include "R_wave.h"
#include "R_waveedit.h"
#include "bench_common.h"
#include "prompter.h"
#include "qt_serial_device.h"
#include "table_print.h"
#include "tool_windows.h"
#include "wave_image.h"
#include "wave_print.h"
#include "wave_render.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QTemporaryDir>

#include <chrono>

using namespace zevo3;
using namespace zevo3::bench;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char *kBench = "wave_draw";

class SilentPrompter : public Prompter {
public:
    MsgAnswer ask(QWidget *, const QString &, const QString &, MsgIcon, MsgButtons) override {
        return MsgAnswer::Ok;
    }
    std::optional<FileChoice> openFile(QWidget *, const FileDialogSetup &) override { return {}; }
    std::optional<FileChoice> saveFile(QWidget *, const FileDialogSetup &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
};

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A pulse-distance train: a leader, then short and long bits.
void fillTrain(WaveStore &store, int pulses) {
    store.pulses[0] = {9000, 13500};
    for (int k = 1; k < pulses; ++k)
        store.pulses[k] = k % 3 ? WavePulse{560, 1120} : WavePulse{560, 2250};
    store.lastPulse = pulses - 1;
}

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void redraws(long rounds) {
    WaveStore store;
    fillTrain(store, WaveStore::kPulses);
    QImage image = makeWaveImage();
    for (int zoom : {25, 3000}) {
        WaveViewState view;
        view.zoomDivisor = zoom;
        std::vector<double> times;
        for (long r = 0; r < rounds + 3; ++r) {
            const auto start = Clock::now();
            WaveRenderer(image, view).drawStore(store);
            if (r >= 3) times.push_back(ms(Clock::now() - start));
        }
        std::sort(times.begin(), times.end());
        std::printf("redraw of %d pulses at zoom %d: median %.3f ms, max %.3f ms over %ld "
                    "rounds (pen stopped at x %d)\n",
                    WaveStore::kPulses, zoom, percentile(times, 50), times.back(), rounds,
                    view.pen.x);
        const std::string measure =
            "(a) full redraw at zoom " + std::to_string(zoom) + ", median ms";
        summary(kBench, measure.c_str(), fixed(percentile(times, 50), 3), "< 10");
        const std::string worst = "(a) full redraw at zoom " + std::to_string(zoom) + ", max ms";
        summary(kBench, worst.c_str(), fixed(times.back(), 3), "< 10");
    }
}

template <typename Work> std::vector<double> timed(long rounds, Work work) {
    std::vector<double> times;
    for (long r = 0; r < rounds + 3; ++r) {
        const auto start = Clock::now();
        work();
        if (r >= 3) times.push_back(ms(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times;
}

void overlays(long rounds) {
    WaveStore store;
    fillTrain(store, WaveStore::kPulses);
    const OverlaySettings philips = OverlaySettings::philips(
        QStringLiteral("450"), QStringLiteral("878"), QStringLiteral("32"));
    for (const auto &[name, settings] :
         {std::pair{"Eiritsu", OverlaySettings::eiritsu()}, std::pair{"Philips", philips}}) {
        long samples = 0, frames = 0;
        // At zoom 3000 the image spans 60 s: the walk passes every pulse.
        const std::vector<double> times = timed(rounds, [&] {
            samples = frames = 0;
            walkOverlay(
                store, settings, WalkFor::Screen, {3000, 10, 20000},
                [&](const OverlaySample &) { ++samples; }, [&](const OverlayFrame &) { ++frames; });
        });
        std::printf(
            "%s walk over %d pulses: %ld samples, %ld frames; median %.3f ms, max %.3f ms\n", name,
            WaveStore::kPulses, samples, frames, percentile(times, 50), times.back());
        const std::string measure = std::string("(c) ") + name + " walk of 4097 pulses, median ms";
        summary(kBench, measure.c_str(), fixed(percentile(times, 50), 3), "< 5");
    }
    QImage image = makeWaveImage();
    WaveViewState view;
    view.zoomDivisor = 100;
    WaveRenderer renderer(image, view);
    renderer.drawStore(store);
    const std::vector<double> drawn =
        timed(rounds, [&] { renderer.drawOverlay(store, OverlaySettings::eiritsu()); });
    std::printf("Eiritsu overlay drawn at zoom 100 (2 s of the train): median %.3f ms, max %.3f "
                "ms\n",
                percentile(drawn, 50), drawn.back());
    summary(kBench, "(c) Eiritsu overlay drawn at zoom 100, median ms",
            fixed(percentile(drawn, 50), 3), "-");

    CodeTable table;
    for (int zoom : {25, 3000}) {
        QByteArray pdf;
        const std::vector<double> printed = timed(std::max(3L, rounds / 5), [&] {
            pdf = wavePrintPdf(store, table, OverlaySettings::eiritsu(), zoom);
        });
        std::printf("wave print to PDF at zoom %d with the Eiritsu overlay: %lld bytes; median "
                    "%.1f ms, max %.1f ms\n",
                    zoom, static_cast<long long>(pdf.size()), percentile(printed, 50),
                    printed.back());
        const std::string measure =
            "(d) wave print to PDF at zoom " + std::to_string(zoom) + ", median ms";
        summary(kBench, measure.c_str(), fixed(percentile(printed, 50), 1), "< 1000");
    }
}

int shows(long count) {
    QTemporaryDir dir;
    QtSerialDevice device;
    AppObjects objects(device, dir.filePath(QStringLiteral("zevo3tool.ini")));
    objects.portOverride = dir.filePath(QStringLiteral("no-port")).toUtf8();
    objects.settingsReadOnly = true;
    SilentPrompter prompter;
    ToolWindows windows(objects, prompter);
    TfrmMain &w = *windows.main;
    w.resize(1000, 700);
    w.show();

    // Row 1: 4096 codes.
    WaveInfo &info = objects.table.waveInfo(1);
    info.Carry = 380;
    info.DataBits = WaveInfo::kPcodes;
    info.High[0] = 9000, info.Width[0] = 13500;
    info.High[1] = 560, info.Width[1] = 1120;
    info.High[2] = 560, info.Width[2] = 2250;
    for (int k = 1; k < WaveInfo::kPcodes; ++k)
        info.Pcode[k] = k % 3 ? 1 : 2;
    objects.table.setCell(1, CodeTable::kColCarry, "38.0kHz");
    w.sBarDblClick(); // analysis-log mode
    w.setCurrentCell(1, CodeTable::kColCarry);

    PaintCounter counter;
    w.imgWave->installEventFilter(&counter);
    std::vector<double> times;
    for (long r = 0; r < count + 2; ++r) {
        w.pnlWave->setVisible(false);
        objects.waveStore.clear();
        QApplication::processEvents();
        counter.paints = 0;
        const auto start = Clock::now();
        w.ppWaveShow->trigger();
        QElapsedTimer guard;
        guard.start();
        while (counter.paints == 0 && guard.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        const auto end = Clock::now();
        if (counter.paints == 0 || objects.waveStore.lastPulse != WaveInfo::kPcodes - 1) {
            std::fprintf(stderr, "bench_wave_draw: the panel was not painted with the row\n");
            return 1;
        }
        if (r >= 2) times.push_back(ms(end - start));
    }
    std::sort(times.begin(), times.end());
    std::printf("波形表示 of a row of 4096 codes to the painted image: median %.2f ms, max %.2f ms "
                "over %ld showings\n",
                percentile(times, 50), times.back(), count);
    summary(kBench, "(b) 波形表示 to painted panel, median ms", fixed(percentile(times, 50), 2),
            "< 50");
    summary(kBench, "(b) 波形表示 to painted panel, max ms", fixed(times.back(), 2), "< 50");
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    redraws(optionNumber(argc, argv, "--rounds", 50));
    overlays(optionNumber(argc, argv, "--rounds", 50));
    return shows(optionNumber(argc, argv, "--shows", 20));
}
