#pragma once
// The communication settings dialog, made for each use by the Com command:
// the port (typed, or found by the port search) and, once the background is
// double-clicked, the line parameters, framing and receive time-out. "設定"
// applies them by reopening the port; when it cannot be opened the old
// settings come back and the dialog stays open.

#include "link.h"
#include "port_search.h"
#include "prompter.h"
#include "settings.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zevo3 {

class TfrmCom : public QDialog {
    Q_OBJECT
public:
    TfrmCom(ComSettings &settings, Link &link, Prompter &prompter, const PortLister &ports,
            QWidget *parent = nullptr);

    void btnOkClick();
    void btnEscClick();
    void btnPortClick();
    void FormDblClick();
    bool searching() const { return searching_; }

    QGroupBox *gbComPara = nullptr;
    QComboBox *cmbPort = nullptr;
    QPushButton *btnPort = nullptr;
    QComboBox *cmbBps = nullptr;
    QComboBox *cmbDataBit = nullptr;
    QComboBox *cmbStopBit = nullptr;
    QComboBox *cmbParity = nullptr;
    QGroupBox *gbSend = nullptr;
    QComboBox *cmbSendHead = nullptr;
    QComboBox *cmbSendDlmt = nullptr;
    QGroupBox *gbRecv = nullptr;
    QComboBox *cmbRecvDlmt = nullptr;
    QLineEdit *edtRecvTout = nullptr;
    QProgressBar *prgBar = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnEsc = nullptr;

    // The header item for a setting: 1 for "STX", 0 otherwise; the delimiter
    // item: "ETX" 1, "CR" 2, "LF" 3, "CRLF" 4, anything else 0.
    static int sendHeadIndex(const QByteArray &setting);
    static int delimiterIndex(const QByteArray &setting);

protected:
    void showEvent(QShowEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

public:
    // Closing the dialog (Esc, the frame, ｷｬﾝｾﾙ) also ends a search.
    void reject() override;

private:
    void BuildLineGroup();
    void BuildSendGroup();
    void BuildReceiveGroup();
    QHBoxLayout *BuildButtons();
    void ConnectControls();
    void FormShow();
    void setLocked(bool locked);
    bool takeNumber(QComboBox *box, const QString &name, int *value);

    ComSettings &settings_;
    Link &link_;
    Prompter &prompter_;
    const PortLister &ports_;
    bool filled_ = false;
    bool searching_ = false;
    bool stopSearch_ = false;
};

} // namespace zevo3
