#include "framing.h"

#include "text_codec.h"

#include <QRegularExpression>

namespace zevo3 {

QByteArray sendHeaderBytes(const QByteArray &sendHead) {
    return sendHead == "STX" ? QByteArray(1, '\x02') : QByteArray();
}

QByteArray sendDelimiterBytes(const QByteArray &sendDlmt) {
    if (sendDlmt == "ETX") return QByteArray(1, '\x03');
    if (sendDlmt == "CR") return QByteArray(1, '\r');
    if (sendDlmt == "LF") return QByteArray(1, '\n');
    if (sendDlmt == "CRLF") return QByteArray("\r\n");
    return QByteArray();
}

QByteArray frameMessage(const ComSettings &com, const QByteArray &text) {
    return sendHeaderBytes(com.SendHead) + text + sendDelimiterBytes(com.SendDlmt);
}

int recvDelimiterMode(const QByteArray &recvDlmt) {
    if (recvDlmt == "ETX") return kRecvEtx;
    if (recvDlmt == "CR") return kRecvCr;
    if (recvDlmt == "LF") return kRecvLf;
    if (recvDlmt == "CRLF") return kRecvCrLf;
    return kRecvNone;
}

int effectiveBaudRate(int baudRate) {
    switch (baudRate) {
    case 1200:
    case 2400:
    case 4800:
    case 9600:
    case 19200:
    case 38400:
    case 56000:
    case 57600:
    case 76800:
    case 115200:
        return baudRate;
    default:
        return 56000;
    }
}

LineParameters lineParametersFor(const ComSettings &com) {
    LineParameters p;
    p.baudRate = effectiveBaudRate(com.BaudRate);
    p.dataBits = com.ByteSize == 8 ? 8 : 7;
    p.stopBits = com.StopBits == 1 ? 1 : 2;
    p.parity = com.Parity_ == "ODD"    ? Parity::Odd
               : com.Parity_ == "EVEN" ? Parity::Even
                                       : Parity::None;
    return p;
}

QString deviceNameFor(const QByteArray &portName, bool windows) {
    // A name with control characters (a NUL byte, a line end) names no port.
    for (const char c : portName)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return QString();
    const QString name = toDisplay(portName);
    if (name.isEmpty()) return name;
    if (windows) return name.size() >= 5 ? QStringLiteral("\\\\.\\") + name : name;
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"));
    const auto match = com.match(name);
    if (match.hasMatch()) {
        bool ok = false;
        const int n = match.captured(1).toInt(&ok);
        if (ok && n >= 1 && n <= 256) return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    }
    // A bare name lies in /dev, as the serial port itself takes it; resolving
    // it here gives the opening and the check that the device is still there
    // the same path.
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1String("./")) ||
        name.startsWith(QLatin1String("../")))
        return name;
    return QStringLiteral("/dev/") + name;
}

QString deviceNameFor(const QByteArray &portName) {
#ifdef Q_OS_WIN
    return deviceNameFor(portName, true);
#else
    return deviceNameFor(portName, false);
#endif
}

} // namespace zevo3
