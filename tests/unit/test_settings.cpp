#include "ini_file.h"
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zevo3;

namespace {

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kDefaultFile = "[COMPORT]\r\n"
                                "PortName=COM1\r\n"
                                "BaudRate=57600\r\n"
                                "ByteSize=8\r\n"
                                "StopBits=1\r\n"
                                "Parity__=NONE\r\n"
                                "SendHead=\x96\xb3\x82\xb5\r\n"
                                "SendDlmt=CRLF\r\n"
                                "RecvDlmt=CRLF\r\n"
                                "RecvTout=100\r\n"
                                "[WAVE]\r\n"
                                "H_Range_=20\r\n"
                                "W_Range_=15\r\n"
                                "L_Time__=500000\r\n";

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("zevo3tool.ini")); }
};

} // namespace

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndWritesThemInKeyOrder) {
    ComSettings com;
    com.PortName = "junk";
    WaveSettings wave;
    wave.L_Time_ = 1;
    ReadSettings(path(), com, wave);
    EXPECT_EQ(com, ComSettings());
    EXPECT_EQ(wave, WaveSettings());
    ASSERT_TRUE(WriteSettings(path(), com, wave));
    EXPECT_EQ(readAll(path()), kDefaultFile);
    EXPECT_EQ(kNone.size(), 4);
}

TEST_F(SettingsFileTest, ValuesOutsideTheirListsStayAsRead) {
    writeAll(path(), "[COMPORT]\nBaudRate=14400\nByteSize=9\nStopBits=0\nParity__=Odd\n"
                     "SendDlmt=crlf\nRecvTout=0x1F4\n[WAVE]\nH_Range_=0\nW_Range_=0\nL_Time__=0\n");
    ComSettings com;
    WaveSettings wave;
    ReadSettings(path(), com, wave);
    EXPECT_EQ(com.BaudRate, 14400);
    EXPECT_EQ(com.ByteSize, 9);
    EXPECT_EQ(com.StopBits, 0);
    EXPECT_EQ(com.Parity_, "Odd");
    EXPECT_EQ(com.SendDlmt, "crlf");
    EXPECT_EQ(com.RecvTout, 500);
    EXPECT_EQ(wave.H_Range_, 20);
    EXPECT_EQ(wave.W_Range_, 15);
    EXPECT_EQ(wave.L_Time_, 0); // only the two ranges are replaced

    ASSERT_TRUE(WriteSettings(path(), com, wave));
    const QByteArray written = readAll(path());
    EXPECT_TRUE(written.contains("BaudRate=14400\r\n"));
    EXPECT_TRUE(written.contains("H_Range_=20\r\n"));
    EXPECT_TRUE(written.contains("RecvTout=500\r\n"));
    EXPECT_FALSE(written.contains('\n' + QByteArray("\n")));
}

TEST_F(SettingsFileTest, IntegersAcceptDecimalAndHexOnly) {
    struct Case {
        const char *text;
        int expected;
    } cases[] = {{"500", 500},       {"-7", -7},           {"+12", 12},  {"0x1F4", 500},
                 {"0X1f4", 500},     {"$1F4", 500},        {"abc", 100}, {"", 100},
                 {"12abc", 100},     {"0x", 100},          {"$", 100},   {"99999999999", 100},
                 {"0xFFFFFFFF", -1}, {"0x100000000", 100}, {" 42 ", 42}, {"4 2", 100}};
    for (const Case &c : cases) {
        const IniFile ini = IniFile::parse(QByteArray("[COMPORT]\r\nRecvTout=") + c.text + "\r\n");
        EXPECT_EQ(ini.readInteger("COMPORT", "RecvTout", 100), c.expected) << c.text;
    }
}

TEST_F(SettingsFileTest, NamesIgnoreCaseValuesDoNot) {
    const IniFile ini =
        IniFile::parse("[comport]\rportname=com3\rSENDHEAD=\r[Wave]\rl_time__=2500");
    EXPECT_EQ(ini.readString("COMPORT", "PortName", "COM1"), "com3");
    EXPECT_EQ(ini.readString("COMPORT", "SendHead", "x"), ""); // present but empty
    EXPECT_EQ(ini.readString("COMPORT", "SendDlmt", "CRLF"), "CRLF");
    EXPECT_EQ(ini.readInteger("WAVE", "L_Time__", 1), 2500);
    EXPECT_EQ(ini.readString("NOSUCH", "PortName", "d"), "d");
}

