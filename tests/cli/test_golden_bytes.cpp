// What the tool writes, compared with files committed from an earlier build:
// the JSON of dump, the files of make, the text of the table print and the
// messages of a full registration of the example table. A change of any of
// them is a change of what stored files, scripts and the unit see.

#include "run_zevo3.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zevo3::test::Outcome;
using zevo3::test::runZevo3;

namespace {

QString source(const char *path) {
    return QStringLiteral(ZEVO3_SOURCE_DIR "/") + QString::fromLatin1(path);
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(GoldenBytes, DumpAndMakeGiveTheCommittedBytes) {
    const QString example = source("examples/remote.Csv");
    const Outcome dump = runZevo3({QStringLiteral("dump"), example});
    ASSERT_EQ(dump.code, 0) << dump.err.toStdString();
    EXPECT_EQ(dump.out, contents(source("tests/golden/remote.json")));

    QTemporaryDir dir;
    const QString made = dir.filePath(QStringLiteral("made.Csv"));
    const Outcome make =
        runZevo3({QStringLiteral("make"), source("tests/golden/remote.json"), made});
    ASSERT_EQ(make.code, 0) << make.err.toStdString();
    EXPECT_EQ(contents(made), contents(source("tests/golden/made.Csv")));
    EXPECT_EQ(contents(dir.filePath(QStringLiteral("made.ZV3"))),
              contents(source("tests/golden/made.ZV3")));
}

TEST(GoldenBytes, TheRegistrationSendsTheCommittedMessages) {
    const Outcome run = runZevo3(
        {QStringLiteral("download"), source("examples/remote.Csv"), QStringLiteral("--dry-run")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, contents(source("tests/golden/registration.txt")));
}

TEST(GoldenBytes, TheTablePrintHoldsTheCommittedText) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("print.pdf"));
    const Outcome run = runZevo3(
        {QStringLiteral("print"), source("examples/remote.Csv"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
    QString printed = QString::fromUtf8(text.readAllStandardOutput());
    printed.replace(QRegularExpression(QStringLiteral("Date：\\d{4}/\\d{2}/\\d{2}")),
                    QStringLiteral("Date：YYYY/MM/DD"));
    EXPECT_EQ(printed, QString::fromUtf8(contents(source("tests/golden/print.txt"))));
}
