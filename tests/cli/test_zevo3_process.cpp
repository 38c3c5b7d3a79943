// The zevo3 program as a script runs it: exit statuses, what goes to standard
// output and what to standard error, and the files it leaves.

#include "run_zevo3.h"
#include "samples.h"
#include "save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zevo3;
using zevo3::test::Outcome;
using zevo3::test::runZevo3;

namespace {

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString &path, const QByteArray &bytes) {
    ASSERT_TRUE(saveFileAtomically(path, bytes)) << path.toStdString();
}

class Zevo3Process : public ::testing::Test {
protected:
    QTemporaryDir dir;
    // A table and its layout with CP932 texts, under a CP932 name.
    QString table = path("テレビ.Csv");
    QString layout = path("テレビ.ZV3");

    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    void writeSample() {
        put(table, WriteTableFile(*samples::table()));
        put(layout, SaveLayoutFile(samples::layout(), layout));
    }
    QStringList entries(const QString &folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
};

} // namespace

TEST_F(Zevo3Process, UsageHelpAndVersion) {
    Outcome run = runZevo3({QStringLiteral("--help")});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.contains("make JSON OUT")) << run.out.toStdString();

    run = runZevo3({QStringLiteral("--version")});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.startsWith("zevo3 ")) << run.out.toStdString();

    for (const QStringList &args :
         {QStringList{}, QStringList{QStringLiteral("frob")}, QStringList{QStringLiteral("dump")},
          QStringList{QStringLiteral("make"), table}, QStringList{QStringLiteral("--bogus")},
          QStringList{QStringLiteral("check"), table, table}}) {
        run = runZevo3(args);
        EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains("usage: zevo3")) << run.err.toStdString();
    }
}

TEST_F(Zevo3Process, DumpThenMakeGivesBackBothFilesByteForByte) {
    writeSample();
    const Outcome dump = runZevo3({QStringLiteral("dump"), table});
    ASSERT_EQ(dump.code, 0) << dump.err.toStdString();
    EXPECT_TRUE(dump.err.isEmpty()) << dump.err.toStdString();
    EXPECT_TRUE(dump.out.contains("\"comments\":\"テレビ 音量\""));

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("copy")));
    const QString json = path("copy/table.json");
    put(json, dump.out);
    const Outcome make = runZevo3({QStringLiteral("make"), json, path("copy/テレビ.Csv")});
    ASSERT_EQ(make.code, 0) << make.err.toStdString();
    EXPECT_TRUE(make.out.isEmpty() && make.err.isEmpty());
    EXPECT_EQ(contents(path("copy/テレビ.Csv")), contents(table));
    EXPECT_EQ(contents(path("copy/テレビ.ZV3")), contents(layout));

    // The same from standard input, over files that are there already.
    put(table, "old");
    put(layout, "old");
    const Outcome piped = runZevo3({QStringLiteral("make"), QStringLiteral("-"), table}, dump.out);
    ASSERT_EQ(piped.code, 0) << piped.err.toStdString();
    EXPECT_EQ(contents(table), contents(path("copy/テレビ.Csv")));
    EXPECT_EQ(contents(layout), contents(path("copy/テレビ.ZV3")));
}

TEST_F(Zevo3Process, DumpGoesOnWhereTheWindowWouldAskAndSaysSo) {
    put(table, WriteTableFile(*samples::table()).mid(int(strlen("ZEVO4 Table File\r\n"))));
    const Outcome run = runZevo3({QStringLiteral("dump"), table});
    EXPECT_EQ(run.code, 1);
    // Line 1 (row 1) is lost, as after OK in the window: row 2 is read first.
    EXPECT_TRUE(run.out.startsWith("{\"rows\":[\n{\"row\":1,\"carry\":\"38.0kHz\",\"frames\":\"3\","
                                   "\"comments\":\"テレビ 音量\""))
        << run.out.left(200).toStdString();
    EXPECT_TRUE(run.out.endsWith("[\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"]\n]}\n"));
    const QString err = QString::fromUtf8(run.err);
    EXPECT_TRUE(err.contains(table + QStringLiteral(":1: the first line is not")))
        << run.err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("no layout file ") + layout));
}

