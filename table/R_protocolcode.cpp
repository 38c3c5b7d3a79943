#include "R_protocolcode.h"

#include "R_codeimport.h"
#include "code_storing.h"
#include "code_table_model.h"
#include "imported_row.h"
#include "transfer_preview.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <iterator>

namespace zevo3 {

TfrmProtocolCode::TfrmProtocolCode(CodeTableModel &model, Prompter &prompter, int currentRow,
                                   QWidget *parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
    setObjectName(QStringLiteral("frmProtocolCode"));
    setWindowTitle(tr("プロトコルから作成"));
    buildControls();
    const int row = std::max(currentRow, 1);
    cmbTarget->addItem(tr("現在の行 (%1)").arg(row), row);
    const int free = nextFreeRow(model_.table(), row);
    if (free) cmbTarget->addItem(tr("次の空き行 (%1)").arg(free), free);
    connect(cmbProtocol, &QComboBox::currentIndexChanged, this, &TfrmProtocolCode::fieldsChange);
    connect(edtAddress, &QLineEdit::textChanged, this, &TfrmProtocolCode::fieldsChange);
    connect(edtCommand, &QLineEdit::textChanged, this, &TfrmProtocolCode::fieldsChange);
    connect(edtRepeats, &QSpinBox::valueChanged, this, &TfrmProtocolCode::fieldsChange);
    connect(edtToggle, &QSpinBox::valueChanged, this, &TfrmProtocolCode::fieldsChange);
    connect(btnStore, &QPushButton::clicked, this, &TfrmProtocolCode::btnStoreClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    fieldsChange();
}

void TfrmProtocolCode::buildControls() {
    const auto named = [this](auto *widget, const char *name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    cmbProtocol = named(new QComboBox(this), "cmbProtocol");
    cmbProtocol->addItems(protocolNames());
    edtAddress = named(new QLineEdit(QStringLiteral("0x00"), this), "edtAddress");
    edtCommand = named(new QLineEdit(QStringLiteral("0x00"), this), "edtCommand");
    edtRepeats = named(new QSpinBox(this), "edtRepeats");
    edtRepeats->setRange(0, 100);
    edtToggle = named(new QSpinBox(this), "edtToggle");
    edtToggle->setRange(0, 1);
    cmbTarget = named(new QComboBox(this), "cmbTarget");
    lblWidths = named(new QLabel(this), "lblWidths");
    lblCarrier = named(new QLabel(this), "lblCarrier");
    lblProblem = named(new QLabel(this), "lblProblem");
    lblProblem->setStyleSheet(QStringLiteral("color: #b00000"));
    pbxWave = named(new SignalPlot(this), "pbxWave");
    btnStore = named(new QPushButton(tr("格納"), this), "btnStore");
    btnStore->setDefault(true);
    btnCancel = named(new QPushButton(tr("ｷｬﾝｾﾙ"), this), "btnCancel");

    auto *form = new QFormLayout;
    form->addRow(tr("プロトコル"), cmbProtocol);
    form->addRow(tr("アドレス"), edtAddress);
    form->addRow(tr("コマンド"), edtCommand);
    form->addRow(QString(), lblWidths);
    form->addRow(tr("リピート"), edtRepeats);
    form->addRow(tr("トグル"), edtToggle);
    form->addRow(tr("格納先"), cmbTarget);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnStore);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblCarrier);
    layout->addWidget(pbxWave);
    layout->addWidget(lblProblem);
    layout->addLayout(buttons);
    QWidget *const order[] = {cmbProtocol, edtAddress, edtCommand, edtRepeats,
                              edtToggle,   cmbTarget,  btnStore,   btnCancel};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    edtAddress->setFocus();
}

int TfrmProtocolCode::targetRow() const {
    return cmbTarget->currentData().toInt();
}

QString TfrmProtocolCode::problemText() const {
    using Problem = RequestedCode::Problem;
    const ProtocolFields &f = requested_.fields;
    const auto range = [](int bits) {
        const uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        return QStringLiteral("0x") + QString::number(max, 16).toUpper();
    };
    switch (requested_.problem) {
    case Problem::None:
        return {};
    case Problem::AddressNumber:
        return tr("アドレスは 10 進数か 0x で始まる 16 進数です");
    case Problem::CommandNumber:
        return tr("コマンドは 10 進数か 0x で始まる 16 進数です");
    case Problem::AddressWidth:
        return tr("アドレスは %1 ビット (0〜%2) です").arg(f.addressBits).arg(range(f.addressBits));
    case Problem::CommandWidth:
        return tr("コマンドは %1 ビット (0〜%2) です").arg(f.commandBits).arg(range(f.commandBits));
    case Problem::Protocol:
    case Problem::Encoder:
        break;
    }
    return requested_.message;
}

void TfrmProtocolCode::fieldsChange() {
    // The toggle counts only for a protocol that has one.
    const std::optional<ProtocolFields> chosen = protocolFields(cmbProtocol->currentText());
    requested_ =
        requestCode({cmbProtocol->currentText(), edtAddress->text(), edtCommand->text(),
                     edtRepeats->value(), chosen && chosen->toggle ? edtToggle->value() : 0});
    const ProtocolFields &f = requested_.fields;
    edtToggle->setEnabled(f.toggle);
    lblWidths->setText(
        tr("アドレス %1 ビット、コマンド %2 ビット").arg(f.addressBits).arg(f.commandBits));
    lblProblem->setText(problemText());
    const auto mark = [](QLineEdit *edit, bool bad) {
        edit->setStyleSheet(bad ? QStringLiteral("background: #ffd8d8") : QString());
    };
    using Problem = RequestedCode::Problem;
    mark(edtAddress, requested_.problem == Problem::AddressNumber ||
                         requested_.problem == Problem::AddressWidth);
    mark(edtCommand, requested_.problem == Problem::CommandNumber ||
                         requested_.problem == Problem::CommandWidth);
    if (requested_.ok()) {
        const ImportedRow row = importedRow(requested_.code);
        lblCarrier->setText(row.ok ? tr("搬送波 %1、%2 組、%3 パターン")
                                         .arg(QString::fromLatin1(row.carryCell))
                                         .arg(row.quantised.pairs)
                                         .arg(row.quantised.entries)
                                   : row.message);
        pbxWave->setSignal(requested_.code.signal);
    } else {
        lblCarrier->setText(QString());
        pbxWave->setSignal({});
    }
    btnStore->setEnabled(requested_.ok());
}

void TfrmProtocolCode::btnStoreClick() {
    if (!requested_.ok()) return;
    const std::optional<RowRange> rows =
        storeCodesAsked(model_, prompter_, this, targetRow(), {requested_.code});
    if (!rows) return;
    emit stored(*rows);
    accept();
}

} // namespace zevo3
