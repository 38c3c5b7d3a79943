#pragma once
// The import dialog: codes of another format, pasted or read from a file,
// shown as the rows would take them and stored into the table from a row on.

#include "code_table.h"
#include "transfer_preview.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace zevo3 {

class CodeTableModel;
class Prompter;

// The first code of the list as a line of marks and spaces across the widget.
class SignalPlot : public QWidget {
    Q_OBJECT
public:
    explicit SignalPlot(QWidget *parent = nullptr);
    void setSignal(const FlatSignal &signal);
    const FlatSignal &signal() const { return signal_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FlatSignal signal_;
};

class TfrmCodeImport : public QDialog {
    Q_OBJECT
public:
    TfrmCodeImport(CodeTableModel &model, Prompter &prompter, int firstRow,
                   QWidget *parent = nullptr);

    // The text as if pasted, e.g. a file's bytes (UTF-8, as the formats carry names).
    void setText(const QByteArray &bytes);
    // Reads the file into the text; a file that cannot be read is said.
    bool loadFile(const QString &path);
    int firstRow() const;
    InterchangeFormat format() const;
    const ImportPreview &preview() const { return preview_; }

    void memoTextChange();
    void cmbFormatChange();
    void btnFileClick();
    void btnStoreClick();

    QPlainTextEdit *memoText = nullptr;
    QPushButton *btnFile = nullptr;
    QComboBox *cmbFormat = nullptr;
    QSpinBox *edtRow = nullptr;
    QTableWidget *lstCodes = nullptr;
    QLabel *lblError = nullptr;
    QPlainTextEdit *memoNotes = nullptr;
    SignalPlot *pbxWave = nullptr;
    QPushButton *btnStore = nullptr;
    QPushButton *btnCancel = nullptr;

signals:
    // The codes went into these rows.
    void stored(const RowRange &rows);

private:
    void placeControls();
    void showPreview();

    CodeTableModel &model_;
    Prompter &prompter_;
    ImportPreview preview_;
};

} // namespace zevo3
