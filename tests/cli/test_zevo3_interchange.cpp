// zevo3 import and export as a script runs them: codes written here from
// published timings, stored into table rows, fired at the simulated unit,
// and written out again; input that is refused leaves both files as they
// were.

#include "code_table.h"
#include "layout_file.h"
#include "run_zevo3.h"
#include "save_file.h"
#include "table_document.h"
#include "table_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace zevo3;
using zevo3::test::Outcome;
using zevo3::test::runZevo3;

namespace {

// Pronto Hex, learned form, of a signal given in µs: the frequency word of
// the carrier, then each duration in whole carrier periods.
QByteArray prontoOf(int carrierHz, const std::vector<int> &once, const std::vector<int> &repeat) {
    const int word = int(std::lround(1000000.0 / (carrierHz * 0.241246)));
    const double periodUs = word * 0.241246;
    QByteArray text =
        QByteArray("0000 ") + QByteArray::number(word, 16).rightJustified(4, '0') + ' ' +
        QByteArray::number(qulonglong(once.size() / 2), 16).rightJustified(4, '0') + ' ' +
        QByteArray::number(qulonglong(repeat.size() / 2), 16).rightJustified(4, '0');
    for (const std::vector<int> *part : {&once, &repeat})
        for (int us : *part)
            text += ' ' + QByteArray::number(qlonglong(std::lround(us / periodUs)), 16)
                              .rightJustified(4, '0');
    return text.toUpper();
}

// NEC: 9 ms / 4.5 ms leader, 32 bits LSB first (560 µs mark, 560 or
// 1690 µs space), a stop mark and 40 ms; the repeat frame 9 ms / 2.25 ms,
// 560 µs and 96 ms.
QByteArray necPronto(uint32_t bits) {
    std::vector<int> once = {9000, 4500};
    for (int k = 0; k < 32; ++k)
        once.insert(once.end(), {560, (bits >> k) & 1 ? 1690 : 560});
    once.insert(once.end(), {560, 40000});
    return prontoOf(38000, once, {9000, 2250, 560, 96000});
}

// Sony 12 bits at 40 kHz: 2.4 ms leader, 600 µs spaces, 1200 µs for a 1 and
// 600 µs for a 0, command 7 bits then address 5 bits LSB first, 25 ms after.
QByteArray sonyPronto(int command, int address) {
    std::vector<int> once = {2400};
    const int bits = command | address << 7;
    for (int k = 0; k < 12; ++k)
        once.insert(once.end(), {600, (bits >> k) & 1 ? 1200 : 600});
    once.push_back(25000);
    return prontoOf(40000, once, {});
}

// RC5 at 36 kHz, 889 µs half-bits: start bits 1 1, toggle 0, address 5,
// command 53; a 1 is space then mark, so the frame starts with the second
// half of the first start bit; 89 ms after.
QByteArray rc5Pronto() {
    const int bits[] = {1, 1, 0, 0, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1};
    std::vector<bool> halves; // true: mark
    for (int b : bits) {
        halves.push_back(!b);
        halves.push_back(b);
    }
    halves.erase(halves.begin());
    std::vector<int> durations;
    bool level = true;
    for (bool mark : halves) {
        if (!durations.empty() && mark == level) {
            durations.back() += 889;
        } else {
            durations.push_back(889);
            level = mark;
        }
    }
    if (durations.size() % 2) durations.push_back(0);
    durations.back() += 89000;
    return prontoOf(36000, durations, {});
}

class Zevo3Interchange : public ::testing::Test {
protected:
    QByteArray file(const QString &path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void put(const QString &path, const QByteArray &bytes) {
        ASSERT_TRUE(saveFileAtomically(path, bytes));
    }
    // The messages zevo3 fire N --table puts on the line to the simulated
    // unit, one a line.
    QByteArray fired(const QString &table, int row) {
        const QString log = dir.filePath(QStringLiteral("fired-%1.log").arg(++fires));
        const Outcome run =
            runZevo3({QStringLiteral("fire"), QString::number(row), QStringLiteral("--table"),
                      table, QStringLiteral("--simulate"), QStringLiteral("--sim-log"), log,
                      QStringLiteral("--ini"), dir.filePath("none.ini"), QStringLiteral("--wait"),
                      QStringLiteral("1000")});
        EXPECT_EQ(run.code, 0) << run.err.toStdString();
        return file(log);
    }

    QTemporaryDir dir;
    QString table = dir.filePath(QStringLiteral("tv.Csv"));
    QString layout = dir.filePath(QStringLiteral("tv.ZV3"));
    int fires = 0;
};

} // namespace

TEST_F(Zevo3Interchange, ProntoCodesFireAsTheSameRowsTypedByHand) {
    // NEC address 0x04 command 0x08 with their complements.
    const uint32_t nec = 0x04u | 0xFBu << 8 | 0x08u << 16 | 0xF7u << 24;
    const QByteArray text = necPronto(nec) + "\n" + rc5Pronto() + "\n" + sonyPronto(21, 1) + "\n";
    put(dir.filePath("codes.txt"), text);
    const Outcome run = runZevo3(
        {QStringLiteral("import"), table, QStringLiteral("pronto"), dir.filePath("codes.txt")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    // Three rows; the NEC code is its frame and one repeat frame (36 pairs).
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 4) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("1 -: 36 pairs, 6 entries, largest deviation "))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("2 -: ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("3 -: 13 pairs, 4 entries, ")) << lines[2].toStdString();
    // The carrier moved to the format's resolution is said.
    EXPECT_TRUE(run.err.contains("38029 Hz")) << run.err.toStdString();
    // A new table gets an empty layout file.
    EXPECT_EQ(file(layout), SaveLayoutFile(LayoutData(), layout));

    // The same rows typed by hand: the published timings in whole carrier
    // periods of the frequency word (NEC 26.2958 µs, RC5 27.743 µs, Sony
    // 25.090 µs), each entry its mark and the whole period of mark and
    // space, in the order the frame first uses them.
    auto hand = std::make_unique<CodeTable>();
    const auto typeRow = [&](int row, const char *carry, int carrier,
                             std::vector<std::pair<int, int>> entries, std::vector<int> codes) {
        hand->setCell(row, CodeTable::kColCarry, carry);
        hand->setCell(row, CodeTable::kColFrames, "1");
        WaveInfo &info = hand->waveInfo(row);
        info.Carry = carrier;
        for (size_t e = 0; e < entries.size(); ++e) {
            info.High[e] = entries[e].first;
            info.Width[e] = entries[e].second;
        }
        info.DataBits = int(codes.size());
        for (size_t k = 0; k < codes.size(); ++k)
            info.Pcode[k] = uint8_t(codes[k]);
    };
    std::vector<int> necCodes = {0};
    for (int k = 0; k < 32; ++k)
        necCodes.push_back((nec >> k) & 1 ? 2 : 1);
    necCodes.insert(necCodes.end(), {3, 4, 5});
    typeRow(1, "38.0kHz", 380,
            {{8993, 13490}, {552, 1104}, {552, 2235}, {552, 40548}, {8993, 11254}, {552, 96558}},
            necCodes);
    typeRow(2, "36.0kHz", 360, {{888, 1776}, {1776, 2664}, {888, 2664}, {1776, 3552}, {888, 89888}},
            {0, 1, 0, 2, 3, 0, 0, 3, 3, 4});
    typeRow(3, "39.9kHz", 399, {{2409, 3011}, {1204, 1806}, {602, 1204}, {602, 25591}},
            {0, 1, 2, 1, 2, 1, 2, 2, 1, 2, 2, 2, 3});
    const QString handTable = dir.filePath(QStringLiteral("hand.Csv"));
    put(handTable, WriteTableFile(*hand));
    for (int row = 1; row <= 3; ++row) {
        const QByteArray imported = fired(table, row);
        EXPECT_FALSE(imported.isEmpty());
        EXPECT_EQ(imported, fired(handTable, row)) << "row " << row;
    }
}

TEST_F(Zevo3Interchange, EveryFormatExportsWhatImportsBackTheSame) {
    // Two NEC codes (one carrier: a LIRC remote has one) and one Sony code.
    const uint32_t power = 0x04u | 0xFBu << 8 | 0x08u << 16 | 0xF7u << 24;
    const uint32_t mute = 0x04u | 0xFBu << 8 | 0x09u << 16 | 0xF6u << 24;
    const QByteArray codes =
        necPronto(power) + "\n" + necPronto(mute) + "\n" + sonyPronto(21, 1) + "\n";
    ASSERT_EQ(
        runZevo3({QStringLiteral("import"), table, QStringLiteral("pronto"), QStringLiteral("-")},
                 codes)
            .code,
        0);
    const QByteArray original = file(table);
    for (const char *format : {"pronto", "raw", "ir", "lirc"}) {
        SCOPED_TRACE(format);
        const Outcome out = runZevo3({QStringLiteral("export"), table, QLatin1String(format)});
        ASSERT_EQ(out.code, 0) << out.err.toStdString();
        const QString again = dir.filePath(QStringLiteral("again-%1.Csv").arg(format));
        const Outcome in = runZevo3(
            {QStringLiteral("import"), again, QLatin1String(format), QStringLiteral("-")}, out.out);
        ASSERT_EQ(in.code, 0) << in.err.toStdString();
        // The same cells (but for names the formats carry) and descriptions.
        const std::unique_ptr<CodeTable> a =
            std::make_unique<CodeTable>(openTableFile(table).read->table);
        const std::unique_ptr<CodeTable> b =
            std::make_unique<CodeTable>(openTableFile(again).read->table);
        const bool oneCarrier = QByteArray(format) == "lirc";
        for (int row = 1; row <= CodeTable::kRows; ++row) {
            if (oneCarrier && row == 3) {
                // Written in the remote's 38 kHz, and said so.
                EXPECT_TRUE(out.err.contains("code 3: carrier 39900 Hz, written in a remote of "
                                             "38000 Hz"))
                    << out.err.toStdString();
                continue;
            }
            EXPECT_EQ(a->waveInfo(row), b->waveInfo(row)) << "row " << row;
            EXPECT_EQ(a->cell(row, CodeTable::kColCarry), b->cell(row, CodeTable::kColCarry));
            EXPECT_EQ(a->cell(row, CodeTable::kColFrames), b->cell(row, CodeTable::kColFrames));
        }
    }
    // One row only.
    const Outcome one = runZevo3({QStringLiteral("export"), table, QStringLiteral("pronto"),
                                  QStringLiteral("--row"), QStringLiteral("3")});
    ASSERT_EQ(one.code, 0);
    EXPECT_TRUE(one.out.startsWith("0000 0068 ")) << one.out.toStdString();
    EXPECT_EQ(one.out.count('\n'), 1);
    EXPECT_EQ(file(table), original); // export writes nothing
    const Outcome empty = runZevo3({QStringLiteral("export"), table, QStringLiteral("raw"),
                                    QStringLiteral("--row"), QStringLiteral("4")});
    EXPECT_EQ(empty.code, 1);
    EXPECT_TRUE(empty.err.contains("row 4")) << empty.err.toStdString();
}

TEST_F(Zevo3Interchange, RowsGoWhereAskedOrToTheFirstFreeOne) {
    const QByteArray sony = sonyPronto(21, 1) + "\n";
    ASSERT_EQ(runZevo3({QStringLiteral("import"), table, QStringLiteral("pronto"),
                        QStringLiteral("-"), QStringLiteral("--row"), QStringLiteral("5")},
                       sony)
                  .code,
              0);
    // Options before the command, the same.
    const Outcome run =
        runZevo3({QStringLiteral("--row"), QStringLiteral("70"), QStringLiteral("import"), table,
                  QStringLiteral("pronto"), QStringLiteral("-")},
                 sony);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("70 -: ")) << run.out.toStdString();
    const Outcome first = runZevo3(
        {QStringLiteral("import"), table, QStringLiteral("pronto"), QStringLiteral("-")}, sony);
    EXPECT_TRUE(first.out.startsWith("1 -: ")) << first.out.toStdString();
    const CodeTable t = openTableFile(table).read->table;
    for (int row : {1, 5, 70})
        EXPECT_EQ(t.waveInfo(row).Carry, 399) << row;
    EXPECT_EQ(t.waveInfo(2).Carry, 0);
}

TEST_F(Zevo3Interchange, RefusedInputLeavesBothFilesByteForByte) {
    ASSERT_EQ(
        runZevo3({QStringLiteral("import"), table, QStringLiteral("pronto"), QStringLiteral("-")},
                 sonyPronto(21, 1))
            .code,
        0);
    const QByteArray tableBefore = file(table);
    const QByteArray layoutBefore = file(layout);
    const auto unchanged = [&] {
        EXPECT_EQ(file(table), tableBefore);
        EXPECT_EQ(file(layout), layoutBefore);
    };

    // A word that is not four hexadecimal digits, named.
    Outcome run =
        runZevo3({QStringLiteral("import"), table, QStringLiteral("pronto"), QStringLiteral("-")},
                 "0000 006D 0001 0000 0156 00G0\n");
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("00G0")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("nothing written"));
    unchanged();

