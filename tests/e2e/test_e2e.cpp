// The real serial port (QSerialPort) on a pseudo-terminal against the
// simulated unit, through the main window.

#include "R_com.h"
#include "R_main.h"
#include "link_texts.h"
#include "modal_dialog.h"
#include "qt_serial_device.h"
#include "raw_pty.h"
#include "recording_prompter.h"
#include "sim_unit.h"
#include "text_codec.h"
#include "wait.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class EndToEnd : public ::testing::Test {
protected:
    void startSim(SimOptions options = {}) {
        options.linkPath = dir.filePath(QStringLiteral("zevo3-port"));
        sim = std::make_unique<SimUnit>(options);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();
    }
    TfrmMain &startTool(const QByteArray &ini = {}) {
        const QString iniPath = dir.filePath(QStringLiteral("zevo3tool.ini"));
        QFile f(iniPath);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[COMPORT]\r\nPortName=" + toCp932(sim->linkPath()) + "\r\n" + ini);
        f.close();
        objects = std::make_unique<AppObjects>(device, iniPath);
        window = std::make_unique<TfrmMain>(*objects, prompter);
        window->show();
        return *window;
    }
    void TearDown() override {
        window.reset();
        objects.reset();
        if (sim) sim->stop();
    }

    QTemporaryDir dir;
    std::unique_ptr<SimUnit> sim;
    QtSerialDevice device;
    RecordingPrompter prompter;
    std::unique_ptr<AppObjects> objects;
    std::unique_ptr<TfrmMain> window;
};

} // namespace

TEST_F(EndToEnd, StartUpAsksForTheVersionAndLogsTheAnswer) {
    startSim();
    TfrmMain &w = startTool();
    ASSERT_TRUE(objects->link.portOpen());
    ASSERT_TRUE(sim->waitForMessages(1, 3000));
    EXPECT_EQ(sim->received(), QList<QByteArray>{"Version"});
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 1; }));
    EXPECT_TRUE(w.memoRecv->toPlainText().startsWith(QStringLiteral("ZEVO3")));
    EXPECT_FALSE(w.memoRecv->toPlainText().contains(QStringLiteral("0Dh")));
    EXPECT_EQ(w.panelText(0), sim->linkPath());
    // One answer, one line: once the answer to a second "Version" is in, a
    // piece of the first one would have come before it.
    objects->link.SendMessage("Version");
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() >= 2; }));
    ASSERT_TRUE(runPostedWork());
    EXPECT_EQ(w.logLineCount(), 2);
    EXPECT_EQ(w.memoRecv->toPlainText().count(QStringLiteral("ZEVO3")), 2);
}

TEST_F(EndToEnd, ConsoleCommandAndAcknowledgedRecord) {
    startSim();
    TfrmMain &w = startTool();
    ASSERT_TRUE(sim->waitForMessages(1, 3000));
    w.cmbSendText->setEditText(QStringLiteral("Lend:0500"));
    w.btnSend->click();
    ASSERT_TRUE(sim->waitForMessages(2, 3000));
    EXPECT_EQ(sim->received().at(1), "Lend:0500");

    objects->link.clearAck();
    objects->link.SendMessage("Kw:01,01,02,--,--,--,--,--,--");
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(objects->link.WaitForAck(1000));
    EXPECT_LT(t.elapsed(), 500);
    EXPECT_EQ(sim->layoutRows().value(1), "Kw:01,01,02,--,--,--,--,--,--");
}

TEST_F(EndToEnd, NoAcknowledgementTimesOut) {
    SimOptions options;
    options.noAck = true;
    startSim(options);
    TfrmMain &w = startTool();
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 1; }));
    objects->link.clearAck();
    objects->link.SendMessage("Tws:001");
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(objects->link.WaitForAck(200));
    EXPECT_GE(t.elapsed(), 200); // the tick counts whole milliseconds
}

TEST_F(EndToEnd, HangUpClosesThePortOnceAndComReopens) {
    SimOptions options;
    options.reopenAfterHangUp = true;
    startSim(options);
    TfrmMain &w = startTool();
    ASSERT_TRUE(sim->waitForMessages(1, 3000));
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 1; }));

    sim->hangUp();
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(waitFor([&] { return !objects->link.portOpen(); }, 3000));
    EXPECT_LT(t.elapsed(), 1500);
    ASSERT_TRUE(waitFor([&] { return !objects->link.receiveRunning(); }));
    ASSERT_TRUE(runPostedWork()); // what the hang-up left for later has run
    const QString closed = texts::portClosed(sim->linkPath());
    EXPECT_EQ(prompter.count(closed), 1);
    EXPECT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(w.panelText(0), sim->linkPath() + QStringLiteral(":OFF"));

    // The Com command opens the port again; the unit answers the new "Version".
    test::whenModal<TfrmCom>([](TfrmCom *dialog) { dialog->btnOk->click(); });
    w.mmFileComClick();
    ASSERT_TRUE(objects->link.portOpen());
    ASSERT_TRUE(sim->waitForMessages(1, 3000));
    EXPECT_EQ(sim->received().last(), "Version");
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 2; }));
    EXPECT_EQ(prompter.asked.size(), 1);
}

