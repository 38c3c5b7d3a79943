// The progress of a run on several ports as standard error shows it: on a
// terminal a block redrawn in place whose lines each take one row, the
// sessions' warnings above it once each, and a port's last word once.

#include "port_progress.h"

#include <gtest/gtest.h>

using namespace zevo3;
using namespace zevo3::cli;

namespace {

PortRun running(const QString &port, int sent, int total) {
    PortRun run;
    run.port = port;
    run.running = true;
    run.opened = true;
    run.sent = sent;
    run.total = total;
    return run;
}

PortRun ended(const QString &port, int status, const QString &text) {
    PortRun run;
    run.port = port;
    run.opened = status != kCannot;
    run.status = status;
    run.text = text;
    return run;
}

int rowsOf(const QByteArray &text) {
    return int(text.count('\n'));
}

} // namespace

TEST(PortProgress, TextsAreCutToTheTerminalCountingWideCharactersTwice) {
    EXPECT_EQ(columnsOf(u"abc"), 3);
    EXPECT_EQ(columnsOf(u"ポートab"), 8);
    EXPECT_EQ(fitted(QStringLiteral("short"), 80), QStringLiteral("short"));
    const QString cut = fitted(QString(100, QLatin1Char('x')), 40);
    EXPECT_EQ(columnsOf(cut), 39);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("…")));
    // A wide character that would straddle the edge is left out whole.
    const QString japanese =
        fitted(QStringLiteral("/dev/x がありません（接続されていません）。"), 20);
    EXPECT_LE(columnsOf(japanese), 19);
    EXPECT_TRUE(japanese.startsWith(QStringLiteral("/dev/x が")));
}

TEST(PortProgress, OnATerminalTheBlockIsRedrawnInPlaceBelowNewWarnings) {
    PortProgress progress(PortProgress::Lines::Moving, true, 40);
    std::vector<PortRun> runs{running(QStringLiteral("/dev/a"), 3, 95),
                              running(QStringLiteral("/dev/b"), 0, 95)};
    const QByteArray first = progress.frame(runs);
    EXPECT_FALSE(first.contains("\x1b[")) << "nothing drawn yet, nothing to go back over";
    EXPECT_EQ(rowsOf(first), 2);

    // A long last word and a warning: the block goes up by its two rows,
    // the warning stays above it, and no line of the block can wrap.
    runs[0].said << QStringLiteral("the line was closed: the unit hung up");
    runs[0].running = false;
    runs[0].status = kNoAnswer;
    runs[0].text = QStringLiteral("download stopped: message 4 of 95 (Kw:03,01,02,03,04,05,06,07,"
                                  "08) was not acknowledged within 1000 ms");
    const QByteArray second = progress.frame(runs);
    ASSERT_TRUE(second.startsWith("\x1b[2A\r\x1b[J")) << second.toStdString();
    const QList<QByteArray> lines = second.mid(8).split('\n');
    ASSERT_EQ(lines.size(), 4); // warning, two ports, and the end after the last newline
    EXPECT_EQ(lines[0], "/dev/a: the line was closed: the unit hung up");
    for (int i = 1; i <= 2; ++i)
        EXPECT_LE(columnsOf(QString::fromUtf8(lines[i])), 39) << lines[i].toStdString();
    EXPECT_TRUE(lines[2].startsWith("/dev/b: open, message 1 of 95"));
    // Nothing new, nothing written; the warning is not written again.
    EXPECT_EQ(progress.frame(runs), "");

    // Once every port has ended, the block is the summary: drawn whole.
    runs[1].running = false;
    runs[1].status = kDone;
    runs[1].text = QStringLiteral("download complete: 95 messages acknowledged");
    const QByteArray last = progress.frame(runs);
    EXPECT_TRUE(last.startsWith("\x1b[2A\r\x1b[J"));
    EXPECT_TRUE(last.contains("was not acknowledged within 1000 ms\n")) << last.toStdString();
    EXPECT_FALSE(last.contains("hung up"));
}

TEST(PortProgress, ElsewhereEachLineOnceAndTheLastWordNotTwice) {
    PortProgress progress(PortProgress::Lines::Moving, false, 80);
    PortRun open = running(QStringLiteral("/dev/a"), 0, 30);
    open.opened = false;
    std::vector<PortRun> runs{open};
    EXPECT_EQ(progress.frame(runs), "/dev/a: opening\n");
    EXPECT_EQ(progress.frame(runs), "");
    runs[0].opened = true;
    runs[0].sent = 9;
    EXPECT_EQ(progress.frame(runs), "") << "not moved on by ten messages";
    runs[0].sent = 10;
    EXPECT_EQ(progress.frame(runs), "/dev/a: message 10 of 30\n");

    // A port that cannot be opened: its failure said by the session is its
    // last word, written once.
    const QString why = QStringLiteral("cannot open the port \"/dev/x\": no such port");
    PortRun closed = ended(QStringLiteral("/dev/x"), kCannot, why);
    closed.said << why;
    runs.push_back(closed);
    const QByteArray text = progress.frame(runs);
    EXPECT_EQ(text.count("no such port"), 1) << text.toStdString();
}

TEST(PortProgress, VersionAndFireShowWarningsAndEachPortsEndOnce) {
    PortProgress progress(PortProgress::Lines::Ends, true, 80);
    PortRun busy = running(QStringLiteral("/dev/a"), 1, 1);
    busy.said << QStringLiteral("first warning") << QStringLiteral("perhaps the last word");
    std::vector<PortRun> runs{busy};
    // The newest warning is held back while the port runs.
    EXPECT_EQ(progress.frame(runs), "/dev/a: first warning\n");
    runs[0].running = false;
    runs[0].status = kNoAnswer;
    runs[0].text = QStringLiteral("perhaps the last word");
    EXPECT_EQ(progress.frame(runs), "/dev/a: perhaps the last word\n");
    EXPECT_EQ(progress.frame(runs), "");
}
