#include "ir_protocol.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace zevo3 {
namespace {

// A learned duration matches a published one within 25 % or 100 µs,
// whichever is larger.
bool near(int32_t duration, int32_t published) {
    const int64_t tolerance = std::max<int64_t>(int64_t(published) * 25 / 100, 100);
    return std::llabs(int64_t(duration) - published) <= tolerance;
}

// A space this long ends a frame: longer than any space inside a frame of
// these protocols.
constexpr int32_t kFrameGapUs = 8000;

// The frames of a signal, each from its first mark to its last, without
// the gap after it: views into the signal's durations.
struct FrameView {
    const int32_t *data = nullptr;
    size_t count = 0;

    size_t size() const { return count; }
    bool empty() const { return count == 0; }
    int32_t operator[](size_t i) const { return data[i]; }
    int32_t back() const { return data[count - 1]; }
};
using Frame = std::vector<int32_t>; // a frame being built

std::vector<FrameView> framesOf(const std::vector<int32_t> &d) {
    std::vector<FrameView> frames;
    size_t start = 0;
    const auto close = [&](size_t end) {
        size_t n = end - start;
        if (n % 2 == 0 && n > 0) --n; // a last space
        if (n > 0) frames.push_back({d.data() + start, n});
    };
    for (size_t i = 1; i < d.size(); i += 2) {
        if (d[i] > kFrameGapUs) {
            close(i);
            start = i + 1;
        }
    }
    if (start < d.size()) close(d.size());
    return frames;
}

// What one frame was read as.
struct FrameCode {
    QString protocol; // empty: no protocol
    uint32_t address = 0;
    uint32_t command = 0;
    int toggle = 0;
    bool repeatFrame = false; // the NEC family's short frame
    // Without a protocol: how far the frame matched (0: not at all, 1: its
    // leader or length, 2: all but a checked field) and where it did not.
    int closeness = 0;
    QString why;
};

FrameCode missed(int closeness, QString why) {
    FrameCode f;
    f.closeness = closeness;
    f.why = std::move(why);
    return f;
}

uint32_t bitsOf(uint64_t bits, int first, int count) {
    return uint32_t((bits >> first) & ((uint64_t(1) << count) - 1));
}

// ---- the NEC family: pulse distance, 9 ms / 4.5 ms leader, LSB first --------

constexpr int32_t kNecLeaderMark = 9000, kNecLeaderSpace = 4500, kNecRepeatSpace = 2250;
constexpr int32_t kNecMark = 560, kNecZero = 560, kNecOne = 1690;
constexpr int32_t kNecPeriod = 108000;

// The bits of a pulse-distance frame after its leader, LSB first, and its
// stop mark; nullopt and *why when a duration is off.
std::optional<uint64_t> pulseDistanceBits(const FrameView &f, int bits, int32_t mark, int32_t zero,
                                          int32_t one, QString *why) {
    uint64_t value = 0;
    for (int k = 0; k < bits; ++k) {
        const int32_t m = f[size_t(2 + 2 * k)];
        const int32_t s = f[size_t(3 + 2 * k)];
        if (!near(m, mark)) {
            *why = QStringLiteral("bit %1: a mark of %2 µs where %3 µs belong")
                       .arg(k + 1)
                       .arg(m)
                       .arg(mark);
            return std::nullopt;
        }
        if (near(s, one))
            value |= uint64_t(1) << k;
        else if (!near(s, zero)) {
            *why = QStringLiteral("bit %1: a space of %2 µs is neither %3 nor %4 µs")
                       .arg(k + 1)
                       .arg(s)
                       .arg(zero)
                       .arg(one);
            return std::nullopt;
        }
    }
    if (!near(f.back(), mark)) {
        *why = QStringLiteral("the stop mark of %1 µs where %2 µs belong").arg(f.back()).arg(mark);
        return std::nullopt;
    }
    return value;
}

FrameCode necFrame(const FrameView &f) {
    if (f.size() < 3 || !near(f[0], kNecLeaderMark)) return missed(0, {});
    if (f.size() == 3 && near(f[1], kNecRepeatSpace) && near(f[2], kNecMark)) {
        FrameCode r;
        r.protocol = QStringLiteral("NEC");
        r.repeatFrame = true;
        return r;
    }
    if (!near(f[1], kNecLeaderSpace)) return missed(0, {});
    const int bits = int(f.size() - 3) / 2;
    if (f.size() % 2 == 0 || (bits != 32 && bits != 42))
        return missed(1, QStringLiteral("NEC: a frame of %1 bits, not 32 or 42").arg(bits));
    QString why;
    const std::optional<uint64_t> value =
        pulseDistanceBits(f, bits, kNecMark, kNecZero, kNecOne, &why);
    if (!value) return missed(1, QStringLiteral("NEC: ") + why);
    const int addressBits = bits == 32 ? 8 : 13;
    const uint32_t address = bitsOf(*value, 0, addressBits);
    const uint32_t addressInverse = bitsOf(*value, addressBits, addressBits);
    const uint32_t command = bitsOf(*value, 2 * addressBits, 8);
    const uint32_t commandInverse = bitsOf(*value, 2 * addressBits + 8, 8);
    const uint32_t addressMask = (1u << addressBits) - 1;
    const QString name = bits == 32 ? QStringLiteral("NEC") : QStringLiteral("NEC42");
    FrameCode code;
    if ((address ^ addressMask) == addressInverse) {
        if ((command ^ 0xFFu) != commandInverse)
            return missed(2, QStringLiteral("%1: command 0x%2 and its complement 0x%3 disagree")
                                 .arg(name)
                                 .arg(command, 2, 16, QLatin1Char('0'))
                                 .arg(commandInverse, 2, 16, QLatin1Char('0')));
        code.protocol = name;
        code.address = address;
        code.command = command;
    } else {
        code.protocol = name + QStringLiteral("ext");
        code.address = address | addressInverse << addressBits;
        code.command = command | commandInverse << 8;
    }
    return code;
}

// ---- SIRC: pulse width, 2.4 ms leader, 600 µs spaces, LSB first -------------

constexpr int32_t kSircLeader = 2400, kSircSpace = 600, kSircOne = 1200, kSircZero = 600;
constexpr int32_t kSircPeriod = 45000;

FrameCode sircFrame(const FrameView &f) {
    if (f.empty() || !near(f[0], kSircLeader) || f.size() % 2 == 0) return missed(0, {});
    const int bits = int(f.size() - 1) / 2;
    if (bits != 12 && bits != 15 && bits != 20)
        return missed(1, QStringLiteral("SIRC: a frame of %1 bits, not 12, 15 or 20").arg(bits));
    uint32_t value = 0;
    for (int k = 0; k < bits; ++k) {
        const int32_t s = f[size_t(1 + 2 * k)];
        const int32_t m = f[size_t(2 + 2 * k)];
        if (!near(s, kSircSpace))
            return missed(1, QStringLiteral("SIRC: bit %1: a space of %2 µs where 600 µs belong")
                                 .arg(k + 1)
                                 .arg(s));
        if (near(m, kSircOne))
            value |= 1u << k;
        else if (!near(m, kSircZero))
            return missed(1, QStringLiteral("SIRC: bit %1: a mark of %2 µs is neither 600 nor "
                                            "1200 µs")
                                 .arg(k + 1)
                                 .arg(m));
    }
    FrameCode code;
    code.protocol = bits == 12   ? QStringLiteral("SIRC")
                    : bits == 15 ? QStringLiteral("SIRC15")
                                 : QStringLiteral("SIRC20");
    code.command = value & 0x7F;
    code.address = value >> 7;
    return code;
}

// ---- RC5 and RC5X: biphase, 889 µs half-bits, MSB first ---------------------

constexpr int32_t kRc5Half = 889;
constexpr int32_t kRc5Period = 113778;
constexpr int kRc5Bits = 14;

FrameCode rc5Frame(const FrameView &f) {
    // Half-bit levels (true: mark); the frame's first bit is a 1, space then
    // mark, and its space half is not seen.
    if (f.size() > 2 * kRc5Bits) return missed(0, {});
    std::vector<bool> halves = {false};
    halves.reserve(2 * kRc5Bits + 2);
    for (size_t i = 0; i < f.size(); ++i) {
        const bool mark = i % 2 == 0;
        const int count = near(f[i], kRc5Half) ? 1 : near(f[i], 2 * kRc5Half) ? 2 : 0;
        if (count == 0) {
            if (i == 0) return missed(0, {});
            return missed(1, QStringLiteral("RC5: a %1 of %2 µs is neither 889 nor 1778 µs")
                                 .arg(mark ? QStringLiteral("mark") : QStringLiteral("space"))
                                 .arg(f[i]));
        }
        halves.insert(halves.end(), size_t(count), mark);
    }
    // A last 0 (mark then space) ends in the gap.
    if (halves.size() == 2 * kRc5Bits - 1) halves.push_back(false);
    if (halves.size() != 2 * kRc5Bits)
        return missed(f.size() > 10 ? 1 : 0,
                      QStringLiteral("RC5: %1 half-bits, not 28").arg(halves.size()));
    uint32_t value = 0;
    for (int k = 0; k < kRc5Bits; ++k) {
        const bool first = halves[size_t(2 * k)], second = halves[size_t(2 * k + 1)];
        if (first == second)
            return missed(1, QStringLiteral("RC5: bit %1 has no level change").arg(k + 1));
        value = value << 1 | (second ? 1u : 0u);
    }
    FrameCode code;
    const bool field = (value >> 12) & 1;
    code.protocol = field ? QStringLiteral("RC5") : QStringLiteral("RC5X");
    code.toggle = int((value >> 11) & 1);
    code.address = (value >> 6) & 0x1F;
    code.command = (value & 0x3F) | (field ? 0u : 0x40u);
    return code;
}

FrameCode frameCode(const FrameView &f) {
    FrameCode best;
    for (FrameCode (*read)(const FrameView &) : {necFrame, sircFrame, rc5Frame}) {
        FrameCode code = read(f);
        if (!code.protocol.isEmpty()) return code;
        if (code.closeness > best.closeness) best = std::move(code);
    }
    return best;
}

bool sameCode(const FrameCode &a, const FrameCode &b) {
    return a.protocol == b.protocol && a.address == b.address && a.command == b.command &&
           a.toggle == b.toggle;
}

// ---- building frames ------------------------------------------------------------

// Appends a frame (from its first mark to its last) and the gap that gives
// the protocol's frame period.
void appendFrame(std::vector<int32_t> &d, const Frame &frame, int32_t period) {
    int64_t length = 0;
    for (int32_t x : frame)
        length += x;
    d.insert(d.end(), frame.begin(), frame.end());
    d.push_back(int32_t(std::max<int64_t>(period - length, kFrameGapUs + 1000)));
}

Frame necDataFrame(uint64_t bits, int count) {
    Frame f = {kNecLeaderMark, kNecLeaderSpace};
    for (int k = 0; k < count; ++k)
        f.insert(f.end(), {kNecMark, (bits >> k) & 1 ? kNecOne : kNecZero});
    f.push_back(kNecMark);
    return f;
}

Frame sircDataFrame(uint32_t bits, int count) {
    Frame f = {kSircLeader};
    for (int k = 0; k < count; ++k)
        f.insert(f.end(), {kSircSpace, (bits >> k) & 1 ? kSircOne : kSircZero});
    return f;
}

Frame rc5DataFrame(uint32_t bits) {
    std::vector<bool> halves;
    for (int k = kRc5Bits - 1; k >= 0; --k) {
        const bool one = (bits >> k) & 1;
        halves.push_back(!one);
        halves.push_back(one);
    }
    halves.erase(halves.begin());          // the first space half is not sent
    if (!halves.back()) halves.pop_back(); // nor a last one
    Frame f;
    bool level = !halves.front();
    for (bool mark : halves) {
        if (!f.empty() && mark == level)
            f.back() += kRc5Half;
        else
            f.push_back(kRc5Half);
        level = mark;
    }
    return f;
}

struct Width {
    QString protocol;
    int addressBits;
    int commandBits;
};

const std::vector<Width> &widths() {
    static const std::vector<Width> table = {
        {QStringLiteral("NEC"), 8, 8},     {QStringLiteral("NECext"), 16, 16},
        {QStringLiteral("NEC42"), 13, 8},  {QStringLiteral("NEC42ext"), 26, 16},
        {QStringLiteral("SIRC"), 5, 7},    {QStringLiteral("SIRC15"), 8, 7},
        {QStringLiteral("SIRC20"), 13, 7}, {QStringLiteral("RC5"), 5, 6},
        {QStringLiteral("RC5X"), 5, 7},
    };
    return table;
}

} // namespace

