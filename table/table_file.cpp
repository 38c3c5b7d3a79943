#include "table_file.h"

#include "text_file.h"
#include "transmit_messages.h"

#include <algorithm>
#include <cstdio>

namespace zevo3 {

namespace {

// The tagged fields of a row as the file has them: each closed by a comma,
// a blank instead of the comma inside "Twp". The Twd field carries no comma.
QByteArray taggedFields(const WaveInfo &info) {
    QByteArray text = TwcMessage(info.Carry) + ',' + TwbMessage(info.DataBits) + ',' +
                      TwrMessage(info.RepeatBit) + ',';
    for (int i = 0; i < WaveInfo::kPatterns; ++i) {
        char buffer[48];
        const int n = std::snprintf(buffer, sizeof buffer, "Twp:%01X:%05d %06d,", unsigned(i),
                                    info.High[size_t(i)], info.Width[size_t(i)]);
        text.append(buffer, n);
    }
    return text + TwdMessage(TwdDigits(info));
}

const char kHexDigits[] = "0123456789ABCDEF";

// A Result text that begins like a tagged field would be read as that field;
// its colon is written full width (CP932 81 46) instead.
QByteArray resultFieldText(QByteArrayView cell) {
    QByteArray text = fileFieldText(cell);
    if (tagColumn(text)) text.replace(3, 1, "\x81\x46");
    return text;
}

QByteArrayView head(QByteArrayView text, qsizetype n) {
    return text.first(std::min(n, text.size()));
}

QString quoted(QByteArrayView text) {
    return QLatin1Char('"') + QString::fromLatin1(head(text, 40)) +
           (text.size() > 40 ? QStringLiteral("…\"") : QStringLiteral("\""));
}

// Reads the fields of one row line into a row of the table, and says what
// it finds wrong in them, each with its line and field.
class RowLineReader {
public:
    RowLineReader(int lineNumber, int row, CodeTable &table, std::vector<FileProblem> &problems)
        : lineNumber_(lineNumber), row_(row), table_(table), info_(table.waveInfo(row)),
          problems_(problems) {}

    // False on a conversion error, which the problems then end with.
    bool read(QByteArrayView line) {
        for (const ScannedField &field : scanRowLine(line).fields) {
            fieldNumber_ = field.number;
            if (!readField(field)) return false;
        }
        return true;
    }

private:
    bool readField(const ScannedField &field) {
        const int column = field.column;
        if (column <= 4) {
            table_.setCell(row_, column, field.text.toByteArray());
            return true;
        }
        const QByteArrayView value =
            field.text.size() > 4 ? field.text.sliced(4) : QByteArrayView();
        switch (column) {
        case 5:
        case 6:
        case 7:
            readNumber(column, value);
            return true;
        case 8:
            return readPattern(value);
        case kPcodeColumn:
            return readPcodes(value);
        default:
            return true; // fields after the pattern codes are not read
        }
    }

    // Twc, Twb or Twr: a decimal number, 0 when it is none.
    void readNumber(int column, QByteArrayView value) {
        int32_t number = 0;
        if (!parseDecimal(value, &number))
            warn(QStringLiteral("%1 %2 is not a decimal number; read as 0")
                     .arg(QLatin1String(kTableTags[column - kFirstTagColumn], 3), quoted(value)));
        (column == 5 ? info_.Carry : column == 6 ? info_.DataBits : info_.RepeatBit) = number;
    }

    // Twp: a pattern index, its High and its Width.
    bool readPattern(QByteArrayView value) {
        const int index = value.isEmpty() ? -1 : hexDigitValue(value[0]);
        if (index < 0)
            return fail(QStringLiteral("Twp: the pattern index %1 is not a hexadecimal digit")
                            .arg(quoted(head(value, 1))));
        // High up to the blank, Width after it: values of any width and
        // sign, as the writer writes them.
        const QByteArrayView numbers = value.size() > 2 ? value.sliced(2) : QByteArrayView();
        const qsizetype blank = numbers.indexOf(' ');
        const QByteArrayView high = blank < 0 ? numbers : numbers.first(blank);
        QByteArrayView width = blank < 0 ? QByteArrayView() : numbers.sliced(blank + 1);
        if (const qsizetype end = width.indexOf(' '); end >= 0) width = width.first(end);
        int32_t h = 0;
        int32_t w = 0;
        if (!parseDecimal(high, &h))
            return fail(QStringLiteral("Twp:%1: High %2 is not a decimal number")
                            .arg(QString(QLatin1Char(kHexDigits[index])), quoted(high)));
        if (!parseDecimal(width, &w))
            return fail(QStringLiteral("Twp:%1: Width %2 is not a decimal number")
                            .arg(QString(QLatin1Char(kHexDigits[index])), quoted(width)));
        info_.High[size_t(index)] = h;
        info_.Width[size_t(index)] = w;
        return true;
    }

    // Twd: the pattern codes, one hexadecimal digit each, as many as the row keeps.
    bool readPcodes(QByteArrayView value) {
        for (qsizetype i = 0; i < value.size(); ++i) {
            const int code = hexDigitValue(value[i]);
            if (code < 0)
                return fail(QStringLiteral("Twd: pattern code %1, %2, is not a hexadecimal digit")
                                .arg(i + 1)
                                .arg(quoted(value.sliced(i, 1))));
            if (i < WaveInfo::kPcodes)
                info_.Pcode[size_t(i)] = uint8_t(code);
            else
                pcodesCut_ = true;
        }
        if (pcodesCut_)
            warn(QStringLiteral("Twd: %1 pattern codes; those after the %2th are not kept")
                     .arg(value.size())
                     .arg(WaveInfo::kPcodes));
        return true;
    }

