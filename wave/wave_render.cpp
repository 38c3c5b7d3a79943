#include "wave_render.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace zevo3 {

using namespace wavegeom;

int zoomIndex(int divisor) {
    const auto at = std::find(kZoomSteps.begin(), kZoomSteps.end(), divisor);
    return int(at - kZoomSteps.begin());
}

int zoomLeft(int divisor) {
    const int i = zoomIndex(divisor);
    if (i == int(kZoomSteps.size())) return kZoomSteps.back();
    return kZoomSteps[std::max(0, i - 1)];
}

int zoomRight(int divisor) {
    const int i = zoomIndex(divisor);
    return kZoomSteps[std::min(int(kZoomSteps.size()) - 1, i + 1)];
}

QImage makeWaveImage() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

namespace {

// Axis-parallel lines as filled one-pixel rectangles, both ends included:
// exact pixels whatever the paint engine.
void hline(QPainter &p, int x0, int x1, int y, const QColor &colour) {
    if (x1 < x0) std::swap(x0, x1);
    p.fillRect(QRect(x0, y, x1 - x0 + 1, 1), colour);
}

void vline(QPainter &p, int x, int y0, int y1, const QColor &colour) {
    if (y1 < y0) std::swap(y0, y1);
    p.fillRect(QRect(x, y0, 1, y1 - y0 + 1), colour);
}

// A text with its top left corner at (x, top).
void textAt(QPainter &p, int x, int top, const QString &text) {
    p.drawText(QPoint(x, top + QFontMetrics(p.font()).ascent()), text);
}

} // namespace

QFont trackFont() {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(11);
    return font;
}

void WaveRenderer::drawOverlay(const WaveStore &store, const OverlaySettings &settings, int slot) {
    // At 150 and above the walk would draw nothing at all.
    if (view_.zoomDivisor >= kOverlayZoomLimit || view_.zoomDivisor < 1) return;
    QPainter painter(&image_);
    painter.setFont(trackFont());
    painter.setPen(Qt::black);
    const int top = kTrack * slot;
    const QString labels[2] = {overlayLabel(settings.kind, false),
                               overlayLabel(settings.kind, true)};
    int lastLine = -1;
    walkOverlay(
        store, settings, WalkFor::Screen, {view_.zoomDivisor, kLeadIn, kWidth},
        [&](const OverlaySample &sample) {
            if (sample.x != lastLine) { // one dotted line per column
                for (int y = top + kSampleTop; y <= top + kSampleEnd; y += 2)
                    painter.fillRect(QRect(sample.x, y, 1, 1), kSampleLine);
                lastLine = sample.x;
            }
            textAt(painter, sample.x - 2, top + kLabelTop, labels[sample.high]);
        },
        [](const OverlayFrame &) {});
}

void WaveRenderer::annotate(const QString &text, int slot) {
    QPainter painter(&image_);
    painter.setFont(trackFont());
    painter.setPen(kAnnotation);
    textAt(painter, kAnnotationX, kTrack * slot + kAnnotationTop, text);
}

void WaveRenderer::markerLine(QPainter &painter, const QColor &colour, int x) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(x, kMarkerTop, 1, kMarkerEnd - kMarkerTop), colour);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void WaveRenderer::eraseMarkers() {
    QPainter painter(&image_);
    if (view_.referenceMarker > 0) {
        markerLine(painter, kReference, view_.referenceMarker);
        view_.referenceMarker = -1;
    }
    if (view_.measureMarker > 0) {
        markerLine(painter, kMeasure, view_.measureMarker);
        view_.measureMarker = -1;
    }
}

void WaveRenderer::clearTrack(int slot) {
    whiten(slot);
    QPainter painter(&image_);
    markersAtZero(painter);
}

void WaveRenderer::whiten(int slot) {
    eraseMarkers();
    QPainter painter(&image_);
    painter.fillRect(QRect(0, kTrack * slot + 1, kWidth, kTrack), Qt::white);
}

// A marker at x 0 outlives the clearing. Its line goes back over whatever
// was drawn there (the lead-in), so that the next press erases it cleanly.
void WaveRenderer::markersAtZero(QPainter &painter) {
    if (view_.referenceMarker == 0) markerLine(painter, kReference, 0);
    if (view_.measureMarker == 0) markerLine(painter, kMeasure, 0);
}

void WaveRenderer::drawPulse(const WaveStore &store, int slot, int k) {
    if (k == 0) whiten(slot);
    QPainter painter(&image_);
    drawPulse(painter, store, slot, k);
    if (k == 0) markersAtZero(painter);
}

void WaveRenderer::drawPulse(QPainter &p, const WaveStore &store, int slot, int k) {
    if (k < 0 || k >= WaveStore::kPulses) return;
    PulsePen &pen = view_.pen;
    const int zoom = std::max(1, view_.zoomDivisor);
    if (k == 0) {
        pen.time = 0;
        pen.x = 0;
        pen.baseline = baseline(slot);
        hline(p, 0, kLeadIn, pen.baseline, kWave);
        pen.x = kLeadIn;
    } else if (pen.x >= kWidth) {
        return; // drawing stops at the right edge
    }
    const int y = pen.baseline;
    const int top = y - kRise;
    const WavePulse &pulse = store.pulses[k];
    vline(p, pen.x, top, y, kWave);
    const int fall = int(std::min<int64_t>((pen.time + pulse.High) / zoom + kLeadIn, kWidth));
    hline(p, pen.x, fall, top, kWave);
    vline(p, fall, top, y, kWave);
    pen.time += pulse.Width;
    const int next = int(std::min<int64_t>(pen.time / zoom + kLeadIn, kWidth));
    hline(p, fall, next, y, kWave);
    pen.x = next;
}

bool WaveRenderer::drawStore(const WaveStore &store, int slot) {
    if (store.empty()) return false;
    whiten(slot);
    QPainter painter(&image_);
    const int last = std::min<int>(store.lastPulse, WaveStore::kPulses - 1);
    for (int k = 0; k <= last; ++k) {
        if (k > 0 && view_.pen.x >= kWidth) break; // nothing more would be drawn
        drawPulse(painter, store, slot, k);
    }
    markersAtZero(painter);
    return true;
}

void WaveRenderer::placeMarker(Marker which, int x) {
    QPainter painter(&image_);
    if (which == Marker::Reference) {
        if (view_.referenceMarker == -1) {
            view_.referenceMarker = 0; // nothing to erase
        } else {
            if (view_.measureMarker > 0) {
                markerLine(painter, kMeasure, view_.measureMarker);
                view_.measureMarker = -1;
            }
            markerLine(painter, kReference, view_.referenceMarker);
        }
        markerLine(painter, kReference, x);
        view_.referenceMarker = x;
        return;
    }
    if (view_.measureMarker == -1) {
        if (view_.referenceMarker == -1) {
            view_.referenceMarker = 0;
            markerLine(painter, kReference, 0);
        }
    } else {
        if (x <= view_.referenceMarker) {
            markerLine(painter, kReference, view_.referenceMarker);
            view_.referenceMarker = 0;
            markerLine(painter, kReference, 0);
        }
        markerLine(painter, kMeasure, view_.measureMarker);
    }
    markerLine(painter, kMeasure, x);
    view_.measureMarker = x;
}

} // namespace zevo3
