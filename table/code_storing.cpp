#include "code_storing.h"

#include "R_codeimport.h"
#include "code_table_model.h"
#include "link_texts.h"
#include "prompter.h"
#include "transfer_preview.h"

#include <QStringList>

namespace zevo3 {

namespace {

// "2 番目のコード「Power」" or "2 番目のコード".
QString codeText(size_t index, const QString &name) {
    const QString number = TfrmCodeImport::tr("%1 番目のコード").arg(index + 1);
    return name.isEmpty() ? number : number + TfrmCodeImport::tr("「%1」").arg(name);
}

QString rowList(const std::vector<int> &rows) {
    QStringList numbers;
    for (int row : rows)
        numbers << QString::number(row);
    return numbers.join(QStringLiteral(", "));
}

// Why the codes cannot go in, in the window's words for the common
// refusals; the core's check stays the last word (and words the rest as
// zevo3 does). Empty when they fit; `stored` then holds them.
QString refusal(const CodeTable &table, int first, const std::vector<InterchangeCode> &codes,
                CodeTable *trial, StoreResult *stored) {
    if (first + int(codes.size()) - 1 > CodeTable::kRows)
        return TfrmCodeImport::tr("%1 行目から %2 個のコードを格納すると %3 行目を越えます。")
            .arg(first)
            .arg(codes.size())
            .arg(CodeTable::kRows);
    for (size_t i = 0; i < codes.size(); ++i) {
        const NameProblem name = nameProblem(codes[i].name);
        if (name.position)
            return codeText(i, codes[i].name) + QStringLiteral(": ") + nameProblemText(name);
    }
    // Tried on a copy first: codes that do not fit change nothing and are
    // refused before anything is asked.
    *trial = table;
    *stored = storeImported(*trial, first, codes);
    return stored->ok ? QString() : stored->message;
}

} // namespace

QString nameProblemText(const NameProblem &problem) {
    if (problem.control)
        return TfrmCodeImport::tr("名前の %1 文字目に制御文字 (U+%2) が有ります")
            .arg(problem.position)
            .arg(uint(problem.character[0].unicode()), 4, 16, QLatin1Char('0'));
    if (problem.character.isEmpty())
        return TfrmCodeImport::tr("名前を CP932 (Shift_JIS) で表せません");
    return TfrmCodeImport::tr("名前の %1 文字目「%2」は CP932 (Shift_JIS) で表せません")
        .arg(problem.position)
        .arg(problem.character);
}

std::optional<RowRange> storeCodesAsked(CodeTableModel &model, Prompter &prompter, QWidget *parent,
                                        int first, const std::vector<InterchangeCode> &codes) {
    CodeTable trial;
    StoreResult tried;
    const QString why = refusal(model.table(), first, codes, &trial, &tried);
    if (!why.isEmpty()) {
        prompter.ask(parent, TfrmCodeImport::tr("コードを格納できません。\n%1").arg(why),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return std::nullopt;
    }
    const std::vector<int> inUse = rowsInUse(model.table(), first, int(codes.size()));
    if (!inUse.empty() &&
        prompter.ask(parent,
                     TfrmCodeImport::tr("%1 行目にはデータが有ります。\n上書きしますか？")
                         .arg(rowList(inUse)),
                     texts::captionConfirm(), MsgIcon::Question,
                     MsgButtons::YesNo) != MsgAnswer::Yes)
        return std::nullopt;
    return model.takeRows(trial, tried.rows);
}

} // namespace zevo3
