#pragma once
// Runs the built zevo3 as a process: its exit status, standard output and
// standard error.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace zevo3::test {

struct Outcome {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// `input` goes to standard input; standard output goes to `outputFile` when
// one is given.
inline Outcome runZevo3(const QStringList &args, const QByteArray &input = {},
                        const QString &outputFile = {}) {
    QProcess process;
    if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(ZEVO3_PATH), args);
    if (!process.waitForStarted(30000)) return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    Outcome run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace zevo3::test
