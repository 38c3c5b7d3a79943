#pragma once
// The table file with the layout file beside it, as both front ends open and
// save them: read with the bounded reader, checked (the identification
// lines, the problems found, the layout file's path and whether it is the
// table itself through a link), and written through the one atomic writer
// after the refusals. The results are records the front ends only report:
// the window asks and shows, zevo3 says and sets its exit status.

#include "file_pair.h"
#include "layout_file.h"
#include "table_file.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace zevo3 {

// 70 rows of 4096 pattern codes come to about 600 KB; a layout file to a few
// hundred bytes. Anything near this is not one of them.
inline constexpr qint64 kMaxTableFileBytes = 16 * 1024 * 1024;

// A table file as read.
struct TableFileOpen {
    QString path;
    bool readable = false; // false: `error` says why, nothing else is set
    QString error;
    QByteArray bytes;                    // the file as it stands
    std::unique_ptr<TableFileRead> read; // what the reader made of it (when parsed)
};
// `parse` false: only the bytes (for a caller that reads them its own way).
TableFileOpen openTableFile(const QString &path, bool parse = true);

// The layout file that travels with a table file.
struct LayoutFileOpen {
    enum class State {
        Read,       // `read` holds it
        Missing,    // no file: an empty layout, no news
        Unreadable, // there, but `error` says why it cannot be read
        IsTheTable, // through a link it is the table file itself: not read
    };
    QString tablePath;
    QString path; // layoutPathFor(the table's path)
    State state = State::Missing;
    QString error;
    QByteArray bytes;
    LayoutFileRead read;
    bool found() const { return state == State::Read; }
};
LayoutFileOpen openLayoutFile(const QString &tablePath);
// A layout file read on its own, with no table to compare it with.
LayoutFileOpen readLayoutFileAt(const QString &layoutPath);

// Why a table and its layout may not be saved under a table path, found
// before anything is written.
struct SaveCheck {
    enum class Refusal {
        None,
        LayoutName, // the table's own name is that of its layout file (".ZV3")
        Pair,       // `pair` says why the two paths are no pair of files
        InTheWay,   // `path` is not a regular file, or is marked read-only
    };
    Refusal refusal = Refusal::None;
    QString layoutPath;
    PairCheck pair;
    QString path; // InTheWay: the file, and `why`
    QString why;
    bool ok() const { return refusal == Refusal::None; }
};
// `strict` adds the InTheWay check of both files (zevo3 make, which writes
// neither file when one cannot be replaced; the window saves the layout
// even when the table cannot be written, and says each failure).
SaveCheck checkSave(const QString &tablePath, bool strict);

// The writers through the atomic save: false with `error` when the file was
// left as it was.
bool saveTableFile(const QString &path, const CodeTable &table, QString *error);
bool saveLayoutFile(const QString &path, const LayoutData &layout, QString *error);

// A save of the layout alone (the layout window's): refused, with `pair`
// saying why, when it would write the table file `tablePath` (empty: no
// table known) or the layout path is a link in a loop or to nothing.
struct LayoutSave {
    bool saved = false;
    PairCheck pair; // not ok: refused, nothing written
    QString error;  // ok but not saved: why the write failed
};
LayoutSave saveLayoutBeside(const QString &layoutPath, const LayoutData &layout,
                            const QString &tablePath);

} // namespace zevo3
