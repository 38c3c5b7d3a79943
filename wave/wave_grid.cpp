#include "wave_grid.h"

#include "code_table.h"

#include <algorithm>

namespace zevo3 {

namespace {

const QByteArray kEmpty;

// A cell as a decimal number, blanks around it allowed; 0 when it is not one.
int64_t cellNumber(const WaveGridData &grid, int column, int row) {
    return decimalOr(trimmedCell(grid.cell(column, row)), 0);
}

} // namespace

WaveGridData::WaveGridData() : rows_(kRows) {
}

const QByteArray &WaveGridData::cell(int column, int row) const {
    if (!validCell(column, row)) return kEmpty;
    return rows_[row - 1][column - 1];
}

void WaveGridData::setCell(int column, int row, const QByteArray &text) {
    if (!validCell(column, row)) return;
    rows_[row - 1][column - 1] = text;
    if (!text.isEmpty()) highestWritten_ = std::max(highestWritten_, row);
}

QByteArray WaveGridData::rowLabel(int row) {
    return QByteArray::number(row - 1).rightJustified(5, ' ');
}

QByteArray logicText(int32_t high, int32_t width) {
    // Read as pulse-distance coding: a low part at least twice the high part
    // is a 1.
    return int64_t(width) - high >= 2 * int64_t(high) ? QByteArrayLiteral("1")
                                                      : QByteArrayLiteral("0");
}

void WaveGridData::setPulse(int pulse, int32_t high, int32_t width, int pno) {
    const int row = pulse + 1;
    if (row < 1 || row > kRows) return;
    setCell(kHigh, row, QByteArray::number(high).rightJustified(kWaveValueWidth, ' '));
    setCell(kWidth, row, QByteArray::number(width).rightJustified(kWaveValueWidth, ' '));
    setCell(kPno, row, QByteArray::number(pno));
    setCell(kLogic, row, logicText(high, width));
}

void WaveGridData::clearAll() {
    for (int row = 1; row <= highestWritten_; ++row)
        for (QByteArray &text : rows_[row - 1])
            text.clear();
    highestWritten_ = 0;
}

int WaveGridData::clearFilledRows() {
    int row = 1;
    for (; row <= kRows && !cell(kHigh, row).isEmpty(); ++row)
        for (QByteArray &text : rows_[row - 1])
            text.clear();
    // Rows after a gap keep their text, so the written range stays as it was
    // unless everything up to it was emptied.
    if (row > highestWritten_) highestWritten_ = 0;
    return row - 1;
}

PnoRange showPnoRange(const WaveGridData &grid, int slot, const QByteArray &pnoText,
                      int lastPulse) {
    PnoRange range;
    const int base = 4 * slot;
    if (grid.cell(base + WaveGridData::kHigh, 1).isEmpty()) return range;
    range.shown = true;
    const int32_t wanted = decimalOr(trimmedCell(pnoText), 0);
    const int last = std::min(lastPulse, WaveGridData::kRows);
    for (int row = 1; row <= last; ++row) {
        if (decimalOr(trimmedCell(grid.cell(base + WaveGridData::kPno, row)), 0) != wanted)
            continue;
        const QByteArray &h = grid.cell(base + WaveGridData::kHigh, row);
        const QByteArray &w = grid.cell(base + WaveGridData::kWidth, row);
        if (range.hmin.isEmpty()) range.hmin = h;
        if (range.hmax.isEmpty()) range.hmax = h;
        if (range.wmin.isEmpty()) range.wmin = w;
        if (range.wmax.isEmpty()) range.wmax = w;
        // Ordinal comparison of the texts, byte by byte.
        if (h < range.hmin)
            range.hmin = h;
        else if (range.hmax < h)
            range.hmax = h;
        if (w < range.wmin)
            range.wmin = w;
        else if (range.wmax < w)
            range.wmax = w;
    }
    return range;
}

QByteArray twText(int64_t micros) {
    if (micros < 0) micros = 0;
    return "tw:" + QByteArray::number(micros / 1000) + '.' +
           QByteArray::number(micros % 1000).rightJustified(3, '0') + "mS";
}

WaveMeasurement measureWave(const WaveGridData &grid, int slot, int referenceMarker, int mouseX,
                            int zoomDivisor) {
    const int widthColumn = 4 * slot + WaveGridData::kWidth;
    const int highColumn = 4 * slot + WaveGridData::kHigh;

    // The reference: the rising edge that follows the reference position.
    int64_t reference = 0;
    if (referenceMarker > 10) {
        const int64_t limit = int64_t(referenceMarker - 10) * zoomDivisor;
        for (int row = 1; row <= WaveGridData::kRows; ++row) {
            const int64_t width = cellNumber(grid, widthColumn, row);
            if (width == 0) break;
            reference += width;
            if (reference > limit) break;
        }
    }

    // The measured edge: inside the high part of a pulse its rising edge,
    // inside its low part its falling edge.
    const int64_t position = int64_t(mouseX - 10) * zoomDivisor;
    int64_t measured = 0;
    int row = 1;
    for (; row <= WaveGridData::kRows; ++row) {
        const int64_t width = cellNumber(grid, widthColumn, row);
        if (width == 0) break;
        measured += width;
        if (measured > position) {
            const int64_t high = cellNumber(grid, highColumn, row);
            const int64_t falling = measured - width + high;
            measured = falling > position ? falling - high : falling;
            break;
        }
    }
    WaveMeasurement result;
    result.micros = std::max<int64_t>(0, measured - reference);
    // The row the scan stopped at becomes current: the pulse the position
    // lies in or, beyond the last pulse, the first empty row. With every row
    // filled the scan runs off the grid, and the last row is taken.
    result.row = std::min(row, int(WaveGridData::kRows));
    result.text = twText(result.micros);
    return result;
}

} // namespace zevo3
