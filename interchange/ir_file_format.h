#pragma once
// Infrared signal files: a header, then records separated by "#" lines.
//
//   Filetype: IR signals file
//   Version: 1
//   #
//   name: Power
//   type: raw
//   frequency: 38000
//   duty_cycle: 0.330000
//   data: 9000 4500 560 560 …
//
// Records of "type: parsed" hold a protocol, an address and a command, the
// fields as four bytes LSB first:
//
//   name: Power
//   type: parsed
//   protocol: NEC
//   address: 04 00 00 00
//   command: 08 00 00 00
//
// They are read through a codec; without one a note names each and passes
// it over. Names are UTF-8.

#include "flat_signal.h"
#include "parsed_code.h"

#include <QByteArrayView>
#include <vector>

namespace zevo3 {

// Every raw record (and, with a codec, every parsed one), in order, with its
// name.
InterchangeRead readIrFile(QByteArrayView text, const ParsedCodec *codec = nullptr);

// The header and one record a code (LF line ends, as these files have
// them), the code's name as the record's; an empty name becomes "code_N".
// With a codec, a code that is cleanly one of its protocols is written as a
// parsed record, any other as raw.
InterchangeWrite writeIrFile(const std::vector<InterchangeCode> &codes,
                             const ParsedCodec *codec = nullptr);

} // namespace zevo3
