#include "R_wave.h"

#include "wave_grid_model.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace zevo3 {

namespace {
constexpr int kRowHeight = 16;
constexpr int kLabelWidth = 32;
constexpr int kColumnWidths[WaveGridData::kColumns] = {48, 48, 32, 32};
constexpr int kBottomHeight = 44;
} // namespace

TfrmWave::TfrmWave(const WaveStore &store, WaveGridData &grid, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), store_(store),
      grid_(grid) {
    setObjectName(QStringLiteral("frmWave"));
    FormCreate();
}

void TfrmWave::FormCreate() {
    setWindowTitle(QStringLiteral("Wave Data"));
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);

    sGridWave = new QTableView(this);
    sGridWave->setObjectName(QStringLiteral("sGridWave"));
    model = new WaveGridModel(grid_, sGridWave);
    sGridWave->setModel(model);
    box->addWidget(sGridWave, 1);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kBottomHeight);
    auto *strip = new QGridLayout(Panel1);
    strip->setContentsMargins(4, 1, 4, 2);
    strip->setHorizontalSpacing(3);
    strip->setVerticalSpacing(0);
    const auto label = [this, strip](QLabel *&target, const QString &text, const char *name,
                                     int column, int span) {
        target = new QLabel(text, Panel1);
        target->setObjectName(QString::fromLatin1(name));
        strip->addWidget(target, 0, column, 1, span, Qt::AlignHCenter);
    };
    label(Label1, QStringLiteral("Pno"), "Label1", 0, 1);
    label(Label2, QStringLiteral("High"), "Label2", 1, 2);
    label(Label3, QStringLiteral("Width"), "Label3", 3, 2);
    const auto panel = [this, strip](QLabel *&target, const char *name, int column) {
        target = new QLabel(Panel1);
        target->setObjectName(QString::fromLatin1(name));
        target->setFrameShape(QFrame::Panel);
        target->setFrameShadow(QFrame::Sunken);
        target->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        target->setMinimumWidth(44);
        strip->addWidget(target, 1, column);
    };
    panel(pnlPno, "pnlPno", 0);
    panel(pnlHmin, "pnlHmin", 1);
    panel(pnlHmax, "pnlHmax", 2);
    panel(pnlWmin, "pnlWmin", 3);
    panel(pnlWmax, "pnlWmax", 4);
    Close = new QPushButton(QStringLiteral("Close"), Panel1);
    Close->setObjectName(QStringLiteral("Close"));
    strip->addWidget(Close, 0, 5, 2, 1);
    box->addWidget(Panel1);
    connect(Close, &QPushButton::clicked, this, &TfrmWave::CloseClick);

    InitWaveGrid();
    connect(sGridWave->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid()) sGridWaveSelectCell(current.column() + 1, current.row() + 1);
            });
    resize(300, 480);
}

void TfrmWave::InitWaveGrid() {
    QHeaderView *rows = sGridWave->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setMinimumWidth(kLabelWidth);
    rows->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QHeaderView *columns = sGridWave->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 0; c < WaveGridData::kColumns; ++c)
        sGridWave->setColumnWidth(c, kColumnWidths[c]);
    sGridWave->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sGridWave->setSelectionMode(QAbstractItemView::SingleSelection);
    sGridWave->setSelectionBehavior(QAbstractItemView::SelectItems);
    sGridWave->setShowGrid(true);
    sGridWave->setWordWrap(false);
    // The fixed column's header, " Wno", stands in the corner above the labels.
    if (auto *corner = sGridWave->findChild<QAbstractButton *>()) {
        auto *text = new QLabel(QStringLiteral(" Wno"), corner);
        text->setObjectName(QStringLiteral("lblWno"));
        auto *cornerBox = new QVBoxLayout(corner);
        cornerBox->setContentsMargins(2, 0, 0, 0);
        cornerBox->addWidget(text);
    }
    clearPanels();
}

void TfrmWave::showOver(QWidget *over) {
    if (!shownBefore_ && over) {
        const QRect area = over->frameGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    shownBefore_ = true;
    show();
    raise();
}

void TfrmWave::CloseClick() {
    hide();
}

void TfrmWave::clearPanels() {
    for (QLabel *panel : {pnlPno, pnlHmin, pnlHmax, pnlWmin, pnlWmax})
        panel->clear();
}

void TfrmWave::sGridWaveSelectCell(int column, int row) {
    // Only the " Pno" columns react.
    if (column < 3 || (column - 3) % 4 != 0) return;
    const QByteArray &text = grid_.cell(column, row);
    if (text.isEmpty()) return;
    pnlPno->setText(QString::fromLatin1(text));
    ShowPnoRange((column - 3) / 4);
}

void TfrmWave::ShowPnoRange(int slot) {
    const PnoRange range = showPnoRange(grid_, slot, pnlPno->text().toLatin1(), store_.lastPulse);
    if (!range.shown) return;
    pnlHmin->setText(QString::fromLatin1(range.hmin.trimmed()));
    pnlHmax->setText(QString::fromLatin1(range.hmax.trimmed()));
    pnlWmin->setText(QString::fromLatin1(range.wmin.trimmed()));
    pnlWmax->setText(QString::fromLatin1(range.wmax.trimmed()));
}

void TfrmWave::gridChanged() {
    model->rowsChanged(WaveGridData::kRows);
}

int TfrmWave::currentColumn() const {
    const QModelIndex at = sGridWave->currentIndex();
    return at.isValid() ? at.column() + 1 : 0;
}

int TfrmWave::currentRow() const {
    const QModelIndex at = sGridWave->currentIndex();
    return at.isValid() ? at.row() + 1 : 0;
}

void TfrmWave::setCurrentCell(int column, int row) {
    if (!WaveGridData::validCell(column, row)) return;
    sGridWave->setCurrentIndex(model->index(row - 1, column - 1));
}

void TfrmWave::setCurrentRow(int row) {
    const int column = currentColumn();
    setCurrentCell(column == 0 ? 1 : column, row);
}

} // namespace zevo3
