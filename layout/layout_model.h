#pragma once
// The layout behind the layout window's grid sGrid: model row r shows layout
// row r + 1, column 0 the row label " %2d" and columns 1..8 the button cells.
// The operator cannot type into cells; they change through the operations
// below, which tell the views what changed.

#include "layout_data.h"

#include <QAbstractTableModel>

namespace zevo3 {

class LayoutModel : public QAbstractTableModel {
    Q_OBJECT
public:
    LayoutModel(LayoutData &layout, QObject *parent = nullptr)
        : QAbstractTableModel(parent), layout_(layout) {}

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // Takes the empty text or a layout cell text of a code table row (code
    // 1..70, counts 0..99); refuses anything else, and the row label column.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The model index of a layout cell (row 1..15, column 1..8).
    QModelIndex cellIndex(int row, int column) const { return index(row - 1, column); }

    LayoutData &layout() { return layout_; }

    // The operations of the layout window, through the model.
    std::optional<Assignment> SetLayoutCell(int row, int column, int code, int frames, int wait);
    CellRect deleteCells(int row, int column, DeleteDirection direction);
    void InitLayout();
    // Replaces every cell, e.g. by what the layout file reader read.
    void replaceCells(const LayoutData &cells);

    // " 1" .. "15": the label of a layout row.
    static QString rowLabel(int row);
    // "R01(Fct:Wct)" .. "R08(Fct:Wct)".
    static QString columnHeader(int column);

private:
    LayoutData &layout_;
};

} // namespace zevo3
