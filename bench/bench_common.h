#pragma once
// Small helpers shared by the benchmark programs: options, percentiles and
// the "@summary" lines that bench/run-all collects.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace zevo3::bench {

// "--name VALUE" from the command line, or fallback.
inline const char *option(int argc, char **argv, const char *name, const char *fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
    return fallback;
}

inline long optionNumber(int argc, char **argv, const char *name, long fallback) {
    const char *text = option(argc, argv, name, nullptr);
    if (!text) return fallback;
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end && *end == '\0' && value > 0 ? value : fallback;
}

// Nearest-rank percentile of sorted values, p in [0, 100].
template <typename T> T percentile(const std::vector<T> &sorted, double p) {
    if (sorted.empty()) return T{};
    const double rank = std::ceil(p / 100.0 * double(sorted.size()));
    const std::size_t index = std::min(sorted.size() - 1, std::size_t(std::max(1.0, rank)) - 1);
    return sorted[index];
}

// One row of the summary table: benchmark, measure, value, target ("-" for none).
inline void summary(const char *bench, const char *measure, const std::string &value,
                    const char *target = "-") {
    std::printf("@summary\t%s\t%s\t%s\t%s\n", bench, measure, value.c_str(), target);
}

inline std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace zevo3::bench
