#include "command_set.h"
#include "console_core.h"
#include "main_frame_core.h"

#include <gtest/gtest.h>

using namespace zevo3;

TEST(ConsoleHistory, ExactMatchesAreNotRepeated) {
    QStringList history;
    EXPECT_TRUE(addToHistory(history, QStringLiteral("Ver")));
    EXPECT_FALSE(addToHistory(history, QStringLiteral("Ver")));
    EXPECT_TRUE(addToHistory(history, QStringLiteral("ver")));
    EXPECT_EQ(history, (QStringList{QStringLiteral("Ver"), QStringLiteral("ver")}));
}

TEST(ConsoleAnswer, MAnswerBecomesTmCommand) {
    EXPECT_EQ(commandFromAnswer(QStringLiteral("m:1A2B,d:00FF,f:2,x:0")),
              QStringLiteral("Tm:1A2B,d:00FF,f:2"));
    EXPECT_EQ(commandFromAnswer(QStringLiteral("m:,d:,f:,")), QStringLiteral("Tm:,d:,f:"));
    // Without a third comma the last field runs on into the next line ...
    EXPECT_EQ(commandFromAnswer(QStringLiteral("m:1A2B,d:00FF,f:2\r\nm:9,d:1")),
              QStringLiteral("Tm:1A2B,d:00FF,f:2\r\nm:9"));
    // ... and stays empty when no comma follows.
    EXPECT_EQ(commandFromAnswer(QStringLiteral("m:1A2B,d:00FF,f:2")),
              QStringLiteral("Tm:1A2B,d:00FF,f:"));
    EXPECT_EQ(commandFromAnswer(QStringLiteral("m:")), QStringLiteral("Tm:,d:,f:"));
    EXPECT_FALSE(commandFromAnswer(QStringLiteral(" 02h m:1,d:2,f:3,")));
    EXPECT_FALSE(commandFromAnswer(QStringLiteral("M:1,d:2,f:3,")));
    EXPECT_FALSE(commandFromAnswer(QString()));
}

TEST(ConsoleAnswer, OnlyCommasWithinTheWindowCount) {
    // A comma at character 200 is outside the scan (it runs to 199).
    QString sel = QStringLiteral("m:A,d:B,f:") + QString(187, QLatin1Char('x')) + QLatin1Char(',');
    ASSERT_EQ(sel.size(), 198);
    EXPECT_EQ(commandFromAnswer(sel)->size(), QStringLiteral("Tm:A,d:B,f:").size() + 187);
    sel.insert(197, QLatin1Char('y'));
    sel.append(QLatin1Char('z')); // comma now at 199
    EXPECT_TRUE(commandFromAnswer(sel)->endsWith(QLatin1Char('y')));
    sel.insert(10, QLatin1Char('w')); // comma pushed to 200
    EXPECT_EQ(*commandFromAnswer(sel), QStringLiteral("Tm:A,d:B,f:"));
}

TEST(ConsoleAnswer, WindowCountsLineEndsAsCrLf) {
    const QString doc = QStringLiteral("ab\ncd");
    const AnswerWindow w = answerWindowAt(doc, 0);
    EXPECT_EQ(w.text, QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(w.documentLength, 5);
    const QString longDoc =
        QString(150, QLatin1Char('a')) + QLatin1Char('\n') + QString(150, QLatin1Char('b'));
    const AnswerWindow lw = answerWindowAt(longDoc, 0);
    EXPECT_EQ(lw.text.size(), kAnswerWindow);
    EXPECT_EQ(lw.documentLength, 199); // 150 + the line end (2) + 48
    EXPECT_EQ(documentLengthFor(doc, 0, 3), 3);
    EXPECT_EQ(documentLengthFor(doc, 3, 10), 2);
    EXPECT_EQ(wordStartAt(QStringLiteral("xx m:1,d"), 6), 3);
    EXPECT_EQ(wordStartAt(QStringLiteral("one\nm:1"), 5), 4);
    EXPECT_EQ(wordStartAt(QStringLiteral("abc"), 99), 0);
}

TEST(MainFrame, TitleSizeAndColumnSplit) {
    EXPECT_EQ(windowTitleFor(QDateTime(QDate(2005, 4, 12), QTime(9, 30))),
              QStringLiteral("MORIKA ZEVO3 Tool  [ Ver.20050412 ]"));
    EXPECT_EQ(windowTitleFor(QDateTime()), QStringLiteral("MORIKA ZEVO3 Tool"));
    EXPECT_EQ(startGeometry(QRect(0, 0, 1024, 768)), QRect(212, 100, 600, 568));
    const ColumnSplit split = splitTableColumns(305 + 27 + 32 + 64 + 48, 32, 64, 48);
    EXPECT_EQ(split.comments, 120);
    EXPECT_EQ(split.result, 185);
    const ColumnSplit narrow = splitTableColumns(100, 32, 64, 48); // rest -71
    EXPECT_EQ(narrow.comments, -28);
    EXPECT_EQ(narrow.result, -43);
}

TEST(CommandSet, LearningTimeIsZeroPadded) {
    EXPECT_EQ(cmd::learnTime(500), "Lend:0500");
    EXPECT_EQ(cmd::learnTime(12345), "Lend:12345");
    EXPECT_EQ(cmd::learnTime(-5), "Lend:-005");
    EXPECT_EQ(cmd::learnedCode("1A", "00", "2"), "Tm:1A,d:00,f:2");
    EXPECT_TRUE(cmd::isAcknowledgingAnswer("xx ZEVO3 yy"));
    EXPECT_TRUE(cmd::isAcknowledgingAnswer("Kr:01"));
    EXPECT_FALSE(cmd::isAcknowledgingAnswer("zevo3 kr:"));
}

TEST(ReceiveLog, AStepEmptiesTheLogWhereALineWouldPassAThousand) {
    LogAppend append = receiveLogAppend(999, {"a"});
    EXPECT_FALSE(append.emptyFirst);
    EXPECT_EQ(append.lines, QByteArrayList{"a"});
    append = receiveLogAppend(1000, {"a"});
    EXPECT_FALSE(append.emptyFirst); // 1001 lines are kept
    append = receiveLogAppend(1001, {"a", "b"});
    EXPECT_TRUE(append.emptyFirst);
    EXPECT_EQ(append.lines, (QByteArrayList{"a", "b"}));
    // Within one step: the lines before the one that passes the limit go too.
    append = receiveLogAppend(999, {"a", "b", "c"});
    EXPECT_TRUE(append.emptyFirst);
    EXPECT_EQ(append.lines, (QByteArrayList{"c"}));
}
