#include "wave_command.h"

#include "track_notes.h"
#include "wave_grid.h"
#include "wave_print.h"
#include "wave_render.h"
#include "wave_store.h"
#include "wave_text_file.h"

#include "settings.h"

#include <QBuffer>
#include <QImage>
#include <memory>

namespace zevo3::cli {

namespace {

QString checkOutcome(const TrackNotes &notes, int row) {
    switch (notes.sound) {
    case CheckSound::Chord:
        return QStringLiteral("code check: row %1 differs from its Result (chord.wav)").arg(row);
    case CheckSound::Tada:
        return QStringLiteral("code check: row %1 matches, the last of the list (tada.wav)")
            .arg(row);
    case CheckSound::None:
        break;
    }
    return QStringLiteral("code check: row %1 matches").arg(row);
}

// The outputs of a filled store; `table` gives the row's texts (none for a
// store filled from a file, which carries its own first line).
void render(const WaveStore &store, const CodeTable &table, const WaveRequest &request,
            WaveOutputs &out) {
    out.drawn = true;
    const TrackNotes notes = trackNotes(table, store, request.codeCheck);
    if (request.codeCheck) out.checkLine = checkOutcome(notes, request.row);
    if (request.png) {
        QImage image = makeWaveImage();
        WaveViewState view;
        view.zoomDivisor = request.zoom;
        drawTrack(image, view, store, request.overlay, notes);
        QBuffer buffer(&out.png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    // The print's walk gives the frame values, whether or not a PDF is wanted.
    if (request.pdf || request.overlay.walkable()) {
        WavePrintPlan plan;
        const QByteArray pdf = wavePrintPdf(store, table, request.overlay, request.zoom, &plan);
        if (request.pdf) out.pdf = pdf;
        for (const OverlayFrame &frame : plan.frames) {
            const FrameTexts texts = frameTexts(request.overlay.kind, frame);
            const QString line =
                texts.upper.isEmpty() ? texts.lower : texts.upper + QLatin1Char(' ') + texts.lower;
            out.frameLines += line.toLatin1() + '\n';
        }
    }
    if (request.text) {
        // No current row here: the header is the row's own, or the file's.
        out.text = store.fileHeader
                       ? writeWaveText(store, store.fileHeader->carry, store.fileHeader->comments)
                       : writeWaveText(store, table.cell(request.row, CodeTable::kColCarry),
                                       table.cell(request.row, CodeTable::kColComments));
    }
}

} // namespace

WaveOutputs makeWaveOutputs(const CodeTable &table, const WaveRequest &request) {
    WaveStore store;
    WaveGridData grid;
    const WaveFill fill = fillWaveFromRow(table, request.row, store, grid);
    WaveOutputs out;
    out.notice = fill.notice;
    if (fill.pulses > 0) render(store, table, request, out);
    return out;
}

WaveOutputs makeWaveOutputsFromText(const QByteArray &file, const WaveRequest &request,
                                    QString *error) {
    WaveOutputs out;
    const WaveFileRead read = readWaveText(file);
    if (!read.ok) {
        *error = QStringLiteral("line %1: %2").arg(read.line).arg(read.message);
        return out;
    }
    WaveStore store;
    WaveGridData grid;
    // The tolerances only number the patterns of the data window, which no
    // output shows: the settings' defaults.
    const WaveSettings defaults;
    fillWaveFromFile(read, defaults.H_Range_, defaults.W_Range_, store, grid);
    const auto table = std::make_unique<CodeTable>(); // no row: the file's own line
    if (!store.empty()) render(store, *table, request, out);
    return out;
}

} // namespace zevo3::cli