TEST_F(SettingsFileTest, RewriteKeepsOtherContentAndReplacesValuesInPlace) {
    writeAll(path(), "; operator's notes\r\n[WAVE]\r\nl_time__=2500\r\n\r\n[OTHER]\r\nKeep=me\r\n"
                     "[COMPORT]\r\nportname=COM7\r\n");
    ComSettings com;
    WaveSettings wave;
    ReadSettings(path(), com, wave);
    EXPECT_EQ(com.PortName, "COM7");
    ASSERT_TRUE(WriteSettings(path(), com, wave));
    const QByteArray text = readAll(path());
    EXPECT_TRUE(
        text.startsWith("; operator's notes\r\n[WAVE]\r\nl_time__=2500\r\nH_Range_=20\r\n"));
    EXPECT_TRUE(text.contains("[OTHER]\r\nKeep=me\r\n"));
    EXPECT_TRUE(text.contains("portname=COM7\r\nBaudRate=57600\r\n"));
    EXPECT_EQ(text.count("[COMPORT]"), 1);
}

TEST_F(SettingsFileTest, Cp932ValuesRoundTripAsBytes) {
    ComSettings com;
    com.PortName = "\x83\x7c\x81\x5b\x83\x67"; // "ポート"
    WaveSettings wave;
    ASSERT_TRUE(WriteSettings(path(), com, wave));
    ComSettings back;
    ReadSettings(path(), back, wave);
    EXPECT_EQ(back.PortName, com.PortName);
    EXPECT_EQ(back.SendHead, kNone);
}

TEST_F(SettingsFileTest, LongValuesAreKeptWhole) {
    // A value of 3197 bytes comes back whole after a rewrite at close.
    const QByteArray port = "/dev/" + QByteArray(3192, 'p');
    writeAll(path(),
             "[COMPORT]\r\nPortName=" + port + "\r\nOther=" + QByteArray(5000, 'o') + "\r\n");
    ComSettings com;
    WaveSettings wave;
    ASSERT_TRUE(ReadSettings(path(), com, wave));
    EXPECT_EQ(com.PortName, port);
    ASSERT_TRUE(WriteSettings(path(), com, wave));
    const QByteArray written = readAll(path());
    EXPECT_TRUE(written.contains("PortName=" + port + "\r\n"));
    EXPECT_TRUE(written.contains("Other=" + QByteArray(5000, 'o') + "\r\n"));
}

