#include "wave_edit_core.h"

#include <algorithm>

namespace zevo3 {

QByteArray patternCodeText(const WaveInfo &info) {
    const int count = std::clamp<int32_t>(info.DataBits, 0, WaveInfo::kPcodes);
    QByteArray text;
    text.reserve(count);
    for (int i = 0; i < count; ++i)
        text += QByteArray::number(info.Pcode[size_t(i)], 16).toUpper();
    return text;
}

QByteArray patternCodeRuler(int count) {
    QByteArray ruler;
    ruler.reserve(std::max(0, count));
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 0)
            ruler += char('0' + (i / 10) % 10);
        else if (i % 5 == 0)
            ruler += '+';
        else
            ruler += '-';
    }
    return ruler;
}

int shownPatternEntries(const WaveInfo &info) {
    int shown = 0;
    while (shown < WaveInfo::kPatterns && info.High[size_t(shown)] != 0)
        ++shown;
    return shown;
}

std::optional<int> firstNonHexDigit(const QString &text) {
    for (int i = 0; i < text.size(); ++i)
        if (hexDigitValue(text[i].unicode() < 128 ? char(text[i].unicode()) : '?') < 0) return i;
    return std::nullopt;
}

void storeEditorFields(WaveInfo &info, const EditorFields &fields) {
    info.Carry = fields.Carry;
    info.DataBits = fields.DataBits;
    info.RepeatBit = fields.RepeatBit;
    info.High = fields.High;
    info.Width = fields.Width;
    const int count = std::min<int>(int(fields.PatternCodes.size()), WaveInfo::kPcodes);
    for (int i = 0; i < count; ++i) {
        const int value = hexDigitValue(fields.PatternCodes[i]);
        if (value < 0) break; // refused before it gets here
        info.Pcode[size_t(i)] = uint8_t(value);
    }
}

int32_t editorNumber(const QString &text, int32_t fallback) {
    return decimalOr(text.trimmed().toLatin1(), fallback);
}

} // namespace zevo3
