// Fuzz target for the settings file: any bytes as the file, every key that
// ReadSettings reads, the keys written back in WriteSettings' order, and the
// written text parsed again. The input also goes to IniFile::parseInteger as
// it stands.
//
// The last four bytes of the input steer the write: bytes -4 and -3 mark which
// of the twelve keys get a value cut from the input instead of the value just
// read; bytes -2 and -1 place and size those cuts.

#include "fuzz_check.h"
#include "ini_file.h"
#include "settings.h"

#include <array>
#include <cstdint>
#include <cstring>

using zevo3::IniFile;

namespace {

struct Key {
    const char *section;
    const char *name;
    bool integer;
};

// ReadSettings' keys, in the order WriteSettings writes them.
constexpr std::array<Key, 12> kKeys = {{
    {"COMPORT", "PortName", false},
    {"COMPORT", "BaudRate", true},
    {"COMPORT", "ByteSize", true},
    {"COMPORT", "StopBits", true},
    {"COMPORT", "Parity__", false},
    {"COMPORT", "SendHead", false},
    {"COMPORT", "SendDlmt", false},
    {"COMPORT", "RecvDlmt", false},
    {"COMPORT", "RecvTout", true},
    {"WAVE", "H_Range_", true},
    {"WAVE", "W_Range_", true},
    {"WAVE", "L_Time__", true},
}};

const QByteArray kMissing = "\x01missing";
constexpr int kNoNumber = 0x5A5A5A5A;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The same name in another ASCII case: names match regardless of it.
QByteArray otherCase(const char *name, size_t i) {
    return i % 2 ? QByteArray(name).toLower() : QByteArray(name).toUpper();
}

void checkParseInteger(const QByteArray &text) {
    int value = 0;
    const bool ok = IniFile::parseInteger(text, &value);
    // Blanks around the number do not count.
    int padded = 0;
    FUZZ_CHECK(IniFile::parseInteger(" \t" + text + "\t ", &padded) == ok);
    if (!ok) return;
    FUZZ_CHECK(padded == value);
    // The value reads back from what writeInteger writes and from both hex forms.
    int again = 0;
    FUZZ_CHECK(IniFile::parseInteger(QByteArray::number(value), &again) && again == value);
    const QByteArray hex = QByteArray::number(uint32_t(value), 16).toUpper();
    again = 0;
    FUZZ_CHECK(IniFile::parseInteger("0x" + hex, &again) && again == value);
    again = 0;
    FUZZ_CHECK(IniFile::parseInteger("$" + hex, &again) && again == value);
}

// What serialize() writes ends every line with CR LF and has no other line end.
void checkLineEnds(const QByteArray &text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == '\r') FUZZ_CHECK(i + 1 < n && text[i + 1] == '\n');
        if (text[i] == '\n') FUZZ_CHECK(i > 0 && text[i - 1] == '\r');
    }
    FUZZ_CHECK(n == 0 || text.endsWith("\r\n"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkParseInteger(bytes);

    IniFile ini = IniFile::parse(bytes);
    std::array<QByteArray, kKeys.size()> texts;
    std::array<int, kKeys.size()> numbers{};
    for (size_t i = 0; i < kKeys.size(); ++i) {
        const Key &k = kKeys[i];
        const QByteArray section = otherCase(k.section, i);
        const QByteArray name = otherCase(k.name, i + 1);
        texts[i] = ini.readString(k.section, k.name, kMissing);
        // Values are handed out whole, never shortened.
        FUZZ_CHECK(texts[i] == kMissing || bytes.contains(texts[i]));
        FUZZ_CHECK(ini.readString(section, name, kMissing) == texts[i]);
        if (!k.integer) continue;
        numbers[i] = ini.readInteger(k.section, k.name, kNoNumber);
        FUZZ_CHECK(ini.readInteger(section, name, kNoNumber) == numbers[i]);
        // readInteger takes the text readString gives.
        int value = kNoNumber;
        if (texts[i] == kMissing || !IniFile::parseInteger(texts[i], &value)) value = kNoNumber;
        FUZZ_CHECK(numbers[i] == value);
    }

    const uint8_t *steer = size >= 4 ? data + size - 4 : nullptr;
    const unsigned cutMask = steer ? steer[0] | unsigned(steer[1]) << 8 : 0;
    std::array<QByteArray, kKeys.size()> expectedTexts;
    std::array<bool, kKeys.size()> checkable{};
    for (size_t i = 0; i < kKeys.size(); ++i) {
        const Key &k = kKeys[i];
        const bool cut = cutMask >> i & 1;
        const qsizetype at = cut ? qsizetype((steer[2] * 16u + i * 7u) % size) : 0;
        const qsizetype length = cut ? qsizetype((steer[3] + i) % 64u) : 0;
        if (k.integer) {
            int value = numbers[i];
            if (cut) {
                uint32_t pattern = 0;
                std::memcpy(&pattern, bytes.mid(at, 4).leftJustified(4, '\0').constData(), 4);
                value = int(pattern);
            }
            ini.writeInteger(k.section, k.name, value);
            numbers[i] = value;
            continue;
        }
        const QByteArray value = cut ? bytes.mid(at, length) : texts[i];
        ini.writeString(k.section, k.name, value);
        // A line break in a value is written as a space; blanks at either end
        // are not part of a value when it is read.
        QByteArray expected = value;
        expected.replace('\r', ' ').replace('\n', ' ');
        checkable[i] =
            (expected.isEmpty() || (!isBlank(expected.front()) && !isBlank(expected.back())));
        expectedTexts[i] = expected;
    }

    const QByteArray written = ini.serialize();
    checkLineEnds(written);
    const IniFile reread = IniFile::parse(written);
    // Whatever was written is kept as it stands by the next parse.
    FUZZ_CHECK(reread.serialize() == written);
    for (size_t i = 0; i < kKeys.size(); ++i) {
        const Key &k = kKeys[i];
        if (k.integer)
            FUZZ_CHECK(reread.readInteger(k.section, k.name, kNoNumber ^ numbers[i]) == numbers[i]);
        else if (checkable[i])
            FUZZ_CHECK(reread.readString(k.section, k.name, kMissing + "?") == expectedTexts[i]);
    }
    return 0;
}
