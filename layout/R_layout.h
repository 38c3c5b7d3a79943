#pragma once
// The remote-control layout window: 15 rows of 8 button positions, each
// empty or a code of the code table with its frame and wait counts. Made
// hidden at start-up and kept for the whole run; closing it only hides it.

#include "layout_data.h"
#include "prompter.h"

#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;

namespace zevo3 {

class CodeTable;
class LayoutModel;
class Link;
class TfrmMsgBox;
struct LayoutFileOpen;

// What the layout window needs of the rest of the tool to talk to the unit:
// the link, the code table, and the main window's table cursor and log.
struct LayoutHost {
    Link *link = nullptr;
    const CodeTable *table = nullptr;
    std::function<void(int row)> selectTableRow;
    std::function<int()> tableRow;
    std::function<void(const QByteArray &line)> appendLog;
    // The application is ending: an interrupted registration says nothing.
    std::function<bool()> ending;
    // The table file the layout belongs to: a layout save never writes it.
    std::function<QString()> tableFile;
};

class TfrmLayout : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = LayoutData::kRows;
    static constexpr int kButtons = LayoutData::kColumns;
    static constexpr int kClientWidth = 32 + 6 * 100 + 32;
    static constexpr int kClientHeight = 350;

    TfrmLayout(LayoutData &layout, Prompter &prompter, QWidget *parent = nullptr);

    // The dialog "Cell 削除" asks with; made after this window.
    void setMsgBox(TfrmMsgBox *msgBox) { msgBox_ = msgBox; }
    void setHost(LayoutHost host) { host_ = std::move(host); }

    // "ZEVO3 登録": the layout and the codes into the unit, each message
    // acknowledged. Ignored while one runs; the stop button or Esc ends it.
    void btnTableWriteClick();
    // "発射テスト": the unit emits the current cell's code; the cursor moves on.
    void btnTestClick();
    bool registering() const { return registering_; }
    void stopRegistration();
    // New or Open in the main window: a registration stops as with "中止",
    // and its end saves no layout file, since the operator has left it.
    void stopRegistrationForNewTable();

    // Every cell empty, no current layout file, the current cell at R01 of row 1.
    void InitLayout();
    // The code with the Frames and Wait values into the current cell, then one
    // cell to the right (column 8 stays).
    void SetLayoutCell(int code);
    void sGridSelectCell(int column, int row);
    void btnDelClick();

    // Writes the layout file; an empty path is skipped silently. A file that
    // cannot be written is reported with its path; false then.
    bool SaveLayoutFile(const QString &path);
    // Empties the layout, then reads the file (asking when its first line does
    // not identify it). A missing file leaves the layout empty and no current
    // file, silently.
    void LoadLayoutFile(const QString &path);
    // The same for a layout file already read beside its table: what could
    // not be read is said, a file that is the table itself is not taken.
    void showLayoutFile(const LayoutFileOpen &open);
    // The current layout file: set by loading, cleared by InitLayout.
    QString currentFile() const;

    int currentRow() const;
    int currentColumn() const;
    void setCurrentCell(int row, int column);
    QString panelText(int panel) const;

    LayoutData &layout;
    Prompter &prompter;

    QFrame *pnlTop = nullptr;
    QLabel *lblFct = nullptr;
    QLineEdit *edtFct = nullptr;
    QLabel *lblWct = nullptr;
    QLineEdit *edtWct = nullptr;
    QPushButton *btnDel = nullptr;
    QPushButton *btnTableWrite = nullptr;
    QPushButton *btnTest = nullptr;
    QLabel *lblProgress = nullptr;
    QPushButton *btnStop = nullptr;
    QFrame *pnlBase = nullptr;
    QTableView *sGrid = nullptr;
    LayoutModel *model = nullptr;
    QStatusBar *sBar = nullptr;

signals:
    // A selected cell names a code: the code table's current row follows.
    void codeSelected(int code);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormCreate();
    void BuildTopPanel();
    void BuildGrid();
    void BuildStatusBar();
    void ConnectControls();
    bool ask(const QString &text, MsgButtons buttons);
    int countOr(const QLineEdit *edit, int fallback) const;
    void setPanelText(int panel, const QString &text);

    TfrmMsgBox *msgBox_ = nullptr;
    LayoutHost host_;
    bool registering_ = false;
    bool following_ = true;
    std::pair<int, int> cursorBeforeReset_{1, 1};
    bool stopRequested_ = false;
    bool fileLeft_ = false;
    QLabel *panels_[2] = {};
};

} // namespace zevo3
