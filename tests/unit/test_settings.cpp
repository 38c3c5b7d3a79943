#include "ini_file.h"
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    wave.L_Time__ = 1;
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
    EXPECT_EQ(com.Parity__, "Odd");
    EXPECT_EQ(com.SendDlmt, "crlf");
    EXPECT_EQ(com.RecvTout, 500);
    EXPECT_EQ(wave.H_Range_, 20);
    EXPECT_EQ(wave.W_Range_, 15);
    EXPECT_EQ(wave.L_Time__, 0); // only the two ranges are replaced

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

TEST_F(SettingsFileTest, LongValuesAreCutAt2047Bytes) {
    const IniFile ini = IniFile::parse("[A]\nK=" + QByteArray(5000, 'x') + "\n");
    EXPECT_EQ(ini.readString("A", "K", "").size(), 2047);
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
