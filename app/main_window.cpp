// The main window's frame: creation, resizing, the Com and Quit commands and
// the close.

#include "R_main.h"

#include "R_com.h"
#include "R_layout.h"
#include "R_wave.h"
#include "R_waveedit.h"
#include "code_table_model.h"
#include "command_set.h"
#include "link_texts.h"
#include "main_frame_core.h"
#include "text_codec.h"
#include "ui_fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <cstdio>

namespace zevo3 {

TfrmMain::TfrmMain(AppObjects &objects_, Prompter &prompter_, QWidget *parent)
    : QMainWindow(parent), objects(objects_), prompter(prompter_) {
    setObjectName(QStringLiteral("frmMain"));
    FormCreate();
}

TfrmMain::~TfrmMain() {
    objects.link.ClosePort();
    objects.link.setObserver(nullptr);
}

void TfrmMain::FormCreate() {
    setFont(formFont(12));

    // The title, with the executable's date.
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    setWindowTitle(windowTitleFor(exe.exists() ? exe.lastModified() : QDateTime()));

    // Geometry: 600 wide, screen height - 200 high, centred, top at 100.
    setMinimumSize(kMinWidth, kMinHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(startGeometry(screen->geometry()));

    // No measurement markers.
    objects.view.referenceMarker = -1;
    objects.view.measureMarker = -1;

    BuildMenu();
    BuildStatusBar();
    BuildClientArea();
    ReadSettingsAndOpenPort();

    // Empty send box and log.
    cmbSendText->setEditText(QString());
    memoRecv->clear();

    // Edit boxes from the WAVE section.
    edtHrange->setText(QString::number(objects.wave.H_Range_));
    edtWrange->setText(QString::number(objects.wave.W_Range_));
    edtLtime->setText(QString::number(objects.wave.L_Time_ / 1000));

    SetLearningDisplay(false);
    pnlWave->setVisible(false);

    // Ask the unit for its version; the answer shows in the log.
    if (objects.link.portOpen()) objects.link.SendMessage(cmd::kVersion);

    // The status bar's second panel (notices and the analysis-log mode) starts empty.
    setPanelText(1, QString());
}

// The top panel, and below it the splitter: the code table with the waveform
// panel above, the receive panel below.
void TfrmMain::BuildClientArea() {
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlClient"));
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(central);

    BuildTopPanel();
    column->addWidget(pnlTop);

    // The code table fills the space above the waveform panel; the receive
    // panel sits below the splitter, 200 pixels high.
    splitter = new QSplitter(Qt::Vertical, central);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setHandleWidth(9);
    splitter->setOpaqueResize(true);
    splitter->setChildrenCollapsible(false);
    column->addWidget(splitter, 1);

    auto *upper = new QWidget(splitter);
    upper->setObjectName(QStringLiteral("pnlUpper"));
    auto *upperColumn = new QVBoxLayout(upper);
    upperColumn->setContentsMargins(0, 0, 0, 0);
    upperColumn->setSpacing(0);
    sGrid = new QTableView(upper);
    sGrid->setObjectName(QStringLiteral("sGrid"));
    sGrid->installEventFilter(this);
    upperColumn->addWidget(sGrid, 1);
    SetupTable();

    // The waveform panel is built complete, then hidden.
    BuildWavePanel();
    upperColumn->addWidget(pnlWave, 0);

    BuildConsole();
    splitter->addWidget(upper);
    splitter->addWidget(pnlRecv);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({std::max(100, height() - 200), 200});
}

// Settings, then the port, once the receive log exists to take what the unit
// says. Error reporting is off: a port that cannot be opened shows only ":OFF"
// in panel 0.
void TfrmMain::ReadSettingsAndOpenPort() {
    QString problem;
    if (!ReadSettings(objects.settingsPath, objects.com, objects.wave, &problem)) {
        // Not a settings file we can trust: run with the defaults and leave
        // the file alone.
        objects.settingsReadOnly = true;
        const QString text = settingsRefusedText(objects.settingsPath, problem);
        std::fprintf(stderr, "zevo3tool: %s\n", qPrintable(text));
        prompter.ask(nullptr, text, texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
    }
    if (!objects.portOverride.isEmpty()) objects.com.PortName = objects.portOverride;
    objects.link.setErrorReporting(false);
    objects.link.setObserver(this);
    if (objects.link.OpenPort(true)) {
        objects.link.ShowPortName();
        return;
    }
    // No message box at start: the reason waits on the port's panel.
    panels_[0]->setToolTip(objects.link.device().openFailureReason());
}

void TfrmMain::BuildMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    mmFile = MainMenu1->addMenu(tr("ﾌｧｲﾙ (&File)"));
    mmFile->setObjectName(QStringLiteral("mmFile"));
    auto add = [this](QAction *&action, const QString &text, const char *name) {
        action = mmFile->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
    };
    add(mmCleate, tr("新規作成 (&New)"), "mmCleate");
    add(mmFileOpen, tr("ﾌｧｲﾙを開く (&Open)"), "mmFileOpen");
    add(mmFileSave, tr("ﾌｧｲﾙに保存 (&Save)"), "mmFileSave");
    mmFile->addSeparator();
    add(mmFileCom, tr("通信の設定 (&Com)"), "mmFileCom");
    mmFile->addSeparator();
    add(mmFileQuit, tr("終了 (&Quit)"), "mmFileQuit");
    connect(mmCleate, &QAction::triggered, this, &TfrmMain::mmCleateClick);
    connect(mmFileOpen, &QAction::triggered, this, &TfrmMain::mmFileOpenClick);
    connect(mmFileSave, &QAction::triggered, this, &TfrmMain::mmFileSaveClick);
    connect(mmFileCom, &QAction::triggered, this, &TfrmMain::mmFileComClick);
    connect(mmFileQuit, &QAction::triggered, this, &TfrmMain::mmFileQuitClick);
}

void TfrmMain::BuildTopPanel() {
    pnlTop = new QFrame(this);
    pnlTop->setObjectName(QStringLiteral("pnlTop"));
    pnlTop->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(pnlTop);
    row->setContentsMargins(4, 3, 4, 3);
    btnTest = new QPushButton(tr("発射テスト"), pnlTop);
    btnTest->setObjectName(QStringLiteral("btnTest"));
    ckCursor = new QCheckBox(QStringLiteral("Cursor Auto"), pnlTop);
    ckCursor->setObjectName(QStringLiteral("ckCursor"));
    ckCursor->setChecked(true);
    btnLayout = new QPushButton(QStringLiteral("Remocon Setteing"), pnlTop);
    btnLayout->setObjectName(QStringLiteral("btnLayout"));
    btnTablePrint = new QPushButton(tr("Table 印刷"), pnlTop);
    btnTablePrint->setObjectName(QStringLiteral("btnTablePrint"));
    btnTablePrint->setVisible(false);
    row->addWidget(btnTest);
    row->addWidget(ckCursor);
    row->addWidget(btnLayout);
    connect(btnLayout, &QPushButton::clicked, this, &TfrmMain::btnLayoutClick);
    connect(btnTest, &QPushButton::clicked, this, &TfrmMain::btnTestClick);
    connect(btnTablePrint, &QPushButton::clicked, this, &TfrmMain::btnTablePrintClick);
    // The print button sits at the right end of the strip.
    row->addStretch();
    row->addWidget(btnTablePrint);
}

void TfrmMain::BuildStatusBar() {
    sBar = statusBar();
    sBar->setObjectName(QStringLiteral("sBar"));
    sBar->setSizeGripEnabled(true);
    const int widths[3] = {80, 60, 60};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(sBar);
        panels_[i]->setObjectName(QStringLiteral("sBarPanel%1").arg(i));
        panels_[i]->setMinimumWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // The last panel holds paths: it takes the rest of the bar.
        sBar->addWidget(panels_[i], i == 2 ? 1 : 0);
        panels_[i]->installEventFilter(this); // a double-click toggles analysis-log mode
    }
    sBar->installEventFilter(this);
}

void TfrmMain::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfrmMain::FormResize() {
    // The minimum size (500 x 400) is held by the window itself.
    if (sGrid) {
        const ColumnSplit split = splitTableColumns(sGrid->width(), sGrid->columnWidth(0),
                                                    sGrid->columnWidth(1), sGrid->columnWidth(2));
        sGrid->setColumnWidth(CodeTable::kColComments, std::max(0, split.comments));
        sGrid->setColumnWidth(CodeTable::kColResult, std::max(0, split.result));
    }
    if (scrBar && imgWave) objects.view.scrollSpan = WaveViewState::scrollSpanFor(scrBar->width());
}

void TfrmMain::mmFileComClick() {
    objects.link.ClosePort();
    {
        TfrmCom dialog(objects.com, objects.link, prompter, *objects.ports, this);
        if (dialog.exec() == QDialog::Accepted) SaveSettings();
    }
    if (objects.link.portOpen()) objects.link.SendMessage(cmd::kVersion);
}

void TfrmMain::mmFileQuitClick() {
    close();
}

bool TfrmMain::SaveSettings(QString *error) {
    if (objects.settingsReadOnly) return true;
    const bool folder = objects.settingsFolderToMake.isEmpty() ||
                        makeSettingsFolder(objects.settingsFolderToMake, error);
    if (folder && WriteSettings(objects.settingsPath, objects.com, objects.wave, error))
        return true;
    setPanelText(2, settingsWriteErrorText(QFileInfo(objects.settingsPath).absoluteFilePath()));
    return false;
}

void TfrmMain::closeEvent(QCloseEvent *event) {
    if (closing_) {
        event->accept();
        return;
    }
    closing_ = true;
    showMinimized();
    QString error;
    if (!SaveSettings(&error)) {
        // The window is going: say it where the operator still sees it.
        const QString text =
            settingsSaveFailedText(QFileInfo(objects.settingsPath).absoluteFilePath(), error);
        std::fprintf(stderr, "zevo3tool: %s\n", qPrintable(text));
        prompter.ask(nullptr, text, texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
    }
    objects.link.ClosePort();
    event->accept();
    emit closed();
}

void TfrmMain::attachWindows(TfrmLayout &layout, TfrmWave &wave, TfrmMsgBox &msgBox,
                             TfrmWaveEdit &waveEdit) {
    frmLayout = &layout;
    frmWave = &wave;
    frmMsgBox = &msgBox;
    frmWaveEdit = &waveEdit;
    frmLayout->setMsgBox(frmMsgBox);
    connect(frmWaveEdit, &TfrmWaveEdit::irOutClicked, this, &TfrmMain::WaveEditIrOut);
    connect(frmWaveEdit, &TfrmWaveEdit::okClicked, this, &TfrmMain::WaveEditOk);
    LayoutHost host;
    host.link = &objects.link;
    host.table = &objects.table;
    host.selectTableRow = [this](int row) {
        setCurrentCell(row, std::max(int(CodeTable::kColCarry), currentColumn()));
    };
    host.tableRow = [this] { return currentRow(); };
    host.appendLog = [this](const QByteArray &line) { appendLogLine(line); };
    host.ending = [this] { return closing_; };
    host.tableFile = [this] { return saveFileName_; };
    frmLayout->setHost(std::move(host));
    // A selected layout cell moves the table's current row to its code.
    connect(frmLayout, &TfrmLayout::codeSelected, this, [this](int code) {
        if (CodeTable::validRow(code))
            setCurrentCell(code, std::max(int(CodeTable::kColCarry), currentColumn()));
    });
}

QString TfrmMain::panelText(int panel) const {
    return panel >= 0 && panel < 3 ? panels_[panel]->text() : QString();
}

void TfrmMain::setPanelText(int panel, const QString &text) {
    if (panel >= 0 && panel < 3) panels_[panel]->setText(text);
}

void TfrmMain::showPortStatus(const QString &text) {
    setPanelText(0, text);
    if (objects.link.portOpen()) panels_[0]->setToolTip(QString());
}

void TfrmMain::showNotice(const QString &text) {
    setPanelText(1, text);
}

void TfrmMain::showWarning(const QString &text, const QString &caption) {
    prompter.ask(this, text, caption, MsgIcon::Warning, MsgButtons::Ok);
}

} // namespace zevo3
