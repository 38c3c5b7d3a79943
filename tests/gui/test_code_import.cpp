// Codes of other formats through the window: the row menu's import dialog
// (pasting, the format guess, the list, storing and its questions), the
// export dialog to the clipboard and a file, and files dropped on the grid.

#include "R_codeexport.h"
#include "R_codeimport.h"
#include "code_table_model.h"
#include "imported_row.h"
#include "ir_file_format.h"
#include "main_window_fixture.h"
#include "pronto_format.h"
#include "settings.h"
#include "text_codec.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

using namespace zevo3;
using namespace zevo3::test;

namespace {

// NEC at 38 kHz, word 0x006D: leader 0156 00AB, a 0 as 0015 0015 and a 1
// as 0015 0040, the stop mark with 40 ms as 0015 05F1.
QByteArray necPronto(uint32_t bits) {
    QByteArray text = "0000 006D 0022 0000 0156 00AB";
    for (int k = 0; k < 32; ++k)
        text += (bits >> k) & 1 ? " 0015 0040" : " 0015 0015";
    return text + " 0015 05F1";
}
constexpr uint32_t kPower = 0x00u | 0xFFu << 8 | 0x12u << 16 | 0xEDu << 24;

// The same frame as raw timings in µs.
QByteArray necRaw(uint32_t bits) {
    QByteArray text = "f=38000 9000 4500";
    for (int k = 0; k < 32; ++k)
        text += (bits >> k) & 1 ? " 560 1690" : " 560 560";
    return text + " 560 40000\n";
}

class CodeImportTest : public MainWindowTest {
protected:
    TfrmMain &open() { return openShown(); }
    QPoint cellPoint(int row, int column) {
        const QModelIndex index = window->tableModel->index(row - 1, column);
        window->sGrid->scrollTo(index);
        return window->sGrid->visualRect(index).center();
    }
    void click(int row, int column) {
        QTest::mouseClick(window->sGrid->viewport(), Qt::LeftButton, {}, cellPoint(row, column));
    }
    void clickOn(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }
    // The import dialog from the row menu on `row`.
    TfrmCodeImport &importOn(int row) {
        click(row, CodeTable::kColCarry);
        window->ppImport->trigger();
        EXPECT_TRUE(window->frmCodeImport);
        return *window->frmCodeImport;
    }
    // Pasted with Ctrl+V, as the operator brings it from elsewhere.
    void paste(TfrmCodeImport &dialog, const QByteArray &text) {
        QApplication::clipboard()->setText(QString::fromLatin1(text));
        dialog.memoText->setFocus();
        QTest::keyClick(dialog.memoText, Qt::Key_V, Qt::ControlModifier);
    }
    void occupy(int row) {
        objects->table.setCell(row, CodeTable::kColCarry, "40.0kHz");
        objects->table.setCell(row, CodeTable::kColComments, "kept");
        objects->table.waveInfo(row).Carry = 400;
        window->tableModel->refresh();
    }
    void send(QWidget *to, QEvent *event) { QApplication::sendEvent(to, event); }
    // A drag of `path` entering the grid and dropped on the row's Comments cell.
    bool drop(const QString &path, int row) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QWidget *viewport = window->sGrid->viewport();
        const QPoint at = cellPoint(row, CodeTable::kColComments);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        send(viewport, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        send(viewport, &dropped);
        return dropped.isAccepted();
    }
    QString writeFile(const QString &name, const QByteArray &bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
};

TEST_F(CodeImportTest, PastedProntoIsGuessedListedAndStored) {
    TfrmMain &w = open();
    EXPECT_EQ(w.ppImport->text(), QStringLiteral("コードの取込..."));
    EXPECT_EQ(w.ppExport->text(), QStringLiteral("コードの書出..."));
    TfrmCodeImport &dialog = importOn(3);
    EXPECT_EQ(dialog.firstRow(), 3);
    EXPECT_FALSE(dialog.btnStore->isEnabled()); // nothing to store yet
    // The operator had chosen raw; the pasted text is taken for Pronto Hex.
    dialog.cmbFormat->setCurrentIndex(dialog.cmbFormat->findData(int(InterchangeFormat::Raw)));
    paste(dialog, necPronto(kPower));
    EXPECT_EQ(dialog.format(), InterchangeFormat::Pronto);
    EXPECT_EQ(dialog.cmbFormat->currentText(), QStringLiteral("Pronto Hex"));
    ASSERT_EQ(dialog.lstCodes->rowCount(), 1);
    EXPECT_EQ(dialog.lstCodes->item(0, 1)->text(), QStringLiteral("38029 Hz"));
    EXPECT_EQ(dialog.lstCodes->item(0, 2)->text(), QStringLiteral("34"));
    EXPECT_EQ(dialog.lstCodes->item(0, 3)->text(), QStringLiteral("4"));
    EXPECT_TRUE(dialog.lstCodes->item(0, 6)->text().contains(QStringLiteral("38.0 kHz")));
    EXPECT_TRUE(dialog.lblError->text().isEmpty());
    EXPECT_EQ(dialog.pbxWave->signal().durations.size(), 68u);
    ASSERT_TRUE(dialog.btnStore->isEnabled());

    clickOn(dialog.btnStore);
    EXPECT_TRUE(prompter.asked.isEmpty()); // an empty row is not asked about
    EXPECT_EQ(objects->table.cell(3, CodeTable::kColCarry), "38.0kHz");
    EXPECT_EQ(objects->table.waveInfo(3).Carry, 380);
    EXPECT_EQ(objects->table.waveInfo(3).DataBits, 34);
    // The grid shows it, and the row is the current one.
    EXPECT_EQ(w.tableModel->index(2, CodeTable::kColCarry).data().toString(),
              QStringLiteral("38.0kHz"));
    EXPECT_EQ(w.currentRow(), 3);
    EXPECT_EQ(w.panelText(1), QStringLiteral("3 行目にコードを取込みました"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(w.frmCodeImport);
}

TEST_F(CodeImportTest, TheNotesColumnFillsTheListAfterEachPaste) {
    open();
    TfrmCodeImport &dialog = importOn(1);
    QApplication::setActiveWindow(&dialog);
    QHeaderView *header = dialog.lstCodes->horizontalHeader();
    const auto rightEdge = [header] {
        return header->sectionViewportPosition(6) + header->sectionSize(6);
    };
    paste(dialog, necPronto(kPower));
    ASSERT_EQ(dialog.lstCodes->rowCount(), 1);
    EXPECT_EQ(rightEdge(), dialog.lstCodes->viewport()->width());
    dialog.memoText->selectAll();
    paste(dialog, necRaw(kPower));
    ASSERT_EQ(dialog.lstCodes->rowCount(), 1);
    EXPECT_EQ(rightEdge(), dialog.lstCodes->viewport()->width());
}

TEST_F(CodeImportTest, StoringOverRowsInUseAsksAndCodesThatDoNotFitChangeNothing) {
    open();
    occupy(5);
    const CodeTable before = objects->table;
    TfrmCodeImport &dialog = importOn(4);
    paste(dialog, necPronto(kPower) + "\n" + necPronto(~kPower) + "\n");
    ASSERT_EQ(dialog.lstCodes->rowCount(), 2);

    // No: rows 4 and 5 stay as they were, and the dialog stays open.
    prompter.answers = {MsgAnswer::No};
    clickOn(dialog.btnStore);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("5 行目にはデータが有ります。\n上書きしますか？"));
    EXPECT_EQ(objects->table, before);
    EXPECT_TRUE(dialog.isVisible());

    // Past row 70: refused with the reason, nothing asked about rows in use.
    occupy(70);
    const CodeTable full = objects->table;
    dialog.edtRow->setValue(70);
    prompter.asked.clear();
    clickOn(dialog.btnStore);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].icon, MsgIcon::Warning);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("コードを格納できません。\n"
                             "70 行目から 2 個のコードを格納すると 70 行目を越えます。"));
    EXPECT_EQ(objects->table, full);

