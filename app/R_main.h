#pragma once
// The main window: menu, top panel, code table, waveform panel (built and
// hidden), console with receive log, and status bar. Its handlers for the
// table live in table/, those for the waveform in wave/.

#include "app_objects.h"
#include "code_table.h"
#include "link.h"
#include "overlay_walk.h"
#include "prompter.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QMimeData;
class QPainter;
class QPrinter;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QSplitter;
class QStatusBar;
class QTableView;

namespace zevo3 {

class CellEditorDelegate;
class CodeTableModel;
class ClickPanel;
class TfrmCodeExport;
class TfrmCodeImport;
class TfrmProtocolCode;
class TfrmLayout;
class TfrmMsgBox;
class TfrmWave;
class TfrmWaveEdit;
struct TrackNotes;
class WaveImage;
class WavePanelFrame;

class TfrmMain : public QMainWindow, public LinkObserver {
    Q_OBJECT
public:
    TfrmMain(AppObjects &objects, Prompter &prompter, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // LinkObserver
    void showPortStatus(const QString &text) override;
    void showNotice(const QString &text) override;
    void showWarning(const QString &text, const QString &caption) override;
    // The receive log's lines, and emptying it.
    int logLineCount() const;
    void clearLog();
    void appendLogLine(const QByteArray &line) override;
    void appendLogLines(const QByteArrayList &lines) override;

    // The windows made at start-up after this one, which its commands use.
    void attachWindows(TfrmLayout &layout, TfrmWave &wave, TfrmMsgBox &msgBox,
                       TfrmWaveEdit &waveEdit);
    TfrmLayout *frmLayout = nullptr;
    // Made after this window and gone before it: its end is noticed.
    QPointer<TfrmWave> frmWave;
    TfrmMsgBox *frmMsgBox = nullptr;
    TfrmWaveEdit *frmWaveEdit = nullptr;

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);
    // Appends a line to the receive log as another part of the tool sends it.
    void appendLogText(const QString &text);

    // Menu commands and handlers.
    void mmFileComClick();
    void mmFileQuitClick();
    void btnSendClick();
    bool cmbSendTextKeyPress(int key);
    void btnRecvClearClick();
    void memoRecvDblClick(const QPoint &viewportPos);
    void AddToHistory(const QString &text);
    QStringList history() const;

