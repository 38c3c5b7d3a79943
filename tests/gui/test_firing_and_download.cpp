// The firing tests of the main window and the layout window, and the
// registration of the layout in the unit, on the in-memory device.

#include "code_table_model.h"
#include "layout_file.h"
#include "layout_model.h"
#include "link_texts.h"
#include "main_window_fixture.h"
#include "registration.h"
#include "table_file.h"
#include "wait.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class FiringTest : public MainWindowTest {
protected:
    TfrmMain &open() {
        TfrmMain &w = createAll();
        w.show();
        device.written.clear();
        return w;
    }
    void learn(int row, const char *frames, int entries) {
        CodeTable &t = objects->table;
        t.setCell(row, CodeTable::kColCarry, "38.0kHz");
        t.setCell(row, CodeTable::kColFrames, frames);
        WaveInfo &info = t.waveInfo(row);
        info.Carry = 380;
        info.DataBits = 3;
        info.Pcode[0] = 1;
        info.Pcode[1] = 2;
        info.Pcode[2] = 3;
        for (int i = 0; i < entries; ++i) {
            info.High[size_t(i)] = 350;
            info.Width[size_t(i)] = 700;
        }
        window->tableModel->refresh();
    }
    QByteArrayList sentLines() const {
        QByteArrayList lines = device.written.split('\n');
        lines.removeLast();
        for (QByteArray &line : lines)
            line.chop(1); // CR
        return lines;
    }
    // The unit: acknowledges every message, except those for which `silent`
    // says so.
    void unitAcknowledges(std::function<bool(const QByteArray &)> silent = {}) {
        device.onWrite = [this, silent](const QByteArray &message) {
            if (!silent || !silent(message.chopped(2))) device.inject("\x06");
        };
    }
};

} // namespace

TEST_F(FiringTest, NormalModeSendsTheNumberAndThreeFramesThenStepsDown) {
    TfrmMain &w = open();
    learn(7, "2", 2);
    w.setCurrentCell(7, CodeTable::kColComments);
    QTest::mouseClick(w.btnTest, Qt::LeftButton);
    EXPECT_EQ(sentLines(), (QByteArrayList{"Twl:007", "Twf:003"}));
    EXPECT_TRUE(w.memoRecv->toPlainText().isEmpty());
    EXPECT_EQ(w.currentRow(), 8); // Cursor Auto
    EXPECT_EQ(w.currentColumn(), int(CodeTable::kColCarry));

    // An empty Carry cell: nothing sent, the selection stays.
    device.written.clear();
    QTest::mouseClick(w.btnTest, Qt::LeftButton);
    EXPECT_TRUE(device.written.isEmpty());
    EXPECT_EQ(w.currentRow(), 8);

    // Row 70 stays on row 70; without Cursor Auto no row moves.
    learn(70, "3", 1);
    w.setCurrentCell(70, CodeTable::kColCarry);
    QTest::mouseClick(w.btnTest, Qt::LeftButton);
    EXPECT_EQ(w.currentRow(), 70);
    w.ckCursor->setChecked(false);
    w.setCurrentCell(7, CodeTable::kColCarry);
    QTest::mouseClick(w.btnTest, Qt::LeftButton);
    EXPECT_EQ(w.currentRow(), 7);
}

TEST_F(FiringTest, AnalysisLogModeSendsTheWholeDescriptionAndLogsIt) {
    TfrmMain &w = open();
    learn(3, " 2", 2);
    learn(4, "", 2);
    w.sBarDblClick();
    w.setCurrentCell(3, CodeTable::kColCarry);
    QTest::mouseClick(w.btnTest, Qt::LeftButton);
    QByteArrayList expected{"Twc:380", "Twb:003", "Twr:000", "Twp:0:00350,000700",
                            "Twp:1:00350,000700"};
    for (int i = 2; i < 16; ++i)
        expected << QByteArray("Twp:") + QByteArray::number(i, 16).toUpper() + ":00000,000000";
    expected << "Twd:1233"
             << "Tf: 2"; // the blank is kept
    EXPECT_EQ(sentLines(), expected);
    EXPECT_EQ(w.memoRecv->toPlainText(), QString::fromLatin1(expected.join('\n')));
    // An empty Frames cell: no Tf.
    device.written.clear();
    QTest::mouseClick(w.btnTest, Qt::LeftButton);
    EXPECT_EQ(sentLines().last(), "Twd:1233");
}

