// The table file with its layout file on a real disk, as both front ends
// open and save them: what is read, what is refused before anything is
// written, and why.

#include "table_document.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zevo3;

namespace {

class TableDocumentTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    void put(const char *name, const QByteArray &bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const char *name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

} // namespace

TEST_F(TableDocumentTest, OpenReadsBothFilesAndSaysWhatIsWrongWithThem) {
    CodeTable table;
    table.setCell(1, CodeTable::kColCarry, "38.0kHz");
    LayoutData layout;
    layout.setCell(1, 1, "001(F03:W01)");
    put("t.Csv", WriteTableFile(table));
    TableFileOpen open = openTableFile(path("t.Csv"));
    ASSERT_TRUE(open.readable);
    EXPECT_EQ(open.bytes, WriteTableFile(table));
    EXPECT_EQ(open.read->table, table);
    const TableFileOpen bytesOnly = openTableFile(path("t.Csv"), false);
    EXPECT_TRUE(bytesOnly.readable);
    EXPECT_EQ(bytesOnly.bytes, open.bytes);
    EXPECT_EQ(bytesOnly.read, nullptr);

    LayoutFileOpen beside = openLayoutFile(path("t.Csv"));
    EXPECT_EQ(beside.path, path("t.ZV3"));
    EXPECT_EQ(beside.state, LayoutFileOpen::State::Missing);
    put("t.ZV3", SaveLayoutFile(layout, path("t.ZV3")));
    beside = openLayoutFile(path("t.Csv"));
    ASSERT_TRUE(beside.found());
    EXPECT_EQ(beside.read.layout.cells(), layout.cells());

    // A folder, and a layout file that is the table through a link.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.Csv")));
    open = openTableFile(path("d.Csv"));
    EXPECT_FALSE(open.readable);
    EXPECT_FALSE(open.error.isEmpty());
    EXPECT_EQ(open.read, nullptr);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("u.ZV3")));
    EXPECT_EQ(openLayoutFile(path("u.Csv")).state, LayoutFileOpen::State::Unreadable);
    ASSERT_TRUE(QFile::link(path("t.Csv"), path("T2.Csv")));
    ASSERT_TRUE(QFile::link(path("t.Csv"), path("T2.ZV3")));
    beside = openLayoutFile(path("T2.Csv"));
    EXPECT_EQ(beside.state, LayoutFileOpen::State::IsTheTable);
    EXPECT_EQ(beside.tablePath, path("T2.Csv"));
    EXPECT_TRUE(beside.bytes.isEmpty());
}

TEST_F(TableDocumentTest, SaveIsRefusedBeforeAnythingIsWritten) {
    EXPECT_EQ(checkSave(path("t.ZV3"), false).refusal, SaveCheck::Refusal::LayoutName);
    put("T.Csv", "table");
    ASSERT_TRUE(QFile::link(path("T.Csv"), path("T.ZV3")));
    SaveCheck check = checkSave(path("T.Csv"), false);
    EXPECT_EQ(check.refusal, SaveCheck::Refusal::Pair);
    EXPECT_EQ(check.pair.problem, PairProblem::SameFile);

    // Read-only: refused only where neither file may be written alone.
    put("r.Csv", "table");
    put("r.ZV3", "layout");
    ASSERT_TRUE(QFile::setPermissions(path("r.ZV3"), QFileDevice::ReadOwner));
    EXPECT_TRUE(checkSave(path("r.Csv"), false).ok());
    check = checkSave(path("r.Csv"), true);
    EXPECT_EQ(check.refusal, SaveCheck::Refusal::InTheWay);
    EXPECT_EQ(check.path, path("r.ZV3"));
    EXPECT_TRUE(check.why.contains(QStringLiteral("read-only")));
    EXPECT_EQ(check.layoutPath, path("r.ZV3"));
}

TEST_F(TableDocumentTest, ALayoutSaveNeverWritesTheTable) {
    LayoutData layout;
    layout.setCell(2, 3, "002(F03:W01)");
    put("T.Csv", "the table\r\n");
    ASSERT_TRUE(QFile::link(path("T.Csv"), path("T.ZV3")));
    LayoutSave save = saveLayoutBeside(path("T.ZV3"), layout, path("T.Csv"));
    EXPECT_FALSE(save.saved);
    EXPECT_EQ(save.pair.problem, PairProblem::SameFile);
    EXPECT_EQ(read("T.Csv"), "the table\r\n");

    // With no table known, only the link itself is checked.
    ASSERT_TRUE(QFile::link(path("nowhere.ZV3"), path("D.ZV3")));
    save = saveLayoutBeside(path("D.ZV3"), layout, QString());
    EXPECT_EQ(save.pair.problem, PairProblem::DanglingLink);
    EXPECT_FALSE(QFile::exists(path("nowhere.ZV3")));
    save = saveLayoutBeside(path("n.ZV3"), layout, QString());
    EXPECT_TRUE(save.saved);
    EXPECT_EQ(read("n.ZV3"), SaveLayoutFile(layout, path("n.ZV3")));
}
