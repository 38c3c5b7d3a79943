// QtSerialDevice on a pseudo-terminal whose master end the test holds: what
// it tells the receive thread about unread input, and the order of what it
// writes when the driver takes only part.

#include "qt_serial_device.h"
#include "raw_pty.h"
#include "wait.h"

#include <QElapsedTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

using namespace zevo3;
using namespace zevo3::test;

TEST(QtSerialDeviceOnPty, ReportsUnreadInputUntilTheLastByteIsRead) {
    RawPty pty;
    ASSERT_FALSE(pty.slave.isEmpty());
    QtSerialDevice device;
    ASSERT_TRUE(device.open(pty.slave, LineParameters{}));
    EXPECT_FALSE(device.inputWaiting());

    pty.write("ABCDEF");
    ASSERT_TRUE(waitFor([&] { return device.bytesWaiting() == 6; }));
    EXPECT_TRUE(device.inputWaiting());
    EXPECT_TRUE(device.waitForInput(0));
    char buf[8];
    ASSERT_EQ(device.read(buf, 4), 4);
    EXPECT_TRUE(device.inputWaiting()); // two bytes are left
    ASSERT_EQ(device.read(buf, 8), 2);
    EXPECT_FALSE(device.inputWaiting());

    pty.write("G");
    ASSERT_TRUE(waitFor([&] { return device.inputWaiting(); }));
    device.close();
    EXPECT_FALSE(device.inputWaiting());
}

namespace {

// Reads the master end on a thread of its own until `want` bytes came or
// five seconds passed, starting after `delayMs`.
class MasterReader {
public:
    MasterReader(int master, qsizetype want, int delayMs)
        : thread_([this, master, want, delayMs] {
              ::usleep(useconds_t(delayMs) * 1000);
              QElapsedTimer limit;
              limit.start();
              char buf[65536];
              while (got_.size() < want && limit.elapsed() < 5000) {
                  pollfd p{master, POLLIN, 0};
                  if (::poll(&p, 1, 50) <= 0) continue;
                  const ssize_t n = ::read(master, buf, sizeof buf);
                  if (n > 0) {
                      got_.append(buf, n);
                      count_ = got_.size();
                  }
              }
          }) {}
    qsizetype count() const { return count_; }
    QByteArray bytes() {
        thread_.join();
        return got_;
    }

private:
    QByteArray got_;
    std::atomic<qsizetype> count_{0};
    std::thread thread_;
};

QByteArray numberedBytes(int count) {
    QByteArray bytes;
    for (int i = 0; bytes.size() < count; ++i)
        bytes += QByteArray::number(i).rightJustified(7, '0') + '\n';
    bytes.truncate(count);
    return bytes;
}

} // namespace

TEST(QtSerialDeviceOnPty, WritesKeepTheirOrderWhenTheDriverTakesOnlyPart) {
    RawPty pty;
    ASSERT_FALSE(pty.slave.isEmpty());
    QtSerialDevice device;
    ASSERT_TRUE(device.open(pty.slave, LineParameters{}));
    // More than the pty holds: the driver takes the first part at once and
    // the rest follows as the unit reads.
    const QByteArray first = numberedBytes(1 << 20);
    {
        MasterReader reader(pty.master, first.size(), 100);
        EXPECT_EQ(device.write(first), first.size());
        EXPECT_TRUE(reader.bytes() == first);
    }
    EXPECT_EQ(device.errorMask(), 0u);

    // Nobody reads: the write stalls with bytes still queued in the port.
    // The next message must go out behind them, not ahead.
    const QByteArray stalled = numberedBytes(1 << 20);
    const int64_t taken = device.write(stalled);
    EXPECT_LT(taken, stalled.size());
    EXPECT_NE(device.errorMask(), 0u);
    // The unit reads what the driver holds; the queued rest stays queued
    // until the port gets to write again, so the driver has room now.
    MasterReader reader(pty.master, stalled.size() + 4, 0);
    QElapsedTimer t;
    t.start();
    while (reader.count() < taken && t.elapsed() < 5000)
        ::usleep(1000);
    ASSERT_GE(reader.count(), taken);
    device.write("TAIL");
    const QByteArray got = reader.bytes();
    EXPECT_EQ(got.size(), stalled.size() + 4);
    EXPECT_TRUE(got == stalled + "TAIL") << "the tail came at " << got.indexOf("TAIL");
}
