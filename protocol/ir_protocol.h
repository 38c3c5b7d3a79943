#pragma once
// The public IR protocols most remote controls speak: a flat signal decoded
// as one of them (its address, command and toggle, how many frames and
// repeat frames were seen), and the signal of a protocol built from its
// fields. Names and fields are those of the widely shared infrared signal
// files: NEC address 0x04 command 0x08 is the bytes 04 FB 08 F7 on the wire.

#include "flat_signal.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace zevo3 {

struct DecodedCode {
    QString protocol; // empty: the signal is none of the protocols
    uint32_t address = 0;
    uint32_t command = 0;
    int toggle = 0;  // RC5 and RC6
    int frames = 0;  // whole frames seen
    int repeats = 0; // repeat frames after the first frame (the short ones of NEC)
    // What did not match, and where, when the protocol is empty; otherwise
    // what was tolerated (a frame cut short, a frame unlike the first).
    QString note;

    bool matched() const { return !protocol.isEmpty(); }
};

DecodedCode decodeSignal(const FlatSignal &signal);

struct EncodedCode {
    bool ok = false;
    QString message; // why not: an unknown protocol, a field wider than the protocol's
    FlatSignal signal;
};

// The frame of the protocol, then `repeats` more (the protocol's own short
// repeat frame for the NEC family, the whole frame again for the others),
// each followed by the protocol's frame gap.
EncodedCode encodeSignal(const QString &protocol, uint32_t address, uint32_t command,
                         int repeats = 0, int toggle = 0);

// The protocols encodeSignal builds.
QStringList protocolNames();

// What a protocol's code is made of; nullopt for a name that is none.
struct ProtocolFields {
    int addressBits = 0;
    int commandBits = 0;
    bool toggle = false;      // RC5, RC5X and RC6
    bool repeatFrame = false; // NEC's family and Samsung32 repeat with a short frame
    int carrierHz = 0;
    // How many frames the shared signal files mean by one code of it (their
    // "parsed" records): SIRC 3, Pioneer 2, the others 1.
    int minSends = 1;
};
std::optional<ProtocolFields> protocolFields(const QString &protocol);

// The short text of a decoded code for a Result cell: "NEC 04 08", the
// fields in hexadecimal digits of their widths; empty when nothing matched.
QString resultText(const DecodedCode &code);

} // namespace zevo3
