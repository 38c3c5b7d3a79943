#include "R_layout.h"

#include "R_msgbox.h"
#include "frozen_column_view.h"
#include "layout_file.h"
#include "layout_model.h"
#include "link.h"
#include "link_texts.h"
#include "registration.h"
#include "table_document.h"
#include "transmit_messages.h"
#include "ui_fonts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace zevo3 {

TfrmLayout::TfrmLayout(LayoutData &layout_, Prompter &prompter_, QWidget *parent)
    : QWidget(parent, Qt::Window), layout(layout_), prompter(prompter_) {
    setObjectName(QStringLiteral("frmLayout"));
    FormCreate();
}

void TfrmLayout::FormCreate() {
    setFont(formFont(12));
    // The caption: the application title and the caption of the main window's button.
    setWindowTitle(texts::appTitle() + QStringLiteral(" [ Remocon Setteing ]"));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    BuildTopPanel();
    column->addWidget(pnlTop);
    BuildGrid();
    column->addWidget(pnlBase, 1);
    BuildStatusBar();
    column->addWidget(sBar);
    ConnectControls();

    // New cells show three frames and a wait of one; the layout starts empty.
    edtFct->setText(QStringLiteral("03"));
    edtWct->setText(QStringLiteral("01"));
    InitLayout();
    resize(kClientWidth, kClientHeight);
}

// The top panel: registration, the frame and wait counts, the firing test,
// the registration's progress and the cell deletion.
void TfrmLayout::BuildTopPanel() {
    pnlTop = new QFrame(this);
    pnlTop->setObjectName(QStringLiteral("pnlTop"));
    pnlTop->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(pnlTop);
    row->setContentsMargins(4, 3, 4, 3);
    lblFct = new QLabel(QStringLiteral("Frames"), pnlTop);
    lblFct->setObjectName(QStringLiteral("lblFct"));
    edtFct = new QLineEdit(pnlTop);
    edtFct->setObjectName(QStringLiteral("edtFct"));
    lblWct = new QLabel(QStringLiteral("Wait"), pnlTop);
    lblWct->setObjectName(QStringLiteral("lblWct"));
    edtWct = new QLineEdit(pnlTop);
    edtWct->setObjectName(QStringLiteral("edtWct"));
    // Counts above 99 would not fit the cell text's two places.
    for (QLineEdit *edit : {edtFct, edtWct}) {
        edit->setValidator(new QIntValidator(0, LayoutData::kMaxCount, edit));
        edit->setMaxLength(2);
        edit->setFixedWidth(40);
    }
    lblFct->setBuddy(edtFct);
    lblWct->setBuddy(edtWct);
    btnDel = new QPushButton(tr("Cell 削除"), pnlTop);
    btnDel->setObjectName(QStringLiteral("btnDel"));
    btnTableWrite = new QPushButton(tr("ZEVO3 登録"), pnlTop);
    btnTableWrite->setObjectName(QStringLiteral("btnTableWrite"));
    btnTest = new QPushButton(tr("発射テスト"), pnlTop);
    btnTest->setObjectName(QStringLiteral("btnTest"));
    // While a registration runs: how far it is, and a way to stop it.
    lblProgress = new QLabel(pnlTop);
    lblProgress->setObjectName(QStringLiteral("lblProgress"));
    btnStop = new QPushButton(tr("中止"), pnlTop);
    btnStop->setObjectName(QStringLiteral("btnStop"));
    btnStop->setVisible(false);
    row->addWidget(btnTableWrite);
    row->addWidget(lblFct);
    row->addWidget(edtFct);
    row->addWidget(lblWct);
    row->addWidget(edtWct);
    row->addWidget(btnTest);
    row->addWidget(lblProgress);
    row->addWidget(btnStop);
    row->addStretch(1);
    row->addWidget(btnDel); // anchored top right
}

