#pragma once
// Waits that keep the event loop going, so the receive step can run.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <memory>

namespace zevo3::test {

template <typename Predicate> bool waitFor(Predicate predicate, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!predicate()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// Runs the event loop until the work posted so far has run, and the work
// that posted in turn, `rounds` deep: what a step leaves for later has then
// happened, without a sleep that a slow machine might outlast. False when
// the loop did not get there within the time-out.
inline bool runPostedWork(int rounds = 3, int timeoutMs = 5000) {
    for (int i = 0; i < rounds; ++i) {
        const auto reached = std::make_shared<bool>(false);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [reached] { *reached = true; }, Qt::QueuedConnection);
        if (!waitFor([reached] { return *reached; }, timeoutMs)) return false;
    }
    return true;
}

inline void pump(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

} // namespace zevo3::test
