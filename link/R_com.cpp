#include "R_com.h"

#include "link_texts.h"
#include "text_codec.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo3 {

namespace {

QComboBox *combo(QWidget *parent, const char *name, const QStringList &items, bool editable) {
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    if (editable) {
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr); // what is typed is what is taken
    }
    for (const QString &item : items)
        box->addItem(item, item); // the data is what the settings file holds
    return box;
}

// The value a fixed list's item stands for in the settings file, whatever
// language the item is shown in.
QByteArray chosenValue(const QComboBox *box) {
    return toCp932(box->currentData().toString());
}

const QStringList kDelimiters = {QStringLiteral("無し"), QStringLiteral("ETX"),
                                 QStringLiteral("CR"), QStringLiteral("LF"),
                                 QStringLiteral("CRLF")};

} // namespace

TfrmCom::TfrmCom(ComSettings &settings, Link &link, Prompter &prompter, const PortLister &ports,
                 QWidget *parent)
    : QDialog(parent), settings_(settings), link_(link), prompter_(prompter), ports_(ports) {
    setObjectName(QStringLiteral("frmCom"));
    setWindowTitle(tr("通信ﾊﾟﾗﾒｰﾀ設定"));
    auto *column = new QVBoxLayout(this);

    BuildLineGroup();
    column->addWidget(gbComPara);
    BuildSendGroup();
    column->addWidget(gbSend);
    BuildReceiveGroup();
    column->addWidget(gbRecv);

    prgBar = new QProgressBar(this);
    prgBar->setObjectName(QStringLiteral("prgBar"));
    prgBar->setRange(0, 100);
    prgBar->setVisible(false);
    column->addWidget(prgBar);

    column->addLayout(BuildButtons());
    ConnectControls();
}

