// The main window's table file commands: Open and Save with their dialogs,
// the table file and the layout file beside it.

#include "R_layout.h"
#include "R_main.h"
#include "code_table_model.h"
#include "ir_protocol.h"
#include "link_texts.h"
#include "table_document.h"
#include "text_codec.h"

#include <QApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>

namespace zevo3 {

namespace {

constexpr int kBitmapFilter = 3;
// How often a handed-over table looks again whether the dialogs are closed.
constexpr int kHandOverRetryMs = 200;

} // namespace

FileDialogSetup TfrmMain::tableDialogSetup() {
    FileDialogSetup setup;
    setup.filter = tr("ﾃｷｽﾄﾌｧｲﾙ (*.Txt)|*.Txt|ｶﾝﾏ形式ﾃﾞｰﾀﾌｧｲﾙ (*.Csv)|*.Csv|"
                      "ﾘﾓｺﾝ波形ｲﾒｰｼﾞﾌｧｲﾙ (*.Bmp)|*.Bmp|全てのﾌｧｲﾙ (*.*)|*.*");
    setup.filterIndex = 2;
    setup.defaultExt = QStringLiteral("Csv");
    return setup;
}

void TfrmMain::mmFileSaveClick() {
    FileDialogSetup setup = tableDialogSetup();
    setup.fileName = saveFileName_;
    const std::optional<FileChoice> choice = prompter.saveFile(this, setup);
    if (!choice) return;
    if (choice->filterIndex == kBitmapFilter) {
        prompter.ask(this, tr("選択されたファイル形式では保存出来ません。"),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::OkCancel);
        return;
    }
    // The layout file goes beside the table with ".ZV3": a table saved under
    // that name would be replaced by its own layout, and so would one whose
    // layout file is the table itself through a link.
    const SaveCheck check = checkSave(choice->path, false);
    if (check.refusal == SaveCheck::Refusal::LayoutName) {
        prompter.ask(this,
                     tr("テーブルファイルを .ZV3 の名前では保存出来ません。\n%1").arg(choice->path),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    if (!check.ok()) {
        prompter.ask(this, pairProblemMessage(check.pair, choice->path), texts::captionWarning(),
                     MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    WriteTableFile(choice->path);
    // The layout goes beside it even when the table could not be written.
    if (frmLayout) frmLayout->SaveLayoutFile(check.layoutPath);
}

bool TfrmMain::WriteTableFile(const QString &path) {
    QString error;
    if (!saveTableFile(path, objects.table, &error)) {
        prompter.ask(this, tr("テーブルファイルを保存できませんでした。\n%1\n%2").arg(path, error),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    setPanelText(2, path);
    setPanelText(1, QString());
    saveFileName_ = path; // the next save proposes it
    return true;
}

void TfrmMain::mmFileOpenClick() {
    // A registration running meanwhile stops first: its last step saves the
    // layout file, which must not be one the operator has left.
    if (frmLayout) frmLayout->stopRegistrationForNewTable();
    FileDialogSetup setup = tableDialogSetup();
    const std::optional<FileChoice> choice = prompter.openFile(this, setup);
    if (!choice) return;
    openTableFile(choice->path);
}

bool TfrmMain::openTableFile(const QString &path) {
    if (frmLayout) frmLayout->stopRegistrationForNewTable();
    if (!ReadTableFile(path)) return false;
    saveFileName_ = path; // the next save proposes it
    setCurrentCell(1, CodeTable::kColCarry);
    if (frmLayout) {
        frmLayout->showLayoutFile(openLayoutFile(path));
        if (!frmLayout->isVisible()) btnLayoutClick();
    }
    return true;
}

void TfrmMain::openHandedOver(const QString &path) {
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(kHandOverRetryMs, this, [this, path] { openHandedOver(path); });
        return;
    }
    openTableFile(path);
}

void TfrmMain::comeToFront() {
    if (QWidget *modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        return;
    }
    showNormal();
    raise();
    activateWindow();
}

bool TfrmMain::ReadTableFile(const QString &path) {
    setPanelText(2, QString());
    const TableFileOpen open = zevo3::openTableFile(path);
    if (!open.readable) {
        prompter.ask(this, tr("テーブルファイルを読み込めません。\n%1\n%2").arg(path, open.error),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    const TableFileRead &read = *open.read;
    if (!read.identified &&
        prompter.ask(this, tr("ZEVO4のテーブルファイルでは有りません。\n強制的に開きますか？"),
                     texts::captionWarning(), MsgIcon::Warning,
                     MsgButtons::OkCancel) != MsgAnswer::Ok)
        return false;
    tableModel->replaceTable(read.table);
    setCurrentCell(1, CodeTable::kColCarry);
    memoRecv->clear();
    if (!read.complete()) {
        // The rows before the line in error stay; the rest are empty, the
        // layout is not read and no file name is shown. The table is no
        // longer the one opened before: Save proposes no name, and the
        // layout of that file is not shown with it.
        saveFileName_.clear();
        if (frmLayout) frmLayout->InitLayout();
        for (const FileProblem &problem : read.problems) {
            if (!problem.error) continue;
            prompter.ask(this,
                         tr("テーブルファイルの変換エラー\n%1\n%2 行目 %3 番目の項目: %4")
                             .arg(path)
                             .arg(problem.line)
                             .arg(problem.field)
                             .arg(problem.message),
                         texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
            break;
        }
        return false;
    }
    if (analysisLog_) logTableRows();
    setPanelText(2, path);
    return true;
}

void TfrmMain::logTableRows() {
    // Each row's line, then what protocol its code is.
    const std::vector<QByteArray> lines = TableLoadLog(objects.table);
    size_t at = 0;
    for (int row = 1; row <= CodeTable::kRows && at < lines.size(); ++row) {
        const WaveInfo &info = objects.table.waveInfo(row);
        if (!info.present()) continue;
        appendLogText(toDisplay(lines[at++]));
        const DecodedCode code = decodeSignal(flatSignalOf(info));
        appendLogText(code.matched() ? tr("　プロトコル: %1").arg(resultText(code))
                                     : tr("　プロトコル: 不明 (%1)").arg(code.note));
    }
}

} // namespace zevo3
