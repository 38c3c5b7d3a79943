// The row menu's protocol commands as the operator uses them: "プロトコル解析"
// writes the current row's protocol into its Result cell (asking before it
// replaces a text), and "プロトコルから作成..." makes a code from typed fields.

#include "R_codeimport.h"
#include "R_protocolcode.h"
#include "code_table_model.h"
#include "imported_row.h"
#include "ir_protocol.h"
#include "main_window_fixture.h"
#include "text_codec.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class ProtocolCommandsTest : public MainWindowTest {
protected:
    TfrmMain &open() { return openShown(); }
    // The row menu opened with Enter on the row's Carry cell, and the
    // action clicked in it.
    void fromRowMenu(int row, QAction *action) {
        const QModelIndex index = window->tableModel->index(row - 1, CodeTable::kColCarry);
        window->sGrid->scrollTo(index);
        QTest::mouseClick(window->sGrid->viewport(), Qt::LeftButton, {},
                          window->sGrid->visualRect(index).center());
        QTest::keyClick(window->sGrid, Qt::Key_Return);
        ASSERT_TRUE(window->ppMenu->isVisible());
        QTest::mouseClick(window->ppMenu, Qt::LeftButton, {},
                          window->ppMenu->actionGeometry(action).center());
    }
    void storeCode(int row, const QString &protocol, uint32_t address, uint32_t command) {
        InterchangeCode code;
        code.signal = encodeSignal(protocol, address, command).signal;
        ASSERT_TRUE(storeImported(objects->table, row, {code}).ok);
        window->tableModel->refresh();
    }
    QString cell(int row, int column) {
        return toDisplay(objects->table.cell(row, column)).trimmed();
    }
    void retype(QLineEdit *edit, const QString &text) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
};

} // namespace

TEST_F(ProtocolCommandsTest, DecodeWritesTheResultAndAsksBeforeReplacingAText) {
    TfrmMain &w = open();
    EXPECT_EQ(w.ppDecode->text(), QStringLiteral("プロトコル解析"));
    EXPECT_EQ(w.ppProtocolCode->text(), QStringLiteral("プロトコルから作成..."));
    storeCode(5, "NEC", 0x04, 0x08);
    fromRowMenu(5, w.ppDecode);
    EXPECT_EQ(cell(5, CodeTable::kColResult), "NEC 04 08");
    EXPECT_TRUE(prompter.asked.isEmpty()); // an empty cell is not asked about

    // A typed Result: asked, and kept on No.
    storeCode(6, "Kaseikyo", 0x200200, 0x3D);
    objects->table.setCell(6, CodeTable::kColResult, "mine");
    w.tableModel->refresh();
    prompter.answers = {MsgAnswer::No};
    fromRowMenu(6, w.ppDecode);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(
        prompter.asked[0].text,
        QStringLiteral("6 行目の Result「mine」を「Kaseikyo 0200200 03D」に書き換えますか？"));
    EXPECT_EQ(cell(6, CodeTable::kColResult), "mine");
    prompter.answers = {MsgAnswer::Yes};
    fromRowMenu(6, w.ppDecode);
    EXPECT_EQ(cell(6, CodeTable::kColResult), "Kaseikyo 0200200 03D");

    // A row without a description, and one that matches nothing, are said.
    prompter.asked.clear();
    fromRowMenu(7, w.ppDecode);
    InterchangeCode noise;
    noise.signal = {38000, {300, 300, 300, 20000}};
    ASSERT_TRUE(storeImported(objects->table, 8, {noise}).ok);
    w.tableModel->refresh();
    fromRowMenu(8, w.ppDecode);
    ASSERT_EQ(prompter.asked.size(), 2);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("7 行目には波形情報が有りません。"));
    EXPECT_EQ(prompter.asked[1].text,
              QStringLiteral("8 行目のコードはどのプロトコルにも当たりません。\n"
                             "no frame matches a protocol"));
    EXPECT_EQ(cell(8, CodeTable::kColResult), "");
}