// The line's parameters: the port, with the port search beside it, the
// speed, the data and stop bits and the parity.
void TfrmCom::BuildLineGroup() {
    gbComPara = new QGroupBox(tr("通信ﾊﾟﾗﾒｰﾀ"), this);
    gbComPara->setObjectName(QStringLiteral("gbComPara"));
    auto *para = new QFormLayout(gbComPara);
    QStringList comPorts;
    for (int n = 1; n <= 8; ++n)
        comPorts << QStringLiteral("COM%1").arg(n);
    cmbPort = combo(gbComPara, "cmbPort", comPorts, true);
    cmbPort->setMinimumWidth(260);
    btnPort = new QPushButton(tr("接続ﾎﾟｰﾄ"), gbComPara);
    btnPort->setObjectName(QStringLiteral("btnPort"));
    auto *portRow = new QHBoxLayout;
    portRow->addWidget(cmbPort, 1);
    portRow->addWidget(btnPort);
    para->addRow(tr("Port"), portRow);
    cmbBps = combo(gbComPara, "cmbBps",
                   {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                    QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
                    QStringLiteral("57600"), QStringLiteral("115200")},
                   true);
    para->addRow(tr("BPS"), cmbBps);
    cmbDataBit = combo(gbComPara, "cmbDataBit", {QStringLiteral("7"), QStringLiteral("8")}, true);
    para->addRow(tr("DataBit"), cmbDataBit);
    cmbStopBit = combo(gbComPara, "cmbStopBit", {QStringLiteral("1"), QStringLiteral("2")}, true);
    para->addRow(tr("StopBit"), cmbStopBit);
    cmbParity =
        combo(gbComPara, "cmbParity",
              {QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")}, true);
    para->addRow(tr("Parity"), cmbParity);
}

// What is sent: the header and the delimiter.
void TfrmCom::BuildSendGroup() {
    gbSend = new QGroupBox(tr("送信条件"), this);
    gbSend->setObjectName(QStringLiteral("gbSend"));
    auto *send = new QFormLayout(gbSend);
    cmbSendHead =
        combo(gbSend, "cmbSendHead", {QStringLiteral("無し"), QStringLiteral("STX")}, false);
    send->addRow(tr("Header"), cmbSendHead);
    cmbSendDlmt = combo(gbSend, "cmbSendDlmt", kDelimiters, false);
    send->addRow(tr("Delimiter"), cmbSendDlmt);
    cmbSendHead->setItemText(0, tr("無し"));
    cmbSendDlmt->setItemText(0, tr("無し"));
}

// What is received: the delimiter and the silence that ends a message.
void TfrmCom::BuildReceiveGroup() {
    gbRecv = new QGroupBox(tr("受信条件"), this);
    gbRecv->setObjectName(QStringLiteral("gbRecv"));
    auto *recv = new QFormLayout(gbRecv);
    cmbRecvDlmt = combo(gbRecv, "cmbRecvDlmt", kDelimiters, false);
    cmbRecvDlmt->setItemText(0, tr("無し"));
    recv->addRow(tr("Delimiter"), cmbRecvDlmt);
    edtRecvTout = new QLineEdit(gbRecv);
    edtRecvTout->setObjectName(QStringLiteral("edtRecvTout"));
    auto *toutRow = new QHBoxLayout;
    toutRow->addWidget(edtRecvTout);
    toutRow->addWidget(new QLabel(QStringLiteral("mSec"), gbRecv));
    recv->addRow(tr("TimeOut"), toutRow);
}

// Set and Cancel, at the right.
QHBoxLayout *TfrmCom::BuildButtons() {
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk = new QPushButton(tr("設定"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnEsc = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
    btnEsc->setObjectName(QStringLiteral("btnEsc"));
    buttons->addWidget(btnOk);
    buttons->addWidget(btnEsc);
    return buttons;
}

void TfrmCom::ConnectControls() {
    connect(btnOk, &QPushButton::clicked, this, &TfrmCom::btnOkClick);
    connect(btnEsc, &QPushButton::clicked, this, &TfrmCom::btnEscClick);
    connect(btnPort, &QPushButton::clicked, this, &TfrmCom::btnPortClick);
    // A listed port with its description: the box keeps only the name.
    connect(cmbPort, &QComboBox::activated, this, [this](int index) {
        const QString name = cmbPort->itemData(index).toString();
        if (!name.isEmpty()) cmbPort->setEditText(name);
    });
}

int TfrmCom::sendHeadIndex(const QByteArray &setting) {
    return setting == "STX" ? 1 : 0;
}

int TfrmCom::delimiterIndex(const QByteArray &setting) {
    if (setting == "ETX") return 1;
    if (setting == "CR") return 2;
    if (setting == "LF") return 3;
    if (setting == "CRLF") return 4;
    return 0;
}

void TfrmCom::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmCom::FormShow() {
    if (filled_) return;
    cmbPort->setEditText(toDisplay(settings_.PortName));
    cmbBps->setEditText(QString::number(settings_.BaudRate));
    cmbDataBit->setEditText(QString::number(settings_.ByteSize));
    cmbStopBit->setEditText(QString::number(settings_.StopBits));
    cmbParity->setEditText(toDisplay(settings_.Parity_));
    cmbSendHead->setCurrentIndex(sendHeadIndex(settings_.SendHead));
    cmbSendDlmt->setCurrentIndex(delimiterIndex(settings_.SendDlmt));
    cmbRecvDlmt->setCurrentIndex(delimiterIndex(settings_.RecvDlmt));
    edtRecvTout->setText(QString::number(settings_.RecvTout));
    setLocked(true);
    prgBar->setVisible(false);
    link_.setErrorReporting(true);
    filled_ = true;
}

void TfrmCom::setLocked(bool locked) {
    for (QWidget *control :
         std::initializer_list<QWidget *>{cmbBps, cmbDataBit, cmbStopBit, cmbParity, cmbSendHead,
                                          cmbSendDlmt, cmbRecvDlmt, edtRecvTout})
        control->setEnabled(!locked);
}

void TfrmCom::mouseDoubleClickEvent(QMouseEvent *event) {
    // On the background only: the controls take their own double-clicks.
    if (event->button() == Qt::LeftButton) FormDblClick();
    QDialog::mouseDoubleClickEvent(event);
}

void TfrmCom::FormDblClick() {
    setLocked(false);
}

bool TfrmCom::takeNumber(QComboBox *box, const QString &name, int *value) {
    bool ok = false;
    const int number = box->currentText().trimmed().toInt(&ok);
    if (!ok) {
        prompter_.ask(this, tr("%1 が数値ではありません: %2").arg(name, box->currentText()),
                      texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        box->setFocus();
        return false;
    }
    *value = number;
    return true;
}

void TfrmCom::btnOkClick() {
    if (searching_) return;
    // Numbers that are not numbers change nothing; the dialog stays open.
    int bps = 0;
    int dataBits = 0;
    int stopBits = 0;
    if (!takeNumber(cmbBps, QStringLiteral("BPS"), &bps) ||
        !takeNumber(cmbDataBit, QStringLiteral("DataBit"), &dataBits) ||
        !takeNumber(cmbStopBit, QStringLiteral("StopBit"), &stopBits))
        return;
    const ComSettings kept = settings_;
    settings_.PortName = toCp932(cmbPort->currentText());
    settings_.BaudRate = bps;
    settings_.ByteSize = dataBits;
    settings_.StopBits = stopBits;
    settings_.Parity_ = toCp932(cmbParity->currentText());
    settings_.SendHead = chosenValue(cmbSendHead);
    settings_.SendDlmt = chosenValue(cmbSendDlmt);
    settings_.RecvDlmt = chosenValue(cmbRecvDlmt);
    bool ok = false;
    const int timeout = edtRecvTout->text().trimmed().toInt(&ok);
    settings_.RecvTout = ok ? timeout : 100;
    link_.setErrorReporting(true);
    if (link_.OpenPort(true)) {
        accept();
        return;
    }
    // OpenPort has said "INVALID HANDLE": back to the old settings, shown
    // (and locked) again.
    settings_ = kept;
    filled_ = false;
    FormShow();
}

void TfrmCom::btnEscClick() {
    reject();
}

void TfrmCom::reject() {
    stopSearch_ = true; // closing during a search ends it
    QDialog::reject();
}

void TfrmCom::closeEvent(QCloseEvent *event) {
    stopSearch_ = true;
    QDialog::closeEvent(event);
}

void TfrmCom::btnPortClick() {
    if (searching_) return;
    if (prompter_.ask(this, QStringLiteral("Connect the USB to Serial Cable"),
                      QStringLiteral("COM Port Search"), MsgIcon::Warning,
                      MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    searching_ = true;
    stopSearch_ = false;
    btnOk->setEnabled(false);
    btnPort->setEnabled(false);
    cmbPort->clear();
    prgBar->setValue(0);
    prgBar->setVisible(true);
    const std::vector<PortCandidate> candidates = ports_.candidates();
    PortSearchHooks hooks;
    hooks.trying = [this, &candidates](int index, const QString &name) {
        prgBar->setValue(int(index * 100 / std::max<size_t>(1, candidates.size())));
        cmbPort->setEditText(name);
    };
    hooks.opened = [this](const PortCandidate &candidate) {
        cmbPort->addItem(
            candidate.description.isEmpty()
                ? candidate.name
                : QStringLiteral("%1  (%2)").arg(candidate.name, candidate.description),
            candidate.name);
    };
    hooks.between = [this] {
        QCoreApplication::processEvents();
        return stopSearch_;
    };
    const PortSearchResult result = searchPorts(link_, settings_, candidates, hooks);
    prgBar->setValue(result.found >= 0 ? int(result.found * 100 / candidates.size()) : 100);
    prgBar->setVisible(false);
    cmbPort->setEditText(result.portName);
    link_.ShowPortName();
    link_.setErrorReporting(true);
    btnOk->setEnabled(true);
    btnPort->setEnabled(true);
    searching_ = false;
}

} // namespace zevo3
