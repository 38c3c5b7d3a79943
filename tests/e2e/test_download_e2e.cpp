// The download ("ZEVO3 登録") through the windows, on the real serial port
// (QSerialPort on a pseudo-terminal) against the simulated unit, and the
// same download by zevo3 putting the same bytes on the line.

#include "R_layout.h"
#include "R_main.h"
#include "R_msgbox.h"
#include "R_wave.h"
#include "R_waveedit.h"
#include "layout_file.h"
#include "qt_serial_device.h"
#include "recording_prompter.h"
#include "registration.h"
#include "save_file.h"
#include "sim_unit.h"
#include "table_file.h"
#include "text_codec.h"
#include "tool_windows.h"
#include "transmit_messages.h"
#include "wait.h"

#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace zevo3;
using namespace zevo3::test;

namespace {

const QString kStart = QStringLiteral("ダウンロードを開始します。");
const QString kDone = QStringLiteral("ダウンロード完了");
const QString kAborted = QStringLiteral("ダウンロードを中止しました");

// Rows 1 to 5 learned, row 6 empty, row 7 learned (after the gap). The
// pattern entries exercise the stop rule: row 1 ends at its entry 2 (both
// 0), row 2 has a High of 0 with a Width in entry 3 and goes on, row 3 has
// only entry 0 (both 0), row 4 has all 16 entries.
std::unique_ptr<CodeTable> learnedTable() {
    auto table = std::make_unique<CodeTable>();
    for (int row : {1, 2, 3, 4, 5, 7}) {
        table->setCell(row, 1, "38.0kHz");
        table->setCell(row, 2, "3");
        table->setCell(row, 3, "code " + QByteArray::number(row));
        WaveInfo &info = table->waveInfo(row);
        info.Carry = 380 + row;
        info.DataBits = 4 + row;
        for (int i = 0; i < info.DataBits; ++i)
            info.Pcode[size_t(i)] = uint8_t((i + row) % 16);
        if (row == 3) continue;
        const int entries = row == 4 ? 16 : 2;
        for (int i = 0; i < entries; ++i) {
            info.High[size_t(i)] = 300 + 10 * i;
            info.Width[size_t(i)] = 600 + 100 * i;
        }
    }
    WaveInfo &two = table->waveInfo(2);
    two.Width[2] = 0; // entry 2 has High 0 and Width 0: the end
    two.High[2] = 0;
    two.High[3] = 0; // after the end: not sent
    two.Width[3] = 900;
    WaveInfo &five = table->waveInfo(5);
    five.High[2] = 0; // entry 2: High 0, Width not 0 — goes on to entry 3
    five.Width[2] = 800;
    return table;
}

LayoutData sampleLayout() {
    LayoutData layout;
    layout.setCell(1, 1, "001(F03:W01)");
    layout.setCell(1, 2, "002(F01:W15)");
    layout.setCell(3, 8, "005(F02:W99)");
    layout.setCell(15, 4, "007(F03:W01)");
    return layout;
}

class DownloadEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        tablePath = dir.filePath(QStringLiteral("remote.Csv"));
        layoutPath = layoutPathFor(tablePath);
        ASSERT_TRUE(saveFileAtomically(tablePath, WriteTableFile(*learnedTable())));
        ASSERT_TRUE(saveFileAtomically(layoutPath, SaveLayoutFile(sampleLayout(), layoutPath)));
    }
    void startSim(SimOptions options = {}) {
        options.linkPath = dir.filePath(QStringLiteral("zevo3-port"));
        options.recordBytes = true;
        sim = std::make_unique<SimUnit>(options);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();
    }
    // The windows as the program makes them, with the files opened.
    void startTool(const QByteArray &framing = {}) {
        iniPath = dir.filePath(QStringLiteral("zevo3tool.ini"));
        ASSERT_TRUE(saveFileAtomically(
            iniPath, "[COMPORT]\r\nPortName=" + toCp932(sim->linkPath()) + "\r\n" + framing));
        objects = std::make_unique<AppObjects>(device, iniPath);
        objects->settingsReadOnly = true;
        ToolWindows windows(*objects, prompter);
        window = std::move(windows.main);
        layout = std::move(windows.layout);
        wave = std::move(windows.wave);
        msgBox = std::move(windows.msgBox);
        waveEdit = std::move(windows.waveEdit);
        window->show();
        ASSERT_TRUE(objects->link.portOpen());
        ASSERT_TRUE(sim->waitForMessages(1, 3000)); // "Version"
        // Its answer in the log: its acknowledgement flag is spent before the
        // download clears the flag for its first message.
        ASSERT_TRUE(waitFor([&] { return window->logLineCount() == 1; }));
        ASSERT_TRUE(window->openTableFile(tablePath));
        ASSERT_EQ(layout->currentFile(), layoutPath);
        // The cursor away from row 1, to see it come back.
        layout->setCurrentCell(9, 3);
        prompter.asked.clear();
    }
    void closeTool() {
        waveEdit.reset();
        msgBox.reset();
        wave.reset();
        layout.reset();
        window.reset();
        objects.reset();
    }
    void TearDown() override {
        closeTool();
        if (sim) sim->stop();
    }
    QList<QByteArray> plan() const {
        QList<QByteArray> texts;
        for (const RegistrationMessage &m : RegistrationPlan(*learnedTable(), sampleLayout()))
            texts.append(m.text);
        return texts;
    }
    void clickRegister() { QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton); }
    // What the unit received after the start-up's "Version".
    QList<QByteArray> registered() const { return sim->received().mid(1); }
    QStringList askedTexts() const {
        QStringList list;
        for (const Asked &a : prompter.asked)
            list.append(a.text);
        return list;
    }

    QTemporaryDir dir;
    QString tablePath;
    QString layoutPath;
    QString iniPath;
    std::unique_ptr<SimUnit> sim;
    QtSerialDevice device;
    RecordingPrompter prompter;
    std::unique_ptr<AppObjects> objects;
    std::unique_ptr<TfrmMain> window;
    std::unique_ptr<TfrmLayout> layout;
    std::unique_ptr<TfrmWave> wave;
    std::unique_ptr<TfrmMsgBox> msgBox;
    std::unique_ptr<TfrmWaveEdit> waveEdit;
};

} // namespace

