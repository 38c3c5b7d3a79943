// The NEC family (NEC, NECext, NEC42, NEC42ext and Pioneer, which is NEC's
// frame at 40 kHz) and Samsung32: pulse distance, LSB first, 560 µs marks.

#include "protocol_table.h"

namespace zevo3::protocol {
namespace {

// 9 ms / 4.5 ms leader; 560 µs spaces for a 0, 1690 µs for a 1.
constexpr PulseDistance kNec = {"NEC", 9000, 4500, 560, 560, 1690};
constexpr int32_t kNecRepeatSpace = 2250;
// A 4.5 ms / 4.5 ms leader, otherwise the NEC bits.
constexpr PulseDistance kSamsung = {"Samsung32", 4500, 4500, 560, 560, 1690};
// At and above this carrier a NEC frame with both complements is Pioneer.
constexpr int kPioneerCarrierHz = 39000;

FrameCode complementMissed(const QString &name, const char *field, uint32_t value, uint32_t other,
                           const char *what) {
    return missedBecause(2, [&] {
        return QStringLiteral("%1: %2 %3 and its %4 %5 disagree")
            .arg(name, QLatin1String(field), hexByte(value), QLatin1String(what), hexByte(other));
    });
}

} // namespace

FrameCode necFamilyFrame(const FrameView &f, int carrierHz) {
    if (f.size() < 3 || !near(f[0], kNec.leaderMark)) return missed(0);
    if (f.size() == 3 && near(f[1], kNecRepeatSpace) && near(f[2], kNec.mark)) {
        FrameCode r = found(QStringLiteral("NEC"), 0, 0);
        r.repeatFrame = true;
        return r;
    }
    if (!near(f[1], kNec.leaderSpace)) return missed(0);
    const int bits = bitCount(f, true);
    if (bits != 32 && bits != 42)
        return missedBecause(
            1, [&] { return QStringLiteral("NEC: a frame of %1 bits, not 32 or 42").arg(bits); });
    QString why;
    const std::optional<uint64_t> value = readPulseDistance(f, kNec, true, bits, &why);
    if (!value) return missedBecause(1, [&] { return QStringLiteral("NEC: ") + why; });
    const int a = bits == 32 ? 8 : 13;
    const uint32_t address = bitsOf(*value, 0, a);
    const uint32_t addressInverse = bitsOf(*value, a, a);
    const uint32_t command = bitsOf(*value, 2 * a, 8);
    const uint32_t commandInverse = bitsOf(*value, 2 * a + 8, 8);
    QString name = bits == 32 ? QStringLiteral("NEC") : QStringLiteral("NEC42");
    if ((address ^ ((1u << a) - 1)) != addressInverse)
        return found(name + QStringLiteral("ext"), address | addressInverse << a,
                     command | commandInverse << 8);
    if ((command ^ 0xFFu) != commandInverse)
        return complementMissed(
            bits == 32 && carrierHz >= kPioneerCarrierHz ? QStringLiteral("Pioneer") : name,
            "command", command, commandInverse, "complement");
    if (bits == 32 && carrierHz >= kPioneerCarrierHz) name = QStringLiteral("Pioneer");
    return found(name, address, command);
}

FrameCode samsungFrame(const FrameView &f, int) {
    if (!hasLeader(f, kSamsung)) return missed(0);
    // The repeat frame: the leader, one 1 bit and the stop mark.
    if (f.size() == 5 && near(f[2], kSamsung.mark) && near(f[3], kSamsung.one) &&
        near(f[4], kSamsung.mark)) {
        FrameCode r = found(QStringLiteral("Samsung32"), 0, 0);
        r.repeatFrame = true;
        return r;
    }
    FrameCode miss;
    const std::optional<uint64_t> value = readFrameBits(f, kSamsung, true, 32, &miss);
    if (!value) return miss;
    const uint32_t address = bitsOf(*value, 0, 8), copy = bitsOf(*value, 8, 8);
    const uint32_t command = bitsOf(*value, 16, 8), inverse = bitsOf(*value, 24, 8);
    const QString name = QStringLiteral("Samsung32");
    if (address != copy) return complementMissed(name, "address", address, copy, "copy");
    if ((command ^ 0xFFu) != inverse)
        return complementMissed(name, "command", command, inverse, "complement");
    return found(name, address, command);
}

namespace {

std::vector<Frame> buildNec(const ProtocolEntry &e, uint32_t address, uint32_t command, int) {
    const bool wide = e.name.startsWith(QLatin1String("NEC42"));
    const int a = wide ? 13 : 8;
    uint64_t bits = 0;
    if (e.name.endsWith(QLatin1String("ext")))
        bits = uint64_t(address) | uint64_t(command) << (2 * a);
    else
        bits = uint64_t(address) | uint64_t(~address & ((1u << a) - 1)) << a |
               uint64_t(command) << (2 * a) | uint64_t(~command & 0xFFu) << (2 * a + 8);
    return {pulseDistanceFrame(kNec, true, bits, 2 * a + 16)};
}

std::vector<Frame> buildSamsung(const ProtocolEntry &, uint32_t address, uint32_t command, int) {
    const uint64_t bits = uint64_t(address) | uint64_t(address) << 8 | uint64_t(command) << 16 |
                          uint64_t(~command & 0xFFu) << 24;
    return {pulseDistanceFrame(kSamsung, true, bits, 32)};
}

} // namespace

void addNecFamily(std::vector<ProtocolEntry> &table) {
    const Frame necRepeat = {kNec.leaderMark, kNecRepeatSpace, kNec.mark};
    const Frame samsungRepeat = {kSamsung.leaderMark, kSamsung.leaderSpace, kSamsung.mark,
                                 kSamsung.one, kSamsung.mark};
    const int32_t period = 108000, gap = 9000;
    table.push_back(
        {QStringLiteral("NEC"), 8, 8, false, 38000, 1, period, gap, buildNec, necRepeat});
    table.push_back(
        {QStringLiteral("NECext"), 16, 16, false, 38000, 1, period, gap, buildNec, necRepeat});
    table.push_back(
        {QStringLiteral("NEC42"), 13, 8, false, 38000, 1, period, gap, buildNec, necRepeat});
    table.push_back(
        {QStringLiteral("NEC42ext"), 26, 16, false, 38000, 1, period, gap, buildNec, necRepeat});
    table.push_back({QStringLiteral("Samsung32"), 8, 8, false, 38000, 1, period, gap, buildSamsung,
                     samsungRepeat});
    // Pioneer sends its whole frame again, at least twice.
    table.push_back({QStringLiteral("Pioneer"), 8, 8, false, 40000, 2, period, gap, buildNec, {}});
}

} // namespace zevo3::protocol
