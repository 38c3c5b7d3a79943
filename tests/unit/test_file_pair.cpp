// The table file and its layout file on a real disk: links to the other file
// of the pair, hard links, links in a loop and links to nothing.

#include "file_pair.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zevo3;

namespace {

class FilePairTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    void touch(const char *name) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // A symbolic link `name` -> `target`, as `ln -s` makes it.
    void symlink(const char *target, const char *name) {
        ASSERT_EQ(::symlink(qPrintable(path(target)), qPrintable(path(name))), 0);
    }
};

} // namespace

TEST_F(FilePairTest, TwoFilesOrNewNamesArePairs) {
    EXPECT_TRUE(checkFilePair(path("t.Csv"), path("t.ZV3")).ok()); // neither there yet
    touch("t.Csv");
    EXPECT_TRUE(checkFilePair(path("t.Csv"), path("t.ZV3")).ok());
    touch("t.ZV3");
    EXPECT_TRUE(checkFilePair(path("t.Csv"), path("t.ZV3")).ok());
    // A link to a file elsewhere is fine: the save goes to that file.
    touch("elsewhere.ZV3");
    symlink("elsewhere.ZV3", "u.ZV3");
    touch("u.Csv");
    EXPECT_TRUE(checkFilePair(path("u.Csv"), path("u.ZV3")).ok());
    EXPECT_EQ(realFilePath(path("u.ZV3")), QFileInfo(path("elsewhere.ZV3")).canonicalFilePath());
}

TEST_F(FilePairTest, ALinkOrHardLinkToTheTableIsTheSameFile) {
    touch("T.Csv");
    symlink("T.Csv", "T.ZV3");
    PairCheck check = checkFilePair(path("T.Csv"), path("T.ZV3"));
    EXPECT_EQ(check.problem, PairProblem::SameFile);
    EXPECT_EQ(check.path, path("T.ZV3"));

    // The other way round: the table a link to its layout file.
    touch("R.ZV3");
    symlink("R.ZV3", "R.Csv");
    EXPECT_EQ(checkFilePair(path("R.Csv"), path("R.ZV3")).problem, PairProblem::SameFile);

    // Two links deep, and a link through a linked folder.
    symlink("T.ZV3", "T2.ZV3");
    touch("T2.Csv");
    EXPECT_TRUE(checkFilePair(path("T2.Csv"), path("T2.ZV3")).ok());
    EXPECT_EQ(checkFilePair(path("T.Csv"), path("T2.ZV3")).problem, PairProblem::SameFile);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("real")));
    symlink("real", "alias");
    touch("real/F.Csv");
    EXPECT_EQ(checkFilePair(path("real/F.Csv"), path("alias/F.Csv")).problem,
              PairProblem::SameFile);

    touch("H.Csv");
    ASSERT_EQ(::link(qPrintable(path("H.Csv")), qPrintable(path("H.ZV3"))), 0);
    EXPECT_EQ(checkFilePair(path("H.Csv"), path("H.ZV3")).problem, PairProblem::SameFile);
}

TEST_F(FilePairTest, LinksInALoopOrToNothingAreRefused) {
    touch("L.Csv");
    symlink("L2.ZV3", "L.ZV3");
    symlink("L.ZV3", "L2.ZV3");
    PairCheck check = checkFilePair(path("L.Csv"), path("L.ZV3"));
    EXPECT_EQ(check.problem, PairProblem::LinkLoop);
    EXPECT_EQ(check.path, path("L.ZV3"));
    symlink("self.Csv", "self.Csv");
    EXPECT_EQ(checkFilePair(path("self.Csv"), path("self.ZV3")).problem, PairProblem::LinkLoop);

    touch("D.Csv");
    symlink("missing.ZV3", "D.ZV3");
    check = checkFilePair(path("D.Csv"), path("D.ZV3"));
    EXPECT_EQ(check.problem, PairProblem::DanglingLink);
    EXPECT_EQ(check.path, path("D.ZV3"));
    EXPECT_EQ(check.target, path("missing.ZV3"));
    EXPECT_TRUE(realFilePath(path("D.ZV3")).isEmpty());

    symlink("gone.Csv", "G.Csv");
    EXPECT_EQ(checkFilePair(path("G.Csv"), path("G.ZV3")).problem, PairProblem::DanglingLink);
}
