#pragma once
// A serial device in memory: tests inject the unit's bytes and errors, make
// opens and writes fail, and read back everything the link did.

#include "input_signal.h"
#include "serial_device.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

namespace zevo3::test {

class FakeSerialDevice : public SerialDevice {
public:
    // Names that open; empty means every non-empty name opens.
    QSet<QString> openable;
    bool failAllOpens = false;
    // What a failed open says, as the real device does.
    QString openFailure;
    QString openFailureReason() const override { return openFailure; }
    // Bytes written are cut to this many (-1: all).
    int64_t writeLimit = -1;
    bool failReads = false;
    // Writes take nothing and leave a write error, as a port whose other
    // end stopped reading does after its time-out.
    bool stallWrites = false;
    // Called with each message written (the unit's side: a test answers here).
    std::function<void(const QByteArray &)> onWrite;

    QStringList calls; // "open:<name>", "clearDtrRts", "close"
    QString lastName;
    LineParameters lastParams;
    QByteArray written;
    int writes = 0;
    // Every receive step asks once, and so does the acknowledgement wait.
    int bytesWaitingCalls = 0;

    bool open(const QString &deviceName, const LineParameters &params) override;
    bool isOpen() const override { return open_; }
    void clearDtrRts() override { calls << QStringLiteral("clearDtrRts"); }
    void close() override;
    uint32_t errorMask() override;
    int64_t bytesWaiting() override;
    int64_t read(char *data, int64_t max) override;
    int64_t write(const QByteArray &data) override;
    bool waitForInput(int timeoutMs) override;
    void wake() override { signal_.wake(); }
    bool inputWaiting() const override { return waiting_; }

    // GUI thread: bytes from the unit, and line errors. Injecting no bytes
    // wakes the receive thread as input would.
    void inject(const QByteArray &bytes);
    void injectError(uint32_t mask);

    int waits() const { return signal_.waits(); }

private:
    bool open_ = false;
    QByteArray input_;
    uint32_t errors_ = 0;
    std::atomic<bool> waiting_{false}; // input_ or errors_, for the receive thread
    InputSignal signal_;

    void updateWaiting() { waiting_ = open_ && (!input_.isEmpty() || errors_ != 0); }
};

} // namespace zevo3::test