    // Yes: both rows take the codes.
    dialog.edtRow->setValue(4);
    prompter.asked.clear();
    prompter.answers = {MsgAnswer::Yes};
    clickOn(dialog.btnStore);
    EXPECT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(objects->table.waveInfo(5).Carry, 380);
    EXPECT_TRUE(objects->table.cell(5, CodeTable::kColComments).isEmpty());
    EXPECT_EQ(window->panelText(1), QStringLiteral("4〜5 行目にコードを取込みました"));
}

TEST_F(CodeImportTest, ARowWithOnlyATypedCommentIsAskedAboutToo) {
    open();
    // The operator named row 4 and wrote a result into row 5 before the
    // codes came; a Pronto code has no name, so an import clears both.
    click(4, CodeTable::kColComments);
    for (const char c : QByteArrayView("Power"))
        QTest::keyClick(QApplication::focusWidget(), c);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(objects->table.cell(4, CodeTable::kColComments), "Power");
    objects->table.setCell(5, CodeTable::kColResult, "01FE");
    window->tableModel->refresh();
    const CodeTable before = objects->table;
    TfrmCodeImport &dialog = importOn(4);
    paste(dialog, necPronto(kPower) + "\n" + necPronto(~kPower) + "\n");

    prompter.answers = {MsgAnswer::No};
    clickOn(dialog.btnStore);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("4, 5 行目にはデータが有ります。\n上書きしますか？"));
    EXPECT_EQ(objects->table, before);

    prompter.answers = {MsgAnswer::Yes};
    clickOn(dialog.btnStore);
    EXPECT_EQ(prompter.asked.size(), 2);
    EXPECT_EQ(objects->table.waveInfo(4).Carry, 380);
    EXPECT_TRUE(objects->table.cell(4, CodeTable::kColComments).isEmpty());
    EXPECT_TRUE(objects->table.cell(5, CodeTable::kColResult).isEmpty());
}

