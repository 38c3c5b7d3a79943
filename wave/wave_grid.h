#pragma once
// The texts of the wave data grid: one row per pulse of the store, rows 1 to
// 4096, with four columns per store slot (" High", " Width", " Pno", "Logic";
// slot 0 in columns 1 to 4). The measurement with the mouse and the pattern
// number ranges read these texts, not the store.

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

namespace zevo3 {

class WaveGridData {
public:
    static constexpr int kRows = 4096; // data rows 1..4096
    static constexpr int kColumns = 4; // columns 1..4 (slot 0)
    enum Column { kHigh = 1, kWidth = 2, kPno = 3, kLogic = 4 };

    WaveGridData();

    // Column 1..4, row 1..4096; anything else reads as empty and is not written.
    const QByteArray &cell(int column, int row) const;
    void setCell(int column, int row, const QByteArray &text);
    static bool validCell(int column, int row) {
        return column >= 1 && column <= kColumns && row >= 1 && row <= kRows;
    }
    // The label of data row r: the pulse index r - 1 in five places.
    static QByteArray rowLabel(int row);

    // Writes pulse k's texts into row k + 1: High and Width right-aligned in a
    // fixed width (so that text order is numeric order), the pattern code in
    // decimal and the level text.
    void setPulse(int pulse, int32_t high, int32_t width, int pno);
    // Every data cell empty.
    void clearAll();
    // Empties rows 1, 2, ... while the row's " High" cell is not empty, and
    // stops at the first empty one: rows after a gap keep their text.
    // Returns the last row emptied (0 when none).
    int clearFilledRows();

    // Rows written since the last clear, as a hint for views: 1..dirtyRows.
    int highestWrittenRow() const { return highestWritten_; }

private:
    std::vector<std::array<QByteArray, kColumns>> rows_;
    int highestWritten_ = 0;
};

// The text width of the " High" and " Width" cells.
inline constexpr int kWaveValueWidth = 7;
// The "Logic" text of a pulse.
QByteArray logicText(int32_t high, int32_t width);

// The four range panels for a pattern number, as text.
struct PnoRange {
    bool shown = false; // false: the store is empty and the panels keep their texts
    QByteArray hmin, hmax, wmin, wmax;
    bool operator==(const PnoRange &) const = default;
};

// The smallest and largest " High" and " Width" texts among rows 1 to
// `lastPulse` whose " Pno" (blanks trimmed) equals the pattern number `pnoText`
// (0 when it is not a number). Texts are compared character by character, not
// as numbers. Not shown when row 1's " High" is empty.
PnoRange showPnoRange(const WaveGridData &grid, int slot, const QByteArray &pnoText, int lastPulse);

// The cursor measurement on the grid: the time from the rising edge after the
// reference marker to the edge before the mouse.
struct WaveMeasurement {
    int64_t micros = 0; // never below zero
    int row = 1;        // the grid row to make current: where the scan stopped
    QByteArray text;    // "tw:12.045mS"
    bool operator==(const WaveMeasurement &) const = default;
};
WaveMeasurement measureWave(const WaveGridData &grid, int slot, int referenceMarker, int mouseX,
                            int zoomDivisor);
QByteArray twText(int64_t micros);

} // namespace zevo3
