#include "flat_signal.h"

#include <algorithm>

namespace zevo3 {

FlatSignal flatSignalOf(const WaveInfo &info) {
    FlatSignal signal;
    signal.carrierHz = info.Carry * 100;
    const int count = std::clamp<int>(info.DataBits, 0, WaveInfo::kPcodes);
    signal.durations.reserve(size_t(count) * 2);
    for (int k = 0; k < count; ++k) {
        const int e = info.Pcode[size_t(k)] & 0x0F;
        const int32_t high = info.High[size_t(e)];
        signal.durations.push_back(high);
        signal.durations.push_back(std::max<int32_t>(0, info.Width[size_t(e)] - high));
    }
    return signal;
}

bool InterchangeRead::ok() const {
    return std::none_of(notes.begin(), notes.end(),
                        [](const InterchangeNote &n) { return n.error; });
}

QString InterchangeRead::firstError() const {
    for (const InterchangeNote &n : notes)
        if (n.error) return n.message;
    return {};
}

bool refuseEmptyCode(const InterchangeCode &code, size_t index, InterchangeWrite &write) {
    if (!code.signal.durations.empty() && code.signal.carrierHz > 0) return false;
    write.notes.push_back({0,
                           QStringLiteral("code %1: %2")
                               .arg(index + 1)
                               .arg(code.signal.durations.empty() ? QStringLiteral("no durations")
                                                                  : QStringLiteral("no carrier")),
                           true});
    return true;
}

} // namespace zevo3
