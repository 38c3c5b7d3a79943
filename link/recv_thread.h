#pragma once
// The receive thread: while the port is open it waits for input (or a short
// tick while a message is in progress, for the silence time-out) and has the
// GUI thread run the receive step, synchronously, again and again.

#include <QThread>

namespace zevo3 {

class Link;

class TRecvThread : public QThread {
    Q_OBJECT
public:
    // Longest wait between two steps while a message is in progress (its
    // silence time-out needs the ticks), and while none is: input, an error
    // or a stop request wakes the wait at once either way.
    static constexpr int kTickMs = 10;
    static constexpr int kIdleMs = 250;

    explicit TRecvThread(Link &link) : link_(link) {}

protected:
    void run() override;

private:
    Link &link_;
};

} // namespace zevo3
