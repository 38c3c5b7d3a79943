#pragma once
// The layout file (".ZV3"): CP932 text, written with CR LF.
//
//   ZEVO3 Layout File : name.ZV3
//   [01],012(F03:W01),005(F03:W01),,,,,,,
//   … one line per layout row 1 to 15, eight fields each closed by a comma.
//
// The writer gives the bytes and the reader takes them; opening, asking and
// saving belong to the caller.

#include "file_problem.h"
#include "layout_data.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace zevo3 {

inline constexpr char kLayoutFileId[] = "ZEVO3 Layout File";

// The layout file that travels with a table file: the table's path with the
// extension of its file name replaced by ".ZV3" ("tv.Csv" -> "tv.ZV3"), or
// ".ZV3" appended when the name has none. The directory part stays as given.
// An empty path gives an empty path.
QString layoutPathFor(const QString &tablePath);

// The whole file for the layout, saved at `path`: the identification line
// with the name part of the path, then the 15 row lines with the cells trimmed.
QByteArray SaveLayoutFile(const LayoutData &layout, const QString &path);

// Why the row lines ended.
enum class LayoutReadEnd {
    EndOfFile,   // no further line
    NotARowLine, // a line that does not begin with "["
    LayoutFull,  // 15 rows read and a further row line follows, not read
};

struct LayoutFileRead {
    LayoutData layout;       // the cells read, the rest empty; no current file
    bool identified = false; // false: the caller asks whether to open it anyway
    int rows = 0;            // rows filled from the file, 0..15
    LayoutReadEnd end = LayoutReadEnd::EndOfFile;
    int endLine = 0;                   // the line that ended the rows; 0 at the end of the file
    std::vector<FileProblem> problems; // warnings only: the layout reader never stops on a field
};

// Reads a layout file. The first line is never a row line. Row lines fill
// rows 1, 2, … in file order (the number in the brackets is not read); the
// first field starts after the five characters of the row prefix, each comma
// closes a field, the text after the last comma is ignored, and fields go
// into columns 1 to 8 as they stand. Fields after the eighth and lines after
// the fifteenth row are not read.
LayoutFileRead LoadLayoutFile(const QByteArray &bytes);

// The problem said of a layout field that is not a layout cell text.
QString notALayoutCellText(const QByteArray &text);

} // namespace zevo3
