#include "table_file.h"
#include "text_file.h"

#include <gtest/gtest.h>

#include <memory>

using namespace zevo3;

namespace {

const QByteArray kZeroEntries2ToF =
    "Twp:2:00000 000000,Twp:3:00000 000000,Twp:4:00000 000000,Twp:5:00000 000000,"
    "Twp:6:00000 000000,Twp:7:00000 000000,Twp:8:00000 000000,Twp:9:00000 000000,"
    "Twp:A:00000 000000,Twp:B:00000 000000,Twp:C:00000 000000,Twp:D:00000 000000,"
    "Twp:E:00000 000000,Twp:F:00000 000000,";

const QByteArray kExampleRow = "[001],38.0kHz,3,TV power,01FE,Twc:380,Twb:005,Twr:000,"
                               "Twp:0:00350 000700,Twp:1:00350 001400," +
                               kZeroEntries2ToF + "Twd:011022,";

const QByteArray kNone = "\x96\xb3\x82\xb5"; // "無し"

std::unique_ptr<CodeTable> newTable() {
    return std::make_unique<CodeTable>();
}

// The example row of the file format: 38.0kHz, 3 frames, TV power, 01FE,
// carrier 380, codes 0 1 1 0 2, entries (350, 700) and (350, 1400).
void setExampleRow(CodeTable &table, int row) {
    table.setCell(row, 1, "38.0kHz");
    table.setCell(row, 2, "3");
    table.setCell(row, 3, "TV power");
    table.setCell(row, 4, "01FE");
    WaveInfo &info = table.waveInfo(row);
    info.Carry = 380;
    info.DataBits = 5;
    const uint8_t codes[] = {0, 1, 1, 0, 2};
    std::copy(std::begin(codes), std::end(codes), info.Pcode.begin());
    info.High[0] = info.High[1] = 350;
    info.Width[0] = 700;
    info.Width[1] = 1400;
}

QByteArray fileOf(std::initializer_list<QByteArray> lines, const char *end = "\r\n") {
    QByteArray file;
    for (const QByteArray &line : lines)
        file += line + end;
    return file;
}

} // namespace

TEST(TableFileWrite, ExampleRowLinesByteForByte) {
    auto table = newTable();
    setExampleRow(*table, 1);
    EXPECT_EQ(TableRowLine(*table, 1), kExampleRow);
    EXPECT_EQ(TableRowLine(*table, 12), "[012],,,,,Twc:000,Twb:000,Twr:000,Twp:0:00000 000000,"
                                        "Twp:1:00000 000000," +
                                            kZeroEntries2ToF + "Twd:,");

    const QByteArray file = WriteTableFile(*table);
    EXPECT_TRUE(file.startsWith("ZEVO4 Table File\r\n" + kExampleRow + "\r\n[002],,,"));
    EXPECT_EQ(file.count("\r\n"), 71);
    EXPECT_EQ(file.count('\n'), 71);
    EXPECT_TRUE(file.endsWith("[070],,,,,Twc:000,Twb:000,Twr:000,Twp:0:00000 000000,"
                              "Twp:1:00000 000000," +
                              kZeroEntries2ToF + "Twd:,\r\n"));
}

TEST(TableFileWrite, CellsAreTrimmedAndKeptInTheirColumns) {
    auto table = newTable();
    table->setCell(3, 1, " \t38.0kHz \x01");
    table->setCell(3, 2, "a,b");
    table->setCell(3, 3, "two\r\nlines");
    table->setCell(3, 4, "Twc:999"); // would be read as the carrier
    const QByteArray line = TableRowLine(*table, 3);
    EXPECT_TRUE(line.startsWith("[003],38.0kHz,a\x81\x43"
                                "b,two  lines,Twc\x81\x46"
                                "999,Twc:000,"))
        << line.constData();

    const TableFileRead read = ReadTableFile(WriteTableFile(*table));
    EXPECT_EQ(read.table.cell(3, 2), "a\x81\x43"
                                     "b");
    EXPECT_EQ(read.table.cell(3, 4), "Twc\x81\x46"
                                     "999");
    EXPECT_EQ(read.table.waveInfo(3).Carry, 0);
}

