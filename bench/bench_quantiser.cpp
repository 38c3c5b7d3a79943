// The import of many raw codes: 10 000 codes of 200 durations each (NEC-like
// frames, every duration jittered by up to ±5 %), (a) quantised from their
// flat frames, and (b) read from one raw text of 10 000 lines and then
// quantised, as an import does. Every code must come back with the entries
// of its clean frame: one that does not counts as data lost and fails.
//
//   bench_quantiser [--codes 10000] [--rounds 7]

#include "bench_common.h"
#include "quantiser.h"
#include "raw_format.h"

#include <chrono>
#include <cstdint>

using namespace zevo3;
using namespace zevo3::bench;

namespace {

constexpr const char *kBench = "quantiser";
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// 200 durations: leader 9000/4500, 98 bits of 560 with 560 or 1690, and
// the closing 560/40000; bits and jitter from a small generator.
FlatSignal jitteredFrame(uint32_t seed) {
    uint32_t state = seed * 2654435761u + 1;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    FlatSignal s;
    s.carrierHz = 38000;
    std::vector<int32_t> clean = {9000, 4500};
    for (int k = 0; k < 98; ++k)
        clean.insert(clean.end(), {560, next() % 2 ? 1690 : 560});
    clean.insert(clean.end(), {560, 40000});
    for (const int32_t d : clean)
        s.durations.push_back(int32_t(d * (95 + int(next() % 11)) / 100));
    return s;
}

} // namespace

int main(int argc, char **argv) {
    const long codes = optionNumber(argc, argv, "--codes", 10000);
    const long rounds = optionNumber(argc, argv, "--rounds", 7);
    std::vector<FlatSignal> frames;
    std::vector<InterchangeCode> asCodes;
    for (long i = 0; i < codes; ++i) {
        frames.push_back(jitteredFrame(uint32_t(i)));
        asCodes.push_back({QString(), frames.back(), 0, 0});
    }
    const QByteArray text = writeRaw(asCodes).bytes;
    std::printf("%ld codes of %zu durations, raw text %lld bytes\n", codes,
                frames.front().durations.size(), static_cast<long long>(text.size()));

    const auto good = [](const Quantised &q) {
        return q.ok && q.entries <= 4 && q.merges == 0 && q.info.DataBits == 100;
    };
    std::vector<double> quantiseMs, importMs;
    long lost = 0;
    for (long r = 0; r < rounds + 1; ++r) {
        auto start = Clock::now();
        for (const FlatSignal &s : frames)
            lost += good(quantise(s)) ? 0 : 1;
        const double a = msSince(start);

        start = Clock::now();
        const InterchangeRead read = readRaw(text);
        if (!read.ok() || read.codes.size() != size_t(codes)) ++lost;
        for (const InterchangeCode &c : read.codes)
            lost += good(quantise(c.signal)) ? 0 : 1;
        const double b = msSince(start);
        if (r == 0) continue; // warm-up
        quantiseMs.push_back(a);
        importMs.push_back(b);
    }
    std::sort(quantiseMs.begin(), quantiseMs.end());
    std::sort(importMs.begin(), importMs.end());
    std::printf("(a) quantise %ld frames: min %.2f  median %.2f  max %.2f ms\n", codes,
                quantiseMs.front(), percentile(quantiseMs, 50), quantiseMs.back());
    std::printf("(b) read raw text + quantise: min %.2f  median %.2f  max %.2f ms\n",
                importMs.front(), percentile(importMs, 50), importMs.back());
    std::printf("codes that did not come back clean: %ld\n", lost);
    summary(kBench, "(a) quantise 10000 codes, median ms", fixed(percentile(quantiseMs, 50), 2),
            "< 200");
    summary(kBench, "(b) read raw + quantise 10000 codes, median ms",
            fixed(percentile(importMs, 50), 2), "< 200");
    summary(kBench, "codes not clean", std::to_string(lost), "0");
    return lost == 0 ? 0 : 1;
}
