#include "exact_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zevo3 {

namespace {

constexpr char kCodec[] = "CP932";

// The system's CP932 converter maps three control bytes to other control
// characters (0x1A to U+001C, 0x1C to U+007F, 0x7F to U+001A), which Windows
// does not. The text of these bytes is put right after decoding and before
// encoding, so that the control bytes stand for themselves like all of ASCII.
QChar fromConverter(QChar c) {
    switch (c.unicode()) {
    case 0x1C:
        return QChar(0x1A);
    case 0x7F:
        return QChar(0x1C);
    case 0x1A:
        return QChar(0x7F);
    default:
        return c;
    }
}
QChar toConverter(QChar c) {
    switch (c.unicode()) {
    case 0x1A:
        return QChar(0x1C);
    case 0x1C:
        return QChar(0x7F);
    case 0x7F:
        return QChar(0x1A);
    default:
        return c;
    }
}

bool asciiOnly(const QByteArray &bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}
bool asciiOnly(const QString &text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

// Whether the last byte starts a double-byte character that has no second
// byte. Lead bytes are 0x81-0x9F and 0xE0-0xFC; a second byte is never read
// as a lead byte.
bool endsInLeadByte(const QByteArray &bytes) {
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        i += (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? 2 : 1;
    }
    return i > bytes.size();
}

// One converter per text: a converter that has met an error keeps saying so.
bool decode(const QByteArray &bytes, QString *text) {
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    QString decoded = decoder.decode(bytes);
    for (QChar &c : decoded)
        c = fromConverter(c);
    *text = decoded;
    return decoder.isValid() && !decoder.hasError();
}

bool encode(QString text, QByteArray *bytes) {
    for (QChar &c : text)
        c = toConverter(c);
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    *bytes = encoder.encode(text);
    return encoder.isValid() && !encoder.hasError();
}

} // namespace

TextFit cp932ToText(const QByteArray &bytes, QString *text) {
    if (asciiOnly(bytes)) {
        *text = QString::fromLatin1(bytes);
        return TextFit::Exact;
    }
    if (!decode(bytes, text)) {
        // The converter puts U+001A for a stray byte, which the control
        // character mapping above turns into U+007F, like a real byte 0x7F.
        // Where the bytes hold no 0x7F it is shown as the usual replacement
        // character; an unfinished last character, which the converter drops,
        // shows as one too.
        if (!bytes.contains('\x7F'))
            for (QChar &c : *text)
                if (c == QChar(0x7F)) c = QChar::ReplacementCharacter;
        if (endsInLeadByte(bytes)) *text += QChar::ReplacementCharacter;
        return TextFit::NotCp932;
    }
    QByteArray back;
    if (!encode(*text, &back) || back != bytes) return TextFit::OtherBytes;
    return TextFit::Exact;
}

bool textToCp932(const QString &text, QByteArray *bytes) {
    if (asciiOnly(text)) {
        *bytes = text.toLatin1();
        return true;
    }
    QByteArray encoded;
    QString back;
    if (!encode(text, &encoded) || !decode(encoded, &back) || back != text) return false;
    *bytes = encoded;
    return true;
}

QString quotedText(const QString &text) {
    constexpr qsizetype kShown = 40;
    QString shown = QStringLiteral("\"");
    for (const QChar c : QStringView(text).left(kShown)) {
        if (c == QLatin1Char('\n'))
            shown += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            shown += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            shown += QStringLiteral("\\t");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += QStringLiteral("\\u%1").arg(QString::number(c.unicode(), 16).toUpper(), 4,
                                                 QLatin1Char('0'));
        else
            shown += c;
    }
    return shown + (text.size() > kShown ? QStringLiteral("…\"") : QStringLiteral("\""));
}

} // namespace zevo3
