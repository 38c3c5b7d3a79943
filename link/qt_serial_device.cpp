#include "qt_serial_device.h"

#include "open_failure.h"

#include <QFileInfo>
#include <cerrno>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zevo3 {

namespace {
constexpr uint32_t kErrorResource = 1u << 0;
constexpr uint32_t kErrorRead = 1u << 1;
constexpr uint32_t kErrorWrite = 1u << 2;
constexpr uint32_t kErrorOther = 1u << 3;
constexpr uint32_t kErrorNodeGone = 1u << 4;
constexpr uint32_t kErrorLine = 1u << 5; // framing, parity, overrun or break counted by the driver
// A write that moves no byte for this long is a line failure: the unit
// stopped taking bytes.
constexpr int kWriteStallMs = 1000;
} // namespace

QtSerialDevice::QtSerialDevice(QObject *parent) : QObject(parent) {
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        unread_ = true;
        signal();
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialDevice::onError);
}

QtSerialDevice::~QtSerialDevice() {
    close();
}

bool QtSerialDevice::open(const QString &deviceName, const LineParameters &params) {
    close();
    errors_ = 0;
    errorCloseQueued_ = false;
    openFailure_.clear();
    if (deviceName.isEmpty()) return false;
    // The link hands over a resolved path (or a Windows name): the port opens
    // it and the device-gone check looks for it, the same name for both.
    port_.setPortName(deviceName);
    systemLocation_ = deviceName;
    port_.setReadBufferSize(0); // unlimited: nothing the unit sends is dropped here
    if (!port_.open(QIODevice::ReadWrite)) {
        errors_ = 0;
        OpenFailureFacts facts;
        facts.device = deviceName;
        switch (port_.error()) {
        case QSerialPort::DeviceNotFoundError:
            facts.kind = OpenFailure::NotPresent;
            break;
        case QSerialPort::PermissionError:
            facts = examinePermissionFailure(deviceName);
            break;
        default:
            facts.system = port_.errorString();
            break;
        }
        openFailure_ = openFailureText(facts);
        return false;
    }
    // The driver may refuse some parameters (a pseudo-terminal ignores the
    // rate); the port counts as open all the same.
    port_.setBaudRate(params.baudRate);
    port_.setDataBits(params.dataBits == 8 ? QSerialPort::Data8 : QSerialPort::Data7);
    port_.setStopBits(params.stopBits == 1 ? QSerialPort::OneStop : QSerialPort::TwoStop);
    port_.setParity(params.parity == Parity::Odd    ? QSerialPort::OddParity
                    : params.parity == Parity::Even ? QSerialPort::EvenParity
                                                    : QSerialPort::NoParity);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
    port_.clearError();
    errors_ = 0;
    lineErrors_.start(readLineErrorCounts(int(port_.handle())));
    input_.reset();
    unread_ = port_.bytesAvailable() > 0;
    open_ = true;
    return true;
}

void QtSerialDevice::clearDtrRts() {
    if (!port_.isOpen()) return;
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
}

void QtSerialDevice::close() {
    open_ = false;
    unread_ = false;
    if (port_.isOpen()) port_.close();
    port_.clearError();
}

void QtSerialDevice::onError(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::OpenError:
    case QSerialPort::NotOpenError:
    case QSerialPort::UnsupportedOperationError: // modem lines on a pseudo-terminal
    case QSerialPort::TimeoutError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
        return;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
        // After a hang-up the port reports this again and again, as fast as
        // the event loop turns: stop reading at once. The link still sees the
        // error and runs its line failure, which closes the port for good.
        errors_ |= error == QSerialPort::ResourceError ? kErrorResource : kErrorRead;
        if (port_.isOpen() && !errorCloseQueued_) {
            errorCloseQueued_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (port_.isOpen()) port_.close();
                },
                Qt::QueuedConnection);
        }
        break;
    case QSerialPort::WriteError:
        errors_ |= kErrorWrite;
        break;
    default:
        errors_ |= kErrorOther;
        break;
    }
    signal();
}

uint32_t QtSerialDevice::errorMask() {
    if (!open_) return 0;
    // Called before each send and each receive step, on the GUI thread.
    if (lineErrors_.active() && port_.isOpen() &&
        lineErrors_.rose(readLineErrorCounts(int(port_.handle()))))
        errors_ |= kErrorLine;
    return errors_.load();
}

int64_t QtSerialDevice::read(char *data, int64_t max) {
    if (!port_.isOpen()) return -1;
    const int64_t got = port_.read(data, max);
    unread_ = port_.bytesAvailable() > 0;
    return got;
}

int64_t QtSerialDevice::write(const QByteArray &data) {
    if (!port_.isOpen()) return 0;
    // With nothing queued before it, the message goes to the driver at once,
    // as far as the driver takes it: no round through the port's buffer and
    // its write notifier. Whatever is left (a full driver, or an error the
    // port then reports as always) is queued behind it.
    qint64 direct = 0;
#ifdef Q_OS_UNIX
    if (port_.bytesToWrite() == 0) {
        const int fd = int(port_.handle());
        while (direct < data.size()) {
            const ssize_t n = ::write(fd, data.constData() + direct, size_t(data.size() - direct));
            if (n > 0)
                direct += n;
            else if (n < 0 && errno == EINTR)
                continue;
            else
                break;
        }
        if (direct == data.size()) return direct;
    }
#endif
    const qint64 queued = port_.write(data.constData() + direct, data.size() - direct);
    if (queued < 0) {
        errors_ |= kErrorWrite;
        return direct;
    }
    // Block until the bytes are with the driver, as a synchronous write would,
    // as long as they keep moving.
    while (port_.isOpen() && port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(kWriteStallMs)) {
            errors_ |= kErrorWrite;
            break;
        }
    }
    const int64_t unwritten = port_.isOpen() ? port_.bytesToWrite() : queued;
    return direct + queued - unwritten;
}

void QtSerialDevice::signal() {
    input_.signal();
}

void QtSerialDevice::wake() {
    input_.wake();
}

bool QtSerialDevice::waitForInput(int timeoutMs) {
    // A pulled cable may leave no error behind while nothing is read or
    // written: look for the device node now and then.
    if (!sinceNodeCheck_.isValid() || sinceNodeCheck_.elapsed() >= kNodeCheckMs) {
        sinceNodeCheck_.start();
        if (open_ && systemLocation_.startsWith(QLatin1Char('/')) &&
            !QFileInfo::exists(systemLocation_)) {
            errors_ |= kErrorNodeGone;
            input_.signal();
        }
    }
    return input_.wait(timeoutMs);
}

} // namespace zevo3
