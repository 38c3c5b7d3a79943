#include "R_msgbox.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zevo3;

TEST(MsgBox, OkReturnsOkWithTheTickedChoice) {
    TfrmMsgBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("frmMsgBox"));
    box.RadioButton1->setChecked(true);
    QTimer::singleShot(0, [&] {
        box.RadioButton2->click();
        box.btnOk->click();
    });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
    EXPECT_FALSE(box.RadioButton1->isChecked());
    EXPECT_TRUE(box.RadioButton2->isChecked());
    EXPECT_FALSE(box.RadioButton3->isChecked());
}

TEST(MsgBox, CancelAndTheCloseBoxAreNotOk) {
    TfrmMsgBox box;
    QTimer::singleShot(0, [&] { box.btnCancel->click(); });
    EXPECT_NE(box.exec(), QDialog::Accepted);
    QTimer::singleShot(0, [&] { box.close(); });
    EXPECT_NE(box.exec(), QDialog::Accepted);
    // Reused: OK still works after a cancel.
    QTimer::singleShot(0, [&] { box.btnOk->click(); });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}

TEST(MsgBox, ButtonsFollowTheBottomEdge) {
    TfrmMsgBox box;
    const int okFromBottom = box.height() - box.btnOk->y();
    const int cancelFromBottom = box.height() - box.btnCancel->y();
    EXPECT_GT(box.btnCancel->y(), box.btnOk->y());
    const int height = box.RadioButton3->geometry().bottom() + 1 + 4;
    box.setClientHeight(height);
    EXPECT_EQ(box.height(), height);
    EXPECT_EQ(box.height() - box.btnOk->y(), okFromBottom);
    EXPECT_EQ(box.height() - box.btnCancel->y(), cancelFromBottom);
    EXPECT_GE(box.btnOk->y(), 0);
    EXPECT_LE(box.btnCancel->geometry().bottom(), height - 1);
    // OK and Cancel stay clear of the choices.
    EXPECT_FALSE(box.btnOk->geometry().intersects(box.RadioButton1->geometry()));
    EXPECT_FALSE(box.btnCancel->geometry().intersects(box.RadioButton3->geometry()));
}
