#include "sim_unit.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace zevo3 {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr char kStx = 0x02;
constexpr char kEtx = 0x03;
constexpr char kAck = 0x06;
constexpr auto kIdleMessageEnd = 50ms;
constexpr int kMaxLearnMs = 300;
constexpr auto kLineSlice = 5ms;
// With the line rate emulated, an answer is due at an exact moment. The
// worker then runs with a timer slack of 1 us instead of the kernel's 50 us,
// wakes this much before the moment and polls without waiting until it has
// come, so that a late wake-up does not add to every message.
constexpr auto kSpinBeforeAnswer = 150us;
constexpr unsigned long kPacedTimerSlackNs = 1000;

QString errnoText(const char *what, int err) {
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(err)));
}

void closeFd(int &fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

bool setFlags(int fd, bool nonBlocking) {
    const int fdFlags = ::fcntl(fd, F_GETFD);
    if (fdFlags < 0 || ::fcntl(fd, F_SETFD, fdFlags | FD_CLOEXEC) < 0) return false;
    if (!nonBlocking) return true;
    const int flFlags = ::fcntl(fd, F_GETFL);
    return flFlags >= 0 && ::fcntl(fd, F_SETFL, flFlags | O_NONBLOCK) >= 0;
}

struct Pty {
    int master = -1;
    int slave = -1;
    QString path;
};

bool openPty(Pty &pty, QString *error) {
    auto fail = [&](const char *what) {
        const int err = errno;
        closeFd(pty.slave);
        closeFd(pty.master);
        if (error) *error = errnoText(what, err);
        return false;
    };

    pty.master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.master < 0) return fail("posix_openpt");
    if (!setFlags(pty.master, true)) return fail("fcntl on pty master");
    if (::grantpt(pty.master) < 0) return fail("grantpt");
    if (::unlockpt(pty.master) < 0) return fail("unlockpt");
    char name[128];
    if (const int err = ::ptsname_r(pty.master, name, sizeof name); err != 0) {
        errno = err;
        return fail("ptsname_r");
    }
    // Our own slave descriptor keeps the line up while the tool has the port
    // closed: without it the master reads EIO and the kernel drops the settings.
    pty.slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pty.slave < 0) return fail("open pty slave");

    termios tio{};
    if (::tcgetattr(pty.slave, &tio) < 0) return fail("tcgetattr");
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B57600);
    ::cfsetospeed(&tio, B57600);
    if (::tcsetattr(pty.slave, TCSANOW, &tio) < 0) return fail("tcsetattr");

    pty.path = QString::fromLocal8Bit(name);
    return true;
}

// Points link at target, replacing whatever is there; done through a rename so a
// client never sees the link missing.
bool pointLink(const QString &link, const QString &target, QString *error) {
    const QByteArray linkName = QFile::encodeName(link);
    const QByteArray tmpName = linkName + ".tmp" + QByteArray::number(::getpid());
    ::unlink(tmpName.constData());
    if (::symlink(QFile::encodeName(target).constData(), tmpName.constData()) < 0) {
        if (error) *error = errnoText("symlink", errno) + QStringLiteral(" (%1)").arg(link);
        return false;
    }
    if (::rename(tmpName.constData(), linkName.constData()) < 0) {
        const int err = errno;
        ::unlink(tmpName.constData());
        if (error) *error = errnoText("rename", err) + QStringLiteral(" (%1)").arg(link);
        return false;
    }
    return true;
}

// Removes link only while it still points at target, so a link re-pointed by
// someone else is left alone.
void removeLink(const QString &link, const QString &target) {
    const QByteArray linkName = QFile::encodeName(link);
    char buf[4096];
    const ssize_t n = ::readlink(linkName.constData(), buf, sizeof buf - 1);
    if (n < 0) return;
    if (QByteArray(buf, n) == QFile::encodeName(target)) ::unlink(linkName.constData());
}

