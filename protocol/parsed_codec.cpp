#include "parsed_codec.h"

#include "ir_protocol.h"

namespace zevo3 {
namespace {

bool encodeParsed(const ParsedCode &code, FlatSignal *signal, QString *why) {
    const std::optional<ProtocolFields> fields = protocolFields(code.protocol);
    const EncodedCode encoded =
        encodeSignal(code.protocol, code.address, code.command, fields ? fields->minSends - 1 : 0);
    if (!encoded.ok) {
        *why = encoded.message;
        return false;
    }
    *signal = encoded.signal;
    return true;
}

// Only a code the record gives back as it is: decoded without a note, the
// toggle 0 (a record has none), and as many frames as the record means.
std::optional<ParsedCode> decodeParsed(const FlatSignal &signal) {
    const DecodedCode code = decodeSignal(signal);
    if (!code.matched() || !code.note.isEmpty() || code.toggle != 0) return std::nullopt;
    // A record means its minimum sends: whole frames, or one frame for a
    // protocol with its own repeat frame (whose repeats it does not carry).
    const ProtocolFields fields = *protocolFields(code.protocol);
    const int frames = fields.repeatFrame ? 1 : fields.minSends;
    if (code.frames != frames || code.repeats != fields.minSends - 1) return std::nullopt;
    return ParsedCode{code.protocol, code.address, code.command};
}

} // namespace

const ParsedCodec &protocolCodec() {
    static const ParsedCodec codec{encodeParsed, decodeParsed};
    return codec;
}

} // namespace zevo3
