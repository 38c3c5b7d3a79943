#pragma once
// The export dialog: the current row, or every row with a timing
// description, in another format to the clipboard or a file.

#include "code_table.h"
#include "transfer_preview.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zevo3 {

class Prompter;

class TfrmCodeExport : public QDialog {
    Q_OBJECT
public:
    // `remoteName`: the name a LIRC file gives its remote.
    TfrmCodeExport(const CodeTable &table, Prompter &prompter, int currentRow,
                   const QString &remoteName, QWidget *parent = nullptr);

    InterchangeFormat format() const;
    // The rows chosen: the current row, 0 for every row with a description.
    int rowChoice() const;
    const InterchangeWrite &written() const { return written_; }

    void refresh();
    void btnCopyClick();
    void btnSaveClick();

    QComboBox *cmbFormat = nullptr;
    QRadioButton *rbRow = nullptr;
    QRadioButton *rbAll = nullptr;
    // IR signal files: raw records only, also for codes of a known protocol.
    QCheckBox *ckRawOnly = nullptr;
    QPlainTextEdit *memoText = nullptr;
    QPlainTextEdit *memoNotes = nullptr;
    QLabel *lblDone = nullptr;
    QPushButton *btnCopy = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnClose = nullptr;

private:
    const CodeTable &table_;
    Prompter &prompter_;
    int currentRow_;
    QString remoteName_;
    InterchangeWrite written_;
};

} // namespace zevo3
