#pragma once
// The table file: the code table as comma-separated CP932 text. Line 1 is the
// identification "ZEVO4 Table File", then one row line per table row 1 to 70:
//
//   [001],38.0kHz,3,TV power,01FE,Twc:380,Twb:005,Twr:000,
//   Twp:0:00350 000700, … (16 pattern entries) …,Twd:011022,
//
// (one line; every field closed by a comma, the last one included).
//
// The writer gives the bytes and the reader takes them; opening, asking and
// saving belong to the caller.

#include "code_table.h"
#include "file_problem.h"

#include <QByteArray>
#include <vector>

namespace zevo3 {

inline constexpr char kTableFileId[] = "ZEVO4 Table File";

// The tags of a row line's tagged fields, in the order of their columns 5 to
// 9: the carrier, the code count, the repeat, the pattern entries, the codes.
inline constexpr const char *kTableTags[] = {"Twc:", "Twb:", "Twr:", "Twp:", "Twd:"};
inline constexpr int kFirstTagColumn = 5;
inline constexpr int kPcodeColumn = 9;
// The column (5 to 9) a field beginning with a tag sends the reader to, or 0.
int tagColumn(QByteArrayView field);

// A row line's fields as the reader takes them. The row prefix ("[001]," or
// "[01],") is field 1; the character after the last comma is taken for one.
struct ScannedField {
    int number = 0;      // field of the line, from 2
    int column = 0;      // 1-4 the cells, 5-9 the tagged fields, 10 and on: not read
    bool tagged = false; // it began with a tag, which chose its column
    QByteArrayView text;
};
struct ScannedLine {
    bool twoDigits = false; // "[01]," rows have no Result cell
    // Up to the end of the line, or up to and with a "Twp:" field whose index
    // is not a hexadecimal digit, where reading stops.
    std::vector<ScannedField> fields;
};
ScannedLine scanRowLine(QByteArrayView line);

// The row line of a table row, without its line end.
QByteArray TableRowLine(const CodeTable &table, int row);

// The whole file: the identification line and the 70 row lines, each ended
// by CR LF.
QByteArray WriteTableFile(const CodeTable &table);

// Why the row lines ended.
enum class TableReadEnd {
    EndOfFile,       // no further line
    NotARowLine,     // a line that does not begin with "["
    TableFull,       // 70 rows read and a further row line follows, not read
    ConversionError, // a pattern entry or pattern code that is not a number
};

struct TableFileRead {
    CodeTable table;         // the rows read; the rest empty
    bool identified = false; // the first line holds "ZEVO4 Table File"
    int rows = 0;            // rows filled from the file, 0..70
    TableReadEnd end = TableReadEnd::EndOfFile;
    int endLine = 0; // the line that ended the rows; 0 at the end of the file
    std::vector<FileProblem> problems;

    // False after a conversion error: the rows before the line in error are
    // in the table, that row and the rest are empty.
    bool complete() const { return end != TableReadEnd::ConversionError; }
};

// Reads a table file. The first line is never a row line, whether or not it
// identifies the file. Row lines fill rows 1, 2, … in file order (the number
// in the brackets is not read) until a line that does not begin with "[",
// the end of the file, or row 70. Lines may be of any length; pattern codes
// beyond the 4096 of a row are checked but not kept.
TableFileRead ReadTableFile(const QByteArray &bytes);

// The lines the analysis-log mode adds to the receive log after a table was
// read: one for each row whose WaveInfo is present, "[%03d] " and the row's
// tagged fields as the file writes them, run together, the last without its
// comma.
std::vector<QByteArray> TableLoadLog(const CodeTable &table);

} // namespace zevo3
