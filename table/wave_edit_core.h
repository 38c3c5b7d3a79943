#pragma once
// What the wave information editor shows of a timing description and how
// its fields go back into one, without the window.

#include "code_table.h"
#include "transmit_messages.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zevo3 {

// The pattern codes Pcode[0 .. DataBits-1] as hexadecimal digits, without
// the digit the file and the line repeat after an odd count.
QByteArray patternCodeText(const WaveInfo &info);

// A position ruler for n codes: the tens digit at every tenth position, "+"
// at the other fifth positions, "-" elsewhere: 0----+----1----+----2--
QByteArray patternCodeRuler(int count);

// The entries the editor's grid shows: 0 up to the one before the first
// whose High is 0.
int shownPatternEntries(const WaveInfo &info);

// The first character of the pattern code text that is not a hexadecimal
// digit, as its 0-based position; none when every one is.
std::optional<int> firstNonHexDigit(const QString &text);

// Stores the editor's fields into a timing description: the three numbers,
// all 16 pattern entries, and one pattern code per digit of the text;
// positions beyond the text keep what they held. The text must hold only
// hexadecimal digits (see firstNonHexDigit); at most 4096 are taken.
void storeEditorFields(WaveInfo &info, const EditorFields &fields);

// An integer as the editor's fields are read: the value, or the default
// when the text (blanks around it ignored) is not a decimal number.
int32_t editorNumber(const QString &text, int32_t fallback);

} // namespace zevo3
