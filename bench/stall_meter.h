#pragma once
// How long the event loop of this thread was kept from running: the gaps
// between the ticks of a 1 ms timer while something runs on the loop.

#include "bench_common.h"

#include <QObject>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <vector>

namespace zevo3::bench {

class StallMeter {
public:
    using Clock = std::chrono::steady_clock;

    StallMeter() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start() {
        gaps_.clear();
        last_ = Clock::now();
        timer_.start();
    }
    void stop() {
        tick();
        timer_.stop();
    }
    double maxMs() const {
        return gaps_.empty() ? 0.0 : *std::max_element(gaps_.begin(), gaps_.end());
    }
    double percentileMs(double p) const {
        std::vector<double> sorted = gaps_;
        std::sort(sorted.begin(), sorted.end());
        return percentile(sorted, p);
    }
    long over(double ms) const {
        return long(std::count_if(gaps_.begin(), gaps_.end(), [ms](double g) { return g > ms; }));
    }
    std::size_t ticks() const { return gaps_.size(); }

private:
    void tick() {
        const auto now = Clock::now();
        gaps_.push_back(std::chrono::duration<double, std::milli>(now - last_).count());
        last_ = now;
    }
    QTimer timer_;
    Clock::time_point last_;
    std::vector<double> gaps_;
};

} // namespace zevo3::bench
