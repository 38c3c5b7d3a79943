#include "track_notes.h"

#include "ir_protocol.h"
#include "text_codec.h"
#include "wave_render.h"

#include <QStringList>

namespace zevo3 {

QString fileHeaderText(const WaveFileHeader &header) {
    QStringList parts;
    for (const QByteArray &cell : {header.carry, header.comments})
        if (!cell.isEmpty()) parts.append(toDisplay(cell));
    return parts.join(QLatin1Char(' '));
}

TrackNotes trackNotes(const CodeTable &table, const WaveStore &store, bool codeCheck) {
    TrackNotes notes;
    if (store.fileHeader) {
        notes.annotate = true;
        notes.text = fileHeaderText(*store.fileHeader);
        return notes;
    }
    const int row = store.tableRow;
    const QByteArray &result = table.cell(row, CodeTable::kColResult);
    notes.overlayAllowed = !overlaySuppressedBy(toDisplay(result));
    if (row <= 0) return notes;
    notes.annotate = true;
    if (codeCheck) {
        // cell() of the row after the table is empty.
        notes.sound = codeCheckSound(QString(), toDisplay(result),
                                     toDisplay(table.cell(row + 1, CodeTable::kColResult)));
    } else {
        notes.code = result;
    }
    // Without a Result the row's code says what it is, when it is a
    // protocol's ("NEC 04 08").
    QString code = toDisplay(notes.code);
    if (!codeCheck && code.trimmed().isEmpty() && table.waveInfo(row).present())
        code = resultText(decodeSignal(flatSignalOf(table.waveInfo(row))));
    notes.text =
        annotationLabel(row, store.carrier, toDisplay(table.cell(row, CodeTable::kColComments))) +
        QLatin1Char(' ') + code;
    return notes;
}

bool drawTrack(QImage &image, WaveViewState &view, const WaveStore &store,
               const OverlaySettings &overlay, const TrackNotes &notes) {
    WaveRenderer renderer(image, view);
    if (!renderer.drawStore(store)) return false;
    if (notes.overlayAllowed && overlay.walkable()) renderer.drawOverlay(store, overlay);
    if (notes.annotate) renderer.annotate(notes.text);
    return true;
}

} // namespace zevo3