TEST_F(Zevo3Process, FilesThatCannotBeReadOrWritten) {
    Outcome run = runZevo3({QStringLiteral("dump"), table});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains("cannot read the table file")) << run.err.toStdString();

    put(table, WriteTableFile(*samples::table()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromUtf8("テレビ.ZV3")));
    run = runZevo3({QStringLiteral("check"), table});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains("cannot read the layout file")) << run.err.toStdString();

    // Standard output that takes nothing is a failure, not a success.
    ASSERT_TRUE(QDir(dir.path()).rmdir(QString::fromUtf8("テレビ.ZV3")));
    run = runZevo3({QStringLiteral("dump"), table}, {}, QStringLiteral("/dev/full"));
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains("cannot write to the standard output")) << run.err.toStdString();
}

TEST_F(Zevo3Process, MakeRefusesAndLeavesEveryFileAsItWas) {
    writeSample();
    const QByteArray json = runZevo3({QStringLiteral("dump"), table}).out;
    ASSERT_FALSE(json.isEmpty());
    const QByteArray oldTable = contents(table);
    const QByteArray oldLayout = contents(layout);
    const QStringList before = entries(dir.path());

    Outcome run = runZevo3({QStringLiteral("make"), QStringLiteral("-"), table},
                           QByteArray(json).replace("TV power", "TV, power"));
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("<stdin>: row 1, comments: \"TV, power\" holds a comma"))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("nothing written"));

    run =
        runZevo3({QStringLiteral("make"), QStringLiteral("-"), table}, json.left(json.size() / 2));
    EXPECT_EQ(run.code, 1);

    // The layout file cannot be replaced: found before the table is written.
    QFile(layout).setPermissions(QFile::ReadOwner);
    run = runZevo3({QStringLiteral("make"), QStringLiteral("-"), table}, json);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains("is read-only; nothing written")) << run.err.toStdString();

    // A table named like its own layout file.
    run = runZevo3({QStringLiteral("make"), QStringLiteral("-"), layout}, json);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains("its own layout file")) << run.err.toStdString();

    EXPECT_EQ(contents(table), oldTable);
    EXPECT_EQ(contents(layout), oldLayout);
    EXPECT_EQ(entries(dir.path()), before); // no temporary file left behind
}

TEST_F(Zevo3Process, MakeSaysSoWhenOnlyTheTableWasWritten) {
    writeSample();
    const QByteArray json = runZevo3({QStringLiteral("dump"), table}).out;
    const QString out = path("new.Csv");
    // The layout file is a link to a writable file in a folder where no file
    // can be made, so its replacement fails only once it is written.
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/oom_score_adj"), path("new.ZV3")));
    const Outcome run = runZevo3({QStringLiteral("make"), QStringLiteral("-"), out}, json);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(
        QStringLiteral("the table file %1 was written, but its layout file %2 was NOT")
            .arg(out, path("new.ZV3"))))
        << run.err.toStdString();
    EXPECT_EQ(contents(out), contents(table));
}

TEST_F(Zevo3Process, CheckReportsFileLineAndField) {
    writeSample();
    Outcome run = runZevo3({QStringLiteral("check"), table});
    EXPECT_EQ(run.code, 0) << run.out.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains("no problems"));

    LayoutData cells = samples::layout();
    cells.setCell(2, 1, "005(F03:W01)");
    put(layout, SaveLayoutFile(cells, layout));
    put(table, contents(table).replace("TV power", "TV,power"));
    run = runZevo3({QStringLiteral("check"), table});
    EXPECT_EQ(run.code, 1);
    const QStringList lines = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(table + QStringLiteral(":2:6: the row has 5 text fields")));
    EXPECT_TRUE(
        lines[1].startsWith(layout + QStringLiteral(":3:2: code 5 comes after table row 4")));
    EXPECT_TRUE(run.err.contains("2 problem(s)")) << run.err.toStdString();
}

