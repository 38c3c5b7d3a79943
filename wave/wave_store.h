#pragma once
// The waveform store: one learned infrared pulse train, in microseconds, and
// what fills it from a code table row's timing description.
//
// Pulse k rises at the sum of the widths of pulses 0..k-1 and falls `High`
// later; its low part, `Width` - `High`, is not stored. `lastPulse` 0 means
// the store is empty: every reader looks at it first and never shows the old
// pulses that clearing leaves behind.

#include "code_table.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zevo3 {

class WaveGridData;

struct WavePulse {
    int32_t High = 0;  // microseconds raised
    int32_t Width = 0; // rising edge to the next rising edge
    bool operator==(const WavePulse &) const = default;
};

// The first line of a wave text file: its "Carry" and "Comments" texts, as
// the file holds them (CP932).
struct WaveFileHeader {
    QByteArray carry;
    QByteArray comments;
    bool operator==(const WaveFileHeader &) const = default;
};

struct WaveStore {
    static constexpr int kPulses = 4097; // indices 0..4096

    std::array<WavePulse, kPulses> pulses{};
    int32_t lastPulse = 0; // index of the last valid pulse; 0 = empty
    int32_t carrier = 0;   // tenths of a kilohertz (380 = 38.0 kHz)
    int32_t tableRow = 0;  // the code table row of the code; 0 or less = none
    // Set while the pulses are those of a wave file: the annotation, the
    // print's header and the export then take the file's own first line
    // instead of a table row's.
    std::optional<WaveFileHeader> fileHeader;

    bool empty() const { return lastPulse <= 0; }
    // The number of valid pulses: lastPulse + 1, or 0 when empty.
    int count() const { return empty() ? 0 : lastPulse + 1; }
    // Clearing keeps the pulses, the carrier and the row; only the count
    // goes, and with it the file the pulses came from.
    void clear() {
        lastPulse = 0;
        fileHeader.reset();
    }
};

// What filling from a table row did.
struct WaveFill {
    int pulses = 0; // pulses now in the store (0 = empty)
    QString notice; // why the row was shown only in part or not at all; empty when whole
};

// Fills the store and the wave data grid from row `row` of the table: pulse k
// is the pattern entry Pcode[k] of the row's timing description, for k = 0 ..
// DataBits - 1; the carrier is the description's Carry. Filling stops before
// the first pulse that is not valid (a pattern entry with High greater than
// Width or below zero, a pattern code beyond the 16 entries) and at the 4096
// codes of a row; what stopped it is in the notice. A row with fewer than two
// valid pulses leaves the store empty. The grid holds one row per pulse and
// nothing after it.
WaveFill fillWaveFromRow(const CodeTable &table, int row, WaveStore &store, WaveGridData &grid);

// Pattern numbers for a pulse train that came without them (a wave file read
// back): pulses whose High and Width lie within the given percentages of an
// earlier pulse's share its number; numbers go 0, 1, 2, ... in order of first
// appearance.
std::vector<int> classifyPulses(const std::vector<WavePulse> &pulses, int highPercent,
                                int widthPercent);

// Fills the store and the grid with given pulses and their pattern numbers
// (a wave file read back). The caller has checked them; at most the grid's
// rows are taken, and fewer than two leave the store empty.
void fillWaveFromPulses(const std::vector<WavePulse> &pulses, const std::vector<int> &pnos,
                        int32_t carrier, int32_t tableRow, WaveStore &store, WaveGridData &grid);

} // namespace zevo3