    // Codes running past row 70: none is stored.
    run = runZevo3({QStringLiteral("import"), table, QStringLiteral("pronto"), QStringLiteral("-"),
                    QStringLiteral("--row"), QStringLiteral("70")},
                   sonyPronto(1, 1) + "\n" + sonyPronto(2, 1) + "\n");
    EXPECT_EQ(run.code, 1);
    unchanged();

    // A raw code beyond the unit's limits: a mark of 100 ms.
    run = runZevo3({QStringLiteral("import"), table, QStringLiteral("raw"), QStringLiteral("-")},
                   "100000 2000 500 30000\n");
    EXPECT_EQ(run.code, 1) << run.err.toStdString();
    unchanged();

    // Bad usage and files that cannot be read: 2.
    for (const QStringList &args :
         {QStringList{"import", table, "hex", "-"}, QStringList{"import", table, "pronto"},
          QStringList{"import", table, "pronto", "-", "--row", "0"},
          QStringList{"import", table, "pronto", dir.filePath("absent.txt")},
          QStringList{"export", table, "pronto", "--port", "x"}}) {
        run = runZevo3(args, sonyPronto(3, 1));
        EXPECT_EQ(run.code, 2) << args.join(' ').toStdString() << run.err.toStdString();
        unchanged();
    }

