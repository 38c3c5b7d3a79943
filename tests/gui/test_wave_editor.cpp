// The wave information editor: what it shows of a row, IR Out, OK into the
// next free row, and Cancel.

#include "R_waveedit.h"
#include "code_table_model.h"
#include "link_texts.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class WaveEditorTest : public MainWindowTest {
protected:
    TfrmMain &open() {
        TfrmMain &w = createAll();
        w.show();
        w.sBarDblClick(); // analysis-log mode shows the menu item
        device.written.clear();
        return w;
    }
    void learn(int row, const char *carry) {
        CodeTable &t = objects->table;
        t.setCell(row, CodeTable::kColCarry, carry);
        t.setCell(row, CodeTable::kColComments, QByteArray("code ") + carry);
        WaveInfo &info = t.waveInfo(row);
        info.Carry = 380;
        info.DataBits = 5;
        const uint8_t codes[5] = {0, 1, 1, 0, 2};
        for (int i = 0; i < 5; ++i)
            info.Pcode[size_t(i)] = codes[i];
        info.High[0] = 350;
        info.Width[0] = 700;
        info.High[1] = 350;
        info.Width[1] = 1400;
        info.High[3] = 999; // after the first High of 0: not shown
        info.Width[3] = 999;
        window->tableModel->refresh();
    }
    TfrmWaveEdit &edit(int row) {
        window->setCurrentCell(row, CodeTable::kColCarry);
        window->ppWaveEdit->trigger();
        return *waveEdit;
    }
    static void typeInto(QLineEdit *e, const QString &text) {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    QByteArrayList sentLines() const {
        QByteArrayList lines = device.written.split('\n');
        lines.removeLast();
        for (QByteArray &line : lines)
            line.chop(1);
        return lines;
    }
};

} // namespace

TEST_F(WaveEditorTest, OpensOnTheRowWithItsFieldsRulerAndWidth) {
    TfrmMain &w = open();
    learn(4, "38.0kHz");
    TfrmWaveEdit &e = edit(4);
    EXPECT_TRUE(e.isVisible());
    EXPECT_FALSE(e.isModal());
    EXPECT_TRUE(e.windowFlags() & Qt::Tool); // above the main window, not blocking it
    EXPECT_EQ(e.windowTitle(), QStringLiteral("frmWaveEdit"));
    EXPECT_EQ(e.edtCarry->text(), QStringLiteral("380"));
    EXPECT_EQ(e.edtRepeatBit->text(), QStringLiteral("   0"));
    EXPECT_EQ(e.edtPcode->text(), QStringLiteral("01102")); // without the repeated digit
    EXPECT_EQ(e.edtDataBits->text(), QStringLiteral("5"));
    EXPECT_EQ(e.lblPcode->text(), QStringLiteral("0----"));
    EXPECT_EQ(e.sGrid->item(0, 1)->text(), QStringLiteral("  350"));
    EXPECT_EQ(e.sGrid->item(1, 2)->text(), QStringLiteral("  1400"));
    EXPECT_TRUE(e.sGrid->item(2, 1)->text().isEmpty());
    EXPECT_TRUE(e.sGrid->item(3, 1)->text().isEmpty()); // after the first High of 0
    EXPECT_EQ(e.sGrid->item(15, 0)->text(), QStringLiteral(" Pcode:F"));
    EXPECT_EQ(e.width(), TfrmWaveEdit::kBaseWidth);
    // A longer sequence widens the window to its ruler.
    objects->table.waveInfo(4).DataBits = 60;
    edit(4);
    EXPECT_TRUE(e.lblPcode->text().startsWith(QStringLiteral("0----+----1----+----2")));
    EXPECT_EQ(e.lblPcode->text().size(), 60);
    const int rulerWidth = QFontMetrics(e.lblPcode->font()).horizontalAdvance(e.lblPcode->text());
    ASSERT_GT(rulerWidth + 32, TfrmWaveEdit::kBaseWidth);
    ASSERT_LT(rulerWidth + 32, w.screen()->availableGeometry().width());
    EXPECT_EQ(e.width(), rulerWidth + 32);
    // The fields and buttons stay where the operator finds them.
    EXPECT_LT(e.btnOk->mapTo(&e, QPoint(0, 0)).x(), 400);
    EXPECT_LT(e.edtCarry->mapTo(&e, QPoint(0, 0)).x(), 400);
    // Opened again on a short row while shown: narrow again.
    objects->table.waveInfo(4).DataBits = 5;
    edit(4);
    EXPECT_EQ(e.width(), TfrmWaveEdit::kBaseWidth);
    // On the screen, even for a row scrolled out of view.
    learn(69, "38.0kHz");
    w.sGrid->scrollToTop();
    edit(69);
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(e.geometry().topLeft())) << e.x() << "," << e.y();
    // Typing digits counts them.
    typeInto(e.edtPcode, QStringLiteral("0123A"));
    EXPECT_EQ(e.edtDataBits->text(), QStringLiteral("5"));
}

