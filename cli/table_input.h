#pragma once
// A table file (and its layout file) read for a command that uses it, as the
// window's Open reads it: a file without the identification line is used as
// after OK (and said); a conversion error refuses the file.

#include "cli_output.h"
#include "code_table.h"
#include "layout_data.h"
#include "table_document.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace zevo3::cli {

struct TableInput {
    std::unique_ptr<CodeTable> table;
    LayoutData layout;
};
// Reads TABLE and, when `withLayout`, its layout file (missing: an empty
// layout, as the window has it), for the unit commands. Null and said when a
// file cannot be read or the table holds a conversion error.
std::optional<TableInput> readTableInput(const QString &tablePath, bool withLayout,
                                         const Streams &streams);
// Whether a layout file opened beside its table can be used (a missing one
// is an empty layout); `say` tells why not.
bool layoutReadable(const LayoutFileOpen &open, const std::function<void(const QString &)> &say);

// A table file read whole for an output of it (print, wave); what is wrong
// goes to standard error, followed by `nothing` ("nothing printed").
std::optional<CodeTable> readWholeTable(const QString &tablePath, const QString &nothing);

// Why a table file and its layout file cannot be written where checkSave
// refuses them, ending in "nothing written"; empty when they can.
QString saveRefusal(const SaveCheck &check, const QString &tablePath);

} // namespace zevo3::cli
