// The main window's code table: set-up, the New command, row and cell mode,
// Enter, the row menu, the double-click into the layout, analysis-log mode
// and the layout window's button.

#include "R_codeexport.h"
#include "R_codeimport.h"
#include "R_layout.h"
#include "R_main.h"
#include "R_waveedit.h"
#include "cell_editor.h"
#include "code_table_model.h"
#include "learning.h"
#include "link_texts.h"
#include "save_file.h"
#include "table_document.h"
#include "table_print.h"
#include "text_codec.h"
#include "transmit_messages.h"
#include "ui_fonts.h"
#include "wave_edit_core.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>

namespace zevo3 {

void TfrmMain::SetupTable() {
    tableModel = new CodeTableModel(objects.table, this);
    // A waveform on show follows its row's timing description.
    connect(tableModel, &QAbstractItemModel::dataChanged, this, &TfrmMain::tableChangedUnderWave);
    connect(tableModel, &QAbstractItemModel::modelReset, this, &TfrmMain::tableChangedUnderWave);
    // Rows 18 pixels high whatever the font's own line height.
    sGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sGrid->verticalHeader()->setMinimumSectionSize(18);
    sGrid->verticalHeader()->setDefaultSectionSize(18);
    sGrid->setModel(tableModel);
    sGrid->setFont(fixedFont(13));
    sGrid->verticalHeader()->setVisible(false);
    sGrid->horizontalHeader()->setStretchLastSection(false);
    sGrid->horizontalHeader()->setMinimumSectionSize(8);
    const int widths[CodeTable::kColumns] = {32, 64, 48, 150, 150};
    for (int c = 0; c < CodeTable::kColumns; ++c)
        sGrid->setColumnWidth(c, widths[c]);
    sGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    sGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    sGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    cellEditor = new CellEditorDelegate(sGrid);
    sGrid->setItemDelegate(cellEditor);
    sGrid->setContextMenuPolicy(Qt::NoContextMenu); // the right button is handled below
    sGrid->viewport()->installEventFilter(this);
    sGrid->viewport()->setAcceptDrops(true); // interchange files, handled below
    connect(sGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid()) sGridSelectCell(current.column(), current.row() + 1);
            });
    connect(sGrid, &QAbstractItemView::doubleClicked, this, [this] { sGridDblClick(); });
    // Queued: the editor commits its text first, then the row moves.
    connect(
        cellEditor, &CellEditorDelegate::editorEnter, this,
        [this] { sGridKeyPress(Qt::Key_Return, true); }, Qt::QueuedConnection);
    // Said, not swallowed without a sign; the same text again stays one notice.
    connect(cellEditor, &CellEditorDelegate::commaRefused, this,
            [this] { setPanelText(1, tr("カンマはセルに入力出来ません")); });
    BuildRowMenu();
    setCurrentCell(1, CodeTable::kColCarry);
}

void TfrmMain::BuildRowMenu() {
    ppMenu = new QMenu(sGrid);
    ppMenu->setObjectName(QStringLiteral("ppMenu"));
    auto add = [this](QAction *&action, const QString &text, const char *name) {
        action = ppMenu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
    };
    add(ppCopy, tr("コピー　(&Copy)"), "ppCopy");
    add(ppPaste, tr("貼付け (&Paste)"), "ppPaste");
    add(ppDelete, tr("削除 (&Delete)"), "ppDelete");
    add(ppInsert, tr("挿入 (&Insert)"), "ppInsert");
    add(ppWaveEdit, tr("波形情報の編集"), "ppWaveEdit");
    add(ppWaveShow, tr("波形表示"), "ppWaveShow");
    ppMenu->addSeparator();
    add(ppImport, tr("コードの取込..."), "ppImport");
    add(ppExport, tr("コードの書出..."), "ppExport");
    add(ppDecode, tr("プロトコル解析"), "ppDecode");
    add(ppProtocolCode, tr("プロトコルから作成..."), "ppProtocolCode");
    ppMenu->addSeparator();
    add(ppCancel, tr("ｷｬﾝｾﾙ (&Cancel)"), "ppCancel");
    ppWaveEdit->setVisible(false);
    ppWaveShow->setVisible(false);
    connect(ppWaveShow, &QAction::triggered, this, &TfrmMain::ppWaveShowClick);
    connect(ppWaveEdit, &QAction::triggered, this, &TfrmMain::ppWaveEditClick);
    connect(ppMenu, &QMenu::aboutToShow, this, &TfrmMain::ppMenuPopup);
    connect(ppCopy, &QAction::triggered, this, &TfrmMain::ppCopyClick);
    connect(ppPaste, &QAction::triggered, this, &TfrmMain::ppPasteClick);
    connect(ppDelete, &QAction::triggered, this, &TfrmMain::ppDeleteClick);
    connect(ppInsert, &QAction::triggered, this, &TfrmMain::ppInsertClick);
    connect(ppImport, &QAction::triggered, this, &TfrmMain::ppImportClick);
    connect(ppExport, &QAction::triggered, this, &TfrmMain::ppExportClick);
    connect(ppDecode, &QAction::triggered, this, &TfrmMain::ppDecodeClick);
    connect(ppProtocolCode, &QAction::triggered, this, &TfrmMain::ppProtocolCodeClick);
}

