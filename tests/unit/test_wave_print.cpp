// The wave print's positions: the header, the pulses with their pen width,
// and with an overlay the sample lines, labels and frame values; then the
// plan drawn on an image and into a PDF.

#include "table_print.h"
#include "wave_grid.h"
#include "wave_print.h"
#include "wave_samples.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace zevo3::test {
namespace {

using namespace waveprint;

bool hasText(const WavePrintPlan &plan, QPoint at, const QString &text) {
    for (const WavePrintText &t : plan.texts)
        if (t.at == at && t.text == text) return true;
    return false;
}

class WavePrintTest : public ::testing::Test {
protected:
    void necStore(int row = 4) {
        putNecRow(table, row);
        table.setCell(row, CodeTable::kColResult, "01FE");
        WaveGridData grid;
        fillWaveFromRow(table, row, store, grid);
    }
    void eiritsuStore() {
        int k = 0;
        eiritsuFrame(store, k, "00000011111111111111100000000000"); // key k:FF
        eiritsuFrame(store, k, "01000011011000000110000000000000"); // pointer x:83 y:83
        store.tableRow = 0;
    }
    CodeTable table;
    WaveStore store;
};

TEST_F(WavePrintTest, PenWidthAndScaleFollowTheZoom) {
    EXPECT_EQ(wavePrintPenWidth(25), 4);
    EXPECT_EQ(wavePrintPenWidth(50), 3);
    EXPECT_EQ(wavePrintPenWidth(100), 2);
    EXPECT_EQ(wavePrintPenWidth(150), 1);
    EXPECT_EQ(wavePrintPenWidth(200), 1);
    EXPECT_EQ(wavePrintPenWidth(3000), 1);
    EXPECT_EQ(wavePrintPenWidth(33), 1); // not a step
    EXPECT_EQ(wavePrintScale(25), 10);
    EXPECT_EQ(wavePrintScale(200), 80);
    EXPECT_EQ(wavePrintScale(1), 1);
}

TEST_F(WavePrintTest, TheHeaderAndThePulsesUntilOneEndsBeyondThePage) {
    necStore();
    const WavePrintPlan plan = planWavePrint(store, table, {}, 25, 2000);
    EXPECT_EQ(plan.penWidth, 4);
    ASSERT_EQ(plan.texts.size(), 1u); // no overlay: the header alone
    EXPECT_EQ(plan.texts[0], (WavePrintText{{200, 250}, QStringLiteral("No.4:TV power 01FE")}));
    EXPECT_TRUE(plan.samples.empty());
    ASSERT_GE(plan.wave.size(), 5u);
    EXPECT_EQ(plan.wave[0], QLine(200, 390, 250, 390));  // the lead-in
    EXPECT_EQ(plan.wave[1], QLine(250, 390, 250, 310));  // up at time 0
    EXPECT_EQ(plan.wave[2], QLine(250, 310, 1150, 310)); // 9000 µs at 10 µs a dot
    EXPECT_EQ(plan.wave[3], QLine(1150, 310, 1150, 390));
    EXPECT_EQ(plan.wave[4], QLine(1150, 390, 1600, 390)); // 13500 µs
    // The last pulse drawn is the first to end beyond the page's 2000 dots.
    EXPECT_GT(plan.wave.back().x2(), 2000);
    EXPECT_LE(plan.wave[plan.wave.size() - 5].x2(), 2000);
    EXPECT_EQ((plan.wave.size() - 1) % 4, 0u);
}

TEST_F(WavePrintTest, AFilesWaveformIsHeadedWithTheFilesFirstLine) {
    necStore(4);
    store.tableRow = 0;
    store.fileHeader = WaveFileHeader{"38.0kHz", "TV power"};
    const WavePrintPlan plan = planWavePrint(store, table, {}, 25, 2000);
    ASSERT_EQ(plan.texts.size(), 1u);
    EXPECT_EQ(plan.texts[0], (WavePrintText{{200, 250}, QStringLiteral("38.0kHz TV power")}));
    EXPECT_EQ(plan.wave, planWavePrint(store, table, {}, 25, 2000).wave);
    store.fileHeader.reset();
    store.tableRow = 4;
    EXPECT_EQ(planWavePrint(store, table, {}, 25, 2000).texts[0].text,
              QStringLiteral("No.4:TV power 01FE"));
}

TEST_F(WavePrintTest, AnEmptyStorePrintsNothing) {
    const WavePrintPlan plan = planWavePrint(store, table, OverlaySettings::eiritsu(), 25, 2000);
    EXPECT_TRUE(plan.wave.empty());
    EXPECT_TRUE(plan.texts.empty());
}

TEST_F(WavePrintTest, EiritsuValuesAtEveryZoomAndLinesOnlyBelow150) {
    eiritsuStore();
    const WavePrintPlan wide = planWavePrint(store, table, OverlaySettings::eiritsu(), 200, 100000);
    EXPECT_TRUE(wide.samples.empty());
    ASSERT_EQ(wide.frames.size(), 2u);
    const int x0 = wide.frames[0].x, x1 = wide.frames[1].x;
    // The header, then per frame its values only.
    ASSERT_EQ(wide.texts.size(), 4u);
    EXPECT_EQ(wide.texts[0].text, QStringLiteral("No.0: "));
    EXPECT_TRUE(hasText(wide, {x0 - 12, 450}, QStringLiteral("k:FF")));
    EXPECT_TRUE(hasText(wide, {x1 - 12, 390}, QStringLiteral("x:83")));
    EXPECT_TRUE(hasText(wide, {x1 - 12, 450}, QStringLiteral("y:83")));
    // One spacing after the frame's last sample, at 80 µs a dot.
    EXPECT_EQ(x0, (260 + 32 * 833) / 80 + 250);

    const WavePrintPlan near = planWavePrint(store, table, OverlaySettings::eiritsu(), 100, 100000);
    ASSERT_EQ(near.samples.size(), 64u);
    EXPECT_EQ(near.samples[0], QLine(260 / 40 + 250, 290, 260 / 40 + 250, 450));
    EXPECT_TRUE(hasText(near, {260 / 40 + 250 - 12, 450}, QStringLiteral("0")));
    // Sample 6 of the key frame reads low: "1".
    const int x6 = (260 + 6 * 833) / 40 + 250;
    EXPECT_TRUE(hasText(near, {x6 - 12, 450}, QStringLiteral("1")));
}

TEST_F(WavePrintTest, PhilipsValuesNearTheFrameStartFromZoom150) {
    int k = 0;
    for (int n = 0; n < 16; ++n) // sample n 100 µs into pulse n; high for n = 0 and 9
        appendPulse(store, k, (n == 0 || n == 9) ? 500 : 50, n == 15 ? 1500 : 1000);
    const OverlaySettings philips = OverlaySettings::philips(
        QStringLiteral("100"), QStringLiteral("1000"), QStringLiteral("16"));
    const WavePrintPlan wide = planWavePrint(store, table, philips, 200, 100000);
    ASSERT_EQ(wide.frames.size(), 1u);
    const int x = wide.frames[0].x;
    EXPECT_EQ(x, (100 + 16 * 1000) / 80 + 250);
    // 1000 × 16 / 80 = 200 dots back: the frame's first sample.
    EXPECT_TRUE(hasText(wide, {x - 200, 410}, QStringLiteral(" m:01 02 00 00 ")));

    const WavePrintPlan near = planWavePrint(store, table, philips, 50, 100000);
    EXPECT_TRUE(hasText(near, {near.frames[0].x - 12, 450}, QStringLiteral(" m:01 02 00 00 ")));
    EXPECT_EQ(near.samples.size(), 16u);
    EXPECT_EQ(near.penWidth, 3);
}

TEST_F(WavePrintTest, ThePlanDrawnOnAnImageAndIntoAPdf) {
    necStore();
    QImage page(2480, 600, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.setFont(tablePrintFont());
        paintWavePrint(painter, planWavePrint(store, table, OverlaySettings::eiritsu(), 25, 2480));
    }
    EXPECT_EQ(page.pixel(225, 390), qRgb(0, 0, 0)); // the lead-in, 4 dots wide
    EXPECT_EQ(page.pixel(225, 388), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(225, 380), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(700, 310), qRgb(0, 0, 0)); // the leader's high level
    bool header = false;
    for (int y = 250; y < 300 && !header; ++y)
        for (int x = 200; x < 260 && !header; ++x)
            header = qGray(page.pixel(x, y)) < 128;
    EXPECT_TRUE(header);

    WavePrintPlan drawn;
    const QByteArray pdf = wavePrintPdf(store, table, OverlaySettings::eiritsu(), 25, &drawn);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_FALSE(drawn.wave.empty());
    EXPECT_FALSE(drawn.samples.empty());
}

} // namespace
} // namespace zevo3::test
