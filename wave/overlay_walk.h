#pragma once
// The two bit-sampling overlays, Eiritsu and Philips, as one walk along the
// stored pulse train: the sample times and where they land, the level read at
// each, the frame ends and the value each frame spells. The screen draws the
// samples on the track; the wave print draws them on the page and writes the
// frame values.
//
// A sample reads the pulse under a level cursor that moves on by at most one
// pulse per sample, so on pulses shorter than the spacing it falls behind the
// sample time. Past the last stored pulse every sample reads low. A frame
// ends after 32 samples (Eiritsu) or after the Bits value (Philips); the next
// one starts Ts after the end of the first pulse that ends at or after the
// time one spacing past the frame's last sample. The walk stops at the right
// edge or once every stored pulse has been passed.

#include "wave_store.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace zevo3 {

enum class OverlayKind { None, Eiritsu, Philips };

struct OverlaySettings {
    OverlayKind kind = OverlayKind::None;
    int ts = 260;  // first sample after the frame start, µs
    int tw = 833;  // sample spacing, µs
    int bits = 32; // samples per frame (Philips)

    static OverlaySettings eiritsu() { return {OverlayKind::Eiritsu, 260, 833, 32}; }
    // From the texts of the Ts, Tw and Bits boxes; text that is not a
    // number gives 450, 878 and 32.
    static OverlaySettings philips(const QString &ts, const QString &tw, const QString &bits);
    // The spacing must move time on; with 0 or less the walk would never end.
    bool walkable() const { return kind != OverlayKind::None && tw > 0; }
};

// The integer a box holds, or the fallback when its text is not a number.
int overlayNumber(const QString &text, int fallback);

// Where the walk draws: x = t / scale + left, while x is below width.
struct WalkGeometry {
    int scale = 200;
    int left = 10;
    int width = 20000;
};

// The screen ends a Philips frame when the sample count equals Bits; the
// print when it reaches or exceeds it (so 0 or less ends every sample).
enum class WalkFor { Screen, Print };

struct OverlaySample {
    int64_t t = 0; // µs from the start of the train
    int x = 0;
    bool high = false; // in the high part of the pulse under the level cursor
    int n = 0;         // the sample's number within its frame
};

struct OverlayFrame {
    int x = 0;            // x one spacing after the frame's last sample
    bool pointer = false; // Eiritsu: a pointer frame (x and y) or a key frame (k)
    uint8_t xByte = 0;
    uint8_t yByte = 0;
    uint8_t key = 0;
    uint32_t word = 0; // Philips: bit n mod 32 set by a high sample n
};

struct OverlayWalk {
    std::vector<OverlaySample> samples;
    std::vector<OverlayFrame> frames;
};

// A walk stops after this many samples whatever the spacing: a spacing of
// 1 µs on a screen of 20000 pixels at 100 µs each would give two million.
inline constexpr int64_t kMaxOverlaySamples = 1'000'000;

// The whole walk, sample by sample and frame by frame. Nothing when the
// store is empty or the settings are not walkable. The Eiritsu pointer-frame
// decision holds for the rest of the walk once made (one walk is one
// printout).
void walkOverlay(const WaveStore &store, const OverlaySettings &settings, WalkFor mode,
                 const WalkGeometry &geometry,
                 const std::function<void(const OverlaySample &)> &onSample,
                 const std::function<void(const OverlayFrame &)> &onFrame);
// The same, collected.
OverlayWalk walkOverlay(const WaveStore &store, const OverlaySettings &settings, WalkFor mode,
                        const WalkGeometry &geometry);

// The label under a sample line: Eiritsu "0" high, "1" low; Philips "1"
// high, "0" low.
QString overlayLabel(OverlayKind kind, bool high);

// What the print writes for a frame: "x:%02X" and "y:%02X" for an Eiritsu
// pointer frame, "k:%02X" for a key frame, " m:" and the word's four bytes
// (least significant first, each "%02X ") for Philips.
struct FrameTexts {
    QString upper; // Eiritsu "x:" (written at the baseline's height); else empty
    QString lower; // "y:", "k:" or " m:"
};
FrameTexts frameTexts(OverlayKind kind, const OverlayFrame &frame);

// A "Result" that holds "Tm:" anywhere turns the screen overlay off.
bool overlaySuppressedBy(const QString &result);

} // namespace zevo3
