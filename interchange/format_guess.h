#pragma once
// Which interchange format a text most likely is, for a dialog to preselect.
// Only a guess: the chosen reader still says what it cannot read.

#include <QByteArrayView>

namespace zevo3 {

enum class InterchangeFormat { Unknown, Pronto, Raw, IrFile, Lirc };

// "Pronto Hex", "raw timings", "IR signals file", "LIRC configuration", "unknown".
const char *formatName(InterchangeFormat format);

InterchangeFormat guessFormat(QByteArrayView text);

} // namespace zevo3
