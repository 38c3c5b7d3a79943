// The biphase codes at 36 kHz: RC5 and RC5X (889 µs half-bits, a 1 is space
// then mark) and RC6 mode 0 (444 µs half-bits, a 1 is mark then space, a
// 6 + 2 unit leader and a double-width toggle bit). MSB first.

#include "protocol_table.h"

namespace zevo3::protocol {
namespace {

constexpr int32_t kRc5Half = 889;
constexpr int kRc5Bits = 14;
constexpr int32_t kRc6Unit = 444;
constexpr int kRc6Levels = 8 + 2 + 6 + 4 + 32; // leader, start, mode, toggle, 16 bits

// Reads `count` biphase bits at `at`; a 1 is the level pair (one, !one).
std::optional<uint32_t> biphaseBits(const std::vector<bool> &levels, size_t at, int count,
                                    bool oneFirst) {
    uint32_t value = 0;
    for (int k = 0; k < count; ++k, at += 2) {
        if (levels[at] == levels[at + 1]) return std::nullopt;
        value = value << 1 | (levels[at] == oneFirst ? 1u : 0u);
    }
    return value;
}

void appendBiphase(std::vector<bool> &levels, uint32_t bits, int count, bool oneFirst) {
    for (int k = count - 1; k >= 0; --k) {
        const bool one = (bits >> k) & 1;
        levels.push_back(one == oneFirst);
        levels.push_back(one != oneFirst);
    }
}

} // namespace

FrameCode rc5Frame(const FrameView &f, int) {
    if (f.size() > 2 * kRc5Bits || f.empty()) return missed(0);
    if (!near(f[0], kRc5Half) && !near(f[0], 2 * kRc5Half)) return missed(0);
    QString why;
    // The frame's first bit is a 1, space then mark, and its space half is
    // not seen.
    std::vector<bool> levels = levelsOf(f, kRc5Half, 2, &why);
    if (levels.empty()) return missedBecause(1, [&] { return QStringLiteral("RC5: ") + why; });
    levels.insert(levels.begin(), false);
    // A last 0 (mark then space) ends in the gap.
    if (levels.size() == 2 * kRc5Bits - 1) levels.push_back(false);
    if (levels.size() != 2 * kRc5Bits)
        return missed(f.size() > 10 ? 1 : 0,
                      QStringLiteral("RC5: %1 half-bits, not 28").arg(levels.size()));
    const std::optional<uint32_t> value = biphaseBits(levels, 0, kRc5Bits, false);
    if (!value)
        return missedBecause(1, [&] { return QStringLiteral("RC5: a bit has no level change"); });
    const bool field = (*value >> 12) & 1;
    return found(field ? QStringLiteral("RC5") : QStringLiteral("RC5X"), (*value >> 6) & 0x1F,
                 (*value & 0x3F) | (field ? 0u : 0x40u), int((*value >> 11) & 1));
}

FrameCode rc6Frame(const FrameView &f, int) {
    if (f.size() < 3 || !near(f[0], 6 * kRc6Unit) || !near(f[1], 2 * kRc6Unit)) return missed(0);
    // The leader, once within its tolerance, is its 6 + 2 units: only the
    // bits after it are counted in half-bits.
    QString why;
    const std::vector<bool> bits = levelsOf({f.data + 2, f.count - 2}, kRc6Unit, 3, &why);
    if (bits.empty()) return missedBecause(1, [&] { return QStringLiteral("RC6: ") + why; });
    std::vector<bool> levels = {true, true, true, true, true, true, false, false};
    levels.insert(levels.end(), bits.begin(), bits.end());
    // A last 1 (mark then space) ends in the gap.
    if (levels.size() == kRc6Levels - 1) levels.push_back(false);
    if (levels.size() != kRc6Levels)
        return missedBecause(1, [&] {
            return QStringLiteral("RC6: %1 half-bits, not %2").arg(levels.size()).arg(kRc6Levels);
        });
    const std::optional<uint32_t> start = biphaseBits(levels, 8, 1, true);
    const std::optional<uint32_t> mode = biphaseBits(levels, 10, 3, true);
    if (start != 1u)
        return missedBecause(1,
                             [&] { return QStringLiteral("RC6: no start bit after the leader"); });
    if (mode != 0u) return missedBecause(1, [&] { return QStringLiteral("RC6: not mode 0"); });
    const bool t0 = levels[16], t1 = levels[17], t2 = levels[18], t3 = levels[19];
    if (t0 != t1 || t2 != t3 || t0 == t2)
        return missedBecause(
            1, [&] { return QStringLiteral("RC6: the toggle bit is not of double width"); });
    const std::optional<uint32_t> value = biphaseBits(levels, 20, 16, true);
    if (!value)
        return missedBecause(1, [&] { return QStringLiteral("RC6: a bit has no level change"); });
    return found(QStringLiteral("RC6"), *value >> 8, *value & 0xFF, t0 ? 1 : 0);
}

namespace {

std::vector<Frame> buildRc5(const ProtocolEntry &e, uint32_t address, uint32_t command,
                            int toggle) {
    const bool field = e.name == QLatin1String("RC5") || command < 0x40;
    const uint32_t bits = 1u << 13 | (field ? 1u : 0u) << 12 | uint32_t(toggle) << 11 |
                          address << 6 | (command & 0x3F);
    std::vector<bool> levels;
    appendBiphase(levels, bits, kRc5Bits, false);
    levels.erase(levels.begin()); // the first space half is not sent
    while (!levels.back())
        levels.pop_back(); // nor a last one
    return {framesOfLevels(levels, kRc5Half)};
}

std::vector<Frame> buildRc6(const ProtocolEntry &, uint32_t address, uint32_t command, int toggle) {
    std::vector<bool> levels(6, true);
    levels.insert(levels.end(), {false, false});
    appendBiphase(levels, 0b1000, 4, true); // the start bit and mode 0
    levels.insert(levels.end(), {toggle != 0, toggle != 0, toggle == 0, toggle == 0});
    appendBiphase(levels, address << 8 | command, 16, true);
    while (!levels.back())
        levels.pop_back();
    return {framesOfLevels(levels, kRc6Unit)};
}

} // namespace

void addBiphase(std::vector<ProtocolEntry> &table) {
    table.push_back({QStringLiteral("RC5"), 5, 6, true, 36000, 1, 113778, 9000, buildRc5, {}});
    table.push_back({QStringLiteral("RC5X"), 5, 7, true, 36000, 1, 113778, 9000, buildRc5, {}});
    table.push_back({QStringLiteral("RC6"), 8, 8, true, 36000, 1, 107000, 9000, buildRc6, {}});
}

} // namespace zevo3::protocol
