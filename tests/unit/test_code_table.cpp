#include "code_table.h"

#include <gtest/gtest.h>

#include <memory>

using namespace zevo3;

namespace {

// Row r carries its number in every cell and in its WaveInfo, so that a row
// can be recognised wherever it moves.
void fillRow(CodeTable &table, int row, int tag) {
    const QByteArray t = QByteArray::number(tag);
    table.setCell(row, CodeTable::kColCarry, "38." + t + "kHz");
    table.setCell(row, CodeTable::kColFrames, t);
    table.setCell(row, CodeTable::kColComments, "comment " + t);
    table.setCell(row, CodeTable::kColResult, "R" + t);
    WaveInfo &info = table.waveInfo(row);
    info.Carry = 300 + tag;
    info.DataBits = tag;
    info.RepeatBit = -tag;
    info.High[15] = tag;
    info.Width[0] = 1000 + tag;
    info.Pcode[WaveInfo::kPcodes - 1] = uint8_t(tag % 16);
}

// Which fillRow tag the row holds, 0 for an entirely empty row, -1 for anything else.
int tagOf(const CodeTable &table, int row) {
    if (table.cell(row, CodeTable::kColCarry).isEmpty() && table.waveInfo(row) == WaveInfo() &&
        table.cell(row, CodeTable::kColResult).isEmpty())
        return 0;
    CodeTable probe;
    const int tag = table.cell(row, CodeTable::kColFrames).toInt();
    fillRow(probe, 1, tag);
    for (int c = 1; c <= 4; ++c)
        if (probe.cell(1, c) != table.cell(row, c)) return -1;
    return probe.waveInfo(1) == table.waveInfo(row) ? tag : -1;
}

class CodeTableRows : public ::testing::Test {
protected:
    void SetUp() override {
        for (int r = 1; r <= CodeTable::kRows; ++r)
            fillRow(table, r, r);
    }
    // The table is 300 KB; kept off the stack.
    std::unique_ptr<CodeTable> owned = std::make_unique<CodeTable>();
    CodeTable &table = *owned;
};

} // namespace

TEST(CodeTableCells, TrimmingOccupationAndNumbers) {
    EXPECT_EQ(trimmedCell(" \t\x01 38.0 kHz\r\n\x1f"), QByteArray("38.0 kHz"));
    EXPECT_EQ(trimmedCell(" \x81\x40 "), QByteArray("\x81\x40")); // a full-width blank is text
    auto table = std::make_unique<CodeTable>();
    table->setCell(4, CodeTable::kColCarry, " \t\x02 ");
    table->setCell(4, CodeTable::kColComments, "text elsewhere");
    EXPECT_FALSE(table->occupied(4));
    table->setCell(4, CodeTable::kColCarry, " x ");
    EXPECT_TRUE(table->occupied(4));

    int32_t v = 99;
    EXPECT_TRUE(parseDecimal("-0005", &v));
    EXPECT_EQ(v, -5);
    EXPECT_TRUE(parseDecimal("-2147483648", &v));
    EXPECT_EQ(v, INT32_MIN);
    v = 99;
    for (const char *bad : {"", "-", "12a", " 12", "2147483648", "-2147483649", "0x10"})
        EXPECT_FALSE(parseDecimal(bad, &v)) << bad;
    EXPECT_EQ(v, 99);
}

TEST_F(CodeTableRows, NextFreeRowSearchesDownToRow69) {
    EXPECT_EQ(table.nextFreeRow(1), 0); // all occupied
    table.setCell(70, CodeTable::kColCarry, {});
    EXPECT_EQ(table.nextFreeRow(1), 0); // row 70 is never chosen
    table.setCell(40, CodeTable::kColCarry, " ");
    table.setCell(20, CodeTable::kColCarry, {});
    EXPECT_EQ(table.nextFreeRow(0), 20);
    EXPECT_EQ(table.nextFreeRow(20), 20);
    EXPECT_EQ(table.nextFreeRow(21), 40);
    EXPECT_EQ(table.nextFreeRow(41), 0);
    EXPECT_EQ(table.nextFreeRow(70), 0);
}

