#include "file_check.h"

#include "exact_text.h"
#include "text_file.h"

#include <QStringList>
#include <algorithm>
#include <cctype>

namespace zevo3 {

namespace {

const char *const kCellNames[] = {"Carry", "Frames", "Comments", "Result"};

// Bytes of a file in a message.
QString quoted(QByteArrayView bytes) {
    QString text;
    // 120 bytes are at least 60 characters, more than a message shows.
    cp932ToText(bytes.first(std::min<qsizetype>(bytes.size(), 120)).toByteArray(), &text);
    return quotedText(text);
}

// ---- collecting ---------------------------------------------------------------

class Findings {
public:
    explicit Findings(const QString &file) : file_(file) {}
    void add(int line, int field, const QString &message) {
        list_.push_back({file_, line, field, message});
    }
    // In file order; findings at the same place keep the order they were found in.
    std::vector<Finding> sorted() {
        std::stable_sort(list_.begin(), list_.end(), [](const Finding &a, const Finding &b) {
            return a.line != b.line ? a.line < b.line : a.field < b.field;
        });
        return list_;
    }

private:
    QString file_;
    std::vector<Finding> list_;
};

QString fitMessage(const QString &field, TextFit fit) {
    return fit == TextFit::NotCp932
               ? QStringLiteral(
                     "%1: the text holds bytes that are not CP932 text (shown as U+FFFD)")
                     .arg(field)
               : QStringLiteral("%1: a character of the text has two CP932 forms, and writing the "
                                "text again gives the other one")
                     .arg(field);
}

// A row prefix "[005]" on the line of row 1: the number is not read, and a
// save writes the row's own.
void checkRowPrefix(QByteArrayView line, int row, int digits, int lineNumber, Findings &out) {
    const QByteArray own = QByteArray::number(row).rightJustified(digits, '0');
    if (line.size() > digits && line.sliced(1, digits) == QByteArrayView(own)) return;
    out.add(lineNumber, 1,
            QStringLiteral("the row prefix %1 is read as row %2: the number in it is not read, "
                           "and a save writes [%3]")
                .arg(quoted(line.first(std::min<qsizetype>(line.size(), digits + 2))))
                .arg(row)
                .arg(QString::fromLatin1(own)));
}

// ---- the table file ------------------------------------------------------------

// Text fields before the first tagged one: more than the cells mean a comma
// in a cell text, and the fields after them are misread.
void checkSplitCells(const ScannedLine &scan, int lineNumber, Findings &out,
                     std::vector<std::pair<int, int>> &misread) {
    const std::vector<ScannedField> &fields = scan.fields;
    const size_t firstTag = size_t(
        std::find_if(fields.begin(), fields.end(), [](const ScannedField &f) { return f.tagged; }) -
        fields.begin());
    const size_t cells = scan.twoDigits ? 3 : 4;
    if (firstTag > cells) {
        QStringList read;
        for (size_t i = 0; i < cells; ++i)
            read << QStringLiteral("%1 %2").arg(QLatin1String(kCellNames[fields[i].column - 1]),
                                                quoted(fields[i].text));
        out.add(lineNumber, fields[cells].number,
                QStringLiteral("the row has %1 text fields where %2 belong: a comma in a cell text "
                               "has split it. The cells read as %3, and the fields from here on "
                               "are taken for the values of tagged fields")
                    .arg(firstTag)
                    .arg(cells)
                    .arg(read.join(QStringLiteral(", "))));
        misread.emplace_back(lineNumber, fields[cells].number);
        for (size_t i = cells + 1; i < firstTag; ++i)
            misread.emplace_back(lineNumber, fields[i].number);
    }
}

// A tag met twice: the later field replaces what the earlier one gave, and a
// save keeps only the later.
void checkRepeatedTags(const std::vector<ScannedField> &fields, int lineNumber, Findings &out) {
    std::vector<QByteArray> tagsSeen;
    for (const ScannedField &field : fields) {
        if (!field.tagged) continue;
        QByteArray tag = field.text.first(std::min<qsizetype>(field.text.size(), 4)).toByteArray();
        if (field.column == 8 && field.text.size() > 4) // one tag per pattern entry
            tag += char(std::toupper(uchar(field.text[4])));
        if (std::find(tagsSeen.begin(), tagsSeen.end(), tag) != tagsSeen.end())
            out.add(lineNumber, field.number,
                    QStringLiteral("a second %1 field: it replaces what the first one gave, and a "
                                   "save keeps only this one")
                        .arg(quoted(tag)));
        else
            tagsSeen.push_back(tag);
    }
}

// Tagged fields read as cell texts, and fields after the pattern codes that
// are not read. The pattern codes' field: its digits (-1: none) and number.
std::pair<int, int> checkFieldPlaces(const std::vector<ScannedField> &fields, int lineNumber,
                                     Findings &out) {
    int pcodeDigits = -1; // digits of the field read as pattern codes; -1: none
    int pcodeField = 0;
    for (const ScannedField &field : fields) {
        if (field.column <= 3) {
            const int tag = tagColumn(field.text);
            const bool elsewhere = std::any_of(fields.begin(), fields.end(), [&](const auto &f) {
                return f.tagged && tagColumn(f.text) == tag;
            });
            if (tag && !elsewhere)
                out.add(lineNumber, field.number,
                        QStringLiteral("%1 is read as the %2 text: the row has too few text "
                                       "fields, and this %3 field is lost")
                            .arg(quoted(field.text), QLatin1String(kCellNames[field.column - 1]),
                                 QString::fromLatin1(field.text.first(3))));
        } else if (field.column == kPcodeColumn) {
            pcodeDigits = int(std::max<qsizetype>(field.text.size() - 4, 0));
            pcodeField = field.number;
        } else if (field.column > kPcodeColumn && !field.tagged) {
            out.add(lineNumber, field.number,
                    QStringLiteral("%1 comes after the pattern codes and is not read")
                        .arg(quoted(field.text)));
        }
    }

    return {pcodeDigits, pcodeField};
}

// Pattern codes that do not match their count.
void checkPcodeCount(const WaveInfo &info, std::pair<int, int> pcodes, int lineNumber,
                     Findings &out) {
    const auto [pcodeDigits, pcodeField] = pcodes;
    const int count = std::clamp<int32_t>(info.DataBits, 0, WaveInfo::kPcodes);
    const int written = count + count % 2; // the last digit repeated for an odd count
    const int digits = std::max(pcodeDigits, 0);
    if (digits < count)
        out.add(
            lineNumber, pcodeField,
            pcodeDigits < 0
                ? QStringLiteral("the row has no Twd: field, but Twb: counts %1 pattern codes; "
                                 "they read as 0")
                      .arg(info.DataBits)
                : QStringLiteral("Twd: holds %1 pattern codes where Twb: counts %2; %3 "
                                 "as 0")
                      .arg(digits)
                      .arg(info.DataBits)
                      .arg(digits + 1 == count
                               ? QStringLiteral("code %1 reads").arg(count)
                               : QStringLiteral("codes %1 to %2 read").arg(digits + 1).arg(count)));
    else if (digits > written && written < WaveInfo::kPcodes)
        out.add(lineNumber, pcodeField,
                QStringLiteral("Twd: holds %1 pattern codes where Twb: counts %2; the codes after "
                               "the first %3 are not counted, and a save drops them")
                    .arg(digits)
                    .arg(info.DataBits)
                    .arg(written));
}

// A row line as it stands: cells split by commas, tagged fields taken for cell
// texts, fields that are not read, a lost last character, and pattern codes
// that do not match their count.
void checkRowLine(QByteArrayView line, int lineNumber, const WaveInfo &info, Findings &out,
                  std::vector<std::pair<int, int>> &misread) {
    const ScannedLine scan = scanRowLine(line);
    const std::vector<ScannedField> &fields = scan.fields;
    checkSplitCells(scan, lineNumber, out, misread);
    checkRepeatedTags(fields, lineNumber, out);
    const std::pair<int, int> pcodes = checkFieldPlaces(fields, lineNumber, out);
    const qsizetype prefix = scan.twoDigits ? 5 : 6;
    if (line.size() > prefix && !line.endsWith(',') && !fields.empty())
        out.add(lineNumber, fields.back().number,
                QStringLiteral("the line does not end with a comma: its last character %1 is "
                               "taken for one and lost")
                    .arg(quoted(line.last(1))));

    checkPcodeCount(info, pcodes, lineNumber, out);
}

void readTable(const FilesIn &in, FilesRead &read, Findings &out) {
    const TableFileRead &table = *read.table;
    const std::vector<QByteArrayView> lines = textLines(in.table);

    std::vector<std::pair<int, int>> misread; // (line, field) taken apart by a split cell
    for (int row = 1; row <= table.rows; ++row) {
        const QByteArrayView line = lines[size_t(row)];
        checkRowPrefix(line, row, line.size() >= 4 && line[3] == ']' ? 2 : 3, row + 1, out);
        checkRowLine(line, row + 1, table.table.waveInfo(row), out, misread);
    }

    for (const FileProblem &problem : table.problems) {
        if (std::find(misread.begin(), misread.end(), std::pair(problem.line, problem.field)) !=
            misread.end())
            continue; // said better by the split cell
        QString message = problem.message;
        if (problem.line == 1 && !table.identified)
            message += QStringLiteral(
                "; read on as the window does after OK, the first line not taken as a row");
        if (problem.error)
            message += (table.rows == 0
                            ? QStringLiteral("; reading stops here: no row keeps what the file "
                                             "holds, every row stays empty")
                        : table.rows == 1
                            ? QStringLiteral("; reading stops here: row 1 keeps what the file "
                                             "holds, the rest stay empty")
                            : QStringLiteral("; reading stops here: rows 1 to %1 keep what the "
                                             "file holds, the rest stay empty")
                                  .arg(table.rows)) +
                       QStringLiteral(", and the window does not read the layout file");
        out.add(problem.line, problem.field, message);
    }

    for (int row = 1; row <= table.rows; ++row)
        for (int column = 1; column <= 4; ++column) {
            QString ignored;
            const TextFit fit = cp932ToText(table.table.cell(row, column), &ignored);
            if (fit != TextFit::Exact)
                out.add(row + 1, column + 1,
                        fitMessage(QLatin1String(kCellNames[column - 1]), fit));
            // The file keeps texts trimmed: a save would drop these bytes,
            // and make refuses the text as dump shows it.
            const QByteArray &cell = table.table.cell(row, column);
            if (trimmedCell(cell) != cell)
                out.add(row + 1, column + 1,
                        QStringLiteral("%1: %2 begins or ends with a blank or a control "
                                       "character, which a save drops")
                            .arg(QLatin1String(kCellNames[column - 1]), quoted(cell)));
        }
}

// ---- the layout file -----------------------------------------------------------

void readLayout(const FilesIn &in, FilesRead &read, Findings &out) {
    const LayoutFileRead &layout = *read.layout;
    const std::vector<QByteArrayView> lines = textLines(in.layout);
    for (const FileProblem &problem : layout.problems)
        out.add(problem.line, problem.field,
                problem.line == 1 && !layout.identified
                    ? problem.message + QStringLiteral("; read on as the window does after OK, "
                                                       "the first line not taken as a row")
                    : problem.message);
    if (layout.end == LayoutReadEnd::NotARowLine) {
        const auto later = std::count_if(lines.begin() + layout.endLine, lines.end(),
                                         [](QByteArrayView l) { return l.startsWith('['); });
        if (later)
            out.add(layout.endLine, 0,
                    QStringLiteral("the line does not begin with \"[\", so the rows end here; "
                                   "%1 row line(s) after it are not read")
                        .arg(later));
    }
    for (int row = 1; row <= layout.rows; ++row)
        checkRowPrefix(lines[size_t(row)], row, 2, row + 1, out);
    for (int row = 1; row <= layout.rows; ++row)
        for (int column = 1; column <= LayoutData::kColumns; ++column) {
            QString ignored;
            const TextFit fit = cp932ToText(layout.layout.cell(row, column), &ignored);
            if (fit != TextFit::Exact)
                out.add(
                    row + 1, column + 1,
                    fitMessage(QStringLiteral("R%1").arg(column, 2, 10, QLatin1Char('0')), fit));
        }
}

// ---- lines that readers with fixed buffers take otherwise -----------------------

// Lines longer than the buffers, line ends of a lone CR, and a last row line
// without a line end. `rowLines` is the number of row lines read after line 1.
void checkLines(const QByteArray &bytes, int rowLines, const QString &rowsWord, Findings &out) {
    const std::vector<QByteArrayView> lines = textLines(bytes);
    const size_t read = std::min(lines.size(), size_t(rowLines) + 1);
    for (size_t i = 0; i < read; ++i) {
        const qsizetype limit = i == 0 ? kFirstLineBuffer : kLineBuffer;
        if (lines[i].size() > limit)
            out.add(int(i + 1), 0,
                    QStringLiteral("the line has %1 characters: readers that keep to the "
                                   "format's line buffer take %2 and the line end, cut the line "
                                   "there and end the %3 at its rest")
                        .arg(lines[i].size())
                        .arg(limit)
                        .arg(rowsWord));
    }

    int line = 1;
    int loneCrLine = 0;
    int loneCrs = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++line;
        } else if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            } else {
                if (!loneCrs++) loneCrLine = line;
            }
            ++line;
        }
    }
    if (loneCrs)
        out.add(loneCrLine, 0,
                QStringLiteral("the line ends with a CR without LF (%1 such line end(s) in the "
                               "file): readers that take only CR LF or LF for a line end join "
                               "the lines")
                    .arg(loneCrs));

    const bool lastIsRowLine = rowLines > 0 && size_t(rowLines) + 1 == lines.size();
    if (lastIsRowLine && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        out.add(int(lines.size()), 0,
                QStringLiteral("the last line has no line end: readers that expect one lose the "
                               "end of its last field"));
}

