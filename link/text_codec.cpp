#include "text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zevo3 {

QString toDisplay(const QByteArray &cp932) {
    QStringDecoder decoder("CP932");
    if (!decoder.isValid()) return QString::fromLatin1(cp932);
    return decoder.decode(cp932);
}

QByteArray toCp932(const QString &text) {
    QStringEncoder encoder("CP932");
    if (!encoder.isValid()) return text.toLatin1();
    return encoder.encode(text);
}

bool encodableInCp932(const QString &text) {
    return toDisplay(toCp932(text)) == text;
}

} // namespace zevo3