TEST_F(DownloadEndToEnd, FullRegistrationLeavesTheUnitHoldingWhatTheToolHolds) {
    startSim();
    startTool();
    // The layout file on disk differs from the layout in the window: the
    // download rewrites it.
    ASSERT_TRUE(saveFileAtomically(layoutPath, "stale\r\n"));

    clickRegister();

    EXPECT_EQ(askedTexts(), (QStringList{kStart, kDone}));
    const QList<QByteArray> expected = plan();
    // 15 key rows, codes 1 to 5 (row 6 is the gap): 3 + Twp + 2 each, with
    // 3, 3, 1, 16 and 4 pattern entries.
    ASSERT_EQ(expected.size(), 15 + 5 * 5 + 3 + 3 + 1 + 16 + 4);
    EXPECT_EQ(registered(), expected);

    const QMap<int, QByteArray> rows = sim->layoutRows();
    ASSERT_EQ(rows.size(), 15);
    for (int r = 1; r <= LayoutData::kRows; ++r)
        EXPECT_EQ(rows.value(r), KeyRowRecord(objects->layout, r)) << r;
    EXPECT_EQ(rows.value(1), "Kw:01,01,81,02,0F,--,--,--,--,--,--,--,--,--,--,--,--");
    const QMap<int, QList<QByteArray>> codes = sim->storedCodes();
    EXPECT_EQ(codes.keys(), (QList<int>{1, 2, 3, 4, 5}));
    for (int k = 1; k <= 5; ++k) {
        const std::vector<QByteArray> record = CodeRecordMessages(objects->table.waveInfo(k), k);
        EXPECT_EQ(codes.value(k), QList<QByteArray>(record.begin(), record.end())) << k;
    }
    EXPECT_EQ(codes.value(3).at(3), "Twp:0:00000,000000");
    EXPECT_EQ(codes.value(4).at(3 + 15).left(6), "Twp:F:");
    EXPECT_EQ(codes.value(5).at(3 + 2), "Twp:2:00000,000800");
    EXPECT_EQ(codes.value(5).at(3 + 3), "Twp:3:00000,000000");

    QByteArray onDisk;
    QString error;
    ASSERT_TRUE(readFileBounded(layoutPath, 1 << 20, &onDisk, &error));
    EXPECT_EQ(onDisk, SaveLayoutFile(objects->layout, layoutPath));
    EXPECT_EQ(layout->currentRow(), 1);
    // The key rows are in the receive log; the code records are not.
    const QString log = window->memoRecv->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("Kw:15,")));
    EXPECT_FALSE(log.contains(QStringLiteral("Tws:")));
}