TEST_F(SettingsFileTest, OddFilesAreRefusedWithDefaultsAndWithoutBlocking) {
    const QString fifo = dir.filePath(QStringLiteral("fifo.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = dir.filePath(QStringLiteral("big.ini"));
    writeAll(big, "[COMPORT]\r\nPortName=COM7\r\n" + QByteArray(2 * 1024 * 1024, '\n'));
    for (const QString &odd : {QStringLiteral("/dev/zero"), fifo, big, dir.path()}) {
        SCOPED_TRACE(odd.toStdString());
        ComSettings com;
        com.PortName = "changed";
        WaveSettings wave;
        wave.L_Time_ = 1;
        QString problem;
        EXPECT_FALSE(ReadSettings(odd, com, wave, &problem));
        EXPECT_FALSE(problem.isEmpty());
        EXPECT_EQ(com, ComSettings());
        EXPECT_EQ(wave, WaveSettings());
    }
    // A file of exactly the limit is still a settings file; a missing one is
    // no problem at all.
    writeAll(big,
             "[COMPORT]\r\nPortName=COM7\r\n;" + QByteArray(int(IniFile::kMaxFileBytes) - 29, 'x'));
    ComSettings com;
    WaveSettings wave;
    EXPECT_TRUE(ReadSettings(big, com, wave));
    EXPECT_EQ(com.PortName, "COM7");
    EXPECT_TRUE(ReadSettings(dir.filePath(QStringLiteral("none.ini")), com, wave));
}

TEST_F(SettingsFileTest, WriteFailingPartWayLeavesTheOldFileWhole) {
    // A file system that takes no more than 64 bytes from this process, as a
    // full disk would: the write fails part way.
    writeAll(path(), kDefaultFile);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            64, 64
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ComSettings com;
        com.PortName = "COM9";
        QString error;
        const bool saved = WriteSettings(path(), com, WaveSettings(), &error);
        ::_exit(saved ? 0 : error.isEmpty() ? 2 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1); // failed, with a reason
    EXPECT_EQ(readAll(path()), kDefaultFile);
    // Nothing left behind beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{QStringLiteral("zevo3tool.ini")});
}

TEST_F(SettingsFileTest, LinksAreFollowedToTheFileTheyName) {
    // z.ini -> l2.ini -> real.ini: the real file is updated, the links stay.
    QDir(dir.path()).mkpath(QStringLiteral("a"));
    writeAll(dir.filePath(QStringLiteral("real.ini")), "[COMPORT]\r\nPortName=COM2\r\n");
    ASSERT_TRUE(QFile::link(QStringLiteral("real.ini"), dir.filePath(QStringLiteral("l2.ini"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("../l2.ini"), dir.filePath(QStringLiteral("a/z.ini"))));
    ComSettings com;
    com.PortName = "COM8";
    ASSERT_TRUE(WriteSettings(dir.filePath(QStringLiteral("a/z.ini")), com, WaveSettings()));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("l2.ini"))).isSymLink());
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("a/z.ini"))).isSymLink());
    EXPECT_TRUE(readAll(dir.filePath(QStringLiteral("real.ini"))).contains("PortName=COM8\r\n"));
}

TEST_F(SettingsFileTest, ASaveThatTheNextStartWouldRefuseIsNotWritten) {
    const QByteArray nearLimit =
        "[COMPORT]\r\nPortName=" + QByteArray(int(IniFile::kMaxFileBytes) - 40, 'p') + "\r\n";
    writeAll(path(), nearLimit);
    ComSettings com;
    WaveSettings wave;
    ASSERT_TRUE(ReadSettings(path(), com, wave));
    QString error;
    EXPECT_FALSE(WriteSettings(path(), com, wave, &error)); // the other keys would not fit
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path()), nearLimit);
}

TEST_F(SettingsFileTest, ReplacingKeepsModeAndOwner) {
    writeAll(path(), kDefaultFile);
    ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    const uid_t nobody = 65534;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(path()).constData(), nobody, nobody), 0);
    }
    ComSettings com;
    com.PortName = "COM4";
    ASSERT_TRUE(WriteSettings(path(), com, WaveSettings()));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, nobody);
        EXPECT_EQ(st.st_gid, nobody);
    }
    EXPECT_TRUE(readAll(path()).contains("PortName=COM4\r\n"));
}

TEST_F(SettingsFileTest, FailedWriteLeavesTheFileAndReports) {
    writeAll(path(), "[COMPORT]\r\nPortName=COM5\r\n");
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    ComSettings com;
    WaveSettings wave;
    QString error;
    EXPECT_FALSE(WriteSettings(path(), com, wave, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readAll(path()), "[COMPORT]\r\nPortName=COM5\r\n");

    EXPECT_FALSE(WriteSettings(dir.filePath(QStringLiteral("no/such/dir/x.ini")), com, wave));
    EXPECT_EQ(settingsWriteErrorText(QStringLiteral("/a/b.ini")),
              QStringLiteral("NG ... /a/b.ini"));
}

TEST(SettingsPath, BesideTheExecutableWithIniExtension) {
    EXPECT_EQ(settingsPathFor(QStringLiteral("/opt/zevo3/zevo3tool")),
              QStringLiteral("/opt/zevo3/zevo3tool.ini"));
    EXPECT_EQ(settingsPathFor(QStringLiteral("/opt/zevo3/zevo3tool.exe")),
              QStringLiteral("/opt/zevo3/zevo3tool.ini"));
}

TEST(IniFile, ByteOrderMarkIsKeptAsFound) {
    const QByteArray text = "\xEF\xBB\xBF[COMPORT]\r\nPortName=COM3\r\n";
    IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.readString("COMPORT", "PortName", ""), "COM3");
    EXPECT_EQ(ini.serialize(), text);
    // A second mark is no mark: it hides the section, now and after a rewrite.
    IniFile twice = IniFile::parse("\xEF\xBB\xBF" + text);
    EXPECT_EQ(twice.readString("COMPORT", "PortName", "none"), "none");
    EXPECT_EQ(IniFile::parse(twice.serialize()).readString("COMPORT", "PortName", "none"), "none");
}

