// The wave text file: the bytes written for a known store, and the reader
// that takes them back or says which line is wrong.

#include "wave_grid.h"
#include "wave_samples.h"
#include "wave_text_file.h"

#include <gtest/gtest.h>

namespace zevo3::test {
namespace {

WaveStore threePulses() {
    WaveStore store;
    store.pulses[0] = {9000, 13500};
    store.pulses[1] = {560, 1120};
    store.pulses[2] = {560, 40000};
    store.lastPulse = 2;
    store.carrier = 380;
    return store;
}

const QByteArray kThree = "38.0kHz,TV power,\r\n"
                          "[No.],   [H],   [L],   [W] (uS)\r\n"
                          "[000],  9000,  4500, 13500\r\n"
                          "[001],   560,   560,  1120\r\n"
                          "[002],   560, 39440, 40000\r\n"
                          "\r\n";

TEST(WaveTextFileTest, WritesTheHeaderOnePulseALineAndAnEmptyLine) {
    EXPECT_EQ(writeWaveText(threePulses(), "38.0kHz", "TV power"), kThree);
    // An empty store writes no old pulse.
    WaveStore empty = threePulses();
    empty.clear();
    EXPECT_EQ(writeWaveText(empty, "", ""),
              QByteArray(",,\r\n[No.],   [H],   [L],   [W] (uS)\r\n\r\n"));
}

TEST(WaveTextFileTest, ReadsBackWhatWasWrittenWhateverTheLineEnds) {
    for (QByteArray bytes : {kThree, QByteArray(kThree).replace("\r\n", "\n"),
                             QByteArray(kThree).chopped(2) /* no closing empty line */}) {
        const WaveFileRead read = readWaveText(bytes);
        ASSERT_TRUE(read.ok) << read.line << ": " << read.message.toStdString();
        EXPECT_EQ(read.carryCell, "38.0kHz");
        EXPECT_EQ(read.commentsCell, "TV power");
        EXPECT_EQ(read.carrier, 380);
        const WaveStore store = threePulses();
        ASSERT_EQ(read.pulses.size(), 3u);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(read.pulses[k], store.pulses[k]);
    }
    // Widths beyond six places are read as written.
    WaveStore wide = threePulses();
    wide.pulses[2] = {560, 1234567};
    EXPECT_EQ(readWaveText(writeWaveText(wide, "", "")).pulses[2], (WavePulse{560, 1234567}));
}

TEST(WaveTextFileTest, AFileThatIsNotAPulseListNamesTheLineAndGivesNoPulses) {
    const QByteArray head = "38.0kHz,TV,\r\n[No.],   [H],   [L],   [W] (uS)\r\n";
    const QByteArray p0 = "[000],  9000,  4500, 13500\r\n";
    using enum WaveFileFault;
    struct Case {
        QByteArray bytes;
        int line;
        WaveFileFault fault;
        const char *says;
    };
    const Case cases[] = {
        {"", 1, Empty, "empty"},
        {"just some text\r\n", 1, NotHeaderLine, "header"},
        {"a,b,c,\r\n", 1, NotHeaderLine, "header"},
        {"38.0kHz,TV,", 1, EndsAfterHeader, "ends after the header"},
        {"38.0kHz,TV,\r\n[No.] [H] [L] [W]\r\n", 2, NotColumnLine, "column line"},
        {head + p0 + "[002],   560,   560,  1120\r\n", 4, IndexOutOfOrder, "[001] was due"},
        {head + p0 + "[001],   560,   560,  1130\r\n", 4, SumNotWidth, "is not W"},
        {head + p0 + "[001],  2000, -1000,  1000\r\n", 4, HighAboveWidth, "greater than W"},
        {head + p0 + "[001],   560,   abc,  1120\r\n", 4, NotThreeNumbers, "three numbers"},
        {head + p0 + "[001],   560,   560\r\n", 4, NotThreeNumbers, "three numbers"},
        {head + p0 + "[001],     0,     0,     0\r\n", 4, OutOfRange, "above 0"},
        {head + p0 + "001,   560,   560,  1120\r\n", 4, NotPulseLine, "pulse line"},
        {head + p0 + "[-01],   560,   560,  1120\r\n", 4, NotPulseLine, "pulse line"},
        {head + p0 + "[001],   560,   560,  1120\r\n\r\n[002],1,1,2\r\n", 6, TextAfterEnd,
         "after the empty"},
        {head + p0 + "\r\n", 4, TooFewPulses, "fewer than two"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const WaveFileRead read = readWaveText(c.bytes);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.line, c.line);
        EXPECT_EQ(read.fault, c.fault);
        EXPECT_TRUE(read.message.contains(QLatin1String(c.says))) << read.message.toStdString();
        EXPECT_TRUE(read.pulses.empty());
    }
}

TEST(WaveTextFileTest, AFaultCarriesTheNumbersOfItsLine) {
    const QByteArray head = "38.0kHz,TV,\r\n[No.],   [H],   [L],   [W] (uS)\r\n";
    const QByteArray p0 = "[000],  9000,  4500, 13500\r\n";
    WaveFileRead read = readWaveText(head + p0 + "[007],   560,   560,  1120\r\n");
    EXPECT_EQ(read.figures.index, 7);
    EXPECT_EQ(read.figures.due, 1);
    read = readWaveText(head + p0 + "[001],   560,   570,  1120\r\n");
    ASSERT_EQ(read.fault, WaveFileFault::SumNotWidth);
    EXPECT_EQ(read.figures.high, 560);
    EXPECT_EQ(read.figures.low, 570);
    EXPECT_EQ(read.figures.width, 1120);
    EXPECT_EQ(readWaveText(kThree).fault, WaveFileFault::None);
}

TEST(WaveTextFileTest, AFileFillsTheStoreWithItsOwnFirstLine) {
    WaveStore store;
    WaveGridData grid;
    store.tableRow = 12;
    fillWaveFromFile(readWaveText(kThree), 20, 15, store, grid);
    EXPECT_EQ(store.lastPulse, 2);
    EXPECT_EQ(store.carrier, 380);
    EXPECT_EQ(store.tableRow, 0); // no row of the table
    ASSERT_TRUE(store.fileHeader.has_value());
    EXPECT_EQ(*store.fileHeader, (WaveFileHeader{"38.0kHz", "TV power"}));
    EXPECT_EQ(grid.cell(WaveGridData::kPno, 3), "2"); // 560/40000 is a pattern of its own
    // Saved again, the file is what it was.
    EXPECT_EQ(writeWaveText(store, store.fileHeader->carry, store.fileHeader->comments), kThree);
    // A refused file fills nothing.
    fillWaveFromFile(readWaveText("x"), 20, 15, store, grid);
    EXPECT_EQ(store.lastPulse, 2);
    EXPECT_TRUE(store.fileHeader.has_value());
    // Clearing forgets the file with the pulses, and so does a row's fill.
    store.clear();
    EXPECT_FALSE(store.fileHeader.has_value());
    fillWaveFromFile(readWaveText(kThree), 20, 15, store, grid);
    CodeTable table;
    putNecRow(table, 4);
    fillWaveFromRow(table, 4, store, grid);
    EXPECT_EQ(store.tableRow, 4);
    EXPECT_FALSE(store.fileHeader.has_value());
}

TEST(WaveTextFileTest, AtMostTheGridsRowsOfPulses) {
    QByteArray bytes = "38.0kHz,,\r\n[No.],   [H],   [L],   [W] (uS)\r\n";
    for (int k = 0; k < 4097; ++k)
        bytes += QStringLiteral("[%1],   560,   560,  1120\r\n")
                     .arg(k, 3, 10, QLatin1Char('0'))
                     .toLatin1();
    const WaveFileRead read = readWaveText(bytes);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.line, 4099); // the 4097th pulse
    EXPECT_TRUE(read.message.contains(QLatin1String("4096")));
    bytes.truncate(bytes.lastIndexOf("[4096]"));
    EXPECT_EQ(readWaveText(bytes).pulses.size(), 4096u);
}

TEST(WaveTextFileTest, CarrierFromTheCarryCell) {
    EXPECT_EQ(carrierFromCell("38.0kHz"), 380);
    EXPECT_EQ(carrierFromCell(" 56.9kHz"), 569);
    EXPECT_EQ(carrierFromCell("38kHz"), 380);
    EXPECT_EQ(carrierFromCell("kHz"), 0);
    EXPECT_EQ(carrierFromCell(""), 0);
    EXPECT_EQ(carrierFromCell("99999999999"), 0);
}

} // namespace
} // namespace zevo3::test
