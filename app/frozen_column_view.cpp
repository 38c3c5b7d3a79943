#include "frozen_column_view.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace zevo3 {

FrozenColumnView::FrozenColumnView(QWidget *parent) : QTableView(parent) {
    frozen_ = new QTableView(this);
    frozen_->setObjectName(QStringLiteral("frozenColumn"));
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(ScrollPerPixel);
    frozen_->setEditTriggers(NoEditTriggers);
    // Pixel steps sideways, so that the column beside the frozen one is
    // never left half under it.
    setHorizontalScrollMode(ScrollPerPixel);
    // The two vertical scroll bars hand each other their values: both count
    // pixels, or the labels and the rows beside them part.
    setVerticalScrollMode(ScrollPerPixel);
    viewport()->stackUnder(frozen_);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (section != 0) return;
                frozen_->setColumnWidth(0, size);
                placeFrozen();
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { frozen_->setRowHeight(section, size); });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
}

void FrozenColumnView::setModel(QAbstractItemModel *model) {
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    syncFrozen();
}

void FrozenColumnView::syncFrozen() {
    if (!model()) return;
    frozen_->setFont(font());
    frozen_->setSelectionMode(selectionMode());
    frozen_->setSelectionBehavior(selectionBehavior());
    QHeaderView *rows = frozen_->verticalHeader();
    rows->setVisible(verticalHeader()->isVisible());
    rows->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
    rows->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    rows->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->horizontalHeader()->setVisible(horizontalHeader()->isVisible());
    frozen_->horizontalHeader()->setFont(horizontalHeader()->font());
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    for (int column = 1; column < model()->columnCount(); ++column)
        frozen_->setColumnHidden(column, true);
    frozen_->setColumnWidth(0, columnWidth(0));
    for (int row = 0; row < model()->rowCount(); ++row)
        frozen_->setRowHeight(row, rowHeight(row));
    placeFrozen();
}

void FrozenColumnView::placeFrozen() {
    frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                         viewport()->height() + horizontalHeader()->height());
    frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

bool FrozenColumnView::event(QEvent *event) {
    const bool handled = QTableView::event(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::Show:
    case QEvent::LayoutRequest:
    case QEvent::StyleChange:
        syncFrozen();
        break;
    default:
        break;
    }
    return handled;
}

void FrozenColumnView::resizeEvent(QResizeEvent *event) {
    QTableView::resizeEvent(event);
    placeFrozen();
}

QModelIndex FrozenColumnView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    QModelIndex current = QTableView::moveCursor(action, modifiers);
    // The labels are no cells to stand on: Home and Left stop at column 1.
    if (current.isValid() && current.column() == 0 && model()->columnCount() > 1)
        current = model()->index(current.row(), 1);
    return current; // scrollTo brings it out from under the labels
}

void FrozenColumnView::scrollTo(const QModelIndex &index, ScrollHint hint) {
    QTableView::scrollTo(index, hint);
    // Column 0 is always in sight; a cell beside it must not end under it.
    if (index.column() > 0 && visualRect(index).left() < frozen_->columnWidth(0))
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + visualRect(index).left() -
                                        frozen_->columnWidth(0));
}

} // namespace zevo3
