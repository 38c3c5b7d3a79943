#pragma once
// Pronto Hex, learned form: words of 4 hexadecimal digits,
//
//   0000 FFFF ONCE REPEAT  d1 d2 … (ONCE + REPEAT burst pairs)
//
// where FFFF = round(1 000 000 / (f × 0.241246)) for a carrier of f Hz and
// each duration counts carrier periods. One code a line.

#include "flat_signal.h"

#include <QByteArrayView>
#include <vector>

namespace zevo3 {

inline constexpr double kProntoClockUs = 0.241246;

// The frequency word of a carrier (0 when none fits 1..0xFFFF) and the
// carrier (Hz, rounded) a frequency word stands for.
int prontoFrequencyWord(int32_t carrierHz);
int32_t prontoCarrierHz(int word);

// Each non-blank line one code, in order: the once part followed by one copy
// of the repeat part (the repeat part alone when the once part is empty).
InterchangeRead readPronto(QByteArrayView text);

// One line (ended by CR LF) a code, written as the once part with no repeat
// part. A signal that ends on a mark gets its gap (or 100 ms) as a closing
// space. Refused: a carrier outside the frequency word, a duration beyond
// 0xFFFF periods, a code without durations.
InterchangeWrite writePronto(const std::vector<InterchangeCode> &codes);

} // namespace zevo3