// Number after the first ':' ("Kw:01,..." -> 1); -1 when there is none.
int numberAfterColon(const QByteArray &msg) {
    const qsizetype colon = msg.indexOf(':');
    if (colon < 0) return -1;
    qsizetype end = colon + 1;
    while (end < msg.size() && end - colon <= 9 && msg[end] >= '0' && msg[end] <= '9')
        ++end;
    if (end == colon + 1) return -1;
    return msg.mid(colon + 1, end - colon - 1).toInt();
}

// A byte that ends a message.
bool isDelimiter(char c) {
    return c == kEtx || c == '\r' || c == '\n';
}

QByteArray payload(const QByteArray &msg) {
    const qsizetype colon = msg.indexOf(':');
    return colon < 0 ? QByteArray() : msg.mid(colon + 1);
}

// The accessors hand out copies that share nothing with the worker's containers,
// so a caller's copy-on-write never races with the worker appending.
QByteArray deepCopy(const QByteArray &bytes) {
    return QByteArray(bytes.constData(), bytes.size());
}

QList<QByteArray> deepCopy(const QList<QByteArray> &list) {
    QList<QByteArray> copy;
    copy.reserve(list.size());
    for (const QByteArray &bytes : list)
        copy.append(deepCopy(bytes));
    return copy;
}

} // namespace

struct SimUnit::Worker {
    explicit Worker(SimUnit &owner) : unit(owner) {}

    SimUnit &unit;
    SimOptions opts;
    Pty pty;
    QString linkTarget; // what the link currently points at
    std::FILE *log = nullptr;

    // Outgoing bytes: out[outPos..] is still to be written.
    QByteArray out;
    qsizetype outPos = 0;
    bool waitWritable = false;
    Clock::time_point lineFreeAt{};
    // Answers waiting for their delay; equal keys keep insertion order.
    std::multimap<Clock::time_point, QByteArray> scheduled;

    QByteArray partial;
    Clock::time_point lastRx{};
    // With inLineRate: when the last byte read so far would have arrived.
    Clock::time_point rxFreeAt{};

    int learnMs = kMaxLearnMs;
    std::optional<Clock::time_point> learnDue;

    int acksSent = 0;
    bool hangUpAfterDone = false;
    QList<QByteArray> pendingCodes;
    QByteArray lastStorePayload;
    int lastStore = -1;

    quint64 ticketsSeen = 0; // hangUp() calls the loop has seen

    ~Worker() {
        closeFd(pty.slave);
        closeFd(pty.master);
        if (log) std::fclose(log);
    }

    void resetLine() {
        out.clear();
        outPos = 0;
        waitWritable = false;
        scheduled.clear();
        partial.clear();
        learnDue.reset();
    }

