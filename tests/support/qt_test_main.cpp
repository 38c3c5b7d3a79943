// GoogleTest entry with the Qt application the tests need: a core
// application for the unit tests, a GUI application (offscreen) for the
// cores that draw text, a widget application for the window and end-to-end
// tests.

#include <gtest/gtest.h>

#if defined(ZEVO3_TEST_WIDGETS)
#include <QApplication>
using TestApplication = QApplication;
#elif defined(ZEVO3_TEST_GUI)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char **argv) {
#if defined(ZEVO3_TEST_WIDGETS) || defined(ZEVO3_TEST_GUI)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
