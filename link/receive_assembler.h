#pragma once
// Turns the unit's bytes into messages. A message ends at the receive
// delimiter, at 4097 bytes, or after RecvTout milliseconds of silence. The
// ACK byte 0x06 is taken out of the stream wherever it stands. Three zero
// bytes in a row after more than ten bytes mean a broken line.
// Plain code without threads: the receive step feeds it on the GUI thread.

#include <QByteArray>
#include <cstdint>

namespace zevo3 {

class ReceiveSink {
public:
    virtual ~ReceiveSink() = default;
    virtual void acknowledged() = 0;
    // The raw bytes of one complete message.
    virtual void messageComplete(const QByteArray &message) = 0;
};

class ReceiveAssembler {
public:
    static constexpr int kBufferSize = 4100;
    static constexpr int kMaxMessage = 4096;
    static constexpr uint8_t kAck = 0x06;

    ReceiveAssembler(int delimiterMode = 0, uint32_t silenceMs = 100)
        : mode_(delimiterMode), silenceMs_(silenceMs) {}

    void reset(int delimiterMode, uint32_t silenceMs);

    enum class Result { Ok, LineFailure };
    // Bytes read in one step at tick `now`. On a line failure the rest of the
    // bytes and the partial message are dropped.
    Result feed(const char *data, int64_t size, uint32_t now, ReceiveSink &sink);
    // The silence test that runs at the end of every step, with or without input.
    void finishIfSilent(uint32_t now, ReceiveSink &sink);

    bool pending() const { return count_ > 0; }
    int count() const { return count_; }

    // One printable log line: control bytes (0x00-0x1F, 0x7F) become a space,
    // two upper-case hex digits and "h"; a printable byte after a control byte
    // gets a space in front. Bytes 0x80-0xFF pass through, so Shift-JIS stays.
    static QByteArray renderLogLine(const char *data, int size);
    static QByteArray renderLogLine(const QByteArray &message) {
        return renderLogLine(message.constData(), int(message.size()));
    }

private:
    void finish(ReceiveSink &sink);

    char buffer_[kBufferSize] = {};
    int count_ = 0;
    int mode_ = 0;
    uint32_t lastActivity_ = 0;
    uint32_t silenceMs_ = 100;
};

} // namespace zevo3