QString notATableRow(int code) {
    return QStringLiteral("code %1 is not a code table row (1 to %2)")
        .arg(code)
        .arg(CodeTable::kRows);
}

// Layout cells whose code a download would not store: a download sends the
// table rows 1, 2, … up to the first one without a timing description.
void checkDownload(const CodeTable &table, const LayoutFileRead &layout, Findings &out) {
    int stored = 0;
    while (stored < CodeTable::kRows && table.waveInfo(stored + 1).present())
        ++stored;
    for (int row = 1; row <= layout.rows; ++row)
        for (int column = 1; column <= LayoutData::kColumns; ++column) {
            const QByteArray &text = layout.layout.cell(row, column);
            if (!isLayoutCellText(text)) continue; // the reader said so, if it is not empty
            const int code = readLayoutCell(text).code;
            QString why;
            if (!CodeTable::validRow(code))
                why = notATableRow(code);
            else if (!table.waveInfo(code).present())
                why = QStringLiteral("code %1: table row %1 has no timing description "
                                     "(Twc:000), so a download does not store it")
                          .arg(code);
            else if (code > stored)
                why = QStringLiteral("code %1 comes after table row %2, the first without a timing "
                                     "description: a download stores %3")
                          .arg(code)
                          .arg(stored + 1)
                          .arg(stored == 0   ? QStringLiteral("no row")
                               : stored == 1 ? QStringLiteral("row 1 only")
                                             : QStringLiteral("rows 1 to %1 only").arg(stored));
            if (!why.isEmpty()) out.add(row + 1, column + 1, why);
        }
}

} // namespace

