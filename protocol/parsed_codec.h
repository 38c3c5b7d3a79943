#pragma once
// The protocol core as the codec of parsed records: a record's protocol and
// fields made into its signal (as many frames as the record means), and a
// signal written as a record when it is cleanly one code of a protocol.

#include "parsed_code.h"

namespace zevo3 {

const ParsedCodec &protocolCodec();

} // namespace zevo3