TEST_F(FiringTest, ThePortClosedSaysSoAndSendsNothing) {
    device.failAllOpens = true;
    TfrmMain &w = open();
    learn(1, "3", 1);
    QTest::mouseClick(w.btnTest, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text, texts::setPortFirst());
    EXPECT_EQ(device.writes, 0);
}

TEST_F(FiringTest, LayoutFiringSendsTheCellsCodeAndFramesAndMovesOn) {
    TfrmMain &w = open();
    learn(5, "3", 1);
    learn(9, "3", 1);
    objects->layout.setCell(2, 1, "005(F02:W01)");
    objects->layout.setCell(2, 2, "009(F04:W01)");
    layout->model->replaceCells(objects->layout);
    layout->setCurrentCell(2, 1);
    EXPECT_EQ(w.currentRow(), 5); // the table followed the cell
    QTest::mouseClick(layout->btnTest, Qt::LeftButton);
    EXPECT_EQ(sentLines(), (QByteArrayList{"Twl:005", "Twf:002"}));
    EXPECT_EQ(layout->currentRow(), 2);
    EXPECT_EQ(layout->currentColumn(), 2);
    EXPECT_EQ(w.currentRow(), 9);
    // The next cell is empty: on to column 1 of the next row.
    QTest::mouseClick(layout->btnTest, Qt::LeftButton);
    EXPECT_EQ(sentLines().mid(2), (QByteArrayList{"Twl:009", "Twf:004"}));
    EXPECT_EQ(layout->currentRow(), 3);
    EXPECT_EQ(layout->currentColumn(), 1);
    // An empty cell sends nothing and stays.
    device.written.clear();
    QTest::mouseClick(layout->btnTest, Qt::LeftButton);
    EXPECT_TRUE(device.written.isEmpty());
    EXPECT_EQ(layout->currentRow(), 3);
    EXPECT_TRUE(w.memoRecv->toPlainText().isEmpty());
}

TEST_F(FiringTest, DecliningTheDownloadOffersToSaveAndSendsNothing) {
    TfrmMain &w = open();
    Q_UNUSED(w);
    const QString file = dir.filePath(QStringLiteral("codes.ZV3"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(SaveLayoutFile(LayoutData(), file));
    f.close();
    layout->LoadLayoutFile(file);
    objects->layout.setCell(1, 1, "001(F03:W01)");
    prompter.answers = {MsgAnswer::No, MsgAnswer::Yes};
    QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 2);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("ダウンロードを開始します。"));
    EXPECT_EQ(prompter.asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(prompter.asked[1].text, QStringLiteral("レイアウト情報を保存しますか？"));
    EXPECT_TRUE(device.written.isEmpty());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("[01],001(F03:W01),"));
}

