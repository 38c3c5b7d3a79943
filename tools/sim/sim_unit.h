// Simulated ZEVO3 unit on a Linux pseudo-terminal.
//
// The unit side is the pty master; the tool opens the slave (devicePath() or
// the optional link path) exactly as it would open a real serial port.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace zevo3 {

struct SimOptions {
    // Never answer Kw/Tw messages with 0x06.
    bool noAck = false;
    // Acknowledge only the first N Kw/Tw messages, then stay silent; -1 = unlimited.
    int ackLimit = -1;
    // Delay before each answer (ACK, version line, learned code).
    int answerDelayMs = 0;
    // Emulated line speed in bit/s for bytes sent to the tool (10 bits per byte);
    // 0 = as fast as the pty takes them.
    int lineRate = 0;
    // Emulated line speed in bit/s for bytes from the tool (10 bits per byte):
    // a message is answered only once its last byte would have arrived at that
    // speed. 0 = as soon as the pty hands it over.
    int inLineRate = 0;
    // Keep every byte read from the tool, framing included (receivedBytes()).
    bool recordBytes = false;
    // Bytes sent in front of every answer.
    QByteArray garbage;
    // Hang up once, right after the Nth message has been received (that message
    // is recorded but not answered); -1 = never.
    int hangUpAfter = -1;
    // After a hang-up open a fresh pty at once and re-point linkPath at it.
    bool reopenAfterHangUp = false;
    // Symlink to the slave, replaced if it exists, removed at stop().
    QString linkPath;
    // When set, every received message is appended to this file as one line.
    QString logPath;
    // Answer to "A" once learning time has passed (CR LF is appended).
    QByteArray learnedCode = QByteArrayLiteral("m:1A2B,d:00FF,f:2");
    // Called on the worker thread for every received message, after it was recorded.
    // May call sendRaw() and hangUp(), must not call stop().
    std::function<void(const QByteArray &)> onMessage;
};

class SimUnit {
public:
    explicit SimUnit(SimOptions options = {});
    ~SimUnit();

    SimUnit(const SimUnit &) = delete;
    SimUnit &operator=(const SimUnit &) = delete;

    // Takes effect at the next start().
    void setOptions(const SimOptions &options);
    SimOptions options() const;

    // Opens the pty pair and starts the worker thread. Clears everything recorded
    // by a previous run.
    bool start(QString *error = nullptr);
    // Ends the worker, closes the pty and removes the link. Idempotent.
    void stop();
    bool isRunning() const;

    // Slave path of the current pty (/dev/pts/N); after a hang-up with reopen this
    // is the new one. Empty before start().
    QString devicePath() const;
    QString linkPath() const;
    // False after a hang-up without reopen.
    bool isConnected() const;
    int hangUpCount() const;

    // Queues bytes for the tool, in order, after anything queued before.
    void sendRaw(const QByteArray &bytes);
    // Closes the master so the tool's side sees a hang-up (reopens if configured).
    // Returns once the hang-up has happened.
    void hangUp();

    // Every message received, without delimiters, in arrival order.
    QList<QByteArray> received() const;
    // Every byte read from the tool, as it came; empty unless recordBytes.
    QByteArray receivedBytes() const;
    // Kw:NN rows, whole message text by row number NN.
    QMap<int, QByteArray> layoutRows() const;
    // Tw* messages by the Tws:NNN number that closed them, plus any trailer right
    // after it naming the same number ("Twl:001", "Twf:001").
    QMap<int, QList<QByteArray>> storedCodes() const;
    int messageCount() const;
    // Blocks until at least count messages were received or timeoutMs passed.
    bool waitForMessages(int count, int timeoutMs) const;

    // Numbered CR LF lines ("LINE 000001 ...") totalling exactly bytes bytes.
    static QByteArray floodData(qsizetype bytes);

private:
    struct Worker;

    void run();
    void requestWake();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cond;
    SimOptions m_options;
    std::unique_ptr<Worker> m_worker;
    std::thread m_thread;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;

    // Guarded by m_mutex.
    bool m_running = false;
    bool m_stopRequested = false;
    quint64 m_hangUpTickets = 0; // hangUp() calls issued
    quint64 m_hangUpServed = 0;  // hangUp() calls the worker has dealt with
    int m_hangUpCount = 0;
    bool m_connected = false;
    QString m_devicePath;
    QByteArray m_sendQueue;
    QList<QByteArray> m_received;
    QByteArray m_receivedBytes;
    QMap<int, QByteArray> m_layoutRows;
    QMap<int, QList<QByteArray>> m_storedCodes;
};

} // namespace zevo3
