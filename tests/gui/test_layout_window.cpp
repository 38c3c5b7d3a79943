// The layout window as the operator works it: placing codes, following the
// code table, the Frames and Wait boxes, "Cell 削除" and the window itself.

#include "frozen_column_view.h"
#include "layout_model.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class LayoutWindowTest : public MainWindowTest {
protected:
    TfrmLayout &open() {
        TfrmMain &w = createAll();
        w.show();
        layout->show();
        QApplication::setActiveWindow(layout.get());
        return *layout;
    }
    void clickCell(int row, int column) {
        const QModelIndex index = layout->model->cellIndex(row, column);
        layout->sGrid->scrollTo(index);
        QTest::mouseClick(layout->sGrid->viewport(), Qt::LeftButton, {},
                          layout->sGrid->visualRect(index).center());
    }
    void typeInto(QLineEdit *edit, const QString &text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // Answers the "Cell 削除" dialog once it is up: ticks a choice, then OK or Cancel.
    void answerDeleteDialog(QRadioButton *TfrmMsgBox::*choice, bool ok) {
        QTimer::singleShot(0, [this, choice, ok] {
            QRadioButton *radio = msgBox.get()->*choice;
            QTest::mouseClick(radio, Qt::LeftButton);
            QTest::mouseClick(ok ? msgBox->btnOk : msgBox->btnCancel, Qt::LeftButton);
        });
    }
    void fill() {
        for (int row = 1; row <= LayoutData::kRows; ++row)
            for (int column = 1; column <= LayoutData::kColumns; ++column)
                objects->layout.setCell(row, column, layoutCellText(row, 3, 1));
        layout->model->replaceCells(objects->layout);
    }
    int filled() const {
        int n = 0;
        for (int row = 1; row <= LayoutData::kRows; ++row)
            for (int column = 1; column <= LayoutData::kColumns; ++column)
                n += objects->layout.cell(row, column).isEmpty() ? 0 : 1;
        return n;
    }
};

} // namespace

