#include "layout_data.h"

#include "code_table.h"

#include <algorithm>
#include <cstdio>

namespace zevo3 {

QByteArray layoutCellText(int code, int frames, int wait) {
    char buffer[48];
    const int n = std::snprintf(buffer, sizeof buffer, "%03d(F%02d:W%02d)", code, frames, wait);
    return QByteArray(buffer, n);
}

LayoutCell readLayoutCell(const QByteArray &text) {
    return {decimalOr(text.mid(0, 3), 0), decimalOr(text.mid(5, 2), 3),
            decimalOr(text.mid(9, 2), 1)};
}

QByteArray layoutCellFramesText(const QByteArray &text) {
    return text.mid(5, 2);
}
QByteArray layoutCellWaitText(const QByteArray &text) {
    return text.mid(9, 2);
}

bool isLayoutCellText(const QByteArray &text) {
    static constexpr char kForm[] = "ddd(Fdd:Wdd)";
    if (text.size() != qsizetype(sizeof kForm - 1)) return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool ok = kForm[i] == 'd' ? text[i] >= '0' && text[i] <= '9' : text[i] == kForm[i];
        if (!ok) return false;
    }
    return true;
}

const QByteArray LayoutData::empty_;

const QByteArray &LayoutData::cell(int row, int column) const {
    if (!validCell(row, column)) return empty_;
    return cells_[size_t(row - 1)][size_t(column - 1)];
}

bool LayoutData::setCell(int row, int column, const QByteArray &text) {
    if (!validCell(row, column)) return false;
    cells_[size_t(row - 1)][size_t(column - 1)] = text;
    return true;
}

void LayoutData::InitLayout() {
    clearCells();
    currentFile.clear();
}

void LayoutData::clearCells() {
    cells_ = Cells();
}

std::optional<Assignment> LayoutData::SetLayoutCell(int row, int column, int code, int frames,
                                                    int wait) {
    if (!validCell(row, column) || code < 1 || code > kMaxCode) return std::nullopt;
    if (frames < 0 || frames > kMaxCount || wait < 0 || wait > kMaxCount) return std::nullopt;
    Assignment done;
    done.row = row;
    done.column = column;
    done.text = layoutCellText(code, frames, wait);
    done.status = QByteArray::number(row) + ':' + QByteArray::number(code);
    done.nextColumn = column < kColumns ? column + 1 : column;
    done.resetWait = wait != 1;
    setCell(row, column, done.text);
    return done;
}

std::optional<CellFollow> LayoutData::selectCell(int row, int column) const {
    const QByteArray &text = cell(row, column);
    if (text.isEmpty()) return std::nullopt;
    const int code = readLayoutCell(text).code;
    if (code < 1 || code > kMaxCode) return std::nullopt;
    return CellFollow{code, layoutCellFramesText(text), layoutCellWaitText(text)};
}

CellRect LayoutData::deleteCells(int row, int column, DeleteDirection direction) {
    if (!validCell(row, column)) return {};
    CellRect rect{row, column, row, column};
    if (direction != DeleteDirection::Column) rect.right = kColumns;
    if (direction != DeleteDirection::Row) rect.bottom = kRows;
    for (int r = rect.top; r <= rect.bottom; ++r)
        for (int c = rect.left; c <= rect.right; ++c)
            setCell(r, c, {});
    return rect;
}

WindowPlacement layoutWindowPlacement(int screenWidth, int mainTop, int mainWidth,
                                      int layoutWidth) {
    WindowPlacement placement;
    placement.layoutTop = mainTop;
    placement.layoutLeft = screenWidth - layoutWidth - 20;
    placement.mainLeft = std::max(0, placement.layoutLeft - mainWidth - 20);
    return placement;
}

} // namespace zevo3
