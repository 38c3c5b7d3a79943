#pragma once
// The wave information editor: shows the timing description of a code table
// row as editable fields, emits it through the unit (IR Out) and stores it in
// the table (OK). A small window that stays above the main window and does
// not block it. Its fields are the edit state: nothing reaches the table
// before OK.

#include "code_table.h"
#include "transmit_messages.h"

#include <QWidget>

class QFont;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace zevo3 {

class TfrmWaveEdit : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 329;
    static constexpr int kClientHeight = 210;
    static constexpr int kBaseWidth = 337;

    explicit TfrmWaveEdit(QWidget *parent = nullptr);

    // Fills the fields from a timing description (the row menu's
    // "波形情報の編集"), sizes the window to the pattern code ruler, but no
    // wider than its screen's available width.
    void fill(const WaveInfo &info);
    // The fields as numbers: 380 for a carrier that is not a number, 0 for
    // the others; the pattern code text as typed.
    EditorFields fields() const;

    void edtPcodeChange();

    QTableWidget *sGrid = nullptr;
    QLabel *lblCarry = nullptr;
    QLineEdit *edtCarry = nullptr;
    QLabel *lblDataBits = nullptr;
    QLineEdit *edtDataBits = nullptr;
    QLabel *lblRepeatBit = nullptr;
    QLineEdit *edtRepeatBit = nullptr;
    // The ruler and the sequence, one above the other in a strip that
    // scrolls sideways as one when a long code makes them wider than the
    // window may be.
    QScrollArea *scrPcode = nullptr;
    QWidget *pnlPcode = nullptr;
    QLabel *lblPcode = nullptr;
    QLineEdit *edtPcode = nullptr;
    QPushButton *btnIrOut = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;

signals:
    // The buttons: the main window sends and stores (it owns the link and
    // the table).
    void irOutClicked();
    void okClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void BuildGrid(const QFont &mono);
    QGridLayout *BuildFields();
    void BuildPcodeStrip(const QFont &mono, int spacing);
    // The strip's scroll bar is there only when the ruler is wider than the
    // strip, and the strip is as high as its contents and that bar.
    void fitPcodeStrip(int stripWidth);
    // The strip follows the cursor of the sequence.
    void showPcodeCursor();
    // The widest the window may be: its screen's available width, less its
    // frame.
    int widestOnScreen() const;

    int wantedWidth_ = kBaseWidth; // for the whole ruler
    int stripBar_ = 0;             // the height of the strip's scroll bar, 0 without
};

} // namespace zevo3
