// The window in English, as --lang en starts it: no Japanese text is left
// in the menus, buttons, labels and message boxes of the main flows.

#include "R_codeexport.h"
#include "R_codeimport.h"
#include "R_com.h"
#include "R_protocolcode.h"
#include "code_table_model.h"
#include "language.h"
#include "main_window_fixture.h"
#include "settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTranslator>

using namespace zevo3;
using namespace zevo3::test;

namespace {

// Kana, kanji, Japanese punctuation, and the half- and full-width letters;
// full-width symbols such as the zoom buttons' "＜" are glyphs, not words.
bool japanese(const QString &text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF && c.isLetterOrNumber()))
            return true;
    }
    return false;
}

// The Japanese texts of a window's own controls, each with where it is.
QStringList japaneseTexts(const QWidget &root) {
    QStringList found;
    const auto check = [&](const QObject *o, const QString &text) {
        if (japanese(text)) found << o->objectName() + QStringLiteral(": ") + text;
    };
    check(&root, root.windowTitle());
    for (const QAction *a : root.findChildren<QAction *>())
        check(a, a->text());
    for (const QAbstractButton *b : root.findChildren<QAbstractButton *>())
        check(b, b->text());
    for (const QLabel *l : root.findChildren<QLabel *>())
        check(l, l->text());
    for (const QGroupBox *g : root.findChildren<QGroupBox *>())
        check(g, g->title());
    for (const QComboBox *box : root.findChildren<QComboBox *>())
        for (int i = 0; i < box->count(); ++i)
            check(box, box->itemText(i));
    for (const QWidget *w : root.findChildren<QWidget *>())
        check(w, w->toolTip());
    return found;
}

class EnglishWindowTest : public MainWindowTest {
protected:
    void SetUp() override { ASSERT_TRUE(installLanguage(*qApp, QStringLiteral("en"))); }
    void TearDown() override {
        MainWindowTest::TearDown();
        for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
};

} // namespace

TEST(LanguageTest, TheCommandLineWinsOverTheEnvironment) {
    const QStringList run = {QStringLiteral("zevo3tool")};
    EXPECT_EQ(chosenLanguage(run, {}), "ja");
    EXPECT_EQ(chosenLanguage(run, QStringLiteral("EN")), "en");
    EXPECT_EQ(chosenLanguage(run + QStringList{"--lang", "ja"}, QStringLiteral("en")), "ja");
    EXPECT_EQ(chosenLanguage(run + QStringList{"x.Csv", "--lang=en"}, {}), "en");
    // After "--" it is a file's name.
    EXPECT_EQ(chosenLanguage(run + QStringList{"--", "--lang=en"}, {}), "ja");
    QString bad;
    EXPECT_FALSE(chosenLanguage(run + QStringList{"--lang", "fr"}, {}, &bad));
    EXPECT_EQ(bad, "fr");
    // A locale name counts by its language, on the command line and in the
    // environment; the environment's unknown language is passed over (a
    // variable set for other programs must not stop every run).
    EXPECT_EQ(chosenLanguage(run, QStringLiteral("en_US.UTF-8")), "en");
    EXPECT_EQ(chosenLanguage(run + QStringList{"--lang=ja_JP"}, QStringLiteral("en")), "ja");
    QString ignored;
    EXPECT_EQ(chosenLanguage(run, QStringLiteral("de_DE.UTF-8"), &bad, &ignored), "ja");
    EXPECT_EQ(ignored, "de_DE.UTF-8");
    EXPECT_FALSE(chosenLanguage(run + QStringList{"--lang", "de"}, QStringLiteral("en")));
}

TEST_F(EnglishWindowTest, NoJapaneseInTheWindowsOfTheMainFlows) {
    TfrmMain &w = createAll();
    w.show();
    EXPECT_EQ(japaneseTexts(w), QStringList());
    EXPECT_EQ(japaneseTexts(*layout), QStringList());
    EXPECT_EQ(japaneseTexts(*wave), QStringList());
    EXPECT_EQ(japaneseTexts(*waveEdit), QStringList());
    EXPECT_EQ(w.ppDecode->text(), "Decode Protocol");
    TfrmCom settings(objects->com, objects->link, prompter, *objects->ports);
    EXPECT_EQ(japaneseTexts(settings), QStringList());
    TfrmCodeImport import(*w.tableModel, prompter, 1);
    EXPECT_EQ(japaneseTexts(import), QStringList());
    TfrmCodeExport exporting(objects->table, prompter, 1, QStringLiteral("tv"));
    EXPECT_EQ(japaneseTexts(exporting), QStringList());
    TfrmProtocolCode protocol(*w.tableModel, prompter, 1);
    EXPECT_EQ(japaneseTexts(protocol), QStringList());
}

