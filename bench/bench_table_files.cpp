// Save and Open of the largest table with its layout (70 rows of 4096
// pattern codes, 120 layout cells), without windows: the bytes formatted and
// both files replaced on disk as Save does, then both files read and parsed
// as Open does. Every round must give back the table and layout it saved.
//
//   bench_table_files [--count 200] [--dir DIR]   DIR: where the files go (a temporary folder)

#include "bench_common.h"
#include "full_table.h"
#include "layout_file.h"
#include "save_file.h"
#include "table_file.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>

using namespace zevo3;
using namespace zevo3::bench;

namespace {

constexpr const char *kBench = "table_files";
constexpr int kWarmUp = 5;

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Times {
    std::vector<double> format, save, read, parse;
};

void report(const char *what, std::vector<double> ms, const char *target = "-") {
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s min %7.3f  median %7.3f  p90 %7.3f  max %7.3f ms\n", what, ms.front(),
                percentile(ms, 50), percentile(ms, 90), ms.back());
    summary(kBench, (std::string(what) + ", median ms").c_str(), fixed(percentile(ms, 50), 3),
            target);
    summary(kBench, (std::string(what) + ", max ms").c_str(), fixed(ms.back(), 3));
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const long count = optionNumber(argc, argv, "--count", 200);
    QTemporaryDir temp;
    const QString dir = option(argc, argv, "--dir", nullptr)
                            ? QString::fromLocal8Bit(option(argc, argv, "--dir", ""))
                            : temp.path();
    const QString tablePath = dir + QStringLiteral("/full.Csv");
    const QString layoutPath = layoutPathFor(tablePath);

    const auto table = fullTable();
    const LayoutData layout = fullLayout();
    Times times;
    long lost = 0;
    qsizetype tableBytes = 0;
    qsizetype layoutBytes = 0;
    for (long i = 0; i < count + kWarmUp; ++i) {
        // Save: format both files, then replace them on disk.
        auto t0 = Clock::now();
        const QByteArray tableFile = WriteTableFile(*table);
        const QByteArray layoutFile = SaveLayoutFile(layout, layoutPath);
        const double format = msSince(t0);
        QString error;
        if (!saveFileAtomically(tablePath, tableFile, &error) ||
            !saveFileAtomically(layoutPath, layoutFile, &error)) {
            std::fprintf(stderr, "bench_table_files: cannot save: %s\n", qPrintable(error));
            return 1;
        }
        const double save = msSince(t0);

        // Open: read both files, then parse them.
        t0 = Clock::now();
        QByteArray tableIn;
        QByteArray layoutIn;
        if (!readFileBounded(tablePath, 16 << 20, &tableIn, &error) ||
            !readFileBounded(layoutPath, 16 << 20, &layoutIn, &error)) {
            std::fprintf(stderr, "bench_table_files: cannot read: %s\n", qPrintable(error));
            return 1;
        }
        const auto t1 = Clock::now();
        const auto tableRead = std::make_unique<TableFileRead>(ReadTableFile(tableIn));
        const auto layoutRead = std::make_unique<LayoutFileRead>(LoadLayoutFile(layoutIn));
        const double parse = msSince(t1);
        const double read = msSince(t0);

        if (!(tableRead->table == *table) || layoutRead->layout.cells() != layout.cells() ||
            !tableRead->problems.empty() || !layoutRead->problems.empty())
            ++lost;
        tableBytes = tableFile.size();
        layoutBytes = layoutFile.size();
        if (i < kWarmUp) continue;
        times.format.push_back(format);
        times.save.push_back(save);
        times.read.push_back(read);
        times.parse.push_back(parse);
    }

    std::printf("bench_table_files: %ld rounds in %s; table file %lld bytes, layout file %lld "
                "bytes\n",
                count, qPrintable(dir), static_cast<long long>(tableBytes),
                static_cast<long long>(layoutBytes));
    report("save: format both files", times.format);
    report("save: format and replace both", times.save, "< 5");
    report("open: parse both files", times.parse);
    report("open: read and parse both", times.read, "< 5");
    std::printf("rounds that did not give back the table and layout: %ld\n", lost);
    summary(kBench, "rounds with data lost", std::to_string(lost), "0");
    return lost ? 1 : 0;
}
