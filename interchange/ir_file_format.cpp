#include "ir_file_format.h"

#include "name_text.h"
#include "text_scan.h"

namespace zevo3 {
namespace {

constexpr int64_t kMaxFrequencyHz = 10000000;

struct Record {
    int line = 0; // of its first key
    QString name;
    bool named = false;
    QByteArray type;
    int64_t frequency = -1;
    std::vector<int32_t> data;
    bool hasData = false;
    std::optional<ParsedCode> parsed; // its fields so far, from the first field key
    bool hasAddress = false, hasCommand = false;
    bool bad = false; // an error was reported inside it
};

bool isDutyCycle(QByteArrayView value) {
    // A decimal fraction such as "0.330000" or "1".
    int dots = 0, digits = 0;
    for (const char c : value) {
        if (c == '.')
            ++dots;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    return digits > 0 && dots <= 1;
}

// A field of a parsed record: up to four hexadecimal bytes, LSB first.
std::optional<uint32_t> fieldBytes(QByteArrayView value) {
    const std::vector<QByteArrayView> words = scanWords(value);
    if (words.empty() || words.size() > 4) return std::nullopt;
    uint32_t field = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        bool ok = false;
        const uint32_t byte = QByteArray(words[i].data(), words[i].size()).toUInt(&ok, 16);
        if (words[i].size() != 2 || !ok) return std::nullopt;
        field |= byte << (8 * i);
    }
    return field;
}

QByteArray writtenBytes(uint32_t field) {
    QByteArray text;
    for (int i = 0; i < 4; ++i)
        text += (i ? " " : "") +
                QByteArray::number((field >> (8 * i)) & 0xFF, 16).rightJustified(2, '0').toUpper();
    return text;
}

class IrReader {
public:
    explicit IrReader(const ParsedCodec *codec) : codec(codec) {}

    InterchangeRead read;
    const ParsedCodec *codec;

    void error(int line, const QString &text) { addLineNote(read, line, text, true); }
    void note(int line, const QString &text) { addLineNote(read, line, text, false); }

    void finish(Record &r) {
        if (r.line == 0 || r.bad) {
            r = {};
            return;
        }
        const QString label =
            r.named ? QStringLiteral("record \"%1\"").arg(r.name) : QStringLiteral("a record");
        if (!r.named) {
            error(r.line, label + QStringLiteral(" without a name"));
        } else if (r.type.isEmpty()) {
            error(r.line, label + QStringLiteral(" without a type"));
        } else if (r.type == "parsed" && codec) {
            finishParsed(r, label);
        } else if (r.type != "raw") {
            note(r.line, label + QStringLiteral(" of type %1 is not read: only raw records are")
                                     .arg(quotedWord(r.type)));
        } else if (r.frequency < 0) {
            error(r.line, label + QStringLiteral(" without a frequency"));
        } else if (!r.hasData || r.data.empty()) {
            error(r.line, label + QStringLiteral(" without data"));
        } else {
            InterchangeCode code;
            code.name = r.name;
            code.signal.carrierHz = int32_t(r.frequency);
            code.signal.durations = std::move(r.data);
            read.codes.push_back(std::move(code));
        }
        r = {};
    }

    void finishParsed(Record &r, const QString &label) {
        if (!r.parsed || r.parsed->protocol.isEmpty() || !r.hasAddress || !r.hasCommand) {
            error(r.line, label + QStringLiteral(" without its protocol, address and command"));
            return;
        }
        InterchangeCode code;
        code.name = r.name;
        QString why;
        if (!codec->encode(*r.parsed, &code.signal, &why)) {
            error(r.line, label + QStringLiteral(": ") + why);
            return;
        }
        read.codes.push_back(std::move(code));
    }

    // protocol, address and command: the fields of a parsed record.
    bool fieldKey(Record &r, int line, QByteArrayView key, QByteArrayView value) {
        const bool protocol = key.compare("protocol", Qt::CaseInsensitive) == 0;
        const bool address = key.compare("address", Qt::CaseInsensitive) == 0;
        if (!protocol && !address && key.compare("command", Qt::CaseInsensitive) != 0) return false;
        if (!r.parsed) r.parsed = ParsedCode{};
        if (protocol) {
            r.parsed->protocol = QString::fromLatin1(value.data(), value.size());
            return true;
        }
        const std::optional<uint32_t> field = fieldBytes(value);
        if (!field) {
            if (r.type == "parsed" && codec) {
                error(line,
                      QStringLiteral("%1 %2 is not up to four hexadecimal bytes")
                          .arg(QString::fromLatin1(key.data(), key.size()), quotedWord(value)));
                r.bad = true;
            }
            return true;
        }
        (address ? r.parsed->address : r.parsed->command) = *field;
        (address ? r.hasAddress : r.hasCommand) = true;
        return true;
    }

