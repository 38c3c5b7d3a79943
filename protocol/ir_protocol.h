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

// The protocols encodeSignal builds, in the order they are tried.
QStringList protocolNames();

} // namespace zevo3
