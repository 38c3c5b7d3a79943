// `zevo3 dump` of the largest table with its layout (70 rows of 4096 pattern
// codes, 120 layout cells) as a whole process: start, read both files, write
// the JSON to a pipe, end. Every run must give the same JSON, exit 0 and say
// nothing on standard error. Then `zevo3 import` of the same 70 codes as raw
// timings into a new table, as a whole process, against the dump's time.
//
//   bench_cli_dump [--count 30] [--zevo3 PATH]   PATH: default the zevo3 of the same build

#include "bench_common.h"
#include "full_table.h"
#include "imported_row.h"
#include "layout_file.h"
#include "raw_format.h"
#include "save_file.h"
#include "table_file.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <functional>

using namespace zevo3;
using namespace zevo3::bench;

namespace {

constexpr const char *kBench = "cli_dump";
constexpr int kWarmUp = 3;

// Runs zevo3 `count` times (after the warm-up) and gives the sorted times in
// ms; a run that fails or says anything on standard error is counted.
std::vector<double> timeRuns(const QString &program, long count,
                             const std::function<QStringList(long)> &args, long *failed,
                             QByteArray *firstOut) {
    std::vector<double> ms;
    for (long i = 0; i < count + kWarmUp; ++i) {
        QProcess process;
        const auto t0 = std::chrono::steady_clock::now();
        process.start(program, args(i));
        const bool finished = process.waitForFinished(30000);
        const double elapsed =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        const QByteArray out = process.readAllStandardOutput();
        const QByteArray err = process.readAllStandardError();
        if (firstOut->isEmpty()) *firstOut = out;
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
            !err.isEmpty() || out != *firstOut) {
            ++*failed;
            std::fprintf(stderr, "bench_cli_dump: run %ld: exit %d, %s\n", i, process.exitCode(),
                         err.left(200).constData());
        }
        if (i >= kWarmUp) ms.push_back(elapsed);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

// 70 NEC codes (address 0x04, commands 0 to 69, each with its complement),
// each its frame and one repeat frame.
std::vector<InterchangeCode> necCodes() {
    std::vector<InterchangeCode> codes;
    for (uint32_t command = 0; command < 70; ++command) {
        const uint32_t bits = 0x04u | 0xFBu << 8 | command << 16 | (~command & 0xFFu) << 24;
        InterchangeCode code;
        code.name = QStringLiteral("NEC 04 %1").arg(command);
        code.signal.carrierHz = 38000;
        std::vector<int32_t> &d = code.signal.durations;
        d = {9000, 4500};
        for (int k = 0; k < 32; ++k)
            d.insert(d.end(), {560, (bits >> k) & 1 ? 1690 : 560});
        d.insert(d.end(), {560, 40000, 9000, 2250, 560, 96000});
        codes.push_back(std::move(code));
    }
    return codes;
}

struct ImportTimes {
    std::vector<double> ms;
    qsizetype bytes = 0;
    bool stored = false;
    QString firstTable;
};

// zevo3 import of the codes as raw timings into a new table each run.
ImportTimes timeImport(const QString &program, long count, const QTemporaryDir &dir,
                       const std::vector<InterchangeCode> &codes, const QString &name,
                       long *failed) {
    ImportTimes times;
    const InterchangeWrite raw = writeRaw(codes);
    const QString rawPath = dir.filePath(name + QStringLiteral(".txt"));
    if (!raw.ok || !saveFileAtomically(rawPath, raw.bytes)) {
        std::fprintf(stderr, "bench_cli_dump: cannot write the raw codes\n");
        ++*failed;
        return times;
    }
    times.bytes = raw.bytes.size();
    const auto tableOf = [&](long i) { return dir.filePath(name + QString::number(i) + ".Csv"); };
    times.firstTable = tableOf(0);
    QByteArray report;
    times.ms = timeRuns(
        program, count,
        [&](long i) {
            return QStringList{QStringLiteral("import"), tableOf(i), QStringLiteral("raw"),
                               rawPath};
        },
        failed, &report);
    times.stored = report.count('\n') == CodeTable::kRows;
    return times;
}

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

    QByteArray first;
    long failed = 0;
    const std::vector<double> ms = timeRuns(
        program, count,
        [&](long) {
            return QStringList{QStringLiteral("dump"), tablePath};
        },
        &failed, &first);
    const QJsonDocument json = QJsonDocument::fromJson(first);
    const bool whole = json[QLatin1String("rows")].toArray().size() == CodeTable::kRows &&
                       json[QLatin1String("layout")].toArray().size() == LayoutData::kRows;

    std::printf("bench_cli_dump: %ld runs of %s dump; JSON %lld bytes, %s\n", count,
                qPrintable(program), static_cast<long long>(first.size()),
                whole ? "70 rows and 15 layout rows" : "NOT the whole table");
    std::printf("min %.1f  median %.1f  p90 %.1f  max %.1f ms\n", ms.front(), percentile(ms, 50),
                percentile(ms, 90), ms.back());
    summary(kBench, "whole process, median ms", fixed(percentile(ms, 50), 1), "< 100");
    summary(kBench, "whole process, max ms", fixed(ms.back(), 1));

    // 70 NEC codes as a remote's database gives them, imported into a new
    // table each run, against a dump of the table they make; then the 70
    // codes of the largest table, against its dump above.
    const ImportTimes nec =
        timeImport(program, count, dir, necCodes(), QStringLiteral("nec"), &failed);
    QByteArray necJson;
    const std::vector<double> necDump = timeRuns(
        program, count,
        [&](long) {
            return QStringList{QStringLiteral("dump"), nec.firstTable};
        },
        &failed, &necJson);
    const double necRatio = percentile(nec.ms, 50) / percentile(necDump, 50);
    std::printf("bench_cli_dump: import raw of 70 NEC codes (%lld bytes): median %.1f ms, "
                "%s; its table's dump %.1f ms: %.2f x\n",
                static_cast<long long>(nec.bytes), percentile(nec.ms, 50),
                nec.stored ? "70 rows stored" : "NOT every code stored", percentile(necDump, 50),
                necRatio);
    std::vector<InterchangeCode> largest;
    const std::unique_ptr<CodeTable> full = fullTable();
    for (int row = 1; row <= CodeTable::kRows; ++row)
        largest.push_back(codeOfRow(*full, row));
    const ImportTimes big =
        timeImport(program, count, dir, largest, QStringLiteral("full"), &failed);
    const double bigRatio = percentile(big.ms, 50) / percentile(ms, 50);
    std::printf("bench_cli_dump: import raw of the largest table's 70 codes of 4096 pairs (%lld "
                "bytes): median %.1f ms, %s; %.2f x its dump\n",
                static_cast<long long>(big.bytes), percentile(big.ms, 50),
                big.stored ? "70 rows stored" : "NOT every code stored", bigRatio);
    summary(kBench, "import of 70 NEC codes, median ms", fixed(percentile(nec.ms, 50), 1));
    summary(kBench, "import / dump of that table, medians", fixed(necRatio, 2), "<= 2");
    summary(kBench, "import of 70 codes of 4096 pairs, median ms",
            fixed(percentile(big.ms, 50), 1));
    summary(kBench, "import / dump of the largest table", fixed(bigRatio, 2));
    // zevo3 decode of the largest table: every row read against every
    // protocol (none matches: the decoder goes through all of them).
    QByteArray decodeOut;
    const std::vector<double> decodes = timeRuns(
        program, count,
        [&](long) {
            return QStringList{QStringLiteral("decode"), tablePath};
        },
        &failed, &decodeOut);
    const double decodeRatio = percentile(decodes, 50) / percentile(ms, 50);
    const bool decodedAll = decodeOut.count('\n') == CodeTable::kRows;
    std::printf("bench_cli_dump: decode of the largest table: median %.1f ms, %s; %.2f x its "
                "dump\n",
                percentile(decodes, 50), decodedAll ? "70 rows" : "NOT every row", decodeRatio);
    summary(kBench, "decode of the largest table, median ms", fixed(percentile(decodes, 50), 1));
    summary(kBench, "decode / dump of the largest table", fixed(decodeRatio, 2), "<= 1.5");
    if (!decodedAll) ++failed;
    summary(kBench, "failed runs", std::to_string(failed), "0");
    return failed || !whole || !nec.stored || !big.stored ? 1 : 0;
}
