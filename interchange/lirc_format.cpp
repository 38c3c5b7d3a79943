#include "lirc_format.h"

#include "name_text.h"
#include "text_scan.h"

namespace zevo3 {
namespace {

constexpr int64_t kMaxFrequencyHz = 10000000;

bool is(QByteArrayView word, const char *text) {
    return word.compare(QByteArrayView(text), Qt::CaseInsensitive) == 0;
}

class LircReader {
public:
    InterchangeRead read;

    void error(int line, const QString &text) { addLineNote(read, line, text, true); }
    void note(int line, const QString &text) { addLineNote(read, line, text, false); }

    void run(QByteArrayView text) {
        for (const ScanLine &line : scanLines(text)) {
            std::vector<QByteArrayView> words = scanWords(trimmedView(line.text));
            for (size_t i = 0; i < words.size(); ++i)
                if (words[i].startsWith('#')) {
                    words.resize(i);
                    break;
                }
            if (!words.empty()) step(line.number, words);
        }
        if (state_ != Top)
            error(remoteLine_, QStringLiteral("\"begin remote\" without \"end remote\""));
    }

private:
    enum State { Top, Remote, RawCodes, Codes };
    State state_ = Top;
    int remoteLine_ = 0;
    QString remoteName_;
    int64_t frequency_ = -1;
    int64_t gap_ = 0;
    std::vector<InterchangeCode> codes_;
    std::vector<int> codeLines_;
    bool inCode_ = false;

    QString remoteLabel() const {
        return remoteName_.isEmpty() ? QStringLiteral("remote")
                                     : QStringLiteral("remote \"%1\"").arg(remoteName_);
    }

    bool number(int line, QByteArrayView word, const char *what, int64_t max, int64_t *value) {
        if (parseCount(word, max, value)) return true;
        error(line,
              QStringLiteral("%1 %2 is not a number").arg(QLatin1String(what), quotedWord(word)));
        return false;
    }

    bool name(int line, const std::vector<QByteArrayView> &words, QString *out) {
        if (words.size() != 2) {
            error(line, QStringLiteral("\"name\" takes one word, here %1").arg(words.size() - 1));
            return false;
        }
        if (!nameFromUtf8(words[1], out)) {
            error(line, QStringLiteral("the name %1 is not UTF-8 text").arg(quotedWord(words[1])));
            return false;
        }
        return true;
    }

    void endCode() {
        if (inCode_ && codes_.back().signal.durations.empty())
            error(codeLines_.back(),
                  QStringLiteral("code \"%1\" has no durations").arg(codes_.back().name));
        inCode_ = false;
    }

    void endRemote(int line) {
        const int32_t carrier = frequency_ < 0 ? kLircDefaultCarrierHz : int32_t(frequency_);
        if (codes_.empty()) note(line, remoteLabel() + QStringLiteral(" has no raw codes"));
        for (InterchangeCode &code : codes_) {
            code.signal.carrierHz = carrier;
            code.gapUs = int32_t(gap_);
            read.codes.push_back(std::move(code));
        }
        codes_.clear();
        codeLines_.clear();
        remoteName_.clear();
        frequency_ = -1;
        gap_ = 0;
        state_ = Top;
    }

