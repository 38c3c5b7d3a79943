#include "name_text.h"

#include <QStringDecoder>

namespace zevo3 {

bool nameFromUtf8(QByteArrayView bytes, QString *name) {
    // A byte order mark in a name is part of the name: left out, a blank
    // after it would lead the name and be trimmed away when read again.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    *name = decoder.decode(bytes);
    return !decoder.hasError();
}

QString writtenName(const QString &name, int number, bool oneWord, bool *changed) {
    *changed = false;
    if (name.isEmpty()) return QStringLiteral("code_%1").arg(number);
    QString out = name;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (oneWord && (c.isSpace() || u == '#'))) {
            c = QLatin1Char('_');
            *changed = true;
        }
    }
    return out;
}

} // namespace zevo3