TEST_F(EndToEnd, ClosingTheWindowDuringAnAckWaitNeitherCrashesNorHangs) {
    SimOptions options;
    options.noAck = true;
    startSim(options);
    TfrmMain &w = startTool();
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 1; })); // the version answer is in
    objects->link.clearAck();
    objects->link.SendMessage("Kw:01,--,--,--,--,--,--,--,--");
    QTimer::singleShot(50, &w, [&w] { w.close(); });
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(objects->link.WaitForAck(5000));
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_FALSE(objects->link.portOpen());
    EXPECT_FALSE(objects->link.receiveRunning());
}

// The main window on a raw pty whose master end the test reads.
class RawPtyTest : public ::testing::Test {
protected:
    TfrmMain &startTool(const QByteArray &extraIni) {
        const QString iniPath = dir.filePath(QStringLiteral("zevo3tool.ini"));
        QFile f(iniPath);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[COMPORT]\r\nPortName=" + pty.slave.toLocal8Bit() + "\r\n" + extraIni);
        f.close();
        objects = std::make_unique<AppObjects>(device, iniPath);
        window = std::make_unique<TfrmMain>(*objects, prompter);
        return *window;
    }
    void SetUp() override { ASSERT_FALSE(pty.slave.isEmpty()); }

    RawPty pty;
    QTemporaryDir dir;
    QtSerialDevice device;
    RecordingPrompter prompter;
    std::unique_ptr<AppObjects> objects;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(RawPtyTest, StartUpSendsExactlyVersionCrLf) {
    startTool({});
    EXPECT_EQ(pty.readFor(300), QByteArray("Version\r\n"));
}

TEST_F(RawPtyTest, StxEtxFramingGoesOutByteForByte) {
    TfrmMain &w = startTool("SendHead=STX\r\nSendDlmt=ETX\r\n");
    ASSERT_TRUE(objects->link.portOpen());
    EXPECT_EQ(pty.readFor(300), QByteArray("\x02Version\x03"));
    w.cmbSendText->setEditText(QStringLiteral("Ver"));
    w.btnSend->click();
    EXPECT_EQ(pty.readFor(300), QByteArray("\x02\x56\x65\x72\x03"));
    // And the answer side: an ETX-framed answer in CRLF mode waits for silence.
    const QByteArray answer = "\x02"
                              "AB\x03";
    ASSERT_EQ(::write(pty.master, answer.constData(), size_t(answer.size())), answer.size());
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 1; }, 3000));
    EXPECT_EQ(w.memoRecv->toPlainText(), QStringLiteral(" 02h AB 03h"));
}

TEST_F(RawPtyTest, AUnitThatStopsReadingClosesThePortOnceWithoutFreezing) {
    // Nobody reads the master end: once the pty's buffer is full, writes stall.
    TfrmMain &w = startTool({});
    ASSERT_TRUE(objects->link.portOpen());
    w.cmbSendText->setEditText(QString(1000, QLatin1Char('x')));
    QElapsedTimer t;
    t.start();
    int clicks = 0;
    while (objects->link.portOpen() && t.elapsed() < 20000 && clicks < 2000) {
        w.btnSend->click();
        ++clicks;
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(waitFor([&] { return !objects->link.portOpen(); }, 5000));
    // One stalled write (about a second), not one per click.
    EXPECT_LT(t.elapsed(), 8000);
    const qint64 closedAt = t.elapsed();
    // Clicks queued behind the stalled send go nowhere: no wait for the
    // line, and no message for each.
    const int asked = int(prompter.asked.size());
    for (int i = 0; i < 20; ++i)
        w.btnSend->click();
    EXPECT_LT(t.elapsed() - closedAt, 1000);
    // The receive thread's end posts the warning: once it has ended, what it
    // posted has run after the posted work.
    ASSERT_TRUE(waitFor([&] { return !objects->link.receiveRunning(); }));
    ASSERT_TRUE(runPostedWork());
    EXPECT_EQ(w.panelText(0), pty.slave + QStringLiteral(":OFF"));
    int closedMessages = 0;
    for (const Asked &a : prompter.asked)
        closedMessages += a.text == texts::portClosed(pty.slave) ? 1 : 0;
    EXPECT_EQ(closedMessages, 1);
    EXPECT_EQ(prompter.count(texts::setPortFirst()), 0);
    EXPECT_LE(int(prompter.asked.size()), asked + 1);
    // A click made afterwards, once the button takes clicks again, is an
    // ordinary click on a closed port.
    ASSERT_TRUE(waitFor([&] { return w.btnSend->isEnabled(); }));
    w.btnSend->click();
    EXPECT_EQ(prompter.count(texts::setPortFirst()), 1);
}

TEST_F(RawPtyTest, BarePortNameOpensAndStaysOpen) {
    // "pts/N" is the pty in /dev, for opening and for the check that the
    // device is still there.
    ASSERT_TRUE(pty.slave.startsWith(QStringLiteral("/dev/")));
    const QString bare = pty.slave.mid(5);
    const QString iniPath = dir.filePath(QStringLiteral("zevo3tool.ini"));
    QFile f(iniPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[COMPORT]\r\nPortName=" + bare.toLocal8Bit() + "\r\n");
    f.close();
    objects = std::make_unique<AppObjects>(device, iniPath);
    window = std::make_unique<TfrmMain>(*objects, prompter);
    ASSERT_TRUE(objects->link.portOpen());
    EXPECT_EQ(pty.readFor(1000), QByteArray("Version\r\n")); // past several device checks
    EXPECT_TRUE(objects->link.portOpen());
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(window->panelText(0), bare);
}
