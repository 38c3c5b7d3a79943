#include "transmit_messages.h"

#include <algorithm>
#include <cstdio>

namespace zevo3 {

namespace {

QByteArray tagged(const char *tag, int width, int value) {
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%s:%0*d", tag, width, value);
    return QByteArray(buffer, n);
}

const char kHexDigits[] = "0123456789ABCDEF";

} // namespace

QByteArray TwdDigits(const WaveInfo &info) {
    const int count = std::min<int32_t>(info.DataBits, WaveInfo::kPcodes);
    if (count <= 0) return {};
    QByteArray digits;
    digits.reserve(count + 1);
    for (int i = 0; i < count; ++i) {
        const uint8_t code = info.Pcode[size_t(i)];
        // A byte above 15 would not be one pattern code; written in full, as "%X" does.
        if (code > 15)
            digits += QByteArray::number(code, 16).toUpper();
        else
            digits += kHexDigits[code];
    }
    if (count % 2) {
        const uint8_t last = info.Pcode[size_t(count - 1)];
        digits +=
            last > 15 ? QByteArray::number(last, 16).toUpper() : QByteArray(1, kHexDigits[last]);
    }
    return digits;
}

QByteArray TwlMessage(int code) {
    return tagged("Twl", 3, code);
}
QByteArray TwfMessage(int frames) {
    return tagged("Twf", 3, frames);
}
QByteArray TwcMessage(int carry) {
    return tagged("Twc", 3, carry);
}
QByteArray TwbMessage(int dataBits) {
    return tagged("Twb", 3, dataBits);
}
QByteArray TwrMessage(int repeat) {
    return tagged("Twr", 3, repeat);
}
QByteArray TwsMessage(int code) {
    return tagged("Tws", 3, code);
}

QByteArray TwpMessage(int index, int high, int width) {
    char buffer[48];
    const int n =
        std::snprintf(buffer, sizeof buffer, "Twp:%01X:%05d,%06d", unsigned(index), high, width);
    return QByteArray(buffer, n);
}

QByteArray TwdMessage(const QByteArray &digits) {
    return "Twd:" + digits;
}
QByteArray TfMessage(const QByteArray &frames) {
    return "Tf:" + frames;
}

int twpCount(const WaveInfo &info, TwpStop stop) {
    if (stop == TwpStop::AllEntries) return WaveInfo::kPatterns;
    for (int i = 0; i < WaveInfo::kPatterns - 1; ++i) {
        const bool highZero = info.High[size_t(i)] == 0;
        const bool widthZero = info.Width[size_t(i)] == 0;
        if (stop == TwpStop::AfterBothZero ? highZero && widthZero : highZero || widthZero)
            return i + 1;
    }
    return WaveInfo::kPatterns;
}

std::vector<QByteArray> TimingDescription(const WaveInfo &info, TwpStop stop) {
    std::vector<QByteArray> messages{TwcMessage(info.Carry), TwbMessage(info.DataBits),
                                     TwrMessage(info.RepeatBit)};
    const int entries = twpCount(info, stop);
    for (int i = 0; i < entries; ++i)
        messages.push_back(TwpMessage(i, info.High[size_t(i)], info.Width[size_t(i)]));
    messages.push_back(TwdMessage(TwdDigits(info)));
    return messages;
}

std::vector<QByteArray> FiringTestMessages(const CodeTable &table, int row, bool analysisLog) {
    if (!CodeTable::validRow(row) || !table.occupied(row)) return {};
    if (!analysisLog) return {TwlMessage(row), TwfMessage(3)};
    std::vector<QByteArray> messages = TimingDescription(table.waveInfo(row), TwpStop::AllEntries);
    const QByteArray &frames = table.cell(row, CodeTable::kColFrames);
    if (!frames.isEmpty()) messages.push_back(TfMessage(frames));
    return messages;
}

std::vector<QByteArray> IrOutMessages(const EditorFields &fields) {
    if (fields.PatternCodes.isEmpty()) return {};
    WaveInfo info;
    info.Carry = fields.Carry;
    info.DataBits = fields.DataBits;
    info.RepeatBit = fields.RepeatBit;
    info.High = fields.High;
    info.Width = fields.Width;
    std::vector<QByteArray> messages{TwfMessage(0), TwcMessage(info.Carry),
                                     TwbMessage(info.DataBits), TwrMessage(info.RepeatBit)};
    const int entries = twpCount(info, TwpStop::AfterEitherZero);
    for (int i = 0; i < entries; ++i)
        messages.push_back(TwpMessage(i, info.High[size_t(i)], info.Width[size_t(i)]));
    messages.push_back(TwdMessage(fields.PatternCodes));
    messages.push_back(TfMessage("3"));
    return messages;
}

std::vector<QByteArray> CodeRecordMessages(const WaveInfo &info, int code) {
    std::vector<QByteArray> messages = TimingDescription(info, TwpStop::AfterBothZero);
    messages.push_back(TwsMessage(code));
    return messages;
}

} // namespace zevo3
