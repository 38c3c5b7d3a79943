// The console: sending with history, Enter, Clear and the "m:" double-click.

#include "main_window_fixture.h"
#include "wait.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class ConsoleTest : public MainWindowTest {
protected:
    TfrmMain &open() {
        TfrmMain &w = create();
        w.show();
        QApplication::setActiveWindow(&w);
        device.written.clear();
        device.writes = 0;
        return w;
    }
    // Double-clicks the log at character `column` of line `line`.
    void doubleClickLog(TfrmMain &w, int line, int column) {
        QTextCursor cursor(w.memoRecv->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
        const QRect r = w.memoRecv->cursorRect(cursor);
        w.memoRecvDblClick(r.center() + QPoint(1, 0));
    }
};

} // namespace

TEST_F(ConsoleTest, SendWithThePortClosedOnlyWarns) {
    device.failAllOpens = true;
    TfrmMain &w = create();
    w.cmbSendText->setEditText(QStringLiteral("Ver"));
    w.btnSend->click();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("通信ポートを設定して下さい"));
    EXPECT_EQ(prompter.asked[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(prompter.asked[0].icon, MsgIcon::Warning);
    EXPECT_EQ(w.cmbSendText->count(), 0);
    EXPECT_EQ(device.writes, 0);
}

TEST_F(ConsoleTest, APortThatDoesNotOpenAtStartSaysWhyOnItsPanelWithoutAMessageBox) {
    device.failAllOpens = true;
    device.openFailure = QStringLiteral("/dev/ttyUSB0 を開く権限がありません。");
    TfrmMain &w = create();
    const QLabel *panel = w.sBar->findChild<QLabel *>(QStringLiteral("sBarPanel0"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(panel->toolTip(), device.openFailure);
    // Once the port opens, the reason is gone.
    device.failAllOpens = false;
    ASSERT_TRUE(objects->link.OpenPort(true));
    objects->link.ShowPortName();
    EXPECT_TRUE(panel->toolTip().isEmpty());
}

TEST_F(ConsoleTest, SendKeepsOneHistoryEntryPerText) {
    TfrmMain &w = open();
    for (const char *text : {"Ver", "Ver", "ver"}) {
        w.cmbSendText->setEditText(QString::fromLatin1(text));
        w.btnSend->click();
    }
    EXPECT_EQ(w.history(), (QStringList{QStringLiteral("Ver"), QStringLiteral("ver")}));
    EXPECT_EQ(device.written, QByteArray("Ver\r\nVer\r\nver\r\n"));
    // Text goes out unchanged, blanks included.
    device.written.clear();
    w.cmbSendText->setEditText(QStringLiteral(" Kw:01 "));
    w.btnSend->click();
    EXPECT_EQ(device.written, QByteArray(" Kw:01 \r\n"));
}

TEST_F(ConsoleTest, EmptyBoxDoesNothing) {
    TfrmMain &w = open();
    w.btnSend->click();
    QTest::keyClick(w.cmbSendText->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(device.writes, 0);
    EXPECT_EQ(w.cmbSendText->count(), 0);
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(ConsoleTest, EnterRemembersThenEnterOnTheButtonSends) {
    TfrmMain &w = open();
    w.activateWindow();
    w.cmbSendText->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Version"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(device.writes, 0); // the first Enter does not send
    EXPECT_EQ(w.history(), QStringList{QStringLiteral("Version")});
    EXPECT_TRUE(w.btnSend->hasFocus());
    QTest::keyClick(w.btnSend, Qt::Key_Return);
    EXPECT_EQ(device.written, QByteArray("Version\r\n"));
    EXPECT_EQ(w.cmbSendText->currentText(), QStringLiteral("Version"));
}

TEST_F(ConsoleTest, EnterUpdatesTheHistoryEvenWithThePortClosed) {
    device.failAllOpens = true;
    TfrmMain &w = create();
    w.cmbSendText->setEditText(QStringLiteral("Ver"));
    EXPECT_TRUE(w.cmbSendTextKeyPress(Qt::Key_Return));
    EXPECT_EQ(w.history(), QStringList{QStringLiteral("Ver")});
    EXPECT_FALSE(w.cmbSendTextKeyPress(Qt::Key_A));
}

TEST_F(ConsoleTest, ClearEmptiesTheLog) {
    TfrmMain &w = open();
    device.inject("one\r\ntwo\r\n");
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 2; }));
    w.btnRecvClear->click();
    EXPECT_EQ(w.logLineCount(), 0);
}

TEST_F(ConsoleTest, DoubleClickOnAnMAnswerMakesATmCommand) {
    TfrmMain &w = open();
    w.appendLogText(QStringLiteral("ZEVO3 Ver1.00"));
    w.appendLogText(QStringLiteral("m:1A2B,d:00FF,f:2,x:0"));
    doubleClickLog(w, 1, 4); // inside "1A2B": the word starts at "m:"
    EXPECT_EQ(w.cmbSendText->currentText(), QStringLiteral("Tm:1A2B,d:00FF,f:2"));
    EXPECT_EQ(w.memoRecv->textCursor().selectedText(), QStringLiteral("m:1A2B,d:0"));
    EXPECT_EQ(device.writes, 0); // nothing is sent
}

TEST_F(ConsoleTest, LastFieldRunsAcrossTheLineEnd) {
    TfrmMain &w = open();
    w.appendLogText(QStringLiteral("m:1A2B,d:00FF,f:2"));
    w.appendLogText(QStringLiteral("next,line"));
    doubleClickLog(w, 0, 1);
    EXPECT_EQ(w.cmbSendText->currentText(), QStringLiteral("Tm:1A2B,d:00FF,f:2\r\nnext"));

    w.memoRecv->clear();
    w.appendLogText(QStringLiteral("m:,d:,f:,"));
    doubleClickLog(w, 0, 0);
    EXPECT_EQ(w.cmbSendText->currentText(), QStringLiteral("Tm:,d:,f:"));
}

TEST_F(ConsoleTest, DoubleClickElsewhereChangesOnlyTheSelection) {
    TfrmMain &w = open();
    w.cmbSendText->setEditText(QStringLiteral("keep"));
    w.appendLogText(QStringLiteral(" 02h m:1,d:2,f:3,"));
    doubleClickLog(w, 0, 2); // on "02h"
    EXPECT_EQ(w.cmbSendText->currentText(), QStringLiteral("keep"));
    EXPECT_EQ(w.memoRecv->textCursor().selectedText(), QStringLiteral("02h m:1,d:2,f:3,"));
}

TEST_F(ConsoleTest, ReceivedShiftJisShowsAsJapanese) {
    TfrmMain &w = open();
    device.inject("\x83\x65\x83\x58\x83\x67\r\n"); // テスト
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 1; }));
    EXPECT_EQ(w.memoRecv->toPlainText(), QStringLiteral("テスト"));
}