    void queueAnswer(const QByteArray &body, Clock::time_point now) {
        const QByteArray bytes = opts.garbage + body;
        auto at = now + std::chrono::milliseconds(std::max(0, opts.answerDelayMs));
        // Both directions at line speed: the tool has the answer only once the
        // line has carried its last byte (the paced writer releases a byte at
        // the start of its time on the line).
        if (opts.inLineRate > 0 && opts.lineRate > 0)
            at +=
                std::chrono::nanoseconds(qint64(bytes.size()) * 10 * 1'000'000'000 / opts.lineRate);
        if (opts.answerDelayMs <= 0 && scheduled.empty() && at <= Clock::now())
            out.append(bytes);
        else
            scheduled.emplace(at, bytes);
    }

    bool pendingOutput() const { return outPos < out.size(); }

    // Either direction emulated at line speed.
    bool paced() const { return opts.lineRate > 0 || opts.inLineRate > 0; }

    // How long the outgoing line carries n bytes (lineRate > 0 only).
    std::chrono::nanoseconds byteTime(qsizetype n) const {
        return std::chrono::nanoseconds(qint64(n) * 10 * 1'000'000'000 / opts.lineRate);
    }

    // Bytes the outgoing line carries in one slice of time.
    qsizetype lineSliceBytes() const {
        return std::max<qsizetype>(1, qsizetype(opts.lineRate) / 10 * kLineSlice.count() / 1000);
    }

    // How long the incoming line carries one byte; zero when not emulated.
    std::chrono::nanoseconds inByteTime() const {
        return std::chrono::nanoseconds(
            opts.inLineRate > 0 ? qint64(10) * 1'000'000'000 / opts.inLineRate : 0);
    }

    void hangUpLine();
    bool reopenLine();
    bool handleMessage(const QByteArray &msg, Clock::time_point now);
    int recordMessage(const QByteArray &msg);
    void recordTimingMessage(const QByteArray &msg);
    void logMessage(const QByteArray &msg);
    void answerMessage(const QByteArray &msg, Clock::time_point now);
    void feed(const char *data, qsizetype n, Clock::time_point now);
    Clock::time_point delimiterEnd(const char *data, qsizetype i, qsizetype n,
                                   Clock::time_point now) const;
    void writeOut(Clock::time_point now);
    void compactOut();

    void loop();
    bool takeRequests();
    bool runDueWork(Clock::time_point now);
    std::optional<Clock::time_point> nextDeadline() const;
    bool waitForEvents();
    void drainWake();
    void readInput();
};

SimUnit::SimUnit(SimOptions options) : m_options(std::move(options)) {
}

SimUnit::~SimUnit() {
    stop();
}

void SimUnit::setOptions(const SimOptions &options) {
    std::lock_guard lock(m_mutex);
    m_options = options;
}

SimOptions SimUnit::options() const {
    std::lock_guard lock(m_mutex);
    return m_options;
}

bool SimUnit::start(QString *error) {
    std::unique_lock lock(m_mutex);
    if (m_running || m_thread.joinable()) {
        if (error) *error = QStringLiteral("simulated unit already running");
        return false;
    }

    auto worker = std::make_unique<Worker>(*this);
    worker->opts = m_options;
    QString err;
    if (!openPty(worker->pty, &err)) {
        if (error) *error = QStringLiteral("cannot open pseudo-terminal: ") + err;
        return false;
    }
    if (!worker->opts.logPath.isEmpty()) {
        worker->log = std::fopen(QFile::encodeName(worker->opts.logPath).constData(), "ab");
        if (!worker->log) {
            if (error)
                *error = errnoText("cannot open log file", errno) +
                         QStringLiteral(" (%1)").arg(worker->opts.logPath);
            return false;
        }
    }
    if (!worker->opts.linkPath.isEmpty()) {
        if (!pointLink(worker->opts.linkPath, worker->pty.path, &err)) {
            if (error) *error = QStringLiteral("cannot create link: ") + err;
            return false;
        }
        worker->linkTarget = worker->pty.path;
    }

    int pipeFds[2];
    if (::pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) < 0) {
        if (error) *error = errnoText("pipe2", errno);
        if (!worker->linkTarget.isEmpty()) removeLink(worker->opts.linkPath, worker->linkTarget);
        return false;
    }
    m_wakeRead = pipeFds[0];
    m_wakeWrite = pipeFds[1];

    m_stopRequested = false;
    m_hangUpTickets = m_hangUpServed = 0;
    m_hangUpCount = 0;
    m_connected = true;
    m_devicePath = worker->pty.path;
    m_sendQueue.clear();
    m_received.clear();
    m_receivedBytes.clear();
    m_layoutRows.clear();
    m_storedCodes.clear();
    m_worker = std::move(worker);
    m_running = true;
    m_thread = std::thread([this] { run(); });
    return true;
}

void SimUnit::stop() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_thread.joinable()) return;
        m_stopRequested = true;
    }
    requestWake();
    m_thread.join();

    if (!m_worker->linkTarget.isEmpty()) removeLink(m_worker->opts.linkPath, m_worker->linkTarget);
    m_worker.reset();
    closeFd(m_wakeRead);
    closeFd(m_wakeWrite);

    std::lock_guard lock(m_mutex);
    m_running = false;
    m_connected = false;
    m_cond.notify_all();
}

