#include "link.h"

#include "command_set.h"
#include "link_texts.h"
#include "recv_thread.h"
#include "text_codec.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace zevo3 {

namespace {
// The failure's own text, and below it why, where the device says.
QString invalidHandleText(const QString &reason) {
    return reason.isEmpty() ? texts::invalidHandle()
                            : texts::invalidHandle() + QLatin1Char('\n') + reason;
}
} // namespace

Link::Link(SerialDevice &device, const ComSettings &settings, const TickClock &clock,
           QObject *parent)
    : QObject(parent), device_(device), settings_(settings), clock_(clock) {
}

Link::~Link() {
    ClosePort();
    reapThread();
}

bool Link::OpenPort(bool startReceiver) {
    ClosePort();
    const QString name = toDisplay(settings_.PortName);
    if (!device_.open(deviceNameFor(settings_.PortName), lineParametersFor(settings_))) {
        if (errorReporting_ && observer_)
            observer_->showWarning(invalidHandleText(device_.openFailureReason()),
                                   texts::commOpen());
        if (observer_) observer_->showPortStatus(texts::portOff(name));
        portOpen_ = false;
        receiveRunning_ = false;
        return false;
    }
    portOpen_ = true;
    ++openGeneration_;
    if (startReceiver) {
        assembler_.reset(recvDelimiterMode(settings_.RecvDlmt), uint32_t(settings_.RecvTout));
        pending_ = false;
        stop_ = false;
        lineFailure_ = false;
        receiveRunning_ = true;
        thread_ = std::make_unique<TRecvThread>(*this);
        // Idle scheduling would starve the thread on a busy machine and delay
        // acknowledgements. Lowest asks for the bottom of the normal class;
        // on Linux that is the default priority, which does no harm: the
        // thread only waits and hands steps over.
        thread_->start(QThread::LowestPriority);
    }
    if (errorReporting_) ShowPortName();
    return true;
}

void Link::ClosePort() {
    if (!portOpen_) {
        reapThread();
        return;
    }
    stopReceiver();
    // A line failure handled while we waited may have closed the port already.
    if (portOpen_) closeDevice();
    portOpen_ = false;
    receiveRunning_ = false;
    lineFailure_ = false;
    pending_ = false;
}

void Link::stopReceiver() {
    if (thread_ && receiveRunning_) {
        stop_ = true;
        device_.wake();
        // The thread's step runs on this thread: keep events flowing while
        // waiting, woken by the step hand-overs or a short timer.
        QTimer tick;
        tick.start(5);
        while (receiveRunning_)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    reapThread();
}

void Link::reapThread() {
    if (!thread_) return;
    // Only called when the thread has left its loop (or never ran): it needs
    // no more steps from this thread, so the wait is short.
    stop_ = true;
    device_.wake();
    thread_->wait();
    thread_.reset();
}

void Link::closeDevice() {
    device_.clearDtrRts();
    device_.close();
}

void Link::SendMessage(const QByteArray &text) {
    // A line that failed goes nowhere until the receive thread has closed it.
    if (!portOpen_ || lineFailure_) return;
    const QByteArray message = frameMessage(settings_, text);
    if (device_.errorMask() != 0) {
        if (observer_) observer_->showWarning(texts::sendErrorMask(), texts::appTitle());
        failLine();
        return;
    }
    const int64_t written = device_.write(message);
    if (written != message.size() && observer_)
        observer_->showNotice(
            texts::sendLengthMismatch(message.size(), std::max<int64_t>(written, 0)));
    // A write that stalled (the unit stopped taking bytes) is a line failure,
    // like a device that vanished: closed once, reported once.
    if (device_.errorMask() != 0) failLine();
}

void Link::failLine() {
    lineFailure_ = true;
    if (receiveRunning_) {
        device_.wake(); // the receive thread closes the port and reports it
    } else {
        QTimer::singleShot(0, this, [this] {
            if (lineFailure_) HandleLineFailure();
        });
    }
}

bool Link::WaitForAck(uint32_t timeoutMs) {
    const uint32_t start = clock_.now();
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    for (;;) {
        if (ack_) return true;
        // With the port closed nothing can arrive: no point waiting it out.
        if (!portOpen_) return false;
        const uint32_t elapsed = clock_.now() - start;
        if (elapsed > timeoutMs) return false;
        wake.start(int(std::min<uint32_t>(timeoutMs - elapsed + 1, INT_MAX)));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        // An answer that has just come in is read here at once, rather than
        // after a round through the receive thread: the wait is what the
        // operator (and a download of many messages) waits on.
        if (portOpen_ && !lineFailure_ && !ack_ && device_.bytesWaiting() > 0) {
            ReceiveStep();
            if (lineFailure_) failLine(); // the receive thread closes the port
        }
    }
}

void Link::absorbPendingInput() {
    // Bytes still with the system reach the port's buffer through the event
    // loop; a step then reads them, as the receive thread would have it do.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    while (portOpen_ && !lineFailure_ && ReceiveStep()) {
    }
    if (lineFailure_) failLine();
}

