#include "receive_assembler.h"

namespace zevo3 {

void ReceiveAssembler::reset(int delimiterMode, uint32_t silenceMs) {
    count_ = 0;
    buffer_[0] = 0;
    mode_ = delimiterMode;
    silenceMs_ = silenceMs;
    lastActivity_ = 0;
}

ReceiveAssembler::Result ReceiveAssembler::feed(const char *data, int64_t size, uint32_t now,
                                                ReceiveSink &sink) {
    for (int64_t i = 0; i < size; ++i) {
        const char byte = data[i];
        buffer_[count_] = byte;
        bool complete = false;
        if (uint8_t(byte) == kAck) {
            // Not part of any message: the next byte overwrites it.
            sink.acknowledged();
        } else {
            ++count_;
            if (count_ > kMaxMessage) complete = true;
            if (byte == 0 && count_ > 10 && buffer_[count_ - 2] == 0 && buffer_[count_ - 3] == 0) {
                count_ = 0;
                return Result::LineFailure;
            }
            switch (mode_) {
            case 1:
                complete = complete || byte == 0x03;
                break;
            case 2:
                complete = complete || byte == 0x0D;
                break;
            case 3:
                complete = complete || byte == 0x0A;
                break;
            case 4:
                if (byte == 0x0A && count_ > 1 && buffer_[count_ - 2] == 0x0D) {
                    count_ -= 2;
                    if (count_ == 0) {
                        buffer_[0] = ' ';
                        count_ = 1;
                    }
                    complete = true;
                }
                break;
            default:
                break;
            }
        }
        if (complete) finish(sink);
        lastActivity_ = now;
    }
    return Result::Ok;
}

void ReceiveAssembler::finishIfSilent(uint32_t now, ReceiveSink &sink) {
    if (count_ > 0 && uint32_t(now - lastActivity_) > silenceMs_) finish(sink);
}

void ReceiveAssembler::finish(ReceiveSink &sink) {
    const QByteArray message(buffer_, count_);
    count_ = 0;
    sink.messageComplete(message);
}

QByteArray ReceiveAssembler::renderLogLine(const char *data, int size) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray line;
    line.reserve(size + 16);
    bool afterControl = false;
    for (int i = 0; i < size; ++i) {
        const uint8_t b = uint8_t(data[i]);
        if (b < 0x20 || b == 0x7F) {
            line += ' ';
            line += hex[b >> 4];
            line += hex[b & 0x0F];
            line += 'h';
            afterControl = true;
        } else {
            if (afterControl) line += ' ';
            line += char(b);
            afterControl = false;
        }
    }
    return line;
}

} // namespace zevo3
