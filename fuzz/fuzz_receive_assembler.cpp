// Fuzz target for ReceiveAssembler: the unit's bytes in chunks of any size,
// read at any tick, across the 32-bit wrap-around of the tick counter.
//
// Input layout:
//   byte 0     delimiter mode (taken modulo 5)
//   bytes 1-2  silence time-out in ms, little-endian; a high byte of 0xFF
//              makes it 0xFFFFFF00 plus the low byte (silence never ends)
//   byte 3     start tick: 16 times this many ms before the wrap-around
//   then steps of [length code] [tick advance] [payload]:
//     length code: low 6 bits n; the top 2 bits give n, 64 n, 256 n bytes,
//                  or all the rest of the input
//     tick advance: below 0xE0 that many ms, else (code - 0xDF) * 4096 ms
// Each step feeds its payload at the new tick (an empty payload is a step that
// read nothing) and then runs the silence test, as the receive step does.
//
// Beside the fixed limits, every message is checked against the bytes fed
// since the last reset: messages hand out those bytes in order, without the
// ACKs, each one ending where its delimiter mode, the length cut or the
// silence says.

#include "fuzz_check.h"
#include "receive_assembler.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

using zevo3::ReceiveAssembler;

namespace {

constexpr int kLongest = ReceiveAssembler::kMaxMessage + 1; // the length cut

bool isControl(uint8_t b) {
    return b < 0x20 || b == 0x7F;
}

// Every control byte becomes " XXh" (three more bytes), a printable byte right
// after one gets a space in front, bytes from 0x80 pass through: the line is at
// least size + 3 * controls and at most min(controls, printables) longer.
void checkLogLine(const char *data, int size) {
    const QByteArray line = ReceiveAssembler::renderLogLine(data, size);
    int controls = 0;
    int high = 0;
    for (int i = 0; i < size; ++i) {
        const uint8_t b = uint8_t(data[i]);
        controls += isControl(b);
        high += b >= 0x80;
    }
    const qsizetype least = qsizetype(size) + 3 * qsizetype(controls);
    FUZZ_CHECK(line.size() >= least);
    FUZZ_CHECK(line.size() <= least + std::min(controls, size - controls));
    int highInLine = 0;
    for (const char c : line) {
        FUZZ_CHECK(!isControl(uint8_t(c)));
        highInLine += uint8_t(c) >= 0x80;
    }
    FUZZ_CHECK(highInLine == high);
}

class Checker final : public zevo3::ReceiveSink {
public:
    Checker(int mode, size_t capacity) : mode_(mode) { fed_.reserve(capacity); }

    // The bytes of one step, before they are fed.
    void append(const uint8_t *data, size_t size) {
        stepStart_ = fed_.size();
        for (size_t i = 0; i < size; ++i)
            if (data[i] != ReceiveAssembler::kAck) fed_.push_back(char(data[i]));
    }
    void restart() {
        fed_.clear();
        used_ = 0;
        stepStart_ = 0;
    }
    size_t unconsumed() const { return fed_.size() - used_; }

    // Whether a zero arriving in the last step was the third in a row of the
    // partial message at its 11th byte or later: the line is broken.
    bool lineBrokenInStep() const {
        for (size_t j = std::max(used_ + 10, stepStart_); j < fed_.size(); ++j)
            if (fed_[j] == 0 && fed_[j - 1] == 0 && fed_[j - 2] == 0) return true;
        return false;
    }

    int messages = 0;
    bool inSilenceTest = false;

    void acknowledged() override {}

