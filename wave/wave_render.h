#pragma once
// Drawing the waveform store on the wide image: the track of a slot, the
// pulses as a square wave, and the two markers in XOR, so that drawing a
// marker line a second time at the same x removes it.
//
// Geometry of slot s: the track covers y 55s+1 .. 55s+55; the low level lies
// at 55s+45 and the high level 25 above it; markers run from y 2 to y 50.
// Time runs left to right, `zoomDivisor` microseconds a pixel, after a
// 10-pixel lead-in.

#include "overlay_walk.h"
#include "wave_store.h"
#include "wave_view.h"

#include <QColor>
#include <QFont>
#include <QImage>

class QPainter;

namespace zevo3 {

namespace wavegeom {
inline constexpr int kWidth = WaveViewState::kImageWidth;
inline constexpr int kHeight = 63;
inline constexpr int kTrack = 55;
inline constexpr int kLeadIn = 10;
inline constexpr int kRise = 25;
inline constexpr int kMarkerTop = 2;
inline constexpr int kMarkerEnd = 51; // the line stops short of it
inline int baseline(int slot) {
    return kTrack * slot + 45;
}
inline const QColor kWave{0, 128, 0};
inline const QColor kReference{255, 255, 0};
inline const QColor kMeasure{0, 128, 0};
inline const QColor kSampleLine{192, 192, 192};
inline const QColor kAnnotation{0, 0, 255};
inline constexpr int kAnnotationX = 10;
inline constexpr int kAnnotationTop = 6; // from the top of the track
inline constexpr int kSampleTop = 10;
inline constexpr int kSampleEnd = 50;
inline constexpr int kLabelTop = 41;
// The overlay is drawn only below this zoom step.
inline constexpr int kOverlayZoomLimit = 150;
} // namespace wavegeom

// The face of the texts on the track: the annotation and the bit labels.
QFont trackFont();

// A fresh image as the panel holds it at start-up: 20000 x 63, white.
QImage makeWaveImage();

enum class Marker { Reference, Measure };

class WaveRenderer {
public:
    WaveRenderer(QImage &image, WaveViewState &view) : image_(image), view_(view) {}

    // Markers erased, the slot's band painted white.
    void clearTrack(int slot);
    // One pulse; pulse 0 clears the track and draws the lead-in first.
    void drawPulse(const WaveStore &store, int slot, int k);
    // Pulses 0 to lastPulse; nothing (the old drawing stays) when the store
    // is empty. Returns whether anything was drawn.
    bool drawStore(const WaveStore &store, int slot = 0);
    // Both markers removed (a marker standing at x 0 stays).
    void eraseMarkers();
    // The left button places the measuring marker, the right one the
    // reference marker, with the rules for the first press and for a press
    // left of the reference.
    void placeMarker(Marker which, int x);
    // The overlay's dotted sample lines and bit labels, below zoom 150 only.
    void drawOverlay(const WaveStore &store, const OverlaySettings &settings, int slot = 0);
    // The annotation, blue, at x 10 near the top of the track.
    void annotate(const QString &text, int slot = 0);

private:
    void drawPulse(QPainter &painter, const WaveStore &store, int slot, int k);
    void markerLine(QPainter &painter, const QColor &colour, int x);
    void whiten(int slot);
    void markersAtZero(QPainter &painter);

    QImage &image_;
    WaveViewState &view_;
};

} // namespace zevo3
