#pragma once
// Something a file reader noticed: where in the file, and what.

#include <QString>

namespace zevo3 {

struct FileProblem {
    int line = 0; // 1-based line of the file
    int field =
        0; // 1-based comma-separated field of that line (the row prefix is field 1); 0 = the line
    QString message;
    bool error = false; // reading stopped here; otherwise a warning and reading went on

    bool operator==(const FileProblem &) const = default;
};

} // namespace zevo3