QString Finding::text() const {
    QString place = file;
    if (line > 0) {
        place += QLatin1Char(':') + QString::number(line);
        if (field > 0) place += QLatin1Char(':') + QString::number(field);
    }
    return place + QStringLiteral(": ") + message;
}

namespace {

FilesRead readWith(const FilesIn &in, Findings &tableOut, Findings &layoutOut) {
    FilesRead read;
    read.table = std::make_unique<TableFileRead>(ReadTableFile(in.table));
    read.layout = std::make_unique<LayoutFileRead>();
    if (in.layoutFound) *read.layout = LoadLayoutFile(in.layout);
    readTable(in, read, tableOut);
    if (in.layoutFound) readLayout(in, read, layoutOut);
    return read;
}

} // namespace

std::vector<Finding> layoutSendProblems(const LayoutData &layout, const QString &layoutPath) {
    Findings out(layoutPath);
    for (int row = 1; row <= LayoutData::kRows; ++row)
        for (int column = 1; column <= LayoutData::kColumns; ++column) {
            const QByteArray &text = layout.cell(row, column);
            if (text.isEmpty()) continue;
            if (!isLayoutCellText(text))
                out.add(row + 1, column + 1, notALayoutCellText(text));
            else if (const int code = readLayoutCell(text).code; !CodeTable::validRow(code))
                out.add(row + 1, column + 1, notATableRow(code));
        }
    return out.sorted();
}

FilesRead readFiles(const FilesIn &in) {
    Findings tableOut(in.tablePath);
    Findings layoutOut(in.layoutPath);
    FilesRead read = readWith(in, tableOut, layoutOut);
    read.findings = tableOut.sorted();
    for (Finding &f : layoutOut.sorted())
        read.findings.push_back(std::move(f));
    return read;
}

std::vector<Finding> checkFiles(const FilesIn &in) {
    Findings tableOut(in.tablePath);
    Findings layoutOut(in.layoutPath);
    const FilesRead read = readWith(in, tableOut, layoutOut);
    checkLines(in.table, read.table->rows, QStringLiteral("rows"), tableOut);
    if (in.layoutFound) {
        checkLines(in.layout, read.layout->rows, QStringLiteral("layout rows"), layoutOut);
        checkDownload(read.table->table, *read.layout, layoutOut);
    }
    std::vector<Finding> findings = tableOut.sorted();
    for (Finding &f : layoutOut.sorted())
        findings.push_back(std::move(f));
    return findings;
}

} // namespace zevo3
