#pragma once
// A code given by its protocol and fields, as the "parsed" records of
// infrared signal files hold it, and what turns such a code into a signal
// and back. The protocol core provides the codec; a reader without one
// passes parsed records over with a note.

#include "flat_signal.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace zevo3 {

struct ParsedCode {
    QString protocol;
    uint32_t address = 0;
    uint32_t command = 0;
};

struct ParsedCodec {
    // The signal of the code, as many frames as such a record means; false
    // and *why for a protocol that is none or fields too wide for it.
    std::function<bool(const ParsedCode &, FlatSignal *signal, QString *why)> encode;
    // The code a signal cleanly is; nullopt when it is none, or only nearly.
    std::function<std::optional<ParsedCode>(const FlatSignal &)> decode;
};

} // namespace zevo3
