// The main window's frame: what start-up builds, the size rules, the Com
// command and the close.

#include "R_com.h"
#include "R_layout.h"
#include "R_msgbox.h"
#include "R_wave.h"
#include "R_waveedit.h"
#include "click_panel.h"
#include "main_window_fixture.h"
#include "modal_dialog.h"
#include "wait.h"
#include "wave_image.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <functional>

using namespace zevo3;
using namespace zevo3::test;

TEST_F(MainWindowTest, StartWithoutPortShowsOffAndSendsNothing) {
    device.failAllOpens = true;
    TfrmMain &w = create();
    EXPECT_EQ(w.panelText(0), QStringLiteral("COM1:OFF"));
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(device.writes, 0);
    EXPECT_TRUE(w.memoRecv->toPlainText().isEmpty());
    EXPECT_EQ(device.lastName, deviceNameFor("COM1"));
}

TEST_F(MainWindowTest, StartWithPortAsksForTheVersion) {
    TfrmMain &w = create();
    EXPECT_EQ(device.written, QByteArray("Version\r\n"));
    EXPECT_EQ(w.panelText(0), QStringLiteral("COM1"));
    EXPECT_TRUE(w.panelText(1).isEmpty());
    device.inject("ZEVO3 Ver1.00\r\n");
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 1; }));
    EXPECT_EQ(w.memoRecv->toPlainText(), QStringLiteral("ZEVO3 Ver1.00"));
}

TEST_F(MainWindowTest, EveryRegionAndControlIsBuiltAndNamed) {
    TfrmMain &w = create();
    for (const char *name :
         {"MainMenu1",  "pnlTop",   "btnTest",   "ckCursor",    "btnLayout",    "btnTablePrint",
          "sGrid",      "ppMenu",   "pnlWave",   "pnlCont",     "imgWave",      "scrBar",
          "pnlAnalyze", "edtLtime", "edtHrange", "edtWrange",   "pnlZoom",      "cmbTs",
          "cmbTw",      "cmbBt",    "lblTs",     "ckEiritsu",   "pgBar",        "splitter",
          "pnlRecv",    "pnlSend",  "btnSend",   "cmbSendText", "btnRecvClear", "memoRecv",
          "sBar"})
        EXPECT_NE(w.findChild<QObject *>(QString::fromLatin1(name)), nullptr) << name;
    for (const char *name :
         {"mmFile", "mmCleate", "mmFileOpen", "mmFileSave", "mmFileCom", "mmFileQuit"})
        EXPECT_NE(w.findChild<QObject *>(QString::fromLatin1(name)), nullptr) << name;

    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("MORIKA ZEVO3 Tool  [ Ver.")));
    EXPECT_TRUE(w.ckCursor->isChecked());
    EXPECT_TRUE(w.btnTablePrint->isHidden());
    EXPECT_TRUE(w.pnlWave->isHidden());
    EXPECT_TRUE(w.cmbTs->isHidden());
    EXPECT_TRUE(w.pgBar->isHidden());
    EXPECT_EQ(w.pnlZoom->text(), QStringLiteral("1/200"));
    EXPECT_EQ(w.pnlAnalyze->text(), QStringLiteral("学習 Off"));
    EXPECT_EQ(w.cmbTs->currentText(), QStringLiteral("450"));
    EXPECT_EQ(w.cmbTs->count(), 3);
    EXPECT_EQ(w.cmbTw->itemText(2), QStringLiteral("2100"));
    EXPECT_EQ(w.cmbBt->currentText(), QStringLiteral("32"));
    EXPECT_EQ(w.imgWave->width(), 20000);
    EXPECT_EQ(w.imgWave->height(), 63);
    EXPECT_EQ(w.imgWave->y(), 49);
    EXPECT_EQ(w.pnlWave->height(), 130);
    EXPECT_EQ(w.mmFileCom->text(), QStringLiteral("通信の設定 (&Com)"));
    EXPECT_EQ(w.btnSend->text(), QStringLiteral("ZEVOに送信"));
    // The table: header, 70 numbered rows.
    EXPECT_EQ(w.sGrid->model()->rowCount(), 70);
    EXPECT_EQ(w.sGrid->model()->data(w.sGrid->model()->index(69, 0)).toString(),
              QStringLiteral("070"));
    EXPECT_EQ(w.sGrid->model()->headerData(3, Qt::Horizontal).toString(),
              QStringLiteral("Comments"));
}

