#pragma once
// The remote-control layout: 15 rows of 8 button positions, each empty or a
// layout cell text "%03d(F%02d:W%02d)" (code number, frame count, wait count),
// e.g. 012(F03:W01). This is the only copy of the layout; the grid shows it
// through LayoutModel.

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace zevo3 {

// The three numbers of a layout cell text, read by their fixed character
// positions: code from characters 1-3 (0 when not a number), frame count from
// 6-7 (3 when not a number), wait count from 10-11 (1 when not a number).
struct LayoutCell {
    int code = 0;
    int frames = 3;
    int wait = 1;
    bool operator==(const LayoutCell &) const = default;
};

// "%03d(F%02d:W%02d)".
QByteArray layoutCellText(int code, int frames, int wait);
LayoutCell readLayoutCell(const QByteArray &text);
// Characters 6-7 and 10-11 as they stand (what the Frames and Wait boxes show
// when a cell is selected).
QByteArray layoutCellFramesText(const QByteArray &text);
QByteArray layoutCellWaitText(const QByteArray &text);
// Whether the text is exactly of the layout cell form: three digits, "(F",
// two digits, ":W", two digits, ")".
bool isLayoutCellText(const QByteArray &text);

// Directions of "Cell 削除".
enum class DeleteDirection {
    Row,    // 行方向に削除→: the cell and the rest of its row to the right
    Column, // 列方向に削除↓: the cell and the cells below it
    Both,   // 両方向に削除↓→: the rectangle from the cell to the bottom right
};

// A rectangle of layout cells, rows and columns 1-based and inclusive.
struct CellRect {
    int top = 0;
    int left = 0;
    int bottom = -1;
    int right = -1;
    bool empty() const { return bottom < top || right < left; }
    bool operator==(const CellRect &) const = default;
};

// What assigning a code to the current cell did (the table double-click).
struct Assignment {
    int row = 0;
    int column = 0;
    QByteArray text;    // written into (column, row)
    QByteArray status;  // status bar panel 0: "row:code", e.g. "3:12"
    int nextColumn = 0; // the current column afterwards: one to the right, column 8 stays
    // The Wait box goes back to "01" after the next cell was selected (the
    // first button of a run takes the wait, the following ones 1).
    bool resetWait = false;
};

// What selecting a cell asks of the code table and the Frames and Wait boxes.
struct CellFollow {
    int code = 0;          // the code table's current row
    QByteArray framesText; // the Frames box
    QByteArray waitText;   // the Wait box
};

class LayoutData {
public:
    static constexpr int kRows = 15;
    static constexpr int kColumns = 8;
    static constexpr int kMaxCode = 70;  // codes are code table rows
    static constexpr int kMaxCount = 99; // frames and wait fit two digits

    static bool validCell(int row, int column) {
        return row >= 1 && row <= kRows && column >= 1 && column <= kColumns;
    }

    const QByteArray &cell(int row, int column) const;
    // Stores the text as it stands (the file reader does so with whatever the
    // file holds). False outside the grid.
    bool setCell(int row, int column, const QByteArray &text);

    // Every cell empty and no current layout file.
    void InitLayout();
    // Every cell empty; the current file stays.
    void clearCells();

    // SetLayoutCell: the code with the frame and wait counts into (column, row),
    // an occupied cell overwritten. Refused (nothing changes) outside the grid,
    // for a code outside 1..70, or for counts outside 0..99, which would not
    // fit the cell text's two-digit places and read back wrongly.
    std::optional<Assignment> SetLayoutCell(int row, int column, int code, int frames, int wait);

    // sGridSelectCell: nothing for an empty cell, or one whose code is not a
    // code table row (0 or less, or above 70).
    std::optional<CellFollow> selectCell(int row, int column) const;

    // "Cell 削除" from (column, row) in a direction: the cells it emptied.
    CellRect deleteCells(int row, int column, DeleteDirection direction);

    // The path of the current layout file ("" when there is none): set by
    // loading, cleared by InitLayout, never changed by saving.
    QString currentFile;

    using Cells = std::array<std::array<QByteArray, kColumns>, kRows>;
    const Cells &cells() const { return cells_; }

private:
    Cells cells_;
    static const QByteArray empty_;
};

// btnLayoutClick, showing the layout window: it goes to the right edge of the
// screen, level with the main window, and the main window moves to its left.
struct WindowPlacement {
    int layoutLeft = 0;
    int layoutTop = 0;
    int mainLeft = 0;
    bool operator==(const WindowPlacement &) const = default;
};
WindowPlacement layoutWindowPlacement(int screenWidth, int mainTop, int mainWidth, int layoutWidth);

} // namespace zevo3
