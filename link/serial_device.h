#pragma once
// The serial port as the link needs it. All calls but waitForInput() and
// wake() are made on the GUI thread.

#include "framing.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace zevo3 {

class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the named port exclusively with 8192-byte queues, the given line
    // parameters and all flow control off.
    virtual bool open(const QString &deviceName, const LineParameters &params) = 0;
    // After a failed open: why, in words for the operator (empty when unknown).
    virtual QString openFailureReason() const { return QString(); }
    virtual bool isOpen() const = 0;
    // Drops DTR, then RTS.
    virtual void clearDtrRts() = 0;
    virtual void close() = 0;

    // Non-zero when the line saw an error (framing, overrun, a failed read or
    // write, the device gone) since it was opened.
    virtual uint32_t errorMask() = 0;
    virtual int64_t bytesWaiting() = 0;
    // Reads up to max bytes that are already waiting; never blocks. -1 on failure.
    virtual int64_t read(char *data, int64_t max) = 0;
    // Writes the whole message, blocking; returns the number of bytes written.
    virtual int64_t write(const QByteArray &data) = 0;

    // Thread-safe. Blocks the caller until input or an error may be waiting,
    // wake() is called, or timeoutMs pass. True when input or an error was
    // signalled since the last call.
    virtual bool waitForInput(int timeoutMs) = 0;
    virtual void wake() = 0;
    // Thread-safe. False only when every byte the device has taken in has
    // been read and no error is waiting: a wake-up then needs no receive
    // step (the acknowledgement wait read the answer first). A device that
    // cannot tell says true.
    virtual bool inputWaiting() const { return true; }
};

// Milliseconds that wrap at 32 bits, like the system tick counter.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual uint32_t now() const = 0;
};

} // namespace zevo3
