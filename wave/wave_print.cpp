#include "wave_print.h"

#include "table_print.h"
#include "text_codec.h"
#include "track_notes.h"
#include "wave_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>

namespace zevo3 {

using namespace waveprint;

QString wavePrintTitle() {
    return QStringLiteral("MORIKA ZEVO3 Tool[ Wave Date ]");
}

int wavePrintScale(int zoomDivisor) {
    return std::max(1, zoomDivisor * 10 / 25);
}

int wavePrintPenWidth(int zoomDivisor) {
    return std::max(1, 4 - zoomIndex(zoomDivisor));
}

WavePrintPlan planWavePrint(const WaveStore &store, const CodeTable &table,
                            const OverlaySettings &overlay, int zoomDivisor, int pageWidth) {
    WavePrintPlan plan;
    plan.scale = wavePrintScale(zoomDivisor);
    plan.penWidth = wavePrintPenWidth(zoomDivisor);
    if (store.empty()) return plan;
    const int row = store.tableRow;
    if (store.fileHeader)
        plan.texts.push_back({{kLeft - 50, kTop}, fileHeaderText(*store.fileHeader)});
    else
        plan.texts.push_back({{kLeft - 50, kTop},
                              QStringLiteral("No.%1:").arg(row) +
                                  toDisplay(table.cell(row, CodeTable::kColComments)) +
                                  QLatin1Char(' ') +
                                  toDisplay(table.cell(row, CodeTable::kColResult))});

    // The pulses, after a lead-in, until one ends beyond the page.
    plan.wave.push_back({kLeft - 50, kBaseline, kLeft, kBaseline});
    int64_t time = 0;
    int x = kLeft;
    const int last = std::min<int>(store.lastPulse, WaveStore::kPulses - 1);
    for (int k = 0; k <= last; ++k) {
        const WavePulse &p = store.pulses[size_t(k)];
        plan.wave.push_back({x, kBaseline, x, kHighLevel});
        const int fall = int((time + p.High) / plan.scale + kLeft);
        plan.wave.push_back({x, kHighLevel, fall, kHighLevel});
        plan.wave.push_back({fall, kHighLevel, fall, kBaseline});
        time += p.Width;
        x = int(time / plan.scale + kLeft);
        plan.wave.push_back({fall, kBaseline, x, kBaseline});
        if (x > pageWidth) break;
    }

    if (!overlay.walkable()) return plan;
    const bool lines = zoomDivisor < 150;
    const QString labels[2] = {overlayLabel(overlay.kind, false), overlayLabel(overlay.kind, true)};
    walkOverlay(
        store, overlay, WalkFor::Print, {plan.scale, kLeft, pageWidth},
        [&](const OverlaySample &s) {
            if (!lines) return;
            plan.samples.push_back({s.x, kSampleTop, s.x, kSampleEnd});
            plan.texts.push_back({{s.x - 12, kLabelY}, labels[s.high]});
        },
        [&](const OverlayFrame &f) {
            plan.frames.push_back(f);
            const FrameTexts t = frameTexts(overlay.kind, f);
            if (overlay.kind == OverlayKind::Eiritsu) {
                if (!t.upper.isEmpty()) plan.texts.push_back({{f.x - 12, kBaseline}, t.upper});
                plan.texts.push_back({{f.x - 12, kLabelY}, t.lower});
            } else if (lines) {
                plan.texts.push_back({{f.x - 12, kLabelY}, t.lower});
            } else {
                // Near the frame's first sample.
                const int64_t span = int64_t(overlay.tw) * overlay.bits / plan.scale;
                plan.texts.push_back({{int(f.x - span), kPhilipsWideY}, t.lower});
            }
        });
    return plan;
}

void paintWavePrint(QPainter &painter, const WavePrintPlan &plan) {
    painter.save();
    painter.setPen(QPen(Qt::black, plan.penWidth, Qt::SolidLine, Qt::SquareCap));
    painter.drawLines(plan.wave.data(), int(plan.wave.size()));
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLines(plan.samples.data(), int(plan.samples.size()));
    painter.setPen(Qt::black);
    const int ascent = QFontMetrics(painter.font(), painter.device()).ascent();
    for (const WavePrintText &t : plan.texts)
        painter.drawText(QPoint(t.at.x(), t.at.y() + ascent), t.text);
    painter.restore();
}

QByteArray wavePrintPdf(const WaveStore &store, const CodeTable &table,
                        const OverlaySettings &overlay, int zoomDivisor, WavePrintPlan *plan) {
    return printA4Pdf(wavePrintTitle(), kWavePrintResolution,
                      [&](QPdfWriter &writer, QPainter &painter) {
                          const WavePrintPlan drawn =
                              planWavePrint(store, table, overlay, zoomDivisor, writer.width());
                          paintWavePrint(painter, drawn);
                          if (plan) *plan = drawn;
                      });
}

} // namespace zevo3
