#pragma once
// The link to the unit: opening and closing the port, the one framed send,
// the wait for an acknowledgement, and the receive step that the receive
// thread has the GUI thread run. It depends on no window: it reports through
// LinkObserver, which the main window and a command-line front end implement.

#include "receive_assembler.h"
#include "serial_device.h"
#include "settings.h"

#include <QByteArrayList>
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

namespace zevo3 {

class TRecvThread;

class LinkObserver {
public:
    virtual ~LinkObserver() = default;
    // Status bar panel 0 (port) and panel 1 (notices).
    virtual void showPortStatus(const QString &text) = 0;
    virtual void showNotice(const QString &text) = 0;
    // A warning with an OK button.
    virtual void showWarning(const QString &text, const QString &caption) = 0;
    // The receive log (which keeps its own length).
    virtual void appendLogLine(const QByteArray &line) = 0;
    // The lines of one receive step, in order.
    virtual void appendLogLines(const QByteArrayList &lines) {
        for (const QByteArray &line : lines)
            appendLogLine(line);
    }
};

class Link : public QObject, private ReceiveSink {
    Q_OBJECT
public:
    // Bytes one receive step takes at the most, the size of the input queue.
    static constexpr int kStepBytes = 8192;

    Link(SerialDevice &device, const ComSettings &settings, const TickClock &clock,
         QObject *parent = nullptr);
    ~Link() override;

    void setObserver(LinkObserver *observer) { observer_ = observer; }

    bool OpenPort(bool startReceiver = true);
    void ClosePort();
    void SendMessage(const QByteArray &text);
    bool WaitForAck(uint32_t timeoutMs);
    // Takes in what the unit has sent and the tool not yet read (an answer
    // to an earlier message that came late), so that clearing the
    // acknowledgement afterwards really waits for the next one.
    void absorbPendingInput();
    // One acknowledged message, as a registration sends each: takes in what
    // is waiting (a late answer must not count), clears the flag, sends,
    // runs `sent` (the caller logs the message there), and waits. An answer
    // counts only when the port stayed open as it was: not closed, nor
    // closed and opened again meanwhile (a settings dialog in between).
    enum class AckResult { Acknowledged, Silent, LineFailed };
    AckResult sendAndWait(const QByteArray &text, uint32_t timeoutMs,
                          const std::function<void()> &sent = {});
    void ShowPortName();

    bool portOpen() const { return portOpen_; }
    // Counts the opens: a long operation that sees it change knows the port
    // was closed and opened again under it (a settings dialog in between).
    int openGeneration() const { return openGeneration_; }
    bool receiveRunning() const { return receiveRunning_; }
    bool lineFailure() const { return lineFailure_; }
    bool ackFlag() const { return ack_; }
    void clearAck() { ack_ = false; }
    void setAck() { ack_ = true; }
    bool errorReporting() const { return errorReporting_; }
    void setErrorReporting(bool on) { errorReporting_ = on; }
    const ComSettings &settings() const { return settings_; }

    // Run on the GUI thread by the receive thread. Returns true when more
    // input is waiting than one step takes.
    bool ReceiveStep();
    // Run on the GUI thread when a step ended in a line failure.
    void HandleLineFailure();
    // Read by the receive thread: a message is in progress (its silence
    // time-out needs ticks), or a read failed and is to be tried again.
    bool messagePending() const { return pending_; }
    bool stopRequested() const { return stop_; }
    void receiverEnded() { receiveRunning_ = false; }
    SerialDevice &device() { return device_; }

signals:
    // Emitted after a line reached the log, at the end of the receive step: the
    // receive thread waits for it, so slots must not open or close the port
    // or wait; they queue such work instead.
    void lineReceived(const QByteArray &line);

private:
    void acknowledged() override;
    void messageComplete(const QByteArray &message) override;
    void FinishMessage(const QByteArray &message);
    bool readAndAssemble();
    void flushLog();
    void failLine();
    void stopReceiver();
    void reapThread();
    void closeDevice();

    SerialDevice &device_;
    const ComSettings &settings_;
    const TickClock &clock_;
    LinkObserver *observer_ = nullptr;

    ReceiveAssembler assembler_;
    std::unique_ptr<TRecvThread> thread_;

    // GUI-thread state.
    bool portOpen_ = false;
    bool ack_ = false;
    bool errorReporting_ = false;
    bool retryRead_ = false;
    QByteArrayList stepLines_; // the step's lines, for the log and lineReceived
    int openGeneration_ = 0;
    // Crosses threads.
    std::atomic<bool> receiveRunning_{false};
    std::atomic<bool> lineFailure_{false};
    std::atomic<bool> stop_{false};
    std::atomic<bool> pending_{false};
    char readBuffer_[kStepBytes];
};

} // namespace zevo3
