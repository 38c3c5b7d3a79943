#pragma once
// The learning mode's messages: "Lend:%04d" with the learning time in
// milliseconds, then "A" to start; "T" ends it.

#include <QByteArray>
#include <QByteArrayView>

namespace zevo3 {

// The learning time as the edit box holds it; 200 when it is not a number.
// Blanks around the number are allowed.
QByteArray learningTimeMessage(QByteArrayView text);
inline const QByteArray kLearningStart = QByteArrayLiteral("A");
inline const QByteArray kLearningEnd = QByteArrayLiteral("T");

} // namespace zevo3
