// An exception that reaches the entry is reported once and stops delivery.

#include "fatal_error.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace zevo3;

TEST(FatalError, ExceptionsAreReportedWithTheirTextAndOthersPassThrough) {
    QStringList reported;
    const FatalReporter report = [&](const QString &text) { reported << text; };

    EXPECT_TRUE(deliverGuarded([] { return true; }, report));
    EXPECT_TRUE(reported.isEmpty());

    EXPECT_FALSE(
        deliverGuarded([]() -> bool { throw std::runtime_error("table row 71"); }, report));
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains(QStringLiteral("table row 71")));

    EXPECT_FALSE(deliverGuarded([]() -> bool { throw 42; }, report));
    ASSERT_EQ(reported.size(), 2);
    EXPECT_TRUE(reported[1].contains(QStringLiteral("不明な例外")));
}