bool SimUnit::isRunning() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

QString SimUnit::devicePath() const {
    std::lock_guard lock(m_mutex);
    return m_devicePath;
}

QString SimUnit::linkPath() const {
    std::lock_guard lock(m_mutex);
    return m_options.linkPath;
}

bool SimUnit::isConnected() const {
    std::lock_guard lock(m_mutex);
    return m_connected;
}

int SimUnit::hangUpCount() const {
    std::lock_guard lock(m_mutex);
    return m_hangUpCount;
}

void SimUnit::sendRaw(const QByteArray &bytes) {
    if (bytes.isEmpty()) return;
    {
        std::lock_guard lock(m_mutex);
        if (!m_running) return;
        m_sendQueue.append(bytes.constData(), bytes.size()); // copies, never shares
    }
    requestWake();
}

void SimUnit::hangUp() {
    std::unique_lock lock(m_mutex);
    if (!m_running || m_stopRequested) return;
    const quint64 ticket = ++m_hangUpTickets;
    const bool onWorker = std::this_thread::get_id() == m_thread.get_id();
    lock.unlock();
    requestWake();
    if (onWorker) return; // handled when the worker gets back to its loop
    lock.lock();
    m_cond.wait(lock, [&] { return m_hangUpServed >= ticket || m_stopRequested; });
}

QList<QByteArray> SimUnit::received() const {
    std::lock_guard lock(m_mutex);
    return deepCopy(m_received);
}

QByteArray SimUnit::receivedBytes() const {
    std::lock_guard lock(m_mutex);
    return deepCopy(m_receivedBytes);
}

QMap<int, QByteArray> SimUnit::layoutRows() const {
    std::lock_guard lock(m_mutex);
    QMap<int, QByteArray> rows;
    for (auto it = m_layoutRows.cbegin(); it != m_layoutRows.cend(); ++it)
        rows.insert(it.key(), deepCopy(it.value()));
    return rows;
}

QMap<int, QList<QByteArray>> SimUnit::storedCodes() const {
    std::lock_guard lock(m_mutex);
    QMap<int, QList<QByteArray>> codes;
    for (auto it = m_storedCodes.cbegin(); it != m_storedCodes.cend(); ++it)
        codes.insert(it.key(), deepCopy(it.value()));
    return codes;
}

int SimUnit::messageCount() const {
    std::lock_guard lock(m_mutex);
    return int(m_received.size());
}

bool SimUnit::waitForMessages(int count, int timeoutMs) const {
    std::unique_lock lock(m_mutex);
    return m_cond.wait_for(lock, std::chrono::milliseconds(std::max(0, timeoutMs)),
                           [&] { return m_received.size() >= count; });
}