TEST(TableFileRoundTrip, EveryCellAndWaveInfoComesBack) {
    auto table = newTable();
    setExampleRow(*table, 1);
    table->setCell(2, 3, kNone); // CP932 text, byte for byte
    table->setCell(2, 1, "  40kHz  ");
    // Values outside the standard widths: negative, and wider than the field.
    WaveInfo &wide = table->waveInfo(2);
    wide.Carry = -380;
    wide.RepeatBit = 123456;
    wide.High[4] = -5;
    wide.Width[4] = -70;
    wide.High[15] = 1234567;
    wide.Width[15] = INT32_MIN;
    // All 4096 codes: a line of more than 8000 characters.
    WaveInfo &full = table->waveInfo(70);
    full.Carry = 1;
    full.DataBits = WaveInfo::kPcodes;
    for (int i = 0; i < WaveInfo::kPcodes; ++i)
        full.Pcode[size_t(i)] = uint8_t((i * 7) % 16);

    const QByteArray file = WriteTableFile(*table);
    const TableFileRead read = ReadTableFile(file);
    EXPECT_TRUE(read.identified);
    EXPECT_TRUE(read.complete());
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.rows, 70);
    EXPECT_EQ(read.end, TableReadEnd::EndOfFile);

    auto expected = newTable();
    *expected = *table;
    expected->setCell(2, 1, "40kHz");
    // The odd count's repeated last digit is stored after the meaningful ones.
    expected->waveInfo(1).Pcode[5] = 2;
    EXPECT_TRUE(read.table == *expected);
    EXPECT_EQ(read.table.cell(2, 3), kNone);
    EXPECT_EQ(read.table.waveInfo(2), wide);
    EXPECT_EQ(read.table.waveInfo(70), full);
    EXPECT_EQ(WriteTableFile(read.table), file);
}

TEST(TableFileRead, RowLinesFillRowsInFileOrder) {
    QByteArray row5 = kExampleRow;
    row5.replace(0, 5, "[005]");
    const QByteArray file = fileOf({"ZEVO4 Table File", row5, "[003],second,,,,Twc:001,"});
    const TableFileRead read = ReadTableFile(file);
    EXPECT_EQ(read.rows, 2);
    EXPECT_EQ(read.table.cell(1, 1), "38.0kHz");
    EXPECT_EQ(read.table.waveInfo(1).Carry, 380);
    EXPECT_EQ(read.table.cell(2, 1), "second");
    EXPECT_FALSE(read.table.occupied(3));
    EXPECT_FALSE(read.table.occupied(5));

    // The same with LF and with CR line ends, and without a final line end.
    EXPECT_TRUE(
        ReadTableFile(fileOf({"ZEVO4 Table File", row5, "[003],second,,,,Twc:001,"}, "\n")).table ==
        read.table);
    EXPECT_TRUE(
        ReadTableFile(fileOf({"ZEVO4 Table File", row5, "[003],second,,,,Twc:001,"}, "\r")).table ==
        read.table);
    EXPECT_TRUE(ReadTableFile(file.chopped(2)).table == read.table);
}

TEST(TableFileRead, IdentificationLine) {
    TableFileRead read = ReadTableFile("ZEVO4 Table File\r\n");
    EXPECT_TRUE(read.identified);
    EXPECT_EQ(read.rows, 0);
    EXPECT_TRUE(read.complete());
    EXPECT_TRUE(read.problems.empty());
    EXPECT_TRUE(read.table == CodeTable());

    EXPECT_TRUE(ReadTableFile("saved by: ZEVO4 Table File v2\n[001],x,").identified);

    // Without it, line 1 is lost even when it is a row line.
    read = ReadTableFile(fileOf({kExampleRow, "[002],second,", "[003],third,"}));
    EXPECT_FALSE(read.identified);
    EXPECT_EQ(read.rows, 2);
    EXPECT_EQ(read.table.cell(1, 1), "second");
    EXPECT_EQ(read.table.cell(2, 1), "third");
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].line, 1);
    EXPECT_FALSE(read.problems[0].error);

    read = ReadTableFile({});
    EXPECT_FALSE(read.identified);
    EXPECT_EQ(read.rows, 0);
}

TEST(TableFileRead, TwoDigitPrefixCarriesThreeTextFields) {
    const TableFileRead read = ReadTableFile(
        fileOf({"ZEVO4 Table File", "[01],38.0kHz,3,TV power,Twc:380,Twp:F:00010 000020,Twd:12,"}));
    EXPECT_EQ(read.table.cell(1, 3), "TV power");
    EXPECT_EQ(read.table.cell(1, 4), "");
    const WaveInfo &info = read.table.waveInfo(1);
    EXPECT_EQ(info.Carry, 380);
    EXPECT_EQ(info.High[15], 10);
    EXPECT_EQ(info.Width[15], 20);
    EXPECT_EQ(info.Pcode[1], 2);
}

TEST(TableFileRead, FieldsAreFoundByTagAndTheLastCharacterClosesAField) {
    // No Result field: the tagged field in its place is read by its tag. The
    // line lacks its final comma, so its last character is taken as one.
    const TableFileRead read = ReadTableFile(
        fileOf({"ZEVO4 Table File", "[001], a ,b,c,Twr:007,Twc:zz,Twp:3:00350 000700,Twd:0110"}));
    EXPECT_EQ(read.table.cell(1, 1), " a ");
    EXPECT_EQ(read.table.cell(1, 4), "");
    const WaveInfo &info = read.table.waveInfo(1);
    EXPECT_EQ(info.RepeatBit, 7);
    EXPECT_EQ(info.Carry, 0);
    EXPECT_EQ(info.High[3], 350);
    EXPECT_EQ(info.Width[3], 700);
    EXPECT_EQ(info.Pcode[2], 1);
    EXPECT_EQ(info.Pcode[3], 0);
    ASSERT_EQ(read.problems.size(), 1u); // the carrier read as 0, reading went on
    EXPECT_EQ(read.problems[0].line, 2);
    EXPECT_EQ(read.problems[0].field, 6);
    EXPECT_FALSE(read.problems[0].error);
    EXPECT_TRUE(read.complete());
}

