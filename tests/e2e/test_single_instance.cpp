// Copies of the window program started together: exactly one runs.

#include "single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace zevo3;

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstanceTest() {
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path()); // private: 0700
        env.insert(QStringLiteral("TMPDIR"), temp.path());
        args = {QStringLiteral("--ini"), temp.filePath(QStringLiteral("z.ini"))};
    }
    ~SingleInstanceTest() override {
        for (auto &p : copies)
            stop(*p);
    }
    QProcess &start() {
        copies.push_back(std::make_unique<QProcess>());
        QProcess &p = *copies.back();
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QStringLiteral(ZEVO3TOOL_PATH), args);
        return p;
    }
    static void stop(QProcess &p) {
        if (p.state() == QProcess::NotRunning) return;
        p.terminate();
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished(5000);
        }
    }
    static bool waitForFile(const QString &path, int ms = 30000) {
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(path)) {
            if (t.elapsed() > ms) return false;
            QThread::msleep(20);
        }
        return true;
    }
    QString socketIn(const QString &folder) const {
        return QDir(folder).filePath(
            SingleInstance::baseNameFor(QStringLiteral("MORIKA ZEVO3 Tool")) +
            QStringLiteral(".sock"));
    }
    int running() const {
        int n = 0;
        for (const auto &p : copies)
            n += p->state() == QProcess::Running ? 1 : 0;
        return n;
    }

    QTemporaryDir runtime;
    QTemporaryDir temp;
    QProcessEnvironment env;
    QStringList args;
    std::vector<std::unique_ptr<QProcess>> copies;
};

} // namespace

TEST_F(SingleInstanceTest, SecondCopyEndsWithoutAWindow) {
    QProcess &first = start();
    ASSERT_TRUE(first.waitForStarted(5000));
    ASSERT_TRUE(waitForFile(socketIn(runtime.path())));
    QProcess &second = start();
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // When the first copy ends, the next one runs.
    stop(first);
    QProcess &third = start();
    ASSERT_TRUE(third.waitForStarted(5000));
    EXPECT_FALSE(third.waitForFinished(3000));
    EXPECT_EQ(third.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, TwentyCopiesStartedTogetherLeaveExactlyOne) {
    constexpr int kCopies = 20;
    for (int i = 0; i < kCopies; ++i)
        start();
    for (const auto &p : copies)
        ASSERT_TRUE(p->waitForStarted(10000));
    // All but one end by themselves.
    QElapsedTimer t;
    t.start();
    while (running() > 1 && t.elapsed() < 120000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    ASSERT_EQ(running(), 1);
    // The survivor stays, and every other copy ended normally.
    t.restart();
    while (t.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(running(), 1);
    for (const auto &p : copies) {
        if (p->state() == QProcess::Running) continue;
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0);
    }
}

TEST_F(SingleInstanceTest, AListenerInAFolderOthersMayWriteIsNotTrusted) {
    // A runtime folder anybody may write to: whoever listens there on the
    // tool's name is not the running copy.
    QTemporaryDir shared;
    QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                             QFileDevice::WriteOther | QFileDevice::ExeOther);
    QLocalServer impostor;
    ASSERT_TRUE(impostor.listen(socketIn(shared.path())));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), shared.path());

    QProcess &copy = start();
    ASSERT_TRUE(copy.waitForStarted(5000));
    EXPECT_FALSE(copy.waitForFinished(3000));
    EXPECT_EQ(copy.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, AFolderNameTakenByAnotherUserDoesNotSwitchTheGuardOff) {
    // No runtime folder, and the temporary folder's name for this user is not
    // a private folder (here: a plain file): the guard moves to the cache.
    QTemporaryDir home;
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    QFile taken(QDir(temp.path()).filePath(QStringLiteral("zevo3tool-%1").arg(::geteuid())));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.close();
    QProcess &first = start();
    ASSERT_TRUE(first.waitForStarted(5000));
    ASSERT_TRUE(waitForFile(socketIn(home.filePath(QStringLiteral("cache/zevo3tool")))));
    QProcess &second = start();
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, ATerminatingSignalClosesTheWindowAndWritesTheSettings) {
    QProcess &copy = start();
    ASSERT_TRUE(copy.waitForStarted(5000));
    ASSERT_TRUE(waitForFile(socketIn(runtime.path())));
    ASSERT_FALSE(QFile::exists(temp.filePath(QStringLiteral("z.ini"))));
    copy.terminate(); // SIGTERM
    ASSERT_TRUE(copy.waitForFinished(20000));
    EXPECT_EQ(copy.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(copy.exitCode(), 0);
    QFile ini(temp.filePath(QStringLiteral("z.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().startsWith("[COMPORT]\r\nPortName=COM1\r\n"));
    // The guard's lock went with it: the next copy runs.
    EXPECT_FALSE(QFile::exists(
        QDir(runtime.path())
            .filePath(SingleInstance::baseNameFor(QStringLiteral("MORIKA ZEVO3 Tool")) +
                      QStringLiteral(".lock"))));
}

TEST_F(SingleInstanceTest, AnOpenThatAsksAQuestionOutlivesTheCopyThatAskedForIt) {
    // The running copy's side, in this process: opening the handed-over file
    // runs a nested event loop (as a message box does), during which the
    // second copy disconnects and its socket goes away.
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    SingleInstance running(QStringLiteral("MORIKA ZEVO3 Tool"));
    ASSERT_TRUE(running.claim());
    QStringList opened;
    QObject::connect(&running, &SingleInstance::openRequested, [&](const QString &path) {
        opened << path;
        QEventLoop question; // as a message box runs one
        QTimer::singleShot(300, &question, &QEventLoop::quit);
        question.exec();
    });
    for (const char *name : {"/t/a.Csv", "/t/b.Csv"}) {
        QLocalSocket second;
        second.connectToServer(socketIn(runtime.path()));
        ASSERT_TRUE(second.waitForConnected(2000));
        second.write("open " + QByteArray(name).toBase64() + "\nopen " +
                     QByteArray(name).toBase64() + "\n");
        second.waitForBytesWritten(2000);
        second.disconnectFromServer();
    }
    QElapsedTimer t;
    t.start();
    while (opened.size() < 4 && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(opened, (QStringList{QStringLiteral("/t/a.Csv"), QStringLiteral("/t/a.Csv"),
                                   QStringLiteral("/t/b.Csv"), QStringLiteral("/t/b.Csv")}));
    qunsetenv("XDG_RUNTIME_DIR");
}
