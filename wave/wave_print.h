#pragma once
// The wave print: the stored pulse train on a page under a header line with
// the row, its comment and its "Result" (or the first line of the wave file
// the pulses were loaded from), and with an overlay chosen, the
// sample lines, the bit labels and each frame's value. The positions are
// worked out first (tests check them exactly), then drawn on any painter: a
// printer page, a PDF, an image. Texts are placed by their top left corner.

#include "code_table.h"
#include "overlay_walk.h"
#include "wave_store.h"

#include <QByteArray>
#include <QLine>
#include <QPoint>
#include <QString>
#include <vector>

class QPainter;

namespace zevo3 {

namespace waveprint {
inline constexpr int kLeft = 250;
inline constexpr int kTop = 250;
inline constexpr int kWaveHeight = 80;
inline constexpr int kBaseline = kTop + kWaveHeight + 60;  // 390
inline constexpr int kHighLevel = kBaseline - kWaveHeight; // 310
inline constexpr int kSampleTop = 290;
inline constexpr int kSampleEnd = 450;
inline constexpr int kLabelY = 450;
inline constexpr int kPhilipsWideY = 410;
} // namespace waveprint

// The layout is in printer dots; at 300 dots an inch the header stands clear
// of the wave and the wave is 7 mm high. The window's print and the PDF use it.
inline constexpr int kWavePrintResolution = 300;

struct WavePrintText {
    QPoint at; // top left, in device dots
    QString text;
    bool operator==(const WavePrintText &) const = default;
};

struct WavePrintPlan {
    int scale = 1;              // µs per dot
    int penWidth = 1;           // of the waveform
    std::vector<QLine> wave;    // solid, penWidth wide
    std::vector<QLine> samples; // dotted, one dot wide
    std::vector<WavePrintText> texts;
    std::vector<OverlayFrame> frames; // in the order printed
};

// The print job's title.
QString wavePrintTitle();

// µs per dot: zoom × 10 / 25, at least 1.
int wavePrintScale(int zoomDivisor);
// 4 − the zoom's step index (20 when it is none), at least 1.
int wavePrintPenWidth(int zoomDivisor);

// Everything on the page of the given width, for the zoom and the overlay
// (OverlayKind::None for none). An empty store gives an empty plan.
WavePrintPlan planWavePrint(const WaveStore &store, const CodeTable &table,
                            const OverlaySettings &overlay, int zoomDivisor, int pageWidth);

// Draws the plan in black with the painter's font.
void paintWavePrint(QPainter &painter, const WavePrintPlan &plan);

// The print on one A4 page at 300 dots an inch, as a PDF; what was drawn
// goes to `plan` when given.
QByteArray wavePrintPdf(const WaveStore &store, const CodeTable &table,
                        const OverlaySettings &overlay, int zoomDivisor,
                        WavePrintPlan *plan = nullptr);

} // namespace zevo3