TEST(TableFileRead, ConversionErrorKeepsTheRowsBeforeIt) {
    const TableFileRead read = ReadTableFile(fileOf({
        "ZEVO4 Table File",
        kExampleRow,
        "[002],bad,,,,Twc:380,Twb:004,Twr:000,Twp:0:00350 000700,Twd:01G0,",
        "[003],after,",
    }));
    EXPECT_FALSE(read.complete());
    EXPECT_EQ(read.end, TableReadEnd::ConversionError);
    EXPECT_EQ(read.endLine, 3);
    EXPECT_EQ(read.rows, 1);
    EXPECT_EQ(read.table.cell(1, 1), "38.0kHz");
    EXPECT_FALSE(read.table.occupied(2)); // the row in error is not kept half read
    EXPECT_EQ(read.table.waveInfo(2), WaveInfo());
    EXPECT_FALSE(read.table.occupied(3));
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].line, 3);
    EXPECT_EQ(read.problems[0].field, 10); // prefix, 4 cells, Twc, Twb, Twr, Twp, Twd
    EXPECT_TRUE(read.problems[0].error);
    EXPECT_TRUE(read.problems[0].message.contains(QStringLiteral("Twd")))
        << read.problems[0].message.toStdString();

    for (const char *bad : {"Twp:G:00350 000700", "Twp:1:0x350 000700", "Twp:1:00350"}) {
        const TableFileRead r =
            ReadTableFile(fileOf({"ZEVO4 Table File", "[001],,,,," + QByteArray(bad) + ","}));
        EXPECT_EQ(r.end, TableReadEnd::ConversionError) << bad;
    }
}

TEST(TableFileRead, NeverPastTheTableWhateverTheFileHolds) {
    // 5000 pattern codes: the first 4096 are kept.
    QByteArray codes(5000, '7');
    codes[4095] = 'c';
    codes[4096] = 'D';
    TableFileRead read =
        ReadTableFile(fileOf({"ZEVO4 Table File", "[001],x,,,,Twb:5000,Twd:" + codes + ","}));
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(read.table.waveInfo(1).DataBits, 5000);
    EXPECT_EQ(read.table.waveInfo(1).Pcode[4094], 7);
    EXPECT_EQ(read.table.waveInfo(1).Pcode[4095], 12);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_FALSE(read.problems[0].error);

    // 75 row lines: 70 are read.
    QByteArray file = "ZEVO4 Table File\n";
    for (int r = 1; r <= 75; ++r)
        file += "[" + QByteArray::number(r) + "],row" + QByteArray::number(r) + ",\n";
    read = ReadTableFile(file);
    EXPECT_EQ(read.rows, 70);
    EXPECT_EQ(read.table.cell(70, 1), "row70");
    EXPECT_EQ(read.end, TableReadEnd::TableFull);
    EXPECT_EQ(read.endLine, 72);
}

TEST(TableFileRead, ALineNotBeginningWithABracketEndsTheRows) {
    const TableFileRead read =
        ReadTableFile(fileOf({"ZEVO4 Table File", "[001],one,", "", "[002],two,", " [003],"}));
    EXPECT_EQ(read.rows, 1);
    EXPECT_EQ(read.end, TableReadEnd::NotARowLine);
    EXPECT_EQ(read.endLine, 3);
    ASSERT_EQ(read.problems.size(), 1u); // the row line after it is not read
    EXPECT_EQ(read.problems[0].line, 3);
    EXPECT_FALSE(read.table.occupied(2));
}

TEST(TableLoadLog, OneLinePerRowWithATimingDescription) {
    auto table = newTable();
    setExampleRow(*table, 1);
    table->waveInfo(3).Carry = 1;
    table->waveInfo(3).DataBits = 1;
    table->waveInfo(3).Pcode[0] = 0xA;
    table->setCell(2, 1, "no description");
    const std::vector<QByteArray> log = TableLoadLog(*table);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "[001] Twc:380,Twb:005,Twr:000,Twp:0:00350 000700,Twp:1:00350 001400," +
                          kZeroEntries2ToF + "Twd:011022");
    EXPECT_TRUE(log[1].startsWith("[003] Twc:001,Twb:001,"));
    EXPECT_TRUE(log[1].endsWith(",Twd:AA"));
}

TEST(TextLines, EveryKindOfLineEnd) {
    const auto lines = textLines("a\r\nb\nc\rd\r\r\n\n\re");
    const std::vector<QByteArrayView> expected = {"a", "b", "c", "d", "", "", "", "e"};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(textLines("").empty());
    EXPECT_EQ(textLines("x\r\n").size(), 1u);
}
