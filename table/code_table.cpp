#include "code_table.h"

#include <algorithm>

namespace zevo3 {

const QByteArray CodeTable::empty_;

const QByteArray &CodeTable::cell(int row, int column) const {
    if (!validRow(row) || !validColumn(column)) return empty_;
    return rows_[size_t(row - 1)].cells[size_t(column - 1)];
}

void CodeTable::setCell(int row, int column, const QByteArray &text) {
    if (validRow(row) && validColumn(column))
        rows_[size_t(row - 1)].cells[size_t(column - 1)] = text;
}

const WaveInfo &CodeTable::waveInfo(int row) const {
    return rows_[size_t(std::clamp(row, 1, kRows) - 1)].info;
}

WaveInfo &CodeTable::waveInfo(int row) {
    return rows_[size_t(std::clamp(row, 1, kRows) - 1)].info;
}

QByteArray CodeTable::rowNumberText(int row) {
    return QByteArray::number(row).rightJustified(3, '0');
}

} // namespace zevo3
