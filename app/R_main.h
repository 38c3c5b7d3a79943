#pragma once
// The main window: menu, top panel, code table, waveform panel (built and
// hidden), console with receive log, and status bar. Its handlers for the
// table live in table/, those for the waveform in wave/.

#include "app_objects.h"
#include "link.h"
#include "prompter.h"

#include <QMainWindow>
#include <QStringList>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QSplitter;
class QStatusBar;
class QTableView;

namespace zevo3 {

class CodeTableModel;
class ClickPanel;
class TfrmLayout;
class TfrmMsgBox;
class TfrmWave;
class TfrmWaveEdit;
class WaveImage;

class TfrmMain : public QMainWindow, public LinkObserver {
    Q_OBJECT
public:
    TfrmMain(AppObjects &objects, Prompter &prompter, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // LinkObserver
    void showPortStatus(const QString &text) override;
    void showNotice(const QString &text) override;
    void showWarning(const QString &text, const QString &caption) override;
    int logLineCount() const override;
    void clearLog() override;
    void appendLogLine(const QByteArray &line) override;

    // The windows made at start-up after this one, which its commands use.
    void attachWindows(TfrmLayout &layout, TfrmWave &wave, TfrmMsgBox &msgBox,
                       TfrmWaveEdit &waveEdit);
    TfrmLayout *frmLayout = nullptr;
    TfrmWave *frmWave = nullptr;
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
    void SetupTable();
    void BuildWavePanel();
    void ClearTrack(int slot);
    void SetLearningDisplay(bool on);
    bool SaveSettings(QString *error = nullptr);

    QLabel *panels_[3] = {};
    bool closing_ = false;
};

} // namespace zevo3
