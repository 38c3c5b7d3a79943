#pragma once
// Waits that keep the event loop going, so the receive step can run.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

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

inline void pump(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

} // namespace zevo3::test
