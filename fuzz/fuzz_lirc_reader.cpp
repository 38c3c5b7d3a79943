// Fuzz target for LIRC configuration files: any bytes as the file. Besides
// the checks of every interchange reader, what is read and written as one
// remote reads back as the same codes up to their last pulse, with the names
// the writer says it wrote and the first code's carrier.

#include "fuzz_interchange.h"
#include "lirc_format.h"
#include "name_text.h"

#include <cstdint>

using namespace zevo3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const InterchangeRead read = readLirc(bytes);
    fuzz::checkRead(bytes, read);
    if (!read.ok()) return 0;
    bool carriers = true;
    for (const InterchangeCode &code : read.codes)
        carriers = carriers && code.signal.carrierHz > 0;
    const InterchangeWrite written = writeLirc(read.codes, QStringLiteral("fuzz"));
    FUZZ_CHECK(written.ok == carriers);
    if (!written.ok) return 0;
    const InterchangeRead again = readLirc(written.bytes);
    FUZZ_CHECK(again.ok() && again.codes.size() == read.codes.size());
    for (size_t i = 0; i < read.codes.size(); ++i) {
        std::vector<int32_t> pulses = read.codes[i].signal.durations;
        if (pulses.size() % 2 == 0) pulses.pop_back();
        bool changed = false;
        FUZZ_CHECK(again.codes[i].signal.durations == pulses);
        FUZZ_CHECK(again.codes[i].signal.carrierHz == read.codes[0].signal.carrierHz);
        FUZZ_CHECK(again.codes[i].name ==
                   writtenName(read.codes[i].name, int(i) + 1, true, &changed));
    }
    return 0;
}
