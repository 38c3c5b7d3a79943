#include "format_guess.h"

#include "text_scan.h"

#include <algorithm>

namespace zevo3 {
namespace {

bool fourHexDigits(QByteArrayView word) {
    if (word.size() != 4) return false;
    for (const char c : word)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    return true;
}

bool rawWord(QByteArrayView word) {
    if (startsWithNoCase(word, "f=") || startsWithNoCase(word, "freq=")) return true;
    if (word.startsWith('+') || word.startsWith('-')) word = word.sliced(1);
    int64_t value = 0;
    return parseCount(word, kMaxReadDurationUs, &value);
}

} // namespace

const char *formatName(InterchangeFormat format) {
    switch (format) {
    case InterchangeFormat::Pronto:
        return "Pronto Hex";
    case InterchangeFormat::Raw:
        return "raw timings";
    case InterchangeFormat::IrFile:
        return "IR signals file";
    case InterchangeFormat::Lirc:
        return "LIRC configuration";
    case InterchangeFormat::Unknown:
        break;
    }
    return "unknown";
}

InterchangeFormat guessFormat(QByteArrayView text) {
    // The first line that says something decides; comments are passed over.
    for (const ScanLine &line : scanLines(text)) {
        const QByteArrayView content = trimmedView(line.text);
        if (content.isEmpty() || content.startsWith('#')) continue;
        if (startsWithNoCase(content, "filetype:")) return InterchangeFormat::IrFile;
        const std::vector<QByteArrayView> words = scanWords(content);
        if (words.size() >= 2 && words[0].compare("begin", Qt::CaseInsensitive) == 0 &&
            words[1].compare("remote", Qt::CaseInsensitive) == 0)
            return InterchangeFormat::Lirc;
        if (words[0].compare("pulse", Qt::CaseInsensitive) == 0 ||
            words[0].compare("space", Qt::CaseInsensitive) == 0)
            return InterchangeFormat::Raw;
        if (words.size() >= 4 && words[0] == "0000" &&
            std::all_of(words.begin(), words.end(), fourHexDigits))
            return InterchangeFormat::Pronto;
        const std::vector<QByteArrayView> rawWords = scanWords(content, true);
        if (std::all_of(rawWords.begin(), rawWords.end(), rawWord)) return InterchangeFormat::Raw;
        return InterchangeFormat::Unknown;
    }
    return InterchangeFormat::Unknown;
}

} // namespace zevo3
