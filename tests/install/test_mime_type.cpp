// The table file's MIME type as a desktop finds it in the installed tree
// (its MIME cache built as the system's trigger builds it): a table file by
// its extension ".Csv" as the tool writes it, or under any other name by the
// identification text of its first line; every other CSV file stays
// text/csv.

#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kTableType = QStringLiteral("application/x-zevo3-table");

QByteArray exampleTable() {
    QFile file(QStringLiteral(ZEVO3_SOURCE_DIR "/examples/remote.Csv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

class TableMimeType : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        // Only the installed tree and the system's types; read when the
        // first database of the process is made.
        qputenv("XDG_DATA_DIRS", ZEVO3_INSTALLED "/share:/usr/share");
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder_.filePath(QStringLiteral("none"))));
    }

    // The type of a file of that name and content, as the desktop tells it.
    QString typeOf(const QString &name, const QByteArray &content) const {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        return QMimeDatabase().mimeTypeForFile(path).name();
    }

    QTemporaryDir folder_;
};

TEST_F(TableMimeType, ATableFileIsKnownByItsExtensionAndItsFirstLine) {
    const QByteArray table = exampleTable();
    EXPECT_EQ(typeOf(QStringLiteral("remote.Csv"), table), kTableType);
    // Any name: the identification text the tool writes, and the text
    // anywhere early in the first line, as the tool's reader accepts it.
    EXPECT_EQ(typeOf(QStringLiteral("remote-backup"), table), kTableType);
    EXPECT_EQ(typeOf(QStringLiteral("saved"), "saved by: ZEVO4 Table File v2\r\n[001],x,\r\n"),
              kTableType);

    const QMimeType type = QMimeDatabase().mimeTypeForName(kTableType);
    ASSERT_TRUE(type.isValid());
    EXPECT_TRUE(type.inherits(QStringLiteral("text/csv")));
    EXPECT_FALSE(type.comment().isEmpty());
}

TEST_F(TableMimeType, OtherCsvFilesStayCsv) {
    const QByteArray csv = "name,value\r\nvolume,3\r\n";
    EXPECT_EQ(typeOf(QStringLiteral("list.csv"), csv), QStringLiteral("text/csv"));
    EXPECT_EQ(typeOf(QStringLiteral("LIST.CSV"), csv), QStringLiteral("text/csv"));
    EXPECT_NE(typeOf(QStringLiteral("list"), csv), kTableType);
}

} // namespace
