// Fuzz target for the JSON that `zevo3 make` takes: any bytes as the JSON.
// What is taken writes a table file and a layout file that read back as
// written: nothing in the table file to say, in the layout file at most texts
// that are not layout cell texts (the file holds them as they stand); the
// files give the same JSON again, and that JSON the same files.

#include "file_check.h"
#include "files_json.h"
#include "fuzz_check.h"

#include <cstdint>
#include <memory>

using namespace zevo3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto table = std::make_unique<CodeTable>();
    const auto layout = std::make_unique<LayoutData>();
    QStringList errors;
    const bool ok = filesFromJson(json, table.get(), layout.get(), &errors);
    FUZZ_CHECK(ok == errors.isEmpty());
    FUZZ_CHECK(errors.size() <= kMaxJsonErrors + 1);
    // Each error says where, but for the note that more were found.
    for (qsizetype i = 0; i < errors.size(); ++i)
        FUZZ_CHECK(errors[i].contains(QLatin1String(": ")) || i == kMaxJsonErrors);
    if (!ok) return 0;

    FilesIn in;
    in.tablePath = QStringLiteral("t.csv");
    in.layoutPath = QStringLiteral("t.ZV3");
    in.table = WriteTableFile(*table);
    in.layout = SaveLayoutFile(*layout, in.layoutPath);
    in.layoutFound = true;
    const FilesRead read = readFiles(in);
    for (const Finding &f : read.findings) {
        FUZZ_CHECK(f.file == in.layoutPath);
        const QByteArray &cell = layout->cell(f.line - 1, f.field - 1);
        FUZZ_CHECK(!cell.isEmpty() && !isLayoutCellText(cell));
    }
    FUZZ_CHECK(read.table->rows == CodeTable::kRows && read.layout->rows == LayoutData::kRows);
    FUZZ_CHECK(WriteTableFile(read.table->table) == in.table);
    FUZZ_CHECK(read.layout->layout.cells() == layout->cells());

    const QByteArray again = filesToJson(read.table->table, read.layout->layout);
    FUZZ_CHECK(again == filesToJson(*table, *layout));
    const auto table2 = std::make_unique<CodeTable>();
    const auto layout2 = std::make_unique<LayoutData>();
    FUZZ_CHECK(filesFromJson(again, table2.get(), layout2.get(), &errors));
    FUZZ_CHECK(WriteTableFile(*table2) == in.table);
    FUZZ_CHECK(layout2->cells() == layout->cells());
    return 0;
}
