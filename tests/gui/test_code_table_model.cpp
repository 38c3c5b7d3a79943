#include "code_table_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <memory>

using namespace zevo3;

TEST(CodeTableModel, PassesTheModelTesterAndKeepsCp932Bytes) {
    auto table = std::make_unique<CodeTable>();
    CodeTableModel model(*table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    EXPECT_EQ(model.rowCount(), 70);
    EXPECT_EQ(model.data(model.index(69, 0), Qt::DisplayRole), QStringLiteral("070"));
    EXPECT_FALSE(model.flags(model.index(0, CodeTable::kColCarry)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, CodeTable::kColFrames)) & Qt::ItemIsEditable);

    const QModelIndex comments = CodeTableModel::indexFor(model, 5, CodeTable::kColComments);
    ASSERT_TRUE(model.setData(comments, QStringLiteral("無し"), Qt::EditRole));
    EXPECT_EQ(table->cell(5, CodeTable::kColComments), QByteArray("\x96\xb3\x82\xb5"));
    EXPECT_EQ(model.data(comments, Qt::DisplayRole), QStringLiteral("無し"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), comments);
    EXPECT_FALSE(model.setData(model.index(4, 0), QStringLiteral("x"), Qt::EditRole));

    // Rows moved in the table itself reach the views through refresh().
    table->insertRow(1);
    model.refresh();
    EXPECT_EQ(
        model.data(CodeTableModel::indexFor(model, 6, CodeTable::kColComments), Qt::DisplayRole),
        QStringLiteral("無し"));
    EXPECT_EQ(changed.size(), 2);
}
