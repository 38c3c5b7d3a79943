// The code table as the operator works it: row and cell mode, typing into
// cells, Enter, the row menu, the double-click into the layout, New and
// analysis-log mode.

#include "code_table_model.h"
#include "layout_model.h"
#include "main_window_fixture.h"
#include "text_codec.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class CodeTableTest : public MainWindowTest {
protected:
    TfrmMain &open() {
        TfrmMain &w = createAll();
        w.show();
        QApplication::setActiveWindow(&w);
        w.sGrid->setFocus();
        return w;
    }
    QPoint cellPoint(int row, int column) {
        const QModelIndex index = window->tableModel->index(row - 1, column);
        window->sGrid->scrollTo(index);
        return window->sGrid->visualRect(index).center();
    }
    void click(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window->sGrid->viewport(), button, {}, cellPoint(row, column));
    }
    // Through the window system, as a real double-click arrives: press,
    // release, press, double-click, release.
    void doubleClick(int row, int column) {
        QWidget *viewport = window->sGrid->viewport();
        const QPoint at = viewport->mapTo(window.get(), cellPoint(row, column));
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    // Keys go where the focus is, as they would from the keyboard: the grid,
    // or the cell editor once typing opened it.
    void type(const QString &text) {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void key(Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    QByteArray cell(int row, int column) const { return objects->table.cell(row, column); }
    void fillRow(int row, const char *carry, int32_t waveCarry) {
        objects->table.setCell(row, CodeTable::kColCarry, carry);
        objects->table.setCell(row, CodeTable::kColComments, QByteArray("row ") + carry);
        objects->table.waveInfo(row).Carry = waveCarry;
        objects->table.waveInfo(row).Pcode[0] = uint8_t(row % 16);
        window->tableModel->refresh();
    }
};

} // namespace

TEST_F(CodeTableTest, CarrySelectsTheRowOtherColumnsTheCell) {
    TfrmMain &w = open();
    EXPECT_TRUE(w.rowMode()); // at start
    click(4, CodeTable::kColComments);
    EXPECT_FALSE(w.rowMode());
    EXPECT_EQ(w.sGrid->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_EQ(w.sGrid->selectionModel()->selectedIndexes().size(), 1);
    click(6, CodeTable::kColCarry);
    EXPECT_TRUE(w.rowMode());
    EXPECT_EQ(w.currentRow(), 6);
    // The whole row but the fixed LNo. column.
    EXPECT_EQ(w.sGrid->selectionModel()->selectedIndexes().size(), CodeTable::kColumns - 1);
    // The keyboard switches too.
    key(Qt::Key_Right);
    EXPECT_FALSE(w.rowMode());
    // The LNo. column is fixed: neither a click nor the arrow keys reach it.
    click(9, CodeTable::kColNumber);
    EXPECT_EQ(w.currentRow(), 6);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(w.currentColumn(), int(CodeTable::kColCarry));
}

TEST_F(CodeTableTest, TypingEditsFramesCommentsAndResultButNeverCarry) {
    TfrmMain &w = open();
    click(2, CodeTable::kColCarry);
    type(QStringLiteral("x"));
    EXPECT_TRUE(cell(2, CodeTable::kColCarry).isEmpty());
    EXPECT_EQ(w.sGrid->findChild<QLineEdit *>(QStringLiteral("sGridEditor")), nullptr);

    click(2, CodeTable::kColComments);
    type(QStringLiteral("TV power"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(2, CodeTable::kColComments), "TV power");
    // Enter in Comments moved down a row, same column.
    EXPECT_EQ(w.currentRow(), 3);
    EXPECT_EQ(w.currentColumn(), int(CodeTable::kColComments));

    // Enter in Frames does not move.
    click(5, CodeTable::kColFrames);
    type(QStringLiteral("3"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(5, CodeTable::kColFrames), "3");
    EXPECT_EQ(w.currentRow(), 5);

    // Enter in Result on row 70 stays on row 70.
    click(70, CodeTable::kColResult);
    type(QStringLiteral("01FE"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(70, CodeTable::kColResult), "01FE");
    EXPECT_EQ(w.currentRow(), 70);
}

TEST_F(CodeTableTest, TheCellEditorTakesNoCommaAndPastedCommasBecomeFullWidth) {
    TfrmMain &w = open();
    click(1, CodeTable::kColComments);
    EXPECT_TRUE(w.panelText(1).isEmpty());
    type(QStringLiteral("a,b,"));
    // Said once in panel 1, not swallowed without a sign.
    EXPECT_EQ(w.panelText(1), QStringLiteral("カンマはセルに入力出来ません"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(1, CodeTable::kColComments), "ab");

    click(2, CodeTable::kColComments);
    key(Qt::Key_F2);
    QLineEdit *editor = w.sGrid->findChild<QLineEdit *>(QStringLiteral("sGridEditor"));
    ASSERT_NE(editor, nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("TV,power\nx"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_Return);
    EXPECT_EQ(toDisplay(cell(2, CodeTable::kColComments)), QStringLiteral("TV，power x"));

    // A character without a CP932 form is not taken.
    click(3, CodeTable::kColResult);
    key(Qt::Key_F2);
    editor = w.sGrid->findChild<QLineEdit *>(QStringLiteral("sGridEditor"));
    ASSERT_NE(editor, nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("😀"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    type(QStringLiteral("ok"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(3, CodeTable::kColResult), "ok");
}

TEST_F(CodeTableTest, EnterOpensTheRowMenuBesideTheRowOnlyInRowMode) {
    TfrmMain &w = open();
    click(40, CodeTable::kColCarry); // scrolled down to reach it
    key(Qt::Key_Return);
    ASSERT_TRUE(w.ppMenu->isVisible());
    const QRect row = w.sGrid->visualRect(w.tableModel->index(39, CodeTable::kColFrames));
    const QPoint rowTop = w.sGrid->viewport()->mapToGlobal(row.topLeft());
    EXPECT_EQ(w.ppMenu->pos(), w.rowMenuPosition());
    EXPECT_LE(std::abs(w.ppMenu->pos().y() - rowTop.y()), row.height());
    w.ppMenu->close();

    click(40, CodeTable::kColComments);
    key(Qt::Key_Return);
    EXPECT_FALSE(w.ppMenu->isVisible());
}

TEST_F(CodeTableTest, RightButtonOpensTheMenuWithoutMovingTheCurrentRow) {
    TfrmMain &w = open();
    click(3, CodeTable::kColCarry);
    click(9, CodeTable::kColCarry, Qt::RightButton);
    EXPECT_TRUE(w.ppMenu->isVisible());
    EXPECT_EQ(w.currentRow(), 3);
    // Paste is offered only once something was copied.
    EXPECT_FALSE(w.ppPaste->isEnabled());
    w.ppMenu->close();
    w.ppCopy->trigger();
    click(9, CodeTable::kColCarry, Qt::RightButton);
    EXPECT_TRUE(w.ppPaste->isEnabled());
    w.ppMenu->close();
}

TEST_F(CodeTableTest, CopyMarksARowNumberAndRowsMoveWithTheirWaveInfo) {
    TfrmMain &w = open();
    for (int row = 1; row <= 8; ++row)
        fillRow(row, QByteArray::number(row * 10).constData(), row * 100);
    // Copy row 5, delete row 3, paste on row 10: row 10 gets what row 5 holds now.
    click(5, CodeTable::kColCarry);
    w.ppCopy->trigger();
    click(3, CodeTable::kColCarry);
    prompter.answers = {MsgAnswer::Yes};
    w.ppDelete->trigger();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("現在の行を削除して前詰めにします。\nよろしいですか？"));
    EXPECT_EQ(prompter.asked[0].caption, QStringLiteral("削除確認"));
    EXPECT_EQ(prompter.asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(cell(3, CodeTable::kColCarry), "40");
    EXPECT_EQ(objects->table.waveInfo(3).Carry, 400);
    EXPECT_EQ(w.currentRow(), 3);
    click(10, CodeTable::kColCarry);
    w.ppPaste->trigger();
    EXPECT_EQ(cell(10, CodeTable::kColCarry), "60");
    EXPECT_EQ(objects->table.waveInfo(10), objects->table.waveInfo(5));
    EXPECT_EQ(objects->table.waveInfo(10).Carry, 600);
    // The view shows it: the LNo. column never moves.
    EXPECT_EQ(w.tableModel->index(9, 0).data().toString(), QStringLiteral("010"));
    EXPECT_EQ(w.tableModel->index(9, CodeTable::kColCarry).data().toString(), QStringLiteral("60"));

    // No: nothing is deleted. Insert on row 2 moves the rest down.
    prompter.answers = {MsgAnswer::No};
    click(2, CodeTable::kColCarry);
    w.ppDelete->trigger();
    EXPECT_EQ(cell(2, CodeTable::kColCarry), "20");
    w.ppInsert->trigger();
    EXPECT_TRUE(cell(2, CodeTable::kColCarry).isEmpty());
    EXPECT_FALSE(objects->table.waveInfo(2).present());
    EXPECT_EQ(cell(3, CodeTable::kColCarry), "20");
    EXPECT_EQ(objects->table.waveInfo(3).Carry, 200);
}

TEST_F(CodeTableTest, DoubleClickOnCarryPlacesTheRowInTheLayout) {
    open();
    fillRow(12, "38.0kHz", 380);
    layout->setCurrentCell(3, 2);
    doubleClick(12, CodeTable::kColComments); // opens the editor, places nothing
    EXPECT_TRUE(objects->layout.cell(3, 2).isEmpty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    doubleClick(12, CodeTable::kColCarry);
    EXPECT_EQ(objects->layout.cell(3, 2), "012(F03:W01)");
    EXPECT_EQ(layout->currentColumn(), 3);
    EXPECT_EQ(layout->panelText(0), QStringLiteral("3:12"));
    EXPECT_EQ(layout->model->index(2, 2).data().toString(), QStringLiteral("012(F03:W01)"));
}

TEST_F(CodeTableTest, NewEmptiesTableLayoutLogAndFilePanels) {
    TfrmMain &w = open();
    fillRow(4, "38.0kHz", 380);
    objects->layout.setCell(1, 1, "004(F03:W01)");
    objects->layout.currentFile = QStringLiteral("/x/y.ZV3");
    w.appendLogText(QStringLiteral("ZEVO3 Ver1.00"));
    w.setPanelText(2, QStringLiteral("/x/y.Csv"));
    click(4, CodeTable::kColCarry);
    w.ppCopy->trigger();
    click(9, CodeTable::kColComments);
    w.mmCleate->trigger();
    EXPECT_EQ(objects->table, CodeTable());
    EXPECT_TRUE(objects->layout.cell(1, 1).isEmpty());
    EXPECT_TRUE(layout->currentFile().isEmpty());
    EXPECT_TRUE(w.memoRecv->toPlainText().isEmpty());
    EXPECT_TRUE(w.panelText(2).isEmpty());
    EXPECT_EQ(w.currentRow(), 1);
    EXPECT_EQ(w.currentColumn(), int(CodeTable::kColCarry));
    // The copy mark stays: Paste copies the (now empty) row 4.
    EXPECT_EQ(w.copyMark(), 4);
}

TEST_F(CodeTableTest, StatusBarDoubleClickTogglesAnalysisLogMode) {
    TfrmMain &w = open();
    QLabel *panel = w.sBar->findChild<QLabel *>(QStringLiteral("sBarPanel1"));
    ASSERT_NE(panel, nullptr);
    QTest::mouseDClick(panel, Qt::LeftButton);
    EXPECT_TRUE(w.analysisLog());
    EXPECT_EQ(w.panelText(1), QStringLiteral("解析Log"));
    EXPECT_TRUE(w.ppWaveEdit->isVisible());
    EXPECT_TRUE(w.btnTablePrint->isVisible());
    // The print button sits at the right end of the top strip.
    const QWidget *others[] = {w.btnTest, w.ckCursor, w.btnLayout};
    for (const QWidget *other : others)
        EXPECT_LT(other->geometry().right(), w.btnTablePrint->geometry().left());
    EXPECT_GE(w.btnTablePrint->geometry().right(), w.pnlTop->contentsRect().right() - 8);
    QTest::mouseDClick(w.sBar->findChild<QLabel *>(QStringLiteral("sBarPanel2")), Qt::LeftButton);
    EXPECT_FALSE(w.analysisLog());
    EXPECT_TRUE(w.panelText(1).isEmpty());
    EXPECT_FALSE(w.ppWaveEdit->isVisible());
    EXPECT_FALSE(w.btnTablePrint->isVisible());
}

TEST_F(CodeTableTest, SelectNextFreeRowSkipsOccupiedRowsAndNeverTakesRow70) {
    TfrmMain &w = open();
    for (int row = 1; row <= 3; ++row)
        fillRow(row, "38.0kHz", 380);
    objects->table.setCell(4, CodeTable::kColCarry, " \t"); // blanks only: free
    w.setCurrentCell(2, CodeTable::kColComments);
    w.SelectNextFreeRow();
    EXPECT_EQ(w.currentRow(), 4);
    EXPECT_EQ(w.currentColumn(), int(CodeTable::kColCarry));
    for (int row = 1; row <= 69; ++row)
        objects->table.setCell(row, CodeTable::kColCarry, "x");
    w.setCurrentCell(60, CodeTable::kColCarry);
    w.SelectNextFreeRow();
    EXPECT_EQ(w.currentRow(), 60);
}
