// `zevo3 wave` draws a row's waveform as the window's panel does: the PNG it
// writes is the panel's image, pixel for pixel, for the same table, zoom,
// overlay and code check. Its text export reads back through the panel's
// "Load" into the same store, and its frame values are the print's.

#include "../cli/run_zevo3.h"
#include "../unit/wave_samples.h"
#include "main_window_fixture.h"
#include "save_file.h"
#include "table_file.h"
#include "wave_grid.h"
#include "wave_image.h"
#include "wave_print.h"

#include <QCheckBox>
#include <QComboBox>
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
        table.setCell(4, CodeTable::kColResult, "01FE");
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
    // With an overlay chosen in the window and named on the command line.
    struct Case {
        QStringList args;
        int zoom;
        std::function<void()> choose;
    };
    const Case cases[] = {
        {{QStringLiteral("--overlay"), QStringLiteral("eiritsu")},
         100,
         [&] { w.ckEiritsu->setChecked(true); }},
        {{QStringLiteral("--overlay"), QStringLiteral("philips"), QStringLiteral("--ts"),
          QStringLiteral("400"), QStringLiteral("--tw"), QStringLiteral("560"),
          QStringLiteral("--bits"), QStringLiteral("16")},
         50,
         [&] {
             w.ckEiritsu->setChecked(false);
             w.ckPhilips->setChecked(true);
             w.cmbTs->setEditText(QStringLiteral("400"));
             w.cmbTw->setEditText(QStringLiteral("560"));
             w.cmbBt->setCurrentIndex(0); // 16
         }},
        {{QStringLiteral("--code-check")},
         25,
         [&] {
             w.ckPhilips->setChecked(false);
             w.ckCodeCheck->setChecked(true);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        c.choose();
        w.SetZoomAndRedraw(c.zoom);
        const Outcome run = runZevo3(QStringList{QStringLiteral("wave"), table, QStringLiteral("4"),
                                                 QStringLiteral("--zoom"), QString::number(c.zoom),
                                                 QStringLiteral("--png"), png("row4.png")} +
                                     c.args);
        ASSERT_EQ(run.code, 0) << run.err.constData();
        EXPECT_EQ(QImage(png("row4.png")).convertToFormat(QImage::Format_RGB32),
                  w.imgWave->canvas());
    }
    EXPECT_EQ(objects->table.cell(4, CodeTable::kColResult), "01FE");
}

TEST_F(WaveCliTest, TheTextExportLoadsBackAndTheFrameValuesAreThePrints) {
    const QString table = writeTable();
    const QString text = dir.filePath(QStringLiteral("row4.Txt"));
    const QString pdf = dir.filePath(QStringLiteral("row4.pdf"));
    const Outcome run =
        runZevo3({QStringLiteral("wave"), table, QStringLiteral("4"), QStringLiteral("--overlay"),
                  QStringLiteral("eiritsu"), QStringLiteral("--zoom"), QStringLiteral("50"),
                  QStringLiteral("--text"), text, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(run.code, 0) << run.err.constData();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));

    // The same frames as the print core gives for the row.
    CodeTable rows;
    putNecRow(rows, 4);
    WaveStore store;
    WaveGridData grid;
    fillWaveFromRow(rows, 4, store, grid);
    WavePrintPlan plan;
    wavePrintPdf(store, rows, OverlaySettings::eiritsu(), 50, &plan);
    QByteArrayList lines = run.out.split('\n');
    ASSERT_EQ(lines.takeLast(), QByteArray());
    ASSERT_EQ(lines.size(), qsizetype(plan.frames.size()));
    for (size_t i = 0; i < plan.frames.size(); ++i) {
        const FrameTexts t = frameTexts(OverlayKind::Eiritsu, plan.frames[i]);
        EXPECT_EQ(lines[qsizetype(i)],
                  (t.upper.isEmpty() ? t.lower : t.upper + QLatin1Char(' ') + t.lower).toLatin1());
    }

    // "Load" in the window reads the export into the same pulses.
    TfrmMain &w = createAll();
    ASSERT_TRUE(w.loadWaveFile(text));
    EXPECT_EQ(objects->waveStore.lastPulse, store.lastPulse);
    EXPECT_EQ(objects->waveStore.carrier, 380);
    for (int k = 0; k <= store.lastPulse; ++k)
        ASSERT_EQ(objects->waveStore.pulses[size_t(k)], store.pulses[size_t(k)]) << k;
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
        {QStringLiteral("wave"), table, QStringLiteral("4"), QStringLiteral("--overlay"),
         QStringLiteral("nec"), QStringLiteral("--png"), out},
        {QStringLiteral("wave"), table, QStringLiteral("4"), QStringLiteral("--overlay"),
         QStringLiteral("philips"), QStringLiteral("--tw"), QStringLiteral("0"),
         QStringLiteral("--png"), out},
        {QStringLiteral("wave"), table, QStringLiteral("4"), QStringLiteral("--overlay"),
         QStringLiteral("eiritsu"), QStringLiteral("--ts"), QStringLiteral("100"),
         QStringLiteral("--png"), out},
        {QStringLiteral("print"), table, QStringLiteral("--code-check"), QStringLiteral("--pdf"),
         out},
        {QStringLiteral("check"), table, QStringLiteral("--text"), out},
    };
    for (const QStringList &args : bad) {
        run = runZevo3(args);
        EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(out)) << args.join(' ').toStdString();
    }
}

