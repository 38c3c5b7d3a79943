// zevo3 download to 8 simulated units on 8 pseudo-terminals at once, each
// emulating a 57600 bit/s line both ways, against the same download to one
// unit alone, measured side by side in one run; then the 8 again with one
// unit that hangs up part-way: the other seven must still take everything.
//
//   bench_parallel_download [--units 8] [--rounds 1] [--zevo3 PATH]

#include "bench_common.h"
#include "full_table.h"
#include "layout_file.h"
#include "registration.h"
#include "save_file.h"
#include "sim_unit.h"
#include "table_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>

using namespace zevo3;
using namespace zevo3::bench;

namespace {

constexpr const char *kBench = "parallel_download";
constexpr int kLineRate = 57600;

struct Units {
    std::vector<std::unique_ptr<SimUnit>> sims;
    QStringList ports;
};

Units startUnits(int count, int hangUpAt) {
    Units units;
    for (int i = 0; i < count; ++i) {
        SimOptions options;
        options.lineRate = kLineRate;
        options.inLineRate = kLineRate;
        if (i == 0 && hangUpAt > 0) options.hangUpAfter = hangUpAt;
        units.sims.push_back(std::make_unique<SimUnit>(options));
        QString error;
        if (!units.sims.back()->start(&error)) {
            std::fprintf(stderr, "bench_parallel_download: %s\n", qPrintable(error));
            std::exit(1);
        }
        units.ports << units.sims.back()->devicePath();
    }
    return units;
}

// One zevo3 download to the ports; its time in ms, -1 when it did not run.
double timeDownload(const QString &program, const QString &table, const QString &ini,
                    const QStringList &ports, int *status) {
    QStringList args = {QStringLiteral("download"), table, QStringLiteral("--ini"), ini};
    if (ports.size() == 1)
        args << QStringLiteral("--port") << ports[0];
    else
        args << QStringLiteral("--ports") << ports.join(QLatin1Char(','));
    QProcess p;
    QElapsedTimer timer;
    timer.start();
    p.start(program, args);
    if (!p.waitForFinished(600000)) return -1;
    *status = p.exitCode();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int count = int(optionNumber(argc, argv, "--units", 8));
    const long rounds = optionNumber(argc, argv, "--rounds", 1);
    const QString program = QString::fromLocal8Bit(option(argc, argv, "--zevo3", ZEVO3_PATH));
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("full.Csv"));
    const QString ini = dir.filePath(QStringLiteral("zevo3tool.ini"));
    const std::unique_ptr<CodeTable> full = fullTable();
    const LayoutData layout = fullLayout();
    if (!saveFileAtomically(table, WriteTableFile(*full)) ||
        !saveFileAtomically(layoutPathFor(table), SaveLayoutFile(layout, layoutPathFor(table))) ||
        !saveFileAtomically(ini, "[COMPORT]\r\nBaudRate=57600\r\n")) {
        std::fprintf(stderr, "bench_parallel_download: cannot write the files\n");
        return 1;
    }
    const qsizetype messages = qsizetype(RegistrationPlan(*full, layout).size());

    std::vector<double> alone, together;
    bool allTook = true;
    for (long round = 0; round < rounds; ++round) {
        int status = -1;
        Units one = startUnits(1, 0);
        alone.push_back(timeDownload(program, table, ini, one.ports, &status));
        allTook = allTook && status == 0 && one.sims[0]->received().size() == messages;
        Units many = startUnits(count, 0);
        together.push_back(timeDownload(program, table, ini, many.ports, &status));
        allTook = allTook && status == 0;
        for (const auto &sim : many.sims)
            allTook = allTook && sim->received().size() == messages;
    }
    // One unit hangs up a third of the way: the others complete.
    Units mixed = startUnits(count, int(messages / 3));
    int status = -1;
    const double mixedMs = timeDownload(program, table, ini, mixed.ports, &status);
    int complete = 0;
    for (const auto &sim : mixed.sims)
        complete += sim->received().size() == messages ? 1 : 0;

    std::sort(alone.begin(), alone.end());
    std::sort(together.begin(), together.end());
    const double ratio = percentile(together, 50) / percentile(alone, 50);
    std::printf(
        "bench_parallel_download: %lld messages of the full table at %d bit/s; %ld rounds\n",
        static_cast<long long>(messages), kLineRate, rounds);
    std::printf("one unit alone: median %.0f ms; %d units at once: median %.0f ms (%.2f x)\n",
                percentile(alone, 50), count, percentile(together, 50), ratio);
    std::printf("%d units, one hanging up at message %lld: %.0f ms, status %d, %d complete\n",
                count, static_cast<long long>(messages / 3), mixedMs, status, complete);
    summary(kBench, "one unit alone, median ms", fixed(percentile(alone, 50), 0), "-");
    summary(kBench, "8 units at once / one alone, medians", fixed(ratio, 2), "<= 1.2");
    summary(kBench, "units complete with one hanging up", std::to_string(complete), "7 of 8");
    const bool ok = allTook && complete == count - 1 && status == 1;
    if (!ok) std::fprintf(stderr, "bench_parallel_download: a unit did not take everything\n");
    return ok ? 0 : 1;
}
