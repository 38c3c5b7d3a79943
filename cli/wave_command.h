#pragma once
// zevo3 wave: a table row's waveform filled into the store as "波形表示"
// fills it (or a wave text file's, as "Load" fills it), then drawn as the
// panel draws it (with the overlay and the annotation), printed as "Print"
// prints it, or exported as "Save" writes it.

#include "code_table.h"
#include "overlay_walk.h"

#include <QByteArray>
#include <QString>

namespace zevo3::cli {

struct WaveRequest {
    int row = 1;
    int zoom = 200;
    OverlaySettings overlay; // kind None: no overlay
    bool codeCheck = false;
    bool png = false;
    bool pdf = false;
    bool text = false;
};

struct WaveOutputs {
    bool drawn = false; // false: the row has no waveform; nothing else is made
    QByteArray png;
    QByteArray pdf;
    QByteArray text;
    // With an overlay: each frame's value as the print writes it, a line each.
    QByteArray frameLines;
    QString notice;    // why the row was drawn only in part
    QString checkLine; // with the code check: its outcome
};

WaveOutputs makeWaveOutputs(const CodeTable &table, const WaveRequest &request);

// The same from a wave text file, as the panel's "Load" fills the store: the
// file's own first line heads the track, the print and the export. Not
// drawn (and `error` says where and why) when the file is not one.
WaveOutputs makeWaveOutputsFromText(const QByteArray &file, const WaveRequest &request,
                                    QString *error);

} // namespace zevo3::cli
