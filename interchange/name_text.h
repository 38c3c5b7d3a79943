#pragma once
// Code names in the interchange formats: UTF-8 bytes to text, refused when
// the bytes are not UTF-8, and the name a writer puts in a file.

#include <QByteArrayView>
#include <QString>

namespace zevo3 {

// False when the bytes are not valid UTF-8.
bool nameFromUtf8(QByteArrayView bytes, QString *name);

// The name as one word or line of a file: control characters (and, for
// `oneWord`, blanks) become "_"; an empty name "code_N" for the N-th code.
// *changed tells whether it differs from the name given.
QString writtenName(const QString &name, int number, bool oneWord, bool *changed);

} // namespace zevo3
