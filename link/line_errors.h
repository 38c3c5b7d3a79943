#pragma once
// Line errors the serial driver counts (framing, parity, overrun, break),
// which Qt's serial port no longer reports: the counters are read at open
// and again before each send and receive step, and a rise is a line error,
// like the error mask of a port that reports them itself. Where the driver
// keeps no counters (a pseudo-terminal, a USB adapter without them, other
// systems) nothing is ever reported.

#include <cstdint>
#include <optional>

namespace zevo3 {

struct LineErrorCounts {
    uint32_t frame = 0;
    uint32_t parity = 0;
    uint32_t overrun = 0;    // the UART's own
    uint32_t bufOverrun = 0; // the driver's buffer
    uint32_t brk = 0;
    bool operator==(const LineErrorCounts &) const = default;
};

// The counts of an open port, or none when the driver keeps none.
std::optional<LineErrorCounts> readLineErrorCounts(int fd);

// Compares each reading with the one taken at open.
class LineErrorWatch {
public:
    void start(std::optional<LineErrorCounts> atOpen) { base_ = atOpen; }
    // Whether the driver gave counts at open; without, there is nothing to read.
    bool active() const { return base_.has_value(); }
    // True when any counter rose since open (counters wrap at 32 bits).
    bool rose(const std::optional<LineErrorCounts> &now) const;

private:
    std::optional<LineErrorCounts> base_;
};

} // namespace zevo3
