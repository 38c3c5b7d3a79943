#pragma once
// The communication settings dialog. Made for each use by the Com command.
// "設定" applies the port name by reopening the port; when it cannot be
// opened the old settings come back and the dialog stays open.

#include "link.h"
#include "settings.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace zevo3 {

class TfrmCom : public QDialog {
    Q_OBJECT
public:
    TfrmCom(ComSettings &settings, Link &link, QWidget *parent = nullptr);

    void btnOkClick();
    void btnEscClick();

    QComboBox *cmbPort = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnEsc = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    ComSettings &settings_;
    Link &link_;
    bool filled_ = false;
};

} // namespace zevo3
