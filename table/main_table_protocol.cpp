// The main window's protocol commands on the code table's row menu: what
// the current row's code is, written into its Result cell, and a code made
// from a protocol's fields.

#include "R_main.h"
#include "R_protocolcode.h"
#include "code_table_model.h"
#include "ir_protocol.h"
#include "link_texts.h"

namespace zevo3 {

void TfrmMain::ppDecodeClick() {
    const int row = currentRow();
    if (row == 0) return;
    const CodeTable &table = tableModel->table();
    if (!table.waveInfo(row).present()) {
        prompter.ask(this, tr("%1 行目には波形情報が有りません。").arg(row),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    const DecodedCode code = decodeSignal(flatSignalOf(table.waveInfo(row)));
    if (!code.matched()) {
        prompter.ask(
            this,
            tr("%1 行目のコードはどのプロトコルにも当たりません。\n%2").arg(row).arg(code.note),
            texts::captionWarning(), MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    const QString text = resultText(code);
    const QModelIndex cell = tableModel->index(row - 1, CodeTable::kColResult);
    const QString now = cell.data(Qt::DisplayRole).toString().trimmed();
    if (now == text) return setPanelText(1, tr("%1 行目: %2").arg(row).arg(text));
    if (!now.isEmpty() &&
        prompter.ask(
            this, tr("%1 行目の Result「%2」を「%3」に書き換えますか？").arg(row).arg(now, text),
            texts::captionConfirm(), MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    tableModel->setData(cell, text, Qt::EditRole);
    setPanelText(1, tr("%1 行目: %2").arg(row).arg(text));
}

void TfrmMain::ppProtocolCodeClick() {
    if (frmProtocolCode) frmProtocolCode->close();
    frmProtocolCode = new TfrmProtocolCode(*tableModel, prompter, currentRow(), this);
    frmProtocolCode->setAttribute(Qt::WA_DeleteOnClose);
    connect(frmProtocolCode, &TfrmProtocolCode::stored, this, [this](const RowRange &rows) {
        setCurrentCell(rows.first, CodeTable::kColCarry);
        setPanelText(1, tr("%1 行目にコードを作成しました").arg(rows.first));
    });
    frmProtocolCode->open();
}

} // namespace zevo3