    // Code table (table/main_table.cpp).
    void mmCleateClick();
    void ClearTable();
    void SelectNextFreeRow();
    void sGridSelectCell(int column, int row);
    // Enter in the grid; `editing`: it was pressed in the cell editor.
    void sGridKeyPress(int key, bool editing);
    void sGridDblClick();
    void ppMenuPopup();
    void ppCopyClick();
    void ppPasteClick();
    void ppDeleteClick();
    void ppInsertClick();
    // Codes of other formats into rows from the current one, and rows out.
    void ppImportClick();
    void ppExportClick();
    // The import dialog aimed at `row`, with `text` in it when given; the
    // one already open is brought to the front instead.
    TfrmCodeImport *openCodeImport(int row, const QByteArray *text = nullptr);
    // The current row's protocol into its Result cell ("NEC 04 08"), and a
    // code made from a protocol's fields.
    void ppDecodeClick();
    // In analysis-log mode after a load: each row's line and its protocol.
    void logTableRows();
    void ppProtocolCodeClick();
    QPointer<TfrmProtocolCode> frmProtocolCode;
    // A file dropped on the grid: one of the interchange formats opens the
    // import dialog on it, aimed at the row it was dropped on.
    bool sGridDragEnter(const QMimeData *mime) const;
    void sGridDrop(const QMimeData *mime, const QPoint &viewportPos);
    QPointer<TfrmCodeImport> frmCodeImport;
    QPointer<TfrmCodeExport> frmCodeExport;
    void sBarDblClick();
    void btnLayoutClick();
    // The firing test ("発射テスト").
    void btnTestClick();
    // The wave information editor: opened on the current row, its IR Out
    // and its OK.
    void ppWaveEditClick();
    // "Table 印刷": the occupied rows, through the print dialog.
    void btnTablePrintClick();
    // The print dialog for a job of that title, then draw() on the chosen
    // printer; a printer that cannot start is reported.
    void printThroughDialog(QPrinter &printer, const QString &title,
                            const std::function<void(QPainter &)> &draw);
    void WaveEditIrOut();
    void WaveEditOk();
    // The waveform panel (wave/): learning, clearing, drawing, markers and
    // measurement, the wave data window, and what fills the store.
    void pnlAnalyzeClick();
    void SetLearningDisplay(bool on);
    bool learning() const { return learning_; }
    void btnWaveClearClick();
    void ClearWaveStore();
    void ClearTrack(int slot);
    void DrawPulse(int slot, int k);
    void SetZoomAndRedraw(int divisor);
    void btnZoomLeftClick();
    void btnZoomRightClick();
    void scrBarChange(int position);
    void imgWaveMouseDown(Qt::MouseButton button, QPoint at);
    void imgWaveMouseUp(Qt::MouseButton button, QPoint at);
    void btnWaveDataClick();
    // "波形表示" in analysis-log mode: the current row's waveform, panel shown.
    void ppWaveShowClick();
    // Fills the store from the row's timing description and draws it.
    void ShowRowWave(int row);
    void btnWaveLoadClick();
    bool loadWaveFile(const QString &path);
    static FileDialogSetup waveDialogSetup();
    // The annotation and code check, the overlays and their switches, the
    // wave print and the export (wave/main_wave_overlay.cpp).
    void AnnotateTrack(const TrackNotes &notes);
    void ckCodeCheckClick();
    void ckEiritsuClick();
    void ckPhilipsClick();
    void pnlContDblClick();
    void cmbTsKeyPress();
    void cmbTwKeyPress();
    // The overlay the switches and the Ts, Tw and Bits boxes choose.
    OverlaySettings overlaySettings() const;
    // The Philips timing boxes and their labels.
    void showPhilipsTiming(bool on);
    void btnWavePrintClick();
    void PrintWave(QPainter &painter, int pageWidth);
    void btnWaveSaveClick();
    bool ExportWave(const QString &path, int filterIndex);
    static FileDialogSetup waveSaveDialogSetup();
    int currentRow() const;    // 1..70, 0 when there is no current cell
    int currentColumn() const; // 0..4
    void setCurrentCell(int row, int column);
    bool rowMode() const { return rowMode_; }
    bool analysisLog() const { return analysisLog_; }
    int copyMark() const { return copyMark_.row; }
    // Where Enter opens the row menu: beside the current row as the grid shows it.
    QPoint rowMenuPosition() const;

    // Table file (table/main_table_file.cpp).
    void mmFileOpenClick();
    void mmFileSaveClick();
    // Open's work after its dialog: the table, then its layout, then the
    // layout window shown. Also for a file named when the program starts.
    bool openTableFile(const QString &path);
    // A table handed over by a second copy: opened once no dialog is open,
    // so that a question being answered never acts on the new table.
    void openHandedOver(const QString &path);
    // Shown and raised; a dialog that is open comes to the front instead.
    void comeToFront();
    bool ReadTableFile(const QString &path);
    bool WriteTableFile(const QString &path);
    static FileDialogSetup tableDialogSetup();
    QString saveDialogFileName() const { return saveFileName_; }

    AppObjects &objects;
    Prompter &prompter;

