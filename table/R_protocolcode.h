#pragma once
// "プロトコルから作成": a code made from a protocol's fields (address,
// command, repeats, toggle), its carrier and frame shown as they are typed,
// and stored into the current row or the next free one.

#include "code_request.h"
#include "code_table.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zevo3 {

class CodeTableModel;
class Prompter;
class SignalPlot;

class TfrmProtocolCode : public QDialog {
    Q_OBJECT
public:
    TfrmProtocolCode(CodeTableModel &model, Prompter &prompter, int currentRow,
                     QWidget *parent = nullptr);

    // The row the code goes into: the current one, or the next free one.
    int targetRow() const;
    const RequestedCode &requested() const { return requested_; }

    void fieldsChange();
    void btnStoreClick();

    QComboBox *cmbProtocol = nullptr;
    QLineEdit *edtAddress = nullptr;
    QLineEdit *edtCommand = nullptr;
    QSpinBox *edtRepeats = nullptr;
    QSpinBox *edtToggle = nullptr;
    QComboBox *cmbTarget = nullptr;
    QLabel *lblWidths = nullptr;
    QLabel *lblCarrier = nullptr;
    QLabel *lblProblem = nullptr;
    SignalPlot *pbxWave = nullptr;
    QPushButton *btnStore = nullptr;
    QPushButton *btnCancel = nullptr;

signals:
    void stored(const RowRange &rows);

private:
    void buildControls();
    QString problemText() const;

    CodeTableModel &model_;
    Prompter &prompter_;
    RequestedCode requested_;
};

} // namespace zevo3
