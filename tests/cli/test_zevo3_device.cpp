// zevo3's unit commands as a script runs them, against the simulated unit on
// a pseudo-terminal: exit statuses, what the unit received, and what goes to
// standard output and standard error.

#include "link_texts.h"
#include "raw_pty.h"
#include "registration.h"
#include "run_zevo3.h"
#include "samples.h"
#include "save_file.h"
#include "sim_unit.h"
#include "text_codec.h"
#include "transmit_messages.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

using namespace zevo3;
using zevo3::test::Outcome;
using zevo3::test::runZevo3;

namespace {

QList<QByteArray> messageTexts(const std::vector<QByteArray> &messages) {
    return QList<QByteArray>(messages.begin(), messages.end());
}

class Zevo3Device : public ::testing::Test {
protected:
    void startSim(SimOptions options = {}) {
        sim = std::make_unique<SimUnit>(options);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();
        writeIni(toCp932(sim->devicePath()));
    }
    void writeIni(const QByteArray &port) {
        ini = "[COMPORT]\r\nPortName=" + port + "\r\nBaudRate=57600\r\n";
        ASSERT_TRUE(saveFileAtomically(iniPath, ini));
    }
    // zevo3 with the test's settings file.
    Outcome run(QStringList args) {
        args << QStringLiteral("--ini") << iniPath;
        return runZevo3(args);
    }
    void writeSample() {
        ASSERT_TRUE(saveFileAtomically(tablePath, WriteTableFile(*samples::table())));
        ASSERT_TRUE(saveFileAtomically(
            layoutPathFor(tablePath), SaveLayoutFile(samples::layout(), layoutPathFor(tablePath))));
    }
    QList<QByteArray> planTexts() const {
        QList<QByteArray> list;
        for (const RegistrationMessage &m : RegistrationPlan(*samples::table(), samples::layout()))
            list.append(m.text);
        return list;
    }

    QTemporaryDir dir;
    QString iniPath = dir.filePath(QStringLiteral("zevo3tool.ini"));
    QString tablePath = dir.filePath(QStringLiteral("tv.Csv"));
    QByteArray ini;
    std::unique_ptr<SimUnit> sim;
};

} // namespace