TEST_F(DownloadEndToEnd, AKeyRowNotAcknowledgedAbortsTheDownload) {
    SimOptions options;
    options.ackLimit = 6; // key rows 1 to 6
    startSim(options);
    startTool();
    const QByteArray before = SaveLayoutFile(objects->layout, layoutPath);
    ASSERT_TRUE(saveFileAtomically(layoutPath, "stale\r\n"));

    clickRegister();

    EXPECT_EQ(askedTexts(), (QStringList{kStart, kAborted}));
    EXPECT_EQ(registered(), plan().mid(0, 7)); // nothing after row 7
    QByteArray onDisk;
    QString error;
    ASSERT_TRUE(readFileBounded(layoutPath, 1 << 20, &onDisk, &error));
    EXPECT_EQ(onDisk, "stale\r\n"); // nothing saved
    EXPECT_NE(before, onDisk);
}

TEST_F(DownloadEndToEnd, AStoreMessageNotAcknowledgedAbortsTheDownload) {
    // Code 1: Twc, Twb, Twr, 3 Twp, Twd acknowledged; its Tws is not.
    SimOptions options;
    options.ackLimit = 15 + 7;
    startSim(options);
    startTool();

    clickRegister();

    EXPECT_EQ(askedTexts(), (QStringList{kStart, kAborted}));
    EXPECT_EQ(registered(), plan().mid(0, 15 + 8));
    EXPECT_EQ(registered().last(), "Tws:001");
    EXPECT_EQ(sim->storedCodes().keys(), QList<int>{1}); // the unit got it, unacknowledged
}

TEST_F(DownloadEndToEnd, WindowAndCommandLinePutTheSameBytesOnTheLine) {
    // STX/ETX framing, so that the framing is part of what is compared.
    const QByteArray framing = "SendHead=STX\r\nSendDlmt=ETX\r\n";
    startSim();
    startTool(framing);
    clickRegister();
    ASSERT_EQ(askedTexts(), (QStringList{kStart, kDone}));
    const QByteArray version = QByteArray("\x02Version\x03");
    const QByteArray fromWindow = sim->receivedBytes();
    ASSERT_TRUE(fromWindow.startsWith(version));
    closeTool();
    sim->stop();

    // The same settings file, port and table, through zevo3.
    startSim();
    QProcess zevo3;
    zevo3.start(QStringLiteral(ZEVO3_PATH),
                {QStringLiteral("download"), tablePath, QStringLiteral("--ini"), iniPath});
    ASSERT_TRUE(zevo3.waitForFinished(60000));
    EXPECT_EQ(zevo3.exitCode(), 0) << zevo3.readAllStandardError().toStdString();
    const QByteArray fromCli = sim->receivedBytes();

    QByteArray expected;
    for (const QByteArray &text : plan())
        expected += '\x02' + text + '\x03';
    EXPECT_EQ(fromWindow.mid(version.size()), expected);
    EXPECT_EQ(fromCli, expected);
}
