// The words for a port that cannot be opened.

#include "open_failure.h"

#include <grp.h>
#include <gtest/gtest.h>

using namespace zevo3;

TEST(OpenFailure, EachCaseSaysWhatToDo) {
    OpenFailureFacts facts;
    facts.device = QStringLiteral("/dev/ttyUSB0");
    facts.kind = OpenFailure::NoPermission;
    facts.group = QStringLiteral("dialout");
    facts.user = QStringLiteral("operator");
    const QString permission = openFailureText(facts);
    EXPECT_TRUE(permission.contains(QStringLiteral("dialout")));
    EXPECT_TRUE(permission.contains(QStringLiteral("sudo usermod -aG dialout operator")));
    facts.kind = OpenFailure::InUse;
    facts.holder = QStringLiteral("minicom, PID 4242");
    EXPECT_EQ(openFailureText(facts),
              QStringLiteral("/dev/ttyUSB0 は他のプログラムが使用中です（minicom, PID 4242）。"));
    facts.kind = OpenFailure::Other;
    facts.system = QStringLiteral("Input/output error");
    EXPECT_EQ(openFailureText(facts), QStringLiteral("/dev/ttyUSB0: Input/output error"));
}

TEST(OpenFailure, AGroupIsNamedOnlyWhenItsMembersMayOpenTheDevice) {
    const group *dialout = ::getgrnam("dialout");
    if (!dialout) GTEST_SKIP() << "no dialout group here";
    const unsigned gid = dialout->gr_gid;
    EXPECT_EQ(groupThatMayOpen(020660, gid), QStringLiteral("dialout"));
    EXPECT_EQ(groupThatMayOpen(020600, gid), QString()) << "only the owner may";
    EXPECT_EQ(groupThatMayOpen(020620, gid), QString()) << "a pty's group may only write";
    EXPECT_EQ(groupThatMayOpen(020660, 0), QString()) << "never advise joining root";
    // Without a group, the words say only that the user may not open it.
    OpenFailureFacts facts;
    facts.device = QStringLiteral("/dev/ttyS0");
    facts.kind = OpenFailure::NoPermission;
    EXPECT_EQ(openFailureText(facts), QStringLiteral("/dev/ttyS0 を開く権限がありません。"));
}
