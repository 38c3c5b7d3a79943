// Fuzz target for IR signal files: any bytes as the file. Besides the
// checks of every interchange reader, what is read, written and read again
// gives the same signals, with the names the writer says it wrote; read and
// written with the protocol codec (parsed records), the same codes.

#include "fuzz_interchange.h"
#include "ir_file_format.h"
#include "ir_protocol.h"
#include "name_text.h"
#include "parsed_codec.h"

#include <cstdint>

using namespace zevo3;

namespace {

void checkParsed(const QByteArray &bytes) {
    const InterchangeRead read = readIrFile(bytes, &protocolCodec());
    fuzz::checkRead(bytes, read);
    if (!read.ok()) return;
    const InterchangeWrite written = writeIrFile(read.codes, &protocolCodec());
    FUZZ_CHECK(written.ok);
    const InterchangeRead again = readIrFile(written.bytes, &protocolCodec());
    FUZZ_CHECK(again.ok() && again.codes.size() == read.codes.size());
    for (size_t i = 0; i < read.codes.size(); ++i) {
        const DecodedCode before = decodeSignal(read.codes[i].signal);
        const DecodedCode after = decodeSignal(again.codes[i].signal);
        FUZZ_CHECK(before.protocol == after.protocol && before.address == after.address &&
                   before.command == after.command);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkParsed(bytes);
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
