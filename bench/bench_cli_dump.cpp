// `zevo3 dump` of the largest table with its layout (70 rows of 4096 pattern
// codes, 120 layout cells) as a whole process: start, read both files, write
// the JSON to a pipe, end. Every run must give the same JSON, exit 0 and say
// nothing on standard error.
//
//   bench_cli_dump [--count 30] [--zevo3 PATH]   PATH: default the zevo3 of the same build

#include "bench_common.h"
#include "full_table.h"
#include "layout_file.h"
#include "save_file.h"
#include "table_file.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>

using namespace zevo3;
using namespace zevo3::bench;

namespace {

constexpr const char *kBench = "cli_dump";
constexpr int kWarmUp = 3;

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const long count = optionNumber(argc, argv, "--count", 30);
    const QString program = QString::fromLocal8Bit(option(argc, argv, "--zevo3", ZEVO3_PATH));

    QTemporaryDir dir;
    const QString tablePath = dir.filePath(QStringLiteral("full.Csv"));
    QString error;
    if (!saveFileAtomically(tablePath, WriteTableFile(*fullTable()), &error) ||
        !saveFileAtomically(layoutPathFor(tablePath),
                            SaveLayoutFile(fullLayout(), layoutPathFor(tablePath)), &error)) {
        std::fprintf(stderr, "bench_cli_dump: cannot write the files: %s\n", qPrintable(error));
        return 1;
    }

    std::vector<double> ms;
    QByteArray first;
    long failed = 0;
    for (long i = 0; i < count + kWarmUp; ++i) {
        QProcess process;
        const auto t0 = std::chrono::steady_clock::now();
        process.start(program, {QStringLiteral("dump"), tablePath});
        const bool finished = process.waitForFinished(30000);
        const double elapsed =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        const QByteArray out = process.readAllStandardOutput();
        const QByteArray err = process.readAllStandardError();
        if (first.isEmpty()) first = out;
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
            !err.isEmpty() || out != first) {
            ++failed;
            std::fprintf(stderr, "bench_cli_dump: run %ld: exit %d, %s\n", i, process.exitCode(),
                         err.left(200).constData());
        }
        if (i >= kWarmUp) ms.push_back(elapsed);
    }
    const QJsonDocument json = QJsonDocument::fromJson(first);
    const bool whole = json[QLatin1String("rows")].toArray().size() == CodeTable::kRows &&
                       json[QLatin1String("layout")].toArray().size() == LayoutData::kRows;

    std::sort(ms.begin(), ms.end());
    std::printf("bench_cli_dump: %ld runs of %s dump; JSON %lld bytes, %s\n", count,
                qPrintable(program), static_cast<long long>(first.size()),
                whole ? "70 rows and 15 layout rows" : "NOT the whole table");
    std::printf("min %.1f  median %.1f  p90 %.1f  max %.1f ms\n", ms.front(), percentile(ms, 50),
                percentile(ms, 90), ms.back());
    summary(kBench, "whole process, median ms", fixed(percentile(ms, 50), 1), "< 100");
    summary(kBench, "whole process, max ms", fixed(ms.back(), 1));
    summary(kBench, "failed runs", std::to_string(failed), "0");
    return failed || !whole ? 1 : 0;
}