TEST_F(ConsoleTest, TypedTextIsSentAndRememberedExactlyAsTyped) {
    TfrmMain &w = open();
    w.activateWindow();
    // Keys go to the widget that has the focus, as from a keyboard: the box
    // itself, which hands them to its line edit.
    auto keys = [](const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); };
    auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    auto typeAndSend = [&](const QString &typed) {
        w.cmbSendText->setFocus();
        ASSERT_TRUE(w.cmbSendText->hasFocus());
        w.cmbSendText->lineEdit()->selectAll();
        key(Qt::Key_Delete);
        keys(typed);
        key(Qt::Key_Return);
        ASSERT_TRUE(w.btnSend->hasFocus());
        key(Qt::Key_Return);
    };
    typeAndSend(QStringLiteral("Version"));
    EXPECT_EQ(device.written, QByteArray("Version\r\n"));
    device.written.clear();
    // A prefix of a remembered command stays a prefix.
    typeAndSend(QStringLiteral("Ver"));
    EXPECT_EQ(device.written, QByteArray("Ver\r\n"));
    // Another case is another command, sent and remembered as typed.
    device.written.clear();
    typeAndSend(QStringLiteral("ver"));
    EXPECT_EQ(device.written, QByteArray("ver\r\n"));
    EXPECT_EQ(w.history(), (QStringList{QStringLiteral("Version"), QStringLiteral("Ver"),
                                        QStringLiteral("ver")}));
}

TEST_F(ConsoleTest, OnlyTheLeftButtonDoubleClickMakesATmCommand) {
    TfrmMain &w = open();
    w.appendLogText(QStringLiteral("m:1A2B,d:00FF,f:2,x:0"));
    QTextCursor cursor(w.memoRecv->document()->firstBlock());
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 4);
    const QPoint at = w.memoRecv->cursorRect(cursor).center() + QPoint(1, 0);
    QTest::mouseDClick(w.memoRecv->viewport(), Qt::RightButton, {}, at);
    QTest::mouseDClick(w.memoRecv->viewport(), Qt::MiddleButton, {}, at);
    EXPECT_TRUE(w.cmbSendText->currentText().isEmpty());
    QTest::mouseDClick(w.memoRecv->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(w.cmbSendText->currentText(), QStringLiteral("Tm:1A2B,d:00FF,f:2"));
}

// Moved from the link: the 1000-line rule is the log view's own.
TEST_F(ConsoleTest, LogEmptiesItselfOnlyPastAThousandLines) {
    TfrmMain &w = open();
    QStringList old;
    for (int i = 0; i < 1000; ++i)
        old << QStringLiteral("old");
    w.appendLogText(old.join(QLatin1Char('\n')));
    ASSERT_EQ(w.logLineCount(), 1000);
    device.inject("a\r\n");
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 1001; }));
    EXPECT_EQ(w.logLineCount(), 1001);
    device.inject("b\r\n");
    ASSERT_TRUE(waitFor([&] { return w.logLineCount() == 1; }));
    EXPECT_EQ(w.memoRecv->toPlainText(), QStringLiteral("b"));
}

// Moved from the link with the rule: a burst in one receive step.
TEST_F(ConsoleTest, ABurstReachesTheLogInOneGoAndKeepsTheThousandLineRule) {
    TfrmMain &w = open();
    QByteArray burst;
    for (int i = 1; i <= 1002; ++i)
        burst += "L" + QByteArray::number(i) + "\r\n";
    int signalled = 0;
    QObject::connect(&objects->link, &Link::lineReceived, &w, [&] { ++signalled; });
    device.inject(burst); // under the 8192 bytes of one step
    ASSERT_TRUE(waitFor([&] { return signalled == 1002; })) << signalled;
    // Past 1000 lines the log empties itself before the next line, as it
    // would have line by line: the 1002nd line stands alone.
    EXPECT_EQ(w.memoRecv->toPlainText(), QStringLiteral("L1002"));
}
