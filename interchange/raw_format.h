#pragma once
// Raw timings: durations in µs separated by blanks or commas, alternately
// mark and space from a mark, one code a line, e.g.
//
//   f=38000 9000 4500 560 560 560 1690 …
//   +9000 -4500 +560 -560 …            (signs, then on every duration)
//
// with an optional carrier "f=38000" or "Freq=38000Hz" (38 kHz otherwise),
// and the "pulse N" / "space N" lines of mode2 dumps, one code a block of
// such lines (blocks end at a blank line or any other line). Lines starting
// with "#" are comments.

#include "flat_signal.h"

#include <QByteArrayView>
#include <vector>

namespace zevo3 {

inline constexpr int32_t kRawDefaultCarrierHz = 38000;

InterchangeRead readRaw(QByteArrayView text);

// One line (ended by CR LF) a code: "f=38000" and the durations. A code that
// ends on a mark and has a gap gets the gap as its last space.
InterchangeWrite writeRaw(const std::vector<InterchangeCode> &codes);

} // namespace zevo3
