#pragma once
// A code table row with a pulse-distance code: a leader, 32 data bits and a
// stop pulse, as the unit learns a common TV remote.

#include "code_table.h"

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

} // namespace zevo3::test
