#pragma once
// LIRC configuration files with raw codes:
//
//   begin remote
//     name  TV
//     flags RAW_CODES
//     frequency 38000
//     gap 108000
//     begin raw_codes
//       name KEY_POWER
//         9000 4500 560 560 …   (several lines possible; ends on a pulse)
//     end raw_codes
//   end remote
//
// "#" starts a comment. Keys other than these are not needed for raw codes
// and are passed over; a remote's "begin codes" section (codes without
// timings) is not read, with a note.

#include "flat_signal.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace zevo3 {

inline constexpr int32_t kLircDefaultCarrierHz = 38000;

// Every raw code of every remote, in order, with its name; the remote's gap
// is each code's gap (the space after its last pulse).
InterchangeRead readLirc(QByteArrayView text);

// One remote named `remoteName` (blanks become "_") holding every code. The
// remote has one carrier and one gap: the first code's carrier and closing
// space (100 ms when it gives none); a code whose own differ is noted. Each
// code is written without its closing space, so it ends on a pulse.
InterchangeWrite writeLirc(const std::vector<InterchangeCode> &codes, const QString &remoteName);

} // namespace zevo3
