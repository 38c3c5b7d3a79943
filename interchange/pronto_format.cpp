#include "pronto_format.h"

#include "text_scan.h"

#include <cmath>

namespace zevo3 {
namespace {

int hexWord(QByteArrayView word) {
    if (word.size() != 4) return -1;
    int value = 0;
    for (const char c : word) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

QString hex4(int value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

// One line's code, or an error note.
bool readLine(const ScanLine &line, InterchangeCode *code, InterchangeNote *error) {
    const std::vector<QByteArrayView> words = scanWords(line.text);
    const auto fail = [&](const QString &text) {
        *error = {line.number, onLine(line.number, text), true};
        return false;
    };
    std::vector<int> values(words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        values[i] = hexWord(words[i]);
        if (values[i] < 0)
            return fail(QStringLiteral("word %1 %2 is not 4 hexadecimal digits")
                            .arg(i + 1)
                            .arg(quotedWord(words[i])));
    }
    if (values.size() < 4)
        return fail(QStringLiteral("%1 words, fewer than the 4 of the header").arg(values.size()));
    if (values[0] != 0)
        return fail(QStringLiteral("word 1 %1 is not 0000: only the learned form is read")
                        .arg(quotedWord(words[0])));
    if (values[1] == 0)
        return fail(QStringLiteral("word 2 %1: a frequency word of 0").arg(quotedWord(words[1])));
    const size_t once = size_t(values[2]), repeat = size_t(values[3]);
    if (once + repeat == 0) return fail(QStringLiteral("words 3 and 4: no burst pairs"));
    const size_t expected = 4 + 2 * (once + repeat);
    if (values.size() != expected)
        return fail(QStringLiteral("words 3 and 4 %1 %2 give %3 + %4 burst pairs, %5 words in "
                                   "all, but the line has %6")
                        .arg(quotedWord(words[2]), quotedWord(words[3]))
                        .arg(once)
                        .arg(repeat)
                        .arg(expected)
                        .arg(values.size()));
    const double period = values[1] * kProntoClockUs;
    code->signal.carrierHz = prontoCarrierHz(values[1]);
    code->signal.durations.clear();
    code->signal.durations.reserve(2 * (once + repeat));
    for (size_t i = 4; i < values.size(); ++i)
        code->signal.durations.push_back(int32_t(std::lround(values[i] * period)));
    return true;
}

} // namespace

int prontoFrequencyWord(int32_t carrierHz) {
    if (carrierHz <= 0) return 0;
    const long word = std::lround(1e6 / (double(carrierHz) * kProntoClockUs));
    return word >= 1 && word <= 0xFFFF ? int(word) : 0;
}

int32_t prontoCarrierHz(int word) {
    if (word <= 0) return 0;
    return int32_t(std::lround(1e6 / (double(word) * kProntoClockUs)));
}

InterchangeRead readPronto(QByteArrayView text) {
    InterchangeRead read;
    for (const ScanLine &line : scanLines(text)) {
        if (trimmedView(line.text).isEmpty()) continue;
        InterchangeCode code;
        InterchangeNote error;
        if (readLine(line, &code, &error))
            read.codes.push_back(std::move(code));
        else
            read.notes.push_back(std::move(error));
    }
    if (!read.ok())
        read.codes.clear();
    else if (read.codes.empty())
        read.notes.push_back({0, QStringLiteral("the text holds no Pronto Hex code"), true});
    return read;
}

InterchangeWrite writePronto(const std::vector<InterchangeCode> &codes) {
    InterchangeWrite write;
    for (size_t c = 0; c < codes.size(); ++c) {
        const InterchangeCode &code = codes[c];
        const QString label = code.name.isEmpty()
                                  ? QStringLiteral("code %1").arg(c + 1)
                                  : QStringLiteral("code %1 \"%2\"").arg(c + 1).arg(code.name);
        const auto fail = [&](const QString &text) {
            write.notes.push_back({0, label + QStringLiteral(": ") + text, true});
        };
        const int word = prontoFrequencyWord(code.signal.carrierHz);
        if (word == 0) {
            fail(QStringLiteral("a carrier of %1 Hz has no frequency word")
                     .arg(code.signal.carrierHz));
            continue;
        }
        std::vector<int32_t> durations = code.signal.durations;
        if (durations.empty()) {
            fail(QStringLiteral("no durations"));
            continue;
        }
        if (durations.size() % 2 != 0) durations.push_back(code.gapUs > 0 ? code.gapUs : 100000);
        if (durations.size() / 2 > 0xFFFF) {
            fail(QStringLiteral("%1 burst pairs, more than 65535").arg(durations.size() / 2));
            continue;
        }
        const int32_t written = prontoCarrierHz(word);
        if ((written + 50) / 100 != (code.signal.carrierHz + 50) / 100)
            write.notes.push_back({0,
                                   label + QStringLiteral(": carrier %1 Hz written as %2 Hz "
                                                          "(frequency word %3)")
                                               .arg(code.signal.carrierHz)
                                               .arg(written)
                                               .arg(hex4(word)),
                                   false});
        const double period = word * kProntoClockUs;
        QString line =
            QStringLiteral("0000 %1 %2 0000").arg(hex4(word), hex4(int(durations.size() / 2)));
        bool fits = true;
        for (size_t i = 0; i < durations.size() && fits; ++i) {
            long n = std::lround(double(durations[i]) / period);
            if (n == 0 && durations[i] > 0) n = 1;
            if (n < 0 || n > 0xFFFF) {
                fail(QStringLiteral("duration %1 (%2 µs) is not 0 to 65535 carrier periods")
                         .arg(i + 1)
                         .arg(durations[i]));
                fits = false;
            }
            line += QLatin1Char(' ') + hex4(int(n));
        }
        if (fits) write.bytes += line.toLatin1() + "\r\n";
    }
    for (const InterchangeNote &n : write.notes)
        if (n.error) write.ok = false;
    if (!write.ok) write.bytes.clear();
    return write;
}

} // namespace zevo3