    void step(int line, const std::vector<QByteArrayView> &words) {
        const QByteArrayView first = words[0];
        const bool begin = is(first, "begin") && words.size() >= 2;
        const bool end = is(first, "end") && words.size() >= 2;
        switch (state_) {
        case Top:
            if (begin && is(words[1], "remote")) {
                state_ = Remote;
                remoteLine_ = line;
            } else {
                error(line, QStringLiteral("%1 outside \"begin remote\" … \"end remote\"")
                                .arg(quotedWord(first)));
            }
            return;
        case Codes:
            if (end && is(words[1], "codes")) state_ = Remote;
            return;
        case Remote:
            if (begin && is(words[1], "raw_codes")) {
                state_ = RawCodes;
            } else if (begin && is(words[1], "codes")) {
                note(line, remoteLabel() + QStringLiteral(": codes without timings (\"begin "
                                                          "codes\") are not read"));
                state_ = Codes;
            } else if (end && is(words[1], "remote")) {
                endRemote(line);
            } else if (begin || end) {
                error(line, QStringLiteral("%1 %2 inside a remote")
                                .arg(QLatin1String(begin ? "begin" : "end"), quotedWord(words[1])));
            } else if (is(first, "name")) {
                name(line, words, &remoteName_);
            } else if (is(first, "frequency") && words.size() >= 2) {
                number(line, words[1], "frequency", kMaxFrequencyHz, &frequency_);
            } else if (is(first, "gap") && words.size() >= 2) {
                number(line, words[1], "gap", kMaxReadDurationUs, &gap_);
            }
            return;
        case RawCodes:
            if (end && is(words[1], "raw_codes")) {
                endCode();
                state_ = Remote;
            } else if (is(first, "name")) {
                endCode();
                InterchangeCode code;
                if (!name(line, words, &code.name)) return;
                codes_.push_back(std::move(code));
                codeLines_.push_back(line);
                inCode_ = true;
            } else if (begin || end) {
                error(line, QStringLiteral("%1 inside raw_codes").arg(quotedWord(first)));
            } else if (!inCode_) {
                error(line, QStringLiteral("durations before the first \"name\""));
            } else {
                for (size_t i = 0; i < words.size(); ++i) {
                    int64_t d = 0;
                    if (!parseCount(words[i], kMaxReadDurationUs, &d)) {
                        error(line, QStringLiteral("word %1 %2 is not a duration in µs")
                                        .arg(i + 1)
                                        .arg(quotedWord(words[i])));
                        return;
                    }
                    codes_.back().signal.durations.push_back(int32_t(d));
                }
            }
            return;
        }
    }
};

// The space after the code's last pulse, or 0 when it gives none.
int32_t closingSpace(const InterchangeCode &code) {
    const std::vector<int32_t> &d = code.signal.durations;
    return d.size() % 2 == 0 ? d.back() : code.gapUs;
}

} // namespace

InterchangeRead readLirc(QByteArrayView text) {
    LircReader reader;
    reader.run(text);
    InterchangeRead &read = reader.read;
    if (!read.ok())
        read.codes.clear();
    else if (read.codes.empty())
        read.notes.push_back({0, QStringLiteral("the file holds no raw code"), true});
    return read;
}

InterchangeWrite writeLirc(const std::vector<InterchangeCode> &codes, const QString &remoteName) {
    InterchangeWrite write;
    if (codes.empty()) {
        write.ok = false;
        write.notes.push_back({0, QStringLiteral("there is no code to write"), true});
        return write;
    }
    for (size_t c = 0; c < codes.size(); ++c)
        if (codes[c].signal.durations.empty() || codes[c].signal.carrierHz <= 0)
            write.notes.push_back(
                {0,
                 QStringLiteral("code %1: %2")
                     .arg(c + 1)
                     .arg(codes[c].signal.durations.empty() ? QStringLiteral("no durations")
                                                            : QStringLiteral("no carrier")),
                 true});
    if (!write.notes.empty()) {
        write.ok = false;
        return write;
    }
    bool changed = false;
    QString remote = writtenName(remoteName, 0, true, &changed);
    if (remoteName.isEmpty())
        remote = QStringLiteral("remote");
    else if (changed)
        write.notes.push_back({0, QStringLiteral("the remote is named \"%1\"").arg(remote), false});
    const int32_t carrier = codes.front().signal.carrierHz;
    int32_t gap = closingSpace(codes.front());
    if (gap <= 0) gap = 100000;

    QByteArray out = "begin remote\n\n  name  " + remote.toUtf8() +
                     "\n  flags RAW_CODES\n  eps            30\n  aeps          100\n"
                     "  frequency    " +
                     QByteArray::number(carrier) + "\n  gap          " + QByteArray::number(gap) +
                     "\n\n      begin raw_codes\n";
    for (size_t c = 0; c < codes.size(); ++c) {
        const InterchangeCode &code = codes[c];
        const QString label = QStringLiteral("code %1").arg(c + 1);
        const QString name = writtenName(code.name, int(c) + 1, true, &changed);
        if (changed)
            write.notes.push_back(
                {0, label + QStringLiteral(": written with the name \"%1\"").arg(name), false});
        if (code.signal.carrierHz != carrier)
            write.notes.push_back({0,
                                   label + QStringLiteral(": carrier %1 Hz, written in a remote "
                                                          "of %2 Hz")
                                               .arg(code.signal.carrierHz)
                                               .arg(carrier),
                                   false});
        const int32_t closing = closingSpace(code);
        if (closing > 0 && closing != gap)
            write.notes.push_back({0,
                                   label + QStringLiteral(": closing space %1 µs, written as the "
                                                          "remote's gap of %2 µs")
                                               .arg(closing)
                                               .arg(gap),
                                   false});
        out += "\n          name " + name.toUtf8() + "\n";
        const std::vector<int32_t> &d = code.signal.durations;
        const size_t count = d.size() % 2 == 0 ? d.size() - 1 : d.size();
        for (size_t i = 0; i < count; ++i) {
            const QByteArray number = QByteArray::number(d[i]);
            out += (i % 6 == 0 ? QByteArray("          ") : QByteArray()) +
                   QByteArray(std::max<qsizetype>(1, 8 - number.size()), ' ') + number;
            if (i % 6 == 5 || i + 1 == count) out += '\n';
        }
    }
    out += "\n      end raw_codes\n\nend remote\n";
    write.bytes = out;
    return write;
}

} // namespace zevo3
