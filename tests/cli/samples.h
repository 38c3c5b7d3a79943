#pragma once
// Tables and layouts the command-line tests start from.

#include "code_table.h"
#include "layout_data.h"
#include "layout_file.h"
#include "table_file.h"

#include <QByteArray>
#include <memory>

namespace zevo3::samples {

inline const QByteArray kTvVolume = "\x83\x65\x83\x8c\x83\x72 \x89\xb9\x97\xca"; // "テレビ 音量"

// Rows 1 to 3 with timing descriptions (row 2 with CP932 texts, row 3 with an
// odd count of codes and negative, wide values), row 4 empty, row 5 a code
// after the gap.
inline std::unique_ptr<CodeTable> table() {
    auto table = std::make_unique<CodeTable>();
    auto fill = [&](int row, QByteArray comments, int32_t carry, std::vector<uint8_t> codes) {
        table->setCell(row, 1, "38.0kHz");
        table->setCell(row, 2, "3");
        table->setCell(row, 3, comments);
        table->setCell(row, 4, "01FE");
        WaveInfo &info = table->waveInfo(row);
        info.Carry = carry;
        info.DataBits = int32_t(codes.size());
        std::copy(codes.begin(), codes.end(), info.Pcode.begin());
        info.High[0] = 350;
        info.Width[0] = 700;
        info.High[1] = 350;
        info.Width[1] = 1400;
    };
    fill(1, "TV power", 380, {0, 1, 1, 0, 2});
    fill(2, kTvVolume, 400, {0, 1, 0, 1});
    fill(3, "wide", 361, {15, 14, 13});
    table->waveInfo(3).RepeatBit = -2;
    table->waveInfo(3).High[15] = -1234567;
    table->waveInfo(3).Width[15] = 2147483647;
    fill(5, "after the gap", 380, {1, 2});
    return table;
}

inline LayoutData layout() {
    LayoutData layout;
    layout.setCell(1, 1, "001(F03:W01)");
    layout.setCell(1, 2, "002(F03:W05)");
    layout.setCell(2, 8, "003(F10:W01)");
    return layout;
}

} // namespace zevo3::samples