TEST_F(LayoutWindowTest, WindowCaptionGridAndBoxesAtStart) {
    TfrmLayout &l = open();
    EXPECT_EQ(l.windowTitle(), QStringLiteral("MORIKA ZEVO3 Tool [ Remocon Setteing ]"));
    EXPECT_EQ(l.size(), QSize(664, 350));
    EXPECT_EQ(l.edtFct->text(), QStringLiteral("03"));
    EXPECT_EQ(l.edtWct->text(), QStringLiteral("01"));
    EXPECT_EQ(l.model->headerData(0, Qt::Horizontal, Qt::DisplayRole), QStringLiteral("CNo."));
    EXPECT_EQ(l.model->headerData(8, Qt::Horizontal, Qt::DisplayRole),
              QStringLiteral("R08(Fct:Wct)"));
    EXPECT_EQ(l.model->index(0, 0).data().toString(), QStringLiteral("  1"));
    EXPECT_EQ(l.model->index(14, 0).data().toString(), QStringLiteral(" 15"));
    EXPECT_EQ(l.sGrid->columnWidth(0), 32);
    EXPECT_EQ(l.sGrid->columnWidth(1), 100);
    EXPECT_EQ(l.sGrid->rowHeight(0), 17);
    EXPECT_EQ(l.sGrid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(window->sGrid->rowHeight(0), 18);
}

TEST_F(LayoutWindowTest, AssigningMovesRightResetsWaitAndFollowsTheNextCell) {
    TfrmLayout &l = open();
    objects->layout.setCell(2, 4, "009(F05:W07)");
    clickCell(2, 3);
    typeInto(l.edtWct, QStringLiteral("15"));
    l.SetLayoutCell(12);
    EXPECT_EQ(objects->layout.cell(2, 3), "012(F03:W15)");
    EXPECT_EQ(l.panelText(0), QStringLiteral("2:12"));
    // The next cell was occupied: the table follows it, Frames is copied,
    // and Wait goes back to 01 because the assigned wait was not 1.
    EXPECT_EQ(l.currentColumn(), 4);
    EXPECT_EQ(window->currentRow(), 9);
    EXPECT_EQ(l.edtFct->text(), QStringLiteral("05"));
    EXPECT_EQ(l.edtWct->text(), QStringLiteral("01"));

    // With Wait 01 the box keeps what the next cell copied into it.
    clickCell(2, 7);
    objects->layout.setCell(2, 8, "004(F02:W06)");
    l.SetLayoutCell(3);
    EXPECT_EQ(l.currentColumn(), 8);
    EXPECT_EQ(l.edtWct->text(), QStringLiteral("06"));
    // Column 8 stays.
    l.SetLayoutCell(5);
    EXPECT_EQ(objects->layout.cell(2, 8), "005(F02:W06)");
    EXPECT_EQ(l.currentColumn(), 8);
}

TEST_F(LayoutWindowTest, SelectingACellMovesTheTableOnlyForACodeOfTheTable) {
    TfrmLayout &l = open();
    window->setCurrentCell(20, CodeTable::kColComments);
    objects->layout.setCell(1, 2, "033(F04:W02)");
    objects->layout.setCell(1, 3, "000(F07:W07)");
    objects->layout.setCell(1, 4, "abc");
    objects->layout.setCell(1, 5, "099(F07:W07)");
    clickCell(1, 1); // empty: nothing changes
    EXPECT_EQ(window->currentRow(), 20);
    EXPECT_EQ(l.edtFct->text(), QStringLiteral("03"));
    clickCell(1, 2);
    EXPECT_EQ(window->currentRow(), 33);
    EXPECT_EQ(window->currentColumn(), int(CodeTable::kColComments));
    EXPECT_EQ(l.edtFct->text(), QStringLiteral("04"));
    EXPECT_EQ(l.edtWct->text(), QStringLiteral("02"));
    for (int column : {3, 4, 5}) {
        clickCell(1, column);
        EXPECT_EQ(window->currentRow(), 33);
        EXPECT_EQ(l.edtFct->text(), QStringLiteral("04"));
    }
}

TEST_F(LayoutWindowTest, FramesAndWaitTakeOnlyZeroToNinetyNine) {
    TfrmLayout &l = open();
    typeInto(l.edtFct, QStringLiteral("123"));
    EXPECT_EQ(l.edtFct->text(), QStringLiteral("12"));
    typeInto(l.edtWct, QStringLiteral("-5x"));
    EXPECT_EQ(l.edtWct->text(), QStringLiteral("5"));
    // An empty box takes its default.
    typeInto(l.edtFct, QString());
    typeInto(l.edtWct, QString());
    clickCell(1, 1);
    l.SetLayoutCell(7);
    EXPECT_EQ(objects->layout.cell(1, 1), "007(F03:W01)");
}

TEST_F(LayoutWindowTest, CellDeleteInThreeDirectionsAndCancel) {
    TfrmLayout &l = open();
    fill();
    clickCell(3, 5);
    answerDeleteDialog(&TfrmMsgBox::RadioButton1, false);
    QTest::mouseClick(l.btnDel, Qt::LeftButton);
    EXPECT_EQ(filled(), 120);
    EXPECT_EQ(msgBox->lblMsg->text(), QStringLiteral("R05 以降の Cell を削除します"));
    EXPECT_EQ(msgBox->RadioButton2->text(), QStringLiteral("列方向に削除↓"));
    EXPECT_FALSE(msgBox->ckDispOff->isVisible());
    // OK and Cancel stay visible with the dialog cut below the third choice.
    EXPECT_EQ(msgBox->height(), msgBox->RadioButton3->geometry().bottom() + 1 + 4);
    EXPECT_LE(msgBox->btnCancel->geometry().bottom(), msgBox->height());

    answerDeleteDialog(&TfrmMsgBox::RadioButton1, true); // the row, to the right
    QTest::mouseClick(l.btnDel, Qt::LeftButton);
    EXPECT_EQ(filled(), 116);
    EXPECT_FALSE(objects->layout.cell(3, 4).isEmpty());
    EXPECT_TRUE(objects->layout.cell(3, 8).isEmpty());

    fill();
    clickCell(15, 2);
    answerDeleteDialog(&TfrmMsgBox::RadioButton2, true); // downwards from row 15: one cell
    QTest::mouseClick(l.btnDel, Qt::LeftButton);
    EXPECT_EQ(filled(), 119);
    EXPECT_TRUE(objects->layout.cell(15, 2).isEmpty());

    fill();
    clickCell(1, 1);
    answerDeleteDialog(&TfrmMsgBox::RadioButton3, true); // both ways from the corner: all
    QTest::mouseClick(l.btnDel, Qt::LeftButton);
    EXPECT_EQ(filled(), 0);
    EXPECT_EQ(l.model->index(0, 1).data().toString(), QString());
}

TEST_F(LayoutWindowTest, TheButtonShowsAndHidesTheWindowBesideTheMainWindow) {
    TfrmMain &w = createAll();
    w.show();
    ASSERT_FALSE(layout->isVisible());
    QTest::mouseClick(w.btnLayout, Qt::LeftButton);
    ASSERT_TRUE(layout->isVisible());
    // At the right edge of the screen, level with the main window, which
    // moves to its left as far as the screen allows.
    const int screenWidth = w.screen()->availableGeometry().width();
    EXPECT_EQ(layout->frameGeometry().top(), w.frameGeometry().top());
    // (The frame of a window never shown before is known only once it is.)
    EXPECT_NEAR(layout->frameGeometry().left(), screenWidth - layout->frameGeometry().width() - 20,
                8);
    EXPECT_NEAR(w.frameGeometry().left(),
                std::max(0, layout->frameGeometry().left() - w.frameGeometry().width() - 20), 8);
    QTest::mouseClick(w.btnLayout, Qt::LeftButton);
    EXPECT_FALSE(layout->isVisible());
    // Hidden, not destroyed: the layout is still there.
    objects->layout.setCell(1, 1, "001(F03:W01)");
    QTest::mouseClick(w.btnLayout, Qt::LeftButton);
    EXPECT_TRUE(layout->isVisible());
    EXPECT_EQ(objects->layout.cell(1, 1), "001(F03:W01)");
}

TEST_F(LayoutWindowTest, TheRowLabelsStayWhileTheGridScrollsSideways) {
    TfrmLayout &l = open();
    fill();
    l.resize(330, TfrmLayout::kClientHeight); // R03 or so in sight
    QApplication::processEvents();
    auto *grid = qobject_cast<FrozenColumnView *>(l.sGrid);
    ASSERT_NE(grid, nullptr);
    QTableView *labels = grid->frozenView();
    ASSERT_TRUE(labels->isVisible());
    EXPECT_EQ(labels->width(), 32);

    // Over to R08 with the arrow keys, as the operator moves.
    clickCell(2, 1);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(l.sGrid, Qt::Key_Right);
    ASSERT_EQ(l.currentColumn(), 8);
    EXPECT_GT(l.sGrid->horizontalScrollBar()->value(), 0);
    // Column 0 is still drawn at the left edge, with the same rows.
    EXPECT_EQ(labels->geometry().left(), l.sGrid->viewport()->geometry().left());
    EXPECT_EQ(labels->model()->headerData(0, Qt::Horizontal), QVariant(QStringLiteral("CNo.")));
    EXPECT_EQ(labels->rowViewportPosition(1), l.sGrid->rowViewportPosition(1));
    EXPECT_TRUE(labels->isColumnHidden(1));
    const QImage shot = l.grab().toImage();
    EXPECT_FALSE(shot.isNull());

    // Back to R01: the cell comes out from under the labels, whole.
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(l.sGrid, Qt::Key_Left);
    ASSERT_EQ(l.currentColumn(), 1);
    EXPECT_GE(l.sGrid->visualRect(l.model->cellIndex(2, 1)).left(), 32);
}

TEST_F(LayoutWindowTest, TheRowLabelsStayBesideTheirRowsWhenTheGridScrollsDown) {
    TfrmLayout &l = open();
    fill();
    l.resize(450, 200); // not all 15 rows in sight
    QApplication::processEvents();
    auto *grid = qobject_cast<FrozenColumnView *>(l.sGrid);
    ASSERT_NE(grid, nullptr);
    QTableView *labels = grid->frozenView();
    const auto aligned = [&](const char *how) {
        SCOPED_TRACE(how);
        QApplication::processEvents();
        for (int row = 0; row < LayoutData::kRows; ++row)
            EXPECT_EQ(labels->rowViewportPosition(row), l.sGrid->rowViewportPosition(row));
    };
    clickCell(1, 1);
    for (int i = 0; i < 14; ++i)
        QTest::keyClick(l.sGrid, Qt::Key_Down);
    aligned("the arrow keys");
    l.sGrid->verticalScrollBar()->setValue(l.sGrid->verticalScrollBar()->maximum() / 2);
    aligned("the grid's scroll bar");
    // The wheel over the labels scrolls both.
    QWheelEvent wheel(QPointF(10, 40), labels->viewport()->mapToGlobal(QPointF(10, 40)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(labels->viewport(), &wheel);
    aligned("the wheel over the labels");
    l.resize(TfrmLayout::kClientWidth, 120);
    aligned("a lower window");
}

TEST_F(LayoutWindowTest, HomeAndLeftStopAtTheFirstButtonAndBringItBackIntoSight) {
    TfrmLayout &l = open();
    fill();
    l.resize(330, TfrmLayout::kClientHeight);
    QApplication::processEvents();
    clickCell(3, 1);
    QTest::keyClick(l.sGrid, Qt::Key_End);
    ASSERT_EQ(l.currentColumn(), 8);
    ASSERT_GT(l.sGrid->horizontalScrollBar()->value(), 0);
    QTest::keyClick(l.sGrid, Qt::Key_Home);
    EXPECT_EQ(l.currentColumn(), 1);
    EXPECT_EQ(l.currentRow(), 3);
    EXPECT_EQ(l.sGrid->visualRect(l.model->cellIndex(3, 1)).left(), 32);
    QTest::keyClick(l.sGrid, Qt::Key_Left);
    EXPECT_EQ(l.currentColumn(), 1);
}
