// GoogleTest entry with the Qt application the tests need: a core
// application for the unit tests, a widget application (offscreen) for the
// window and end-to-end tests.

#include <gtest/gtest.h>

#ifdef ZEVO3_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char **argv) {
#ifdef ZEVO3_TEST_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
