// The bash completion of zevo3 as installed, sourced in bash and asked as
// bash asks it, against what zevo3 itself takes: the commands and the
// options of its command table, which options take a value, the formats and
// overlays zevo3 accepts, the protocols and the zoom steps, and the files
// each argument wants. So the completion cannot drift from the program.

#include "command_line.h"
#include "commands.h"
#include "ir_protocol.h"
#include "run_zevo3.h"
#include "wave_view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zevo3;
using namespace zevo3::cli;

// Lists said as words in a failure.
void PrintTo(const QStringList &list, std::ostream *out) {
    *out << '"' << list.join(QStringLiteral("\" \"")).toStdString() << '"';
}

namespace {

const QString kScript = QStringLiteral(ZEVO3_INSTALLED "/share/bash-completion/completions/zevo3");
const QString kExample = QStringLiteral(ZEVO3_SOURCE_DIR "/examples/remote.Csv");

std::vector<CommandEntry> wholeTable() {
    std::vector<CommandEntry> commands = fileCommands();
    for (auto &&group :
         {drawingCommands(), interchangeCommands(), protocolCommands(), unitCommands()})
        commands.insert(commands.end(), group.begin(), group.end());
    return commands;
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

QStringList commandNames() {
    QStringList names;
    for (const CommandEntry &command : wholeTable())
        names << command.name;
    return sorted(names);
}

// A folder with a table file of each case, other files and a folder.
class Completion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        for (const char *name : {"tv.Csv", "OLD.CSV", "notes.txt", "codes.json", "print.pdf"}) {
            QFile file(folder_.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("sub")));
    }

    // What bash completes for the words, the last one being completed.
    QStringList complete(const QStringList &words) const {
        QProcess bash;
        bash.setWorkingDirectory(folder_.path());
        const QString script = QStringLiteral(
            "source \"$0\" || exit 3; COMP_WORDS=(\"$@\"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
            "_zevo3 || exit 4; printf '%s\\n' \"${COMPREPLY[@]}\"");
        bash.start(QStringLiteral("bash"),
                   QStringList{QStringLiteral("--norc"), QStringLiteral("-c"), script, kScript} +
                       words);
        EXPECT_TRUE(bash.waitForFinished(30000));
        EXPECT_EQ(bash.exitCode(), 0) << bash.readAllStandardError().toStdString();
        QStringList lines =
            QString::fromUtf8(bash.readAllStandardOutput()).split(QLatin1Char('\n'));
        lines.removeAll(QString());
        return sorted(lines);
    }

    QStringList completeAfter(const QStringList &words) const {
        return complete(QStringList{QStringLiteral("zevo3")} + words);
    }

    const QStringList tableFiles = {"OLD.CSV", "sub", "tv.Csv"};
    QTemporaryDir folder_;
};

TEST_F(Completion, CompletesTheCommandsOfTheTableWhereverTheyStand) {
    const QStringList names = commandNames();
    EXPECT_EQ(completeAfter({""}), names);
    EXPECT_EQ(completeAfter({"im"}), QStringList{"import"});
    EXPECT_EQ(completeAfter({"d"}), (QStringList{"decode", "download", "dump"}));
    // After options, and after an option's value.
    EXPECT_EQ(completeAfter({"--simulate", ""}), names);
    EXPECT_EQ(completeAfter({"--ini", "my.ini", "--port", "/dev/ttyUSB0", ""}), names);
}

TEST_F(Completion, OffersEachCommandTheOptionsItTakes) {
    for (const CommandEntry &command : wholeTable()) {
        QStringList expected = {"--help", "--version"};
        for (const QString &option : commonOptions() + command.options)
            expected << QStringLiteral("--") + option;
        EXPECT_EQ(completeAfter({command.name, "--"}), sorted(expected))
            << command.name.toStdString();
        EXPECT_EQ(completeAfter({"--ini", "my.ini", command.name, "x", "--"}), sorted(expected))
            << command.name.toStdString() << " after an option and an argument";
    }
    // Before the command: every option there is.
    QStringList every = {"--help", "--version"};
    for (const OptionEntry &option : optionTable())
        every << QStringLiteral("--") + option.name;
    EXPECT_EQ(completeAfter({"--"}), sorted(every));
}

TEST_F(Completion, TakesTheWordAfterAnOptionWithAValueAsThatValue) {
    // "zevo3 --OPTION dump <TAB>": when the option takes a value, dump is that
    // value and the command is still to come; when it is a switch, dump is
    // the command and its table file is to come.
    for (const OptionEntry &option : optionTable()) {
        const bool valued = !option.valueName.isEmpty();
        EXPECT_EQ(completeAfter({"--" + option.name, "dump", ""}),
                  valued ? commandNames() : tableFiles)
            << "--" << option.name.toStdString() << (valued ? " takes a value" : " is a switch");
    }
}

