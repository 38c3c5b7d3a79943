#include "framing.h"

#include <gtest/gtest.h>

using namespace zevo3;

TEST(Framing, HeaderAndDelimiterFollowTheExactWords) {
    EXPECT_EQ(sendHeaderBytes("STX"), QByteArray("\x02"));
    EXPECT_EQ(sendHeaderBytes(kNone), QByteArray());
    EXPECT_EQ(sendHeaderBytes("stx"), QByteArray());
    EXPECT_EQ(sendDelimiterBytes("ETX"), QByteArray("\x03"));
    EXPECT_EQ(sendDelimiterBytes("CR"), QByteArray("\r"));
    EXPECT_EQ(sendDelimiterBytes("LF"), QByteArray("\n"));
    EXPECT_EQ(sendDelimiterBytes("CRLF"), QByteArray("\r\n"));
    EXPECT_EQ(sendDelimiterBytes("crlf"), QByteArray());
    EXPECT_EQ(sendDelimiterBytes(kNone), QByteArray());
}

TEST(Framing, MessagesGetHeaderTextAndDelimiter) {
    ComSettings com;
    com.SendHead = "STX";
    com.SendDlmt = "ETX";
    EXPECT_EQ(frameMessage(com, "Ver"), QByteArray("\x02\x56\x65\x72\x03"));
    com = ComSettings();
    EXPECT_EQ(frameMessage(com, "Ver"), QByteArray("Ver\r\n"));
    // CP932 text goes out byte for byte.
    EXPECT_EQ(frameMessage(com, "\x83\x65"), QByteArray("\x83\x65\r\n"));
}

TEST(Framing, ReceiveModes) {
    EXPECT_EQ(recvDelimiterMode("ETX"), 1);
    EXPECT_EQ(recvDelimiterMode("CR"), 2);
    EXPECT_EQ(recvDelimiterMode("LF"), 3);
    EXPECT_EQ(recvDelimiterMode("CRLF"), 4);
    EXPECT_EQ(recvDelimiterMode(kNone), 0);
    EXPECT_EQ(recvDelimiterMode("Crlf"), 0);
}

TEST(Framing, LineParameters) {
    for (int rate : {1200, 2400, 4800, 9600, 19200, 38400, 56000, 57600, 76800, 115200})
        EXPECT_EQ(effectiveBaudRate(rate), rate);
    EXPECT_EQ(effectiveBaudRate(14400), 56000);
    EXPECT_EQ(effectiveBaudRate(0), 56000);
    ComSettings com;
    com.ByteSize = 9;
    com.StopBits = 0;
    com.Parity_ = "Odd";
    LineParameters p = lineParametersFor(com);
    EXPECT_EQ(p.dataBits, 7);
    EXPECT_EQ(p.stopBits, 2);
    EXPECT_EQ(p.parity, Parity::None);
    com.Parity_ = "EVEN";
    EXPECT_EQ(lineParametersFor(com).parity, Parity::Even);
    com.Parity_ = "ODD";
    EXPECT_EQ(lineParametersFor(com).parity, Parity::Odd);
    EXPECT_EQ(lineParametersFor(ComSettings()), (LineParameters{57600, 8, 1, Parity::None}));
}

TEST(Framing, DeviceNames) {
    EXPECT_EQ(deviceNameFor("COM9", true), QStringLiteral("COM9"));
    EXPECT_EQ(deviceNameFor("COM10", true), QStringLiteral("\\\\.\\COM10"));
    EXPECT_EQ(deviceNameFor("", true), QString());
    EXPECT_EQ(deviceNameFor("COM1", false), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(deviceNameFor("COM10", false), QStringLiteral("/dev/ttyS9"));
    EXPECT_EQ(deviceNameFor("/dev/ttyUSB0", false), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(deviceNameFor("ttyUSB0", false), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(deviceNameFor("pts/3", false), QStringLiteral("/dev/pts/3"));
    EXPECT_EQ(deviceNameFor("./tty", false), QStringLiteral("./tty"));
    EXPECT_EQ(deviceNameFor("COM0", false), QStringLiteral("/dev/COM0"));
    EXPECT_EQ(deviceNameFor("com3", false), QStringLiteral("/dev/com3"));
    // Control characters name no port, on either system.
    for (bool windows : {false, true}) {
        EXPECT_EQ(deviceNameFor(QByteArray("COM1\0x", 6), windows), QString());
        EXPECT_EQ(deviceNameFor("tty\nUSB0", windows), QString());
        EXPECT_EQ(deviceNameFor("tty\x7f", windows), QString());
    }
}
