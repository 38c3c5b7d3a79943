// The link against an in-memory device: opening, framing, sending, the
// acknowledgement wait, the receive thread and the line failure.

#include "fake_serial_device.h"
#include "link.h"
#include "link_texts.h"
#include "manual_clock.h"
#include "recording_observer.h"
#include "wait.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class LinkTest : public ::testing::Test {
protected:
    LinkTest() : link(device, com, clock) { link.setObserver(&observer); }
    ~LinkTest() override { link.ClosePort(); }

    // Moves the held clock by each step in turn, a few milliseconds apart
    // (the wait under test looks at the clock in between); `seen` gets
    // whether the wait was still going before each step.
    void advanceDuringWait(std::vector<uint32_t> steps, std::vector<bool> *seen,
                           const std::function<bool()> &going) {
        if (steps.empty()) return;
        QTimer::singleShot(5, [this, steps, seen, going]() mutable {
            seen->push_back(going());
            clock.advance(steps.front());
            steps.erase(steps.begin());
            advanceDuringWait(steps, seen, going);
        });
    }

    FakeSerialDevice device;
    ComSettings com;
    ManualTickClock clock; // the machine's clock until a test holds it
    RecordingObserver observer;
    Link link;
};

} // namespace

TEST_F(LinkTest, FailedOpenReportsOnlyWhenAsked) {
    device.failAllOpens = true;
    com.PortName = "COM3";
    EXPECT_FALSE(link.OpenPort(true));
    EXPECT_TRUE(observer.warnings.isEmpty());
    EXPECT_EQ(observer.portStatus, QStringLiteral("COM3:OFF"));
    EXPECT_FALSE(link.portOpen());
    EXPECT_FALSE(link.receiveRunning());

    link.setErrorReporting(true);
    EXPECT_FALSE(link.OpenPort(true));
    ASSERT_EQ(observer.warnings.size(), 1);
    EXPECT_EQ(observer.warnings[0].text, QStringLiteral("INVALID HANDLE"));
    EXPECT_EQ(observer.warnings[0].caption, QStringLiteral("Comm Open"));

    device.failAllOpens = false;
    com.PortName = "";
    EXPECT_FALSE(link.OpenPort(true));
    EXPECT_EQ(observer.portStatus, QStringLiteral(":OFF"));
}

TEST_F(LinkTest, OpenUsesTheSettingsAndShowsTheNameWhenReporting) {
    com.PortName = "COM10";
    com.BaudRate = 14400;
    EXPECT_TRUE(link.OpenPort(true));
    EXPECT_EQ(device.lastName, deviceNameFor("COM10"));
    EXPECT_EQ(device.lastParams.baudRate, 56000);
    EXPECT_TRUE(link.receiveRunning());
    EXPECT_TRUE(observer.portStatus.isEmpty()); // reporting off: the caller shows the name
    link.setErrorReporting(true);
    EXPECT_TRUE(link.OpenPort(true));
    EXPECT_EQ(observer.portStatus, QStringLiteral("COM10"));
    // The open port was closed before it was opened again.
    EXPECT_EQ(device.calls.mid(1, 3),
              (QStringList{QStringLiteral("clearDtrRts"), QStringLiteral("close"),
                           QStringLiteral("open:") + deviceNameFor("COM10")}));
}

TEST_F(LinkTest, CloseStopsTheThreadThenDropsDtrRtsThenCloses) {
    ASSERT_TRUE(link.OpenPort(true));
    device.calls.clear();
    link.ClosePort();
    EXPECT_FALSE(link.receiveRunning());
    EXPECT_FALSE(link.portOpen());
    EXPECT_EQ(device.calls, (QStringList{QStringLiteral("clearDtrRts"), QStringLiteral("close")}));
    link.ClosePort(); // closed already: nothing
    EXPECT_EQ(device.calls.size(), 2);
    EXPECT_TRUE(observer.portStatus.isEmpty()); // a normal close leaves the status bar alone
}

TEST_F(LinkTest, SendFramesAndNeverWritesWhileClosed) {
    link.SendMessage("Ver");
    EXPECT_EQ(device.writes, 0);
    com.SendHead = "STX";
    com.SendDlmt = "ETX";
    ASSERT_TRUE(link.OpenPort(true));
    link.SendMessage("Ver");
    EXPECT_EQ(device.written, QByteArray("\x02Ver\x03"));
    device.writeLimit = 0;
    link.SendMessage("Hello");
    EXPECT_EQ(observer.notice, QStringLiteral("sendLen:7 ResultLen:0"));
    EXPECT_TRUE(link.portOpen()); // a short write does not close the port
}