QByteArray SimUnit::floodData(qsizetype bytes) {
    static constexpr char kFill[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";
    constexpr qsizetype kLine = 64;
    QByteArray data;
    if (bytes <= 0) return data;
    data.reserve(bytes);
    for (int n = 1; data.size() < bytes; ++n) {
        QByteArray line =
            QByteArrayLiteral("LINE ") + QByteArray::number(n).rightJustified(6, '0') + ' ';
        line.append(kFill, std::max<qsizetype>(0, kLine - 2 - line.size()));
        const qsizetype left = bytes - data.size();
        if (left < kLine) line.truncate(std::max<qsizetype>(0, left - 2));
        line.append(left >= 2 ? "\r\n" : "\n");
        data.append(line);
    }
    return data;
}

void SimUnit::requestWake() {
    if (m_wakeWrite < 0) return;
    const char c = 1;
    // A full pipe already means a wake-up is pending.
    [[maybe_unused]] const ssize_t n = ::write(m_wakeWrite, &c, 1);
}

// Closes the line (the tool sees a hang-up) and, when so configured, opens a
// fresh one at once.
void SimUnit::Worker::hangUpLine() {
    if (pty.master < 0) return;
    closeFd(pty.master);
    closeFd(pty.slave);
    resetLine();
    const bool connected = opts.reopenAfterHangUp && reopenLine();
    std::lock_guard lock(unit.m_mutex);
    ++unit.m_hangUpCount;
    unit.m_connected = connected;
    if (connected) unit.m_devicePath = pty.path;
    unit.m_sendQueue.clear();
    unit.m_cond.notify_all();
}

// Opens a new pty after a hang-up and re-points the link at it; false when no
// pty could be opened.
bool SimUnit::Worker::reopenLine() {
    QString err;
    if (!openPty(pty, &err)) {
        std::fprintf(stderr, "zevo3 sim: reopen failed: %s\n", qPrintable(err));
        return false;
    }
    if (!opts.linkPath.isEmpty()) {
        if (pointLink(opts.linkPath, pty.path, &err))
            linkTarget = pty.path;
        else
            std::fprintf(stderr, "zevo3 sim: %s\n", qPrintable(err));
    }
    return true;
}

// Records one message and queues its answer. Returns false when the line was
// hung up because of it.
bool SimUnit::Worker::handleMessage(const QByteArray &msg, Clock::time_point now) {
    const int count = recordMessage(msg);
    logMessage(msg);
    if (opts.onMessage) opts.onMessage(msg);

    if (opts.hangUpAfter >= 0 && !hangUpAfterDone && count >= opts.hangUpAfter) {
        hangUpAfterDone = true;
        hangUpLine();
        return false;
    }
    answerMessage(msg, now);
    return true;
}

// Adds the message to what was received, layout rows and stored codes; returns
// how many messages there are now.
int SimUnit::Worker::recordMessage(const QByteArray &msg) {
    std::lock_guard lock(unit.m_mutex);
    unit.m_received.append(msg);
    const int count = int(unit.m_received.size());
    if (msg.startsWith("Kw")) {
        if (const int row = numberAfterColon(msg); row >= 0) unit.m_layoutRows.insert(row, msg);
    } else if (msg.startsWith("Tw")) {
        recordTimingMessage(msg);
    }
    unit.m_cond.notify_all();
    return count;
}

// Collects Tw* messages into the code that the next Tws message stores, or
// into the code just stored when it is its trailer. Called with the mutex held.
void SimUnit::Worker::recordTimingMessage(const QByteArray &msg) {
    if (msg.startsWith("Tws")) {
        pendingCodes.append(msg);
        lastStore = numberAfterColon(msg);
        lastStorePayload = payload(msg);
        if (lastStore >= 0) unit.m_storedCodes.insert(lastStore, pendingCodes);
        pendingCodes.clear();
    } else if (pendingCodes.isEmpty() && lastStore >= 0 && !lastStorePayload.isEmpty() &&
               payload(msg) == lastStorePayload) {
        // Trailer naming the code just stored ("Twl:001" after "Tws:001").
        unit.m_storedCodes[lastStore].append(msg);
    } else {
        pendingCodes.append(msg);
    }
}

void SimUnit::Worker::logMessage(const QByteArray &msg) {
    if (!log) return;
    std::fwrite(msg.constData(), 1, size_t(msg.size()), log);
    std::fputc('\n', log);
    std::fflush(log);
}

// Queues the unit's answer to a message, or starts or ends learning.
void SimUnit::Worker::answerMessage(const QByteArray &msg, Clock::time_point now) {
    if (msg.startsWith("Kw") || msg.startsWith("Tw")) {
        const bool withinLimit = opts.ackLimit < 0 || acksSent < opts.ackLimit;
        if (!opts.noAck && withinLimit) {
            ++acksSent;
            queueAnswer(QByteArray(1, kAck), now);
        }
    } else if (msg.startsWith("Ver")) {
        queueAnswer(QByteArrayLiteral("ZEVO3 Ver1.00 SIM\r\n"), now);
    } else if (msg.startsWith("Lend:")) {
        if (const int ms = numberAfterColon(msg); ms >= 0) learnMs = ms;
    } else if (msg == "A") {
        learnDue = now + std::chrono::milliseconds(std::min(learnMs, kMaxLearnMs));
    } else if (msg == "T") {
        learnDue.reset();
    }
}

// Splits bytes read from the tool into messages and handles each complete one.
void SimUnit::Worker::feed(const char *data, qsizetype n, Clock::time_point now) {
    if (opts.recordBytes) {
        std::lock_guard lock(unit.m_mutex);
        unit.m_receivedBytes.append(data, n);
    }
    if (opts.inLineRate > 0) rxFreeAt = std::max(rxFreeAt, now);
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data[i];
        if (opts.inLineRate > 0) {
            // The byte arrives once the line has carried it.
            rxFreeAt += inByteTime();
            now = rxFreeAt;
        }
        if (isDelimiter(c)) {
            if (!partial.isEmpty()) {
                const QByteArray msg = partial;
                partial.clear();
                if (!handleMessage(msg, delimiterEnd(data, i, n, now))) return;
            }
        } else if (!(c == kStx && partial.isEmpty())) {
            partial.append(c);
        }
    }
    lastRx = now;
}