TEST_F(MainWindowTest, WaveEditBoxesComeFromTheSettingsAndAreNotWrittenBack) {
    writeIni("[WAVE]\r\nH_Range_=0\r\nW_Range_=33\r\nL_Time__=2500\r\n");
    TfrmMain &w = create();
    EXPECT_EQ(w.edtHrange->text(), QStringLiteral("20"));
    EXPECT_EQ(w.edtWrange->text(), QStringLiteral("33"));
    EXPECT_EQ(w.edtLtime->text(), QStringLiteral("2"));
    w.edtHrange->setText(QStringLiteral("30"));
    w.close();
    const QByteArray ini = readIni();
    EXPECT_TRUE(ini.contains("H_Range_=20\r\n"));
    EXPECT_TRUE(ini.contains("L_Time__=2500\r\n"));
}

TEST_F(MainWindowTest, CloseWritesSettingsThenClosesThePort) {
    TfrmMain &w = create();
    bool closedSignal = false;
    QObject::connect(&w, &TfrmMain::closed, [&] { closedSignal = true; });
    device.calls.clear();
    w.close();
    EXPECT_TRUE(closedSignal);
    EXPECT_FALSE(objects->link.portOpen());
    EXPECT_EQ(device.calls, (QStringList{QStringLiteral("clearDtrRts"), QStringLiteral("close")}));
    EXPECT_TRUE(readIni().startsWith("[COMPORT]\r\nPortName=COM1\r\nBaudRate=57600\r\n"));
    EXPECT_TRUE(prompter.asked.isEmpty()); // nothing asks about unsaved work
}

TEST_F(MainWindowTest, UnwritableSettingsShowNgInPanelTwo) {
    writeIni("[COMPORT]\r\nPortName=COM2\r\n");
    QFile::setPermissions(iniPath(), QFileDevice::ReadOwner);
    TfrmMain &w = create();
    w.close();
    EXPECT_EQ(w.panelText(2), QStringLiteral("NG ... ") + iniPath());
    QFile::setPermissions(iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readIni(), "[COMPORT]\r\nPortName=COM2\r\n");
    // The window is going away: the failure is also said in a message box.
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].caption, QStringLiteral("警告"));
    EXPECT_TRUE(prompter.asked[0].text.contains(iniPath()));
}

TEST_F(MainWindowTest, RefusedSettingsFileIsSaidOnceAndLeftAlone) {
    // A settings "file" that is a folder, or far too large, runs the tool
    // with the defaults and is not written at close.
    writeIni("[COMPORT]\r\nPortName=COM2\r\n" + QByteArray(2 * 1024 * 1024, ';'));
    const QByteArray before = readIni();
    TfrmMain &w = create();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].caption, QStringLiteral("警告"));
    EXPECT_TRUE(prompter.asked[0].text.contains(iniPath()));
    EXPECT_EQ(objects->com, ComSettings());
    EXPECT_EQ(w.edtLtime->text(), QStringLiteral("500"));
    w.close();
    EXPECT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(readIni(), before);
}

TEST_F(MainWindowTest, TheWindowsMadeAtStartAreReachable) {
    EXPECT_EQ(create().frmLayout, nullptr);
    window.reset();
    ToolWindows windows(*objects, prompter);
    TfrmMain &w = *windows.main;
    EXPECT_EQ(w.frmLayout, windows.layout.get());
    EXPECT_EQ(w.frmWave, windows.wave.get());
    EXPECT_EQ(w.frmMsgBox, windows.msgBox.get());
    EXPECT_EQ(w.frmWaveEdit, windows.waveEdit.get());
    // Each later window is the main window's child.
    for (QWidget *child :
         {static_cast<QWidget *>(windows.layout.get()), static_cast<QWidget *>(windows.wave.get()),
          static_cast<QWidget *>(windows.msgBox.get()),
          static_cast<QWidget *>(windows.waveEdit.get())})
        EXPECT_EQ(child->parentWidget(), &w);
}