TEST_F(ProtocolCommandsTest, TheDialogRefusesWideFieldsInPlaceAndStoresTheCode) {
    TfrmMain &w = open();
    fromRowMenu(3, w.ppProtocolCode);
    ASSERT_TRUE(w.frmProtocolCode);
    TfrmProtocolCode &d = *w.frmProtocolCode;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("プロトコルから作成"));
    EXPECT_EQ(d.cmbProtocol->currentText(), "NEC");
    retype(d.edtAddress, "0x1ff");
    EXPECT_EQ(d.lblProblem->text(), QStringLiteral("アドレスは 8 ビット (0〜0xFF) です"));
    EXPECT_FALSE(d.btnStore->isEnabled());
    EXPECT_TRUE(d.pbxWave->signal().durations.empty());

    // Samsung32 chosen from the keyboard, the fields typed as the operator
    // types them; the carrier and the frame follow at once.
    d.cmbProtocol->setFocus();
    QTest::keyClicks(d.cmbProtocol, "Samsung32");
    EXPECT_EQ(d.cmbProtocol->currentText(), "Samsung32");
    retype(d.edtAddress, "7");
    retype(d.edtCommand, "0x02");
    EXPECT_EQ(d.lblProblem->text(), "");
    EXPECT_TRUE(d.lblCarrier->text().contains("38.0kHz")) << d.lblCarrier->text().toStdString();
    EXPECT_FALSE(d.pbxWave->signal().durations.empty());
    EXPECT_FALSE(d.edtToggle->isEnabled()); // Samsung32 has no toggle
    ASSERT_TRUE(d.btnStore->isEnabled());
    QTest::keyClick(d.edtCommand, Qt::Key_Return); // the default button
    ASSERT_FALSE(w.frmProtocolCode && w.frmProtocolCode->isVisible());
    EXPECT_EQ(cell(3, CodeTable::kColComments), "Samsung32 0x07 0x02");
    EXPECT_EQ(cell(3, CodeTable::kColCarry), "38.0kHz");
    const DecodedCode code = decodeSignal(flatSignalOf(objects->table.waveInfo(3)));
    EXPECT_EQ(code.protocol, "Samsung32");
    EXPECT_EQ(code.address, 7u);
    EXPECT_EQ(code.command, 2u);
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(ProtocolCommandsTest, AnOccupiedRowIsAskedAboutOrTheNextFreeOneTaken) {
    TfrmMain &w = open();
    storeCode(3, "NEC", 1, 1);
    storeCode(4, "NEC", 1, 2);
    fromRowMenu(3, w.ppProtocolCode);
    ASSERT_TRUE(w.frmProtocolCode);
    TfrmProtocolCode &d = *w.frmProtocolCode;
    d.cmbProtocol->setFocus();
    QTest::keyClicks(d.cmbProtocol, "RC6");
    EXPECT_TRUE(d.edtToggle->isEnabled());
    d.edtToggle->setFocus();
    QTest::keyClick(d.edtToggle, Qt::Key_Up);
    retype(d.edtCommand, "12");
    // The current row holds a code: storing there asks, and No keeps it.
    prompter.answers = {MsgAnswer::No};
    QTest::mouseClick(d.btnStore, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("3 行目にはデータが有ります。\n上書きしますか？"));
    EXPECT_EQ(decodeSignal(flatSignalOf(objects->table.waveInfo(3))).protocol, "NEC");
    // The next free row is 5, below the code in row 4.
    d.cmbTarget->setFocus();
    QTest::keyClick(d.cmbTarget, Qt::Key_Down);
    EXPECT_EQ(d.targetRow(), 5);
    QTest::mouseClick(d.btnStore, Qt::LeftButton);
    EXPECT_EQ(prompter.asked.size(), 1); // nothing more asked
    const DecodedCode code = decodeSignal(flatSignalOf(objects->table.waveInfo(5)));
    EXPECT_EQ(code.protocol, "RC6");
    EXPECT_EQ(code.command, 12u);
    EXPECT_EQ(code.toggle, 1);
}