bool TfrmMain::tableEvent(QObject *watched, QEvent *event) {
    if (!sGrid) return false;
    if (watched == sGrid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            sGridKeyPress(key, false);
            return false; // Enter goes on to the grid
        }
    }
    if (watched == sGrid->viewport()) {
        const auto type = event->type();
        if (type == QEvent::DragEnter || type == QEvent::DragMove) {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (!sGridDragEnter(drag->mimeData())) return false;
            drag->acceptProposedAction();
            return true;
        }
        if (type == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            if (!sGridDragEnter(drop->mimeData())) return false;
            drop->acceptProposedAction();
            sGridDrop(drop->mimeData(), drop->position().toPoint());
            return true;
        }
        if (type == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            // The press selects by the mode of the cell it lands on, so the
            // mode must be that cell's before the view handles the press.
            const QModelIndex at =
                sGrid->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
            if (at.isValid())
                sGrid->setSelectionBehavior(at.column() == CodeTable::kColCarry
                                                ? QAbstractItemView::SelectRows
                                                : QAbstractItemView::SelectItems);
        }
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
            type == QEvent::MouseButtonDblClick) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::RightButton) {
                // The right button opens the row menu without moving the
                // current row: every row operation acts on the current row.
                if (type == QEvent::MouseButtonPress)
                    ppMenu->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
    }
    if (sBar && (watched == sBar || sBar->isAncestorOf(qobject_cast<QWidget *>(watched))) &&
        event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        sBarDblClick();
        return true;
    }
    return false;
}

int TfrmMain::currentRow() const {
    const QModelIndex current = sGrid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int TfrmMain::currentColumn() const {
    const QModelIndex current = sGrid->currentIndex();
    return current.isValid() ? current.column() : 0;
}

void TfrmMain::setCurrentCell(int row, int column) {
    sGrid->setCurrentIndex(tableModel->index(row - 1, column));
}

void TfrmMain::mmCleateClick() {
    if (frmLayout) frmLayout->stopRegistrationForNewTable();
    ClearTable();
    if (frmLayout) frmLayout->InitLayout();
}

void TfrmMain::ClearTable() {
    tableModel->clearTable();
    setCurrentCell(1, CodeTable::kColCarry);
    memoRecv->clear();
    ClearTrack(0);
    ClearWaveStore();
    setPanelText(1, QString());
    setPanelText(2, QString());
}

void TfrmMain::SelectNextFreeRow() {
    const int row = objects.table.nextFreeRow(currentRow());
    if (row == 0) return;
    setCurrentCell(row, CodeTable::kColCarry);
    sGrid->setFocus();
}

void TfrmMain::sGridSelectCell(int column, int row) {
    // Carry: row mode, the whole row selected and no cell editor; any other
    // column: cell mode, where Frames, Comments and Result are edited in place.
    rowMode_ = column == CodeTable::kColCarry;
    sGrid->setSelectionBehavior(rowMode_ ? QAbstractItemView::SelectRows
                                         : QAbstractItemView::SelectItems);
    const QModelIndex current = sGrid->currentIndex();
    if (current.isValid())
        sGrid->selectionModel()->select(
            current, QItemSelectionModel::ClearAndSelect |
                         (rowMode_ ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate));
    waveRowSelected(row);
}

void TfrmMain::sGridKeyPress(int key, bool editing) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
    const int row = currentRow();
    const int column = currentColumn();
    // Enter in the editor of Comments or Result moves down a row.
    if (editing && (column == CodeTable::kColComments || column == CodeTable::kColResult) &&
        row >= 1 && row < CodeTable::kRows)
        setCurrentCell(row + 1, column);
    // In row mode Enter opens the row menu.
    if (rowMode_ && currentRow() != 0 && !editing) ppMenu->popup(rowMenuPosition());
}

QPoint TfrmMain::rowMenuPosition() const {
    const int row = currentRow();
    const int x = sGrid->columnViewportPosition(CodeTable::kColFrames);
    const int y = sGrid->rowViewportPosition(row - 1);
    return sGrid->viewport()->mapToGlobal(QPoint(std::max(0, x), std::max(0, y)));
}

