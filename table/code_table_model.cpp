#include "code_table_model.h"

#include "text_codec.h"

#include <QBrush>
#include <QPalette>

namespace zevo3 {

namespace {
const char *const kHeaders[CodeTable::kColumns] = {"LNo.", "Carry", "Frames", "Comments", "Result"};
}

int CodeTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : CodeTable::kRows;
}

int CodeTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : CodeTable::kColumns;
}

QVariant CodeTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        if (index.column() == CodeTable::kColNumber)
            return QString::fromLatin1(CodeTable::rowNumberText(row));
        return toDisplay(table_.cell(row, index.column()));
    }
    if (role == Qt::BackgroundRole && index.column() == CodeTable::kColNumber)
        return QPalette().button();
    if (role == Qt::ForegroundRole && index.column() == CodeTable::kColNumber)
        return QPalette().buttonText();
    return {};
}

bool CodeTableModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    // A comma or a line end would split the row in the table file, and a
    // character without a CP932 form would not survive it.
    const QString text = value.toString();
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('\r')) ||
        text.contains(QLatin1Char('\n')) || !encodableInCp932(text))
        return false;
    table_.setCell(index.row() + 1, index.column(), toCp932(text));
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags CodeTableModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // The row numbers are fixed: never the current cell, never selected.
    if (index.column() == CodeTable::kColNumber) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // The Carry text comes from files and the editor; the operator types into
    // Frames, Comments and Result only.
    if (index.column() >= CodeTable::kColFrames) f |= Qt::ItemIsEditable;
    return f;
}

QVariant CodeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < CodeTable::kColumns)
        return QString::fromLatin1(kHeaders[section]);
    return {};
}

RowRange CodeTableModel::pasteRow(int copyMark, int current) {
    const RowRange rows = table_.paste(copyMark, current);
    rowsChanged(rows);
    return rows;
}

RowRange CodeTableModel::deleteRow(int current) {
    const RowRange rows = table_.deleteRow(current);
    rowsChanged(rows);
    return rows;
}

RowRange CodeTableModel::insertRow(int current) {
    const RowRange rows = table_.insertRow(current);
    rowsChanged(rows);
    return rows;
}

void CodeTableModel::clearTable() {
    beginResetModel();
    table_.ClearTable();
    endResetModel();
}

void CodeTableModel::replaceTable(const CodeTable &table) {
    beginResetModel();
    table_ = table;
    endResetModel();
}

RowRange CodeTableModel::takeRows(const CodeTable &source, const RowRange &rows) {
    for (int row = std::max(rows.first, 1); row <= std::min(rows.last, int(CodeTable::kRows));
         ++row) {
        for (int column = CodeTable::kColCarry; column <= CodeTable::kColResult; ++column)
            table_.setCell(row, column, source.cell(row, column));
        table_.waveInfo(row) = source.waveInfo(row);
    }
    rowsChanged(rows);
    return rows;
}

void CodeTableModel::rowsChanged(const RowRange &rows) {
    if (rows.empty()) return;
    emit dataChanged(index(rows.first - 1, CodeTable::kColCarry),
                     index(rows.last - 1, CodeTable::kColResult));
}

void CodeTableModel::refresh() {
    emit dataChanged(index(0, 0), index(CodeTable::kRows - 1, CodeTable::kColumns - 1));
}

} // namespace zevo3
