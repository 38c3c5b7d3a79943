#include "fake_serial_device.h"

#include <algorithm>
#include <cstring>

namespace zevo3::test {

bool FakeSerialDevice::open(const QString &deviceName, const LineParameters &params) {
    calls << QStringLiteral("open:") + deviceName;
    lastName = deviceName;
    lastParams = params;
    if (failAllOpens || deviceName.isEmpty() ||
        (!openable.isEmpty() && !openable.contains(deviceName)))
        return false;
    open_ = true;
    errors_ = 0;
    input_.clear();
    updateWaiting();
    return true;
}

void FakeSerialDevice::close() {
    calls << QStringLiteral("close");
    open_ = false;
    updateWaiting();
}

uint32_t FakeSerialDevice::errorMask() {
    return open_ ? errors_ : 0;
}

int64_t FakeSerialDevice::bytesWaiting() {
    ++bytesWaitingCalls;
    return open_ ? input_.size() : 0;
}

int64_t FakeSerialDevice::read(char *data, int64_t max) {
    if (!open_ || failReads) return -1;
    const int64_t n = std::min<int64_t>(max, input_.size());
    std::memcpy(data, input_.constData(), size_t(n));
    input_.remove(0, n);
    updateWaiting();
    return n;
}

int64_t FakeSerialDevice::write(const QByteArray &data) {
    ++writes;
    if (stallWrites) {
        errors_ |= 1u << 2;
        updateWaiting();
        return 0;
    }
    const int64_t n = writeLimit < 0 ? data.size() : std::min<int64_t>(writeLimit, data.size());
    written += data.left(n);
    if (onWrite) onWrite(data.left(n));
    return n;
}

void FakeSerialDevice::inject(const QByteArray &bytes) {
    input_ += bytes;
    updateWaiting();
    signal_.signal();
}

void FakeSerialDevice::injectError(uint32_t mask) {
    errors_ |= mask;
    updateWaiting();
    signal_.signal();
}

bool FakeSerialDevice::waitForInput(int timeoutMs) {
    return signal_.wait(timeoutMs);
}

} // namespace zevo3::test