Link::AckResult Link::sendAndWait(const QByteArray &text, uint32_t timeoutMs,
                                  const std::function<void()> &sent) {
    const int generation = openGeneration_;
    absorbPendingInput();
    clearAck();
    SendMessage(text);
    if (sent) sent();
    const bool acknowledged = WaitForAck(timeoutMs);
    if (!portOpen_ || lineFailure_ || openGeneration_ != generation) return AckResult::LineFailed;
    return acknowledged ? AckResult::Acknowledged : AckResult::Silent;
}

void Link::ShowPortName() {
    if (observer_) observer_->showPortStatus(toDisplay(settings_.PortName));
}

bool Link::ReceiveStep() {
    const bool more = readAndAssemble();
    flushLog();
    return more;
}

bool Link::readAndAssemble() {
    if (!portOpen_ || lineFailure_) return false;
    if (device_.errorMask() != 0) {
        lineFailure_ = true;
        return false;
    }
    const int64_t waiting = device_.bytesWaiting();
    bool more = waiting > kStepBytes;
    retryRead_ = false;
    if (waiting > 0) {
        const int64_t got = device_.read(readBuffer_, std::min<int64_t>(waiting, kStepBytes));
        if (got <= 0) {
            // Bytes are waiting but the read gave none: try again on the
            // next tick rather than wait for more input to arrive.
            more = false;
            retryRead_ = true;
        } else if (assembler_.feed(readBuffer_, got, clock_.now(), *this) ==
                   ReceiveAssembler::Result::LineFailure) {
            lineFailure_ = true;
            pending_ = false;
            return false;
        }
    }
    assembler_.finishIfSilent(clock_.now(), *this);
    pending_ = assembler_.pending() || retryRead_;
    return more;
}

void Link::HandleLineFailure() {
    const QString name = toDisplay(settings_.PortName);
    const bool wasOpen = portOpen_;
    if (wasOpen) {
        if (observer_) observer_->showPortStatus(texts::portOff(name));
        closeDevice();
    }
    portOpen_ = false;
    receiveRunning_ = false;
    lineFailure_ = false;
    pending_ = false;
    if (wasOpen) {
        // Shown after the thread has ended, not inside its hand-over.
        QTimer::singleShot(0, this, [this, name] {
            if (observer_) observer_->showWarning(texts::portClosed(name), texts::captionConfirm());
        });
    }
}

void Link::acknowledged() {
    ack_ = true;
}

void Link::messageComplete(const QByteArray &message) {
    FinishMessage(message);
}

void Link::FinishMessage(const QByteArray &message) {
    const QByteArray line = ReceiveAssembler::renderLogLine(message);
    if (line.contains(cmd::kModelWord)) ack_ = true;
    // The lines of a step reach the log together at its end (one layout
    // and one scroll for a burst).
    stepLines_.append(line);
    if (line.contains(cmd::kKeyRowAnswer)) ack_ = true;
}

void Link::flushLog() {
    if (stepLines_.isEmpty()) return;
    QByteArrayList received;
    received.swap(stepLines_);
    if (observer_) observer_->appendLogLines(received);
    // Every line of the step, also those the log's length rule takes out again.
    for (const QByteArray &line : std::as_const(received))
        emit lineReceived(line);
}

} // namespace zevo3
