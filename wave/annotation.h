#pragma once
// The one-line annotation at the top of the track (row, carrier, comment and
// code text) and the code check: the code text compared with the row's
// stored "Result", signalled by a sound.

#include <QString>

namespace zevo3 {

// "No.%d: %2d.%dkHz" from the row and the carrier in tenths of a kilohertz
// (integer division and remainder), then a blank and the comment when there
// is one: "No.12: 38.0kHz TV", "No.3:  5.6kHz".
QString annotationLabel(int row, int carrier, const QString &comment);

enum class CheckSound { None, Chord, Tada };

// A code that differs from the row's "Result" plays the chord; a match whose
// next row holds no result (the end of the list) plays the fanfare.
CheckSound codeCheckSound(const QString &code, const QString &result, const QString &nextResult);

// The file each sound is played from: "chord.wav", "tada.wav"; empty for none.
QString soundFileName(CheckSound sound);

} // namespace zevo3