// The grid of the layout, in its own panel.
void TfrmLayout::BuildGrid() {
    pnlBase = new QFrame(this);
    pnlBase->setObjectName(QStringLiteral("pnlBase"));
    auto *base = new QVBoxLayout(pnlBase);
    base->setContentsMargins(0, 0, 0, 0);
    // The row labels stay in sight while the grid scrolls sideways.
    sGrid = new FrozenColumnView(pnlBase);
    sGrid->setObjectName(QStringLiteral("sGrid"));
    model = new LayoutModel(layout, this);
    sGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sGrid->verticalHeader()->setMinimumSectionSize(17);
    sGrid->verticalHeader()->setDefaultSectionSize(17);
    sGrid->setModel(model);
    sGrid->setFont(fixedFont(13));
    sGrid->verticalHeader()->setVisible(false);
    sGrid->horizontalHeader()->setMinimumSectionSize(8);
    sGrid->horizontalHeader()->setStretchLastSection(false);
    sGrid->setColumnWidth(0, 32);
    for (int c = 1; c <= kButtons; ++c)
        sGrid->setColumnWidth(c, 100);
    sGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    sGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    sGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    base->addWidget(sGrid);
}

// The status bar: the last assignment, and the current layout file.
void TfrmLayout::BuildStatusBar() {
    sBar = new QStatusBar(this);
    sBar->setObjectName(QStringLiteral("sBar"));
    sBar->setSizeGripEnabled(true);
    const int widths[2] = {80, 50};
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(sBar);
        panels_[i]->setObjectName(QStringLiteral("sBarPanel%1").arg(i));
        panels_[i]->setMinimumWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        sBar->addWidget(panels_[i], i == 1 ? 1 : 0);
    }
}

// The grid's current cell and resets, and the buttons, to their handlers.
void TfrmLayout::ConnectControls() {
    connect(sGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid()) sGridSelectCell(current.column(), current.row() + 1);
            });
    // A reset (a load, New) drops the view's current cell: put it back where
    // it was, without the table and the boxes following it, since nothing
    // was selected.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        cursorBeforeReset_ = {std::max(1, currentRow()), std::max(1, currentColumn())};
    });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        if (sGrid->currentIndex().isValid()) return;
        following_ = false;
        setCurrentCell(cursorBeforeReset_.first, cursorBeforeReset_.second);
        following_ = true;
    });
    connect(btnDel, &QPushButton::clicked, this, &TfrmLayout::btnDelClick);
    connect(btnTableWrite, &QPushButton::clicked, this, &TfrmLayout::btnTableWriteClick);
    connect(btnTest, &QPushButton::clicked, this, &TfrmLayout::btnTestClick);
    connect(btnStop, &QPushButton::clicked, this, &TfrmLayout::stopRegistration);
}

void TfrmLayout::InitLayout() {
    model->InitLayout();
    setPanelText(1, QString());
    setCurrentCell(1, 1);
}

