// SIRC, SIRC15 and SIRC20 at 40 kHz: pulse width, a 2.4 ms leader, 600 µs
// spaces, marks of 600 µs for a 0 and 1200 µs for a 1; the 7-bit command,
// then the 5-, 8- or 13-bit address, LSB first.

#include "protocol_table.h"

namespace zevo3::protocol {
namespace {

constexpr int32_t kLeader = 2400, kSpace = 600, kOne = 1200, kZero = 600;

} // namespace

FrameCode sircFrame(const FrameView &f, int) {
    if (f.empty() || !near(f[0], kLeader) || f.size() % 2 == 0) return missed(0);
    const int bits = int(f.size() - 1) / 2;
    if (bits != 12 && bits != 15 && bits != 20)
        return missedBecause(1, [&] {
            return QStringLiteral("SIRC: a frame of %1 bits, not 12, 15 or 20").arg(bits);
        });
    uint32_t value = 0;
    for (int k = 0; k < bits; ++k) {
        const int32_t s = f[size_t(1 + 2 * k)];
        const int32_t m = f[size_t(2 + 2 * k)];
        if (!near(s, kSpace))
            return missedBecause(1, [&] {
                return QStringLiteral("SIRC: bit %1: a space of %2 µs where 600 µs belong")
                    .arg(k + 1)
                    .arg(s);
            });
        if (near(m, kOne))
            value |= 1u << k;
        else if (!near(m, kZero))
            return missedBecause(1, [&] {
                return QStringLiteral("SIRC: bit %1: a mark of %2 µs is neither 600 nor "
                                      "1200 µs")
                    .arg(k + 1)
                    .arg(m);
            });
    }
    const QString name = bits == 12   ? QStringLiteral("SIRC")
                         : bits == 15 ? QStringLiteral("SIRC15")
                                      : QStringLiteral("SIRC20");
    return found(name, value >> 7, value & 0x7F);
}

namespace {

std::vector<Frame> buildSirc(const ProtocolEntry &e, uint32_t address, uint32_t command, int) {
    const uint32_t bits = command | address << 7;
    Frame f = {kLeader};
    for (int k = 0; k < 7 + e.addressBits; ++k)
        f.insert(f.end(), {kSpace, (bits >> k) & 1 ? kOne : kZero});
    return {f};
}

} // namespace

void addSirc(std::vector<ProtocolEntry> &table) {
    // The shared signal files send a SIRC code at least three times.
    for (const auto &[name, bits] : {std::pair{"SIRC", 5}, {"SIRC15", 8}, {"SIRC20", 13}})
        table.push_back(
            {QLatin1String(name), bits, 7, false, 40000, 3, 45000, 9000, buildSirc, {}});
}

} // namespace zevo3::protocol