// When the delimiter at data[i] ends: at line speed the answer waits for the
// whole delimiter (CR LF) too, as far as this read holds it.
Clock::time_point SimUnit::Worker::delimiterEnd(const char *data, qsizetype i, qsizetype n,
                                                Clock::time_point now) const {
    Clock::time_point done = now;
    for (qsizetype j = i + 1; opts.inLineRate > 0 && j < n && isDelimiter(data[j]); ++j)
        done += inByteTime();
    return done;
}

// Writes what is due of the outgoing bytes, at line speed when emulated.
void SimUnit::Worker::writeOut(Clock::time_point now) {
    waitWritable = false;
    while (pty.master >= 0 && pendingOutput()) {
        qsizetype chunk = out.size() - outPos;
        if (opts.lineRate > 0) {
            if (now < lineFreeAt) break;
            if (lineFreeAt + kLineSlice < now) lineFreeAt = now; // line was idle
            chunk = std::min(chunk, lineSliceBytes());
        }
        const ssize_t n = ::write(pty.master, out.constData() + outPos, size_t(chunk));
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                waitWritable = true;
                break;
            }
            std::fprintf(stderr, "zevo3 sim: write to pty: %s\n", std::strerror(errno));
            out.clear();
            outPos = 0;
            break;
        }
        outPos += n;
        if (opts.lineRate > 0) lineFreeAt += byteTime(n);
    }
    compactOut();
}

// Drops the bytes already written once there are no more, or once they are
// most of a large buffer.
void SimUnit::Worker::compactOut() {
    if (!pendingOutput()) {
        out.clear();
        outPos = 0;
    } else if (outPos > 65536 && outPos > out.size() / 2) {
        out.remove(0, outPos);
        outPos = 0;
    }
}

void SimUnit::run() {
    if (m_worker->paced()) ::prctl(PR_SET_TIMERSLACK, kPacedTimerSlackNs, 0, 0, 0);
    m_worker->loop();
}

// Each pass takes the requests from the other threads, answers what is due,
// writes, and waits for input or the next moment something is due.
void SimUnit::Worker::loop() {
    for (;;) {
        if (!takeRequests()) break;
        const auto now = Clock::now();
        if (runDueWork(now)) continue; // the answer is written on the next pass
        writeOut(now);
        if (!waitForEvents()) break;
    }
}

// Takes the bytes queued by sendRaw() and serves a hangUp() call; false once
// stop() was asked for.
bool SimUnit::Worker::takeRequests() {
    quint64 tickets = 0;
    {
        std::lock_guard lock(unit.m_mutex);
        if (unit.m_stopRequested) return false;
        tickets = unit.m_hangUpTickets;
        if (pty.master >= 0) out.append(unit.m_sendQueue);
        unit.m_sendQueue.clear();
    }
    if (tickets != ticketsSeen) {
        ticketsSeen = tickets;
        hangUpLine();
        std::lock_guard lock(unit.m_mutex);
        unit.m_hangUpServed = tickets;
        unit.m_cond.notify_all();
    }
    return true;
}

