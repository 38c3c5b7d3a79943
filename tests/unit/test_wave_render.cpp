// The waveform on the wide image, pixel by pixel: the lead-in, the edges at
// their x for several zoom steps, the clamp at the right edge, and the two
// markers drawn and removed by XOR.

#include "wave_render.h"

#include <gtest/gtest.h>

namespace zevo3::test {
namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kGreen = 0xff008000;
// White XOR the marker pens.
constexpr QRgb kYellowOnWhite = 0xff0000ff;
constexpr QRgb kGreenOnWhite = 0xffff7fff;

class RenderTest : public ::testing::Test {
protected:
    QRgb at(int x, int y) const { return image.pixel(x, y); }
    // The x of every green pixel on row y.
    std::vector<int> greenOn(int y) const {
        std::vector<int> xs;
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kGreen) xs.push_back(x);
        return xs;
    }
    void draw(int zoom) {
        view.zoomDivisor = zoom;
        ASSERT_TRUE(WaveRenderer(image, view).drawStore(store));
    }
    void twoPulses() {
        store.pulses[0] = {9000, 13500};
        store.pulses[1] = {560, 1120};
        store.lastPulse = 1;
    }

    QImage image = makeWaveImage();
    WaveViewState view;
    WaveStore store;
};

TEST_F(RenderTest, TheImageIsTheWidthOfTheTrackAndWhite) {
    EXPECT_EQ(image.size(), QSize(20000, 63));
    EXPECT_EQ(at(12345, 30), kWhite);
}

TEST_F(RenderTest, LeadInAndEdgesStandAtTheirTimes) {
    twoPulses();
    struct Case {
        int zoom, rise0, fall0, rise1, fall1, end;
    };
    // fall = (time + High) / zoom + 10, rise = time / zoom + 10.
    for (const Case c : {Case{25, 10, 370, 550, 572, 594}, Case{100, 10, 100, 145, 150, 156},
                         Case{3000, 10, 13, 14, 14, 14}}) {
        SCOPED_TRACE(c.zoom);
        draw(c.zoom);
        // The lead-in on the low level, 0 to 10.
        for (int x = 0; x <= 10; ++x)
            ASSERT_EQ(at(x, 45), kGreen) << x;
        // Halfway up, only the edges are green.
        std::vector<int> edges = {c.rise0, c.fall0, c.rise1, c.fall1};
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        EXPECT_EQ(greenOn(32), edges);
        // The high part on the high level only.
        EXPECT_EQ(at(11, 20), kGreen);
        EXPECT_EQ(at(11, 45), kWhite);
        EXPECT_EQ(at(c.end, 45), kGreen);
        EXPECT_EQ(at(c.end + 1, 45), kWhite);
        EXPECT_EQ(view.pen.x, c.end);
    }
}

TEST_F(RenderTest, ATrainWiderThanTheImageEndsExactlyAtItsRightEdge) {
    view.zoomDivisor = 25; // 19990 pixels hold 499750 microseconds
    for (int k = 0; k < 30; ++k)
        store.pulses[k] = {20000, 40000};
    store.lastPulse = 29; // 1 200 000 microseconds
    draw(25);
    EXPECT_EQ(view.pen.x, 20000);
    // 480000 / 25 + 10 = 19210 is the last rising edge; its high part runs
    // to 500000 / 25 + 10 = 20010, cut at the edge.
    EXPECT_EQ(at(19210, 32), kGreen);
    EXPECT_EQ(at(19999, 20), kGreen);
    EXPECT_EQ(at(19999, 45), kWhite);
    EXPECT_EQ(greenOn(32).back(), 19210);
}

TEST_F(RenderTest, LastPulseFiveDrawsSixPulsesAndNothingOfTheOldOnesBehind) {
    for (int k = 0; k < 10; ++k)
        store.pulses[k] = {500, 1000};
    store.lastPulse = 5;
    draw(100);
    EXPECT_EQ(greenOn(32).size(), 12u); // a rising and a falling edge each
    // Clearing keeps the pulses; an empty store draws nothing, the old
    // drawing stays until the track is cleared.
    store.clear();
    EXPECT_FALSE(WaveRenderer(image, view).drawStore(store));
    EXPECT_EQ(greenOn(32).size(), 12u);
    WaveRenderer(image, view).clearTrack(0);
    EXPECT_TRUE(greenOn(32).empty());
    EXPECT_TRUE(greenOn(45).empty());
}