int TfrmLayout::countOr(const QLineEdit *edit, int fallback) const {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

void TfrmLayout::SetLayoutCell(int code) {
    const int r = currentRow();
    const int c = currentColumn();
    const int frames = countOr(edtFct, 3);
    const int wait = countOr(edtWct, 1);
    const std::optional<Assignment> done = model->SetLayoutCell(r, c, code, frames, wait);
    if (!done) return;
    setPanelText(0, QString::fromLatin1(done->status));
    if (done->nextColumn != c) setCurrentCell(r, done->nextColumn);
    // After the move: the next button of a run waits 1, whatever that cell held.
    if (done->resetWait) edtWct->setText(QStringLiteral("01"));
}

void TfrmLayout::sGridSelectCell(int column, int row) {
    if (!following_) return;
    const std::optional<CellFollow> follow = layout.selectCell(row, column);
    if (!follow) return;
    emit codeSelected(follow->code);
    edtFct->setText(QString::fromLatin1(follow->framesText));
    edtWct->setText(QString::fromLatin1(follow->waitText));
}

void TfrmLayout::btnDelClick() {
    if (!msgBox_) return;
    const int c = currentColumn();
    const int r = currentRow();
    if (!LayoutData::validCell(r, c)) return;
    TfrmMsgBox &box = *msgBox_;
    box.ckDispOff->setVisible(false);
    box.setClientHeight(box.RadioButton3->geometry().bottom() + 1 + 4);
    box.move(x() + width() / 2 - box.width() / 2, y() + height() - box.height() - 40);
    box.lblMsg->setText(tr("R%1 以降の Cell を削除します").arg(c, 2, 10, QLatin1Char('0')));
    box.RadioButton1->setText(tr("行方向に削除→"));
    box.RadioButton2->setText(tr("列方向に削除↓"));
    box.RadioButton3->setText(tr("両方向に削除↓→"));
    box.RadioButton1->setChecked(true);
    if (box.exec() != QDialog::Accepted) return;
    const DeleteDirection direction = box.RadioButton3->isChecked()   ? DeleteDirection::Both
                                      : box.RadioButton2->isChecked() ? DeleteDirection::Column
                                                                      : DeleteDirection::Row;
    model->deleteCells(r, c, direction);
}

bool TfrmLayout::ask(const QString &text, MsgButtons buttons) {
    const MsgAnswer answer =
        prompter.ask(this, text, texts::captionConfirm(), MsgIcon::Warning, buttons);
    return answer == MsgAnswer::Yes || answer == MsgAnswer::Ok;
}

void TfrmLayout::btnTableWriteClick() {
    if (registering_ || !host_.link || !host_.table) return;
    Link &link = *host_.link;
    if (!link.portOpen()) {
        ask(texts::setPortFirst(), MsgButtons::Ok);
        return;
    }
    if (!ask(tr("ダウンロードを開始します。"), MsgButtons::YesNo)) {
        if (ask(tr("レイアウト情報を保存しますか？"), MsgButtons::YesNo))
            SaveLayoutFile(currentFile());
        return;
    }
    const std::vector<RegistrationMessage> plan = RegistrationPlan(*host_.table, layout);
    QPointer<TfrmLayout> self(this);
    registering_ = true;
    stopRequested_ = false;
    fileLeft_ = false;
    btnStop->setVisible(true);
    RegistrationHooks hooks;
    hooks.beforeGroup = [this](const RegistrationMessage &m) {
        if (m.kind == RegistrationMessage::KeyRow) {
            // Column 1, then the row: the operator sees the row being sent.
            setCurrentCell(currentRow() < 1 ? 1 : currentRow(), 1);
            setCurrentCell(m.number, 1);
        } else if (host_.selectTableRow) {
            host_.selectTableRow(m.number);
        }
    };
    const int generation = link.openGeneration();
    hooks.sendAndWait = [&link, this](const RegistrationMessage &m) {
        return link.sendAndWait(m.text, kRegistrationAckMs, [&] {
            if (m.logged && host_.appendLog) host_.appendLog(m.text);
        }) == Link::AckResult::Acknowledged;
    };
    hooks.progress = [self](int i, int n) {
        if (self) self->lblProgress->setText(tr("%1 / %2").arg(i).arg(n));
    };
    hooks.stopRequested = [self, &link, generation] {
        return !self || self->stopRequested_ || !link.portOpen() ||
               link.openGeneration() != generation || (self->host_.ending && self->host_.ending());
    };
    const RegistrationOutcome outcome = RunRegistration(plan, hooks);
    if (!self) return;
    registering_ = false;
    btnStop->setVisible(false);
    lblProgress->clear();
    if (host_.ending && host_.ending()) return;
    if (outcome.end == RegistrationEnd::Completed) {
        if (!fileLeft_) SaveLayoutFile(currentFile());
        ask(tr("ダウンロード完了"), MsgButtons::Ok);
        setCurrentCell(1, std::max(1, currentColumn()));
    } else {
        ask(tr("ダウンロードを中止しました"), MsgButtons::Ok);
    }
}

void TfrmLayout::stopRegistration() {
    if (registering_) stopRequested_ = true;
}

void TfrmLayout::stopRegistrationForNewTable() {
    if (!registering_) return;
    stopRequested_ = true;
    fileLeft_ = true;
}

void TfrmLayout::btnTestClick() {
    const int c = currentColumn();
    const int r = currentRow();
    const QByteArray text = trimmedCell(layout.cell(r, c));
    if (text.isEmpty()) return;
    // The table's current row followed the cell when it was selected.
    const int code = host_.tableRow ? host_.tableRow() : readLayoutCell(text).code;
    if (host_.link) {
        host_.link->SendMessage(TwlMessage(code));
        host_.link->SendMessage(TwfMessage(readLayoutCell(text).frames));
    }
    // The row first, then the column: each runs the selection handling.
    const CellPosition next = FiringTestNext(layout, r, c);
    setCurrentCell(next.row, c);
    setCurrentCell(next.row, next.column);
}

void TfrmLayout::closeEvent(QCloseEvent *event) {
    // Closing the window (it is only hidden) ends a registration.
    stopRegistration();
    QWidget::closeEvent(event);
}

void TfrmLayout::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && registering_) {
        stopRegistration();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TfrmLayout::SaveLayoutFile(const QString &path) {
    if (path.isEmpty()) return true;
    const QString table = host_.tableFile ? host_.tableFile() : QString();
    const LayoutSave save = saveLayoutBeside(path, layout, table);
    if (save.saved) return true;
    prompter.ask(
        this,
        !save.pair.ok()
            ? pairProblemMessage(save.pair, table)
            : tr("レイアウトファイルを保存できませんでした。\n%1\n%2").arg(path, save.error),
        texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
    return false;
}

void TfrmLayout::LoadLayoutFile(const QString &path) {
    showLayoutFile(readLayoutFileAt(path));
}

void TfrmLayout::showLayoutFile(const LayoutFileOpen &open) {
    // The window is emptied first, whatever happens next.
    LayoutData empty;
    model->replaceCells(empty);
    layout.currentFile.clear();
    setPanelText(1, QString());
    QWidget *parent = isVisible() ? this : parentWidget();
    switch (open.state) {
    case LayoutFileOpen::State::Missing:
        return; // no layout file beside the table is no news
    case LayoutFileOpen::State::Unreadable:
        prompter.ask(parent,
                     tr("レイアウトファイルを読み込めません。\n%1\n%2").arg(open.path, open.error),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return;
    case LayoutFileOpen::State::IsTheTable:
        // Not read: a later save of the layout would replace the table.
        prompter.ask(parent,
                     tr("レイアウトファイルがテーブルファイルと同じファイルのため、"
                        "読み込みません。\n%1\n%2")
                         .arg(open.tablePath, open.path),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return;
    case LayoutFileOpen::State::Read:
        break;
    }
    if (!open.read.identified &&
        prompter.ask(parent, tr("ZEVO3のレイアウトファイルでは有りません。\n強制的に開きますか？"),
                     texts::captionWarning(), MsgIcon::Warning,
                     MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    model->replaceCells(open.read.layout);
    layout.currentFile = open.path;
    setPanelText(1, open.path);
}

QString TfrmLayout::currentFile() const {
    return layout.currentFile;
}

int TfrmLayout::currentRow() const {
    const QModelIndex current = sGrid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int TfrmLayout::currentColumn() const {
    const QModelIndex current = sGrid->currentIndex();
    return current.isValid() ? current.column() : 0;
}

void TfrmLayout::setCurrentCell(int row, int column) {
    sGrid->setCurrentIndex(model->cellIndex(row, column));
}

QString TfrmLayout::panelText(int panel) const {
    return panel >= 0 && panel < 2 ? panels_[panel]->text() : QString();
}

void TfrmLayout::setPanelText(int panel, const QString &text) {
    if (panel >= 0 && panel < 2) panels_[panel]->setText(text);
}

} // namespace zevo3
