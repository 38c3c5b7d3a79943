#include "text_scan.h"

namespace zevo3 {

std::vector<ScanLine> scanLines(QByteArrayView text) {
    std::vector<ScanLine> lines;
    // A UTF-8 byte order mark, as editors on Windows begin a file, is no text.
    qsizetype start = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    int number = 1;
    for (qsizetype i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\n' && c != '\r') continue;
        lines.push_back({number++, text.sliced(start, i - start)});
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back({number, text.sliced(start)});
    return lines;
}

std::vector<QByteArrayView> scanWords(QByteArrayView line, bool commas) {
    std::vector<QByteArrayView> words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        const bool separator = i == line.size() || line[i] == ' ' || line[i] == '\t' ||
                               line[i] == '\f' || line[i] == '\v' || (commas && line[i] == ',');
        if (separator) {
            if (start >= 0) words.push_back(line.sliced(start, i - start));
            start = -1;
        } else if (start < 0) {
            start = i;
        }
    }
    return words;
}

QByteArrayView trimmedView(QByteArrayView text) {
    qsizetype a = 0, b = text.size();
    while (a < b && uint8_t(text[a]) <= 0x20)
        ++a;
    while (b > a && uint8_t(text[b - 1]) <= 0x20)
        --b;
    return text.sliced(a, b - a);
}

bool parseCount(QByteArrayView word, int64_t maxValue, int64_t *value) {
    if (word.isEmpty()) return false;
    int64_t v = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > maxValue) return false;
    }
    *value = v;
    return true;
}

QString quotedWord(QByteArrayView word) {
    constexpr qsizetype kShown = 24;
    QString out = QStringLiteral("\"");
    for (qsizetype i = 0; i < word.size() && i < kShown; ++i) {
        const uint8_t c = uint8_t(word[i]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
            out += QLatin1Char(char(c));
        else
            out += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0'));
    }
    if (word.size() > kShown) out += QStringLiteral("…");
    return out + QLatin1Char('"');
}

void addLineNote(InterchangeRead &read, int line, const QString &text, bool error) {
    read.notes.push_back({line, onLine(line, text), error});
}

QString onLine(int line, const QString &text) {
    return QStringLiteral("line %1: %2").arg(line).arg(text);
}

bool startsWithNoCase(QByteArrayView text, QByteArrayView prefix) {
    if (text.size() < prefix.size()) return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        char a = text[i], b = prefix[i];
        if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = char(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

} // namespace zevo3
