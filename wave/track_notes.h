#pragma once
// What a redraw of the track takes from the code table, and the redraw
// itself: the pulses, the chosen overlay, then the annotation. The window
// and zevo3 draw the same picture through it.

#include "annotation.h"
#include "code_table.h"
#include "overlay_walk.h"
#include "wave_store.h"
#include "wave_view.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace zevo3 {

struct TrackNotes {
    bool overlayAllowed = true;          // the row's "Result" holds no "Tm:"
    bool annotate = false;               // the store came from a table row or a file
    QByteArray code;                     // empty while checking, else the row's "Result"
    QString text;                        // the label, a blank and the code
    CheckSound sound = CheckSound::None; // while checking
};

// A wave file's first line as the track and the print show it: the "Carry"
// text, a blank and the comment ("38.0kHz TV"), either left out when empty.
QString fileHeaderText(const WaveFileHeader &header);

// For the store's table row, or for the wave file it was loaded from (its
// first line, no code text, nothing to check against); with codeCheck the code text is empty and is
// compared with the row's "Result" (the row after the last reads as empty).
TrackNotes trackNotes(const CodeTable &table, const WaveStore &store, bool codeCheck);

// The pulses, then the overlay when one is chosen and allowed, then the
// annotation. Nothing (the old picture stays) for an empty store; returns
// whether anything was drawn.
bool drawTrack(QImage &image, WaveViewState &view, const WaveStore &store,
               const OverlaySettings &overlay, const TrackNotes &notes);

} // namespace zevo3
