// Open and Save in the main window: the dialogs as set up, the table file
// and the layout file beside it, the questions and the refusals.

#include "code_table_model.h"
#include "imported_row.h"
#include "ir_protocol.h"
#include "layout_file.h"
#include "layout_model.h"
#include "main_window_fixture.h"
#include "table_file.h"
#include "wait.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <unistd.h>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class TableFilesTest : public MainWindowTest {
protected:
    TfrmMain &open() {
        TfrmMain &w = createAll();
        w.show();
        return w;
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    static void write(const QString &file, const QByteArray &bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void choose(const QString &file, int filterIndex = 2) {
        prompter.fileChoices.append(FileChoice{file, filterIndex});
    }
    // A table with codes in rows 1 and 3 and a layout naming them.
    void fillTableAndLayout() {
        CodeTable &t = objects->table;
        t.setCell(1, CodeTable::kColCarry, "38.0kHz");
        t.setCell(1, CodeTable::kColFrames, "3");
        t.setCell(1, CodeTable::kColComments, "TV \x93\x64\x8c\xb9"); // TV 電源
        WaveInfo &one = t.waveInfo(1);
        one.Carry = 380;
        one.DataBits = 5;
        one.High[0] = 350;
        one.Width[0] = 700;
        one.High[1] = 350;
        one.Width[1] = 1400;
        for (int i : {1, 2})
            one.Pcode[size_t(i)] = 1;
        one.Pcode[4] = 2;
        t.setCell(3, CodeTable::kColCarry, "40.0kHz");
        t.waveInfo(3).Carry = 400;
        window->tableModel->refresh();
        objects->layout.setCell(1, 1, "001(F03:W01)");
        objects->layout.setCell(2, 8, "003(F02:W05)");
        layout->model->replaceCells(objects->layout);
    }
};

} // namespace

TEST_F(TableFilesTest, DialogsOfferTheFilterListWithCsvPreselected) {
    TfrmMain &w = open();
    w.mmFileOpen->trigger();
    w.mmFileSave->trigger();
    ASSERT_EQ(prompter.openDialogs.size(), 1);
    ASSERT_EQ(prompter.saveDialogs.size(), 1);
    for (const FileDialogSetup &setup : {prompter.openDialogs[0], prompter.saveDialogs[0]}) {
        EXPECT_EQ(setup.filter,
                  QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.Txt)|*.Txt|ｶﾝﾏ形式ﾃﾞｰﾀﾌｧｲﾙ (*.Csv)|*.Csv|"
                                 "ﾘﾓｺﾝ波形ｲﾒｰｼﾞﾌｧｲﾙ (*.Bmp)|*.Bmp|全てのﾌｧｲﾙ (*.*)|*.*"));
        EXPECT_EQ(setup.filterIndex, 2);
        EXPECT_EQ(setup.defaultExt, QStringLiteral("Csv"));
        EXPECT_EQ(setup.descriptions().size(), 4);
    }
    // Cancelled: nothing else happened.
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral(".Csv")).isEmpty());
}

TEST_F(TableFilesTest, SaveWritesTheTableAndTheLayoutBesideIt) {
    TfrmMain &w = open();
    fillTableAndLayout();
    // Another extension: the layout still goes beside it with ".ZV3".
    choose(path("codes.Txt"), 1);
    w.mmFileSave->trigger();
    EXPECT_EQ(read(path("codes.Txt")), WriteTableFile(objects->table));
    EXPECT_EQ(read(path("codes.ZV3")), SaveLayoutFile(objects->layout, path("codes.ZV3")));
    EXPECT_TRUE(read(path("codes.ZV3")).startsWith("ZEVO3 Layout File : codes.ZV3\r\n"));
    EXPECT_TRUE(read(path("codes.Txt"))
                    .contains("\r\n[001],38.0kHz,3,TV \x93\x64\x8c\xb9,,Twc:380,Twb:005,Twr:000,"
                              "Twp:0:00350 000700,Twp:1:00350 001400,Twp:2:00000 000000,"));
    EXPECT_EQ(w.panelText(2), path("codes.Txt"));
    // Saving does not make the file the layout's current file.
    EXPECT_TRUE(layout->currentFile().isEmpty());
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(TableFilesTest, TheBitmapTypeWritesNeitherFile) {
    TfrmMain &w = open();
    fillTableAndLayout();
    choose(path("codes.Bmp"), 3);
    w.mmFileSave->trigger();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("選択されたファイル形式では保存出来ません。"));
    EXPECT_EQ(prompter.asked[0].caption, QStringLiteral("警告"));
    EXPECT_EQ(prompter.asked[0].buttons, MsgButtons::OkCancel);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral("codes")).isEmpty());
}