// An IR signals file of NEC codes with these names.
QByteArray irFile(const QStringList &names) {
    QByteArray text = "Filetype: IR signals file\nVersion: 1\n";
    for (const QString &name : names)
        text += "#\nname: " + name.toUtf8() +
                "\ntype: raw\nfrequency: 38000\nduty_cycle: 0.330000\ndata: " +
                necRaw(kPower).sliced(8).trimmed() + "\n";
    return text;
}

TEST_F(CodeImportTest, NamesBecomeCommentsAndANameWithoutACp932FormStoresNothing) {
    open();
    occupy(12);
    const CodeTable before = objects->table;
    TfrmCodeImport &dialog = importOn(10);
    const QStringList names = {QStringLiteral("電源"), QStringLiteral("Vol+, up"),
                               QStringLiteral("入力🔌"), QStringLiteral("Mute")};
    QApplication::clipboard()->setText(QString::fromUtf8(irFile(names)));
    dialog.memoText->setFocus();
    QTest::keyClick(dialog.memoText, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dialog.format(), InterchangeFormat::IrFile);
    ASSERT_EQ(dialog.lstCodes->rowCount(), 4);
    EXPECT_EQ(dialog.lstCodes->item(2, 0)->text(), QStringLiteral("入力🔌"));
    EXPECT_EQ(dialog.lstCodes->item(2, 6)->text(),
              QStringLiteral("名前の 3 文字目「🔌」は CP932 (Shift_JIS) で表せません"));
    ASSERT_TRUE(dialog.btnStore->isEnabled());

    // Refused in the window's words before anything is asked; no row changes.
    clickOn(dialog.btnStore);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].icon, MsgIcon::Warning);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("コードを格納できません。\n3 番目のコード「入力🔌」: "
                             "名前の 3 文字目「🔌」は CP932 (Shift_JIS) で表せません"));
    EXPECT_EQ(objects->table, before);
    EXPECT_TRUE(dialog.isVisible());

    // Without that character: the names are the Comments cells, the comma
    // full-width; row 12 was in use and is asked about.
    dialog.memoText->selectAll();
    QApplication::clipboard()->setText(
        QString::fromUtf8(irFile({names[0], names[1], QStringLiteral("入力"), names[3]})));
    QTest::keyClick(dialog.memoText, Qt::Key_V, Qt::ControlModifier);
    prompter.asked.clear();
    clickOn(dialog.btnStore);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("12 行目にはデータが有ります。\n上書きしますか？"));
    const auto comments = [this](int row) {
        return toDisplay(objects->table.cell(row, CodeTable::kColComments));
    };
    EXPECT_EQ(comments(10), QStringLiteral("電源"));
    EXPECT_EQ(comments(11), QStringLiteral("Vol+， up"));
    EXPECT_EQ(comments(12), QStringLiteral("入力"));
    EXPECT_EQ(comments(13), QStringLiteral("Mute"));
    for (int row = 10; row <= 13; ++row) {
        EXPECT_EQ(objects->table.cell(row, CodeTable::kColCarry), "38.0kHz");
        EXPECT_EQ(objects->table.cell(row, CodeTable::kColFrames), "1");
        EXPECT_EQ(objects->table.waveInfo(row).RepeatBit, 0);
    }
    EXPECT_EQ(window->panelText(1), QStringLiteral("10〜13 行目にコードを取込みました"));
}

