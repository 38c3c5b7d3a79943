#include "table_store.h"

#include "cli_output.h"
#include "exit_status.h"
#include "layout_file.h"
#include "table_document.h"
#include "table_file.h"
#include "table_input.h"

#include <QFileInfo>

namespace zevo3::cli {

std::optional<ImportTarget> openImportTarget(const QString &tablePath) {
    ImportTarget target;
    const QFileInfo info(tablePath);
    if (!info.exists() && !info.isSymLink()) {
        target.created = true;
        target.writeEmptyLayout = !QFileInfo(layoutPathFor(tablePath)).exists() &&
                                  !QFileInfo(layoutPathFor(tablePath)).isSymLink();
        return target;
    }
    TableFileOpen open = openTableFile(tablePath);
    if (!open.readable) {
        tell(QStringLiteral("cannot read the table file %1: %2").arg(tablePath, open.error));
        return std::nullopt;
    }
    const TableFileRead &read = *open.read;
    if (!read.complete()) {
        for (const FileProblem &problem : read.problems)
            if (problem.error) {
                tell(QStringLiteral("%1:%2:%3: %4; nothing written")
                         .arg(tablePath)
                         .arg(problem.line)
                         .arg(problem.field)
                         .arg(problem.message));
                break;
            }
        return std::nullopt;
    }
    if (!read.identified)
        say(QStringLiteral("%1:1: the first line is not \"%2\"; read as after OK")
                .arg(tablePath, QString::fromLatin1(kTableFileId)));
    *target.table = read.table;
    return target;
}

// "3 Power: 34 pairs, 4 entries, largest deviation 12 µs (2.1 %)"
QByteArray storedLine(const StoredCode &code, const QString &name) {
    return QStringLiteral("%1 %2: %3 pairs, %4 entries, largest deviation %5 µs (%6 %)\n")
        .arg(code.row)
        .arg(name.isEmpty() ? QStringLiteral("-") : name)
        .arg(code.pairs)
        .arg(code.entries)
        .arg(code.maxDeviationUs)
        .arg(code.maxDeviationPercent, 0, 'f', 1)
        .toUtf8();
}

// Writes the table (and, for a new one, its empty layout file) atomically.
std::optional<QString> saveCheckedTable(const QString &tablePath, const CodeTable &table) {
    const SaveCheck check = checkSave(tablePath, true);
    const QString refusal = saveRefusal(check, tablePath);
    if (!refusal.isEmpty()) {
        tell(refusal);
        return std::nullopt;
    }
    QString error;
    if (!saveTableFile(tablePath, table, &error)) {
        tell(QStringLiteral("cannot write the table file %1: %2; nothing written")
                 .arg(tablePath, error));
        return std::nullopt;
    }
    return check.layoutPath;
}

int saveImport(const QString &tablePath, const ImportTarget &target) {
    const std::optional<QString> layoutPath = saveCheckedTable(tablePath, *target.table);
    if (!layoutPath) return kCannot;
    QString error;
    if (target.writeEmptyLayout && !saveLayoutFile(*layoutPath, LayoutData(), &error)) {
        tell(QStringLiteral("the table file %1 was written, but its layout file %2 was NOT: %3")
                 .arg(tablePath, *layoutPath, error));
        return kCannot;
    }
    return kDone;
}

int storeAndReport(const QString &tablePath, ImportTarget &target, int row,
                   const std::vector<InterchangeCode> &codes) {
    if (row == 0) {
        tell(QStringLiteral("every row of %1 holds a timing description: give --row N; nothing "
                            "written")
                 .arg(tablePath));
        return kNoAnswer;
    }
    const StoreResult stored = storeImported(*target.table, row, codes);
    if (!stored.ok) {
        tell(stored.message + QStringLiteral("; nothing written"));
        return kNoAnswer;
    }
    const int status = saveImport(tablePath, target);
    if (status != kDone) return status;
    for (const QString &note : stored.notes)
        tell(note);
    QByteArray report;
    for (size_t i = 0; i < stored.stored.size(); ++i)
        report += storedLine(stored.stored[i], codes[i].name);
    return writeOut(report) ? kDone : cannotWriteOut();
}

} // namespace zevo3::cli
