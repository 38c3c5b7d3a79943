#pragma once
// The in-place editor of the code table's Frames, Comments and Result cells.
// The table file has no quoting, so a comma would split the cell when the
// file is read back: the editor does not take a typed comma, and text pasted
// into it has its commas replaced by the full-width "，" and its line ends by
// blanks. Characters without a CP932 form (the files' and the unit's
// encoding) are refused, so what is shown is what is saved.

#include <QStyledItemDelegate>
#include <QValidator>

namespace zevo3 {

class CellTextValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

class CellEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

signals:
    // Enter was pressed in the editor of this cell (it is committed and
    // closed as usual).
    void editorEnter(const QModelIndex &index);
    // A typed comma was not taken (a comma cannot be part of a cell).
    void commaRefused();

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    mutable QPersistentModelIndex editing_;
};

} // namespace zevo3