TEST_F(WaveEditorTest, ALongCodeIsNoWiderThanTheScreenAndItsRulerScrollsWithIt) {
    open();
    learn(4, "38.0kHz");
    TfrmWaveEdit &e = edit(4);
    QCoreApplication::processEvents();
    const QSize shortSize = e.size();
    const int gridHeight = e.sGrid->height();
    WaveInfo &info = objects->table.waveInfo(4);
    info.DataBits = WaveInfo::kPcodes;
    for (int i = 0; i < WaveInfo::kPcodes; ++i)
        info.Pcode[size_t(i)] = uint8_t(i % 2);
    edit(4);
    QCoreApplication::processEvents();
    EXPECT_EQ(e.edtPcode->text().size(), WaveInfo::kPcodes);
    EXPECT_EQ(e.lblPcode->text().size(), WaveInfo::kPcodes);
    const QRect screen = e.screen()->availableGeometry();
    EXPECT_LE(e.frameGeometry().width(), screen.width());
    EXPECT_GE(e.width(), TfrmWaveEdit::kBaseWidth);
    // The window grows by the bar: the grid keeps its height.
    EXPECT_EQ(e.sGrid->height(), gridHeight);
    // One scroll bar under the ruler and the sequence.
    auto *strip = e.findChild<QScrollArea *>(QStringLiteral("scrPcode"));
    ASSERT_NE(strip, nullptr);
    QScrollBar *bar = strip->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), 0);
    // The whole sequence and its ruler stand in the strip, one above the other.
    const int rulerWidth = QFontMetrics(e.lblPcode->font()).horizontalAdvance(e.lblPcode->text());
    EXPECT_GE(e.lblPcode->width(), rulerWidth);
    EXPECT_GE(e.edtPcode->width(), rulerWidth);
    const auto left = [&e](QWidget *child) { return child->mapTo(&e, QPoint(0, 0)).x(); };
    const int rulerLeft = left(e.lblPcode);
    EXPECT_EQ(left(e.edtPcode), rulerLeft);
    EXPECT_LT(e.lblPcode->mapTo(&e, QPoint(0, 0)).y(), e.edtPcode->mapTo(&e, QPoint(0, 0)).y());
    // Clicking the bar's page area moves both by the same distance.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() * 3 / 4, bar->height() / 2));
    ASSERT_GT(bar->value(), 0);
    EXPECT_EQ(left(e.lblPcode), rulerLeft - bar->value());
    EXPECT_EQ(left(e.edtPcode), rulerLeft - bar->value());
    // The keys of the sequence take the ruler along: End shows the last codes.
    e.edtPcode->setFocus();
    QTest::keyClick(e.edtPcode, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(left(e.lblPcode), left(e.edtPcode));
    const QPoint cursor = e.edtPcode->mapTo(
        strip->viewport(), e.edtPcode->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
    EXPECT_TRUE(strip->viewport()->rect().contains(cursor));
    QTest::keyClick(e.edtPcode, Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    // The buttons keep their place at the left.
    EXPECT_LT(e.btnOk->mapTo(&e, QPoint(0, 0)).x(), 400);
    // A short code again: the window as it was, and no bar.
    info.DataBits = 5;
    edit(4);
    QCoreApplication::processEvents();
    EXPECT_EQ(e.size(), shortSize);
    EXPECT_EQ(e.width(), TfrmWaveEdit::kBaseWidth);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(e.edtPcode->width(), strip->viewport()->width());
}

TEST_F(WaveEditorTest, IrOutSendsTheFieldsAsTypedAndStopsAtTheFirstZeroEntry) {
    TfrmMain &w = open();
    learn(2, "38.0kHz");
    TfrmWaveEdit &e = edit(2);
    typeInto(e.edtCarry, QString()); // not a number: 380
    typeInto(e.edtPcode, QStringLiteral("0110g"));
    QTest::mouseClick(e.btnIrOut, Qt::LeftButton);
    const QByteArrayList expected{"Twf:000",
                                  "Twc:380",
                                  "Twb:005",
                                  "Twr:000",
                                  "Twp:0:00350,000700",
                                  "Twp:1:00350,001400",
                                  "Twp:2:00000,000000",
                                  "Twd:0110g",
                                  "Tf:3"};
    EXPECT_EQ(sentLines(), expected);
    EXPECT_TRUE(w.memoRecv->toPlainText().endsWith(QStringLiteral("Twd:0110g\nTf:3")));
    // The table is not changed by IR Out.
    EXPECT_EQ(objects->table.waveInfo(2).Pcode[4], 2);

    // All 16 rows filled: 16 entries, the last F; a High of six digits in full.
    for (int i = 0; i < 16; ++i) {
        e.sGrid->item(i, 1)->setText(QStringLiteral("123456"));
        e.sGrid->item(i, 2)->setText(QStringLiteral("1"));
    }
    device.written.clear();
    QTest::mouseClick(e.btnIrOut, Qt::LeftButton);
    const QByteArrayList all = sentLines();
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [](const QByteArray &m) { return m.startsWith("Twp:"); }),
              16);
    EXPECT_TRUE(all.contains("Twp:F:123456,000001"));

    // An empty pattern code does nothing.
    device.written.clear();
    typeInto(e.edtPcode, QString());
    QTest::mouseClick(e.btnIrOut, Qt::LeftButton);
    EXPECT_TRUE(device.written.isEmpty());
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(WaveEditorTest, IrOutWithThePortClosedSaysSo) {
    device.failAllOpens = true;
    open();
    learn(1, "38.0kHz");
    TfrmWaveEdit &e = edit(1);
    QTest::mouseClick(e.btnIrOut, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text, texts::setPortFirst());
    EXPECT_EQ(device.writes, 0);
}

TEST_F(WaveEditorTest, OkStoresACopyInTheNextFreeRowWithTheSourceCells) {
    TfrmMain &w = open();
    for (int row = 1; row <= 5; ++row)
        learn(row, QByteArray::number(row).constData());
    const WaveInfo before3 = objects->table.waveInfo(3);
    TfrmWaveEdit &e = edit(3);
    typeInto(e.edtCarry, QStringLiteral("400"));
    e.sGrid->item(1, 1)->setText(QString()); // emptied: stored as 0
    QTest::mouseClick(e.btnOk, Qt::LeftButton);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(w.currentRow(), 6);
    EXPECT_EQ(objects->table.cell(6, CodeTable::kColCarry), "3");
    EXPECT_EQ(objects->table.cell(6, CodeTable::kColComments), "code 3");
    const WaveInfo &stored = objects->table.waveInfo(6);
    EXPECT_EQ(stored.Carry, 400);
    EXPECT_EQ(stored.DataBits, 5);
    EXPECT_EQ(stored.High[1], 0);
    EXPECT_EQ(stored.Width[1], 1400);
    EXPECT_EQ(stored.High[3], 0); // entries after the first High of 0 were not shown: now 0
    EXPECT_EQ(stored.Pcode[4], 2);
    EXPECT_EQ(objects->table.waveInfo(3), before3); // the source stays
    EXPECT_EQ(w.tableModel->index(5, CodeTable::kColCarry).data().toString(), QStringLiteral("3"));

    // No free row below: the current row itself is overwritten.
    for (int row = 1; row <= 69; ++row)
        objects->table.setCell(row, CodeTable::kColCarry, "x");
    edit(60);
    typeInto(waveEdit->edtRepeatBit, QStringLiteral("7"));
    QTest::mouseClick(waveEdit->btnOk, Qt::LeftButton);
    EXPECT_EQ(w.currentRow(), 60);
    EXPECT_EQ(objects->table.waveInfo(60).RepeatBit, 7);
}

TEST_F(WaveEditorTest, OkWithABadDigitNamesItAndStoresNothing) {
    TfrmMain &w = open();
    learn(1, "38.0kHz");
    const CodeTable before = objects->table;
    TfrmWaveEdit &e = edit(1);
    typeInto(e.edtCarry, QStringLiteral("999"));
    typeInto(e.edtPcode, QStringLiteral("01x2"));
    QTest::mouseClick(e.btnOk, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("Pattern Code の 3 文字目「x」は16進数字ではありません。"));
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(objects->table, before);
    EXPECT_EQ(w.currentRow(), 1);
    // Cancel closes and stores nothing either.
    QTest::mouseClick(e.btnCancel, Qt::LeftButton);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(objects->table, before);
    // At most 4096 digits fit.
    EXPECT_EQ(e.edtPcode->maxLength(), WaveInfo::kPcodes);
}
