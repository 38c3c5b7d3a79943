#include "wave_text_file.h"

#include "wave_grid.h"

#include <QList>
#include <cstdio>
#include <optional>

namespace zevo3 {

namespace {

QByteArray pulseLine(int index, const WavePulse &pulse) {
    char buffer[96];
    const int n = std::snprintf(buffer, sizeof buffer, "[%03d],%6d,%6d,%6d", index, pulse.High,
                                int(int64_t(pulse.Width) - pulse.High), pulse.Width);
    return QByteArray(buffer, n);
}

// A signed decimal number with blanks before it, as "%6d" writes it.
bool paddedNumber(QByteArrayView text, int32_t *value) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    return parseDecimal(text.sliced(start), value);
}

// Why a line stops the reading.
struct LineFault {
    WaveFileFault fault;
    QString message;
};

// The read, failed at line for the fault: nothing is taken.
WaveFileRead failed(WaveFileRead &read, int line, const LineFault &fault) {
    read.ok = false;
    read.line = line;
    read.fault = fault.fault;
    read.message = fault.message;
    read.pulses.clear();
    return read;
}

// The lines of the file, without their CR LF or LF.
QList<QByteArrayView> splitLines(const QByteArray &bytes) {
    QList<QByteArrayView> lines;
    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0) end = bytes.size();
        QByteArrayView line(bytes.constData() + from, end - from);
        if (line.endsWith('\r')) line.chop(1);
        lines.append(line);
        from = end + 1;
    }
    return lines;
}

// The header line "Carry,Comments,": its two cells and the carrier.
std::optional<LineFault> readHeaderLine(QByteArrayView head, WaveFileRead &read) {
    const QList<QByteArray> cells = head.toByteArray().split(',');
    if (cells.size() != 3 || !cells[2].isEmpty())
        return LineFault{WaveFileFault::NotHeaderLine,
                         QStringLiteral("not the header line \"Carry,Comments,\"")};
    read.carryCell = cells[0];
    read.commentsCell = cells[1];
    read.carrier = carrierFromCell(read.carryCell);
    return std::nullopt;
}

// The "[NNN]" of a pulse line, which must be the next index; close is where
// its ']' is.
std::optional<LineFault> readPulseIndex(QByteArrayView line, WaveFileRead &read, qsizetype *close) {
    using enum WaveFileFault;
    const int index = int(read.pulses.size());
    if (index >= WaveGridData::kRows)
        return LineFault{TooManyPulses,
                         QStringLiteral("more than %1 pulses").arg(WaveGridData::kRows)};
    *close = line.indexOf(']');
    int32_t number = 0;
    if (!line.startsWith('[') || *close < 2 || line[1] == '-' || line[1] == '+' ||
        !parseDecimal(line.sliced(1, *close - 1), &number))
        return LineFault{NotPulseLine, QStringLiteral("not a pulse line \"[NNN],H,L,W\"")};
    read.figures.index = number;
    read.figures.due = index;
    if (number != index)
        return LineFault{IndexOutOfOrder, QStringLiteral("pulse [%1] where [%2] was due")
                                              .arg(number)
                                              .arg(index, 3, 10, QLatin1Char('0'))};
    return std::nullopt;
}

// The ",H,L,W" after the index: three numbers that agree, taken as a pulse.
std::optional<LineFault> readPulseFigures(QByteArrayView rest, WaveFileRead &read) {
    using enum WaveFileFault;
    const QList<QByteArray> fields = rest.toByteArray().split(',');
    int32_t high = 0, low = 0, width = 0;
    if (fields.size() != 4 || !fields[0].isEmpty() || !paddedNumber(fields[1], &high) ||
        !paddedNumber(fields[2], &low) || !paddedNumber(fields[3], &width))
        return LineFault{NotThreeNumbers,
                         QStringLiteral("not three numbers H, L and W after the index")};
    read.figures.high = high;
    read.figures.low = low;
    read.figures.width = width;
    if (width <= 0 || high < 0)
        return LineFault{OutOfRange, QStringLiteral("W must be above 0 and H not below 0")};
    if (high > width)
        return LineFault{HighAboveWidth,
                         QStringLiteral("H (%1) is greater than W (%2)").arg(high).arg(width)};
    if (int64_t(high) + low != width)
        return LineFault{
            SumNotWidth,
            QStringLiteral("H + L (%1 + %2) is not W (%3)").arg(high).arg(low).arg(width)};
    read.pulses.push_back({high, width});
    return std::nullopt;
}

