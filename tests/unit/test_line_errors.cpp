// The driver's line error counters: a rise since open is a line error.

#include "line_errors.h"
#include "raw_pty.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zevo3;

TEST(LineErrors, ARiseInAnyCounterSinceOpenIsALineError) {
    LineErrorWatch watch;
    const LineErrorCounts atOpen{3, 0, 1, 0, 0};
    // A driver without counters: never an error.
    EXPECT_FALSE(watch.active());
    EXPECT_FALSE(watch.rose(atOpen));
    watch.start(atOpen);
    EXPECT_TRUE(watch.active());
    EXPECT_FALSE(watch.rose(atOpen));
    EXPECT_FALSE(watch.rose(std::nullopt));
    for (int i = 0; i < 5; ++i) {
        LineErrorCounts now = atOpen;
        uint32_t *counters[] = {&now.frame, &now.parity, &now.overrun, &now.bufOverrun, &now.brk};
        ++*counters[i];
        EXPECT_TRUE(watch.rose(now)) << i;
    }
    // A counter that wrapped around is still a change.
    watch.start(LineErrorCounts{0xFFFFFFFFu, 0, 0, 0, 0});
    EXPECT_TRUE(watch.rose(LineErrorCounts{0, 0, 0, 0, 0}));
}

TEST(LineErrors, APseudoTerminalAndAFileKeepNoCounters) {
    test::RawPty pty;
    ASSERT_FALSE(pty.slave.isEmpty());
    const int slave = ::open(pty.slave.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    EXPECT_EQ(readLineErrorCounts(slave), std::nullopt);
    ::close(slave);
    const int null = ::open("/dev/null", O_RDWR);
    EXPECT_EQ(readLineErrorCounts(null), std::nullopt);
    ::close(null);
    EXPECT_EQ(readLineErrorCounts(-1), std::nullopt);
}