    // A table file with a conversion error is not written over.
    QByteArray broken = tableBefore;
    broken.replace("Twp:0:0", "Twp:0:x");
    put(table, broken);
    run = runZevo3({QStringLiteral("import"), table, QStringLiteral("pronto"), QStringLiteral("-")},
                   sonyPronto(3, 1));
    EXPECT_EQ(run.code, 2) << run.err.toStdString();
    EXPECT_EQ(file(table), broken);
    EXPECT_EQ(file(layout), layoutBefore);
}

// A new table beside a layout file that is already there (the table was
// moved away, or is about to be made again): the import makes the table, and
// the layout file the operator arranged is not replaced by an empty one.
TEST_F(Zevo3Interchange, ANewTableLeavesALayoutFileThatIsAlreadyThere) {
    LayoutData arranged;
    arranged.setCell(1, 1, "1(F03:W01)");
    put(layout, SaveLayoutFile(arranged, layout));
    const QByteArray layoutBefore = file(layout);
    ASSERT_FALSE(QFile::exists(table));
    const Outcome run =
        runZevo3({QStringLiteral("import"), table, QStringLiteral("pronto"), QStringLiteral("-")},
                 sonyPronto(21, 1) + "\n");
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(table));
    EXPECT_EQ(file(layout), layoutBefore);
}
