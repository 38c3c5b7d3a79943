// Where the table print puts every text.

#include "table_print.h"

#include <gtest/gtest.h>
#include <memory>

using namespace zevo3;

namespace {

// Letters 10 wide, lines 20 high, every text 10 per character.
TablePrintPlan plan(const CodeTable &table, int pageHeight) {
    return planTablePrint(table, QStringLiteral("codes.Csv"), QDate(2026, 12, 8), 10, 20, 2000,
                          pageHeight, [](const QString &text) { return int(text.size()) * 10; });
}

} // namespace

TEST(TablePrint, HeaderThenOneLinePerOccupiedRow) {
    auto table = std::make_unique<CodeTable>();
    for (int row : {1, 2, 5})
        table->setCell(row, CodeTable::kColCarry, "38.0kHz");
    table->setCell(5, CodeTable::kColComments, "TV");
    table->setCell(5, CodeTable::kColResult, "01FE");
    table->setCell(7, CodeTable::kColFrames, "3"); // no Carry: not printed
    table->setCell(9, CodeTable::kColCarry, " ");  // blanks count as occupied here
    const TablePrintPlan p = plan(*table, 3000);
    EXPECT_EQ(p.pages, 1);
    ASSERT_EQ(p.texts.size(), 2u + 4 * 4);
    EXPECT_EQ(p.texts[0], (PrintedText{0, {100, 100}, QStringLiteral("File: codes.Csv")}));
    // The date ends ten letters before the right edge.
    EXPECT_EQ(p.texts[1],
              (PrintedText{0, {2000 - 15 * 10 - 100, 100}, QStringLiteral("Date：2026/12/08")}));
    EXPECT_EQ(p.texts[2], (PrintedText{0, {100, 140}, QStringLiteral("[001]:")}));
    EXPECT_EQ(p.texts[6].text, QStringLiteral("[002]:"));
    EXPECT_EQ(p.texts[6].at, QPoint(100, 160));
    EXPECT_EQ(p.texts[10], (PrintedText{0, {100, 180}, QStringLiteral("[005]:")}));
    EXPECT_EQ(p.texts[11], (PrintedText{0, {160, 180}, QStringLiteral("38.0kHz")}));
    EXPECT_EQ(p.texts[12], (PrintedText{0, {260, 180}, QStringLiteral("TV")}));
    EXPECT_EQ(p.texts[13], (PrintedText{0, {660, 180}, QStringLiteral("01FE")}));
    EXPECT_EQ(p.texts[14].text, QStringLiteral("[009]:"));
}

TEST(TablePrint, RowsRunOnToNewPagesAndABreakFollowsTheLastRowToo) {
    auto table = std::make_unique<CodeTable>();
    EXPECT_EQ(plan(*table, 3000).pages, 1); // the header alone
    EXPECT_EQ(plan(*table, 3000).texts.size(), 2u);
    for (int row = 1; row <= 6; ++row)
        table->setCell(row, CodeTable::kColCarry, "x");
    // Rows at 140, 160, 180, 200; after the row at 200 the next line (220)
    // plus 100 passes 310: rows 5 and 6 go to the next page at 100, 120.
    const TablePrintPlan p = plan(*table, 310);
    EXPECT_EQ(p.pages, 2);
    EXPECT_EQ(p.texts[2 + 4 * 3].at, QPoint(100, 200));
    EXPECT_EQ(p.texts[2 + 4 * 4], (PrintedText{1, {100, 100}, QStringLiteral("[005]:")}));
    EXPECT_EQ(p.texts[2 + 4 * 5].at, QPoint(100, 120));
    // Four rows fill the first page exactly: the break after the last row
    // still makes a second, empty page.
    auto four = std::make_unique<CodeTable>();
    for (int row = 1; row <= 4; ++row)
        four->setCell(row, CodeTable::kColCarry, "x");
    EXPECT_EQ(plan(*four, 310).pages, 2);
}
