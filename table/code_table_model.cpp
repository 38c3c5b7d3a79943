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
    return {};
}

bool CodeTableModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() == CodeTable::kColNumber)
        return false;
    table_.setCell(index.row() + 1, index.column(), toCp932(value.toString()));
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags CodeTableModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
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

void CodeTableModel::refresh() {
    emit dataChanged(index(0, 0), index(CodeTable::kRows - 1, CodeTable::kColumns - 1));
}

} // namespace zevo3
