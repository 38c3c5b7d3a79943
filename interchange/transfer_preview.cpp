#include "transfer_preview.h"

#include "imported_row.h"
#include "ir_file_format.h"
#include "lirc_format.h"
#include "pronto_format.h"
#include "raw_format.h"

#include <QFileInfo>

namespace zevo3 {

InterchangeRead readInterchange(InterchangeFormat format, QByteArrayView text,
                                const ParsedCodec *codec) {
    switch (format) {
    case InterchangeFormat::Pronto:
        return readPronto(text);
    case InterchangeFormat::Raw:
        return readRaw(text);
    case InterchangeFormat::IrFile:
        return readIrFile(text, codec);
    case InterchangeFormat::Lirc:
        return readLirc(text);
    case InterchangeFormat::Unknown:
        break;
    }
    InterchangeRead read;
    read.notes.push_back({0, QStringLiteral("choose the format of the text"), true});
    return read;
}

ImportPreview previewImport(InterchangeFormat format, QByteArrayView text,
                            const QuantiseOptions &options, const ParsedCodec *codec) {
    ImportPreview preview;
    preview.read = readInterchange(format, text, codec);
    for (const InterchangeCode &code : preview.read.codes) {
        const ImportedRow row = importedRow(code, options);
        PreviewCode shown;
        shown.name = code.name;
        shown.carrierHz = code.signal.carrierHz;
        shown.fits = row.ok;
        if (row.ok) {
            const Quantised &q = row.quantised;
            shown.carry = q.info.Carry;
            shown.pairs = q.pairs;
            shown.entries = q.entries;
            shown.maxDeviationUs = q.maxDeviationUs;
            shown.maxDeviationPercent = q.maxDeviationPercent;
            const std::vector<QString> notes = q.notes();
            QStringList joined(notes.begin(), notes.end());
            shown.notes = joined.join(QStringLiteral("; "));
        } else {
            shown.notes = row.message;
        }
        preview.codes.push_back(shown);
    }
    if (!preview.read.ok())
        preview.error = preview.read.firstError();
    else if (preview.read.codes.empty())
        preview.error = QStringLiteral("the text holds no %1 code").arg(formatName(format));
    return preview;
}

namespace {

// Whether any cell of the row holds a text: an import writes all four.
bool holdsText(const CodeTable &table, int row) {
    for (int column = CodeTable::kColCarry; column <= CodeTable::kColResult; ++column)
        if (!trimmedCell(table.cell(row, column)).isEmpty()) return true;
    return false;
}

} // namespace

std::vector<int> rowsInUse(const CodeTable &table, int firstRow, int count) {
    std::vector<int> rows;
    for (int row = std::max(firstRow, 1); row < firstRow + count && row <= CodeTable::kRows; ++row)
        if (table.waveInfo(row).present() || holdsText(table, row)) rows.push_back(row);
    return rows;
}

int nextFreeRow(const CodeTable &table, int from) {
    for (int pass = 0; pass < 2; ++pass)
        for (int row = pass ? 1 : std::max(from, 1); row <= (pass ? from - 1 : CodeTable::kRows);
             ++row)
            if (rowsInUse(table, row, 1).empty()) return row;
    return 0;
}

InterchangeWrite exportRows(const CodeTable &table, InterchangeFormat format, int row,
                            const QString &remoteName, const ParsedCodec *codec) {
    std::vector<InterchangeCode> codes;
    for (int r = 1; r <= CodeTable::kRows; ++r)
        if ((row == 0 || r == row) && table.waveInfo(r).present())
            codes.push_back(codeOfRow(table, r));
    if (codes.empty()) {
        InterchangeWrite none;
        none.ok = false;
        none.notes.push_back({0,
                              row ? QStringLiteral("row %1 holds no timing description").arg(row)
                                  : QStringLiteral("no row holds a timing description"),
                              true});
        return none;
    }
    switch (format) {
    case InterchangeFormat::Pronto:
        return writePronto(codes);
    case InterchangeFormat::Raw:
        return writeRaw(codes);
    case InterchangeFormat::IrFile:
        return writeIrFile(codes, codec);
    case InterchangeFormat::Lirc:
        return writeLirc(codes, remoteName);
    case InterchangeFormat::Unknown:
        break;
    }
    InterchangeWrite unknown;
    unknown.ok = false;
    unknown.notes.push_back({0, QStringLiteral("choose the format to write"), true});
    return unknown;
}

QString remoteNameFor(const QString &tablePath) {
    const QString base = QFileInfo(tablePath).completeBaseName();
    return base.isEmpty() ? QStringLiteral("zevo3") : base;
}

std::vector<QPointF> signalTrace(const FlatSignal &signal, const QRectF &area) {
    std::vector<QPointF> points;
    double total = 0;
    for (int32_t d : signal.durations)
        total += std::max(d, 0);
    if (signal.durations.empty()) return points;
    const double scale = total > 0 ? area.width() / total : 0;
    double t = 0;
    points.emplace_back(area.left(), area.bottom());
    for (size_t i = 0; i < signal.durations.size(); ++i) {
        const double level = i % 2 == 0 ? area.top() : area.bottom();
        const double x = area.left() + t * scale;
        points.emplace_back(x, level);
        t += std::max(signal.durations[i], 0);
        points.emplace_back(area.left() + t * scale, level);
    }
    points.emplace_back(points.back().x(), area.bottom());
    return points;
}

} // namespace zevo3