TEST_F(RenderTest, DrawPulseOneByOneMatchesTheWholeRedraw) {
    twoPulses();
    draw(50);
    const QImage whole = image;
    image = makeWaveImage();
    WaveRenderer r(image, view);
    r.drawPulse(store, 0, 0);
    r.drawPulse(store, 0, 1);
    r.drawPulse(store, 0, 4097); // beyond the store: nothing
    EXPECT_EQ(image, whole);
}

TEST_F(RenderTest, TheFirstLeftPressSetsTheReferenceAtZeroAndDrawsBothLines) {
    WaveRenderer r(image, view);
    r.placeMarker(Marker::Measure, 300);
    EXPECT_EQ(view.referenceMarker, 0);
    EXPECT_EQ(view.measureMarker, 300);
    for (int y = 2; y <= 50; ++y) {
        ASSERT_EQ(at(0, y), kYellowOnWhite) << y;
        ASSERT_EQ(at(300, y), kGreenOnWhite) << y;
    }
    EXPECT_EQ(at(300, 1), kWhite);
    EXPECT_EQ(at(300, 51), kWhite);
    // The next left press moves only the measuring line.
    r.placeMarker(Marker::Measure, 400);
    EXPECT_EQ(at(300, 10), kWhite);
    EXPECT_EQ(at(400, 10), kGreenOnWhite);
    EXPECT_EQ(at(0, 10), kYellowOnWhite);
}

TEST_F(RenderTest, RightPressMovesTheReferenceAndRemovesTheMeasuringLine) {
    WaveRenderer r(image, view);
    r.placeMarker(Marker::Measure, 400);
    r.placeMarker(Marker::Reference, 200);
    EXPECT_EQ(view.referenceMarker, 200);
    EXPECT_EQ(view.measureMarker, -1);
    EXPECT_EQ(at(0, 10), kWhite);
    EXPECT_EQ(at(400, 10), kWhite);
    EXPECT_EQ(at(200, 10), kYellowOnWhite);
    // No measuring line shown: a left press left of the reference leaves it.
    r.placeMarker(Marker::Measure, 150);
    EXPECT_EQ(view.referenceMarker, 200);
    EXPECT_EQ(at(150, 10), kGreenOnWhite);
    // With one shown, a press at or left of the reference moves it to 0.
    r.placeMarker(Marker::Measure, 200);
    EXPECT_EQ(view.referenceMarker, 0);
    EXPECT_EQ(view.measureMarker, 200);
    EXPECT_EQ(at(0, 10), kYellowOnWhite);
    EXPECT_EQ(at(150, 10), kWhite);
    // The reference line was removed and the measuring line drawn at the
    // same x: white ^ yellow ^ yellow ^ green.
    EXPECT_EQ(at(200, 10), kGreenOnWhite);
}

TEST_F(RenderTest, MarkersOverTheWaveAreRemovedWithoutRedrawingIt) {
    twoPulses();
    draw(100);
    const QImage drawn = image;
    WaveRenderer r(image, view);
    r.placeMarker(Marker::Reference, 100); // on the falling edge
    r.placeMarker(Marker::Measure, 120);
    EXPECT_NE(image, drawn);
    r.eraseMarkers();
    EXPECT_EQ(view.referenceMarker, -1);
    EXPECT_EQ(view.measureMarker, -1);
    EXPECT_EQ(image, drawn);
}

