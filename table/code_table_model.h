#pragma once
// The code table behind the grid sGrid: model row r shows table row r + 1,
// column 0 the row number "001".."070" and columns 1..4 the cells.

#include "code_table.h"

#include <QAbstractTableModel>

namespace zevo3 {

class CodeTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CodeTableModel(CodeTable &table, QObject *parent = nullptr)
        : QAbstractTableModel(parent), table_(table) {}

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static QModelIndex indexFor(const QAbstractItemModel &model, int tableRow, int column) {
        return model.index(tableRow - 1, column);
    }

    CodeTable &table() { return table_; }
    // Tells the view that cells changed after the table was edited directly.
    void refresh();

    // The row menu and the New command, through the model so that views follow.
    RowRange pasteRow(int copyMark, int current);
    RowRange deleteRow(int current);
    RowRange insertRow(int current);
    void clearTable();
    // Replaces the whole table, e.g. by what the table file reader read.
    void replaceTable(const CodeTable &table);
    // Takes these rows, cells and timing descriptions, from `source`: a copy
    // of the table that an import was stored into.
    RowRange takeRows(const CodeTable &source, const RowRange &rows);

private:
    void rowsChanged(const RowRange &rows);

public:
private:
    CodeTable &table_;
};

} // namespace zevo3
