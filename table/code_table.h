#pragma once
// The code table: 70 rows, numbered 1 to 70, each with four text cells
// (Carry, Frames, Comments, Result) and a hidden timing description.
//
// The row operations of the row menu (paste, delete, insert) and the New
// command work here, without a grid; each returns the rows it changed so that
// a model can tell its views.

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstdint>

namespace zevo3 {

struct WaveInfo {
    static constexpr int kPatterns = 16;
    static constexpr int kPcodes = 4096;

    int32_t Carry = 0;
    int32_t DataBits = 0;
    int32_t RepeatBit = 0;
    std::array<int32_t, kPatterns> High{};
    std::array<int32_t, kPatterns> Width{};
    std::array<uint8_t, kPcodes> Pcode{};

    // A row without a timing description has Carry 0.
    bool present() const { return Carry != 0; }
    bool operator==(const WaveInfo &) const = default;
};

// Table rows first..last (1-based, inclusive) whose cells or WaveInfo changed.
struct RowRange {
    int first = 0;
    int last = -1;

    bool empty() const { return last < first; }
    bool contains(int row) const { return row >= first && row <= last; }
    bool operator==(const RowRange &) const = default;
};

// The text without blanks and control characters (bytes up to 0x20) at either
// end. CP932 trail bytes are never below 0x40, so a double-byte character is
// never cut.
QByteArray trimmedCell(QByteArrayView text);

// A decimal integer as printf's "%d" writes it: an optional sign and digits,
// nothing else, within 32 bits. False (and *value untouched) otherwise.
bool parseDecimal(QByteArrayView text, int32_t *value);
int32_t decimalOr(QByteArrayView text, int32_t fallback);

// The value of one hexadecimal digit (either case), or -1.
int hexDigitValue(char c);

class CodeTable {
public:
    static constexpr int kRows = 70;
    enum Column { kColNumber = 0, kColCarry = 1, kColFrames = 2, kColComments = 3, kColResult = 4 };
    static constexpr int kColumns = 5;

    // Cells of rows 1..70, columns 1..4, as CP932 bytes.
    const QByteArray &cell(int row, int column) const;
    void setCell(int row, int column, const QByteArray &text);
    const WaveInfo &waveInfo(int row) const;
    WaveInfo &waveInfo(int row);

    static bool validRow(int row) { return row >= 1 && row <= kRows; }
    static bool validColumn(int column) { return column >= 1 && column <= 4; }
    // "001" .. "070".
    static QByteArray rowNumberText(int row);

    // A row is occupied when its Carry text, trimmed, is not empty.
    bool occupied(int row) const;

    // The New command: every cell empty and every WaveInfo zero.
    void ClearTable();
    // Zeroes every field of the row's WaveInfo; the cells stay.
    void ClearWaveInfo(int row);
    // Cells and WaveInfo of the row emptied.
    void clearRow(int row);

    // The marked row's four cells and its WaveInfo copied over the current
    // row, as they are now. Nothing when the mark is 0 (nothing copied), the
    // current row is not a table row, or both are the same row.
    RowRange paste(int copyMark, int current);
    // Rows below the current one move up by one, cells and WaveInfo together;
    // row 70 is left empty. Rows current..70 change.
    RowRange deleteRow(int current);
    // Rows from the current one move down by one, the former row 70 is lost,
    // and the current row is left empty. Rows current..70 change.
    RowRange insertRow(int current);

    // The first row from `current` (at least row 1) up to row 69 whose Carry
    // cell is not occupied, or 0 when there is none. Row 70 is never chosen.
    int nextFreeRow(int current) const;

    bool operator==(const CodeTable &) const = default;

private:
    struct Row {
        std::array<QByteArray, 4> cells;
        WaveInfo info;
        bool operator==(const Row &) const = default;
    };
    std::array<Row, kRows> rows_;
    static const QByteArray empty_;
};

// The row menu's Copy: the row number it remembers (0 = nothing copied). It
// is a row number, not a copy of the row: Paste takes whatever that row
// holds at the time.
struct CopyMark {
    int row = 0;

    void copy(int current) {
        if (CodeTable::validRow(current)) row = current;
    }
    // Paste is offered once something was copied.
    bool canPaste() const { return row != 0; }
};

} // namespace zevo3