TEST_F(RenderTest, AMarkerAtZeroOutlivesARedrawAndStaysVisible) {
    twoPulses();
    WaveRenderer r(image, view);
    r.placeMarker(Marker::Measure, 300); // reference at 0
    draw(100);
    EXPECT_EQ(view.referenceMarker, 0);
    EXPECT_EQ(view.measureMarker, -1);
    EXPECT_EQ(at(0, 10), kYellowOnWhite);
    EXPECT_EQ(at(300, 10), kWhite);
    // Moving it removes the line at 0 instead of drawing a stray one there.
    r.placeMarker(Marker::Reference, 50);
    EXPECT_EQ(at(0, 10), kWhite);
    // and leaves the lead-in under it as it was drawn.
    EXPECT_EQ(at(0, 45), kGreen);
}

TEST_F(RenderTest, AMarkerAtZeroOverAPulseByPulseDrawingIsRemovedCleanly) {
    twoPulses();
    WaveRenderer r(image, view);
    r.placeMarker(Marker::Measure, 300);
    view.zoomDivisor = 100;
    r.drawPulse(store, 0, 0);
    r.drawPulse(store, 0, 1);
    r.placeMarker(Marker::Reference, 50);
    EXPECT_EQ(at(0, 45), kGreen);
    EXPECT_EQ(at(0, 10), kWhite);
}

TEST(ZoomTest, StepsStopAtBothEndsAndStrayDivisorsGoToTheNarrowest) {
    EXPECT_EQ(zoomLeft(25), 25);
    EXPECT_EQ(zoomRight(3000), 3000);
    EXPECT_EQ(zoomLeft(200), 150);
    EXPECT_EQ(zoomRight(200), 250);
    EXPECT_EQ(zoomRight(2000), 3000);
    EXPECT_EQ(zoomLeft(333), 3000);
    EXPECT_EQ(zoomRight(333), 3000);
    EXPECT_EQ(zoomIndex(25), 0);
    EXPECT_EQ(zoomIndex(3000), 19);
    EXPECT_EQ(zoomIndex(7), 20);
}

TEST(WheelTest, NotchesBecomeStepsAndFineTurnsAddUp) {
    WheelSteps steps;
    EXPECT_EQ(steps.take(120, 3), 3);
    EXPECT_EQ(steps.take(-240, 3), -6);
    EXPECT_EQ(steps.take(0, 3), 0);
    // A touch pad's small turns: one step a notch, whatever the pieces.
    WheelSteps zoom;
    EXPECT_EQ(zoom.take(50, 1), 0);
    EXPECT_EQ(zoom.take(50, 1), 0);
    EXPECT_EQ(zoom.take(50, 1), 1);
    EXPECT_EQ(zoom.take(90, 1), 1); // 30 left over, and 90
    // Turning back forgets what was left over the other way.
    EXPECT_EQ(zoom.take(60, 1), 0);
    EXPECT_EQ(zoom.take(-60, 1), 0);
    EXPECT_EQ(zoom.take(-60, 1), -1);
}

TEST(WheelTest, CtrlZoomsAndTheTurnCountsOnItsMainAxis) {
    EXPECT_EQ(wheelTurn(0, -120, false).delta, -120);
    EXPECT_FALSE(wheelTurn(0, -120, false).zoom);
    EXPECT_EQ(wheelTurn(-120, 0, false).delta, -120); // Shift turned sideways, or a tilt
    EXPECT_EQ(wheelTurn(10, 120, false).delta, 120);
    EXPECT_EQ(wheelTurn(120, -10, false).delta, 120);
    EXPECT_TRUE(wheelTurn(0, 120, true).zoom);
    EXPECT_EQ(wheelTurn(0, 120, true).delta, 120);
}

TEST(ScrollTest, TheImageMovesByPositionTimesSpanOverMaximum) {
    WaveViewState view;
    view.scrollSpan = WaveViewState::scrollSpanFor(980);
    EXPECT_EQ(view.scrollSpan, -19040);
    EXPECT_EQ(view.imageLeftFor(0, 100), 0);
    EXPECT_EQ(view.imageLeftFor(100, 100), -19040);
    EXPECT_EQ(view.imageLeftFor(33, 100), -6283); // -628320 / 100
    EXPECT_EQ(view.imageLeftFor(5, 0), 0);
}

} // namespace
} // namespace zevo3::test
