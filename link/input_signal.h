#pragma once
// What a serial device's waitForInput() waits on: set by the GUI thread when
// input or an error arrives, or to wake the waiter for a stop request.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zevo3 {

class InputSignal {
public:
    // Input or an error may be waiting.
    void signal() { set(signalled_); }
    // Wakes the waiter without input (a stop request).
    void wake() { set(woken_); }
    void reset() {
        std::lock_guard lock(mutex_);
        signalled_ = woken_ = false;
    }
    // Blocks until signal() or wake(), or timeoutMs pass. True when signalled;
    // both marks are cleared.
    bool wait(int timeoutMs) {
        std::unique_lock lock(mutex_);
        ++waits_;
        cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                     [this] { return signalled_ || woken_; });
        const bool result = signalled_;
        signalled_ = woken_ = false;
        return result;
    }
    int waits() const {
        std::lock_guard lock(mutex_);
        return waits_;
    }

private:
    void set(bool &flag) {
        {
            std::lock_guard lock(mutex_);
            flag = true;
        }
        cv_.notify_all();
    }

    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_ = false;
    bool woken_ = false;
    int waits_ = 0;
};

} // namespace zevo3
