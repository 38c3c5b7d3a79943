#include "wave_grid_model.h"

namespace zevo3 {

int WaveGridModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : WaveGridData::kRows;
}

int WaveGridModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : WaveGridData::kColumns;
}

QVariant WaveGridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return {};
    const int column = index.column() + 1;
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(grid_.cell(column, index.row() + 1).trimmed());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (column == WaveGridData::kHigh || column == WaveGridData::kWidth
                                        ? Qt::AlignRight
                                        : Qt::AlignHCenter));
    return {};
}

QVariant WaveGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical)
        return QString::fromLatin1(WaveGridData::rowLabel(section + 1));
    static const char *const names[] = {" High", " Width", " Pno", "Logic"};
    return section >= 0 && section < 4 ? QString::fromLatin1(names[section]) : QVariant();
}

Qt::ItemFlags WaveGridModel::flags(const QModelIndex &index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void WaveGridModel::rowsChanged(int rows) {
    if (rows <= 0) return;
    emit dataChanged(index(0, 0), index(std::min(rows, WaveGridData::kRows) - 1, 3));
}

} // namespace zevo3
