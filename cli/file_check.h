#pragma once
// Reading a table file with its layout file as the window program does, and
// saying what in them is wrong: where a file departs from what the tool
// writes, where reading it loses or changes something, and where the layout
// names codes that a download would not store.

#include "layout_file.h"
#include "table_file.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace zevo3 {

// Something wrong in one of the files, and where.
struct Finding {
    QString file; // the path as given
    int line = 0; // 1-based; 0: the file as a whole
    int field =
        0; // 1-based comma-separated field of the line (the row prefix is field 1); 0: the line
    QString message;

    // "FILE:LINE:FIELD: message", the parts that are 0 left out.
    QString text() const;
    bool operator==(const Finding &) const = default;
};

// A table file and the layout file beside it, as the front end found them.
struct FilesIn {
    QString tablePath;
    QByteArray table;
    QString layoutPath;
    QByteArray layout;
    bool layoutFound = false; // false: there is no layout file, and the layout is empty
};

struct FilesRead {
    std::unique_ptr<TableFileRead> table;
    std::unique_ptr<LayoutFileRead> layout;
    // What reading noticed: the identification lines, a conversion error,
    // lines not read, cells split by a comma, pattern codes that do not match
    // their count, texts that are not exactly CP932, and the like: everything
    // by which the tables shown differ from the files, in file order.
    std::vector<Finding> findings;
};

// Reads both files as the window's Open does, going on where the window
// would ask (a missing identification line, as after OK). The layout is read
// even after a conversion error in the table, where the window stops.
FilesRead readFiles(const FilesIn &in);

// Longest lines that readers with the format's fixed line buffers take whole:
// the identification line and every further line, without the line end.
inline constexpr qsizetype kFirstLineBuffer = 253;
inline constexpr qsizetype kLineBuffer = 1022;

// Every problem of the files: those of readFiles, then lines that readers
// with fixed line buffers cut or join, and layout cells that are not layout
// cell texts or name a code that a download would not store (one without a
// timing description, or after the first table row without one). In file
// order, the table file first.
std::vector<Finding> checkFiles(const FilesIn &in);

// Layout cells that a download cannot send as codes of the table: texts that
// are not layout cell texts, and codes that are not a table row (1 to 70).
// Each is also a problem of checkFiles, in the same words.
std::vector<Finding> layoutSendProblems(const LayoutData &layout, const QString &layoutPath);

} // namespace zevo3