// Queues the learned code and the answers whose time has come. Returns true
// when a message was ended by silence and handled instead.
bool SimUnit::Worker::runDueWork(Clock::time_point now) {
    if (learnDue && *learnDue <= now) {
        learnDue.reset();
        queueAnswer(opts.learnedCode + "\r\n", now);
    }
    while (!scheduled.empty() && scheduled.begin()->first <= now) {
        out.append(scheduled.begin()->second);
        scheduled.erase(scheduled.begin());
    }
    if (!partial.isEmpty() && now - lastRx >= kIdleMessageEnd) {
        const QByteArray msg = partial;
        partial.clear();
        handleMessage(msg, now);
        return true;
    }
    return false;
}

// The next moment something is due: the silence that ends a message, the
// learned code, an answer or the paced line.
std::optional<Clock::time_point> SimUnit::Worker::nextDeadline() const {
    std::optional<Clock::time_point> deadline;
    auto earliest = [&](Clock::time_point t) {
        if (!deadline || t < *deadline) deadline = t;
    };
    if (!partial.isEmpty()) earliest(lastRx + kIdleMessageEnd);
    if (learnDue) earliest(*learnDue);
    std::optional<Clock::time_point> answerDue;
    if (!scheduled.empty()) answerDue = scheduled.begin()->first;
    if (pendingOutput() && !waitWritable && opts.lineRate > 0)
        answerDue = answerDue ? std::min(*answerDue, lineFreeAt) : lineFreeAt;
    // Paced: from shortly before the answer is due, the loop polls
    // without waiting (the input is still read meanwhile).
    if (answerDue) earliest(paced() ? *answerDue - kSpinBeforeAnswer : *answerDue);
    return deadline;
}

// Waits for a wake-up, input or the next deadline and reads the input; false
// when polling failed.
bool SimUnit::Worker::waitForEvents() {
    const std::optional<Clock::time_point> deadline = nextDeadline();
    pollfd fds[2] = {{unit.m_wakeRead, POLLIN, 0}, {pty.master, POLLIN, 0}};
    if (waitWritable) fds[1].events |= POLLOUT;
    const nfds_t nfds = pty.master >= 0 ? 2 : 1;
    timespec ts{};
    timespec *tsp = nullptr;
    if (deadline) {
        const auto left = std::max(std::chrono::nanoseconds(0), *deadline - Clock::now());
        ts.tv_sec = time_t(left.count() / 1'000'000'000);
        ts.tv_nsec = long(left.count() % 1'000'000'000);
        tsp = &ts;
    }
    if (::ppoll(fds, nfds, tsp, nullptr) < 0) {
        if (errno == EINTR) return true;
        std::fprintf(stderr, "zevo3 sim: poll: %s\n", std::strerror(errno));
        return false;
    }
    if (fds[0].revents & POLLIN) drainWake();
    if (nfds == 2 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) readInput();
    return true;
}

void SimUnit::Worker::drainWake() {
    char buf[4096];
    while (::read(unit.m_wakeRead, buf, sizeof buf) > 0) {
    }
}

// Reads all the waiting input from the tool and feeds it in.
void SimUnit::Worker::readInput() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(pty.master, buf, sizeof buf);
        if (n > 0) {
            const int hangUps = unit.m_hangUpCount; // only the worker changes it
            feed(buf, n, Clock::now());
            if (hangUps != unit.m_hangUpCount) break; // the rest belonged to the old line
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        // EIO/EOF cannot happen while we hold our own slave open; avoid spinning.
        std::fprintf(stderr, "zevo3 sim: read from pty: %s\n",
                     n < 0 ? std::strerror(errno) : "end of file");
        hangUpLine();
        break;
    }
}

} // namespace zevo3
