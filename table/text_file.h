#pragma once
// Line handling shared by the table file and the layout file: both are CP932
// text, written with CR LF and read whatever their line ends.

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

namespace zevo3 {

inline constexpr char kLineEnd[] = "\r\n";

// The lines of a text, without their ends. CR LF, LF and a lone CR each end a
// line; a last line without an end is a line too, and an end at the very end
// starts no further line.
std::vector<QByteArrayView> textLines(QByteArrayView text);

// A cell text as a comma-separated file carries it: blanks and control
// characters at either end removed, a line end inside written as a blank and
// a comma inside as the full-width comma (CP932 81 43), so that the cell reads
// back as one field of one line.
QByteArray fileFieldText(QByteArrayView cell);

} // namespace zevo3
