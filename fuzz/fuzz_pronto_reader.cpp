// Fuzz target for Pronto Hex: any bytes as the text. Besides the checks of
// every interchange reader, a code the quantiser takes (a carrier of 10 to
// 99.9 kHz, so a period of at least 9.9 µs) is written and read again to the
// same signal.

#include "fuzz_interchange.h"
#include "pronto_format.h"

#include <cstdint>

using namespace zevo3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const InterchangeRead read = readPronto(bytes);
    fuzz::checkRead(bytes, read);
    for (const InterchangeCode &code : read.codes) {
        if (!quantise(code.signal).ok) continue;
        const InterchangeWrite written = writePronto({code});
        FUZZ_CHECK(written.ok);
        const InterchangeRead again = readPronto(written.bytes);
        FUZZ_CHECK(again.ok() && again.codes.size() == 1);
        FUZZ_CHECK(again.codes[0].signal == code.signal);
    }
    return 0;
}