TEST_F(Zevo3Process, PrintWritesTheTablePrintAsAPdf) {
    writeSample();
    const QString pdf = path("print.pdf");
    Outcome run = runZevo3({QStringLiteral("print"), table, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(run.code, 0) << run.err.constData();
    const QByteArray bytes = contents(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF")) << bytes.left(20).constData();
    // Where the text can be taken out of it, it is the header and the rows.
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        QProcess text;
        text.start(pdftotext, {pdf, QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(printed.contains(QStringLiteral("File: テレビ.Csv"))) << printed.toStdString();
        EXPECT_TRUE(printed.contains(QStringLiteral("[001]:"))) << printed.toStdString();
        EXPECT_TRUE(printed.contains(QStringLiteral("Date："))) << printed.toStdString();
    }
    // Without --pdf, or with a file that is not there: usage, or cannot read.
    EXPECT_EQ(runZevo3({QStringLiteral("print"), table}).code, 2);
    EXPECT_EQ(
        runZevo3({QStringLiteral("print"), path("none.Csv"), QStringLiteral("--pdf"), pdf}).code,
        2);
}

TEST_F(Zevo3Process, MakeRefusesALayoutFileThatIsTheTableOrALinkToNothing) {
    writeSample();
    const QByteArray json = runZevo3({QStringLiteral("dump"), table}).out;
    ASSERT_FALSE(json.isEmpty());
    struct Case {
        const char *what;
        const char *name;
        std::function<void(const QString &, const QString &)> make; // (table, layout)
        const char *says;
    };
    const std::vector<Case> cases = {
        {"a link to the table", "T",
         [](const QString &t, const QString &l) { ASSERT_TRUE(QFile::link(t, l)); }, "itself"},
        {"the table a link to the layout", "R",
         [](const QString &t, const QString &l) {
             QFile::remove(t);
             put(l, "the layout\r\n");
             ASSERT_TRUE(QFile::link(l, t));
         },
         "itself"},
        {"a link into a folder that is not there", "G",
         [this](const QString &, const QString &l) {
             ASSERT_TRUE(QFile::link(path("gone/G.ZV3"), l));
         },
         "which does not exist"},
        {"a loop", "L",
         [this](const QString &, const QString &l) {
             ASSERT_TRUE(QFile::link(path("L2.ZV3"), l));
             ASSERT_TRUE(QFile::link(l, path("L2.ZV3")));
         },
         "in a loop"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString t = path(c.name) + QStringLiteral(".Csv");
        const QString l = path(c.name) + QStringLiteral(".ZV3");
        put(t, "the operator's table\r\n");
        c.make(t, l);
        const QByteArray oldTable = contents(t);
        const QStringList before = entries(dir.path());
        const Outcome run = runZevo3({QStringLiteral("make"), QStringLiteral("-"), t}, json);
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("nothing written"));
        EXPECT_EQ(contents(t), oldTable);
        EXPECT_EQ(entries(dir.path()), before);
    }
    EXPECT_FALSE(QFileInfo::exists(path("gone")));
}

TEST_F(Zevo3Process, CheckAndDumpSayWhatASaveWouldTrim) {
    writeSample();
    QByteArray bytes = contents(table);
    bytes.replace("[001],38.0kHz,3,", "[001], 38.0kHz ,3\t,");
    bytes.replace("[002],38.0kHz,", QByteArray("[002],\0"
                                               "38.0kHz,",
                                               15));
    put(table, bytes);
    for (const char *command : {"check", "dump"}) {
        SCOPED_TRACE(command);
        const Outcome run = runZevo3({QString::fromLatin1(command), table});
        EXPECT_EQ(run.code, 1);
        const QString said =
            QString::fromUtf8(std::strcmp(command, "check") == 0 ? run.out : run.err);
        for (const QString &where : {QStringLiteral(":2:2: Carry: \" 38.0kHz \""),
                                     QStringLiteral(":2:3: Frames: \"3\\t\""),
                                     QStringLiteral(":3:2: Carry: \"\\u000038.0kHz\"")})
            EXPECT_TRUE(
                said.contains(table + where + QStringLiteral(" begins or ends with a blank")))
                << said.toStdString();
    }
    // What dump gives, make refuses; what dump calls clean, make takes back
    // into files that check calls clean.
    const QByteArray json = runZevo3({QStringLiteral("dump"), table}).out;
    EXPECT_EQ(runZevo3({QStringLiteral("make"), QStringLiteral("-"), path("copy.Csv")}, json).code,
              1);
    writeSample();
    const QByteArray clean = runZevo3({QStringLiteral("dump"), table}).out;
    ASSERT_EQ(runZevo3({QStringLiteral("make"), QStringLiteral("-"), path("copy.Csv")}, clean).code,
              0);
    EXPECT_EQ(runZevo3({QStringLiteral("check"), path("copy.Csv")}).code, 0);
}

TEST_F(Zevo3Process, ALayoutFileThatIsTheTableIsNotReadAsALayout) {
    writeSample();
    QFile::remove(layout);
    ASSERT_TRUE(QFile::link(table, layout));
    for (const char *command : {"dump", "check"}) {
        SCOPED_TRACE(command);
        const Outcome run = runZevo3({QString::fromLatin1(command), table});
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.err.contains("through a link it is the table file"))
            << run.err.toStdString();
        EXPECT_EQ(run.out, "");
    }
    const Outcome download =
        runZevo3({QStringLiteral("download"), table, QStringLiteral("--dry-run")});
    EXPECT_EQ(download.code, 2);
    EXPECT_TRUE(download.err.contains("through a link it is the table file"));
}

// The settings file zevo3 reads without --ini, on real folders: beside the
// program where its user may write that folder (a file there is read), in
// $XDG_CONFIG_HOME/zevo3tool/ where not (a folder of another user's, or one
// every user may write).
TEST(Zevo3SettingsFile, BesideAWritableProgramOtherwiseInTheConfigFolder) {
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString program = bin + QStringLiteral("/zevo3");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZEVO3_PATH), program));
    const QString beside = bin + QStringLiteral("/zevo3tool.ini");
    ASSERT_TRUE(saveFileAtomically(beside, "[COMPORT]\r\nPortName=/dev/zevo3-beside\r\n"));
    const QString config = dir.filePath(QStringLiteral("config"));
    ASSERT_TRUE(QDir().mkpath(config + QStringLiteral("/zevo3tool")));
    const QString configured = config + QStringLiteral("/zevo3tool/zevo3tool.ini");
    ASSERT_TRUE(saveFileAtomically(configured, "[COMPORT]\r\nPortName=/dev/zevo3-config\r\n"));
    const auto run = [&](const QStringList &prefix) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        process.setProcessEnvironment(env);
        const QStringList command = prefix + QStringList{program, QStringLiteral("version")};
        process.start(command.first(), command.mid(1));
        EXPECT_TRUE(process.waitForFinished(60000));
        return QString::fromUtf8(process.readAllStandardError());
    };
    // Writable: the file beside the program is the one read.
    const QString mine = run({});
    EXPECT_TRUE(mine.contains(QStringLiteral("/dev/zevo3-beside\" (settings: ") + beside))
        << mine.toStdString();

    // Every user may write the folder: not the settings folder.
    ASSERT_EQ(::chmod(QFile::encodeName(bin).constData(), 01777), 0);
    const QString shared = run({});
    EXPECT_TRUE(shared.contains(QStringLiteral("/dev/zevo3-config\" (settings: ") + configured))
        << shared.toStdString();

    // Read-only for the user who runs it: another user's folder (as root,
    // the program is run as nobody), or one without write permission.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(bin).constData(), 0555), 0);
    QStringList as;
    if (::geteuid() == 0) {
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            GTEST_SKIP() << "no setpriv to run as another user";
        as = {QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
              QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")};
    }
    const QString other = run(as);
    if (other.contains(QStringLiteral("error while loading")) ||
        other.startsWith(QStringLiteral("setpriv:")))
        GTEST_SKIP() << "cannot run as nobody here: " << other.toStdString();
    EXPECT_TRUE(other.contains(QStringLiteral("/dev/zevo3-config\" (settings: ") + configured))
        << other.toStdString();
    EXPECT_FALSE(other.contains(QStringLiteral("/dev/zevo3-beside")));
    ::chmod(QFile::encodeName(bin).constData(), 0755);
}
