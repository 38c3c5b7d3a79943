#include "quantiser.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace zevo3 {
namespace {

// More entries than this within the tolerance and the tolerance is widened
// before the nearest entries are merged one by one, so that a signal of 4096
// distinct pairs costs no more than a few passes.
constexpr int kCoarseLimit = 256;

struct Entry {
    int64_t sumMark = 0;
    int64_t sumSpace = 0;
    int64_t count = 0;
    int32_t mark = 0; // rounded means
    int32_t space = 0;

    void add(int64_t m, int64_t s, int64_t n) {
        sumMark += m;
        sumSpace += s;
        count += n;
        mark = int32_t((sumMark + count / 2) / count);
        space = int32_t((sumSpace + count / 2) / count);
    }
};

struct Pair {
    int32_t mark;
    int32_t space;
};

bool within(int64_t a, int64_t b, int64_t percent, int64_t absolute) {
    const int64_t d = std::llabs(a - b);
    return d <= absolute || d * 100 <= std::max(a, b) * percent;
}

// The distinct pairs in the order the signal first uses them, with how
// often each stands, and for each pair its distinct one.
struct DistinctPairs {
    std::vector<Pair> pairs;
    std::vector<int64_t> counts;
    std::vector<int> of;
};

DistinctPairs distinctPairs(const std::vector<Pair> &pairs) {
    DistinctPairs d;
    QHash<quint64, int> index;
    index.reserve(qsizetype(std::min<size_t>(pairs.size(), 1024)));
    d.of.resize(pairs.size());
    for (size_t k = 0; k < pairs.size(); ++k) {
        const quint64 key = quint64(quint32(pairs[k].mark)) << 32 | quint32(pairs[k].space);
        auto it = index.constFind(key);
        if (it == index.constEnd()) {
            it = index.insert(key, int(d.pairs.size()));
            d.pairs.push_back(pairs[k]);
            d.counts.push_back(0);
        }
        ++d.counts[size_t(*it)];
        d.of[k] = *it;
    }
    return d;
}

// Groups the distinct pairs within the tolerance (equal pairs always share
// an entry, and count as often as they stand); false when more than
// kCoarseLimit groups would be needed.
bool group(const DistinctPairs &distinct, int64_t percent, int64_t absolute,
           std::vector<Entry> &entries, std::vector<int> &of) {
    entries.clear();
    std::vector<int> entryOf(distinct.pairs.size(), 0);
    for (size_t k = 0; k < distinct.pairs.size(); ++k) {
        const Pair p = distinct.pairs[k];
        int best = -1;
        int64_t bestDistance = 0;
        for (size_t e = 0; e < entries.size(); ++e) {
            const Entry &x = entries[e];
            if (!within(p.mark, x.mark, percent, absolute) ||
                !within(p.space, x.space, percent, absolute))
                continue;
            const int64_t d =
                std::llabs(int64_t(p.mark) - x.mark) + std::llabs(int64_t(p.space) - x.space);
            if (best < 0 || d < bestDistance) {
                best = int(e);
                bestDistance = d;
            }
        }
        if (best < 0) {
            if (int(entries.size()) == kCoarseLimit) return false;
            entries.push_back({});
            best = int(entries.size()) - 1;
        }
        const int64_t n = distinct.counts[k];
        entries[size_t(best)].add(p.mark * n, p.space * n, n);
        entryOf[k] = best;
    }
    of.resize(distinct.of.size());
    for (size_t k = 0; k < of.size(); ++k)
        of[k] = entryOf[size_t(distinct.of[k])];
    return true;
}

// How far apart two entries are, relative to their size.
double distance(const Entry &a, const Entry &b) {
    const auto part = [](int32_t x, int32_t y) {
        const int32_t larger = std::max({x, y, 1});
        return double(std::abs(x - y)) / double(larger);
    };
    return std::max(part(a.mark, b.mark), part(a.space, b.space));
}

Quantised refused(QString message) {
    Quantised q;
    q.message = std::move(message);
    return q;
}

// The (mark, space) pairs of the durations, the closing space after a last
// mark; empty, or why a pair is beyond the unit's limits.
QString pairsOf(const std::vector<int32_t> &d, int32_t closingSpaceUs, std::vector<Pair> *pairs) {
    const size_t pairCount = (d.size() + 1) / 2;
    pairs->resize(pairCount);
    for (size_t k = 0; k < pairCount; ++k) {
        const int32_t mark = d[2 * k];
        const int32_t space = 2 * k + 1 < d.size() ? d[2 * k + 1] : closingSpaceUs;
        const int number = int(k) + 1;
        if (mark < 1) return QStringLiteral("pair %1: a mark of %2 µs").arg(number).arg(mark);
        if (space < 1) return QStringLiteral("pair %1: a space of %2 µs").arg(number).arg(space);
        if (mark > kMaxHighUs)
            return QStringLiteral("pair %1: a mark of %2 µs is longer than 99999 µs")
                .arg(number)
                .arg(mark);
        if (int64_t(mark) + space > kMaxWidthUs)
            return QStringLiteral("pair %1: mark and space of %2 µs are longer than 999999 µs")
                .arg(number)
                .arg(int64_t(mark) + space);
        (*pairs)[k] = {mark, space};
    }
    return {};
}

// Merges the two nearest entries, the later into the earlier (so that the
// entries stay in the order the signal first uses them), while more than 16
// remain. For each entry before, the one it became.
std::vector<int> mergeToSixteen(std::vector<Entry> &entries) {
    std::vector<int> renumber(entries.size());
    for (size_t e = 0; e < renumber.size(); ++e)
        renumber[e] = int(e);
    while (entries.size() > size_t(WaveInfo::kPatterns)) {
        size_t bi = 0, bj = 1;
        double best = distance(entries[0], entries[1]);
        for (size_t i = 0; i < entries.size(); ++i)
            for (size_t j = i + 1; j < entries.size(); ++j) {
                const double x = distance(entries[i], entries[j]);
                if (x < best) {
                    best = x;
                    bi = i;
                    bj = j;
                }
            }
        entries[bi].add(entries[bj].sumMark, entries[bj].sumSpace, entries[bj].count);
        entries.erase(entries.begin() + std::ptrdiff_t(bj));
        for (int &r : renumber) {
            if (r == int(bj))
                r = int(bi);
            else if (r > int(bj))
                --r;
        }
    }
    return renumber;
}

} // namespace

