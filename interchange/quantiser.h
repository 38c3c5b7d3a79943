#pragma once
// The way back from a signal to a timing description: the signal's
// (mark, space) pairs become at most 16 pattern entries and one pattern code
// per pair.
//
// Pairs whose mark and space each lie within the tolerance of an entry's
// (10 % of the larger value or 60 µs, whichever is larger) share that entry,
// and each entry is the rounded mean of its pairs. While more than 16 entries
// remain, the two nearest are merged; the result says so, with the largest
// deviation from the input. Nothing is wrapped or cut: a signal beyond the
// unit's limits is refused with a message.

#include "code_table.h"
#include "flat_signal.h"

#include <QString>
#include <vector>

namespace zevo3 {

struct QuantiseOptions {
    int tolerancePercent = 10;
    int toleranceUs = 60;
    // The space after a signal that ends on a mark, when its format gives none.
    int32_t closingSpaceUs = 100000;
};

// The unit's limits on a timing description.
inline constexpr int kMaxHighUs = 99999;
inline constexpr int kMaxWidthUs = 999999;
inline constexpr int kMinCarry = 100; // 10.0 kHz
inline constexpr int kMaxCarry = 999; // 99.9 kHz

struct Quantised {
    bool ok = false;
    QString message; // why nothing was made, when not ok
    WaveInfo info;   // RepeatBit 0
    int pairs = 0;
    int entries = 0;
    // Entries that had to be merged beyond the tolerance to fit 16 (0: none).
    int merges = 0;
    // The largest difference between an input duration and its entry's.
    int maxDeviationUs = 0;
    double maxDeviationPercent = 0;
    int32_t carrierHz = 0;       // as the signal gave it
    bool carrierRounded = false; // Carry × 100 differs from it
    int32_t closingSpaceUs = 0;  // the space added after a final mark, 0: none

    // What a reader of the result should be told: the carrier's rounding, the
    // closing space, the merges with their deviation.
    std::vector<QString> notes() const;
};

// `gapUs` above 0 is the closing space the signal's format gave; otherwise
// options.closingSpaceUs is used.
Quantised quantise(const FlatSignal &signal, const QuantiseOptions &options = {},
                   int32_t gapUs = 0);

// "38.0 kHz" for Carry 380.
QString carrierText(int carry);

} // namespace zevo3
