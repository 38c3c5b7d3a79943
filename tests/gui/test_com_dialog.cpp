// The communication settings dialog: locked controls, what it shows and
// takes, the refusals, and the port search over scripted ports.

#include "R_com.h"
#include "fake_serial_device.h"
#include "link_texts.h"
#include "listed_ports.h"
#include "recording_observer.h"
#include "recording_prompter.h"
#include "tick_clock.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class ComDialogTest : public ::testing::Test {
protected:
    ComDialogTest() : link(device, com, clock) { link.setObserver(&observer); }
    ~ComDialogTest() override { link.ClosePort(); }
    TfrmCom &open() {
        dialog = std::make_unique<TfrmCom>(com, link, prompter, ports);
        dialog->show();
        return *dialog;
    }
    std::vector<QWidget *> lockable() const {
        return {dialog->cmbBps,      dialog->cmbDataBit,  dialog->cmbStopBit,  dialog->cmbParity,
                dialog->cmbSendHead, dialog->cmbSendDlmt, dialog->cmbRecvDlmt, dialog->edtRecvTout};
    }

    FakeSerialDevice device;
    ComSettings com;
    SteadyTickClock clock;
    RecordingObserver observer;
    Link link;
    RecordingPrompter prompter;
    ListedPorts ports;
    std::unique_ptr<TfrmCom> dialog;
};

} // namespace

TEST_F(ComDialogTest, OpensLockedAndADoubleClickOnTheBackgroundUnlocks) {
    com.SendHead = "stx"; // not "STX": shown as none
    com.SendDlmt = "crlf";
    com.RecvDlmt = "ETX";
    com.BaudRate = 14400;
    TfrmCom &d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("通信ﾊﾟﾗﾒｰﾀ設定"));
    for (QWidget *control : lockable())
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(d.cmbPort->isEnabled());
    EXPECT_TRUE(d.btnPort->isEnabled());
    EXPECT_FALSE(d.prgBar->isVisible());
    EXPECT_EQ(d.cmbSendHead->currentText(), QStringLiteral("無し"));
    EXPECT_EQ(d.cmbSendDlmt->currentText(), QStringLiteral("無し"));
    EXPECT_EQ(d.cmbRecvDlmt->currentIndex(), 1);
    EXPECT_EQ(d.cmbBps->currentText(), QStringLiteral("14400"));
    EXPECT_TRUE(link.errorReporting());
    // A double-click on a control does not unlock; on the background it does.
    QTest::mouseDClick(d.btnOk->window()->windowHandle(), Qt::LeftButton, {},
                       d.gbSend->geometry().bottomRight() + QPoint(4, 4));
    for (QWidget *control : lockable())
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
}

TEST_F(ComDialogTest, SetTakesTheControlsAndATimeOutThatIsNoNumberIs100) {
    TfrmCom &d = open();
    d.FormDblClick();
    d.cmbPort->setEditText(QStringLiteral("/dev/ttyUSB1"));
    d.cmbBps->setEditText(QStringLiteral("9600"));
    d.cmbParity->setEditText(QStringLiteral("EVEN"));
    d.cmbSendHead->setCurrentIndex(1);
    d.cmbSendDlmt->setCurrentIndex(2);
    d.edtRecvTout->setText(QStringLiteral("abc"));
    QTest::mouseClick(d.btnOk, Qt::LeftButton);
    EXPECT_EQ(d.result(), int(QDialog::Accepted));
    EXPECT_EQ(com.PortName, "/dev/ttyUSB1");
    EXPECT_EQ(com.BaudRate, 9600);
    EXPECT_EQ(com.Parity_, "EVEN");
    EXPECT_EQ(com.SendHead, "STX");
    EXPECT_EQ(com.SendDlmt, "CR");
    EXPECT_EQ(com.RecvTout, 100);
    EXPECT_TRUE(link.portOpen());
}

TEST_F(ComDialogTest, ANumberThatIsNoNumberIsRefusedNamingItsBox) {
    TfrmCom &d = open();
    d.FormDblClick();
    d.cmbPort->setEditText(QStringLiteral("/dev/ttyUSB1"));
    d.cmbStopBit->setEditText(QStringLiteral("two"));
    QTest::mouseClick(d.btnOk, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.contains(QStringLiteral("StopBit")));
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(com, ComSettings());
    EXPECT_FALSE(link.portOpen());
}

TEST_F(ComDialogTest, TheSearchListsOpenablePortsAndSelectsTheOneThatAnswers) {
    ports.ports = {{QStringLiteral("/dev/ttyS0"), QString()},
                   {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB-Serial A1")},
                   {QStringLiteral("/dev/ttyUSB1"), QStringLiteral("USB-Serial B2")},
                   {QStringLiteral("/dev/ttyUSB2"), QString()}};
    device.openable = {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB1"),
                       QStringLiteral("/dev/ttyUSB2")};
    device.onWrite = [this](const QByteArray &message) {
        if (device.lastName == QStringLiteral("/dev/ttyUSB1") && message == "Ver\r\n")
            device.inject("ZEVO3 Ver1.00\r\n");
    };
    com.PortName = "COM1";
    TfrmCom &d = open();
    prompter.answers = {MsgAnswer::Yes};
    QTest::mouseClick(d.btnPort, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("Connect the USB to Serial Cable"));
    EXPECT_EQ(prompter.asked[0].caption, QStringLiteral("COM Port Search"));
    // The one that would not open is not listed; the search ends at the answer.
    ASSERT_EQ(d.cmbPort->count(), 2);
    EXPECT_EQ(d.cmbPort->itemText(0), QStringLiteral("/dev/ttyUSB0  (USB-Serial A1)"));
    EXPECT_EQ(d.cmbPort->itemData(1).toString(), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(d.cmbPort->currentText(), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(com.PortName, "/dev/ttyUSB1");
    EXPECT_FALSE(link.portOpen());
    EXPECT_FALSE(d.prgBar->isVisible());
    EXPECT_EQ(observer.portStatus, QStringLiteral("/dev/ttyUSB1"));
    EXPECT_FALSE(device.calls.contains(QStringLiteral("open:/dev/ttyUSB2")));
    // Nothing said about the port that would not open.
    EXPECT_TRUE(observer.warnings.isEmpty());
    EXPECT_TRUE(link.errorReporting());
}

TEST_F(ComDialogTest, ALateAnswerDoesNotHideALaterPortAndNoKeepsEverything) {
    ports.ports = {{QStringLiteral("/dev/a"), QString()}, {QStringLiteral("/dev/b"), QString()}};
    device.onWrite = [this](const QByteArray &message) {
        if (message != "Ver\r\n") return;
        if (device.lastName == QStringLiteral("/dev/b")) device.inject("ZEVO3\r\n");
    };
    com.PortName = "COM1";
    TfrmCom &d = open();
    prompter.answers = {MsgAnswer::No};
    QTest::mouseClick(d.btnPort, Qt::LeftButton);
    EXPECT_EQ(device.calls.count(), 0);
    EXPECT_EQ(d.cmbPort->count(), 8); // the list as it was
    // A stale acknowledgement before the search does not end it at /dev/a.
    link.setAck();
    prompter.answers = {MsgAnswer::Yes};
    QTest::mouseClick(d.btnPort, Qt::LeftButton);
    EXPECT_EQ(com.PortName, "/dev/b");
    EXPECT_EQ(d.cmbPort->count(), 2);
}