    bool fail(const QString &message) {
        problems_.push_back({lineNumber_, fieldNumber_, message, true});
        return false;
    }
    void warn(const QString &message) {
        problems_.push_back({lineNumber_, fieldNumber_, message, false});
    }

    const int lineNumber_;
    const int row_;
    CodeTable &table_;
    WaveInfo &info_;
    std::vector<FileProblem> &problems_;
    int fieldNumber_ = 2;
    bool pcodesCut_ = false; // a Twd field of this line held more codes than are kept
};

// Reads one row line into `row`. False on a conversion error, which `problems`
// then ends with.
bool readRowLine(QByteArrayView line, int lineNumber, int row, CodeTable &table,
                 std::vector<FileProblem> &problems) {
    return RowLineReader(lineNumber, row, table, problems).read(line);
}

bool isRowLine(QByteArrayView line) {
    return line.startsWith('[');
}

} // namespace

int tagColumn(QByteArrayView field) {
    for (int i = 0; i < 5; ++i)
        if (field.startsWith(kTableTags[i])) return kFirstTagColumn + i;
    return 0;
}

ScannedLine scanRowLine(QByteArrayView line) {
    ScannedLine scan;
    scan.twoDigits = line.size() >= 4 && line[3] == ']';
    const qsizetype last = line.size() - 1; // taken as a comma: the writer ends with one
    qsizetype start = scan.twoDigits ? 5 : 6;
    int column = 1;
    int number = 2;
    while (start <= last) {
        qsizetype p = line.indexOf(',', start);
        if (p < 0 || p > last) p = last;
        ScannedField field{number++, column, false, line.sliced(start, p - start)};
        start = p + 1;
        if (column <= 3) {
            // The first cells are texts, whatever they begin with.
            scan.fields.push_back(field);
            ++column;
            if (column == 4 && scan.twoDigits) column = kFirstTagColumn;
            continue;
        }
        if (const int tag = tagColumn(field.text)) {
            column = tag;
            field.tagged = true;
        }
        field.column = column;
        scan.fields.push_back(field);
        if (column >= 4 && column <= 7) {
            ++column;
        } else if (column == 8) {
            const int index = field.text.size() > 4 ? hexDigitValue(field.text[4]) : -1;
            if (index < 0) break; // the reader stops here with a conversion error
            if (index == 15) column = kPcodeColumn;
        } else if (column == kPcodeColumn) {
            column = 10;
        }
    }
    return scan;
}

QByteArray TableRowLine(const CodeTable &table, int row) {
    QByteArray line = '[' + CodeTable::rowNumberText(row) + "],";
    for (int column = CodeTable::kColCarry; column <= CodeTable::kColResult; ++column) {
        const QByteArray &cell = table.cell(row, column);
        line += column == CodeTable::kColResult ? resultFieldText(cell) : fileFieldText(cell);
        line += ',';
    }
    return line + taggedFields(table.waveInfo(row)) + ',';
}

QByteArray WriteTableFile(const CodeTable &table) {
    QByteArray file = QByteArray(kTableFileId) + kLineEnd;
    for (int row = 1; row <= CodeTable::kRows; ++row)
        file += TableRowLine(table, row) + kLineEnd;
    return file;
}

TableFileRead ReadTableFile(const QByteArray &bytes) {
    TableFileRead read;
    const std::vector<QByteArrayView> lines = textLines(bytes);
    read.identified = !lines.empty() && lines.front().contains(QByteArrayView(kTableFileId));
    if (!read.identified)
        read.problems.push_back(
            {1, 0, QStringLiteral("the first line is not \"%1\"").arg(kTableFileId), false});

    size_t next = 1; // line 1 is never a row line
    for (; next < lines.size() && read.rows < CodeTable::kRows; ++next) {
        const QByteArrayView line = lines[next];
        if (!isRowLine(line)) break;
        const int row = read.rows + 1;
        if (!readRowLine(line, int(next + 1), row, read.table, read.problems)) {
            read.table.clearRow(row);
            read.end = TableReadEnd::ConversionError;
            read.endLine = int(next + 1);
            return read;
        }
        read.rows = row;
    }
    if (next >= lines.size()) return read; // TableReadEnd::EndOfFile

    read.endLine = int(next + 1);
    if (isRowLine(lines[next])) {
        read.end = TableReadEnd::TableFull;
        read.problems.push_back(
            {read.endLine, 0,
             QStringLiteral("more than %1 rows; this line and the rest are not read")
                 .arg(CodeTable::kRows),
             false});
        return read;
    }
    read.end = TableReadEnd::NotARowLine;
    int later = 0;
    for (size_t i = next + 1; i < lines.size(); ++i)
        later += isRowLine(lines[i]);
    if (later)
        read.problems.push_back({read.endLine, 0,
                                 QStringLiteral("the line does not begin with \"[\", so the rows "
                                                "end here; %1 row line(s) after it are not read")
                                     .arg(later),
                                 false});
    return read;
}

std::vector<QByteArray> TableLoadLog(const CodeTable &table) {
    std::vector<QByteArray> lines;
    for (int row = 1; row <= CodeTable::kRows; ++row) {
        const WaveInfo &info = table.waveInfo(row);
        if (info.present())
            lines.push_back('[' + CodeTable::rowNumberText(row) + "] " + taggedFields(info));
    }
    return lines;
}

} // namespace zevo3
