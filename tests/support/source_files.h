#pragma once
// Files of the source tree (examples, committed golden files) for the tests
// that compare against them; ZEVO3_SOURCE_DIR is the tree's root.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zevo3::test {

inline QString sourceFile(const char *path) {
    return QStringLiteral(ZEVO3_SOURCE_DIR "/") + QString::fromLatin1(path);
}

// The bytes of a file, or "<missing>".
inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace zevo3::test
