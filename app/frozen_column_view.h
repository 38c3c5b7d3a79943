#pragma once
// A table view whose column 0 (the row labels) stays in place while the
// other columns scroll sideways. A second view, showing only column 0 with
// the same model and selection, lies over the left edge of this one and
// follows its rows, fonts and sizes.

#include <QTableView>

namespace zevo3 {

class FrozenColumnView : public QTableView {
    Q_OBJECT
public:
    explicit FrozenColumnView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    // The view over column 0.
    QTableView *frozenView() const { return frozen_; }

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

private:
    // Sizes, fonts and headers of this view copied to the frozen one.
    void syncFrozen();
    void placeFrozen();

    QTableView *frozen_ = nullptr;
};

} // namespace zevo3
