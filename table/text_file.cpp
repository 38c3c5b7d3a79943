#include "text_file.h"

#include "code_table.h"

#include <algorithm>

namespace zevo3 {

std::vector<QByteArrayView> textLines(QByteArrayView text) {
    std::vector<QByteArrayView> lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype cr = text.indexOf('\r');
    qsizetype lf = text.indexOf('\n');
    while (cr >= 0 || lf >= 0) {
        const qsizetype end = cr < 0 ? lf : lf < 0 ? cr : std::min(cr, lf);
        lines.push_back(text.sliced(start, end - start));
        start = end + 1;
        if (end == cr && end + 1 == lf) ++start; // CR LF
        if (cr >= 0 && cr < start) cr = text.indexOf('\r', start);
        if (lf >= 0 && lf < start) lf = text.indexOf('\n', start);
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
