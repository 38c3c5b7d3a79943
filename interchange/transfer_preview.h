#pragma once
// What the window's import and export show before anything is stored or
// written: the codes a text holds as they would go into rows, which rows an
// import would overwrite, the text an export gives, and the trace of a
// signal for a small drawing.
#include "code_table.h"
#include "flat_signal.h"
#include "format_guess.h"
#include "parsed_code.h"
#include "quantiser.h"

#include <QByteArrayView>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

namespace zevo3 {

// The reader of a format; Unknown reads nothing and says so. The codec
// reads the parsed records of IR signal files.
InterchangeRead readInterchange(InterchangeFormat format, QByteArrayView text,
                                const ParsedCodec *codec = nullptr);

// One code of the text as a row would take it.
struct PreviewCode {
    QString name;
    int32_t carrierHz = 0;
    int carry = 0; // the Carry value it is stored with, 0 when it does not fit
    int pairs = 0;
    int entries = 0;
    int maxDeviationUs = 0;
    double maxDeviationPercent = 0;
    bool fits = false;
    QString notes; // why it does not fit, or what the quantiser changed
};

struct ImportPreview {
    InterchangeRead read;
    std::vector<PreviewCode> codes; // one a code read, in order
    // The reader's first error, or that the text holds no code; empty when
    // the codes can be offered for storing.
    QString error;
    bool storable() const { return error.isEmpty(); }
};

ImportPreview previewImport(InterchangeFormat format, QByteArrayView text,
                            const QuantiseOptions &options = {},
                            const ParsedCodec *codec = nullptr);

// The rows from firstRow on (count of them, within the table) that hold a
// timing description or a text in any cell (Carry, Frames, Comments,
// Result), which an import would overwrite.
std::vector<int> rowsInUse(const CodeTable &table, int firstRow, int count);

// The first row from `from` down that holds nothing (no description, no
// cell text), else the first such row above it; 0 when every row is used.
int nextFreeRow(const CodeTable &table, int from);

// Row `row` (0: every row with a timing description) written in `format`.
// Not ok, with a note, when no such row holds a description.
InterchangeWrite exportRows(const CodeTable &table, InterchangeFormat format, int row,
                            const QString &remoteName, const ParsedCodec *codec = nullptr);

// A LIRC remote's name for the table file: its base name, "zevo3" without one.
QString remoteNameFor(const QString &tablePath);

// The signal as a step line across `area`, time from left to right over the
// whole signal, marks at the top and spaces at the bottom. Empty for a
// signal without durations.
std::vector<QPointF> signalTrace(const FlatSignal &signal, const QRectF &area);

} // namespace zevo3
