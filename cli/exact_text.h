#pragma once
// Cell texts between the files' CP932 bytes and the Unicode text of JSON,
// converted only where the way back gives the same bytes or text again.

#include <QByteArray>
#include <QString>

namespace zevo3 {

enum class TextFit {
    Exact,      // the text writes back as the same bytes
    NotCp932,   // bytes that are not CP932 text (a stray byte, a lead byte without its trail)
    OtherBytes, // CP932, but a character has two forms and writes back as the other one
};

// The CP932 bytes as text. For bytes that do not fit exactly the text is the
// nearest one (a stray byte shows as U+FFFD).
TextFit cp932ToText(const QByteArray &bytes, QString *text);

// The text as CP932 bytes. False when a character has no CP932 form (or would
// read back as another character); *bytes is then unchanged.
bool textToCp932(const QString &text, QByteArray *bytes);

// A text as messages quote it: in double quotes, cut after 40 characters,
// control characters written as JSON writes them.
QString quotedText(const QString &text);

} // namespace zevo3
