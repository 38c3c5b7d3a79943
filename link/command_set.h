#pragma once
// What the tool sends to the unit, in one place. Every command is one framed
// message; the transmit records of codes and layouts are built where they are
// used, from the tags below.

#include <QByteArray>

namespace zevo3::cmd {

// Asks the unit for its version; the answer holds the model word.
inline const QByteArray kVersion = "Version";
// The short form the port search sends to each candidate port.
inline const QByteArray kVer = "Ver";
// Learning: the time first, then start; "T" ends learning.
QByteArray learnTime(int milliseconds); // "Lend:%04d"
inline const QByteArray kLearnStart = "A";
inline const QByteArray kLearnStop = "T";
// A learned code sent back from an "m:" answer.
QByteArray learnedCode(const QByteArray &m, const QByteArray &d, const QByteArray &f);

// Answers the tool relies on.
inline constexpr char kAck = 0x06;
inline const QByteArray kModelWord = "ZEVO3";
inline const QByteArray kKeyRowAnswer = "Kr:";
inline const QByteArray kLearnedAnswer = "m:";

// True when a complete message from the unit counts as an acknowledgement.
bool isAcknowledgingAnswer(const QByteArray &line);

} // namespace zevo3::cmd
