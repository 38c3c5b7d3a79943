#include "R_msgbox.h"

#include "ui_fonts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace zevo3 {

namespace {
// Distances of the anchored controls from the right and bottom edges, as designed.
constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 25;
constexpr int kButtonRight = 8;
constexpr int kOkBottom = 64;     // from the top of OK to the bottom edge
constexpr int kCancelBottom = 34; // from the top of Cancel to the bottom edge
constexpr int kCheckBottom = 24;
} // namespace

TfrmMsgBox::TfrmMsgBox(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMsgBox"));
    setWindowTitle(QStringLiteral("frmMsgBox"));
    QFont font = formFont(16);
    setFont(font);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    lblMsg = new QLabel(QStringLiteral("lblMsg"), this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setWordWrap(true);
    lblMsg->setGeometry(8, 8, 225, 21);
    QFont labelFont = font;
    labelFont.setPixelSize(15);
    lblMsg->setFont(labelFont);
    ckDispOff = new QCheckBox(tr("次回から表示しない"), this);
    ckDispOff->setObjectName(QStringLiteral("ckDispOff"));
    QFont checkFont = font;
    checkFont.setPixelSize(13);
    ckDispOff->setFont(checkFont);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *group = new QButtonGroup(this);
    QRadioButton **radios[3] = {&RadioButton1, &RadioButton2, &RadioButton3};
    for (int i = 0; i < 3; ++i) {
        *radios[i] = new QRadioButton(QStringLiteral("RadioButton%1").arg(i + 1), this);
        (*radios[i])->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        (*radios[i])->setGeometry(16, 32 + 20 * i, 148, 20);
        group->addButton(*radios[i], i + 1);
    }
    connect(btnOk, &QPushButton::clicked, this, &TfrmMsgBox::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmMsgBox::btnCancelClick);

    setFixedSize(kDesignWidth, kDesignHeight);
    placeAnchored();
}

void TfrmMsgBox::setClientHeight(int height) {
    setFixedSize(width(), height);
    placeAnchored();
}

void TfrmMsgBox::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    placeAnchored();
}

void TfrmMsgBox::placeAnchored() {
    const int x = width() - kButtonRight - kButtonWidth;
    btnOk->setGeometry(x, height() - kOkBottom, kButtonWidth, kButtonHeight);
    btnCancel->setGeometry(x, height() - kCancelBottom, kButtonWidth, kButtonHeight);
    ckDispOff->setGeometry(8, height() - kCheckBottom, 150, 20);
}

void TfrmMsgBox::btnOkClick() {
    done(QDialog::Accepted);
}

void TfrmMsgBox::btnCancelClick() {
    done(QDialog::Rejected);
}

} // namespace zevo3
