#pragma once
// The table print: the occupied rows of the code table (number, Carry,
// Comments, Result) under a header line with the table file's name and the
// date. The positions are computed first (tests check them exactly), then
// drawn on any painter: a printer page, a PDF, an image.

#include "code_table.h"

#include <QByteArray>
#include <QDate>
#include <QFont>
#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QPdfWriter;

namespace zevo3 {

struct PrintedText {
    int page = 0; // 0-based
    QPoint at;    // the text's baseline start, in device pixels
    QString text;
    bool operator==(const PrintedText &) const = default;
};

struct TablePrintPlan {
    std::vector<PrintedText> texts;
    int pages = 1;
};

// The print job's title.
QString tablePrintTitle();

// The print face: the receive log's fixed-pitch face at its size (15 pixels
// on a 96-dpi screen: 11.25 points).
QFont tablePrintFont();

// A PDF of A4 pages at the resolution, titled, drawn by draw() with the
// print face set.
QByteArray printA4Pdf(const QString &title, int dotsPerInch,
                      const std::function<void(QPdfWriter &, QPainter &)> &draw);

// The whole print into a PDF (A4), as bytes.
QByteArray tablePrintPdf(const CodeTable &table, const QString &fileName, const QDate &date);

// Where every text goes. letterWidth is the width of "W" and lineHeight the
// height of "H" plus 4 in the print font; dateWidth the width of the date
// text; pageWidth and pageHeight the page in device pixels.
TablePrintPlan planTablePrint(const CodeTable &table, const QString &fileName, const QDate &date,
                              int letterWidth, int lineHeight, int pageWidth, int pageHeight,
                              const std::function<int(const QString &)> &textWidth);

// Draws the plan with the painter's font, calling newPage() between pages.
void PrintTable(QPainter &painter, const CodeTable &table, const QString &fileName,
                const QDate &date, int pageWidth, int pageHeight,
                const std::function<void()> &newPage);

} // namespace zevo3
