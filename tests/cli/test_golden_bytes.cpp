// What the tool writes, compared with files committed from an earlier build:
// the JSON of dump, the files of make, the text of the table print and the
// messages of a full registration of the example table. A change of any of
// them is a change of what stored files, scripts and the unit see.

#include "run_zevo3.h"
#include "source_files.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zevo3::test::Outcome;
using zevo3::test::runZevo3;
using namespace zevo3::test;

TEST(GoldenBytes, DumpAndMakeGiveTheCommittedBytes) {
    const QString example = sourceFile("examples/remote.Csv");
    const Outcome dump = runZevo3({QStringLiteral("dump"), example});
    ASSERT_EQ(dump.code, 0) << dump.err.toStdString();
    EXPECT_EQ(dump.out, fileBytes(sourceFile("tests/golden/remote.json")));

    QTemporaryDir dir;
    const QString made = dir.filePath(QStringLiteral("made.Csv"));
    const Outcome make =
        runZevo3({QStringLiteral("make"), sourceFile("tests/golden/remote.json"), made});
    ASSERT_EQ(make.code, 0) << make.err.toStdString();
    EXPECT_EQ(fileBytes(made), fileBytes(sourceFile("tests/golden/made.Csv")));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("made.ZV3"))),
              fileBytes(sourceFile("tests/golden/made.ZV3")));
}

TEST(GoldenBytes, TheRegistrationSendsTheCommittedMessages) {
    const Outcome run = runZevo3({QStringLiteral("download"), sourceFile("examples/remote.Csv"),
                                  QStringLiteral("--dry-run")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, fileBytes(sourceFile("tests/golden/registration.txt")));
}

TEST(GoldenBytes, TheTablePrintHoldsTheCommittedText) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("print.pdf"));
    const Outcome run = runZevo3(
        {QStringLiteral("print"), sourceFile("examples/remote.Csv"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
    QString printed = QString::fromUtf8(text.readAllStandardOutput());
    printed.replace(QRegularExpression(QStringLiteral("Date：\\d{4}/\\d{2}/\\d{2}")),
                    QStringLiteral("Date：YYYY/MM/DD"));
    EXPECT_EQ(printed, QString::fromUtf8(fileBytes(sourceFile("tests/golden/print.txt"))));
}