TEST_F(TableFilesTest, ATableIsNotSavedUnderItsLayoutsName) {
    TfrmMain &w = open();
    fillTableAndLayout();
    choose(path("codes.ZV3"), 4);
    w.mmFileSave->trigger();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.contains(path("codes.ZV3")));
    EXPECT_FALSE(QFile::exists(path("codes.ZV3")));
}

TEST_F(TableFilesTest, AFileThatCannotBeWrittenIsReportedAndTheOldOneKept) {
    TfrmMain &w = open();
    write(path("codes.Csv"), "old");
    QFile::setPermissions(path("codes.Csv"), QFileDevice::ReadOwner);
    choose(path("codes.Csv"));
    w.mmFileSave->trigger();
    ASSERT_GE(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.contains(path("codes.Csv")));
    EXPECT_EQ(read(path("codes.Csv")), "old");
    EXPECT_TRUE(w.panelText(2).isEmpty());
    // The layout is written all the same.
    EXPECT_TRUE(QFile::exists(path("codes.ZV3")));
}

TEST_F(TableFilesTest, OpenReadsTableAndLayoutAndShowsTheLayoutWindow) {
    TfrmMain &w = open();
    fillTableAndLayout();
    const CodeTable saved = objects->table;
    const LayoutData savedLayout = objects->layout;
    write(path("codes.Csv"), WriteTableFile(saved));
    write(path("codes.ZV3"), SaveLayoutFile(savedLayout, path("codes.ZV3")));
    w.mmCleate->trigger();
    w.appendLogText(QStringLiteral("old line"));
    w.setCurrentCell(30, CodeTable::kColResult);
    ASSERT_FALSE(layout->isVisible());

    choose(path("codes.Csv"));
    w.mmFileOpen->trigger();
    // The odd count's repeated last digit is read back into the code after it.
    CodeTable expected = saved;
    expected.waveInfo(1).Pcode[5] = 2;
    EXPECT_EQ(objects->table, expected);
    EXPECT_EQ(objects->layout.cells(), savedLayout.cells());
    EXPECT_EQ(layout->currentFile(), path("codes.ZV3"));
    EXPECT_EQ(layout->panelText(1), path("codes.ZV3"));
    EXPECT_TRUE(layout->isVisible());
    EXPECT_EQ(w.currentRow(), 1);
    EXPECT_EQ(w.currentColumn(), int(CodeTable::kColCarry));
    EXPECT_EQ(w.panelText(2), path("codes.Csv"));
    EXPECT_EQ(w.saveDialogFileName(), path("codes.Csv"));
    EXPECT_TRUE(w.memoRecv->toPlainText().isEmpty()); // reading empties the log
    EXPECT_TRUE(prompter.asked.isEmpty());
    // The grid shows what was read.
    EXPECT_EQ(w.tableModel->index(2, CodeTable::kColCarry).data().toString(),
              QStringLiteral("40.0kHz"));

    // Loading the layout selects nothing: the table stays on row 1 and the
    // Frames and Wait boxes keep their values, whatever R01 of row 1 holds.
    objects->layout.setCell(1, 1, "005(F07:W09)");
    write(path("codes.ZV3"), SaveLayoutFile(objects->layout, path("codes.ZV3")));
    layout->edtFct->setText(QStringLiteral("03"));
    layout->edtWct->setText(QStringLiteral("01"));
    choose(path("codes.Csv"));
    w.mmFileOpen->trigger();
    EXPECT_EQ(objects->layout.cell(1, 1), "005(F07:W09)");
    EXPECT_EQ(w.currentRow(), 1);
    EXPECT_EQ(layout->edtFct->text(), QStringLiteral("03"));
    EXPECT_EQ(layout->edtWct->text(), QStringLiteral("01"));

    // A table without its layout file: the layout is empty and has no file.
    QFile::remove(path("codes.ZV3"));
    choose(path("codes.Csv"));
    w.mmFileOpen->trigger();
    EXPECT_TRUE(objects->layout.cell(1, 1).isEmpty());
    EXPECT_TRUE(layout->currentFile().isEmpty());
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(TableFilesTest, AMissingIdentificationLineAsksAndCancelKeepsTheTable) {
    TfrmMain &w = open();
    objects->table.setCell(7, CodeTable::kColCarry, "keep");
    // Line 1 is lost even though it is a row line.
    const QByteArray rows = "[001],first,,,,Twc:001,\r\n[002],second,,,,Twc:002,\r\n";
    write(path("foreign.Csv"), rows);
    prompter.answers = {MsgAnswer::Cancel};
    choose(path("foreign.Csv"));
    w.mmFileOpen->trigger();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text,
              QStringLiteral("ZEVO4のテーブルファイルでは有りません。\n強制的に開きますか？"));
    EXPECT_EQ(prompter.asked[0].caption, QStringLiteral("警告"));
    EXPECT_EQ(prompter.asked[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(objects->table.cell(7, CodeTable::kColCarry), "keep");
    EXPECT_FALSE(layout->isVisible());

    prompter.answers = {MsgAnswer::Ok};
    choose(path("foreign.Csv"));
    w.mmFileOpen->trigger();
    EXPECT_EQ(objects->table.cell(1, CodeTable::kColCarry), "second");
    EXPECT_EQ(objects->table.waveInfo(1).Carry, 2);
    EXPECT_TRUE(objects->table.cell(7, CodeTable::kColCarry).isEmpty());
    EXPECT_EQ(w.panelText(2), path("foreign.Csv"));
}

TEST_F(TableFilesTest, AConversionErrorNamesLineAndFieldAndKeepsTheRowsBeforeIt) {
    TfrmMain &w = open();
    write(path("codes.ZV3"), "ZEVO3 Layout File : codes.ZV3\r\n[01],001(F03:W01),\r\n");
    write(path("codes.Csv"),
          "ZEVO4 Table File\r\n"
          "[001],38.0kHz,3,,,Twc:380,Twb:001,Twr:000,Twp:0:00350 000700,Twd:00,\r\n"
          "[002],38.0kHz,3,,,Twc:380,Twb:001,Twr:000,Twp:0:00350 000700,Twd:0G,\r\n"
          "[003],late,,,,\r\n");
    choose(path("codes.Csv"));
    w.mmFileOpen->trigger();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.contains(QStringLiteral("3 行目")));
    EXPECT_TRUE(prompter.asked[0].text.contains(path("codes.Csv")));
    EXPECT_EQ(objects->table.cell(1, CodeTable::kColCarry), "38.0kHz");
    EXPECT_TRUE(objects->table.cell(3, CodeTable::kColCarry).isEmpty());
    EXPECT_TRUE(w.panelText(2).isEmpty());
    // The layout is not read and the window stays hidden.
    EXPECT_TRUE(objects->layout.cell(1, 1).isEmpty());
    EXPECT_FALSE(layout->isVisible());
}

TEST_F(TableFilesTest, AnalysisLogModeLogsEveryRowWithATimingDescriptionAndItsProtocol) {
    TfrmMain &w = open();
    fillTableAndLayout();
    InterchangeCode nec;
    nec.signal = encodeSignal(QStringLiteral("NEC"), 0x04, 0x08).signal;
    ASSERT_TRUE(storeImported(objects->table, 5, {nec}).ok);
    write(path("codes.Csv"), WriteTableFile(objects->table));
    w.sBarDblClick();
    choose(path("codes.Csv"));
    w.mmFileOpen->trigger();
    const QStringList lines = w.memoRecv->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(
        lines[0].startsWith(QStringLiteral("[001] Twc:380,Twb:005,Twr:000,Twp:0:00350 000700,")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("Twd:011022")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("　プロトコル: 不明 (")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("[003] Twc:400,")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("[005] Twc:380,")));
    EXPECT_EQ(lines[5], QStringLiteral("　プロトコル: NEC 04 08"));
}

TEST_F(TableFilesTest, AHandedOverTableWaitsUntilNoDialogIsOpen) {
    TfrmMain &w = open();
    objects->table.setCell(2, CodeTable::kColCarry, "before");
    CodeTable other;
    other.setCell(2, CodeTable::kColCarry, "after");
    write(path("other.Csv"), WriteTableFile(other));
    QDialog question(&w);
    bool openedDuringQuestion = true;
    QTimer::singleShot(0, [&] {
        w.openHandedOver(path("other.Csv"));
        pump(500);
        openedDuringQuestion = objects->table.cell(2, CodeTable::kColCarry) == "after";
        question.reject();
    });
    question.exec();
    EXPECT_FALSE(openedDuringQuestion);
    EXPECT_TRUE(waitFor([&] { return objects->table.cell(2, CodeTable::kColCarry) == "after"; }));
}

TEST_F(TableFilesTest, TheNextSaveProposesTheLastNameSavedOrOpened) {
    TfrmMain &w = open();
    choose(path("one.Csv"));
    w.mmFileSave->trigger();
    w.mmFileSave->trigger(); // cancelled: shows what it proposed
    ASSERT_EQ(prompter.saveDialogs.size(), 2);
    EXPECT_EQ(prompter.saveDialogs[1].fileName, path("one.Csv"));
}

TEST_F(TableFilesTest, AFileThatIsNoTableFileIsRefusedWithAMessage) {
    TfrmMain &w = open();
    objects->table.setCell(2, CodeTable::kColCarry, "keep");
    choose(dir.path()); // a folder
    w.mmFileOpen->trigger();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.contains(dir.path()));
    EXPECT_EQ(objects->table.cell(2, CodeTable::kColCarry), "keep");
}