TEST_F(FiringTest, ACompletedDownloadSendsThePlanSavesAndReturnsToRowOne) {
    TfrmMain &w = open();
    learn(1, "3", 2);
    learn(2, "3", 16);
    objects->layout.setCell(3, 4, "002(F01:W15)");
    layout->model->replaceCells(objects->layout);
    const QString file = dir.filePath(QStringLiteral("codes.ZV3"));
    objects->layout.currentFile = file;
    layout->setCurrentCell(5, 5);
    unitAcknowledges();
    prompter.answers = {MsgAnswer::Yes};
    QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
    const auto plan = RegistrationPlan(objects->table, objects->layout);
    QByteArrayList expected;
    for (const RegistrationMessage &m : plan)
        expected << m.text;
    EXPECT_EQ(sentLines(), expected);
    ASSERT_EQ(prompter.asked.size(), 2);
    EXPECT_EQ(prompter.asked[1].text, QStringLiteral("ダウンロード完了"));
    EXPECT_EQ(prompter.asked[1].caption, QStringLiteral("確認"));
    EXPECT_EQ(layout->currentRow(), 1);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), SaveLayoutFile(objects->layout, file));
    // The key rows went to the log; the code records did not.
    const QStringList log = w.memoRecv->toPlainText().split(QLatin1Char('\n'));
    EXPECT_EQ(log.size(), 15);
    EXPECT_EQ(log[2], QStringLiteral("Kw:03,--,--,--,--,--,--,02,0F,--,--,--,--,--,--,--,--"));
    EXPECT_FALSE(layout->btnStop->isVisibleTo(layout.get()));
}

TEST_F(FiringTest, AnUnacknowledgedKeyRowOrTwsAbortsTheDownload) {
    open();
    learn(1, "3", 1);
    learn(2, "3", 1);
    const QString file = dir.filePath(QStringLiteral("codes.ZV3"));
    objects->layout.currentFile = file;
    unitAcknowledges([](const QByteArray &m) { return m.startsWith("Kw:03"); });
    prompter.answers = {MsgAnswer::Yes};
    QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
    EXPECT_EQ(sentLines().size(), 3);
    EXPECT_EQ(prompter.asked.last().text, QStringLiteral("ダウンロードを中止しました"));
    EXPECT_FALSE(QFile::exists(file)); // an aborted download saves nothing

    device.written.clear();
    unitAcknowledges([](const QByteArray &m) { return m == "Tws:001"; });
    prompter.answers = {MsgAnswer::Yes};
    QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
    EXPECT_EQ(sentLines().last(), "Tws:001");
    EXPECT_EQ(prompter.asked.last().text, QStringLiteral("ダウンロードを中止しました"));
}

TEST_F(FiringTest, TheOperatorCanStopADownloadAndCannotStartASecond) {
    open();
    learn(1, "3", 1);
    int messages = 0;
    device.onWrite = [&](const QByteArray &) {
        ++messages;
        if (messages == 4) {
            // While it runs: a second start is ignored, the stop button is up.
            EXPECT_TRUE(layout->btnStop->isVisibleTo(layout.get()));
            EXPECT_FALSE(layout->lblProgress->text().isEmpty());
            QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
            QTest::mouseClick(layout->btnStop, Qt::LeftButton);
        }
        device.inject("\x06");
    };
    prompter.answers = {MsgAnswer::Yes};
    QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
    EXPECT_EQ(messages, 4);
    ASSERT_EQ(prompter.asked.size(), 2); // the question and the end; nothing from the second click
    EXPECT_EQ(prompter.asked[1].text, QStringLiteral("ダウンロードを中止しました"));
    EXPECT_FALSE(layout->registering());
}

TEST_F(FiringTest, ClosingTheMainWindowDuringADownloadEndsItQuietly) {
    TfrmMain &w = open();
    learn(1, "3", 1);
    int messages = 0;
    device.onWrite = [&](const QByteArray &) {
        ++messages;
        if (messages == 1) device.inject("\x06");
        // Then the unit stays silent, and the window is closed during the wait.
        if (messages == 2) QTimer::singleShot(0, &w, [&w] { w.close(); });
    };
    prompter.answers = {MsgAnswer::Yes};
    QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
    EXPECT_FALSE(objects->link.portOpen());
    EXPECT_LE(messages, 2);
    EXPECT_EQ(prompter.asked.size(), 1); // no "中止" while the application ends
}

