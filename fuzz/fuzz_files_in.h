#pragma once
// A fuzz input as a table file and its layout file: the table's bytes, then,
// after a separator "\0ZV3\0", the layout's; without the separator there is
// no layout file.

#include "file_check.h"

#include <cstddef>
#include <cstdint>

namespace zevo3 {

inline FilesIn fuzzFilesIn(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray separator("\0ZV3\0", 5);
    const qsizetype split = bytes.indexOf(separator);
    FilesIn in;
    in.tablePath = QStringLiteral("t.csv");
    in.layoutPath = QStringLiteral("t.ZV3");
    in.table = split < 0 ? bytes : bytes.left(split);
    in.layoutFound = split >= 0;
    if (in.layoutFound) in.layout = bytes.mid(split + separator.size());
    return in;
}

} // namespace zevo3
