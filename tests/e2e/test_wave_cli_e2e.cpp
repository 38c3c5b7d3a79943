// `zevo3 wave` draws a row's waveform as the window's panel does: the PNG it
// writes is the panel's image, pixel for pixel, for the same table and zoom.

#include "../cli/run_zevo3.h"
#include "../unit/wave_samples.h"
#include "main_window_fixture.h"
#include "save_file.h"
#include "table_file.h"
#include "wave_image.h"

#include <QLabel>
#include <QStatusBar>
#include <QTest>

using namespace zevo3;
using namespace zevo3::test;

namespace {

class WaveCliTest : public MainWindowTest {
protected:
    QString writeTable() {
        CodeTable table;
        putNecRow(table, 4);
        putNecRow(table, 6, 12);
        table.setCell(7, CodeTable::kColCarry, "38.0kHz"); // no timing description
        const QString path = dir.filePath(QStringLiteral("remote.Csv"));
        EXPECT_TRUE(saveFileAtomically(path, WriteTableFile(table)));
        return path;
    }
    QString png(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(WaveCliTest, ThePngIsThePanelsImageForTheSameRowAndZoom) {
    const QString table = writeTable();
    TfrmMain &w = createAll();
    w.show();
    ASSERT_TRUE(w.openTableFile(table));
    QTest::mouseDClick(w.sBar->findChild<QLabel *>(QStringLiteral("sBarPanel1")), Qt::LeftButton);
    w.setCurrentCell(4, CodeTable::kColCarry);
    w.ppWaveShow->trigger();
    for (int zoom : {100, 1500}) {
        SCOPED_TRACE(zoom);
        w.SetZoomAndRedraw(zoom);
        const Outcome run =
            runZevo3({QStringLiteral("wave"), table, QStringLiteral("4"), QStringLiteral("--zoom"),
                      QString::number(zoom), QStringLiteral("--png"), png("row4.png")});
        ASSERT_EQ(run.code, 0) << run.err.constData();
        EXPECT_FALSE(run.err.contains("zevo3:")) << run.err.constData();
        QImage written(png("row4.png"));
        ASSERT_FALSE(written.isNull());
        EXPECT_EQ(written.size(), QSize(20000, 63));
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), w.imgWave->canvas());
    }
}

TEST_F(WaveCliTest, RowsWithoutAWaveformAndBadArgumentsWriteNothing) {
    const QString table = writeTable();
    const QString out = png("out.png");
    // Without --zoom: the panel's 200.
    Outcome run = runZevo3(
        {QStringLiteral("wave"), table, QStringLiteral("6"), QStringLiteral("--png"), out});
    EXPECT_EQ(run.code, 0) << run.err.constData();
    EXPECT_EQ(QImage(out).pixel(10, 45), qRgb(0, 128, 0));
    QFile::remove(out);

    run = runZevo3(
        {QStringLiteral("wave"), table, QStringLiteral("7"), QStringLiteral("--png"), out});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains("No.007")) << run.err.constData();
    EXPECT_TRUE(run.err.contains("nothing written")) << run.err.constData();
    EXPECT_FALSE(QFile::exists(out));
    const QStringList bad[] = {
        {QStringLiteral("wave"), table, QStringLiteral("71"), QStringLiteral("--png"), out},
        {QStringLiteral("wave"), table, QStringLiteral("x"), QStringLiteral("--png"), out},
        {QStringLiteral("wave"), table, QStringLiteral("4")},
        {QStringLiteral("wave"), table, QStringLiteral("4"), QStringLiteral("--zoom"),
         QStringLiteral("333"), QStringLiteral("--png"), out},
        {QStringLiteral("wave"), dir.filePath(QStringLiteral("none.Csv")), QStringLiteral("4"),
         QStringLiteral("--png"), out},
        {QStringLiteral("dump"), table, QStringLiteral("--png"), out},
    };
    for (const QStringList &args : bad) {
        run = runZevo3(args);
        EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(out)) << args.join(' ').toStdString();
    }
}

} // namespace
