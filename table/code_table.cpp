#include "code_table.h"

#include <algorithm>
#include <limits>

namespace zevo3 {

QByteArray trimmedCell(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && uint8_t(text[begin]) <= 0x20)
        ++begin;
    while (end > begin && uint8_t(text[end - 1]) <= 0x20)
        --end;
    return text.sliced(begin, end - begin).toByteArray();
}

bool parseDecimal(QByteArrayView text, int32_t *value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    // Accumulated as a negative number, which also holds the lowest value.
    int64_t result = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        result = result * 10 - (c - '0');
        if (result < int64_t(std::numeric_limits<int32_t>::min())) return false;
    }
    if (!negative) {
        result = -result;
        if (result > std::numeric_limits<int32_t>::max()) return false;
    }
    *value = int32_t(result);
    return true;
}

int32_t decimalOr(QByteArrayView text, int32_t fallback) {
    int32_t value = fallback;
    return parseDecimal(text, &value) ? value : fallback;
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

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

bool CodeTable::occupied(int row) const {
    return !trimmedCell(cell(row, kColCarry)).isEmpty();
}

void CodeTable::ClearTable() {
    for (int row = 1; row <= kRows; ++row)
        clearRow(row);
}

void CodeTable::ClearWaveInfo(int row) {
    if (validRow(row)) rows_[size_t(row - 1)].info = WaveInfo();
}

void CodeTable::clearRow(int row) {
    if (validRow(row)) rows_[size_t(row - 1)] = Row();
}

RowRange CodeTable::paste(int copyMark, int current) {
    if (!validRow(copyMark) || !validRow(current) || copyMark == current) return {};
    rows_[size_t(current - 1)] = rows_[size_t(copyMark - 1)];
    return {current, current};
}

RowRange CodeTable::deleteRow(int current) {
    if (!validRow(current)) return {};
    for (int i = current; i < kRows; ++i)
        rows_[size_t(i - 1)] = std::move(rows_[size_t(i)]);
    clearRow(kRows);
    return {current, kRows};
}

RowRange CodeTable::insertRow(int current) {
    if (!validRow(current)) return {};
    for (int i = kRows; i > current; --i)
        rows_[size_t(i - 1)] = std::move(rows_[size_t(i - 2)]);
    clearRow(current);
    return {current, kRows};
}

int CodeTable::nextFreeRow(int current) const {
    for (int row = std::max(current, 1); row < kRows; ++row)
        if (!occupied(row)) return row;
    return 0;
}

} // namespace zevo3
