#pragma once
// A tick clock for the link's tests: it follows the machine's clock until a
// test holds it, and then moves only when the test moves it, so that the
// link's time-outs (silence, acknowledgement) are reached exactly when the
// test says, never by the machine's speed.

#include "serial_device.h"

#include <QElapsedTimer>
#include <atomic>

namespace zevo3::test {

class ManualTickClock : public TickClock {
public:
    ManualTickClock() { running_.start(); }

    uint32_t now() const override {
        return held_ ? heldAt_.load() : uint32_t(running_.elapsed()) + offset_;
    }
    // From now on the clock moves only by advance().
    void hold() {
        heldAt_ = now();
        held_ = true;
    }
    void advance(uint32_t ms) {
        if (held_)
            heldAt_ += ms;
        else
            offset_ += ms;
    }

private:
    QElapsedTimer running_;
    std::atomic<bool> held_{false};
    std::atomic<uint32_t> heldAt_{0};
    std::atomic<uint32_t> offset_{0};
};

} // namespace zevo3::test
