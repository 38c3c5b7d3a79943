#include "layout_file.h"

#include "text_codec.h"
#include "text_file.h"

#include <QFileInfo>
#include <cstdio>

namespace zevo3 {

namespace {

QByteArray rowPrefix(int row) {
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "[%02d],", row);
    return QByteArray(buffer, n);
}

bool isRowLine(QByteArrayView line) {
    return line.startsWith('[');
}

constexpr qsizetype kFirstField = 5; // after "[nn],"

void readRowLine(QByteArrayView line, int lineNumber, int row, LayoutData &layout,
                 std::vector<FileProblem> &problems) {
    int column = 1;
    qsizetype start = kFirstField;
    for (qsizetype p = start; p < line.size(); ++p) {
        if (line[p] != ',') continue;
        if (column > LayoutData::kColumns) {
            problems.push_back(
                {lineNumber, column + 1,
                 QStringLiteral("more than %1 fields; the rest of the line is not read")
                     .arg(LayoutData::kColumns),
                 false});
            return;
        }
        const QByteArray field = line.sliced(start, p - start).toByteArray();
        if (!field.isEmpty() && !isLayoutCellText(field))
            problems.push_back({lineNumber, column + 1, notALayoutCellText(field), false});
        layout.setCell(row, column++, field);
        start = p + 1;
    }
}

} // namespace

QString notALayoutCellText(const QByteArray &text) {
    return QStringLiteral("\"%1\" is not a layout cell text")
        .arg(QString::fromLatin1(text.left(40)));
}

QString layoutPathFor(const QString &tablePath) {
    if (tablePath.isEmpty()) return {};
    const QString name = QFileInfo(tablePath).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? tablePath : tablePath.chopped(name.size() - dot);
    return stem + QStringLiteral(".ZV3");
}

QByteArray SaveLayoutFile(const LayoutData &layout, const QString &path) {
    // A line end in a file name would break the identification line.
    QByteArray name = toCp932(QFileInfo(path).fileName());
    name.replace('\r', ' ').replace('\n', ' ');
    QByteArray file = QByteArray(kLayoutFileId) + " : " + name + kLineEnd;
    for (int row = 1; row <= LayoutData::kRows; ++row) {
        file += rowPrefix(row);
        for (int column = 1; column <= LayoutData::kColumns; ++column)
            file += fileFieldText(layout.cell(row, column)) + ',';
        file += kLineEnd;
    }
    return file;
}

LayoutFileRead LoadLayoutFile(const QByteArray &bytes) {
    LayoutFileRead read;
    const std::vector<QByteArrayView> lines = textLines(bytes);
    read.identified = !lines.empty() && lines.front().contains(QByteArrayView(kLayoutFileId));
    if (!read.identified)
        read.problems.push_back(
            {1, 0, QStringLiteral("the first line is not \"%1 : …\"").arg(kLayoutFileId), false});

    size_t next = 1; // line 1 is never a row line
    for (; next < lines.size() && read.rows < LayoutData::kRows; ++next) {
        if (!isRowLine(lines[next])) break;
        readRowLine(lines[next], int(next + 1), ++read.rows, read.layout, read.problems);
    }
    if (next >= lines.size()) return read;

    read.endLine = int(next + 1);
    if (isRowLine(lines[next])) {
        read.end = LayoutReadEnd::LayoutFull;
        read.problems.push_back(
            {read.endLine, 0,
             QStringLiteral("more than %1 rows; this line and the rest are not read")
                 .arg(LayoutData::kRows),
             false});
    } else {
        read.end = LayoutReadEnd::NotARowLine;
    }
    return read;
}

} // namespace zevo3