TEST_F(MainWindowTest, SizeRulesAndColumnSplit) {
    TfrmMain &w = create();
    w.show();
    w.resize(300, 200);
    EXPECT_GE(w.width(), 500);
    EXPECT_GE(w.height(), 400);
    w.resize(700, 600);
    QApplication::processEvents();
    const int rest = w.sGrid->width() - 27 - 32 - 64 - 48;
    EXPECT_EQ(w.sGrid->columnWidth(3), rest / 10 * 4);
    EXPECT_EQ(w.sGrid->columnWidth(4), rest - rest / 10 * 4);
    EXPECT_EQ(objects->view.scrollSpan, w.scrBar->width() - 20000 - 20);
}

namespace {

// Runs `act` on the Com dialog once it is up.
void whenComDialog(std::function<void(TfrmCom *)> act) {
    test::whenModal<TfrmCom>(std::move(act));
}

// Answers the Com dialog: OK after typing a port name, or Cancel.
void answerComDialog(const QString &port, bool ok, bool *seen) {
    whenComDialog([=](TfrmCom *dialog) {
        *seen = true;
        if (!ok) {
            dialog->btnEsc->click();
            return;
        }
        dialog->cmbPort->setEditText(port);
        dialog->btnOk->click();
    });
}

} // namespace

TEST_F(MainWindowTest, ComCancelLeavesThePortClosedAndSendsNothing) {
    TfrmMain &w = create();
    device.written.clear();
    bool seen = false;
    answerComDialog(QString(), false, &seen);
    w.mmFileComClick();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(objects->link.portOpen());
    EXPECT_TRUE(device.written.isEmpty());
    EXPECT_FALSE(QFile::exists(iniPath())); // nothing written on Cancel
}

TEST_F(MainWindowTest, ComOkReopensWritesSettingsAndAsksForTheVersion) {
    TfrmMain &w = create();
    device.written.clear();
    bool seen = false;
    answerComDialog(QStringLiteral("/dev/ttyUSB3"), true, &seen);
    w.mmFileComClick();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(objects->link.portOpen());
    EXPECT_EQ(device.lastName, QStringLiteral("/dev/ttyUSB3"));
    EXPECT_EQ(device.written, QByteArray("Version\r\n"));
    EXPECT_EQ(w.panelText(0), QStringLiteral("/dev/ttyUSB3"));
    EXPECT_TRUE(readIni().contains("PortName=/dev/ttyUSB3\r\n"));
}

TEST_F(MainWindowTest, ComOkWithAPortThatWillNotOpenKeepsTheOldSettings) {
    device.openable = {deviceNameFor("COM1")};
    TfrmMain &w = create();
    bool seen = false;
    // First OK fails (INVALID HANDLE, dialog stays), then Cancel.
    whenComDialog([&](TfrmCom *dialog) {
        dialog->cmbPort->setEditText(QStringLiteral("COM7"));
        dialog->btnOk->click();
        seen = dialog->isVisible();
        EXPECT_EQ(dialog->cmbPort->currentText(), QStringLiteral("COM1"));
        dialog->btnEsc->click();
    });
    w.mmFileComClick();
    EXPECT_TRUE(seen);
    EXPECT_EQ(prompter.count(QStringLiteral("INVALID HANDLE")), 1);
    EXPECT_EQ(objects->com.PortName, "COM1");
    EXPECT_FALSE(objects->link.portOpen());
}

TEST_F(MainWindowTest, QuitClosesTheWindow) {
    TfrmMain &w = create();
    w.show();
    bool closedSignal = false;
    QObject::connect(&w, &TfrmMain::closed, [&] { closedSignal = true; });
    w.mmFileQuit->trigger();
    EXPECT_TRUE(closedSignal);
    EXPECT_FALSE(objects->link.portOpen());
}
