#pragma once
#include "serial_device.h"

#include <QElapsedTimer>

namespace zevo3 {

// The monotonic clock in milliseconds, wrapping at 32 bits.
class SteadyTickClock : public TickClock {
public:
    SteadyTickClock() { timer_.start(); }
    uint32_t now() const override { return uint32_t(timer_.elapsed()); }

private:
    QElapsedTimer timer_;
};

} // namespace zevo3