void TfrmMain::sGridDblClick() {
    if (currentColumn() == CodeTable::kColCarry && frmLayout)
        frmLayout->SetLayoutCell(currentRow());
}

void TfrmMain::ppMenuPopup() {
    ppPaste->setEnabled(copyMark_.canPaste());
}

void TfrmMain::ppCopyClick() {
    copyMark_.copy(currentRow());
    ppPaste->setEnabled(copyMark_.canPaste());
}

void TfrmMain::ppPasteClick() {
    tableModel->pasteRow(copyMark_.row, currentRow());
}

void TfrmMain::ppDeleteClick() {
    const int row = currentRow();
    if (row == 0) return;
    if (prompter.ask(this, tr("現在の行を削除して前詰めにします。\nよろしいですか？"),
                     tr("削除確認"), MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    tableModel->deleteRow(row);
}

void TfrmMain::ppInsertClick() {
    const int row = currentRow();
    if (row == 0) return;
    tableModel->insertRow(row);
}

void TfrmMain::ppImportClick() {
    openCodeImport(currentRow());
}

TfrmCodeImport *TfrmMain::openCodeImport(int row, const QByteArray *text) {
    if (frmCodeImport) frmCodeImport->close();
    frmCodeImport = new TfrmCodeImport(*tableModel, prompter, row, this);
    frmCodeImport->setAttribute(Qt::WA_DeleteOnClose);
    if (text) frmCodeImport->setText(*text);
    connect(frmCodeImport, &TfrmCodeImport::stored, this, [this](const RowRange &rows) {
        setCurrentCell(rows.first, CodeTable::kColCarry);
        setPanelText(1,
                     rows.first == rows.last
                         ? tr("%1 行目にコードを取込みました").arg(rows.first)
                         : tr("%1〜%2 行目にコードを取込みました").arg(rows.first).arg(rows.last));
    });
    frmCodeImport->open();
    return frmCodeImport;
}

void TfrmMain::ppExportClick() {
    if (frmCodeExport) frmCodeExport->close();
    // The remote is named after the table's file as Save knows it: status
    // panel 2 shows it too, but may hold a settings write failure instead.
    frmCodeExport = new TfrmCodeExport(objects.table, prompter, currentRow(),
                                       remoteNameFor(saveFileName_), this);
    frmCodeExport->setAttribute(Qt::WA_DeleteOnClose);
    frmCodeExport->open();
}

namespace {

// The one local file of a drag, when it is not one of the tool's own table,
// layout or image files.
QString draggedFile(const QMimeData *mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return {};
    const QUrl url = mime->urls().front();
    if (!url.isLocalFile()) return {};
    const QString path = url.toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("zv3") ||
        suffix == QLatin1String("bmp"))
        return {};
    return path;
}

} // namespace

bool TfrmMain::sGridDragEnter(const QMimeData *mime) const {
    return !draggedFile(mime).isEmpty();
}

void TfrmMain::sGridDrop(const QMimeData *mime, const QPoint &viewportPos) {
    const QString path = draggedFile(mime);
    if (path.isEmpty()) return;
    QByteArray text;
    QString error;
    if (!readFileBounded(path, kMaxTableFileBytes, &text, &error)) {
        setPanelText(1, tr("%1: %2").arg(QFileInfo(path).fileName(), error));
        return;
    }
    // Anything but a text in one of the formats is left alone.
    if (guessFormat(text) == InterchangeFormat::Unknown) {
        setPanelText(1, tr("%1 はコードの形式ではありません").arg(QFileInfo(path).fileName()));
        return;
    }
    const QModelIndex at = sGrid->indexAt(viewportPos);
    openCodeImport(at.isValid() ? at.row() + 1 : currentRow(), &text);
}

void TfrmMain::sBarDblClick() {
    analysisLog_ = !analysisLog_;
    setPanelText(1, analysisLog_ ? tr("解析Log") : QString());
    ppWaveEdit->setVisible(analysisLog_);
    ppWaveShow->setVisible(analysisLog_);
    btnTablePrint->setVisible(analysisLog_);
    // The waveform panel is reached from analysis-log mode and leaves with it.
    if (analysisLog_) return;
    pnlWave->setVisible(false);
    // Its learning toggle goes too, so the unit is not left learning
    // without a way to end it.
    if (learning_) {
        SetLearningDisplay(false);
        if (objects.link.portOpen()) objects.link.SendMessage(kLearningEnd);
    }
}

void TfrmMain::btnTestClick() {
    if (!objects.link.portOpen()) {
        prompter.ask(this, texts::setPortFirst(), texts::captionConfirm(), MsgIcon::Warning,
                     MsgButtons::Ok);
        return;
    }
    const int row = currentRow();
    if (!objects.table.occupied(row)) return; // nothing sent, the selection stays
    setCurrentCell(row, CodeTable::kColCarry);
    // Normally the unit emits the code it holds under the row's number; in
    // analysis-log mode it gets the row's whole timing description, and the
    // log shows every message.
    for (const QByteArray &message : FiringTestMessages(objects.table, row, analysisLog_)) {
        objects.link.SendMessage(message);
        if (analysisLog_) appendLogText(toDisplay(message));
    }
    // Cursor Auto steps through the table; row 70 stays.
    if (ckCursor->isChecked() && row < CodeTable::kRows)
        setCurrentCell(row + 1, CodeTable::kColCarry);
}

void TfrmMain::printThroughDialog(QPrinter &printer, const QString &title,
                                  const std::function<void(QPainter &)> &draw) {
    printer.setDocName(title);
    if (!prompter.choosePrinter(this, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompter.ask(this, tr("印刷を開始できませんでした。"), texts::captionWarning(),
                     MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    draw(painter);
    painter.end();
}

void TfrmMain::btnTablePrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printThroughDialog(printer, tablePrintTitle(), [this, &printer](QPainter &painter) {
        painter.setFont(tablePrintFont()); // the receive log's face and size
        PrintTable(painter, objects.table, QFileInfo(panelText(2)).fileName(), QDate::currentDate(),
                   printer.width(), printer.height(), [&printer] { printer.newPage(); });
    });
}

void TfrmMain::ppWaveEditClick() {
    const int row = currentRow();
    if (row < 1 || !frmWaveEdit) return;
    frmWaveEdit->fill(objects.table.waveInfo(row));
    // Below the row it edits, from its Frames cell, and on the screen.
    const QModelIndex frames = tableModel->index(row - 1, CodeTable::kColFrames);
    sGrid->scrollTo(frames);
    const QRect cell = sGrid->visualRect(frames);
    QPoint at = sGrid->viewport()->mapToGlobal(cell.bottomLeft() + QPoint(0, cell.height()));
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(),
                           std::max(area.left(), area.right() - frmWaveEdit->width())));
        at.setY(std::clamp(at.y(), area.top(),
                           std::max(area.top(), area.bottom() - frmWaveEdit->height())));
    }
    frmWaveEdit->move(at);
    frmWaveEdit->show();
    frmWaveEdit->raise();
}

