#pragma once
// SerialDevice on QSerialPort. QSerialPort fills its buffer on the GUI
// thread's event loop; readyRead and errorOccurred wake the receive thread.

#include "input_signal.h"
#include "line_errors.h"
#include "serial_device.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <atomic>

namespace zevo3 {

class QtSerialDevice : public QObject, public SerialDevice {
    Q_OBJECT
public:
    explicit QtSerialDevice(QObject *parent = nullptr);
    ~QtSerialDevice() override;

    bool open(const QString &deviceName, const LineParameters &params) override;
    bool isOpen() const override { return port_.isOpen(); }
    QString openFailureReason() const override { return openFailure_; }
    void clearDtrRts() override;
    void close() override;
    uint32_t errorMask() override;
    int64_t bytesWaiting() override { return port_.bytesAvailable(); }
    int64_t read(char *data, int64_t max) override;
    int64_t write(const QByteArray &data) override;
    bool waitForInput(int timeoutMs) override;
    void wake() override;
    bool inputWaiting() const override { return unread_ || errors_ != 0; }

    // How often the waiting thread looks for the device node (pulled cable).
    static constexpr int kNodeCheckMs = 250;

private:
    void signal();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QString systemLocation_;
    std::atomic<uint32_t> errors_{0};
    std::atomic<bool> open_{false};
    std::atomic<bool> unread_{false}; // the port's buffer holds bytes not yet read
    bool errorCloseQueued_ = false;
    QString openFailure_;

    LineErrorWatch lineErrors_;
    InputSignal input_;
    QElapsedTimer sinceNodeCheck_; // used by the waiting thread only
};

} // namespace zevo3
