// QtSerialDevice on a pseudo-terminal whose master end the test holds: what
// it tells the receive thread about unread input.

#include "qt_serial_device.h"
#include "raw_pty.h"
#include "wait.h"

#include <gtest/gtest.h>

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