TEST_F(LinkTest, ReceivedLinesReachTheLogAndAcknowledge) {
    ASSERT_TRUE(link.OpenPort(true));
    bool ackBeforeLog = false;
    observer.onAppend = [&](const QByteArray &line) {
        if (line.contains("ZEVO3")) ackBeforeLog = link.ackFlag();
    };
    device.inject("ZEVO3 Ver1.00\r\n");
    ASSERT_TRUE(waitFor([&] { return observer.log.size() == 1; }));
    EXPECT_EQ(observer.log[0], "ZEVO3 Ver1.00");
    EXPECT_TRUE(ackBeforeLog);

    link.clearAck();
    device.inject("Kr:01\r\n");
    ASSERT_TRUE(waitFor([&] { return observer.log.size() == 2; }));
    EXPECT_TRUE(link.ackFlag());

    link.clearAck();
    device.inject("\x06");
    ASSERT_TRUE(waitFor([&] { return link.ackFlag(); }));
    EXPECT_EQ(observer.log.size(), 2);

    link.clearAck();
    device.inject("plain\r\n");
    ASSERT_TRUE(waitFor([&] { return observer.log.size() == 3; }));
    EXPECT_FALSE(link.ackFlag());
}

TEST_F(LinkTest, SilenceTimeoutCompletesAMessageWithoutDelimiter) {
    com.RecvDlmt = "";
    com.RecvTout = 50;
    ASSERT_TRUE(link.OpenPort(true));
    clock.hold();
    device.inject("OK\r\n");
    // Read, but not complete while the line has been silent for 50 ms only.
    ASSERT_TRUE(waitFor([&] { return !device.inputWaiting(); }));
    clock.advance(50);
    ASSERT_TRUE(runPostedWork());
    pump(30); // the receive thread's ticks
    EXPECT_TRUE(observer.log.isEmpty());
    clock.advance(1);
    ASSERT_TRUE(waitFor([&] { return observer.log.size() == 1; }, 2000));
    EXPECT_EQ(observer.log[0], "OK 0Dh 0Ah");
}

TEST_F(LinkTest, WaitForAck) {
    ASSERT_TRUE(link.OpenPort(true));
    clock.hold();
    link.setAck();
    EXPECT_TRUE(link.WaitForAck(100)); // left on by an earlier answer

    // Silent: still waiting at 100 ms, given up at 101.
    link.clearAck();
    bool waiting = false;
    std::vector<bool> seen;
    advanceDuringWait({60, 40, 1}, &seen, [&] { return waiting; });
    waiting = true;
    EXPECT_FALSE(link.WaitForAck(100));
    waiting = false;
    EXPECT_EQ(seen, (std::vector<bool>{true, true, true}));
    // No wait outlives its caller: the last step ended it.
    ASSERT_TRUE(runPostedWork());

    // An answer within the time-out ends the wait at once.
    link.clearAck();
    QTimer::singleShot(5, [&] { device.inject("\x06"); });
    EXPECT_TRUE(link.WaitForAck(1000));

    // Closed while waiting: nothing can arrive any more, whatever the clock.
    link.clearAck();
    QTimer::singleShot(5, [&] { link.ClosePort(); });
    EXPECT_FALSE(link.WaitForAck(5000));
}

