#include "R_com.h"

#include "text_codec.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo3 {

TfrmCom::TfrmCom(ComSettings &settings, Link &link, QWidget *parent)
    : QDialog(parent), settings_(settings), link_(link) {
    setObjectName(QStringLiteral("frmCom"));
    setWindowTitle(tr("通信ﾊﾟﾗﾒｰﾀ設定"));
    auto *column = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    cmbPort = new QComboBox(this);
    cmbPort->setObjectName(QStringLiteral("cmbPort"));
    cmbPort->setEditable(true);
    cmbPort->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 1; n <= 8; ++n)
        cmbPort->addItem(QStringLiteral("COM%1").arg(n));
    cmbPort->setMinimumWidth(220);
    form->addRow(tr("Port"), cmbPort);
    column->addLayout(form);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk = new QPushButton(tr("設定"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnEsc = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
    btnEsc->setObjectName(QStringLiteral("btnEsc"));
    buttons->addWidget(btnOk);
    buttons->addWidget(btnEsc);
    column->addLayout(buttons);
    connect(btnOk, &QPushButton::clicked, this, &TfrmCom::btnOkClick);
    connect(btnEsc, &QPushButton::clicked, this, &TfrmCom::btnEscClick);
}

void TfrmCom::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmCom::FormShow() {
    if (filled_) return;
    cmbPort->setEditText(toDisplay(settings_.PortName));
    link_.setErrorReporting(true);
    filled_ = true;
}

void TfrmCom::btnOkClick() {
    const ComSettings kept = settings_;
    settings_.PortName = toCp932(cmbPort->currentText());
    link_.setErrorReporting(true);
    if (link_.OpenPort(true)) {
        accept();
        return;
    }
    // OpenPort has said "INVALID HANDLE": back to the old settings.
    settings_ = kept;
    filled_ = false;
    FormShow();
}

void TfrmCom::btnEscClick() {
    reject();
}

} // namespace zevo3
