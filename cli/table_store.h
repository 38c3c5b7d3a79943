#pragma once
// Codes stored into a table file by zevo3 import and encode: the table as
// the window's Open reads it (or a new one), written back atomically with an
// empty layout file for a new table, and the line each stored code gives.

#include "code_table.h"
#include "imported_row.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace zevo3::cli {

struct ImportTarget {
    std::unique_ptr<CodeTable> table = std::make_unique<CodeTable>();
    bool created = false;
    // A new table without a layout file beside it gets an empty one; a
    // layout file already there is the operator's and stays as it is.
    bool writeEmptyLayout = false;
};

// The table file, or an empty table when there is none yet. Null (and said)
// when it cannot be read or holds a conversion error.
std::optional<ImportTarget> openImportTarget(const QString &tablePath);

// Checks that the table file may be written over (see saveRefusal), then
// writes it atomically. The path of its layout file, or nullopt when it was
// refused or failed (and said).
std::optional<QString> saveCheckedTable(const QString &tablePath, const CodeTable &table);

// Writes the table (and, for a new one, its empty layout file) atomically;
// the exit status.
int saveImport(const QString &tablePath, const ImportTarget &target);

// Stores the codes into row `row` (0: there was no free row) and the rows
// below it, writes the table and prints a line a stored code; the exit
// status. Nothing is written when a code does not fit.
int storeAndReport(const QString &tablePath, ImportTarget &target, int row,
                   const std::vector<InterchangeCode> &codes);

// "3 Power: 34 pairs, 4 entries, largest deviation 12 µs (2.1 %)" and the
// line end.
QByteArray storedLine(const StoredCode &code, const QString &name);

} // namespace zevo3::cli
