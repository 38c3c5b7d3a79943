#include "raw_format.h"

#include "text_scan.h"

#include <algorithm>

namespace zevo3 {
namespace {

constexpr int64_t kMaxCarrierHz = 10000000;

// "f=38000", "freq=38000Hz" (any case): true with *hz set, or false with
// *bad set when the word starts like a carrier but is not one.
bool carrierWord(QByteArrayView word, int64_t *hz, bool *bad) {
    QByteArrayView rest;
    if (startsWithNoCase(word, "freq="))
        rest = word.sliced(5);
    else if (startsWithNoCase(word, "f="))
        rest = word.sliced(2);
    else
        return false;
    if (rest.size() > 2 && startsWithNoCase(rest.sliced(rest.size() - 2), "hz")) rest.chop(2);
    *bad = !parseCount(rest, kMaxCarrierHz, hz) || *hz == 0;
    return true;
}

bool mode2Word(QByteArrayView word, bool *mark) {
    if (word.compare("pulse", Qt::CaseInsensitive) == 0)
        *mark = true;
    else if (word.compare("space", Qt::CaseInsensitive) == 0)
        *mark = false;
    else if (word.compare("timeout", Qt::CaseInsensitive) == 0)
        *mark = false;
    else
        return false;
    return true;
}

bool isMode2Line(QByteArrayView line) {
    const std::vector<QByteArrayView> words = scanWords(line);
    bool mark;
    return !words.empty() && mode2Word(words[0], &mark);
}

class RawReader {
public:
    InterchangeRead read;

    void durationsLine(const ScanLine &line) {
        const std::vector<QByteArrayView> words = scanWords(trimmedView(line.text), true);
        InterchangeCode code;
        code.signal.carrierHz = 0;
        int signedMode = -1; // unknown, 0 plain, 1 signed
        for (size_t i = 0; i < words.size(); ++i) {
            const QByteArrayView w = words[i];
            // Built only for a message: most words are plain durations.
            const auto where = [&] {
                return QStringLiteral("word %1 %2").arg(i + 1).arg(quotedWord(w));
            };
            int64_t value = 0;
            bool bad = false;
            if (carrierWord(w, &value, &bad)) {
                if (bad) return error(line, where() + QStringLiteral(" is not a carrier in Hz"));
                if (code.signal.carrierHz != 0)
                    return error(line, where() + QStringLiteral(": a second carrier"));
                code.signal.carrierHz = int32_t(value);
                continue;
            }
            const bool plus = w.startsWith('+'), minus = w.startsWith('-');
            const QByteArrayView digits = plus || minus ? w.sliced(1) : w;
            if (!parseCount(digits, kMaxReadDurationUs, &value)) {
                const bool digitsOnly =
                    !digits.isEmpty() && std::all_of(digits.begin(), digits.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; });
                return error(
                    line,
                    where() + (digitsOnly
                                   ? QStringLiteral(" is longer than %1 µs").arg(kMaxReadDurationUs)
                                   : QStringLiteral(" is not a duration in µs")));
            }
            const bool markDue = code.signal.durations.size() % 2 == 0;
            if (signedMode < 0) signedMode = plus || minus ? 1 : 0;
            if (signedMode == 0 && (plus || minus))
                return error(line, where() + QStringLiteral(" has a sign, the durations before "
                                                            "it have none"));
            if (signedMode == 1) {
                if (!plus && !minus)
                    return error(line, where() + QStringLiteral(" has no sign, the durations "
                                                                "before it have one"));
                if (plus != markDue)
                    return error(line,
                                 where() + (markDue ? QStringLiteral(": a mark (+) is due")
                                                    : QStringLiteral(": a space (-) is due")));
            }
            code.signal.durations.push_back(int32_t(value));
        }
        if (code.signal.durations.empty())
            return error(line, QStringLiteral("a carrier without durations"));
        if (code.signal.carrierHz == 0) code.signal.carrierHz = kRawDefaultCarrierHz;
        read.codes.push_back(std::move(code));
    }

    // A block of pulse/space lines from lines[first]; returns the index after it.
    size_t mode2Block(const std::vector<ScanLine> &lines, size_t first) {
        InterchangeCode code;
        code.signal.carrierHz = kRawDefaultCarrierHz;
        std::vector<int32_t> &d = code.signal.durations;
        size_t i = first;
        for (; i < lines.size() && isMode2Line(trimmedView(lines[i].text)); ++i) {
            const ScanLine &line = lines[i];
            const std::vector<QByteArrayView> words = scanWords(trimmedView(line.text));
            bool mark = false;
            mode2Word(words[0], &mark);
            int64_t value = 0;
            if (words.size() != 2) {
                error(line, QStringLiteral("%1 words, where \"pulse N\" or \"space N\" is "
                                           "two")
                                .arg(words.size()));
                continue;
            }
            if (!parseCount(words[1], kMaxReadDurationUs, &value)) {
                error(
                    line,
                    QStringLiteral("word 2 %1 is not a duration in µs").arg(quotedWord(words[1])));
                continue;
            }
            if (d.empty() && !mark) {
                note(line, QStringLiteral("the space before the first pulse is not read"));
                continue;
            }
            const bool markDue = d.size() % 2 == 0;
            if (mark != markDue) {
                note(line, mark ? QStringLiteral("a pulse after a pulse: added to it")
                                : QStringLiteral("a space after a space: added to it"));
                d.back() = int32_t(std::min<int64_t>(kMaxReadDurationUs, d.back() + value));
                continue;
            }
            d.push_back(int32_t(value));
        }
        if (!d.empty()) read.codes.push_back(std::move(code));
        return i;
    }

    void error(const ScanLine &line, const QString &text) {
        addLineNote(read, line.number, text, true);
    }
    void note(const ScanLine &line, const QString &text) {
        addLineNote(read, line.number, text, false);
    }
};

} // namespace

InterchangeRead readRaw(QByteArrayView text) {
    RawReader reader;
    const std::vector<ScanLine> lines = scanLines(text);
    for (size_t i = 0; i < lines.size();) {
        const QByteArrayView content = trimmedView(lines[i].text);
        if (content.isEmpty() || content.startsWith('#')) {
            ++i;
        } else if (isMode2Line(content)) {
            // The block holds at least this line, so reading always moves on.
            i = std::max(i + 1, reader.mode2Block(lines, i));
        } else {
            reader.durationsLine(lines[i]);
            ++i;
        }
    }
    InterchangeRead &read = reader.read;
    if (!read.ok())
        read.codes.clear();
    else if (read.codes.empty())
        read.notes.push_back({0, QStringLiteral("the text holds no durations"), true});
    return read;
}

InterchangeWrite writeRaw(const std::vector<InterchangeCode> &codes) {
    InterchangeWrite write;
    for (size_t c = 0; c < codes.size(); ++c) {
        const InterchangeCode &code = codes[c];
        if (refuseEmptyCode(code, c, write)) continue;
        QByteArray line = "f=" + QByteArray::number(code.signal.carrierHz);
        for (const int32_t d : code.signal.durations)
            line += ' ' + QByteArray::number(d);
        if (code.signal.durations.size() % 2 != 0 && code.gapUs > 0)
            line += ' ' + QByteArray::number(code.gapUs);
        write.bytes += line + "\r\n";
    }
    for (const InterchangeNote &n : write.notes)
        if (n.error) write.ok = false;
    if (!write.ok) write.bytes.clear();
    return write;
}

} // namespace zevo3