TEST(SettingsPath, BesideAWritableProgramElseInTheUsersConfigFolder) {
    const auto writable = [](const QString &) { return true; };
    const auto readOnly = [](const QString &) { return false; };
    EXPECT_EQ(chooseSettingsPath(QStringLiteral("/opt/zevo3/zevo3tool"), writable),
              QStringLiteral("/opt/zevo3/zevo3tool.ini"));

    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/home/op/.cfg");
    EXPECT_EQ(chooseSettingsPath(QStringLiteral("/usr/bin/zevo3tool"), readOnly),
              QStringLiteral("/home/op/.cfg/zevo3tool/zevo3tool.ini"));
    // Unset, or not an absolute path: ~/.config.
    // The system's program folders even where they can be written, as for root.
    EXPECT_EQ(chooseSettingsPath(QStringLiteral("/usr/bin/zevo3tool"), writable),
              QStringLiteral("/home/op/.cfg/zevo3tool/zevo3tool.ini"));
    EXPECT_EQ(chooseSettingsPath(QStringLiteral("/usr/local/bin/../bin/zevo3tool"), writable),
              QStringLiteral("/home/op/.cfg/zevo3tool/zevo3tool.ini"));
    for (const char *value : {"", "relative/cfg"}) {
        qputenv("XDG_CONFIG_HOME", value);
        EXPECT_EQ(chooseSettingsPath(QStringLiteral("/usr/bin/zevo3tool"), readOnly),
                  QDir::homePath() + QStringLiteral("/.config/zevo3tool/zevo3tool.ini"));
    }
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);

    // The machine's own answer for a folder this test can write; a folder
    // every user may write (where another user's file would be read) is
    // passed over.
    QTemporaryDir dir;
    EXPECT_EQ(chooseSettingsPath(dir.filePath(QStringLiteral("zevo3tool"))),
              dir.filePath(QStringLiteral("zevo3tool.ini")));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 01777), 0);
    EXPECT_NE(chooseSettingsPath(dir.filePath(QStringLiteral("zevo3tool"))),
              dir.filePath(QStringLiteral("zevo3tool.ini")));
    // Without HOME, the password file's home folder, never "/".
    const QByteArray home = qgetenv("HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_FALSE(chooseSettingsPath(QStringLiteral("/usr/bin/zevo3tool")).startsWith("//"));
    qputenv("HOME", home);
    if (!saved.isNull()) qputenv("XDG_CONFIG_HOME", saved);
}

TEST(SettingsPath, TheFolderIsMadeForItsUserAloneOrItsFailureSaysWhy) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral(".config/zevo3tool"));
    QString error;
    ASSERT_TRUE(makeSettingsFolder(folder, &error)) << error.toStdString();
    for (const QString &made : {dir.filePath(QStringLiteral(".config")), folder}) {
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(made).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made.toStdString();
    }
    EXPECT_TRUE(makeSettingsFolder(folder)) << "made already";
    // Under a file: the folder that cannot be made, and why.
    QFile file(dir.filePath(QStringLiteral("home")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(
        makeSettingsFolder(dir.filePath(QStringLiteral("home/.config/zevo3tool")), &error));
    EXPECT_TRUE(error.contains(dir.filePath(QStringLiteral("home/.config"))))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(ENOTDIR))));
}
