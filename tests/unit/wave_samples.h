#pragma once
// A code table row with a pulse-distance code: a leader, 32 data bits and a
// stop pulse, as the unit learns a common TV remote.

#include "code_table.h"
#include "wave_store.h"

namespace zevo3::test {

// Pattern entries: 0 leader (9000/13500), 1 short (560/1120), 2 long
// (560/2250), 3 stop (560/40000).
inline void putNecRow(CodeTable &table, int row, int dataBits = 34) {
    WaveInfo &info = table.waveInfo(row);
    info.Carry = 380;
    info.DataBits = dataBits;
    const int32_t highs[] = {9000, 560, 560, 560};
    const int32_t widths[] = {13500, 1120, 2250, 40000};
    for (int i = 0; i < 4; ++i) {
        info.High[i] = highs[i];
        info.Width[i] = widths[i];
    }
    info.Pcode[0] = 0;
    for (int k = 1; k <= 32; ++k)
        info.Pcode[k] = (k % 3 == 0) ? 2 : 1;
    info.Pcode[33] = 3;
    table.setCell(row, CodeTable::kColCarry, "38.0kHz");
    table.setCell(row, CodeTable::kColComments, "TV power");
}

// Pulse k of a store, which then ends there.
inline void appendPulse(WaveStore &store, int &k, int high, int width) {
    store.pulses[size_t(k)] = {high, width};
    store.lastPulse = k++;
}

// One Eiritsu frame whose sample n reads "1" (low) where bits[n] is '1':
// pulse n is 833 µs wide, so sample n (260 µs into the frame, then every
// 833 µs) falls 260 µs into pulse n; a High of 400 puts it in the high part
// ("0"), a High of 100 in the low part ("1"). The last pulse is 300 µs wider,
// so that it is the first one to end after the frame's last sample plus one
// spacing, and the next frame starts exactly where it ends.
inline void eiritsuFrame(WaveStore &store, int &k, const char (&bits)[33]) {
    for (int n = 0; n < 32; ++n)
        appendPulse(store, k, bits[n] == '1' ? 100 : 400, n == 31 ? 1133 : 833);
}

} // namespace zevo3::test
