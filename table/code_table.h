#pragma once
// The code table: 70 rows, numbered 1 to 70, each with four text cells
// (Carry, Frames, Comments, Result) and a hidden timing description.

#include <QByteArray>
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

private:
    struct Row {
        std::array<QByteArray, 4> cells;
        WaveInfo info;
    };
    std::array<Row, kRows> rows_;
    static const QByteArray empty_;
};

} // namespace zevo3