TEST_F(CodeTableRows, PasteCopiesCellsAndWaveInfoAsTheyAreAtPasteTime) {
    CopyMark mark;
    EXPECT_FALSE(mark.canPaste());
    EXPECT_TRUE(table.paste(mark.row, 9).empty());
    mark.copy(5);
    ASSERT_TRUE(mark.canPaste());
    table.setCell(5, CodeTable::kColComments, "changed after copy");
    table.waveInfo(5).Pcode[17] = 9;
    EXPECT_EQ(table.paste(mark.row, 9), (RowRange{9, 9}));
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(table.cell(9, c), table.cell(5, c));
    EXPECT_EQ(table.waveInfo(9), table.waveInfo(5));
    EXPECT_EQ(mark.row, 5); // the mark stays for another paste

    // Onto itself or the header row: nothing.
    EXPECT_TRUE(table.paste(5, 5).empty());
    EXPECT_TRUE(table.paste(5, 0).empty());
    EXPECT_EQ(tagOf(table, 4), 4);
    mark.copy(0); // no table row: the mark stays
    EXPECT_EQ(mark.row, 5);
}

TEST_F(CodeTableRows, DeleteMovesRowsUpWithTheirWaveInfo) {
    EXPECT_EQ(table.deleteRow(1), (RowRange{1, 70}));
    for (int r = 1; r < 70; ++r)
        EXPECT_EQ(tagOf(table, r), r + 1) << r;
    EXPECT_EQ(tagOf(table, 70), 0);
    EXPECT_EQ(CodeTable::rowNumberText(1), "001");

    SetUp();
    EXPECT_EQ(table.deleteRow(70), (RowRange{70, 70}));
    EXPECT_EQ(tagOf(table, 69), 69);
    EXPECT_EQ(tagOf(table, 70), 0);
    EXPECT_TRUE(table.deleteRow(0).empty());
}

TEST_F(CodeTableRows, InsertMovesRowsDownAndDropsRow70) {
    EXPECT_EQ(table.insertRow(10), (RowRange{10, 70}));
    for (int r = 1; r < 10; ++r)
        EXPECT_EQ(tagOf(table, r), r);
    EXPECT_EQ(tagOf(table, 10), 0);
    for (int r = 11; r <= 70; ++r)
        EXPECT_EQ(tagOf(table, r), r - 1) << r;

    SetUp();
    EXPECT_EQ(table.insertRow(70), (RowRange{70, 70}));
    EXPECT_EQ(tagOf(table, 69), 69);
    EXPECT_EQ(tagOf(table, 70), 0);
    EXPECT_TRUE(table.insertRow(71).empty());
}

TEST_F(CodeTableRows, CopyMarkIsARowNumberNotARow) {
    // Copy row 5, delete row 3, paste on row 10: row 10 gets what row 5 holds
    // now, the former row 6.
    CopyMark mark;
    mark.copy(5);
    table.deleteRow(3);
    table.paste(mark.row, 10);
    EXPECT_EQ(tagOf(table, 10), 6);
    table.insertRow(1);
    table.paste(mark.row, 11);
    EXPECT_EQ(tagOf(table, 11), 5);
}

TEST_F(CodeTableRows, NewEmptiesEverythingButPasteStillWorks) {
    CopyMark mark;
    mark.copy(7);
    table.ClearTable();
    for (int r = 1; r <= 70; ++r)
        ASSERT_EQ(tagOf(table, r), 0) << r;
    fillRow(table, 12, 12);
    EXPECT_EQ(table.paste(mark.row, 12), (RowRange{12, 12}));
    EXPECT_EQ(tagOf(table, 12), 0);

    fillRow(table, 3, 3);
    table.ClearWaveInfo(3);
    EXPECT_EQ(table.waveInfo(3), WaveInfo());
    EXPECT_EQ(table.cell(3, CodeTable::kColFrames), "3");
}
