#include "ir_protocol.h"

#include "protocol_table.h"

namespace zevo3 {
using namespace protocol;
namespace {

FrameCode frameCode(const FrameView &f, int carrierHz) {
    FrameCode best;
    for (FrameCode (*read)(const FrameView &, int) :
         {necFamilyFrame, samsungFrame, kaseikyoFrame, rcaFrame, jvcFrame, sharpFrame, sircFrame,
          rc5Frame, rc6Frame}) {
        FrameCode code = read(f, carrierHz);
        if (!code.protocol.isEmpty()) return code;
        if (code.closeness > best.closeness) best = std::move(code);
    }
    return best;
}

bool sameCode(const FrameCode &a, const FrameCode &b) {
    return a.protocol == b.protocol && a.address == b.address && a.command == b.command &&
           a.toggle == b.toggle;
}

// The codes of a signal's frames, Sharp's two halves taken together as one;
// a half without its other half is not a code.
std::vector<FrameCode> codesOf(const FlatSignal &signal) {
    std::vector<FrameCode> frames;
    for (const FrameView &f : framesOf(signal.durations))
        frames.push_back(frameCode(f, signal.carrierHz));
    std::vector<FrameCode> codes;
    for (size_t i = 0; i < frames.size(); ++i) {
        FrameCode &code = frames[i];
        if (code.half == 1 && i + 1 < frames.size() && frames[i + 1].half == 2 &&
            sameCode(code, frames[i + 1])) {
            code.half = 0;
            codes.push_back(std::move(code));
            ++i;
        } else if (code.half != 0) {
            codes.push_back(missed(2, code.half == 1 ? QStringLiteral("Sharp: the first half "
                                                                      "without its second")
                                                     : QStringLiteral("Sharp: a second half "
                                                                      "without its first")));
        } else {
            codes.push_back(std::move(code));
        }
    }
    return codes;
}

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
    return ProtocolFields{e->addressBits, e->commandBits, e->toggle, e->carrierHz, e->minSends};
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
    const std::vector<FrameCode> codes = codesOf(signal);
    size_t at = codes.size();
    const FrameCode *nearest = nullptr;
    for (size_t i = 0; i < codes.size(); ++i) {
        if (!codes[i].protocol.isEmpty() && !codes[i].repeatFrame) {
            at = i;
            break;
        }
        if (!nearest || codes[i].closeness > nearest->closeness) nearest = &codes[i];
    }
    if (at == codes.size()) {
        result.note = !nearest || nearest->why.isEmpty()
                          ? QStringLiteral("no frame matches a protocol")
                          : nearest->why;
        return result;
    }
    const FrameCode &first = codes[at];
    result.protocol = first.protocol;
    result.address = first.address;
    result.command = first.command;
    result.toggle = first.toggle;
    result.frames = 1;
    QStringList notes;
    if (at > 0) notes << QStringLiteral("%1 frame(s) before the first are not read").arg(at);
    for (size_t i = at + 1; i < codes.size(); ++i) {
        if (repeatOf(codes[i], first))
            ++result.repeats;
        else if (sameCode(codes[i], first) && !codes[i].repeatFrame)
            ++result.frames;
        else if (i + 1 == codes.size())
            notes << QStringLiteral("the last frame is cut short or unlike the first");
        else
            notes << QStringLiteral("frame %1 is unlike the first").arg(i + 1);
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
    if (!fits(address, entry->addressBits) || !fits(command, entry->commandBits)) {
        out.message = QStringLiteral("%1 takes a %2-bit address and a %3-bit command")
                          .arg(protocol)
                          .arg(entry->addressBits)
                          .arg(entry->commandBits);
        return out;
    }
    if (repeats < 0 || repeats > 100 || toggle < 0 || toggle > 1) {
        out.message = QStringLiteral("repeats are 0 to 100 and the toggle 0 or 1");
        return out;
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
