#include "imported_row.h"

#include "text_codec.h"

namespace zevo3 {
namespace {

const QChar kFullWidthComma(0xFF0C);

// "code 2 \"Power\"" or "code 2".
QString codeLabel(int index, const QString &name) {
    return name.isEmpty() ? QStringLiteral("code %1").arg(index)
                          : QStringLiteral("code %1 \"%2\"").arg(index).arg(name);
}

} // namespace

QByteArray carryCellText(int carry) {
    return QByteArray::number(carry / 10) + '.' + QByteArray::number(carry % 10) + "kHz";
}

NameProblem nameProblem(const QString &name) {
    QString text = name;
    text.replace(QLatin1Char(','), kFullWidthComma);
    NameProblem problem;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t c = text[i].unicode();
        if (c < 0x20 || c == 0x7F) {
            problem.position = i + 1;
            problem.character = text[i];
            problem.control = true;
            return problem;
        }
    }
    if (encodableInCp932(text)) return problem;
    // Name the first character that does not come back.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, n);
        if (!encodableInCp932(one)) {
            problem.position = i + 1;
            problem.character = one;
            return problem;
        }
        i += n - 1;
    }
    // Each character alone has a form, the whole has none: said of the
    // whole name (no character).
    problem.position = 1;
    return problem;
}

bool commentsCellOf(const QString &name, QByteArray *cell, QString *message) {
    const NameProblem problem = nameProblem(name);
    if (problem.position == 0) {
        QString text = name;
        text.replace(QLatin1Char(','), kFullWidthComma);
        *cell = toCp932(text);
        return true;
    }
    if (problem.control)
        *message = QStringLiteral("the name holds the control character U+%1 at character %2")
                       .arg(uint(problem.character[0].unicode()), 4, 16, QLatin1Char('0'))
                       .arg(problem.position);
    else if (problem.character.isEmpty())
        *message = QStringLiteral("the name has no CP932 form");
    else
        *message = QStringLiteral("the name's character \"%1\" (character %2) has no "
                                  "CP932 form")
                       .arg(problem.character)
                       .arg(problem.position);
    return false;
}

ImportedRow importedRow(const InterchangeCode &code, const QuantiseOptions &options) {
    ImportedRow row;
    if (!commentsCellOf(code.name, &row.commentsCell, &row.message)) return row;
    row.quantised = quantise(code.signal, options, code.gapUs);
    if (!row.quantised.ok) {
        row.message = row.quantised.message;
        return row;
    }
    row.carryCell = carryCellText(row.quantised.info.Carry);
    row.framesCell = code.repeatCount > 0 ? QByteArray::number(code.repeatCount) : "1";
    row.ok = true;
    return row;
}

StoreResult storeImported(CodeTable &table, int firstRow, const std::vector<InterchangeCode> &codes,
                          const QuantiseOptions &options) {
    StoreResult result;
    if (codes.empty()) {
        result.message = QStringLiteral("there is no code to store");
        return result;
    }
    if (!CodeTable::validRow(firstRow)) {
        result.message = QStringLiteral("row %1 is not a table row (1 to 70)").arg(firstRow);
        return result;
    }
    const qsizetype last = firstRow + qsizetype(codes.size()) - 1;
    if (last > CodeTable::kRows) {
        result.message = QStringLiteral("%1 codes from row %2 would run past row %3")
                             .arg(codes.size())
                             .arg(firstRow)
                             .arg(CodeTable::kRows);
        return result;
    }
    std::vector<ImportedRow> rows;
    rows.reserve(codes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
        rows.push_back(importedRow(codes[i], options));
        if (!rows.back().ok) {
            result.message =
                codeLabel(int(i) + 1, codes[i].name) + QStringLiteral(": ") + rows.back().message;
            return result;
        }
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = firstRow + int(i);
        const ImportedRow &r = rows[i];
        table.setCell(row, CodeTable::kColCarry, r.carryCell);
        table.setCell(row, CodeTable::kColFrames, r.framesCell);
        table.setCell(row, CodeTable::kColComments, r.commentsCell);
        table.setCell(row, CodeTable::kColResult, QByteArray());
        table.waveInfo(row) = r.quantised.info;
        result.stored.push_back({row, r.quantised.pairs, r.quantised.entries,
                                 r.quantised.maxDeviationUs, r.quantised.maxDeviationPercent});
        const QString label = codes[i].name.isEmpty()
                                  ? QStringLiteral("row %1").arg(row)
                                  : QStringLiteral("row %1 \"%2\"").arg(row).arg(codes[i].name);
        for (const QString &note : r.quantised.notes())
            result.notes.push_back(label + QStringLiteral(": ") + note);
    }
    result.ok = true;
    result.rows = {firstRow, int(last)};
    return result;
}

int firstRowWithoutDescription(const CodeTable &table) {
    for (int row = 1; row <= CodeTable::kRows; ++row)
        if (!table.waveInfo(row).present()) return row;
    return 0;
}

InterchangeCode codeOfRow(const CodeTable &table, int row) {
    InterchangeCode code;
    code.name = toDisplay(trimmedCell(table.cell(row, CodeTable::kColComments)));
    code.signal = flatSignalOf(table.waveInfo(row));
    return code;
}

} // namespace zevo3
