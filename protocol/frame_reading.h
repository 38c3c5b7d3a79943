#pragma once
// What the protocol readers share: the tolerance of learned durations, the
// frames of a signal, what one frame was read as, and the pulse-distance
// coding most of the protocols use. Internal to the protocol core.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace zevo3::protocol {

// A learned duration matches a published one within 25 % or 100 µs,
// whichever is larger.
bool near(int32_t duration, int32_t published);

// A space this long ends a frame: longer than any space inside a frame of
// these protocols (the longest, a 4.5 ms leader space, with its jitter).
constexpr int32_t kFrameGapUs = 6500;

// One frame of a signal, from its first mark to its last, without the gap
// after it: a view into the signal's durations.
struct FrameView {
    const int32_t *data = nullptr;
    size_t count = 0;

    size_t size() const { return count; }
    bool empty() const { return count == 0; }
    int32_t operator[](size_t i) const { return data[i]; }
    int32_t back() const { return data[count - 1]; }
};

std::vector<FrameView> framesOf(const std::vector<int32_t> &durations);

// What one frame was read as.
struct FrameCode {
    QString protocol; // empty: no protocol
    uint32_t address = 0;
    uint32_t command = 0;
    int toggle = 0;
    bool repeatFrame = false; // the short repeat frame of NEC and Samsung32
    int half = 0;             // Sharp: 1 the first half, 2 the second; 0 a whole frame
    // Without a protocol: how far the frame matched (0: not at all, 1: its
    // leader or length, 2: all but a checked field) and where it did not.
    int closeness = 0;
    QString why;
    size_t source = 0; // the frame of the signal it was read from
};

inline FrameCode missed(int closeness, QString why = {}) {
    FrameCode f;
    f.closeness = closeness;
    f.why = std::move(why);
    return f;
}

// Whether the readers word why a frame missed. Wording costs more than
// reading, so a decode looks for its code without it and words only the
// frame that came nearest when none is a code.
inline thread_local bool explainMisses = true;

class ExplainMisses {
public:
    explicit ExplainMisses(bool on) : before_(explainMisses) { explainMisses = on; }
    ~ExplainMisses() { explainMisses = before_; }
    ExplainMisses(const ExplainMisses &) = delete;
    ExplainMisses &operator=(const ExplainMisses &) = delete;

private:
    bool before_;
};

// A miss whose words are made only while misses are worded.
template <class Words> FrameCode missedBecause(int closeness, Words &&words) {
    return missed(closeness, explainMisses ? QString(words()) : QString());
}
FrameCode found(QString protocol, uint32_t address, uint32_t command, int toggle = 0);

uint32_t bitsOf(uint64_t bits, int first, int count);
QString hexByte(uint32_t value, int digits = 2);

// A pulse-distance code: an optional leader, then each bit a mark and a
// space whose length tells 0 from 1, then a stop mark.
struct PulseDistance {
    const char *name;
    int32_t leaderMark; // 0: no leader
    int32_t leaderSpace;
    int32_t mark;
    int32_t zero;
    int32_t one;
    bool msbFirst = false;
};

// Whether the frame starts with the code's leader.
bool hasLeader(const FrameView &f, const PulseDistance &code);
// The number of bits of a frame with (or without) the leader; -1 when the
// count of durations cannot be such a frame.
int bitCount(const FrameView &f, bool leader);
// The bits after the leader (when `leader`), and the stop mark; nullopt and
// *why ("bit 12: …") when a duration is off.
std::optional<uint64_t> readPulseDistance(const FrameView &f, const PulseDistance &code,
                                          bool leader, int bits, QString *why);

// The bits of a frame that must have exactly `bits` bits after the code's
// leader (when `leader`); nullopt and *miss ("JVC: a frame of 12 bits, not
// 16", or where a duration is off) otherwise.
std::optional<uint64_t> readFrameBits(const FrameView &f, const PulseDistance &code, bool leader,
                                      int bits, FrameCode *miss);

using Frame = std::vector<int32_t>; // a frame being built, first mark to last

Frame pulseDistanceFrame(const PulseDistance &code, bool leader, uint64_t bits, int count);

// Appends a frame and the gap after it: what is left of `period` (start to
// start) after the frame, at least `gap`.
void appendFrame(std::vector<int32_t> &d, const Frame &frame, int32_t period, int32_t gap);

// Durations as whole units of `unit` µs, each within the tolerance of its
// nearest multiple: the half-bit levels of a biphase code (true: mark),
// marks first. Empty and *why when a duration is no multiple.
std::vector<bool> levelsOf(const FrameView &f, int32_t unit, int maxUnits, QString *why);
Frame framesOfLevels(const std::vector<bool> &levels, int32_t unit);

} // namespace zevo3::protocol