QStringList protocolNames() {
    QStringList names;
    for (const Width &w : widths())
        names << w.protocol;
    return names;
}

DecodedCode decodeSignal(const FlatSignal &signal) {
    DecodedCode result;
    const std::vector<FrameView> frames = framesOf(signal.durations);
    FrameCode first;
    size_t at = frames.size();
    FrameCode nearest;
    for (size_t i = 0; i < frames.size(); ++i) {
        FrameCode code = frameCode(frames[i]);
        if (!code.protocol.isEmpty() && !code.repeatFrame) {
            first = std::move(code);
            at = i;
            break;
        }
        if (code.closeness > nearest.closeness) nearest = std::move(code);
    }
    if (at == frames.size()) {
        result.note =
            nearest.why.isEmpty() ? QStringLiteral("no frame matches a protocol") : nearest.why;
        return result;
    }
    result.protocol = first.protocol;
    result.address = first.address;
    result.command = first.command;
    result.toggle = first.toggle;
    result.frames = 1;
    const bool necFamily = first.protocol.startsWith(QLatin1String("NEC"));
    QStringList notes;
    if (at > 0) notes << QStringLiteral("%1 frame(s) before the first are not read").arg(at);
    for (size_t i = at + 1; i < frames.size(); ++i) {
        const FrameCode code = frameCode(frames[i]);
        if (code.repeatFrame && necFamily)
            ++result.repeats;
        else if (sameCode(code, first))
            ++result.frames;
        else if (i + 1 == frames.size())
            notes << QStringLiteral("the last frame is cut short or unlike the first");
        else
            notes << QStringLiteral("frame %1 is unlike the first").arg(i + 1);
    }
    if (!necFamily) result.repeats = result.frames - 1;
    result.note = notes.join(QStringLiteral("; "));
    return result;
}

