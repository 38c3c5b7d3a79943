#include "text_file.h"

#include "code_table.h"

namespace zevo3 {

std::vector<QByteArrayView> textLines(QByteArrayView text) {
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        lines.push_back(text.sliced(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.push_back(text.sliced(start));
    return lines;
}

QByteArray fileFieldText(QByteArrayView cell) {
    QByteArray text = trimmedCell(cell);
    if (!text.contains(',') && !text.contains('\r') && !text.contains('\n')) return text;
    QByteArray out;
    out.reserve(text.size() + 8);
    for (const char c : std::as_const(text)) {
        if (c == ',')
            out += "\x81\x43";
        else if (c == '\r' || c == '\n')
            out += ' ';
        else
            out += c;
    }
    return out;
}

} // namespace zevo3