TEST_F(EnglishWindowTest, MessageBoxesOfTheMainFlowsAreEnglish) {
    TfrmMain &w = createAll();
    w.show();
    // Delete on the row menu asks; decoding a row without a code warns;
    // opening a file that is not there says so.
    w.setCurrentCell(2, CodeTable::kColCarry);
    prompter.answers = {MsgAnswer::No};
    w.ppDelete->trigger();
    w.ppDecode->trigger();
    prompter.fileChoices = {FileChoice{dir.filePath(QStringLiteral("none.Csv")), 1}};
    w.mmFileOpen->trigger();
    // The download asks first (and is declined).
    prompter.answers = {MsgAnswer::No, MsgAnswer::No};
    layout->btnTableWrite->click();
    ASSERT_GE(prompter.asked.size(), 4);
    for (const auto &asked : prompter.asked) {
        EXPECT_FALSE(japanese(asked.text)) << asked.text.toStdString();
        EXPECT_FALSE(japanese(asked.caption)) << asked.caption.toStdString();
    }
    EXPECT_TRUE(prompter.asked[0].text.startsWith("The current row is deleted"));
}

TEST_F(EnglishWindowTest, TheSettingsDialogSavesWhatItShowsInEnglishAsTheFileHoldsIt) {
    TfrmMain &w = createAll();
    w.show();
    TfrmCom d(objects->com, objects->link, prompter, *objects->ports);
    d.show();
    d.FormDblClick(); // unlocked, as the operator unlocks it
    EXPECT_EQ(d.cmbSendHead->itemText(0), "None");
    EXPECT_EQ(d.cmbRecvDlmt->itemText(0), "None");
    // "None" chosen with the keyboard is the settings file's own word.
    d.cmbSendDlmt->setFocus();
    QTest::keyClick(d.cmbSendDlmt, Qt::Key_Home);
    ASSERT_EQ(d.cmbSendDlmt->currentText(), "None");
    d.cmbPort->setEditText(QStringLiteral("/dev/ttyUSB1"));
    QTest::mouseClick(d.btnOk, Qt::LeftButton);
    EXPECT_EQ(objects->com.SendDlmt, kNone);
    EXPECT_EQ(objects->com.SendHead, kNone);

    // A port that cannot be opened, in English.
    device.failAllOpens = true;
    TfrmCom again(objects->com, objects->link, prompter, *objects->ports);
    again.show();
    again.FormDblClick();
    again.cmbPort->setEditText(QStringLiteral("/dev/ttyUSB7"));
    QTest::mouseClick(again.btnOk, Qt::LeftButton);
    ASSERT_FALSE(prompter.asked.isEmpty());
    for (const auto &asked : prompter.asked)
        EXPECT_FALSE(japanese(asked.text + asked.caption)) << asked.text.toStdString();
}

TEST_F(EnglishWindowTest, ASaveThatFailsAndTheWaveformNoticesAreEnglish) {
    TfrmMain &w = createAll();
    w.show();
    objects->table.setCell(1, CodeTable::kColComments, "tv");
    prompter.fileChoices = {FileChoice{dir.filePath(QStringLiteral("no-folder/tv.Csv")), 2}};
    w.mmFileSave->trigger();
    ASSERT_FALSE(prompter.asked.isEmpty());
    for (const auto &asked : prompter.asked)
        EXPECT_FALSE(japanese(asked.text + asked.caption)) << asked.text.toStdString();
    EXPECT_TRUE(prompter.asked.last().text.contains("no-folder"))
        << prompter.asked.last().text.toStdString();

    // The waveform of a row without a timing description, asked for on the
    // row menu in analysis-log mode: the status bar says so in English.
    QTest::mouseDClick(w.sBar->findChild<QLabel *>(QStringLiteral("sBarPanel1")), Qt::LeftButton);
    ASSERT_TRUE(w.analysisLog());
    w.setCurrentCell(8, CodeTable::kColCarry);
    w.ppWaveShow->trigger();
    const QStringList found = japaneseTexts(w);
    EXPECT_EQ(found, QStringList());
    EXPECT_EQ(w.panelText(1), "No.008: no waveform information");
}
