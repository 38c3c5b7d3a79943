// JVC, Kaseikyo, RCA and Sharp: pulse-distance codes of their own timings.

#include "protocol_table.h"

namespace zevo3::protocol {
namespace {

// JVC, 38 kHz: 8.4 ms / 4.2 ms leader (left out of the frames after the
// first by many remotes), 526 µs marks, 526 or 1578 µs spaces, 8-bit
// address and 8-bit command LSB first.
constexpr PulseDistance kJvc = {"JVC", 8400, 4200, 526, 526, 1578};
// Kaseikyo, 37 kHz: 3456 µs / 1728 µs leader, 432 µs marks, 432 or 1296 µs
// spaces, 48 bits LSB first.
constexpr PulseDistance kKaseikyo = {"Kaseikyo", 3456, 1728, 432, 432, 1296};
// RCA, 56 kHz: 4 ms / 4 ms leader, 500 µs marks, 1000 or 2000 µs spaces,
// 4-bit address and 8-bit command MSB first, then both complemented.
constexpr PulseDistance kRca = {"RCA", 4000, 4000, 500, 1000, 2000, true};
// Sharp, 38 kHz: no leader, 320 µs marks, 680 or 1680 µs spaces; 5-bit
// address, 8-bit command, an expansion and a check bit, LSB first; the
// second half 40 ms later with the command, expansion and check inverted.
constexpr PulseDistance kSharp = {"Sharp", 0, 0, 320, 680, 1680};

} // namespace

FrameCode jvcFrame(const FrameView &f, int) {
    const bool leader = hasLeader(f, kJvc);
    if (!leader && (f.size() != 33 || !near(f[0], kJvc.mark) ||
                    (!near(f[1], kJvc.zero) && !near(f[1], kJvc.one))))
        return missed(0);
    FrameCode miss;
    const std::optional<uint64_t> value = readFrameBits(f, kJvc, leader, 16, &miss);
    if (!value) return miss;
    return found(QStringLiteral("JVC"), bitsOf(*value, 0, 8), bitsOf(*value, 8, 8));
}

namespace {

uint32_t kaseikyoParity(uint32_t vendor) {
    return (vendor ^ vendor >> 4 ^ vendor >> 8 ^ vendor >> 12) & 0xF;
}

// Bits 0-15 the vendor, 16-19 its parity, 20-23 genre 1, 24-27 genre 2,
// 28-37 the command, 38-39 the id, 40-47 the checksum of bytes 2 to 4.
uint64_t kaseikyoBits(uint32_t address, uint32_t command) {
    const uint32_t vendor = (address >> 8) & 0xFFFF, id = (address >> 24) & 3;
    const uint32_t genre1 = (address >> 4) & 0xF, genre2 = address & 0xF;
    uint64_t bits = uint64_t(vendor) | uint64_t(kaseikyoParity(vendor)) << 16 |
                    uint64_t(genre1) << 20 | uint64_t(genre2) << 24 |
                    uint64_t(command & 0x3FF) << 28 | uint64_t(id) << 38;
    const uint32_t sum = bitsOf(bits, 16, 8) ^ bitsOf(bits, 24, 8) ^ bitsOf(bits, 32, 8);
    return bits | uint64_t(sum) << 40;
}

} // namespace

FrameCode kaseikyoFrame(const FrameView &f, int) {
    if (!hasLeader(f, kKaseikyo)) return missed(0);
    FrameCode miss;
    const std::optional<uint64_t> value = readFrameBits(f, kKaseikyo, true, 48, &miss);
    if (!value) return miss;
    const uint32_t vendor = bitsOf(*value, 0, 16);
    const uint32_t parity = bitsOf(*value, 16, 4);
    if (parity != kaseikyoParity(vendor))
        return missedBecause(2, [&] {
            return QStringLiteral("Kaseikyo: the vendor parity %1 disagrees with vendor %2")
                .arg(hexByte(parity, 1), hexByte(vendor, 4));
        });
    const uint32_t sum = bitsOf(*value, 40, 8);
    const uint32_t expected = bitsOf(*value, 16, 8) ^ bitsOf(*value, 24, 8) ^ bitsOf(*value, 32, 8);
    if (sum != expected)
        return missedBecause(2, [&] {
            return QStringLiteral("Kaseikyo: the checksum %1 disagrees (%2 belongs)")
                .arg(hexByte(sum), hexByte(expected));
        });
    const uint32_t address = bitsOf(*value, 38, 2) << 24 | vendor << 8 |
                             bitsOf(*value, 20, 4) << 4 | bitsOf(*value, 24, 4);
    return found(QStringLiteral("Kaseikyo"), address, bitsOf(*value, 28, 10));
}

FrameCode rcaFrame(const FrameView &f, int) {
    if (!hasLeader(f, kRca)) return missed(0);
    FrameCode miss;
    const std::optional<uint64_t> value = readFrameBits(f, kRca, true, 24, &miss);
    if (!value) return miss;
    // MSB first: the address in bits 20-23, the command in 12-19, then both
    // complemented.
    const uint32_t address = bitsOf(*value, 20, 4), command = bitsOf(*value, 12, 8);
    const uint32_t addressInverse = bitsOf(*value, 8, 4), commandInverse = bitsOf(*value, 0, 8);
    if ((address ^ 0xFu) != addressInverse)
        return missedBecause(2, [&] {
            return QStringLiteral("RCA: address %1 and its complement %2 disagree")
                .arg(hexByte(address, 1), hexByte(addressInverse, 1));
        });
    if ((command ^ 0xFFu) != commandInverse)
        return missedBecause(2, [&] {
            return QStringLiteral("RCA: command %1 and its complement %2 disagree")
                .arg(hexByte(command), hexByte(commandInverse));
        });
    return found(QStringLiteral("RCA"), address, command);
}

FrameCode sharpFrame(const FrameView &f, int) {
    if (f.size() != 31 || !near(f[0], kSharp.mark) ||
        (!near(f[1], kSharp.zero) && !near(f[1], kSharp.one)))
        return missed(0);
    FrameCode miss;
    const std::optional<uint64_t> value = readFrameBits(f, kSharp, false, 15, &miss);
    if (!value) return miss;
    const uint32_t address = bitsOf(*value, 0, 5), command = bitsOf(*value, 5, 8);
    const uint32_t expansion = bitsOf(*value, 13, 1), check = bitsOf(*value, 14, 1);
    if (expansion == check)
        return missed(
            2, QStringLiteral("Sharp: the expansion and check bits are both %1").arg(expansion));
    FrameCode code = found(QStringLiteral("Sharp"), address, expansion ? command : command ^ 0xFF);
    code.half = expansion ? 1 : 2;
    return code;
}

namespace {

std::vector<Frame> buildJvc(const ProtocolEntry &, uint32_t address, uint32_t command, int) {
    return {pulseDistanceFrame(kJvc, true, address | command << 8, 16)};
}

std::vector<Frame> buildKaseikyo(const ProtocolEntry &, uint32_t address, uint32_t command, int) {
    return {pulseDistanceFrame(kKaseikyo, true, kaseikyoBits(address, command), 48)};
}

std::vector<Frame> buildRca(const ProtocolEntry &, uint32_t address, uint32_t command, int) {
    const uint64_t bits = uint64_t(address) << 20 | uint64_t(command) << 12 |
                          (address ^ 0xFu) << 8 | (command ^ 0xFFu);
    return {pulseDistanceFrame(kRca, true, bits, 24)};
}

std::vector<Frame> buildSharp(const ProtocolEntry &, uint32_t address, uint32_t command, int) {
    const uint64_t first = address | command << 5 | 1u << 13;
    const uint64_t second = address | (command ^ 0xFFu) << 5 | 1u << 14;
    return {pulseDistanceFrame(kSharp, false, first, 15),
            pulseDistanceFrame(kSharp, false, second, 15)};
}

} // namespace

void addPulseDistanceOthers(std::vector<ProtocolEntry> &table) {
    table.push_back(
        {QStringLiteral("Kaseikyo"), 26, 10, false, 37000, 1, 130000, 9000, buildKaseikyo, {}});
    table.push_back({QStringLiteral("RCA"), 4, 8, false, 56000, 1, 0, 8000, buildRca, {}});
    table.push_back({QStringLiteral("JVC"), 8, 8, false, 38000, 1, 55000, 9000, buildJvc, {}});
    table.push_back({QStringLiteral("Sharp"), 5, 8, false, 38000, 1, 0, 40000, buildSharp, {}});
}

} // namespace zevo3::protocol
