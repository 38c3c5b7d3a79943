#pragma once
// A small INI reader and writer that keeps the file as it stands: the order of
// sections and keys, comments and unknown lines survive a rewrite. Names of
// sections and keys match without regard to ASCII case; values are bytes
// (CP932) kept as read. Lines are read whatever their line ends and written
// with CR LF.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace zevo3 {

class IniFile {
public:
    // Largest settings file taken; anything bigger is not a settings file.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    static IniFile parse(const QByteArray &bytes);

    // A missing file is not an error: it reads as empty. A file that is not
    // a regular file, is larger than kMaxFileBytes or cannot be read is
    // refused: false, with the reason in *error.
    bool load(const QString &path, QString *error = nullptr);
    // Replaces the file atomically; on failure the old file stays as it was.
    bool save(const QString &path, QString *error = nullptr) const;

    QByteArray readString(const QByteArray &section, const QByteArray &key,
                          const QByteArray &defaultValue) const;
    // Decimal, or hexadecimal with "$" or "0x"; anything else gives the default.
    int readInteger(const QByteArray &section, const QByteArray &key, int defaultValue) const;

    void writeString(const QByteArray &section, const QByteArray &key, const QByteArray &value);
    void writeInteger(const QByteArray &section, const QByteArray &key, int value);

    QByteArray serialize() const;

    // Lines that are neither a section, a key, a comment nor blank.
    const QStringList &warnings() const { return warnings_; }

    static bool parseInteger(const QByteArray &text, int *value);

private:
    struct Line {
        enum Kind { Other, Section, Key } kind = Other;
        QByteArray raw;   // the line as read (Other) or as it is to be written
        QByteArray name;  // section or key name
        QByteArray value; // key value
    };

    int findSection(const QByteArray &section) const;
    int findKey(int sectionLine, const QByteArray &key) const;

    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
    QStringList warnings_;
};

} // namespace zevo3
