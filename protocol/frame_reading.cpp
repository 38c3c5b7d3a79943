#include "frame_reading.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zevo3::protocol {

bool near(int32_t duration, int32_t published) {
    const int64_t tolerance = std::max<int64_t>(int64_t(published) * 25 / 100, 100);
    return std::llabs(int64_t(duration) - published) <= tolerance;
}

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

FrameCode found(QString protocol, uint32_t address, uint32_t command, int toggle) {
    FrameCode f;
    f.protocol = std::move(protocol);
    f.address = address;
    f.command = command;
    f.toggle = toggle;
    return f;
}

uint32_t bitsOf(uint64_t bits, int first, int count) {
    return uint32_t((bits >> first) & ((uint64_t(1) << count) - 1));
}

QString hexByte(uint32_t value, int digits) {
    return QStringLiteral("0x%1").arg(value, digits, 16, QLatin1Char('0'));
}

bool hasLeader(const FrameView &f, const PulseDistance &code) {
    return f.size() >= 3 && near(f[0], code.leaderMark) && near(f[1], code.leaderSpace);
}

int bitCount(const FrameView &f, bool leader) {
    const size_t head = leader ? 2 : 0;
    if (f.size() < head + 1 || (f.size() - head) % 2 == 0) return -1;
    return int(f.size() - head - 1) / 2;
}

std::optional<uint64_t> readPulseDistance(const FrameView &f, const PulseDistance &code,
                                          bool leader, int bits, QString *why) {
    const size_t head = leader ? 2 : 0;
    uint64_t value = 0;
    for (int k = 0; k < bits; ++k) {
        const int32_t m = f[head + size_t(2 * k)];
        const int32_t s = f[head + size_t(2 * k + 1)];
        if (!near(m, code.mark)) {
            if (explainMisses)
                *why = QStringLiteral("bit %1: a mark of %2 µs where %3 µs belong")
                           .arg(k + 1)
                           .arg(m)
                           .arg(code.mark);
            return std::nullopt;
        }
        const int at = code.msbFirst ? bits - 1 - k : k;
        if (near(s, code.one) &&
            (!near(s, code.zero) || std::abs(s - code.one) < std::abs(s - code.zero)))
            value |= uint64_t(1) << at;
        else if (!near(s, code.zero)) {
            if (explainMisses)
                *why = QStringLiteral("bit %1: a space of %2 µs is neither %3 nor %4 µs")
                           .arg(k + 1)
                           .arg(s)
                           .arg(code.zero)
                           .arg(code.one);
            return std::nullopt;
        }
    }
    if (!near(f.back(), code.mark)) {
        if (explainMisses)
            *why = QStringLiteral("the stop mark of %1 µs where %2 µs belong")
                       .arg(f.back())
                       .arg(code.mark);
        return std::nullopt;
    }
    return value;
}

std::optional<uint64_t> readFrameBits(const FrameView &f, const PulseDistance &code, bool leader,
                                      int bits, FrameCode *miss) {
    const int count = bitCount(f, leader);
    if (count != bits) {
        *miss = missedBecause(1, [&] {
            return QStringLiteral("%1: a frame of %2 bits, not %3")
                .arg(QLatin1String(code.name))
                .arg(count)
                .arg(bits);
        });
        return std::nullopt;
    }
    QString why;
    const std::optional<uint64_t> value = readPulseDistance(f, code, leader, bits, &why);
    if (!value)
        *miss =
            missedBecause(1, [&] { return QLatin1String(code.name) + QStringLiteral(": ") + why; });
    return value;
}

Frame pulseDistanceFrame(const PulseDistance &code, bool leader, uint64_t bits, int count) {
    Frame f;
    if (leader) f = {code.leaderMark, code.leaderSpace};
    for (int k = 0; k < count; ++k) {
        const int at = code.msbFirst ? count - 1 - k : k;
        f.insert(f.end(), {code.mark, (bits >> at) & 1 ? code.one : code.zero});
    }
    f.push_back(code.mark);
    return f;
}

void appendFrame(std::vector<int32_t> &d, const Frame &frame, int32_t period, int32_t gap) {
    int64_t length = 0;
    for (int32_t x : frame)
        length += x;
    d.insert(d.end(), frame.begin(), frame.end());
    d.push_back(int32_t(std::max<int64_t>(period - length, gap)));
}

std::vector<bool> levelsOf(const FrameView &f, int32_t unit, int maxUnits, QString *why) {
    std::vector<bool> levels;
    for (size_t i = 0; i < f.size(); ++i) {
        const int units = int(std::lround(double(f[i]) / unit));
        if (units < 1 || units > maxUnits || !near(f[i], units * unit)) {
            if (explainMisses)
                *why = QStringLiteral("a %1 of %2 µs is no whole number of %3 µs half-bits")
                           .arg(i % 2 == 0 ? QStringLiteral("mark") : QStringLiteral("space"))
                           .arg(f[i])
                           .arg(unit);
            return {};
        }
        levels.insert(levels.end(), size_t(units), i % 2 == 0);
    }
    return levels;
}

Frame framesOfLevels(const std::vector<bool> &levels, int32_t unit) {
    Frame f;
    for (size_t i = 0; i < levels.size(); ++i) {
        if (i > 0 && levels[i] == levels[i - 1])
            f.back() += unit;
        else
            f.push_back(unit);
    }
    return f;
}

} // namespace zevo3::protocol
