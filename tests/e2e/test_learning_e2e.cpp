// The learning toggle on the real serial port (QSerialPort on a pty) against
// the simulated unit: the bytes it puts on the line, the unit's learned code
// in the receive log, and the port closed.

#include "R_main.h"
#include "click_panel.h"
#include "qt_serial_device.h"
#include "recording_prompter.h"
#include "sim_unit.h"
#include "text_codec.h"
#include "wait.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class LearningEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        SimOptions options;
        options.linkPath = dir.filePath(QStringLiteral("zevo3-port"));
        options.recordBytes = true;
        sim = std::make_unique<SimUnit>(options);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();
        const QString iniPath = dir.filePath(QStringLiteral("zevo3tool.ini"));
        QFile f(iniPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[COMPORT]\r\nPortName=" + toCp932(sim->linkPath()) + "\r\n");
        f.close();
        objects = std::make_unique<AppObjects>(device, iniPath);
        objects->settingsReadOnly = true;
        window = std::make_unique<TfrmMain>(*objects, prompter);
        window->show();
        ASSERT_TRUE(objects->link.portOpen());
        ASSERT_TRUE(sim->waitForMessages(1, 3000)); // "Version"
        window->pnlWave->setVisible(true);
    }
    void TearDown() override {
        window.reset();
        objects.reset();
        sim->stop();
    }
    void click() { QTest::mouseClick(window->pnlAnalyze, Qt::LeftButton); }
    void type(const char *text) {
        window->edtLtime->selectAll();
        QTest::keyClick(window->edtLtime, Qt::Key_Delete);
        QTest::keyClicks(window->edtLtime, QString::fromLatin1(text));
    }
    QList<QByteArray> afterVersion() const { return sim->received().mid(1); }

    QTemporaryDir dir;
    std::unique_ptr<SimUnit> sim;
    QtSerialDevice device;
    RecordingPrompter prompter;
    std::unique_ptr<AppObjects> objects;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(LearningEndToEnd, OnSendsTheTimeAndAThenTheLearnedCodeArrivesAndOffSendsT) {
    objects->table.setCell(1, CodeTable::kColCarry, "38.0kHz");
    window->setCurrentCell(1, CodeTable::kColCarry);
    type("300");
    click();
    ASSERT_TRUE(sim->waitForMessages(3, 3000));
    EXPECT_EQ(afterVersion(), (QList<QByteArray>{"Lend:0300", "A"}));
    EXPECT_TRUE(sim->receivedBytes().endsWith("Lend:0300\r\nA\r\n"));
    EXPECT_EQ(window->currentRow(), 2); // Cursor Auto: the first free row
    // The unit answers with the code once the learning time has passed.
    EXPECT_TRUE(waitFor([&] {
        return window->memoRecv->toPlainText().contains(QStringLiteral("m:1A2B,d:00FF,f:2"));
    }));
    click();
    ASSERT_TRUE(sim->waitForMessages(4, 3000));
    EXPECT_EQ(sim->received().last(), QByteArray("T"));
    EXPECT_TRUE(sim->receivedBytes().endsWith("T\r\n"));
}

TEST_F(LearningEndToEnd, TheTimeIsSentAsTypedOr200) {
    const std::pair<const char *, const char *> typed[] = {
        {"500", "Lend:0500"}, {"-5", "Lend:-005"}, {"text", "Lend:0200"}};
    int expected = 1;
    for (const auto &[text, message] : typed) {
        type(text);
        click();
        click();
        expected += 3;
        ASSERT_TRUE(sim->waitForMessages(expected, 3000)) << text;
        const QList<QByteArray> got = sim->received().mid(expected - 3);
        EXPECT_EQ(got, (QList<QByteArray>{message, "A", "T"})) << text;
    }
}

TEST_F(LearningEndToEnd, WithThePortClosedNothingIsSentAndTheOperatorIsTold) {
    objects->link.ClosePort();
    click();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("通信ポートを設定して下さい"));
    EXPECT_EQ(window->pnlAnalyze->text(), QStringLiteral("学習 Off"));
    ASSERT_TRUE(runPostedWork());
    EXPECT_EQ(sim->messageCount(), 1);
}

} // namespace