TEST_F(WaveCliTest, AWaveTextFileIsDrawnPrintedAndExportedAsAfterTheWindowsLoad) {
    // An NEC frame written as plain numbers from its published timings: a
    // 9 ms mark and 4.5 ms space, then address 0x04, its complement, command
    // 0x08 and its complement, least significant bit first (560 us marks,
    // 560 us spaces for 0, 1690 us for 1), and the closing mark.
    QByteArray file = "38.0kHz,TV power,\r\n[No.],   [H],   [L],   [W] (uS)\r\n";
    std::vector<std::pair<int, int>> pulses = {{9000, 4500}};
    for (const uint8_t byte : {0x04, 0xFB, 0x08, 0xF7})
        for (int bit = 0; bit < 8; ++bit)
            pulses.push_back({560, (byte >> bit) & 1 ? 1690 : 560});
    pulses.push_back({560, 40000});
    for (size_t i = 0; i < pulses.size(); ++i)
        file += QStringLiteral("[%1],%2,%3,%4\r\n")
                    .arg(i, 3, 10, QLatin1Char('0'))
                    .arg(pulses[i].first, 6)
                    .arg(pulses[i].second, 6)
                    .arg(pulses[i].first + pulses[i].second, 6)
                    .toLatin1();
    file += "\r\n";
    const QString wave = dir.filePath(QStringLiteral("nec.Txt"));
    ASSERT_TRUE(saveFileAtomically(wave, file));

    const QString text = dir.filePath(QStringLiteral("again.Txt"));
    const QString pdf = dir.filePath(QStringLiteral("nec.pdf"));
    // Options in any order, without a table.
    const Outcome run =
        runZevo3({QStringLiteral("--zoom"), QStringLiteral("50"), QStringLiteral("wave"),
                  QStringLiteral("--from-text"), wave, QStringLiteral("--png"), png("nec.png"),
                  QStringLiteral("--text"), text, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(run.code, 0) << run.err.constData();
    // The export keeps the file's own first line: the same bytes again.
    QFile again(text);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), file);
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().startsWith("%PDF"));

    // The picture is the panel's after "Load" of the same file.
    TfrmMain &w = createAll();
    w.show();
    ASSERT_TRUE(w.loadWaveFile(wave));
    EXPECT_EQ(objects->waveStore.lastPulse, int(pulses.size()) - 1);
    w.SetZoomAndRedraw(50);
    QImage written(png("nec.png"));
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), w.imgWave->canvas());

    // Not a wave file: named, nothing written. A code check has no Result
    // to compare with.
    ASSERT_TRUE(saveFileAtomically(wave, QByteArray(file).replace("[005]", "[006]")));
    const QString out = png("none.png");
    const Outcome bad = runZevo3({QStringLiteral("wave"), QStringLiteral("--from-text"), wave,
                                  QStringLiteral("--png"), out});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains("line 8")) << bad.err.constData();
    EXPECT_FALSE(QFile::exists(out));
    for (const QStringList &args :
         {QStringList{QStringLiteral("wave"), QStringLiteral("--from-text"), wave,
                      QStringLiteral("--code-check"), QStringLiteral("--png"), out},
          QStringList{QStringLiteral("wave"), QStringLiteral("t.Csv"), QStringLiteral("1"),
                      QStringLiteral("--from-text"), wave, QStringLiteral("--png"), out},
          QStringList{QStringLiteral("wave"), QStringLiteral("--from-text"),
                      dir.filePath(QStringLiteral("absent.Txt")), QStringLiteral("--png"), out}}) {
        EXPECT_EQ(runZevo3(args).code, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