    void key(Record &r, int line, QByteArrayView key, QByteArrayView value) {
        if (key.compare("name", Qt::CaseInsensitive) == 0) {
            finish(r); // a name begins the next record, "#" line or not
            r.line = line;
            r.named = true;
            if (!nameFromUtf8(value, &r.name)) {
                error(line, QStringLiteral("the name is not UTF-8 text"));
                r.bad = true;
            }
            return;
        }
        if (r.line == 0) r.line = line;
        if (key.compare("type", Qt::CaseInsensitive) == 0) {
            r.type = value.toByteArray().toLower();
        } else if (key.compare("frequency", Qt::CaseInsensitive) == 0) {
            int64_t hz = 0;
            if (!parseCount(value, kMaxFrequencyHz, &hz) || hz == 0) {
                error(line,
                      QStringLiteral("frequency %1 is not a carrier in Hz").arg(quotedWord(value)));
                r.bad = true;
            }
            r.frequency = hz;
        } else if (key.compare("duty_cycle", Qt::CaseInsensitive) == 0) {
            if (!isDutyCycle(value)) {
                error(line, QStringLiteral("duty_cycle %1 is not a number").arg(quotedWord(value)));
                r.bad = true;
            }
        } else if (key.compare("data", Qt::CaseInsensitive) == 0) {
            r.hasData = true;
            const std::vector<QByteArrayView> words = scanWords(value);
            for (size_t i = 0; i < words.size(); ++i) {
                int64_t d = 0;
                if (!parseCount(words[i], kMaxReadDurationUs, &d)) {
                    error(line, QStringLiteral("data word %1 %2 is not a duration in µs")
                                    .arg(i + 1)
                                    .arg(quotedWord(words[i])));
                    r.bad = true;
                    return;
                }
                r.data.push_back(int32_t(d));
            }
        } else if (!fieldKey(r, line, key, value)) {
            note(line, QStringLiteral("key %1 is not read").arg(quotedWord(key)));
        }
    }
};

} // namespace

InterchangeRead readIrFile(QByteArrayView text, const ParsedCodec *codec) {
    IrReader reader(codec);
    Record record;
    int header = 0; // lines of the header seen: Filetype, then Version
    for (const ScanLine &line : scanLines(text)) {
        const QByteArrayView content = trimmedView(line.text);
        if (content.isEmpty()) continue;
        if (content.startsWith('#')) {
            if (header == 2) reader.finish(record);
            continue;
        }
        const qsizetype colon = content.indexOf(':');
        if (colon <= 0) {
            reader.error(line.number,
                         QStringLiteral("%1 is not \"key: value\"").arg(quotedWord(content)));
            continue;
        }
        const QByteArrayView key = trimmedView(content.first(colon));
        const QByteArrayView value = trimmedView(content.sliced(colon + 1));
        if (header == 0) {
            if (key.compare("Filetype", Qt::CaseInsensitive) != 0 ||
                (value != "IR signals file" && value != "IR library file")) {
                reader.error(line.number, QStringLiteral("%1 is not \"Filetype: IR signals "
                                                         "file\"")
                                              .arg(quotedWord(content)));
                break;
            }
            header = 1;
        } else if (header == 1) {
            if (key.compare("Version", Qt::CaseInsensitive) != 0 || value != "1") {
                reader.error(line.number,
                             QStringLiteral("%1 is not \"Version: 1\"").arg(quotedWord(content)));
                break;
            }
            header = 2;
        } else {
            reader.key(record, line.number, key, value);
        }
    }
    reader.finish(record);
    InterchangeRead &read = reader.read;
    if (header < 2 && read.ok())
        read.notes.push_back({0,
                              QStringLiteral("the header \"Filetype: IR signals file\", "
                                             "\"Version: 1\" is missing"),
                              true});
    if (!read.ok())
        read.codes.clear();
    else if (read.codes.empty())
        read.notes.push_back({0,
                              codec ? QStringLiteral("the file holds no raw or parsed record")
                                    : QStringLiteral("the file holds no raw record"),
                              true});
    return read;
}

InterchangeWrite writeIrFile(const std::vector<InterchangeCode> &codes, const ParsedCodec *codec) {
    InterchangeWrite write;
    write.bytes = "Filetype: IR signals file\nVersion: 1\n";
    for (size_t c = 0; c < codes.size(); ++c) {
        const InterchangeCode &code = codes[c];
        if (refuseEmptyCode(code, c, write)) continue;
        bool changed = false;
        const QString name = writtenName(code.name, int(c) + 1, false, &changed);
        if (changed)
            write.notes.push_back(
                {0, QStringLiteral("code %1: written with the name \"%2\"").arg(c + 1).arg(name),
                 false});
        const std::optional<ParsedCode> parsed =
            codec ? codec->decode(code.signal) : std::optional<ParsedCode>();
        if (parsed) {
            write.bytes += "#\nname: " + name.toUtf8() +
                           "\ntype: parsed\nprotocol: " + parsed->protocol.toLatin1() +
                           "\naddress: " + writtenBytes(parsed->address) +
                           "\ncommand: " + writtenBytes(parsed->command) + "\n";
            continue;
        }
        QByteArray data;
        for (const int32_t d : code.signal.durations)
            data += (data.isEmpty() ? "" : " ") + QByteArray::number(d);
        if (code.signal.durations.size() % 2 != 0 && code.gapUs > 0)
            data += ' ' + QByteArray::number(code.gapUs);
        write.bytes += "#\nname: " + name.toUtf8() +
                       "\ntype: raw\nfrequency: " + QByteArray::number(code.signal.carrierHz) +
                       "\nduty_cycle: 0.330000\ndata: " + data + "\n";
    }
    for (const InterchangeNote &n : write.notes)
        if (n.error) write.ok = false;
    if (!write.ok) write.bytes.clear();
    return write;
}

} // namespace zevo3
