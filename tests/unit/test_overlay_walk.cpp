// The Eiritsu and Philips sample walk against hand-computed cases: where the
// samples fall, what the lagging level cursor reads, where the next frame
// starts, and the value each frame spells.

#include "overlay_walk.h"
#include "wave_samples.h"

#include <gtest/gtest.h>

namespace zevo3::test {
namespace {

constexpr WalkGeometry kScreen25{25, 10, 20000};

TEST(OverlayWalkTest, AnEiritsuFrameSpansThirtyOneSpacingsAfterItsFirstSample) {
    WaveStore store;
    int k = 0;
    eiritsuFrame(store, k, "00000000000000000000000000000000");
    const OverlayWalk walk =
        walkOverlay(store, OverlaySettings::eiritsu(), WalkFor::Screen, kScreen25);
    ASSERT_EQ(walk.samples.size(), 32u);
    EXPECT_EQ(walk.samples[0].t, 260);
    EXPECT_EQ(walk.samples[0].x, 260 / 25 + 10);
    EXPECT_EQ(walk.samples[31].t, 260 + 31 * 833); // 26083 µs
    EXPECT_EQ(walk.samples[31].x, 1043 + 10);
    EXPECT_EQ(walk.samples[31].n, 31);
    for (const OverlaySample &s : walk.samples)
        EXPECT_TRUE(s.high) << s.n;
    ASSERT_EQ(walk.frames.size(), 1u); // then every pulse has been passed
    EXPECT_EQ(walk.frames[0].x, (260 + 32 * 833) / 25 + 10);
}

TEST(OverlayWalkTest, TheNextFrameStartsTsAfterThePulseThatEndsPastTheLastSample) {
    WaveStore store;
    int k = 0;
    eiritsuFrame(store, k, "00000000000000000000000000000000");
    eiritsuFrame(store, k, "01000000000000000000000000000000");
    const OverlayWalk walk =
        walkOverlay(store, OverlaySettings::eiritsu(), WalkFor::Screen, kScreen25);
    ASSERT_EQ(walk.samples.size(), 64u);
    // 31 × 833 + 1133 = 26956: the end of the frame's last pulse.
    EXPECT_EQ(walk.samples[32].t, 26956 + 260);
    EXPECT_EQ(walk.samples[32].n, 0);
    EXPECT_TRUE(walk.samples[32].high);
    EXPECT_FALSE(walk.samples[33].high); // the second frame's sample 1 is read
    EXPECT_EQ(walk.frames.size(), 2u);
}

TEST(OverlayWalkTest, TheLevelCursorFallsBehindOnPulsesShorterThanTheSpacing) {
    WaveStore store;
    int k = 0;
    for (int i = 0; i < 8; ++i)
        appendPulse(store, k, 350, 400);
    const OverlayWalk walk =
        walkOverlay(store, OverlaySettings::eiritsu(), WalkFor::Screen, kScreen25);
    ASSERT_GE(walk.samples.size(), 3u);
    EXPECT_TRUE(walk.samples[0].high); // 260 µs: pulse 0, high until 350
    // 1093 µs lies in pulse 2's high part (800 to 1150), but the cursor has
    // moved on by one pulse only and reads pulse 1, already low at 750.
    EXPECT_EQ(walk.samples[1].t, 1093);
    EXPECT_FALSE(walk.samples[1].high);
    EXPECT_FALSE(walk.samples[2].high);
}

TEST(OverlayWalkTest, PastTheLastStoredPulseEverySampleReadsLow) {
    WaveStore store;
    // Old pulses beyond lastPulse, high all along, must not be read.
    for (auto &p : store.pulses)
        p = {5000, 5000};
    store.pulses[0] = {500, 1000};
    store.pulses[1] = {500, 1000};
    store.lastPulse = 1;
    OverlaySettings philips = OverlaySettings::philips({}, {}, {});
    philips.ts = 100, philips.tw = 1000, philips.bits = 0; // never ends a frame on screen
    const OverlayWalk walk = walkOverlay(store, philips, WalkFor::Screen, {100, 10, 20000});
    ASSERT_GT(walk.samples.size(), 100u);
    EXPECT_TRUE(walk.samples[0].high);
    EXPECT_TRUE(walk.samples[1].high);
    for (size_t i = 2; i < walk.samples.size(); ++i)
        ASSERT_FALSE(walk.samples[i].high) << i;
    EXPECT_TRUE(walk.frames.empty());
    // It samples on to the image's right edge.
    EXPECT_LT(walk.samples.back().x, 20000);
    EXPECT_GE((walk.samples.back().t + 1000) / 100 + 10, 20000);
}

TEST(OverlayWalkTest, AFullStoreIsWalkedToItsEndWithoutReadingBeyondIt) {
    WaveStore store;
    for (auto &p : store.pulses)
        p = {200, 700};
    store.lastPulse = WaveStore::kPulses - 1;
    // Samples run past the end while the frame cursor still counts pulses.
    OverlaySettings philips =
        OverlaySettings::philips(QStringLiteral("10"), QStringLiteral("2000"), QStringLiteral("0"));
    const OverlayWalk screen = walkOverlay(store, philips, WalkFor::Screen, {3000, 10, 20000});
    EXPECT_FALSE(screen.samples.back().high);
    const OverlayWalk print = walkOverlay(store, philips, WalkFor::Print, {1200, 250, 2480});
    EXPECT_FALSE(print.frames.empty());
}

TEST(OverlayWalkTest, ABitsValueOfZeroOrLessEndsAFrameAfterEverySampleInPrint) {
    WaveStore store;
    int k = 0;
    for (int i = 0; i < 6; ++i)
        appendPulse(store, k, 500, 1000);
    for (int bits : {0, -3}) {
        OverlaySettings philips = OverlaySettings::philips({}, {}, {});
        philips.ts = 100, philips.tw = 500, philips.bits = bits;
        const OverlayWalk print = walkOverlay(store, philips, WalkFor::Print, {40, 250, 4960});
        // A frame per sample; each frame passes at least one pulse, so six.
        EXPECT_EQ(print.frames.size(), 6u) << bits;
        EXPECT_EQ(print.samples.size(), 6u) << bits;
        const OverlayWalk screen = walkOverlay(store, philips, WalkFor::Screen, {100, 10, 20000});
        EXPECT_TRUE(screen.frames.empty()) << bits;
    }
}

TEST(OverlayWalkTest, APhilipsWordOfMoreThanThirtyTwoSamplesWrapsOntoBitZero) {
    WaveStore store;
    int k = 0;
    // Sample n falls 100 µs into pulse n; high where the pulse's High is 500.
    for (int n = 0; n < 40; ++n)
        appendPulse(store, k, (n == 0 || n == 35 || n == 32) ? 500 : 50, n == 39 ? 1500 : 1000);
    OverlaySettings philips = OverlaySettings::philips(
        QStringLiteral("100"), QStringLiteral("1000"), QStringLiteral("40"));
    const OverlayWalk walk = walkOverlay(store, philips, WalkFor::Print, {40, 250, 100000});
    ASSERT_EQ(walk.frames.size(), 1u);
    EXPECT_EQ(walk.frames[0].word, 0x9u); // samples 0 and 32 on bit 0, 35 on bit 3
    EXPECT_EQ(frameTexts(OverlayKind::Philips, walk.frames[0]).lower,
              QStringLiteral(" m:09 00 00 00 "));
}

TEST(OverlayWalkTest, ThePointerFrameDecisionIsMadeOncePerWalk) {
    WaveStore store;
    int k = 0;
    //                  0         1         2         3
    //                  01234567890123456789012345678901
    eiritsuFrame(store, k, "00000011111111111111100000000000"); // key: sample 1 reads "0"
    eiritsuFrame(store, k, "01000011011000000110000000000000"); // pointer
    eiritsuFrame(store, k, "00000000001000000000000000000000"); // pointer from here on
    const OverlayWalk walk =
        walkOverlay(store, OverlaySettings::eiritsu(), WalkFor::Print, {20, 250, 1000000});
    ASSERT_EQ(walk.frames.size(), 3u);
    EXPECT_FALSE(walk.frames[0].pointer);
    EXPECT_EQ(walk.frames[0].key, 0xFF); // samples 6,7,10,11,13,14,16,17; others set nothing
    EXPECT_TRUE(walk.frames[1].pointer);
    EXPECT_EQ(walk.frames[1].xByte, 0x80 | 0x01 | 0x02); // samples 6, 9, 10
    EXPECT_EQ(walk.frames[1].yByte, 0x80 | 0x01 | 0x02); // samples 7, 17, 18
    EXPECT_TRUE(walk.frames[2].pointer);
    EXPECT_EQ(walk.frames[2].xByte, 0x02); // sample 10 only: bytes start again
    EXPECT_EQ(walk.frames[2].yByte, 0x00);
    EXPECT_EQ(frameTexts(OverlayKind::Eiritsu, walk.frames[1]).upper, QStringLiteral("x:83"));
    EXPECT_EQ(frameTexts(OverlayKind::Eiritsu, walk.frames[1]).lower, QStringLiteral("y:83"));
    EXPECT_EQ(frameTexts(OverlayKind::Eiritsu, walk.frames[0]).lower, QStringLiteral("k:FF"));
    EXPECT_TRUE(frameTexts(OverlayKind::Eiritsu, walk.frames[0]).upper.isEmpty());
}

TEST(OverlayWalkTest, SettingsFromTheBoxesAndWhatCannotBeWalked) {
    const OverlaySettings fallback =
        OverlaySettings::philips(QStringLiteral("abc"), QString(), QStringLiteral("3x"));
    EXPECT_EQ(fallback.ts, 450);
    EXPECT_EQ(fallback.tw, 878);
    EXPECT_EQ(fallback.bits, 32);
    const OverlaySettings typed = OverlaySettings::philips(
        QStringLiteral("-20"), QStringLiteral("2100"), QStringLiteral("16"));
    EXPECT_EQ(typed.ts, -20);
    EXPECT_EQ(typed.tw, 2100);
    EXPECT_EQ(typed.bits, 16);

    WaveStore store;
    int k = 0;
    appendPulse(store, k, 500, 1000);
    appendPulse(store, k, 500, 1000);
    // A spacing of 0 would never move on: nothing is walked.
    OverlaySettings still = typed;
    still.tw = 0;
    EXPECT_FALSE(still.walkable());
    EXPECT_TRUE(walkOverlay(store, still, WalkFor::Screen, kScreen25).samples.empty());
    EXPECT_TRUE(walkOverlay(store, OverlaySettings{}, WalkFor::Screen, kScreen25).samples.empty());
    store.clear();
    EXPECT_TRUE(
        walkOverlay(store, OverlaySettings::eiritsu(), WalkFor::Screen, kScreen25).samples.empty());
}

TEST(OverlayWalkTest, LabelsAndTheTmRule) {
    EXPECT_EQ(overlayLabel(OverlayKind::Eiritsu, true), QStringLiteral("0"));
    EXPECT_EQ(overlayLabel(OverlayKind::Eiritsu, false), QStringLiteral("1"));
    EXPECT_EQ(overlayLabel(OverlayKind::Philips, true), QStringLiteral("1"));
    EXPECT_EQ(overlayLabel(OverlayKind::Philips, false), QStringLiteral("0"));
    EXPECT_TRUE(overlaySuppressedBy(QStringLiteral("01FE Tm:12")));
    EXPECT_FALSE(overlaySuppressedBy(QStringLiteral("tm:12")));
}

} // namespace
} // namespace zevo3::test
