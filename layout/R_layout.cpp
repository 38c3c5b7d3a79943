#include "R_layout.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zevo3 {

TfrmLayout::TfrmLayout(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmLayout"));
    setWindowTitle(tr("Remocon Setteing"));
    sGrid = new QTableWidget(this);
    sGrid->setObjectName(QStringLiteral("sGrid"));
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(sGrid);
    InitLayout(kRows);
    resize(760, 420);
}

void TfrmLayout::InitLayout(int rows) {
    sGrid->clear();
    sGrid->setRowCount(rows);
    sGrid->setColumnCount(kButtons);
    QStringList rowLabels;
    for (int r = 1; r <= rows; ++r)
        rowLabels << QStringLiteral("%1").arg(r, 2, 10, QLatin1Char('0'));
    sGrid->setVerticalHeaderLabels(rowLabels);
    QStringList columnLabels;
    for (int c = 1; c <= kButtons; ++c)
        columnLabels << QString::number(c);
    sGrid->setHorizontalHeaderLabels(columnLabels);
}

} // namespace zevo3