TEST_F(FiringTest, EscClosingTheWindowOrReopeningThePortEndsADownload) {
    TfrmMain &w = open();
    learn(1, "3", 1);
    learn(2, "3", 1);
    struct Case {
        const char *what;
        std::function<void()> act;
    };
    const std::vector<Case> cases = {
        {"Esc", [this] { QTest::keyClick(layout.get(), Qt::Key_Escape); }},
        {"closing the layout window", [this] { layout->close(); }},
        // A settings dialog in between: the port closed and opened again
        // within one wait, and the new port's first answer arriving.
        {"the port reopened",
         [this] {
             objects->link.ClosePort();
             objects->link.OpenPort(true);
             device.inject("\x06");
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        layout->show();
        prompter.asked.clear();
        int messages = 0;
        device.onWrite = [&](const QByteArray &) {
            ++messages;
            if (messages == 18) { // a code record's message
                QTimer::singleShot(0, layout.get(), c.act);
                return; // this one stays unanswered
            }
            device.inject("\x06");
        };
        prompter.answers = {MsgAnswer::Yes};
        QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
        EXPECT_LE(messages, 20);
        ASSERT_EQ(prompter.asked.size(), 2);
        EXPECT_EQ(prompter.asked[1].text, QStringLiteral("ダウンロードを中止しました"));
        EXPECT_FALSE(layout->registering());
    }
    Q_UNUSED(w);
}

TEST_F(FiringTest, NewOrOpenDuringADownloadStopsItAndItsEndSavesNoLayout) {
    TfrmMain &w = open();
    learn(1, "3", 1);
    // B's files as another program wrote them (LF line ends): a save of the
    // layout would rewrite them with CR LF.
    CodeTable other;
    other.setCell(1, CodeTable::kColCarry, "38.0kHz");
    other.waveInfo(1).Carry = 380;
    const QString otherTable = dir.filePath(QStringLiteral("B.Csv"));
    const QString otherLayout = dir.filePath(QStringLiteral("B.ZV3"));
    const QByteArray layoutBytes = "ZEVO3 Layout File : B.ZV3\n[01],001(F03:W01),\n";
    for (const auto &[file, bytes] :
         {std::pair{otherTable, WriteTableFile(other)}, std::pair{otherLayout, layoutBytes}}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const QString started = dir.filePath(QStringLiteral("A.ZV3"));
    const int total = int(RegistrationPlan(objects->table, objects->layout).size());

    struct Case {
        const char *what;
        int at; // the message during whose wait the operator acts
        std::function<void()> act;
    };
    const std::vector<Case> cases = {
        {"New mid-way", 4, [&] { w.mmCleate->trigger(); }},
        {"Open mid-way", 4,
         [&] {
             prompter.fileChoices.append(FileChoice{otherTable, 2});
             w.mmFileOpen->trigger();
         }},
        // On the last message the unit has everything: done, but the layout
        // file it would save is no longer the one it started from.
        {"Open on the last message", total,
         [&] {
             prompter.fileChoices.append(FileChoice{otherTable, 2});
             w.mmFileOpen->trigger();
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        learn(1, "3", 1);
        objects->layout.currentFile = started;
        prompter.asked.clear();
        int messages = 0;
        // The answer to that message comes after the operator's act.
        device.onWrite = [&](const QByteArray &) {
            if (++messages != c.at) {
                device.inject("\x06");
                return;
            }
            QTimer::singleShot(0, &w, [&] {
                c.act();
                device.inject("\x06");
            });
        };
        prompter.answers = {MsgAnswer::Yes};
        QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
        EXPECT_FALSE(layout->registering());
        EXPECT_EQ(messages, c.at);
        EXPECT_FALSE(QFile::exists(started));
        QFile f(otherLayout);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), layoutBytes);
        ASSERT_FALSE(prompter.asked.isEmpty());
        EXPECT_EQ(prompter.asked.last().text, c.at == total
                                                  ? QStringLiteral("ダウンロード完了")
                                                  : QStringLiteral("ダウンロードを中止しました"));
    }
}
