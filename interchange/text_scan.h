#pragma once
// Lines and words of an interchange text, for the format readers: line ends
// CR LF, LF or CR, a UTF-8 byte order mark at the start passed over; words
// separated by blanks and tabs (and commas where a format allows them);
// numbers read without overflow whatever their length.

#include "flat_signal.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

namespace zevo3 {

struct ScanLine {
    int number = 0;      // 1-based
    QByteArrayView text; // without its line end
};
std::vector<ScanLine> scanLines(QByteArrayView text);

std::vector<QByteArrayView> scanWords(QByteArrayView line, bool commas = false);

// The line without blanks, tabs and control characters at either end.
QByteArrayView trimmedView(QByteArrayView text);

// Decimal digits only, at most `maxValue`; false otherwise.
bool parseCount(QByteArrayView word, int64_t maxValue, int64_t *value);

// A word as a message shows it: quoted, at most 24 characters, bytes other
// than printable ASCII as \xNN.
QString quotedWord(QByteArrayView word);

// "line 7: " + text.
QString onLine(int line, const QString &text);

// A reader's error (the text refused) or note about a line, as "line 7: …".
void addLineNote(InterchangeRead &read, int line, const QString &text, bool error);

// Whether the text starts with `prefix`, ignoring ASCII case.
bool startsWithNoCase(QByteArrayView text, QByteArrayView prefix);

// The longest duration a reader takes, in µs; the quantiser refuses far less.
inline constexpr int64_t kMaxReadDurationUs = 99999999;

} // namespace zevo3