TEST_F(Zevo3Device, VersionPrintsTheAnswerAndNeedsTheModelWord) {
    startSim();
    Outcome run = this->run({QStringLiteral("version")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "ZEVO3 Ver1.00 SIM\n");
    EXPECT_EQ(sim->received(), QList<QByteArray>{"Version"});
    sim->stop();

    // An answer later than the 500 ms listened for is no answer.
    SimOptions late;
    late.answerDelayMs = 900;
    startSim(late);
    run = this->run({QStringLiteral("version")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.contains("did not answer")) << run.err.toStdString();

    // The simulated unit in the process answers without any port set up.
    run = runZevo3({QStringLiteral("version"), QStringLiteral("--simulate"),
                    QStringLiteral("--ini"), dir.filePath(QStringLiteral("none.ini"))});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "ZEVO3 Ver1.00 SIM\n");
}

TEST_F(Zevo3Device, SendPrintsWhatTheUnitSaysAndThePortOptionIsNotWrittenBack) {
    startSim();
    const QString realPort = sim->devicePath();
    writeIni("/dev/zevo3-no-such-port");
    const Outcome run = this->run({QStringLiteral("send"), QStringLiteral("Lend:0100"),
                                   QStringLiteral("A"), QStringLiteral("--wait"),
                                   QStringLiteral("800"), QStringLiteral("--port"), realPort});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(sim->received(), (QList<QByteArray>{"Lend:0100", "A"}));
    // The learned code the unit sends after the learning time, as a log line.
    EXPECT_EQ(run.out, "m:1A2B,d:00FF,f:2\n");
    QByteArray after;
    QString error;
    ASSERT_TRUE(readFileBounded(iniPath, 4096, &after, &error));
    EXPECT_EQ(after, ini);
}

TEST_F(Zevo3Device, SendFramesAsTheSettingsSay) {
    // STX/ETX framing from the settings file, byte for byte.
    SimOptions options;
    options.recordBytes = true;
    startSim(options);
    ini += "SendHead=STX\r\nSendDlmt=ETX\r\n";
    ASSERT_TRUE(saveFileAtomically(iniPath, ini));
    const Outcome run =
        this->run({QStringLiteral("send"), QStringLiteral("Twl:001"), QStringLiteral("--wait=0")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    ASSERT_TRUE(sim->waitForMessages(1, 2000));
    EXPECT_EQ(sim->receivedBytes(), "\x02Twl:001\x03");
}

TEST_F(Zevo3Device, FireByNumberAndFromTheTable) {
    startSim();
    Outcome run = this->run({QStringLiteral("fire"), QStringLiteral("7")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    run = this->run({QStringLiteral("fire"), QStringLiteral("12"), QStringLiteral("--frames"),
                     QStringLiteral("5")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(sim->received(), (QList<QByteArray>{"Twl:007", "Twf:003", "Twl:012", "Twf:005"}));

    // Row 3's whole timing description with all 16 entries, then its Frames cell.
    writeSample();
    const int before = sim->messageCount();
    run = this->run(
        {QStringLiteral("fire"), QStringLiteral("3"), QStringLiteral("--table"), tablePath});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    const QList<QByteArray> expected = messageTexts(FiringTestMessages(*samples::table(), 3, true));
    ASSERT_EQ(expected.size(), 3 + 16 + 2);
    EXPECT_EQ(expected.last(), "Tf:3");
    EXPECT_EQ(sim->received().mid(before), expected);

    // Row 4 has no Carry text: refused before the port is opened.
    run = this->run(
        {QStringLiteral("fire"), QStringLiteral("4"), QStringLiteral("--table"), tablePath});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains("row 4 of")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("no Carry text")) << run.err.toStdString();
    EXPECT_EQ(sim->messageCount(), before + expected.size());
}

TEST_F(Zevo3Device, BadUsageSendsNothing) {
    startSim();
    writeSample();
    for (const QStringList &args :
         {QStringList{QStringLiteral("fire"), QStringLiteral("0")},
          QStringList{QStringLiteral("fire"), QStringLiteral("71")},
          QStringList{QStringLiteral("fire"), QStringLiteral("x")},
          QStringList{QStringLiteral("fire"), QStringLiteral("1"), QStringLiteral("--frames"),
                      QStringLiteral("-1")},
          QStringList{QStringLiteral("fire"), QStringLiteral("1"), QStringLiteral("--frames"),
                      QStringLiteral("2"), QStringLiteral("--table"), tablePath},
          QStringList{QStringLiteral("send")},
          QStringList{QStringLiteral("send"), QStringLiteral("A"), QStringLiteral("--wait"),
                      QStringLiteral("soon")},
          QStringList{QStringLiteral("version"), QStringLiteral("extra")},
          QStringList{QStringLiteral("download")},
          QStringList{QStringLiteral("send"), QStringLiteral("A"), QStringLiteral("--dry-run")},
          QStringList{QStringLiteral("download"), tablePath, QStringLiteral("--frames"),
                      QStringLiteral("3")}}) {
        const Outcome run = this->run(args);
        EXPECT_EQ(run.code, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.contains("usage:")) << run.err.toStdString();
    }
    EXPECT_EQ(sim->messageCount(), 0);
}

TEST_F(Zevo3Device, DownloadRegistersLayoutAndCodesWithProgress) {
    startSim();
    writeSample();
    const Outcome run = this->run({QStringLiteral("download"), tablePath});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    const QList<QByteArray> plan = planTexts();
    // 15 key rows, then codes 1 to 3 (row 4 is the gap).
    ASSERT_EQ(plan.size(), 15 + 3 * 8);
    EXPECT_EQ(sim->received(), plan);
    EXPECT_EQ(sim->layoutRows().size(), 15);
    EXPECT_EQ(sim->layoutRows().value(1), "Kw:01,01,81,02,85,--,--,--,--,--,--,--,--,--,--,--,--");
    EXPECT_EQ(sim->storedCodes().keys(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(sim->storedCodes().value(1),
              messageTexts(CodeRecordMessages(samples::table()->waveInfo(1), 1)));
    const QString err = QString::fromUtf8(run.err);
    EXPECT_TRUE(err.contains(QStringLiteral("message 1 of 39: Kw:01,"))) << run.err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("message 39 of 39: Tws:003")));
    EXPECT_TRUE(err.contains(QStringLiteral("download complete")));
    EXPECT_EQ(run.out, ""); // the unit only acknowledges
}

TEST_F(Zevo3Device, DownloadStopsAtTheFirstKeyRowNotAcknowledged) {
    SimOptions options;
    options.ackLimit = 4; // rows 1 to 4
    startSim(options);
    writeSample();
    const Outcome run = this->run({QStringLiteral("download"), tablePath});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(sim->received(), planTexts().mid(0, 5));
    EXPECT_TRUE(run.err.contains("message 5 of 39 (Kw:05,--,--")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("not acknowledged"));
    EXPECT_FALSE(run.err.contains("download complete"));
}

TEST_F(Zevo3Device, DownloadGoesOnPastSilentTimingMessagesButStopsAtTheStore) {
    // Code 1 has 8 messages: Twc, Twb, Twr, 3 Twp, Twd, Tws. The unit falls
    // silent for good after code 1's Twd: its Tws ends the download.
    SimOptions options;
    options.ackLimit = 15 + 7;
    startSim(options);
    writeSample();
    const Outcome run = this->run({QStringLiteral("download"), tablePath});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(sim->received(), planTexts().mid(0, 15 + 8));
    EXPECT_EQ(sim->received().last(), "Tws:001");
    EXPECT_TRUE(run.err.contains("message 23 of 39 (Tws:001) was not acknowledged"))
        << run.err.toStdString();
}

TEST_F(Zevo3Device, DownloadThatCannotStart) {
    writeSample();
    writeIni("/dev/zevo3-no-such-port");
    Outcome run = this->run({QStringLiteral("download"), tablePath});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains("cannot open the port \"/dev/zevo3-no-such-port\""))
        << run.err.toStdString();

    // The dry run needs no port and prints the plan.
    run = this->run({QStringLiteral("download"), tablePath, QStringLiteral("--dry-run")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    QByteArray expected;
    for (const QByteArray &text : planTexts())
        expected += text + '\n';
    EXPECT_EQ(run.out, expected);

    // Without its layout file the layout is empty, as in the window.
    ASSERT_TRUE(QFile::remove(layoutPathFor(tablePath)));
    run = this->run({QStringLiteral("download"), tablePath, QStringLiteral("--dry-run")});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.startsWith("Kw:01,--,--,--,--,--,--,--,--,--,--,--,--,--,--,--,--\n"));
    EXPECT_TRUE(run.err.contains("the layout is empty")) << run.err.toStdString();

    // A table without its identification line is used as after OK, and said.
    QByteArray table = WriteTableFile(*samples::table());
    table.replace("ZEVO4 Table File", "something else");
    ASSERT_TRUE(saveFileAtomically(tablePath, table));
    run = this->run({QStringLiteral("download"), tablePath, QStringLiteral("--dry-run")});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.err.contains("as the window does after OK")) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Tws:003"));

    // A conversion error refuses the table.
    table = WriteTableFile(*samples::table());
    table.replace("Twp:0:00350", "Twp:0:0x350");
    ASSERT_TRUE(saveFileAtomically(tablePath, table));
    run = this->run({QStringLiteral("download"), tablePath, QStringLiteral("--dry-run")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.contains("line 2")) << run.err.toStdString();

    run = this->run({QStringLiteral("download"), dir.filePath(QStringLiteral("absent.Csv"))});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains("cannot read the table file")) << run.err.toStdString();
}

TEST_F(Zevo3Device, SearchSaysWhatBecameOfEachPortAndFindsTheUnit) {
    startSim();
    test::RawPty silent;
    ASSERT_FALSE(silent.slave.isEmpty());
    const QString ports =
        QStringLiteral("/dev/zevo3-no-such-port,%1,%2").arg(silent.slave, sim->devicePath());
    Outcome found = run({QStringLiteral("search"), QStringLiteral("--ports"), ports});
    EXPECT_EQ(found.code, 0) << found.err.toStdString();
    const QStringList lines = QString::fromUtf8(found.out).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("/dev/zevo3-no-such-port\tcannot open: /dev/zevo3-no-such-port "
                       "がありません（接続されていません）。")))
        << found.out.toStdString();
    EXPECT_TRUE(lines.contains(silent.slave + QStringLiteral("\tno answer")));
    EXPECT_TRUE(lines.contains(sim->devicePath() + QStringLiteral("\tanswered")));
    EXPECT_TRUE(found.err.contains(sim->devicePath().toUtf8()));
    EXPECT_EQ(sim->received().last(), "Ver");
    // None answers: status 1.
    Outcome none = run({QStringLiteral("search"), QStringLiteral("--ports"), silent.slave});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(run({QStringLiteral("search"), QStringLiteral("extra")}).code, 2);
}

TEST_F(Zevo3Device, DownloadSaysTheLineFailedWhenItDid) {
    struct Case {
        const char *what;
        SimOptions options;
    };
    SimOptions hangUp;
    hangUp.hangUpAfter = 3; // during key row 3's wait
    SimOptions zeros;
    zeros.onMessage = [this](const QByteArray &m) {
        // Three zero bytes after more than ten of a message: the line failed.
        if (m.startsWith("Kw:03")) sim->sendRaw(QByteArray("ABCDEFGHIJK") + QByteArray(3, '\0'));
    };
    for (const Case &c : {Case{"a hang-up", hangUp}, Case{"three zero bytes", zeros}}) {
        SCOPED_TRACE(c.what);
        startSim(c.options);
        writeSample();
        const Outcome run = this->run({QStringLiteral("download"), tablePath});
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(run.err.contains("the line failed and the port")) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("not acknowledged within")) << run.err.toStdString();
        // The link's own words, as the window shows them in its message box
        // (on one line).
        const QString closed = zevo3::texts::portClosed(sim->devicePath())
                                   .replace(QLatin1Char('\n'), QLatin1Char(' '));
        EXPECT_TRUE(run.err.contains(closed.toUtf8())) << run.err.toStdString();
        sim->stop();
    }
}

// The line fails during the wait of a message whose acknowledgement does not
// decide (a code record's Twc:): the run stops before the next message, and
// the link's own words reach standard error as they reach the window's
// message box.
TEST_F(Zevo3Device, DownloadSaysTheLinksWordsWhenTheLineFailsDuringAnUndecidingMessage) {
    const std::vector<RegistrationMessage> plan =
        RegistrationPlan(*samples::table(), samples::layout());
    const auto undeciding = std::find_if(plan.begin(), plan.end(),
                                         [](const RegistrationMessage &m) { return !m.decides; });
    ASSERT_NE(undeciding, plan.end());
    SimOptions hangUp;
    hangUp.hangUpAfter = int(undeciding - plan.begin()) + 1; // during that message's wait
    startSim(hangUp);
    writeSample();
    const Outcome run = this->run({QStringLiteral("download"), tablePath});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("the line failed and the port")) << run.err.toStdString();
    const QString closed =
        zevo3::texts::portClosed(sim->devicePath()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_TRUE(run.err.contains(closed.toUtf8())) << run.err.toStdString();
    sim->stop();
}

TEST_F(Zevo3Device, DownloadRefusesLayoutCellsTheTableCannotHoldBeforeOpeningThePort) {
    writeSample();
    writeIni("/dev/zevo3-no-such-port"); // status 2 would mean it tried to open it
    LayoutData layout = samples::layout();
    layout.setCell(4, 1, "999(F03:W01)"); // would go out as code 3E7
    layout.setCell(4, 2, "071(F03:W01)"); // one past the table's 70 rows
    layout.setCell(4, 3, "001(F03:W-1)"); // would go out with attribute FF
    const QString layoutPath = layoutPathFor(tablePath);
    ASSERT_TRUE(saveFileAtomically(layoutPath, SaveLayoutFile(layout, layoutPath)));
    for (const QStringList &extra : {QStringList{}, QStringList{QStringLiteral("--dry-run")}}) {
        const Outcome run = this->run(QStringList{QStringLiteral("download"), tablePath} + extra);
        EXPECT_EQ(run.code, 1) << run.err.toStdString();
        EXPECT_EQ(run.out, "");
        const QString err = QString::fromUtf8(run.err);
        EXPECT_TRUE(err.contains(layoutPath + QStringLiteral(":5:2: code 999 is not a code table "
                                                             "row (1 to 70)")))
            << err.toStdString();
        EXPECT_TRUE(err.contains(layoutPath + QStringLiteral(":5:3: code 71 is not")));
        EXPECT_TRUE(err.contains(layoutPath +
                                 QStringLiteral(":5:4: \"001(F03:W-1)\" is not a layout cell")));
        EXPECT_TRUE(err.contains(QStringLiteral("nothing sent")));
        EXPECT_FALSE(err.contains(QStringLiteral("cannot open")));
    }
    // check names the same cells.
    const Outcome check = runZevo3({QStringLiteral("check"), tablePath});
    EXPECT_EQ(check.code, 1);
    EXPECT_TRUE(check.out.contains(":5:2: code 999 is not a code table row"))
        << check.out.toStdString();
    EXPECT_TRUE(check.out.contains(":5:4: \"001(F03:W-1)\" is not a layout cell"));
}

TEST_F(Zevo3Device, AnEmptyPortListIsBadUsageNotEveryPort) {
    for (const char *list : {"", ",", " , "}) {
        SCOPED_TRACE(list);
        const Outcome run = this->run(
            {QStringLiteral("search"), QStringLiteral("--ports"), QString::fromLatin1(list)});
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.contains("--ports: no port named")) << run.err.toStdString();
    }
}

TEST_F(Zevo3Device, EveryCommandTakesItsOptionsBeforeOrAfterIt) {
    startSim();
    writeSample();
    const QString png = dir.filePath(QStringLiteral("w.png"));
    const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
    const QString json = dir.filePath(QStringLiteral("t.json"));
    const QString made = dir.filePath(QStringLiteral("made.Csv"));
    ASSERT_EQ(runZevo3({QStringLiteral("dump"), tablePath}, {}, json).code, 0);
    struct Case {
        QStringList command; // the command and its arguments
        QStringList options; // its options, with their values
        QString output;      // a file it writes, compared between the two orders
    };
    const QString sim = this->sim->devicePath();
    const std::vector<Case> cases = {
        {{QStringLiteral("dump"), tablePath}, {QStringLiteral("--ini"), iniPath}, {}},
        {{QStringLiteral("check"), tablePath}, {QStringLiteral("--ini"), iniPath}, {}},
        {{QStringLiteral("make"), json, made}, {QStringLiteral("--ini"), iniPath}, made},
        {{QStringLiteral("print"), tablePath}, {QStringLiteral("--pdf"), pdf}, {}},
        {{QStringLiteral("wave"), tablePath, QStringLiteral("1")},
         {QStringLiteral("--zoom"), QStringLiteral("25"), QStringLiteral("--png"), png},
         png},
        {{QStringLiteral("wave"), tablePath, QStringLiteral("1")},
         {QStringLiteral("--overlay"), QStringLiteral("eiritsu"), QStringLiteral("--png"), png},
         png},
        // An option of the unit commands is bad usage here, in either order.
        {{QStringLiteral("wave"), tablePath, QStringLiteral("1")},
         {QStringLiteral("--ports"), QStringLiteral("x"), QStringLiteral("--png"), png},
         {}},
        {{QStringLiteral("dump"), tablePath}, {QStringLiteral("--dry-run")}, {}},
        {{QStringLiteral("version")}, {QStringLiteral("--ini"), iniPath}, {}},
        {{QStringLiteral("send"), QStringLiteral("Ver")},
         {QStringLiteral("--ini"), iniPath, QStringLiteral("--wait"), QStringLiteral("200")},
         {}},
        {{QStringLiteral("fire"), QStringLiteral("2")},
         {QStringLiteral("--frames"), QStringLiteral("4"), QStringLiteral("--port"), sim},
         {}},
        {{QStringLiteral("fire"), QStringLiteral("1")},
         {QStringLiteral("--table"), tablePath, QStringLiteral("--ini"), iniPath},
         {}},
        {{QStringLiteral("download"), tablePath},
         {QStringLiteral("--dry-run"), QStringLiteral("--ini"), iniPath},
         {}},
        {{QStringLiteral("download"), tablePath}, {QStringLiteral("--ini"), iniPath}, {}},
        {{QStringLiteral("search")},
         {QStringLiteral("--ports"), sim, QStringLiteral("--ini"), iniPath},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.command + c.options).join(QLatin1Char(' ')).toStdString());
        const Outcome after = runZevo3(c.command + c.options);
        const QByteArray afterFile = c.output.isEmpty() ? QByteArray() : [&] {
            QFile f(c.output);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
        }();
        if (!c.output.isEmpty()) QFile::remove(c.output);
        const Outcome before = runZevo3(c.options + c.command);
        EXPECT_NE(before.code, -1);
        const bool unitOption = c.options.contains(QStringLiteral("--ports")) &&
                                c.command[0] != QLatin1String("search");
        const bool dryDump = c.options.contains(QStringLiteral("--dry-run")) &&
                             c.command[0] == QLatin1String("dump");
        if (unitOption || dryDump) {
            EXPECT_EQ(after.code, 2);
            EXPECT_TRUE(after.err.contains("does not go with")) << after.err.toStdString();
        }
        EXPECT_EQ(before.code, after.code) << before.err.toStdString();
        EXPECT_EQ(before.out, after.out);
        if (!c.output.isEmpty()) {
            QFile f(c.output);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), afterFile);
        }
    }
}
