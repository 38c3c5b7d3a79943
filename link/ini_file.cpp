#include "ini_file.h"

#include "save_file.h"

#include <cctype>
#include <limits>

namespace zevo3 {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArray trimBlanks(const QByteArray &text) {
    int begin = 0;
    int end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool sameName(const QByteArray &a, const QByteArray &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile IniFile::parse(const QByteArray &bytes) {
    IniFile ini;
    QByteArray data = bytes;
    // A byte-order mark from an editor is kept aside and written back as
    // found, so a rewrite changes nothing else in the file.
    if (data.startsWith("\xEF\xBB\xBF")) {
        data.remove(0, 3);
        ini.byteOrderMark_ = true;
    }

    int pos = 0;
    int lineNumber = 0;
    const int size = data.size();
    while (pos < size) {
        int end = pos;
        while (end < size && data[end] != '\n' && data[end] != '\r')
            ++end;
        const QByteArray raw = data.mid(pos, end - pos);
        if (end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            end += 2;
        else if (end < size)
            end += 1;
        pos = end;
        ++lineNumber;

        Line line;
        line.raw = raw;
        const QByteArray text = trimBlanks(raw);
        if (text.startsWith('[')) {
            const int close = text.indexOf(']');
            if (close > 0) {
                line.kind = Line::Section;
                line.name = trimBlanks(text.mid(1, close - 1));
            } else {
                ini.warnings_
                    << QStringLiteral("line %1: unterminated section name").arg(lineNumber);
            }
        } else if (!text.isEmpty() && text[0] != ';' && text[0] != '#') {
            const int eq = text.indexOf('=');
            if (eq > 0) {
                line.kind = Line::Key;
                line.name = trimBlanks(text.left(eq));
                line.value = trimBlanks(text.mid(eq + 1));
            } else {
                ini.warnings_ << QStringLiteral("line %1: not a key=value line").arg(lineNumber);
            }
        }
        ini.lines_.push_back(std::move(line));
    }
    return ini;
}

bool IniFile::load(const QString &path, QString *error) {
    QByteArray bytes;
    bool missing = false;
    if (!readFileBounded(path, kMaxFileBytes, &bytes, error, &missing)) {
        *this = IniFile();
        return missing;
    }
    *this = parse(bytes);
    return true;
}

bool IniFile::save(const QString &path, QString *error) const {
    // Never write a file that the next start would refuse.
    const QByteArray data = serialize();
    if (data.size() > kMaxFileBytes) {
        if (error)
            *error =
                QStringLiteral("the settings would be larger than %1 bytes").arg(kMaxFileBytes);
        return false;
    }
    return saveFileAtomically(path, data, error);
}

int IniFile::findSection(const QByteArray &section) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Section && sameName(lines_[i].name, section)) return int(i);
    return -1;
}

int IniFile::findKey(int sectionLine, const QByteArray &key) const {
    for (size_t i = size_t(sectionLine) + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Section) break;
        if (lines_[i].kind == Line::Key && sameName(lines_[i].name, key)) return int(i);
    }
    return -1;
}

QByteArray IniFile::readString(const QByteArray &section, const QByteArray &key,
                               const QByteArray &defaultValue) const {
    const int s = findSection(section);
    if (s < 0) return defaultValue;
    const int k = findKey(s, key);
    if (k < 0) return defaultValue;
    return lines_[size_t(k)].value;
}

bool IniFile::parseInteger(const QByteArray &text, int *value) {
    const QByteArray t = trimBlanks(text);
    if (t.isEmpty()) return false;
    bool ok = false;
    if (t.startsWith('$') || t.startsWith("0x") || t.startsWith("0X")) {
        const QByteArray digits = t.mid(t[0] == '$' ? 1 : 2);
        if (digits.isEmpty() || digits.size() > 8) return false;
        for (char c : digits)
            if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        const quint32 v = digits.toUInt(&ok, 16);
        if (!ok) return false;
        *value = static_cast<int>(v); // 32-bit pattern, as the file format has always meant
        return true;
    }
    // Decimal with an optional sign, nothing else on the line.
    int i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (i == t.size()) return false;
    for (int j = i; j < t.size(); ++j)
        if (t[j] < '0' || t[j] > '9') return false;
    const qlonglong v = t.toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    *value = int(v);
    return true;
}

int IniFile::readInteger(const QByteArray &section, const QByteArray &key, int defaultValue) const {
    const int s = findSection(section);
    if (s < 0) return defaultValue;
    const int k = findKey(s, key);
    int value = defaultValue;
    if (k < 0 || !parseInteger(lines_[size_t(k)].value, &value)) return defaultValue;
    return value;
}

void IniFile::writeString(const QByteArray &section, const QByteArray &key,
                          const QByteArray &value) {
    // Keys and values cannot hold line breaks in this format.
    QByteArray clean = value;
    clean.replace('\r', ' ').replace('\n', ' ');

    int s = findSection(section);
    if (s < 0) {
        Line header;
        header.kind = Line::Section;
        header.name = section;
        header.raw = "[" + section + "]";
        lines_.push_back(header);
        s = int(lines_.size()) - 1;
    }
    Line keyLine;
    keyLine.kind = Line::Key;
    keyLine.name = key;
    keyLine.value = clean;
    const int k = findKey(s, key);
    if (k >= 0) {
        keyLine.name = lines_[size_t(k)].name; // keep the spelling found in the file
        keyLine.raw = keyLine.name + "=" + clean;
        lines_[size_t(k)] = keyLine;
        return;
    }
    keyLine.raw = key + "=" + clean;
    // After the last key of the section, so that blank lines and comments
    // that follow the section stay where they are.
    size_t insertAt = size_t(s) + 1;
    for (size_t i = size_t(s) + 1; i < lines_.size() && lines_[i].kind != Line::Section; ++i)
        if (lines_[i].kind == Line::Key) insertAt = i + 1;
    lines_.insert(lines_.begin() + long(insertAt), keyLine);
}

void IniFile::writeInteger(const QByteArray &section, const QByteArray &key, int value) {
    writeString(section, key, QByteArray::number(value));
}

QByteArray IniFile::serialize() const {
    QByteArray out;
    if (byteOrderMark_) out += "\xEF\xBB\xBF";
    for (const Line &line : lines_) {
        out += line.raw;
        out += "\r\n";
    }
    return out;
}

} // namespace zevo3
