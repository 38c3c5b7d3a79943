// Filling the waveform store and the wave data grid, the grid's clearing, the
// pattern number ranges and the cursor measurement.

#include "wave_grid.h"
#include "wave_samples.h"
#include "wave_store.h"

#include <gtest/gtest.h>

namespace zevo3::test {
namespace {

struct Filled {
    CodeTable table;
    WaveStore store;
    WaveGridData grid;
};

TEST(WaveFillTest, RowFillsStoreAndGridOnePulsePerCode) {
    Filled f;
    putNecRow(f.table, 12);
    const WaveFill fill = fillWaveFromRow(f.table, 12, f.store, f.grid);
    EXPECT_EQ(fill.pulses, 34);
    EXPECT_TRUE(fill.notice.isEmpty()) << fill.notice.toStdString();
    EXPECT_EQ(f.store.lastPulse, 33);
    EXPECT_EQ(f.store.carrier, 380);
    EXPECT_EQ(f.store.tableRow, 12);
    EXPECT_EQ(f.store.pulses[0], (WavePulse{9000, 13500}));
    EXPECT_EQ(f.store.pulses[3], (WavePulse{560, 2250}));
    EXPECT_EQ(f.store.pulses[33], (WavePulse{560, 40000}));
    // Pulse k in row k + 1; numbers right-aligned so that text order is
    // numeric order.
    EXPECT_EQ(f.grid.cell(1, 1), "   9000");
    EXPECT_EQ(f.grid.cell(2, 1), "  13500");
    EXPECT_EQ(f.grid.cell(3, 1), "0");
    EXPECT_EQ(f.grid.cell(3, 4), "2");
    EXPECT_EQ(f.grid.cell(4, 2), "0"); // short low part
    EXPECT_EQ(f.grid.cell(4, 4), "1"); // long low part
    EXPECT_EQ(f.grid.cell(2, 34), "  40000");
    EXPECT_TRUE(f.grid.cell(1, 35).isEmpty());
}

TEST(WaveFillTest, ARefillLeavesNoRowOfTheLongerTrainBefore) {
    Filled f;
    putNecRow(f.table, 1);
    putNecRow(f.table, 2, 10);
    fillWaveFromRow(f.table, 1, f.store, f.grid);
    const WaveFill second = fillWaveFromRow(f.table, 2, f.store, f.grid);
    EXPECT_EQ(second.pulses, 10);
    EXPECT_EQ(f.store.lastPulse, 9);
    EXPECT_FALSE(f.grid.cell(1, 10).isEmpty());
    for (int row = 11; row <= 40; ++row)
        for (int column = 1; column <= 4; ++column)
            ASSERT_TRUE(f.grid.cell(column, row).isEmpty()) << row << "," << column;
}

TEST(WaveFillTest, RowsThatCannotBeShownWholeStopAtTheFirstBadPulseWithANotice) {
    {
        Filled f; // an entry in use with High above Width
        putNecRow(f.table, 5);
        f.table.waveInfo(5).High[2] = 3000;
        const WaveFill fill = fillWaveFromRow(f.table, 5, f.store, f.grid);
        EXPECT_EQ(fill.pulses, 3); // pulses 0..2; pulse 3 uses entry 2
        EXPECT_EQ(f.store.lastPulse, 2);
        EXPECT_TRUE(fill.notice.contains(QStringLiteral("No.005")));
        EXPECT_TRUE(fill.notice.contains(QStringLiteral("パルス 3")));
        EXPECT_TRUE(f.grid.cell(1, 4).isEmpty());
    }
    {
        Filled f; // a pattern entry with no width
        putNecRow(f.table, 5);
        f.table.waveInfo(5).Width[3] = 0;
        EXPECT_EQ(fillWaveFromRow(f.table, 5, f.store, f.grid).pulses, 33);
    }
    {
        Filled f; // more codes than a row holds
        putNecRow(f.table, 5, 5000);
        for (int k = 34; k < WaveInfo::kPcodes; ++k)
            f.table.waveInfo(5).Pcode[k] = 1;
        const WaveFill fill = fillWaveFromRow(f.table, 5, f.store, f.grid);
        EXPECT_EQ(fill.pulses, 4096);
        EXPECT_EQ(f.store.lastPulse, 4095);
        EXPECT_FALSE(fill.notice.isEmpty());
        EXPECT_FALSE(f.grid.cell(1, 4096).isEmpty());
    }
    for (int bits : {0, 1}) {
        Filled f; // a single pulse cannot be told from an empty store
        putNecRow(f.table, 5, bits);
        const WaveFill fill = fillWaveFromRow(f.table, 5, f.store, f.grid);
        EXPECT_EQ(fill.pulses, 0);
        EXPECT_TRUE(f.store.empty());
        EXPECT_FALSE(fill.notice.isEmpty());
        EXPECT_TRUE(f.grid.cell(1, 1).isEmpty());
    }
    {
        Filled f; // no timing description
        const WaveFill fill = fillWaveFromRow(f.table, 9, f.store, f.grid);
        EXPECT_EQ(fill.pulses, 0);
        EXPECT_TRUE(f.store.empty());
        EXPECT_TRUE(fill.notice.contains(QStringLiteral("No.009")));
    }
}

TEST(WaveFillTest, PulsesWithoutPatternCodesAreGroupedWithinTheTolerances) {
    const std::vector<WavePulse> pulses = {{9010, 13480}, {570, 1130},   {540, 2260}, {560, 1110},
                                           {580, 2230},   {9000, 13500}, {700, 1120}};
    // 700 is 25 % above 560: outside a 20 % tolerance on High.
    EXPECT_EQ(classifyPulses(pulses, 20, 15), (std::vector<int>{0, 1, 2, 1, 2, 0, 3}));
    EXPECT_EQ(classifyPulses(pulses, 0, 0), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(WaveGridTest, ClearingStopsAtTheFirstEmptyHighCell) {
    WaveGridData grid;
    for (int k = 0; k < 5; ++k)
        grid.setPulse(k, 100, 200, 1);
    grid.setCell(WaveGridData::kHigh, 3, QByteArray()); // a gap in row 3
    EXPECT_EQ(grid.clearFilledRows(), 2);
    EXPECT_TRUE(grid.cell(2, 1).isEmpty());
    EXPECT_TRUE(grid.cell(4, 2).isEmpty());
    EXPECT_EQ(grid.cell(2, 3), "    200"); // the gap row keeps its other cells
    EXPECT_EQ(grid.cell(1, 4), "    100");
    EXPECT_EQ(grid.cell(1, 5), "    100");
    EXPECT_EQ(WaveGridData::rowLabel(1), "    0");
    EXPECT_EQ(WaveGridData::rowLabel(4096), " 4095");
}

TEST(WaveGridTest, PnoRangeComparesTextsAndLooksAtRowsOneToLastPulse) {
    WaveGridData grid;
    // Pattern 1 in rows 1..4, pattern 2 in row 5; rows of equal width.
    grid.setPulse(0, 560, 1120, 1);
    grid.setPulse(1, 610, 1180, 1);
    grid.setPulse(2, 540, 1090, 1);
    grid.setPulse(3, 9999, 99999, 1); // row 4: beyond lastPulse 3
    grid.setPulse(4, 9000, 13500, 2);
    PnoRange r = showPnoRange(grid, 0, "1", 3);
    EXPECT_TRUE(r.shown);
    EXPECT_EQ(r.hmin.trimmed(), "540");
    EXPECT_EQ(r.hmax.trimmed(), "610");
    EXPECT_EQ(r.wmin.trimmed(), "1090");
    EXPECT_EQ(r.wmax.trimmed(), "1180");
    // A pattern number no examined row carries: shown, all empty.
    r = showPnoRange(grid, 0, "2", 3);
    EXPECT_TRUE(r.shown);
    EXPECT_TRUE(r.hmin.isEmpty() && r.hmax.isEmpty() && r.wmin.isEmpty() && r.wmax.isEmpty());
    // Texts of different lengths compare as texts: "100" sorts before "99".
    WaveGridData odd;
    odd.setCell(1, 1, "99");
    odd.setCell(2, 1, "99");
    odd.setCell(3, 1, " 7 ");
    odd.setCell(1, 2, "100");
    odd.setCell(2, 2, "100");
    odd.setCell(3, 2, "7");
    r = showPnoRange(odd, 0, "7", 2);
    EXPECT_EQ(r.hmin, "100");
    EXPECT_EQ(r.hmax, "99");
    // A store whose grid is empty shows nothing.
    EXPECT_FALSE(showPnoRange(WaveGridData(), 0, "1", 3).shown);
    // A pattern text that is not a number reads as 0.
    odd.setCell(3, 1, "0");
    EXPECT_EQ(showPnoRange(odd, 0, "x", 2).hmin, "99");
}

class MeasureTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Rising edges at 0, 13500, 14620, 16870; the train ends at 56870.
        grid.setPulse(0, 9000, 13500, 0);
        grid.setPulse(1, 560, 1120, 1);
        grid.setPulse(2, 560, 2250, 2);
        grid.setPulse(3, 560, 40000, 3);
    }
    // The mouse at time t (microseconds) at zoom 100.
    static int xAt(int t) { return 10 + t / 100; }
    WaveGridData grid;
};

TEST_F(MeasureTest, HighPartMeasuresToTheRisingEdgeLowPartToTheFallingEdge) {
    WaveMeasurement m = measureWave(grid, 0, -1, xAt(13600), 100);
    EXPECT_EQ(m.micros, 13500);
    EXPECT_EQ(m.text, "tw:13.500mS");
    EXPECT_EQ(m.row, 2);
    m = measureWave(grid, 0, 0, xAt(14100), 100);
    EXPECT_EQ(m.micros, 14060);
    EXPECT_EQ(m.row, 2);
    // A reference at x 10 or less counts from 0.
    EXPECT_EQ(measureWave(grid, 0, 10, xAt(14100), 100).micros, 14060);
}

TEST_F(MeasureTest, TheReferenceIsTheRisingEdgeAfterItsPosition) {
    // Reference inside pulse 1: the next rising edge, 14620.
    WaveMeasurement m = measureWave(grid, 0, xAt(13600), xAt(20000), 100);
    EXPECT_EQ(m.micros, 17430 - 14620);
    EXPECT_EQ(m.row, 4);
    // Measured before the reference: no negative time.
    m = measureWave(grid, 0, xAt(13600), xAt(14100), 100);
    EXPECT_EQ(m.micros, 0);
    EXPECT_EQ(m.text, "tw:0.000mS");
}

TEST_F(MeasureTest, BeyondTheLastPulseMeasuresTheWholeTrainAndMakesTheFirstEmptyRowCurrent) {
    // Pulses 0 to 3 stand in rows 1 to 4; the scan stops at empty row 5.
    const WaveMeasurement m = measureWave(grid, 0, -1, xAt(60000), 100);
    EXPECT_EQ(m.micros, 56870);
    EXPECT_EQ(m.row, 5);
    // A width that is not a number ends the scan at its own row.
    WaveGridData gap = grid;
    gap.setCell(WaveGridData::kWidth, 3, "x");
    const WaveMeasurement cut = measureWave(gap, 0, -1, xAt(60000), 100);
    EXPECT_EQ(cut.micros, 14620);
    EXPECT_EQ(cut.row, 3);
    // An empty grid: nothing to measure, row 1.
    const WaveMeasurement none = measureWave(WaveGridData(), 0, -1, 500, 100);
    EXPECT_EQ(none.micros, 0);
    EXPECT_EQ(none.row, 1);
    // Every row filled and the mouse beyond: the last row, never past it.
    WaveGridData full;
    for (int k = 0; k < WaveGridData::kRows; ++k)
        full.setPulse(k, 1, 2, 0);
    EXPECT_EQ(measureWave(full, 0, -1, 19999, 3000).row, WaveGridData::kRows);
}

TEST(TwTextTest, MillisecondsWithThreeDecimals) {
    EXPECT_EQ(twText(12045), "tw:12.045mS");
    EXPECT_EQ(twText(7), "tw:0.007mS");
    EXPECT_EQ(twText(-5), "tw:0.000mS");
    EXPECT_EQ(twText(int64_t(4096) * 2147483647), "tw:8796093018.112mS");
}

} // namespace
} // namespace zevo3::test

#include "learning.h"

namespace zevo3::test {
namespace {

TEST(LearningTest, TheTimeAsTypedAtLeastFourDigitsAnd200ForWhatIsNotANumber) {
    EXPECT_EQ(learningTimeMessage("500"), "Lend:0500");
    EXPECT_EQ(learningTimeMessage("1000"), "Lend:1000");
    EXPECT_EQ(learningTimeMessage("12345"), "Lend:12345");
    EXPECT_EQ(learningTimeMessage("-5"), "Lend:-005");
    EXPECT_EQ(learningTimeMessage("abc"), "Lend:0200");
    EXPECT_EQ(learningTimeMessage(""), "Lend:0200");
    EXPECT_EQ(learningTimeMessage(" 300 "), "Lend:0300");
    EXPECT_EQ(learningTimeMessage("99999999999"), "Lend:0200");
}

} // namespace
} // namespace zevo3::test