TEST_F(Completion, TakesAnOptionWithItsValueAfterAnEqualsSignAsOneWord) {
    // bash hands "--port=/dev/x" over as three words.
    EXPECT_EQ(completeAfter({"--port", "=", "/dev/x", "download", ""}), tableFiles);
    EXPECT_EQ(completeAfter({"download", "--port", "=", "/dev/x", ""}), tableFiles);
    EXPECT_EQ(completeAfter({"download", "tv.Csv", "--lang", "=", ""}), (QStringList{"en", "ja"}));
    EXPECT_EQ(completeAfter({"download", "tv.Csv", "--lang", "="}), (QStringList{"en", "ja"}));
    EXPECT_EQ(completeAfter({"download", "tv.Csv", "--lang", "=", "e"}), QStringList{"en"});
    // Where "=" breaks no word, the reply is the whole word.
    EXPECT_EQ(completeAfter({"version", "--lang=e"}), QStringList{"--lang=en"});
}

TEST_F(Completion, CompletesEachArgumentWithWhatItWants) {
    EXPECT_EQ(completeAfter({"dump", ""}), tableFiles);
    EXPECT_EQ(completeAfter({"download", "--dry-run", ""}), tableFiles);
    EXPECT_EQ(completeAfter({"make", ""}), (QStringList{"codes.json", "sub"}));
    EXPECT_EQ(completeAfter({"make", "codes.json", ""}), tableFiles);
    EXPECT_EQ(completeAfter({"import", "tv.Csv", "raw", ""}),
              (QStringList{"OLD.CSV", "codes.json", "notes.txt", "print.pdf", "sub", "tv.Csv"}));
    EXPECT_EQ(completeAfter({"fire", "3", "--table", ""}), tableFiles);
    EXPECT_EQ(completeAfter({"print", "tv.Csv", "--pdf", ""}), (QStringList{"print.pdf", "sub"}));
    EXPECT_EQ(completeAfter({"encode", ""}), sorted(protocolNames()));
    EXPECT_EQ(completeAfter({"encode", "NEC", ""}), QStringList());
    EXPECT_EQ(completeAfter({"wave", "--overlay", ""}), (QStringList{"eiritsu", "philips"}));
    QStringList steps;
    for (const int step : kZoomSteps)
        steps << QString::number(step);
    EXPECT_EQ(completeAfter({"wave", "tv.Csv", "1", "--zoom", ""}), sorted(steps));
    // Ports: serial devices that exist, after --port and after a comma of --ports.
    for (const QString &port : completeAfter({"version", "--port", "/dev/"})) {
        EXPECT_TRUE(port.startsWith(QLatin1String("/dev/tty")) ||
                    port.startsWith(QLatin1String("/dev/serial/")))
            << port.toStdString();
        EXPECT_TRUE(QFileInfo::exists(port)) << port.toStdString();
    }
    for (const QString &ports : completeAfter({"search", "--ports", "/dev/ttyS0,/dev/"}))
        EXPECT_TRUE(ports.startsWith(QLatin1String("/dev/ttyS0,/dev/"))) << ports.toStdString();
}

TEST_F(Completion, FormatsAndOverlaysAreTheOnesZevo3Takes) {
    const QStringList formats = completeAfter({"import", "tv.Csv", ""});
    EXPECT_EQ(completeAfter({"export", "tv.Csv", ""}), formats);
    // zevo3 names the formats it knows when given another one.
    const test::Outcome refused = test::runZevo3({"export", kExample, "nosuch"});
    EXPECT_EQ(refused.code, 2);
    const QRegularExpressionMatch named =
        QRegularExpression(QStringLiteral("the format is (.*), not")).match(refused.err);
    ASSERT_TRUE(named.hasMatch()) << refused.err.toStdString();
    QString list = named.captured(1);
    EXPECT_EQ(
        sorted(
            list.replace(QStringLiteral(" or "), QStringLiteral(", ")).split(QStringLiteral(", "))),
        formats);
    for (const QString &format : formats)
        EXPECT_EQ(test::runZevo3({"export", kExample, format}).code, 0) << format.toStdString();

    const QString out = folder_.filePath(QStringLiteral("row1.txt"));
    for (const QString &overlay : completeAfter({"wave", "--overlay", ""}))
        EXPECT_EQ(test::runZevo3({"wave", kExample, "1", "--overlay", overlay, "--text", out}).code,
                  0)
            << overlay.toStdString();
}

} // namespace
