#pragma once
// The largest table and layout the files hold: 70 rows, each with texts,
// 16 pattern entries and 4096 pattern codes, and all 120 layout cells.

#include "code_table.h"
#include "layout_data.h"

#include <memory>

namespace zevo3::bench {

inline std::unique_ptr<CodeTable> fullTable() {
    auto table = std::make_unique<CodeTable>();
    for (int row = 1; row <= CodeTable::kRows; ++row) {
        table->setCell(row, 1, "38.0kHz");
        table->setCell(row, 2, "3");
        table->setCell(row, 3, "\x83\x65\x83\x8c\x83\x72 " + QByteArray::number(row)); // テレビ
        table->setCell(row, 4, "01FE");
        WaveInfo &info = table->waveInfo(row);
        info.Carry = 380;
        info.DataBits = WaveInfo::kPcodes;
        for (int i = 0; i < WaveInfo::kPatterns; ++i) {
            info.High[size_t(i)] = 350 + i;
            info.Width[size_t(i)] = 700 * (i + 1);
        }
        for (int i = 0; i < WaveInfo::kPcodes; ++i)
            info.Pcode[size_t(i)] = uint8_t((i * 7 + row) % 16);
    }
    return table;
}

inline LayoutData fullLayout() {
    LayoutData layout;
    for (int row = 1; row <= LayoutData::kRows; ++row)
        for (int column = 1; column <= LayoutData::kColumns; ++column)
            layout.SetLayoutCell(row, column, (row * 8 + column) % CodeTable::kRows + 1, 3, 1);
    return layout;
}

} // namespace zevo3::bench
