// Two copies of the window program: the second one ends at once.

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

TEST(SingleInstance, SecondCopyEndsWithoutAWindow) {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TMPDIR"), dir.path()); // the guard's socket lives here
    const QStringList args{QStringLiteral("--ini"), dir.filePath(QStringLiteral("z.ini"))};

    QProcess first;
    first.setProcessEnvironment(env);
    first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    first.start(QStringLiteral(ZEVO3TOOL_PATH), args);
    ASSERT_TRUE(first.waitForStarted(5000));
    // Wait until the first copy listens.
    QElapsedTimer t;
    t.start();
    bool listening = false;
    while (!listening && t.elapsed() < 20000) {
        for (const QString &name : QDir(dir.path()).entryList(QDir::System | QDir::Files))
            listening = listening || name.startsWith(QStringLiteral("zevo3tool-"));
        QThread::msleep(50);
    }
    ASSERT_TRUE(listening);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(ZEVO3TOOL_PATH), args);
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    if (!first.waitForFinished(10000)) {
        first.kill();
        first.waitForFinished(5000);
    }
}