TEST_F(TableFilesTest, ALayoutPathThatLeadsToTheTableOrNowhereIsRefusedBeforeWriting) {
    TfrmMain &w = open();
    fillTableAndLayout();
    struct Case {
        const char *what;
        const char *table;
        std::function<void()> make;
        const char *says;
    };
    const std::vector<Case> cases = {
        {"a link to the table", "T.Csv", [&] { QFile::link(path("T.Csv"), path("T.ZV3")); },
         "レイアウトファイルがテーブルファイルと同じファイルのため、保存出来ません。"},
        {"a hard link to the table", "H.Csv",
         [&] { ASSERT_EQ(::link(qPrintable(path("H.Csv")), qPrintable(path("H.ZV3"))), 0); },
         "レイアウトファイルがテーブルファイルと同じファイルのため、保存出来ません。"},
        {"a dangling layout link", "D.Csv",
         [&] { QFile::link(path("missing.ZV3"), path("D.ZV3")); },
         "リンク先のファイルが存在しないため、保存出来ません。"},
        {"a layout link in a loop", "L.Csv",
         [&] {
             QFile::link(path("L2.ZV3"), path("L.ZV3"));
             QFile::link(path("L.ZV3"), path("L2.ZV3"));
         },
         "リンクが循環しているため、保存出来ません。"},
        {"a dangling table link", "G.Csv",
         [&] {
             QFile::remove(path("G.Csv"));
             QFile::link(path("gone.Csv"), path("G.Csv"));
         },
         "リンク先のファイルが存在しないため、保存出来ません。"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString table = path(c.table);
        write(table, "the operator's table\r\n");
        c.make();
        prompter.asked.clear();
        choose(table);
        w.mmFileSave->trigger();
        ASSERT_EQ(prompter.asked.size(), 1);
        EXPECT_TRUE(prompter.asked[0].text.startsWith(QString::fromUtf8(c.says)))
            << prompter.asked[0].text.toStdString();
        EXPECT_EQ(prompter.asked[0].caption, QStringLiteral("警告"));
        // Neither file was written.
        if (QFileInfo(table).isSymLink())
            EXPECT_FALSE(QFileInfo::exists(QFileInfo(table).symLinkTarget()));
        else
            EXPECT_EQ(read(table), "the operator's table\r\n");
        EXPECT_TRUE(w.panelText(2).isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(path("missing.ZV3")));

    // Opened through such a link, the table itself is not taken for the
    // layout, so the registration's save cannot write over it either.
    write(path("T.Csv"), WriteTableFile(objects->table));
    prompter.asked.clear();
    choose(path("T.Csv"));
    w.mmFileOpen->trigger();
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.startsWith(QStringLiteral(
        "レイアウトファイルがテーブルファイルと同じファイルのため、読み込みません。")));
    EXPECT_TRUE(layout->currentFile().isEmpty());
    EXPECT_EQ(read(path("T.Csv")), WriteTableFile(objects->table));
}

TEST_F(TableFilesTest, AfterAFailedOpenSaveProposesNoNameAndTheOldLayoutIsGone) {
    TfrmMain &w = open();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // A: seven codes with their layout.
    for (int row = 1; row <= 7; ++row) {
        objects->table.setCell(row, CodeTable::kColCarry, "38.0kHz");
        objects->table.waveInfo(row).Carry = 380;
    }
    objects->layout.setCell(1, 1, "007(F03:W01)");
    const QByteArray tableA = WriteTableFile(objects->table);
    const QByteArray layoutA = SaveLayoutFile(objects->layout, path("A.ZV3"));
    write(path("A.Csv"), tableA);
    write(path("A.ZV3"), layoutA);
    // B: a conversion error on line 4.
    write(path("B.Csv"), "ZEVO4 Table File\r\n"
                         "[001],B1,,,,Twc:380,\r\n"
                         "[002],B2,,,,Twc:380,\r\n"
                         "[003],B3,,,,Twc:380,Twb:001,Twr:000,Twp:0:00350 000700,Twd:0G,\r\n");
    write(path("B.ZV3"), "ZEVO3 Layout File : B.ZV3\r\n[01],002(F03:W01),\r\n");

    // The menus as the operator works them: Alt+F, then the item's letter.
    const auto menuKey = [&](Qt::Key item) {
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        ASSERT_TRUE(waitFor([&] { return w.mmFile->isVisible(); }));
        QTest::keyClick(w.mmFile, item);
    };
    choose(path("A.Csv"));
    menuKey(Qt::Key_O);
    ASSERT_EQ(w.saveDialogFileName(), path("A.Csv"));
    ASSERT_EQ(objects->layout.cell(1, 1), "007(F03:W01)");
    choose(path("B.Csv"));
    menuKey(Qt::Key_O);
    ASSERT_EQ(prompter.asked.size(), 1); // the conversion error
    EXPECT_EQ(objects->table.cell(1, CodeTable::kColCarry), "B1");
    // The layout window no longer shows A's layout as the table's.
    EXPECT_TRUE(objects->layout.cell(1, 1).isEmpty());
    EXPECT_TRUE(layout->currentFile().isEmpty());

    menuKey(Qt::Key_S); // cancelled: the dialog shows what Save proposes
    ASSERT_EQ(prompter.saveDialogs.size(), 1);
    EXPECT_TRUE(prompter.saveDialogs[0].fileName.isEmpty());
    EXPECT_EQ(read(path("A.Csv")), tableA);
    EXPECT_EQ(read(path("A.ZV3")), layoutA);
}

TEST_F(TableFilesTest, ALayoutLinkWithDotDotInALinkedFolderIsFollowedAsTheSystemDoes) {
    // D/T.ZV3 -> "sub/../T.Csv" with D/sub a link to else/x: the system
    // reaches else/T.Csv, a file of its own; the table D/T.Csv is not it.
    TfrmMain &w = open();
    fillTableAndLayout();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("D")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("else/x")));
    write(path("else/T.Csv"), "another file\r\n");
    ASSERT_EQ(::symlink(qPrintable(path("else/x")), qPrintable(path("D/sub"))), 0);
    ASSERT_EQ(::symlink("sub/../T.Csv", qPrintable(path("D/T.ZV3"))), 0);
    choose(path("D/T.Csv"));
    w.mmFileSave->trigger();
    EXPECT_EQ(read(path("D/T.Csv")), WriteTableFile(objects->table));
    EXPECT_EQ(read(path("else/T.Csv")), SaveLayoutFile(objects->layout, path("D/T.ZV3")));
    EXPECT_TRUE(QFileInfo(path("D/T.ZV3")).isSymLink());
}

TEST_F(TableFilesTest, TheLayoutWindowsOwnSaveNeverWritesTheTable) {
    TfrmMain &w = open();
    fillTableAndLayout();
    write(path("T.Csv"), WriteTableFile(objects->table));
    write(path("T.ZV3"), SaveLayoutFile(objects->layout, path("T.ZV3")));
    choose(path("T.Csv"));
    w.mmFileOpen->trigger();
    ASSERT_EQ(layout->currentFile(), path("T.ZV3"));
    // After the Open, the layout file becomes a link to the table.
    QFile::remove(path("T.ZV3"));
    ASSERT_TRUE(QFile::link(path("T.Csv"), path("T.ZV3")));
    const QByteArray table = read(path("T.Csv"));
    prompter.asked.clear();
    EXPECT_FALSE(layout->SaveLayoutFile(layout->currentFile()));
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.startsWith(QStringLiteral(
        "レイアウトファイルがテーブルファイルと同じファイルのため、保存出来ません。")));
    EXPECT_EQ(read(path("T.Csv")), table);
}
