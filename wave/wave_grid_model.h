#pragma once
// The wave data grid's texts behind a table model: model row r - 1 and
// column c - 1 show grid row r and column c; the row labels (" Wno") are the
// vertical header.

#include "wave_grid.h"

#include <QAbstractTableModel>

namespace zevo3 {

class WaveGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    WaveGridModel(WaveGridData &grid, QObject *parent = nullptr)
        : QAbstractTableModel(parent), grid_(grid) {}

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The grid's texts changed in rows 1..rows.
    void rowsChanged(int rows);

private:
    WaveGridData &grid_;
};

} // namespace zevo3