QString carrierText(int carry) {
    return QStringLiteral("%1.%2 kHz").arg(carry / 10).arg(carry % 10);
}

Quantised quantise(const FlatSignal &signal, const QuantiseOptions &options, int32_t gapUs) {
    const std::vector<int32_t> &d = signal.durations;
    if (d.empty()) return refused(QStringLiteral("the signal has no durations"));
    if (signal.carrierHz <= 0)
        return refused(QStringLiteral("the signal has no carrier (%1 Hz)").arg(signal.carrierHz));
    const int64_t carry = (int64_t(signal.carrierHz) + 50) / 100;
    if (carry < kMinCarry || carry > kMaxCarry)
        return refused(
            QStringLiteral("carrier %1 Hz is outside 10.0 to 99.9 kHz").arg(signal.carrierHz));
    const size_t pairCount = (d.size() + 1) / 2;
    if (pairCount > size_t(WaveInfo::kPcodes))
        return refused(QStringLiteral("%1 mark/space pairs, more than the %2 a code holds")
                           .arg(pairCount)
                           .arg(WaveInfo::kPcodes));

    Quantised q;
    q.carrierHz = signal.carrierHz;
    q.carrierRounded = carry * 100 != signal.carrierHz;
    if (d.size() % 2 != 0) q.closingSpaceUs = gapUs > 0 ? gapUs : options.closingSpaceUs;

    std::vector<Pair> pairs;
    const QString bad = pairsOf(d, q.closingSpaceUs, &pairs);
    if (!bad.isEmpty()) return refused(bad);

    std::vector<Entry> entries;
    std::vector<int> of;
    int64_t percent = std::max(0, options.tolerancePercent);
    int64_t absolute = std::max(0, options.toleranceUs);
    const DistinctPairs distinct = distinctPairs(pairs);
    const bool inTolerance = group(distinct, percent, absolute, entries, of);
    if (!inTolerance) {
        // Too many for the tolerance: widen it until few enough remain. Every
        // widening merges entries, so it counts as merging.
        while (!group(distinct, percent, absolute, entries, of)) {
            percent = std::max<int64_t>(1, percent) * 2;
            absolute = std::max<int64_t>(1, absolute) * 2;
        }
        q.merges = 1;
    }
    const size_t grouped = entries.size();
    const std::vector<int> renumber = mergeToSixteen(entries);
    if (inTolerance)
        q.merges = int(grouped - entries.size());
    else
        q.merges += int(grouped - entries.size());

    WaveInfo &info = q.info;
    info.Carry = int32_t(carry);
    info.DataBits = int32_t(pairCount);
    for (size_t e = 0; e < entries.size(); ++e) {
        info.High[e] = entries[e].mark;
        info.Width[e] = entries[e].mark + entries[e].space;
    }
    for (size_t k = 0; k < pairCount; ++k) {
        const int e = renumber[size_t(of[k])];
        info.Pcode[k] = uint8_t(e);
        const auto deviate = [&q](int32_t input, int32_t stored) {
            const int dev = std::abs(input - stored);
            q.maxDeviationUs = std::max(q.maxDeviationUs, dev);
            q.maxDeviationPercent =
                std::max(q.maxDeviationPercent, 100.0 * double(dev) / double(input));
        };
        deviate(pairs[k].mark, entries[size_t(e)].mark);
        deviate(pairs[k].space, entries[size_t(e)].space);
    }
    q.pairs = int(pairCount);
    q.entries = int(entries.size());
    q.ok = true;
    return q;
}

std::vector<QString> Quantised::notes() const {
    std::vector<QString> out;
    if (!ok) return out;
    if (carrierRounded)
        out.push_back(QStringLiteral("carrier %1 Hz stored as %2")
                          .arg(carrierHz)
                          .arg(carrierText(info.Carry)));
    if (closingSpaceUs > 0)
        out.push_back(QStringLiteral("a closing space of %1 µs added after the last mark")
                          .arg(closingSpaceUs));
    if (merges > 0)
        out.push_back(QStringLiteral("pattern entries merged to fit 16; durations moved by up to "
                                     "%1 µs (%2 %)")
                          .arg(maxDeviationUs)
                          .arg(maxDeviationPercent, 0, 'f', 1));
    return out;
}

} // namespace zevo3
