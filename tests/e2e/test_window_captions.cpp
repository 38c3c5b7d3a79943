// The captions the X server shows for the tool's windows are the tool's own
// texts, with nothing added by the platform.

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

class WindowCaptions : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty())
            GTEST_SKIP() << "Xvfb and xwininfo are needed";
        // The tool's output goes on to the test's, and is kept to tell why
        // it ended.
        tool.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&tool, &QProcess::readyRead, [this] {
            const QByteArray out = tool.readAll();
            toolOutput += out;
            std::fwrite(out.constData(), 1, size_t(out.size()), stderr);
        });
        startServers();
        ASSERT_FALSE(display.isEmpty()) << "no X server could be started";
    }
    // A server that reported its display may still refuse a client on a
    // busy machine; such a server is replaced, up to three times.
    void startServers() {
        for (int attempt = 0; attempt < 3 && display.isEmpty(); ++attempt) {
            startServer();
            if (display.isEmpty() || !displayAnswers()) {
                std::fprintf(stderr, "display \"%s\" does not answer; starting another server\n",
                             qPrintable(display));
                stop(xvfb);
                display.clear();
            }
        }
    }
    // -displayfd picks a free display and writes its number to stdout.
    void startServer() {
        xvfb.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                    QStringLiteral("tcp")});
        if (!xvfb.waitForStarted(5000)) return;
        QElapsedTimer t;
        t.start();
        while (!xvfb.canReadLine() && t.elapsed() < 15000 && xvfb.state() == QProcess::Running)
            xvfb.waitForReadyRead(100);
        const QByteArray number = xvfb.readLine().trimmed();
        if (!number.isEmpty()) display = QStringLiteral(":") + QString::fromLatin1(number);
    }
    // True once a client can open the display.
    bool displayAnswers() const {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000) {
            QProcess info;
            info.setProcessEnvironment(environment());
            info.start(QStringLiteral("xwininfo"), {QStringLiteral("-root")});
            if (info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit &&
                info.exitCode() == 0)
                return true;
            QThread::msleep(100);
        }
        return false;
    }
    void TearDown() override {
        stop(tool);
        stop(xvfb);
    }
    static void stop(QProcess &p) {
        if (p.state() == QProcess::NotRunning) return;
        p.terminate();
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished(5000);
        }
    }
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        return env;
    }
    void startTool(const QString &ini) { launch({QStringLiteral("--ini"), ini}); }
    void launch(const QStringList &args) {
        toolArgs = args;
        toolOutput.clear();
        tool.setProcessEnvironment(environment());
        tool.start(QStringLiteral(ZEVO3TOOL_PATH), args);
        ASSERT_TRUE(tool.waitForStarted(5000));
    }
    // The names of the top-level windows on the display.
    QStringList windowNames() const {
        QProcess info;
        info.setProcessEnvironment(environment());
        info.start(QStringLiteral("xwininfo"),
                   {QStringLiteral("-root"), QStringLiteral("-children")});
        info.waitForFinished(5000);
        QStringList names;
        static const QRegularExpression line(QStringLiteral("^\\s*0x[0-9a-f]+ \"(.*)\": \\("));
        for (const QString &text : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
            const auto m = line.match(text);
            if (m.hasMatch()) names << m.captured(1);
        }
        return names;
    }
    // Waits for a window whose name starts with `prefix`; returns its name.
    QString waitForWindow(const QString &prefix) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 60000) {
            for (const QString &name : windowNames())
                if (name.startsWith(prefix)) return name;
            // Waiting on the process also brings its state up to date.
            if (tool.waitForFinished(100) || tool.state() == QProcess::NotRunning) {
                toolOutput += tool.readAll();
                // A display that answered a moment ago can still turn the
                // tool away on a busy machine: a new server and the same
                // start, once. Any other end is the tool's own fault.
                if (!retried && toolOutput.contains("platform plugin")) {
                    retried = true;
                    std::fprintf(stderr, "the tool could not use display \"%s\"; a new server\n",
                                 qPrintable(display));
                    stop(xvfb);
                    display.clear();
                    startServers();
                    if (display.isEmpty()) break;
                    launch(toolArgs);
                    continue;
                }
                ADD_FAILURE() << "the tool ended with status " << tool.exitCode();
                return QString();
            }
        }
        return QString();
    }

    QProcess xvfb;
    QProcess tool;
    QStringList toolArgs;
    QByteArray toolOutput;
    bool retried = false;
    QString display;
    QTemporaryDir runtime;
    QTemporaryDir dir;
};

} // namespace

TEST_F(WindowCaptions, MainWindowCarriesTheTitleAndTheExecutablesDate) {
    startTool(dir.filePath(QStringLiteral("z.ini")));
    const QString title = waitForWindow(QStringLiteral("MORIKA ZEVO3 Tool"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^MORIKA ZEVO3 Tool  \\[ Ver\\.\\d{8} \\]$"))
                    .match(title)
                    .hasMatch())
        << title.toStdString();
}

TEST_F(WindowCaptions, MessageBoxCarriesItsCaptionAlone) {
    // A settings "file" that is a folder is refused with a warning at start.
    startTool(dir.path());
    const QString caption = waitForWindow(QStringLiteral("警告"));
    EXPECT_EQ(caption, QStringLiteral("警告"));
}

TEST_F(WindowCaptions, ATableNamedAtStartOrByASecondCopyIsOpenedWithItsLayout) {
    const QString table = QStringLiteral(ZEVO3_EXAMPLES "/remote.Csv");
    // Named at start: Open shows the layout window.
    launch({QStringLiteral("--ini"), dir.filePath(QStringLiteral("z.ini")), table});
    EXPECT_EQ(waitForWindow(QStringLiteral("MORIKA ZEVO3 Tool [ Remocon")),
              QStringLiteral("MORIKA ZEVO3 Tool [ Remocon Setteing ]"));
    stop(tool);
    // Started without a table, then a second copy hands one over and ends.
    startTool(dir.filePath(QStringLiteral("z.ini")));
    ASSERT_FALSE(waitForWindow(QStringLiteral("MORIKA ZEVO3 Tool  [")).isEmpty());
    QProcess second;
    second.setProcessEnvironment(environment());
    second.start(QStringLiteral(ZEVO3TOOL_PATH),
                 {QStringLiteral("--ini"), dir.filePath(QStringLiteral("z.ini")), table});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(waitForWindow(QStringLiteral("MORIKA ZEVO3 Tool [ Remocon")),
              QStringLiteral("MORIKA ZEVO3 Tool [ Remocon Setteing ]"));
    EXPECT_EQ(tool.state(), QProcess::Running);
}