TEST_F(CodeImportTest, BadTextKeepsStoreDisabledAndNamesTheWord) {
    open();
    TfrmCodeImport &dialog = importOn(1);
    QTest::keyClicks(dialog.memoText, QStringLiteral("0000 006D 0001 0000 0156 00G0"));
    EXPECT_EQ(dialog.format(), InterchangeFormat::Pronto);
    EXPECT_FALSE(dialog.btnStore->isEnabled());
    EXPECT_EQ(dialog.lstCodes->rowCount(), 0);
    EXPECT_TRUE(dialog.lblError->text().contains(QStringLiteral("00G0")))
        << dialog.lblError->text().toStdString();
    // Return in the text is a new line, never a store.
    QTest::keyClick(dialog.memoText, Qt::Key_Return);
    EXPECT_FALSE(objects->table.waveInfo(1).present());
}

TEST_F(CodeImportTest, TabLeavesTheTextAndGoesAsTheControlsStand) {
    open();
    TfrmCodeImport &dialog = importOn(1);
    QApplication::setActiveWindow(&dialog);
    // The text has the focus at the start, ready for a paste.
    ASSERT_EQ(QApplication::focusWidget(), dialog.memoText);
    paste(dialog, necPronto(kPower));
    ASSERT_TRUE(dialog.btnStore->isEnabled());
    const QString pasted = dialog.memoText->toPlainText();
    const auto tab = [](Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        return QApplication::focusWidget();
    };
    // Tab is no character in the text: it goes on to the list below it.
    EXPECT_EQ(tab(), dialog.lstCodes);
    EXPECT_EQ(dialog.memoText->toPlainText(), pasted);
    EXPECT_EQ(tab(), dialog.memoNotes);
    EXPECT_EQ(tab(), dialog.btnStore);
    EXPECT_EQ(tab(), dialog.btnCancel);
    // Round to the top row, left to right, and down into the text again.
    EXPECT_EQ(tab(), dialog.cmbFormat);
    EXPECT_EQ(tab(), dialog.btnFile);
    EXPECT_EQ(tab(), dialog.edtRow);
    EXPECT_EQ(tab(), dialog.memoText);
    EXPECT_EQ(tab(Qt::ShiftModifier), dialog.edtRow);
    EXPECT_EQ(dialog.memoText->toPlainText(), pasted);
}

TEST_F(CodeImportTest, TheFileButtonReadsTheChosenFile) {
    open();
    TfrmCodeImport &dialog = importOn(2);
    prompter.fileChoices = {FileChoice{writeFile(QStringLiteral("power.txt"), necRaw(kPower)), 1}};
    clickOn(dialog.btnFile);
    EXPECT_EQ(prompter.openDialogs.size(), 1);
    EXPECT_EQ(dialog.format(), InterchangeFormat::Raw);
    EXPECT_EQ(dialog.lstCodes->rowCount(), 1);
    // A file that cannot be read is said and the text stays.
    prompter.fileChoices = {FileChoice{dir.filePath(QStringLiteral("none.txt")), 1}};
    clickOn(dialog.btnFile);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].icon, MsgIcon::Warning);
    EXPECT_EQ(dialog.lstCodes->rowCount(), 1);
}

