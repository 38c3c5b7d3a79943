// The annotation's label and the code check's verdicts, and the redraw of a
// track with its overlay and annotation, pixel by pixel.

#include "text_codec.h"
#include "track_notes.h"
#include "wave_grid.h"
#include "wave_render.h"
#include "wave_samples.h"

#include <gtest/gtest.h>

namespace zevo3::test {
namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kSilver = 0xffc0c0c0;

TEST(AnnotationTest, TheLabelPadsTheKilohertzToTwoPlaces) {
    EXPECT_EQ(annotationLabel(12, 380, QString()), QStringLiteral("No.12: 38.0kHz"));
    EXPECT_EQ(annotationLabel(3, 56, QString()), QStringLiteral("No.3:  5.6kHz"));
    EXPECT_EQ(annotationLabel(5, 0, QString()), QStringLiteral("No.5:  0.0kHz"));
    EXPECT_EQ(annotationLabel(70, 400, QStringLiteral("照明 全灯")),
              QStringLiteral("No.70: 40.0kHz 照明 全灯"));
}

TEST(AnnotationTest, TheCodeCheckSoundsForEachOutcome) {
    EXPECT_EQ(codeCheckSound(QString(), QStringLiteral("01FE"), QString()), CheckSound::Chord);
    EXPECT_EQ(codeCheckSound(QString(), QString(), QString()), CheckSound::Tada);
    EXPECT_EQ(codeCheckSound(QString(), QString(), QStringLiteral("02FD")), CheckSound::None);
    EXPECT_EQ(codeCheckSound(QStringLiteral("a"), QStringLiteral("A"), QString()),
              CheckSound::Chord); // case counts
    EXPECT_EQ(soundFileName(CheckSound::Chord), QStringLiteral("chord.wav"));
    EXPECT_EQ(soundFileName(CheckSound::Tada), QStringLiteral("tada.wav"));
    EXPECT_TRUE(soundFileName(CheckSound::None).isEmpty());
}

class TrackNotesTest : public ::testing::Test {
protected:
    void SetUp() override {
        putNecRow(table, 4);
        putNecRow(table, 70);
    }
    WaveStore storeFor(int row) {
        WaveStore store;
        WaveGridData grid;
        fillWaveFromRow(table, row, store, grid);
        return store;
    }
    CodeTable table;
};

TEST_F(TrackNotesTest, WithTheCheckOffTheResultIsTheCodeText) {
    table.setCell(4, CodeTable::kColResult, "01FE");
    const TrackNotes notes = trackNotes(table, storeFor(4), false);
    EXPECT_TRUE(notes.annotate);
    EXPECT_EQ(notes.code, "01FE");
    EXPECT_EQ(notes.text, QStringLiteral("No.4: 38.0kHz TV power 01FE"));
    EXPECT_EQ(notes.sound, CheckSound::None);
    EXPECT_TRUE(notes.overlayAllowed);
}

TEST_F(TrackNotesTest, WithTheCheckOnTheEmptyCodeIsComparedWithTheResult) {
    table.setCell(4, CodeTable::kColResult, "01FE");
    TrackNotes notes = trackNotes(table, storeFor(4), true);
    EXPECT_TRUE(notes.code.isEmpty());
    EXPECT_EQ(notes.text, QStringLiteral("No.4: 38.0kHz TV power "));
    EXPECT_EQ(notes.sound, CheckSound::Chord);
    // No result, and none in the next row: the end of the list.
    table.setCell(4, CodeTable::kColResult, "");
    EXPECT_EQ(trackNotes(table, storeFor(4), true).sound, CheckSound::Tada);
    table.setCell(5, CodeTable::kColResult, "02FD");
    EXPECT_EQ(trackNotes(table, storeFor(4), true).sound, CheckSound::None);
    // The row after the last one reads as empty.
    EXPECT_EQ(trackNotes(table, storeFor(70), true).sound, CheckSound::Tada);
}

TEST_F(TrackNotesTest, NoRowNoAnnotationAndTmTurnsTheOverlayOff) {
    WaveStore store = storeFor(4);
    store.tableRow = 0; // neither a row's waveform nor a file's
    const TrackNotes none = trackNotes(table, store, true);
    EXPECT_FALSE(none.annotate);
    EXPECT_EQ(none.sound, CheckSound::None);
    table.setCell(4, CodeTable::kColResult, "Tm:0123");
    EXPECT_FALSE(trackNotes(table, storeFor(4), false).overlayAllowed);
}

TEST_F(TrackNotesTest, AFilesWaveformIsAnnotatedWithTheFilesFirstLineAndChecksNothing) {
    WaveStore store = storeFor(4);
    store.tableRow = 0;
    store.fileHeader = WaveFileHeader{"56.9kHz", toCp932(QStringLiteral("照明 全灯"))};
    table.setCell(4, CodeTable::kColResult, "01FE");
    for (bool check : {false, true}) {
        const TrackNotes notes = trackNotes(table, store, check);
        EXPECT_TRUE(notes.annotate);
        EXPECT_EQ(notes.text, QStringLiteral("56.9kHz 照明 全灯"));
        EXPECT_TRUE(notes.code.isEmpty());
        EXPECT_EQ(notes.sound, CheckSound::None);
        EXPECT_TRUE(notes.overlayAllowed);
    }
    // The file's line counts even where the store still names a row.
    store.tableRow = 4;
    EXPECT_EQ(trackNotes(table, store, false).text, QStringLiteral("56.9kHz 照明 全灯"));
    // Empty parts leave no blank behind.
    EXPECT_EQ(fileHeaderText({"38.0kHz", ""}), QStringLiteral("38.0kHz"));
    EXPECT_EQ(fileHeaderText({"", "TV"}), QStringLiteral("TV"));
    EXPECT_TRUE(fileHeaderText({}).isEmpty());
}

// Pixels: the overlay's dotted lines and labels, and the annotation.
class TrackPixelsTest : public TrackNotesTest {
protected:
    int silverIn(int x0, int x1, int y) const {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            n += image.pixel(x, y) == kSilver;
        return n;
    }
    bool inkIn(const QRect &area, QRgb colourNot = kWhite) const {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixel(x, y) != colourNot && qGreen(image.pixel(x, y)) != 128 &&
                    image.pixel(x, y) != kSilver)
                    return true;
        return false;
    }
    void draw(int zoom, const OverlaySettings &overlay, const TrackNotes &notes) {
        view.zoomDivisor = zoom;
        ASSERT_TRUE(drawTrack(image, view, store, overlay, notes));
    }
    QImage image = makeWaveImage();
    WaveViewState view;
    WaveStore store;
};

