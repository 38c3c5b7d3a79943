#include "layout_model.h"

#include "text_codec.h"

namespace zevo3 {

int LayoutModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : LayoutData::kRows;
}

int LayoutModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : LayoutData::kColumns + 1;
}

QVariant LayoutModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const int row = index.row() + 1;
    if (index.column() == 0) return rowLabel(row);
    return toDisplay(layout_.cell(row, index.column()));
}

bool LayoutModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() == 0) return false;
    const QByteArray bytes = toCp932(value.toString());
    if (!bytes.isEmpty()) {
        if (!isLayoutCellText(bytes)) return false;
        const LayoutCell cell = readLayoutCell(bytes);
        if (cell.code < 1 || cell.code > LayoutData::kMaxCode) return false;
    }
    layout_.setCell(index.row() + 1, index.column(), bytes);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags LayoutModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // The row labels are fixed; button cells are selected, never edited in place.
    if (index.column() == 0) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant LayoutModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        if (section == 0) return QStringLiteral("CNo.");
        if (section >= 1 && section <= LayoutData::kColumns) return columnHeader(section);
    } else if (section >= 0 && section < LayoutData::kRows) {
        return rowLabel(section + 1);
    }
    return {};
}

std::optional<Assignment> LayoutModel::SetLayoutCell(int row, int column, int code, int frames,
                                                     int wait) {
    std::optional<Assignment> done = layout_.SetLayoutCell(row, column, code, frames, wait);
    if (done) {
        const QModelIndex changed = cellIndex(row, column);
        emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
    }
    return done;
}

CellRect LayoutModel::deleteCells(int row, int column, DeleteDirection direction) {
    const CellRect rect = layout_.deleteCells(row, column, direction);
    if (!rect.empty())
        emit dataChanged(cellIndex(rect.top, rect.left), cellIndex(rect.bottom, rect.right),
                         {Qt::DisplayRole, Qt::EditRole});
    return rect;
}

void LayoutModel::InitLayout() {
    beginResetModel();
    layout_.InitLayout();
    endResetModel();
}

void LayoutModel::replaceCells(const LayoutData &cells) {
    beginResetModel();
    for (int row = 1; row <= LayoutData::kRows; ++row)
        for (int column = 1; column <= LayoutData::kColumns; ++column)
            layout_.setCell(row, column, cells.cell(row, column));
    endResetModel();
}

QString LayoutModel::rowLabel(int row) {
    return QStringLiteral(" %1").arg(row, 2);
}

QString LayoutModel::columnHeader(int column) {
    return QStringLiteral("R%1(Fct:Wct)").arg(column, 2, 10, QLatin1Char('0'));
}

} // namespace zevo3