TEST_F(CodeImportTest, ExportedRowReadsBackToTheSameDescription) {
    TfrmMain &w = open();
    std::vector<InterchangeCode> codes = readPronto(necPronto(kPower)).codes;
    codes[0].name = QStringLiteral("Power");
    ASSERT_TRUE(storeImported(objects->table, 6, codes).ok);
    w.tableModel->refresh();
    click(6, CodeTable::kColCarry);
    w.ppExport->trigger();
    ASSERT_TRUE(w.frmCodeExport);
    TfrmCodeExport &dialog = *w.frmCodeExport;
    EXPECT_TRUE(dialog.rbRow->isChecked());
    EXPECT_EQ(dialog.rowChoice(), 6);
    clickOn(dialog.btnCopy);
    const QByteArray copied = QApplication::clipboard()->text().toLatin1();
    CodeTable back;
    ASSERT_TRUE(storeImported(back, 1, readPronto(copied).codes).ok);
    EXPECT_EQ(back.waveInfo(1), objects->table.waveInfo(6));

    // To a file, in LIRC with the remote named after a table without a file.
    dialog.cmbFormat->setCurrentIndex(dialog.cmbFormat->findData(int(InterchangeFormat::Lirc)));
    EXPECT_TRUE(dialog.memoText->toPlainText().contains(QStringLiteral("name  zevo3\n")));
    const QString path = dir.filePath(QStringLiteral("out.conf"));
    prompter.fileChoices = {FileChoice{path, 1}};
    clickOn(dialog.btnSave);
    ASSERT_EQ(prompter.saveDialogs.size(), 1);
    EXPECT_EQ(prompter.saveDialogs[0].defaultExt, QStringLiteral("conf"));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), dialog.written().bytes);

    // An IR signal file: the NEC code as a parsed record, or raw when asked.
    EXPECT_FALSE(dialog.ckRawOnly->isEnabled());
    dialog.cmbFormat->setCurrentIndex(dialog.cmbFormat->findData(int(InterchangeFormat::IrFile)));
    ASSERT_TRUE(dialog.ckRawOnly->isEnabled());
    EXPECT_TRUE(dialog.memoText->toPlainText().contains(
        QStringLiteral("name: Power\ntype: parsed\nprotocol: NEC\naddress: 00 00 00 00\n"
                       "command: 12 00 00 00\n")))
        << dialog.memoText->toPlainText().toStdString();
    QTest::mouseClick(dialog.ckRawOnly, Qt::LeftButton);
    EXPECT_TRUE(dialog.memoText->toPlainText().contains(QStringLiteral("type: raw\n")));
    EXPECT_FALSE(dialog.memoText->toPlainText().contains(QStringLiteral("type: parsed")));

    // Every row with a description, none chosen: the writer's note, nothing to copy.
    dialog.close();
    objects->table.ClearWaveInfo(6);
    w.setPanelText(2, QStringLiteral("/x/living room.Csv"));
    w.ppExport->trigger();
    ASSERT_TRUE(w.frmCodeExport);
    w.frmCodeExport->rbAll->click();
    EXPECT_EQ(w.frmCodeExport->memoNotes->toPlainText(),
              QStringLiteral("no row holds a timing description"));
    EXPECT_FALSE(w.frmCodeExport->btnCopy->isEnabled());
}

