#pragma once
// How the settings turn into bytes on the line: the header and delimiter of
// every sent message, the receive delimiter mode, the line parameters and
// the device name handed to the serial port.

#include "settings.h"

#include <QByteArray>
#include <QString>

namespace zevo3 {

enum class Parity { None, Odd, Even };

struct LineParameters {
    int baudRate = 57600;
    int dataBits = 8;
    int stopBits = 1;
    Parity parity = Parity::None;
    bool operator==(const LineParameters &) const = default;
};

// Receive delimiter modes: 0 none, 1 ETX, 2 CR, 3 LF, 4 CR LF.
enum RecvMode { kRecvNone = 0, kRecvEtx = 1, kRecvCr = 2, kRecvLf = 3, kRecvCrLf = 4 };

QByteArray sendHeaderBytes(const QByteArray &sendHead);
QByteArray sendDelimiterBytes(const QByteArray &sendDlmt);
QByteArray frameMessage(const ComSettings &com, const QByteArray &text);
int recvDelimiterMode(const QByteArray &recvDlmt);

// Rates outside the list the unit supports run the line at 56000 bit/s.
int effectiveBaudRate(int baudRate);
LineParameters lineParametersFor(const ComSettings &com);

// The name handed to the serial port. On Windows a name of five or more
// characters gets the "\\.\" prefix; elsewhere COMn means /dev/ttyS(n-1), so
// settings files move between systems, a path is used as it is and a bare
// name is taken in /dev. A name holding control characters gives an empty
// name, which opens nothing.
QString deviceNameFor(const QByteArray &portName, bool windows);
QString deviceNameFor(const QByteArray &portName);

} // namespace zevo3
