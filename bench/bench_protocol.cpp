// The protocol decoder over 10 000 signals of mixed protocols (every
// protocol it knows, fields from a small generator, every duration jittered
// by up to ±8 %), after one untimed round. Every signal must decode as the
// code it was built from: one that does not counts as a wrong reading and
// fails the program.
//
//   bench_protocol [--signals 10000] [--rounds 7]

#include "bench_common.h"
#include "ir_protocol.h"

#include <chrono>
#include <cstdint>

using namespace zevo3;
using namespace zevo3::bench;

namespace {

constexpr const char *kBench = "protocol";
using Clock = std::chrono::steady_clock;

struct Sample {
    FlatSignal signal;
    QString protocol;
    uint32_t address, command;
};

std::vector<Sample> samples(long count) {
    const QStringList names = protocolNames();
    uint32_t state = 12345;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    std::vector<Sample> out;
    while (long(out.size()) < count) {
        const QString protocol = names[qsizetype(next() % uint32_t(names.size()))];
        uint32_t address = next() % 32, command = next() % 64;
        if (protocol == QLatin1String("RC5X")) command |= 0x40;
        const EncodedCode e = encodeSignal(protocol, address, command, int(next() % 3));
        if (!e.ok) continue;
        Sample s{e.signal, protocol, address, command};
        for (int32_t &d : s.signal.durations)
            d = int32_t(int64_t(d) * (92 + int(next() % 17)) / 100);
        out.push_back(std::move(s));
    }
    return out;
}

} // namespace

int main(int argc, char **argv) {
    const long count = optionNumber(argc, argv, "--signals", 10000);
    const long rounds = optionNumber(argc, argv, "--rounds", 7);
    const std::vector<Sample> all = samples(count);
    std::vector<double> ms;
    long wrong = 0;
    for (long round = 0; round <= rounds; ++round) {
        long wrongNow = 0;
        const auto t0 = Clock::now();
        for (const Sample &s : all) {
            const DecodedCode d = decodeSignal(s.signal);
            if (d.protocol != s.protocol || d.address != s.address || d.command != s.command)
                ++wrongNow;
        }
        const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        if (round > 0) ms.push_back(elapsed);
        wrong = std::max(wrong, wrongNow);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%ld signals of %lld protocols, %ld rounds\n", count,
                static_cast<long long>(protocolNames().size()), rounds);
    std::printf("decode all: min %.2f  median %.2f  max %.2f ms\n", ms.front(), percentile(ms, 50),
                ms.back());
    std::printf("signals read wrong: %ld\n", wrong);
    summary(kBench, "decode 10000 mixed signals, median ms", fixed(percentile(ms, 50), 2), "< 100");
    summary(kBench, "signals read wrong", std::to_string(wrong), "0");
    return wrong ? 1 : 0;
}
