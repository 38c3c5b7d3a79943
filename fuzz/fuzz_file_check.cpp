// Fuzz target for the checks of `zevo3 check` and `zevo3 dump`: any bytes as
// a table file and a layout file. The input is the table file, then, after a
// separator "\0ZV3\0", the layout file; without the separator there is no
// layout file. Every finding names one of the two files and a line in it;
// what reading says, the check says too; the files read as the readers
// read them on their own.

#include "file_check.h"
#include "fuzz_check.h"
#include "fuzz_files_in.h"
#include "text_file.h"

#include <algorithm>
#include <cstdint>

using namespace zevo3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const FilesIn in = fuzzFilesIn(data, size);

    const FilesRead read = readFiles(in);
    const std::vector<Finding> checked = checkFiles(in);
    const int tableLines = std::max<int>(int(textLines(in.table).size()), 1);
    const int layoutLines = std::max<int>(int(textLines(in.layout).size()), 1);
    bool layoutPart = false;
    for (const Finding &f : checked) {
        const bool inTable = f.file == in.tablePath;
        FUZZ_CHECK(inTable || (f.file == in.layoutPath && in.layoutFound));
        FUZZ_CHECK(!(inTable && layoutPart)); // the table file first
        layoutPart = !inTable;
        FUZZ_CHECK(f.line >= 1 && f.line <= (inTable ? tableLines : layoutLines));
        FUZZ_CHECK(f.field >= 0 && !f.message.isEmpty());
    }
    for (const Finding &f : read.findings)
        FUZZ_CHECK(std::find(checked.begin(), checked.end(), f) != checked.end());

    FUZZ_CHECK(read.table->table == ReadTableFile(in.table).table);
    if (in.layoutFound)
        FUZZ_CHECK(read.layout->layout.cells() == LoadLayoutFile(in.layout).layout.cells());
    else
        FUZZ_CHECK(read.layout->layout.cells() == LayoutData().cells());
    return 0;
}
