#pragma once
// The one way the tool replaces a file on disk (settings, tables, layouts,
// exports). The bytes go to a temporary file beside the target, which takes
// the old file's place only when every byte was written and flushed; a save
// that fails in whole or in part leaves the old file as it was and says why.
// A replaced file keeps its owner, group and permission bits where the
// process may set them.

#include <QByteArray>
#include <QString>

namespace zevo3 {

bool saveFileAtomically(const QString &path, const QByteArray &data, QString *error = nullptr);

// Why readFileBounded refused a file, for a caller that words it itself.
enum class ReadRefusal {
    None,
    Missing,    // no such file
    NotRegular, // a folder, a FIFO, a device
    TooLarge,   // more than maxBytes
    Unreadable, // the system would not open or read it
};

// Reads a whole file of at most maxBytes. Refuses what is not a regular file
// (a FIFO, a device such as /dev/zero, a folder) and files over the limit,
// without blocking on them. A missing file is reported through *missing
// (when given) and returns false; *refusal (when given) says why any refusal
// came.
bool readFileBounded(const QString &path, qint64 maxBytes, QByteArray *data, QString *error,
                     bool *missing = nullptr, ReadRefusal *refusal = nullptr);

} // namespace zevo3
