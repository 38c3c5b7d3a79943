#pragma once
// The table file and its layout file as a save finds them on disk. The two
// names always differ, but a symbolic or hard link can make them one file,
// and a save of the layout would then replace the table. Checked before
// anything is written, so that the two files never end up out of step.

#include <QString>

namespace zevo3 {

enum class PairProblem {
    None,
    SameFile,     // the layout path names the table file itself
    LinkLoop,     // `path` is a symbolic link that never reaches a file
    DanglingLink, // `path` is a symbolic link to `target`, which does not exist
};

struct PairCheck {
    PairProblem problem = PairProblem::None;
    QString path;   // the path the problem is about (the table's or the layout's)
    QString target; // DanglingLink: the missing file the link names
    bool ok() const { return problem == PairProblem::None; }
};

// The real file behind `path`, followed through every symbolic link; for a
// path that does not exist yet, the file a save would create. Empty, with
// `check` telling why, for a link in a loop or to nothing.
QString realFilePath(const QString &path, PairCheck *check = nullptr);

// Whether a save may write `tablePath` and `layoutPath`: neither is a link in
// a loop or to nothing, and they are two different files.
PairCheck checkFilePair(const QString &tablePath, const QString &layoutPath);

// The window's message for a pair that cannot be saved (Japanese, as the
// operator's other texts).
QString pairProblemMessage(const PairCheck &pair, const QString &tablePath);

} // namespace zevo3