TEST_F(CodeImportTest, TheLircRemoteIsNamedAfterTheTableFile) {
    TfrmMain &w = open();
    ASSERT_TRUE(storeImported(objects->table, 1, readPronto(necPronto(kPower)).codes).ok);
    w.tableModel->refresh();
    prompter.fileChoices = {FileChoice{dir.filePath(QStringLiteral("living.Csv")), 2}};
    w.mmFileSave->trigger();
    ASSERT_EQ(w.panelText(2), dir.filePath(QStringLiteral("living.Csv")));
    const auto remoteLine = [&] {
        click(1, CodeTable::kColCarry);
        w.ppExport->trigger();
        EXPECT_TRUE(w.frmCodeExport);
        TfrmCodeExport &dialog = *w.frmCodeExport;
        dialog.cmbFormat->setFocus();
        QTest::keyClick(dialog.cmbFormat, Qt::Key_End); // LIRC, the last format
        EXPECT_EQ(dialog.format(), InterchangeFormat::Lirc);
        const QString text = dialog.memoText->toPlainText();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return text.split(QLatin1Char('\n')).value(2);
    };
    EXPECT_EQ(remoteLine(), QStringLiteral("  name  living"));
    // A settings file that could not be written is said in panel 2 (as
    // SaveSettings says it); the remote keeps the table's name.
    w.setPanelText(2, settingsWriteErrorText(dir.filePath(QStringLiteral("zevo3tool.ini"))));
    EXPECT_EQ(remoteLine(), QStringLiteral("  name  living"));
}

TEST_F(CodeImportTest, ARawFileDroppedOnRowFiveIsImportedThere) {
    TfrmMain &w = open();
    ASSERT_TRUE(drop(writeFile(QStringLiteral("codes.txt"), necRaw(kPower)), 5));
    ASSERT_TRUE(w.frmCodeImport);
    TfrmCodeImport &dialog = *w.frmCodeImport;
    EXPECT_EQ(dialog.firstRow(), 5);
    EXPECT_EQ(dialog.format(), InterchangeFormat::Raw);
    EXPECT_EQ(dialog.lstCodes->rowCount(), 1);
    clickOn(dialog.btnStore);
    EXPECT_EQ(objects->table.cell(5, CodeTable::kColCarry), "38.0kHz");
    EXPECT_EQ(objects->table.waveInfo(5).DataBits, 34);
    EXPECT_FALSE(objects->table.waveInfo(4).present());
}

TEST_F(CodeImportTest, AFileBegunWithAByteOrderMarkIsTakenByADropAsByTheFileButton) {
    TfrmMain &w = open();
    // As an editor on Windows saves it; dropped on row 65, far down the grid.
    const QString path =
        writeFile(QStringLiteral("remote.ir"), "\xEF\xBB\xBF" + irFile({QStringLiteral("電源")}));
    ASSERT_TRUE(drop(path, 65));
    ASSERT_TRUE(w.frmCodeImport) << w.panelText(1).toStdString();
    TfrmCodeImport &dialog = *w.frmCodeImport;
    EXPECT_EQ(dialog.firstRow(), 65);
    EXPECT_EQ(dialog.format(), InterchangeFormat::IrFile);
    ASSERT_EQ(dialog.lstCodes->rowCount(), 1);
    clickOn(dialog.btnStore);
    EXPECT_EQ(toDisplay(objects->table.cell(65, CodeTable::kColComments)), QStringLiteral("電源"));
    EXPECT_EQ(objects->table.waveInfo(65).DataBits, 34);
    // zevo3 reads the same bytes alike: the cores pass over the mark.
    EXPECT_EQ(readIrFile("\xEF\xBB\xBF" + irFile({QStringLiteral("a")})).codes.size(), 1u);
}

TEST_F(CodeImportTest, DropsOfOtherFilesAreIgnored) {
    TfrmMain &w = open();
    const CodeTable before = objects->table;
    // A table file is not taken, nor a text in none of the formats.
    EXPECT_FALSE(drop(writeFile(QStringLiteral("table.Csv"), "ZEVO4 Code Table\r\n"), 2));
    drop(writeFile(QStringLiteral("letter.txt"), "Dear operator,\nhello.\n"), 2);
    EXPECT_FALSE(w.frmCodeImport);
    // Nor a URL that is no local file.
    QMimeData mime;
    mime.setUrls({QUrl(QStringLiteral("https://example.org/codes.txt"))});
    QDragEnterEvent enter(cellPoint(2, 3), Qt::CopyAction, &mime, Qt::LeftButton, {});
    send(w.sGrid->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(objects->table, before);
}

} // namespace
