// The window in English, as --lang en starts it: no Japanese text is left
// in the menus, buttons, labels and message boxes of the main flows.

#include "R_codeexport.h"
#include "R_codeimport.h"
#include "R_com.h"
#include "R_protocolcode.h"
#include "code_table_model.h"
#include "language.h"
#include "main_window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
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
    EXPECT_FALSE(chosenLanguage(run, QStringLiteral("de")));
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
