// Fuzz target for raw timings and mode2 dumps: any bytes as the text.
// Besides the checks of every interchange reader, what is read, written and
// read again gives the same codes.

#include "fuzz_interchange.h"
#include "raw_format.h"

#include <cstdint>

using namespace zevo3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const InterchangeRead read = readRaw(bytes);
    fuzz::checkRead(bytes, read);
    if (!read.ok()) return 0;
    const InterchangeWrite written = writeRaw(read.codes);
    FUZZ_CHECK(written.ok);
    const InterchangeRead again = readRaw(written.bytes);
    FUZZ_CHECK(again.ok() && again.codes == read.codes);
    return 0;
}
