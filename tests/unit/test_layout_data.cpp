#include "layout_data.h"
#include "layout_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zevo3;

TEST(LayoutCellText, WrittenAndReadByFixedPositions) {
    EXPECT_EQ(layoutCellText(12, 3, 1), "012(F03:W01)");
    EXPECT_EQ(layoutCellText(70, 99, 0), "070(F99:W00)");
    EXPECT_EQ(readLayoutCell("012(F03:W15)"), (LayoutCell{12, 3, 15}));
    // Not numbers: the defaults 0, 3 and 1.
    EXPECT_EQ(readLayoutCell("abc(Fxx:Wyy)"), (LayoutCell{0, 3, 1}));
    // Positions, not separators: a shifted text reads wrongly, as it always did.
    EXPECT_EQ(readLayoutCell("0120(F3:W05)"), (LayoutCell{12, 3, 5}));
    EXPECT_EQ(layoutCellFramesText("012(F03:W15)"), "03");
    EXPECT_EQ(layoutCellWaitText("012(F03:W15)"), "15");

    EXPECT_TRUE(isLayoutCellText("000(F00:W00)"));
    for (const char *bad :
         {"", "12(F03:W01)", "012(F03:W01) ", "012(F3:W001)", "012[F03:W01)", "-12(F03:W01)"})
        EXPECT_FALSE(isLayoutCellText(bad)) << bad;
}

TEST(LayoutEditing, AssignWritesTheCellAndAdvances) {
    LayoutData layout;
    std::optional<Assignment> done = layout.SetLayoutCell(3, 1, 12, 3, 15);
    ASSERT_TRUE(done);
    EXPECT_EQ(layout.cell(3, 1), "012(F03:W15)");
    EXPECT_EQ(done->status, "3:12");
    EXPECT_EQ(done->nextColumn, 2);
    EXPECT_TRUE(done->resetWait);

    done = layout.SetLayoutCell(3, 8, 5, 2, 1);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->nextColumn, 8); // column 8 keeps the cursor
    EXPECT_FALSE(done->resetWait);

    // Overwritten without a question.
    ASSERT_TRUE(layout.SetLayoutCell(3, 1, 70, 0, 0));
    EXPECT_EQ(layout.cell(3, 1), "070(F00:W00)");

    // Values that do not fit the cell text are refused.
    for (auto [code, frames, wait] :
         {std::tuple{0, 3, 1}, {71, 3, 1}, {1, 100, 1}, {1, 3, 100}, {1, -1, 1}, {1, 3, -1}})
        EXPECT_FALSE(layout.SetLayoutCell(4, 1, code, frames, wait));
    EXPECT_FALSE(layout.SetLayoutCell(16, 1, 1, 3, 1));
    EXPECT_FALSE(layout.SetLayoutCell(1, 9, 1, 3, 1));
    EXPECT_EQ(layout.cell(4, 1), "");
}

TEST(LayoutEditing, SelectingACellFollowsItsCode) {
    LayoutData layout;
    EXPECT_FALSE(layout.selectCell(1, 1)); // empty
    layout.setCell(1, 2, "000(F03:W01)");
    layout.setCell(1, 3, "abc");
    layout.setCell(1, 4, "071(F03:W01)"); // no such table row
    layout.setCell(1, 5, "-01(F03:W01)");
    for (int c = 2; c <= 5; ++c)
        EXPECT_FALSE(layout.selectCell(1, c)) << c;
    layout.setCell(1, 6, "012(F0x:W15)");
    const std::optional<CellFollow> follow = layout.selectCell(1, 6);
    ASSERT_TRUE(follow);
    EXPECT_EQ(follow->code, 12);
    EXPECT_EQ(follow->framesText, "0x"); // as it stands
    EXPECT_EQ(follow->waitText, "15");
}

TEST(LayoutEditing, AssigningNextToAnOccupiedCell) {
    // The form's sequence: assign, select the next cell (the table and the
    // boxes follow it), then the Wait box goes back to 01.
    LayoutData layout;
    layout.setCell(2, 4, "033(F07:W09)");
    QByteArray framesBox = "05", waitBox = "04";
    const std::optional<Assignment> done = layout.SetLayoutCell(2, 3, 12, 5, 4);
    ASSERT_TRUE(done);
    int tableRow = 12;
    if (const auto follow = layout.selectCell(done->row, done->nextColumn)) {
        tableRow = follow->code;
        framesBox = follow->framesText;
        waitBox = follow->waitText;
    }
    if (done->resetWait) waitBox = "01";
    EXPECT_EQ(tableRow, 33);
    EXPECT_EQ(framesBox, "07");
    EXPECT_EQ(waitBox, "01");
}

