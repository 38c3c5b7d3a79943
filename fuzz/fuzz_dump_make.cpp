// Fuzz property of `zevo3 dump | zevo3 make`: any bytes as a table file and a
// layout file (the table, then after a separator "\0ZV3\0" the layout; no
// separator, no layout file). Whenever dump calls the files clean (no
// finding), make takes its JSON, the files make writes give the same JSON
// again without a finding, and they have no problem for check that the read
// files had not.

#include "file_check.h"
#include "files_json.h"
#include "fuzz_check.h"
#include "fuzz_files_in.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <memory>

using namespace zevo3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FilesIn in = fuzzFilesIn(data, size);

    const FilesRead read = readFiles(in);
    if (!read.findings.empty()) return 0; // dump exits 1: nothing promised
    const QByteArray json = filesToJson(read.table->table, read.layout->layout);

    const auto table = std::make_unique<CodeTable>();
    LayoutData layout;
    QStringList errors;
    const bool made = filesFromJson(json, table.get(), &layout, &errors);
    if (!made)
        for (const QString &e : std::as_const(errors))
            std::fprintf(stderr, "make refuses: %s\n", qPrintable(e));
    FUZZ_CHECK(made);
    // The same table and layout as far as the JSON shows them (the digit a
    // file repeats after an odd count of codes is not part of it).
    FUZZ_CHECK(filesToJson(*table, layout) == json);

    FilesIn out;
    out.tablePath = in.tablePath;
    out.layoutPath = in.layoutPath;
    out.table = WriteTableFile(*table);
    out.layout = SaveLayoutFile(layout, out.layoutPath);
    out.layoutFound = true;
    // dump of the made files: clean, and the same JSON.
    const FilesRead again = readFiles(out);
    for (const Finding &f : again.findings)
        std::fprintf(stderr, "dump of the made files: %s\n", qPrintable(f.text()));
    FUZZ_CHECK(again.findings.empty());
    FUZZ_CHECK(filesToJson(again.table->table, again.layout->layout) == json);
    // The made files have no problem the files dump read did not have: a
    // layout naming a code without a timing description stays one, so a
    // file that check calls clean gives files that check calls clean.
    const std::vector<Finding> before = checkFiles(in);
    for (const Finding &f : checkFiles(out)) {
        const bool known = std::find(before.begin(), before.end(), f) != before.end();
        if (!known) std::fprintf(stderr, "check of the made files: %s\n", qPrintable(f.text()));
        FUZZ_CHECK(known);
    }
    return 0;
}