void TfrmMain::WaveEditIrOut() {
    const EditorFields fields = frmWaveEdit->fields();
    if (fields.PatternCodes.isEmpty()) return;
    if (!objects.link.portOpen()) {
        prompter.ask(frmWaveEdit, texts::setPortFirst(), texts::captionConfirm(), MsgIcon::Warning,
                     MsgButtons::Ok);
        return;
    }
    SetLearningDisplay(false);
    for (const QByteArray &message : IrOutMessages(fields)) {
        objects.link.SendMessage(message);
        appendLogText(toDisplay(message));
    }
}

void TfrmMain::WaveEditOk() {
    // Checked before anything is stored: a bad digit stores nothing and the
    // editor stays open.
    const QString digits = frmWaveEdit->edtPcode->text();
    if (const std::optional<int> bad = firstNonHexDigit(digits)) {
        prompter.ask(frmWaveEdit,
                     tr("Pattern Code の %1 文字目「%2」は16進数字ではありません。")
                         .arg(*bad + 1)
                         .arg(digits.at(*bad)),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    const EditorFields fields = frmWaveEdit->fields();
    const int source = currentRow();
    if (source < 1) return;
    // The edited description goes to the next free row, with the source
    // row's cells; the source row stays as it was.
    SelectNextFreeRow();
    const int target = currentRow();
    if (target != source)
        for (int column = CodeTable::kColCarry; column <= CodeTable::kColResult; ++column)
            objects.table.setCell(target, column, objects.table.cell(source, column));
    storeEditorFields(objects.table.waveInfo(target), fields);
    tableModel->refresh();
    frmWaveEdit->close();
}

void TfrmMain::btnLayoutClick() {
    if (!frmLayout) return;
    if (frmLayout->isVisible()) {
        frmLayout->close(); // hidden, not destroyed
        return;
    }
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const WindowPlacement place = layoutWindowPlacement(screenWidth, y(), frameGeometry().width(),
                                                        frmLayout->frameGeometry().width());
    // Always beside the main window: centred on it, as a first showing would
    // otherwise place it, it would cover the table the operator picks from.
    move(place.mainLeft, y());
    frmLayout->move(place.layoutLeft, place.layoutTop);
    frmLayout->show();
    frmLayout->raise();
}

} // namespace zevo3