TEST_F(LinkTest, LineErrorClosesThePortOnceWithOneMessage) {
    com.PortName = "COM4";
    ASSERT_TRUE(link.OpenPort(true));
    device.calls.clear();
    // A pulled cable reports again and again.
    for (int i = 0; i < 5; ++i)
        device.injectError(1u << i);
    ASSERT_TRUE(waitFor([&] { return !link.portOpen() && !observer.warnings.isEmpty(); }));
    ASSERT_TRUE(runPostedWork()); // whatever the errors left for later has run
    EXPECT_EQ(observer.portStatus, QStringLiteral("COM4:OFF"));
    ASSERT_EQ(observer.warnings.size(), 1);
    EXPECT_EQ(observer.warnings[0].text, texts::portClosed(QStringLiteral("COM4")));
    EXPECT_EQ(observer.warnings[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(device.calls, (QStringList{QStringLiteral("clearDtrRts"), QStringLiteral("close")}));
    EXPECT_FALSE(link.receiveRunning());
    EXPECT_FALSE(link.lineFailure());

    // The port opens again cleanly afterwards.
    EXPECT_TRUE(link.OpenPort(true));
    device.inject("again\r\n");
    EXPECT_TRUE(waitFor([&] { return observer.log.contains("again"); }));
}

TEST_F(LinkTest, ErrorSeenBySendIsReportedThenTheThreadCloses) {
    ASSERT_TRUE(link.OpenPort(true));
    // The receive step cannot run before control returns to the event loop,
    // so the send is the first to see the error.
    device.injectError(2);
    link.SendMessage("Ver");
    EXPECT_EQ(device.writes, 0);
    ASSERT_TRUE(waitFor([&] { return !link.portOpen(); }));
    ASSERT_TRUE(runPostedWork());
    ASSERT_GE(observer.warnings.size(), 2);
    EXPECT_EQ(observer.warnings[0].text, QStringLiteral("Send ClearCommError dwErrorMask != 0"));
    EXPECT_EQ(observer.warnings[0].caption, texts::appTitle());
    EXPECT_EQ(observer.warnings.last().text, texts::portClosed(QStringLiteral("COM1")));
    EXPECT_EQ(observer.warnings.size(), 2);
}

TEST_F(LinkTest, ThreeZerosCloseThePort) {
    ASSERT_TRUE(link.OpenPort(true));
    device.inject(QByteArray("ABCDEFGHIJK") + QByteArray(3, '\0'));
    ASSERT_TRUE(waitFor([&] { return !link.portOpen(); }));
    EXPECT_TRUE(observer.log.isEmpty());
}

TEST_F(LinkTest, ReceiveThreadWakesRarelyWhileIdleAndTicksDuringAMessage) {
    com.RecvTout = 1000;
    ASSERT_TRUE(link.OpenPort(true));
    pump(50);
    int before = device.waits();
    pump(1000);
    // Idle: a few waits a second, not a tick every 10 ms.
    EXPECT_LE(device.waits() - before, 6);
    // A message under way needs the ticks for its silence time-out.
    device.inject("partial");
    pump(50);
    before = device.waits();
    pump(300); // the 1000 ms time-out has not passed yet: about 30 ticks
    EXPECT_GE(device.waits() - before, 8);
    EXPECT_TRUE(waitFor([&] { return observer.log.contains("partial"); }));
    // Input still wakes an idle thread at once.
    pump(300);
    QElapsedTimer t;
    t.start();
    device.inject("now\r\n");
    ASSERT_TRUE(waitFor([&] { return observer.log.contains("now"); }));
    EXPECT_LT(t.elapsed(), 200);
}

TEST_F(LinkTest, AWakeForInputAlreadyReadHandsNoStepToTheGuiThread) {
    ASSERT_TRUE(link.OpenPort(true));
    pump(50);
    // As when the acknowledgement wait has read the answer before the
    // receive thread woke for it: the thread wakes and finds nothing unread.
    const int before = device.bytesWaitingCalls;
    for (int i = 0; i < 10; ++i) {
        // Woken, and back to waiting: whatever it would hand over is done.
        const int waits = device.waits();
        device.inject({});
        ASSERT_TRUE(waitFor([&] { return device.waits() > waits; }));
        ASSERT_TRUE(runPostedWork());
    }
    EXPECT_EQ(device.bytesWaitingCalls, before);
    // Input and errors still get their step.
    device.inject("late\r\n");
    EXPECT_TRUE(waitFor([&] { return observer.log.contains("late"); }));
    device.injectError(2);
    EXPECT_TRUE(waitFor([&] { return !link.portOpen(); }));
}

TEST_F(LinkTest, FailedReadIsRetriedOnTheNextTickWithoutNewInput) {
    ASSERT_TRUE(link.OpenPort(true));
    device.failReads = true;
    const int steps = device.bytesWaitingCalls;
    device.inject("lost?\r\n");
    // A step has tried to read, and what it left for later has run.
    ASSERT_TRUE(waitFor([&] { return device.bytesWaitingCalls > steps; }));
    ASSERT_TRUE(runPostedWork());
    EXPECT_TRUE(link.portOpen());
    device.failReads = false; // no more input arrives
    EXPECT_TRUE(waitFor([&] { return observer.log.contains("lost?"); }, 2000));
}

TEST_F(LinkTest, StalledWriteClosesThePortOnceAndLaterSendsGoNowhere) {
    ASSERT_TRUE(link.OpenPort(true));
    device.stallWrites = true;
    // Sends queued behind the stalled one (clicks waiting in the event queue)
    // must not each wait for the line again.
    for (int i = 0; i < 5; ++i)
        link.SendMessage("Ver");
    EXPECT_EQ(device.writes, 1);
    ASSERT_TRUE(waitFor([&] { return !link.portOpen(); }));
    ASSERT_TRUE(runPostedWork());
    link.SendMessage("Ver");
    EXPECT_EQ(device.writes, 1);
    EXPECT_EQ(observer.portStatus, QStringLiteral("COM1:OFF"));
    ASSERT_EQ(observer.warnings.size(), 1);
    EXPECT_EQ(observer.warnings[0].text, texts::portClosed(QStringLiteral("COM1")));
    EXPECT_EQ(device.calls.count(QStringLiteral("close")), 1);
}

TEST_F(LinkTest, StalledWriteWithoutAReceiverStillClosesThePort) {
    ASSERT_TRUE(link.OpenPort(false));
    device.stallWrites = true;
    link.SendMessage("Ver");
    ASSERT_TRUE(waitFor([&] { return !link.portOpen(); }));
    EXPECT_EQ(observer.warnings.size(), 1);
}

TEST_F(LinkTest, PortNameWithControlCharactersIsAnOpenFailure) {
    com.PortName = QByteArray("ttyS0\0x", 7);
    link.setErrorReporting(true);
    EXPECT_FALSE(link.OpenPort(true));
    EXPECT_FALSE(link.portOpen());
    ASSERT_EQ(observer.warnings.size(), 1);
    EXPECT_EQ(observer.warnings[0].text, QStringLiteral("INVALID HANDLE"));
    EXPECT_TRUE(observer.portStatus.endsWith(QStringLiteral(":OFF")));
}

TEST_F(LinkTest, ALateAnswerIsTakenInBeforeTheNextWait) {
    ASSERT_TRUE(link.OpenPort(true));
    // The unit's answer to an earlier message arrives, but no step has run
    // yet when the next message is sent.
    device.inject("\x06");
    link.absorbPendingInput();
    link.clearAck();
    link.SendMessage("Kw:02");
    EXPECT_FALSE(link.WaitForAck(50)); // the old answer does not count
    device.inject("\x06");
    EXPECT_TRUE(link.WaitForAck(1000));
}

TEST_F(LinkTest, ABurstReachesTheLogInOneGoAndKeepsTheThousandLineRule) {
    ASSERT_TRUE(link.OpenPort(true));
    QByteArray burst;
    for (int i = 1; i <= 1002; ++i)
        burst += "L" + QByteArray::number(i) + "\r\n";
    QByteArrayList signalled;
    QObject::connect(&link, &Link::lineReceived,
                     [&](const QByteArray &line) { signalled << line; });
    device.inject(burst); // under the 8192 bytes of one step
    ASSERT_TRUE(waitFor([&] { return signalled.size() == 1002; })) << signalled.size();
    EXPECT_EQ(observer.batches, 1);
    // The whole step in order; the log view keeps its own length (its
    // 1000-line rule is tested with the window's log).
    ASSERT_EQ(observer.log.size(), 1002);
    EXPECT_EQ(observer.log.first(), "L1");
    EXPECT_EQ(observer.log.last(), "L1002");
    EXPECT_EQ(signalled.first(), "L1");
}

TEST_F(LinkTest, SendAndWaitCountsOnlyAnAnswerToThisMessageOnThisPort) {
    ASSERT_TRUE(link.OpenPort(true));
    device.onWrite = [this](const QByteArray &) { device.inject("\x06"); };
    bool logged = false;
    EXPECT_EQ(link.sendAndWait("Kw:01", 1000, [&] { logged = true; }),
              Link::AckResult::Acknowledged);
    EXPECT_TRUE(logged);

    // A late answer to an earlier message is taken in before the send.
    device.onWrite = {};
    device.inject("\x06");
    EXPECT_EQ(link.sendAndWait("Kw:02", 100), Link::AckResult::Silent);

    // The port closed, or closed and opened again, during the wait.
    device.onWrite = [this](const QByteArray &) {
        QTimer::singleShot(0, &link, [this] { link.ClosePort(); });
    };
    EXPECT_EQ(link.sendAndWait("Kw:03", 1000), Link::AckResult::LineFailed);
    ASSERT_TRUE(link.OpenPort(true));
    device.onWrite = [this](const QByteArray &) {
        QTimer::singleShot(0, &link, [this] {
            link.ClosePort();
            link.OpenPort(true);
            device.inject("\x06");
        });
    };
    EXPECT_EQ(link.sendAndWait("Kw:04", 1000), Link::AckResult::LineFailed);
}