    // Menu
    QMenuBar *MainMenu1 = nullptr;
    QMenu *mmFile = nullptr;
    QAction *mmCleate = nullptr;
    QAction *mmFileOpen = nullptr;
    QAction *mmFileSave = nullptr;
    QAction *mmFileCom = nullptr;
    QAction *mmFileQuit = nullptr;
    // Top panel
    QFrame *pnlTop = nullptr;
    QPushButton *btnTest = nullptr;
    QCheckBox *ckCursor = nullptr;
    QPushButton *btnLayout = nullptr;
    QPushButton *btnTablePrint = nullptr;
    // Code table
    QTableView *sGrid = nullptr;
    CodeTableModel *tableModel = nullptr;
    QMenu *ppMenu = nullptr;
    QAction *ppCopy = nullptr;
    QAction *ppPaste = nullptr;
    QAction *ppDelete = nullptr;
    QAction *ppInsert = nullptr;
    QAction *ppWaveEdit = nullptr;
    QAction *ppWaveShow = nullptr;
    QAction *ppImport = nullptr;
    QAction *ppExport = nullptr;
    QAction *ppDecode = nullptr;
    QAction *ppProtocolCode = nullptr;
    QAction *ppCancel = nullptr;
    CellEditorDelegate *cellEditor = nullptr;
    // Waveform panel
    QFrame *pnlWave = nullptr;
    QFrame *pnlCont = nullptr;
    WaveImage *imgWave = nullptr;
    QScrollBar *scrBar = nullptr;
    ClickPanel *pnlAnalyze = nullptr;
    QLineEdit *edtLtime = nullptr;
    QLineEdit *edtHrange = nullptr;
    QLineEdit *edtWrange = nullptr;
    QCheckBox *ckLearningMsg = nullptr;
    QPushButton *btnWaveClear = nullptr;
    QPushButton *btnWaveLoad = nullptr;
    QPushButton *btnWaveData = nullptr;
    QPushButton *btnWavePrint = nullptr;
    QPushButton *btnWaveSave = nullptr;
    QCheckBox *ckCodeCheck = nullptr;
    QPushButton *btnZoomLeft = nullptr;
    QPushButton *btnZoomRight = nullptr;
    QLabel *pnlZoom = nullptr;
    QLabel *lblTs = nullptr;
    QLabel *lblTw = nullptr;
    QLabel *lblBt = nullptr;
    QComboBox *cmbTs = nullptr;
    QComboBox *cmbTw = nullptr;
    QComboBox *cmbBt = nullptr;
    QCheckBox *ckEiritsu = nullptr;
    QCheckBox *ckPhilips = nullptr;
    QCheckBox *ckPcode = nullptr;
    QProgressBar *pgBar = nullptr;
    // Console
    QSplitter *splitter = nullptr;
    QFrame *pnlRecv = nullptr;
    QFrame *pnlSend = nullptr;
    QPushButton *btnSend = nullptr;
    QComboBox *cmbSendText = nullptr;
    QPushButton *btnRecvClear = nullptr;
    QPlainTextEdit *memoRecv = nullptr;
    // Status bar
    QStatusBar *sBar = nullptr;

signals:
    // The window was closed: the application ends.
    void closed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormResize();
    void BuildMenu();
    void BuildTopPanel();
    void BuildConsole();
    void BuildStatusBar();
    void BuildClientArea();
    void ReadSettingsAndOpenPort();
    void SetupTable();
    void BuildWavePanel();
    void BuildWaveStrip();
    void PlaceWavePanelParts(WavePanelFrame *frame);
    void FillDecoderTiming();
    void ConnectWavePanel();
    // The wave data window follows a refilled store.
    void waveFilled();
    // While the panel is shown: another row chosen, or the table changed.
    void waveRowSelected(int row);
    void tableChangedUnderWave();
    bool SaveSettings(QString *error = nullptr);

    void BuildRowMenu();
    bool tableEvent(QObject *watched, QEvent *event);

    QLabel *panels_[3] = {};
    bool closing_ = false;
    // Code table state: the copy mark, row or cell mode, analysis-log mode,
    // and the name the next save proposes.
    CopyMark copyMark_;
    bool rowMode_ = true;
    bool analysisLog_ = false;
    QString saveFileName_;
    // The waveform panel: the learning display, and the row whose timing
    // description the store was filled from, as it was then.
    bool learning_ = false;
    int shownRow_ = 0;
    std::optional<WaveInfo> shownInfo_;
    bool waveRefreshPending_ = false;
};

} // namespace zevo3