EncodedCode encodeSignal(const QString &protocol, uint32_t address, uint32_t command, int repeats,
                         int toggle) {
    EncodedCode out;
    const auto width = std::find_if(widths().begin(), widths().end(),
                                    [&](const Width &w) { return w.protocol == protocol; });
    if (width == widths().end()) {
        out.message = QStringLiteral("unknown protocol \"%1\" (%2)")
                          .arg(protocol, protocolNames().join(QStringLiteral(", ")));
        return out;
    }
    const auto fits = [](uint32_t value, int bits) {
        return bits >= 32 || value < (uint32_t(1) << bits);
    };
    if (!fits(address, width->addressBits) || !fits(command, width->commandBits)) {
        out.message = QStringLiteral("%1 takes a %2-bit address and a %3-bit command")
                          .arg(protocol)
                          .arg(width->addressBits)
                          .arg(width->commandBits);
        return out;
    }
    if (repeats < 0 || repeats > 100 || toggle < 0 || toggle > 1) {
        out.message = QStringLiteral("repeats are 0 to 100 and the toggle 0 or 1");
        return out;
    }
    std::vector<int32_t> &d = out.signal.durations;
    Frame frame;
    int32_t period = 0;
    if (protocol.startsWith(QLatin1String("NEC"))) {
        out.signal.carrierHz = 38000;
        const int a = protocol.startsWith(QLatin1String("NEC42")) ? 13 : 8;
        uint64_t bits = 0;
        if (protocol.endsWith(QLatin1String("ext")))
            bits = uint64_t(address) | uint64_t(command) << (2 * a);
        else
            bits = uint64_t(address) | uint64_t(~address & ((1u << a) - 1)) << a |
                   uint64_t(command) << (2 * a) | uint64_t(~command & 0xFFu) << (2 * a + 8);
        appendFrame(d, necDataFrame(bits, 2 * a + 16), kNecPeriod);
        for (int r = 0; r < repeats; ++r)
            appendFrame(d, {kNecLeaderMark, kNecRepeatSpace, kNecMark}, kNecPeriod);
        out.ok = true;
        return out;
    }
    if (protocol.startsWith(QLatin1String("SIRC"))) {
        out.signal.carrierHz = 40000;
        frame = sircDataFrame(command | address << 7, 7 + width->addressBits);
        period = kSircPeriod;
    } else {
        out.signal.carrierHz = 36000;
        const bool field = protocol == QLatin1String("RC5") || command < 0x40;
        const uint32_t bits = 1u << 13 | (field ? 1u : 0u) << 12 | uint32_t(toggle) << 11 |
                              address << 6 | (command & 0x3F);
        frame = rc5DataFrame(bits);
        period = kRc5Period;
    }
    for (int r = 0; r <= repeats; ++r)
        appendFrame(d, frame, period);
    out.ok = true;
    return out;
}

} // namespace zevo3
