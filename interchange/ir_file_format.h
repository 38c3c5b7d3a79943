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
// Records of "type: parsed" (a protocol with address and command) are not
// read; a note names each one. Names are UTF-8.

#include "flat_signal.h"

#include <QByteArrayView>
#include <vector>

namespace zevo3 {

// Every raw record, in order, with its name.
InterchangeRead readIrFile(QByteArrayView text);

// The header and one raw record a code (LF line ends, as these files have
// them), the code's name as the record's; an empty name becomes "code_N".
InterchangeWrite writeIrFile(const std::vector<InterchangeCode> &codes);

} // namespace zevo3