    void messageComplete(const QByteArray &message) override {
        ++messages;
        const char *m = message.constData();
        const int n = int(message.size());
        FUZZ_CHECK(n >= 1 && n <= kLongest);
        FUZZ_CHECK(std::memchr(m, ReceiveAssembler::kAck, size_t(n)) == nullptr);
        for (int i = 10; i < n; ++i)
            FUZZ_CHECK(!(m[i] == 0 && m[i - 1] == 0 && m[i - 2] == 0));
        checkLogLine(m, n);

        const bool ended = !inSilenceTest && n != kLongest; // by the delimiter
        if (mode_ == 4) {
            for (int i = 1; i < n; ++i)
                FUZZ_CHECK(!(m[i - 1] == '\r' && m[i] == '\n'));
            if (ended) {
                // CR LF is not part of the message; an empty line comes out as one space.
                if (n == 1 && m[0] == ' ' && fedAt(used_, "\r\n", 2)) {
                    used_ += 2;
                    return;
                }
                FUZZ_CHECK(fedAt(used_, m, size_t(n)) && fedAt(used_ + size_t(n), "\r\n", 2));
                used_ += size_t(n) + 2;
                return;
            }
        } else if (mode_ >= 1) {
            const char delimiter = mode_ == 1 ? '\x03' : mode_ == 2 ? '\r' : '\n';
            FUZZ_CHECK(std::memchr(m, delimiter, size_t(n - 1)) == nullptr);
            if (ended) FUZZ_CHECK(m[n - 1] == delimiter);
        } else {
            FUZZ_CHECK(!ended);
        }
        FUZZ_CHECK(fedAt(used_, m, size_t(n)));
        used_ += size_t(n);
    }

private:
    bool fedAt(size_t pos, const char *bytes, size_t size) const {
        return pos + size <= fed_.size() && std::memcmp(fed_.data() + pos, bytes, size) == 0;
    }

    const int mode_;
    std::vector<char> fed_; // bytes fed since the last reset, without ACKs
    size_t used_ = 0;       // how many of them messages have taken
    size_t stepStart_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 4) return 0;
    const int mode = data[0] % 5;
    uint32_t silence = data[1] | uint32_t(data[2]) << 8;
    if (data[2] == 0xFF) silence = 0xFFFFFF00u | data[1];
    uint32_t now = 0u - 16u * data[3];
    size_t pos = 4;

    ReceiveAssembler assembler(mode, silence);
    Checker checker(mode, size);
    uint32_t lastInput = now;
    while (pos + 2 <= size) {
        const uint8_t code = data[pos];
        const uint8_t advance = data[pos + 1];
        pos += 2;
        size_t n = code & 0x3F;
        switch (code >> 6) {
        case 1:
            n <<= 6;
            break;
        case 2:
            n <<= 8;
            break;
        case 3:
            n = size - pos;
            break;
        default:
            break;
        }
        n = std::min(n, size - pos);
        const uint8_t *chunk = data + pos;
        pos += n;
        now += advance < 0xE0 ? advance : uint32_t(advance - 0xDF) << 12;

        checkLogLine(reinterpret_cast<const char *>(chunk), int(n));
        checker.append(chunk, n);
        checker.messages = 0;
        const ReceiveAssembler::Result result =
            assembler.feed(reinterpret_cast<const char *>(chunk), int64_t(n), now, checker);
        if (result == ReceiveAssembler::Result::LineFailure) {
            // The partial message and the rest of the step are dropped; the
            // receive step resets the assembler before it reads on.
            FUZZ_CHECK(assembler.count() == 0 && !assembler.pending());
            FUZZ_CHECK(checker.lineBrokenInStep());
            assembler.reset(mode, silence);
            checker.restart();
        } else {
            FUZZ_CHECK(!checker.lineBrokenInStep());
            FUZZ_CHECK(assembler.count() <= ReceiveAssembler::kMaxMessage);
            FUZZ_CHECK(size_t(assembler.count()) == checker.unconsumed());
            if (n > 0) lastInput = now;
        }

        const int pending = assembler.count();
        const bool due = pending > 0 && uint32_t(now - lastInput) > silence;
        checker.messages = 0;
        checker.inSilenceTest = true;
        assembler.finishIfSilent(now, checker);
        checker.inSilenceTest = false;
        FUZZ_CHECK(checker.messages == (due ? 1 : 0));
        FUZZ_CHECK(assembler.count() == (due ? 0 : pending));
    }
    return 0;
}