TEST_F(TrackPixelsTest, OverlayLinesAndLabelsOnlyBelowZoom150) {
    store = storeFor(4);
    const TrackNotes plain = trackNotes(table, store, false);
    draw(100, OverlaySettings::eiritsu(), plain);
    // The first sample at 260 µs: x 12, dotted from y 10 to y 50 (the
    // annotation, drawn last, covers its top).
    EXPECT_EQ(image.pixel(12, 24), kSilver);
    EXPECT_EQ(image.pixel(12, 25), kWhite);
    EXPECT_EQ(image.pixel(12, 26), kSilver);
    EXPECT_EQ(image.pixel(12, 50), kSilver);
    EXPECT_EQ(silverIn(0, 20000, 51), 0);
    // The second sample at 1093 µs: x 20.
    EXPECT_EQ(image.pixel(20, 30), kSilver);
    EXPECT_TRUE(inkIn(QRect(10, 43, 8, 12))); // its label under the line

    EXPECT_GE(silverIn(0, 20000, 30), 64); // frames of 32 samples
    draw(150, OverlaySettings::eiritsu(), plain);
    EXPECT_EQ(silverIn(0, 20000, 30), 0);
    EXPECT_FALSE(inkIn(QRect(10, 43, 200, 12)));

    // "Tm:" in the row's "Result": the overlay is not drawn at any zoom.
    table.setCell(4, CodeTable::kColResult, "Tm:1");
    draw(25, OverlaySettings::eiritsu(), trackNotes(table, store, false));
    EXPECT_EQ(silverIn(0, 20000, 30), 0);
}

TEST_F(TrackPixelsTest, TheAnnotationIsBlueAtTheTopLeftAndCoversThePreviousOne) {
    store = storeFor(4);
    draw(200, {}, trackNotes(table, store, false));
    bool blue = false;
    for (int y = 6; y < 20 && !blue; ++y)
        for (int x = 10; x < 30 && !blue; ++x)
            blue = qBlue(image.pixel(x, y)) > 200 && qRed(image.pixel(x, y)) < 100;
    EXPECT_TRUE(blue);
    for (int x = 0; x < 200; ++x)
        ASSERT_EQ(image.pixel(x, 4), kWhite) << x; // nothing above the text's top
    // Without a row there is no text at all.
    store.tableRow = 0;
    draw(200, {}, trackNotes(table, store, false));
    for (int y = 1; y < 18; ++y)
        for (int x = 0; x < 300; ++x)
            ASSERT_EQ(image.pixel(x, y), kWhite) << x << "," << y;
}

} // namespace
} // namespace zevo3::test
