// The words for a port that cannot be opened.

#include "open_failure.h"

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
