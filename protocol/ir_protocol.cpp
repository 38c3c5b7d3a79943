#include "ir_protocol.h"

#include "protocol_table.h"

namespace zevo3 {
using namespace protocol;
namespace {

// Each reader with the first marks its frames can begin with: a frame
// whose first mark is none of them is not offered to it (most frames of a
// long capture are offered to none or one).
struct Reader {
    FrameCode (*read)(const FrameView &, int);
    int32_t firstMarks[2];
};
constexpr Reader kReaders[] = {
    {necFamilyFrame, {9000, 0}}, {samsungFrame, {4500, 0}}, {kaseikyoFrame, {3456, 0}},
    {rcaFrame, {4000, 0}},       {jvcFrame, {8400, 526}},   {sharpFrame, {320, 0}},
    {sircFrame, {2400, 0}},      {rc5Frame, {889, 1778}},   {rc6Frame, {2666, 0}},
};

FrameCode frameCode(const FrameView &f, int carrierHz) {
    FrameCode best;
    if (f.empty()) return best;
    for (const Reader &reader : kReaders) {
        if (!near(f[0], reader.firstMarks[0]) &&
            !(reader.firstMarks[1] && near(f[0], reader.firstMarks[1])))
            continue;
        FrameCode code = reader.read(f, carrierHz);
        if (!code.protocol.isEmpty()) return code;
        if (code.closeness > best.closeness) best = std::move(code);
    }
    return best;
}

bool sameCode(const FrameCode &a, const FrameCode &b) {
    return a.protocol == b.protocol && a.address == b.address && a.command == b.command &&
           a.toggle == b.toggle;
}

// The codes of a signal's frames one after the other, Sharp's two halves
// taken together as one; a half without its other half is not a code.
class CodeStream {
public:
    CodeStream(const std::vector<FrameView> &views, int carrierHz)
        : views_(views), carrierHz_(carrierHz) {}

    bool atEnd() const { return next_ == views_.size(); }