TEST(LayoutEditing, DeleteInThreeDirections) {
    auto filled = [] {
        LayoutData layout;
        for (int r = 1; r <= LayoutData::kRows; ++r)
            for (int c = 1; c <= LayoutData::kColumns; ++c)
                layout.setCell(r, c, layoutCellText(r, c, 1));
        return layout;
    };
    auto emptied = [](const LayoutData &layout) {
        int n = 0;
        for (const auto &row : layout.cells())
            for (const QByteArray &cell : row)
                n += cell.isEmpty();
        return n;
    };

    LayoutData layout = filled();
    EXPECT_EQ(layout.deleteCells(15, 3, DeleteDirection::Column), (CellRect{15, 3, 15, 3}));
    EXPECT_EQ(emptied(layout), 1);
    EXPECT_EQ(layout.cell(15, 3), "");

    layout = filled();
    EXPECT_EQ(layout.deleteCells(4, 6, DeleteDirection::Row), (CellRect{4, 6, 4, 8}));
    EXPECT_EQ(emptied(layout), 3);
    EXPECT_EQ(layout.cell(4, 5), layoutCellText(4, 5, 1));

    layout = filled();
    EXPECT_EQ(layout.deleteCells(5, 2, DeleteDirection::Column), (CellRect{5, 2, 15, 2}));
    EXPECT_EQ(emptied(layout), 11);

    layout = filled();
    layout.currentFile = QStringLiteral("/x/a.ZV3");
    layout.deleteCells(1, 1, DeleteDirection::Both);
    EXPECT_EQ(emptied(layout), 120);
    EXPECT_EQ(layout.currentFile, QStringLiteral("/x/a.ZV3"));
    EXPECT_TRUE(layout.deleteCells(0, 1, DeleteDirection::Both).empty());

    layout = filled();
    layout.InitLayout();
    EXPECT_EQ(emptied(layout), 120);
    EXPECT_TRUE(layout.currentFile.isEmpty());
}

TEST(LayoutEditing, WindowPlacementAtTheRightOfTheScreen) {
    EXPECT_EQ(layoutWindowPlacement(1920, 40, 800, 664), (WindowPlacement{1236, 40, 416}));
    // The main window never goes past the left edge.
    EXPECT_EQ(layoutWindowPlacement(1024, 0, 800, 664), (WindowPlacement{340, 0, 0}));
}

TEST(LayoutModel, PassesTheModelTesterThroughEveryOperation) {
    LayoutData layout;
    LayoutModel model(layout);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    EXPECT_EQ(model.rowCount(), 15);
    EXPECT_EQ(model.columnCount(), 9);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole), QStringLiteral("CNo."));
    EXPECT_EQ(model.headerData(8, Qt::Horizontal, Qt::DisplayRole), QStringLiteral("R08(Fct:Wct)"));
    EXPECT_EQ(model.data(model.index(2, 0), Qt::DisplayRole), QStringLiteral("  3"));
    EXPECT_EQ(model.data(model.index(14, 0), Qt::DisplayRole), QStringLiteral(" 15"));
    EXPECT_FALSE(model.flags(model.cellIndex(1, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsSelectable);

    ASSERT_TRUE(model.SetLayoutCell(2, 3, 12, 3, 1));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), model.cellIndex(2, 3));
    EXPECT_EQ(model.data(model.cellIndex(2, 3), Qt::DisplayRole), QStringLiteral("012(F03:W01)"));
    EXPECT_FALSE(model.SetLayoutCell(2, 3, 12, 300, 1));
    EXPECT_EQ(changed.size(), 1);

    EXPECT_TRUE(model.setData(model.cellIndex(1, 1), QStringLiteral("005(F01:W02)"), Qt::EditRole));
    EXPECT_EQ(layout.cell(1, 1), "005(F01:W02)");
    EXPECT_FALSE(model.setData(model.cellIndex(1, 1), QStringLiteral("5(F01:W02)"), Qt::EditRole));
    EXPECT_FALSE(
        model.setData(model.cellIndex(1, 1), QStringLiteral("099(F01:W02)"), Qt::EditRole));
    EXPECT_FALSE(model.setData(model.index(0, 0), QString(), Qt::EditRole));
    EXPECT_EQ(layout.cell(1, 1), "005(F01:W02)");
    EXPECT_TRUE(model.setData(model.cellIndex(1, 1), QString(), Qt::EditRole));
    EXPECT_EQ(changed.size(), 3);

    changed.clear();
    model.deleteCells(2, 2, DeleteDirection::Row);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), model.cellIndex(2, 2));
    EXPECT_EQ(changed[0][1].value<QModelIndex>(), model.cellIndex(2, 8));
    EXPECT_EQ(layout.cell(2, 3), "");

    LayoutData loaded;
    loaded.setCell(15, 8, "070(F03:W01)");
    model.replaceCells(loaded);
    model.InitLayout();
    EXPECT_EQ(reset.size(), 2);
}
