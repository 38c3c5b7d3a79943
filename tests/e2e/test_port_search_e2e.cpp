// The port search of the communication settings dialog over real ports:
// pseudo-terminals, one of them with the simulated unit behind it.

#include "R_com.h"
#include "listed_ports.h"
#include "qt_serial_device.h"
#include "raw_pty.h"
#include "recording_observer.h"
#include "recording_prompter.h"
#include "sim_unit.h"
#include "tick_clock.h"
#include "wait.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class PortSearchE2E : public ::testing::Test {
protected:
    PortSearchE2E() : link(device, com, clock) { link.setObserver(&observer); }
    ~PortSearchE2E() override {
        dialog.reset();
        link.ClosePort();
        sim.stop();
    }
    void SetUp() override {
        QString error;
        ASSERT_TRUE(sim.start(&error)) << error.toStdString();
        ASSERT_FALSE(silent.slave.isEmpty());
        ports.ports = {{QStringLiteral("/dev/zevo3-no-such-port"), QString()},
                       {silent.slave, QStringLiteral("silent")},
                       {sim.devicePath(), QStringLiteral("the unit")}};
        com.PortName = "COM1";
    }
    void search() {
        dialog = std::make_unique<TfrmCom>(com, link, prompter, ports);
        dialog->show();
        prompter.answers = {MsgAnswer::Yes};
        QTest::mouseClick(dialog->btnPort, Qt::LeftButton);
    }

    SimUnit sim;
    RawPty silent;
    QtSerialDevice device;
    ComSettings com;
    SteadyTickClock clock;
    RecordingObserver observer;
    Link link;
    RecordingPrompter prompter;
    ListedPorts ports;
    std::unique_ptr<TfrmCom> dialog;
};

} // namespace

TEST_F(PortSearchE2E, FindsTheUnitBehindTheThirdPortThenSetConnectsToIt) {
    search();
    // The port that does not exist is not listed.
    ASSERT_EQ(dialog->cmbPort->count(), 2);
    EXPECT_EQ(dialog->cmbPort->itemData(0).toString(), silent.slave);
    EXPECT_EQ(dialog->cmbPort->currentText(), sim.devicePath());
    EXPECT_FALSE(link.portOpen());
    // The silent port was asked "Ver" and nothing else.
    EXPECT_EQ(silent.readFor(50), QByteArray("Ver\r\n"));
    const int before = sim.messageCount();
    QTest::mouseClick(dialog->btnOk, Qt::LeftButton);
    EXPECT_TRUE(link.portOpen());
    EXPECT_EQ(com.PortName, sim.devicePath().toLocal8Bit());
    // The main window would now send "Version"; here the link does.
    link.SendMessage("Version");
    ASSERT_TRUE(sim.waitForMessages(before + 1, 3000));
    EXPECT_EQ(sim.received().last(), "Version");
}

TEST_F(PortSearchE2E, ALateAnswerOnTheSecondPortDoesNotHideTheThird) {
    // The second port answers, but 150 ms after its question: too late.
    // (The answer reaches a port the search has closed by then; that a late
    // answer on an open port cannot hide a later one is shown with the
    // device double in the dialog's tests.)
    QSocketNotifier question(silent.master, QSocketNotifier::Read);
    QObject::connect(&question, &QSocketNotifier::activated, [this, &question] {
        char buf[64];
        if (::read(silent.master, buf, sizeof buf) > 0)
            QTimer::singleShot(150, &question, [this] { silent.write("ZEVO3 late\r\n"); });
    });
    search();
    EXPECT_EQ(dialog->cmbPort->currentText(), sim.devicePath());
    EXPECT_EQ(com.PortName, sim.devicePath().toLocal8Bit());
}

TEST_F(PortSearchE2E, ClosingTheDialogDuringASearchEndsIt) {
    std::vector<std::unique_ptr<RawPty>> more;
    ports.ports.clear();
    for (int i = 0; i < 6; ++i) {
        more.push_back(std::make_unique<RawPty>());
        ports.ports.push_back({more.back()->slave, QString()});
    }
    QElapsedTimer t;
    t.start();
    QTimer::singleShot(150, [this] { dialog->reject(); });
    search();
    EXPECT_LT(t.elapsed(), 500); // not all six 100 ms waits
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->searching());
    EXPECT_FALSE(link.portOpen());
    EXPECT_EQ(com.PortName, "COM1");
}

TEST(OpenFailureE2E, APortThatCannotBeOpenedSaysWhy) {
    QtSerialDevice first;
    QtSerialDevice second;
    const LineParameters params;
    EXPECT_FALSE(first.open(QStringLiteral("/dev/zevo3-no-such-port"), params));
    EXPECT_EQ(first.openFailureReason(),
              QStringLiteral("/dev/zevo3-no-such-port がありません（接続されていません）。"));
    // A port another program holds.
    RawPty pty;
    ASSERT_TRUE(first.open(pty.slave, params));
    EXPECT_FALSE(second.open(pty.slave, params));
    EXPECT_TRUE(second.openFailureReason().contains(QStringLiteral("使用中")))
        << second.openFailureReason().toStdString();
    first.close();
    EXPECT_TRUE(second.open(pty.slave, params));
    EXPECT_TRUE(second.openFailureReason().isEmpty());

    // Through the link, with error reporting on: under the failure's own text.
    ComSettings com;
    com.PortName = "/dev/zevo3-no-such-port";
    SteadyTickClock clock;
    RecordingObserver observer;
    Link link(first, com, clock);
    link.setObserver(&observer);
    link.setErrorReporting(true);
    EXPECT_FALSE(link.OpenPort(true));
    ASSERT_EQ(observer.warnings.size(), 1);
    EXPECT_TRUE(observer.warnings[0].text.startsWith(QStringLiteral("INVALID HANDLE\n")));
    EXPECT_TRUE(observer.warnings[0].text.contains(QStringLiteral("ありません")));
    EXPECT_EQ(observer.warnings[0].caption, QStringLiteral("Comm Open"));
}
