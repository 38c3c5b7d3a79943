// Fuzz target for IR signal files: any bytes as the file. Besides the
// checks of every interchange reader, what is read, written and read again
// gives the same signals, with the names the writer says it wrote.

#include "fuzz_interchange.h"
#include "ir_file_format.h"
#include "name_text.h"

#include <cstdint>

using namespace zevo3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const InterchangeRead read = readIrFile(bytes);
    fuzz::checkRead(bytes, read);
    if (!read.ok()) return 0;
    const InterchangeWrite written = writeIrFile(read.codes);
    FUZZ_CHECK(written.ok);
    const InterchangeRead again = readIrFile(written.bytes);
    FUZZ_CHECK(again.ok() && again.codes.size() == read.codes.size());
    for (size_t i = 0; i < read.codes.size(); ++i) {
        bool changed = false;
        FUZZ_CHECK(again.codes[i].signal == read.codes[i].signal);
        FUZZ_CHECK(again.codes[i].name ==
                   writtenName(read.codes[i].name, int(i) + 1, false, &changed));
    }
    return 0;
}
