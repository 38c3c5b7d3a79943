// What the window writes and sends, compared with files committed from an
// earlier build: Save of the example table and its layout, and the bytes on
// the line of its full registration.

#include "layout_file.h"
#include "main_window_fixture.h"
#include "source_files.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class GoldenWindowTest : public MainWindowTest {};

} // namespace

TEST_F(GoldenWindowTest, OpenThenSaveAndARegistrationGiveTheCommittedBytes) {
    TfrmMain &w = createAll();
    w.show();
    prompter.fileChoices.append(FileChoice{sourceFile("examples/remote.Csv"), 2});
    w.mmFileOpen->trigger();
    ASSERT_TRUE(prompter.asked.isEmpty());

    const QString made = dir.filePath(QStringLiteral("made.Csv"));
    prompter.fileChoices.append(FileChoice{made, 2});
    w.mmFileSave->trigger();
    EXPECT_EQ(fileBytes(made), fileBytes(sourceFile("tests/golden/made.Csv")));
    EXPECT_EQ(fileBytes(layoutPathFor(made)), fileBytes(sourceFile("tests/golden/made.ZV3")));

    // Every message acknowledged; the line carries each one framed.
    device.written.clear();
    device.onWrite = [this](const QByteArray &) { device.inject("\x06"); };
    prompter.answers = {MsgAnswer::Yes};
    QTest::mouseClick(layout->btnTableWrite, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 2);
    EXPECT_EQ(prompter.asked[1].text, QStringLiteral("ダウンロード完了"));
    EXPECT_EQ(
        device.written,
        QByteArray(fileBytes(sourceFile("tests/golden/registration.txt"))).replace("\n", "\r\n"));
}