// One pulse line "[NNN],H,L,W".
std::optional<LineFault> readPulseLine(QByteArrayView line, WaveFileRead &read) {
    qsizetype close = 0;
    if (auto fault = readPulseIndex(line, read, &close)) return fault;
    return readPulseFigures(line.sliced(close + 1), read);
}

} // namespace

QByteArray writeWaveText(const WaveStore &store, const QByteArray &carryCell,
                         const QByteArray &commentsCell) {
    QByteArray out = carryCell + ',' + commentsCell + ",\r\n";
    out += kWaveListHeader;
    out += "\r\n";
    for (int k = 0; k < store.count(); ++k)
        out += pulseLine(k, store.pulses[k]) + "\r\n";
    out += "\r\n";
    return out;
}

int32_t carrierFromCell(const QByteArray &cell) {
    const QByteArray text = trimmedCell(cell);
    int64_t whole = 0;
    qsizetype i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && whole < 100000; ++i)
        whole = whole * 10 + (text[i] - '0');
    if (i == 0 || whole >= 100000) return 0;
    int tenth = 0;
    if (i + 1 < text.size() && text[i] == '.' && text[i + 1] >= '0' && text[i + 1] <= '9')
        tenth = text[i + 1] - '0';
    return int32_t(whole * 10 + tenth);
}

WaveFileRead readWaveText(const QByteArray &bytes) {
    WaveFileRead read;
    using enum WaveFileFault;
    const QList<QByteArrayView> lines = splitLines(bytes);
    if (lines.isEmpty()) return failed(read, 1, {Empty, QStringLiteral("the file is empty")});

    if (auto fault = readHeaderLine(lines[0], read)) return failed(read, 1, *fault);
    if (lines.size() < 2)
        return failed(read, 1,
                      {EndsAfterHeader, QStringLiteral("the file ends after the header line")});
    if (lines[1] != QByteArrayView(kWaveListHeader))
        return failed(read, 2,
                      {NotColumnLine, QStringLiteral("not the column line \"%1\"")
                                          .arg(QString::fromLatin1(kWaveListHeader))});

    int lineNo = 3;
    bool closed = false;
    for (qsizetype n = 2; n < lines.size(); ++n, ++lineNo) {
        const QByteArrayView line = lines[n];
        if (closed) {
            if (!line.trimmed().isEmpty())
                return failed(
                    read, lineNo,
                    {TextAfterEnd, QStringLiteral("text after the empty line that ends the list")});
            continue;
        }
        if (line.isEmpty()) {
            closed = true;
            continue;
        }
        if (auto fault = readPulseLine(line, read)) return failed(read, lineNo, *fault);
    }
    if (read.pulses.size() < 2)
        return failed(read, lineNo - 1, {TooFewPulses, QStringLiteral("fewer than two pulses")});
    read.ok = true;
    read.figures = {};
    return read;
}

void fillWaveFromFile(const WaveFileRead &read, int highPercent, int widthPercent, WaveStore &store,
                      WaveGridData &grid) {
    if (!read.ok) return;
    fillWaveFromPulses(read.pulses, classifyPulses(read.pulses, highPercent, widthPercent),
                       read.carrier, 0, store, grid);
    if (!store.empty()) store.fileHeader = WaveFileHeader{read.carryCell, read.commentsCell};
}

} // namespace zevo3