    FrameCode next() {
        const size_t at = next_++;
        FrameCode code = frameCode(views_[at], carrierHz_);
        code.source = at;
        if (code.half == 0) return code;
        if (code.half == 1 && !atEnd()) {
            const FrameCode second = frameCode(views_[next_], carrierHz_);
            if (second.half == 2 && sameCode(code, second)) {
                ++next_;
                code.half = 0;
                return code;
            }
        }
        FrameCode half =
            missed(2, code.half == 1 ? QStringLiteral("Sharp: the first half without its second")
                                     : QStringLiteral("Sharp: a second half without its first"));
        half.source = at;
        return half;
    }

private:
    const std::vector<FrameView> &views_;
    int carrierHz_;
    size_t next_ = 0;
};

// Whether a repeat frame (of NEC or Samsung32) is one of the first code's.
bool repeatOf(const FrameCode &repeat, const FrameCode &first) {
    if (!repeat.repeatFrame) return false;
    const ProtocolEntry *entry = protocolEntry(first.protocol);
    if (!entry || entry->repeatFrame.empty()) return false;
    return first.protocol.startsWith(repeat.protocol);
}

} // namespace

QStringList protocolNames() {
    QStringList names;
    for (const ProtocolEntry &e : protocolTable())
        names << e.name;
    return names;
}

std::optional<ProtocolFields> protocolFields(const QString &name) {
    const ProtocolEntry *e = protocolEntry(name);
    if (!e) return std::nullopt;
    return ProtocolFields{e->addressBits,          e->commandBits, e->toggle,
                          !e->repeatFrame.empty(), e->carrierHz,   e->minSends};
}

QString resultText(const DecodedCode &code) {
    const std::optional<ProtocolFields> fields = protocolFields(code.protocol);
    if (!code.matched() || !fields) return {};
    const auto hex = [](uint32_t value, int bits) {
        return QStringLiteral("%1").arg(value, (bits + 3) / 4, 16, QLatin1Char('0')).toUpper();
    };
    return QStringLiteral("%1 %2 %3")
        .arg(code.protocol, hex(code.address, fields->addressBits),
             hex(code.command, fields->commandBits));
}

DecodedCode decodeSignal(const FlatSignal &signal) {
    DecodedCode result;
    const std::vector<FrameView> views = framesOf(signal.durations);
    // Looking for the code, the misses are not worded; only the frame that
    // came nearest is, when no frame is a code.
    const ExplainMisses quiet(false);
    CodeStream stream(views, signal.carrierHz);
    FrameCode first, nearest;
    int before = 0;
    while (!stream.atEnd()) {
        FrameCode code = stream.next();
        if (!code.protocol.isEmpty() && !code.repeatFrame) {
            first = std::move(code);
            break;
        }
        ++before;
        if (code.closeness > nearest.closeness) nearest = std::move(code);
    }
    if (first.protocol.isEmpty()) {
        QString why = nearest.why;
        if (why.isEmpty() && nearest.closeness > 0) {
            const ExplainMisses words(true);
            why = frameCode(views[nearest.source], signal.carrierHz).why;
        }
        result.note = why.isEmpty() ? QStringLiteral("no frame matches a protocol") : why;
        return result;
    }
    result.protocol = first.protocol;
    result.address = first.address;
    result.command = first.command;
    result.toggle = first.toggle;
    result.frames = 1;
    QStringList notes;
    if (before > 0)
        notes << QStringLiteral("%1 frame(s) before the first are not read").arg(before);
    for (int unit = before + 2; !stream.atEnd(); ++unit) {
        const FrameCode code = stream.next();
        if (repeatOf(code, first))
            ++result.repeats;
        else if (sameCode(code, first) && !code.repeatFrame)
            ++result.frames;
        else if (stream.atEnd())
            notes << QStringLiteral("the last frame is cut short or unlike the first");
        else
            notes << QStringLiteral("frame %1 is unlike the first").arg(unit);
    }
    const ProtocolEntry *entry = protocolEntry(first.protocol);
    if (entry && entry->repeatFrame.empty()) result.repeats = result.frames - 1;
    result.note = notes.join(QStringLiteral("; "));
    return result;
}

EncodedCode encodeSignal(const QString &protocol, uint32_t address, uint32_t command, int repeats,
                         int toggle) {
    EncodedCode out;
    const ProtocolEntry *entry = protocolEntry(protocol);
    if (!entry) {
        out.message = QStringLiteral("unknown protocol \"%1\" (%2)")
                          .arg(protocol, protocolNames().join(QStringLiteral(", ")));
        return out;
    }
    const auto fits = [](uint32_t value, int bits) {
        return bits >= 32 || value < (uint32_t(1) << bits);
    };
    const auto bitsText = [](int bits) {
        return QStringLiteral("%1 %2-bit")
            .arg(bits == 8 || bits == 11 || bits == 18 ? QStringLiteral("an") : QStringLiteral("a"))
            .arg(bits);
    };
    if (!fits(address, entry->addressBits) || !fits(command, entry->commandBits)) {
        out.message =
            QStringLiteral("%1 takes %2 address and %3 command")
                .arg(protocol, bitsText(entry->addressBits), bitsText(entry->commandBits));
        return out;
    }
    if (repeats < 0 || repeats > 100 || toggle < 0 || toggle > 1) {
        out.message = QStringLiteral("repeats are 0 to 100 and the toggle 0 or 1");
        return out;
    }
    if (toggle && !entry->toggle) {
        out.message = QStringLiteral("%1 has no toggle bit").arg(protocol);
        return out;
    }
    // An extended address whose halves are complements is read as the plain
    // protocol's: such a code would not decode as the one asked for.
    if (protocol.endsWith(QLatin1String("ext")) && protocol.startsWith(QLatin1String("NEC"))) {
        const int half = entry->addressBits / 2;
        const uint32_t mask = (1u << half) - 1;
        if ((address >> half) == ((address & mask) ^ mask)) {
            out.message = QStringLiteral("%1 address 0x%2: its halves are complements, which "
                                         "makes the frame %3's; give the code as %3")
                              .arg(protocol)
                              .arg(address, 0, 16)
                              .arg(protocol.chopped(3));
            return out;
        }
    }
    out.signal.carrierHz = entry->carrierHz;
    std::vector<int32_t> &d = out.signal.durations;
    const std::vector<Frame> send = entry->build(*entry, address, command, toggle);
    const auto appendSend = [&] {
        for (const Frame &frame : send)
            appendFrame(d, frame, entry->period, entry->gap);
    };
    appendSend();
    for (int r = 0; r < repeats; ++r) {
        if (entry->repeatFrame.empty())
            appendSend();
        else
            appendFrame(d, entry->repeatFrame, entry->period, entry->gap);
    }
    out.ok = true;
    return out;
}

} // namespace zevo3
