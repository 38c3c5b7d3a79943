#pragma once
// A code asked for by its protocol's fields as typed (decimal or 0x
// hexadecimal): checked against the protocol's widths and built, with the
// name such a code gets ("NEC 0x04 0x08"). zevo3 encode and the window's
// protocol dialog share it.

#include "flat_signal.h"
#include "ir_protocol.h"

#include <QString>
#include <optional>

namespace zevo3 {

// A number in decimal or 0x hexadecimal, 0 to 2^32 - 1.
std::optional<uint32_t> fieldNumber(const QString &text);

// "NEC 0x04 0x08": the Comments of a code made from fields.
QString requestedName(const QString &protocol, uint32_t address, uint32_t command);

struct CodeRequest {
    QString protocol;
    QString address; // as typed
    QString command;
    int repeats = 0;
    int toggle = 0;
};

struct RequestedCode {
    enum class Problem {
        None,
        Protocol,
        AddressNumber,
        CommandNumber,
        AddressWidth,
        CommandWidth,
        Encoder // the fields fit, but the encoder refuses them (the message says why)
    };
    Problem problem = Problem::Protocol;
    ProtocolFields fields; // of the protocol, when it is one
    InterchangeCode code;  // the name and signal, when there is no problem
    QString message;       // the encoder's words for a problem
    bool ok() const { return problem == Problem::None; }
};

RequestedCode requestCode(const CodeRequest &request);

} // namespace zevo3
