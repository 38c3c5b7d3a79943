#pragma once
// The serial line and every file carry text in CP932 (Windows Shift-JIS).
// Cores keep byte strings; widgets convert here, and only here.

#include <QByteArray>
#include <QString>

namespace zevo3 {

QString toDisplay(const QByteArray &cp932);
QByteArray toCp932(const QString &text);
// Whether every character of the text has a CP932 form (and so survives a
// file or the line unchanged).
bool encodableInCp932(const QString &text);

} // namespace zevo3
