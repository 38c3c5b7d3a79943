#include "table_print.h"

#include "text_codec.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace zevo3 {

namespace {
constexpr int kMargin = 100;
} // namespace

QString tablePrintTitle() {
    return QStringLiteral("MORIKA ZEVO3 Tool[ Table Date ]");
}

QFont tablePrintFont() {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Noto Sans Mono CJK JP"),
                      QStringLiteral("monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(15 * 72.0 / 96.0);
    return font;
}

QByteArray printA4Pdf(const QString &title, int dotsPerInch,
                      const std::function<void(QPdfWriter &, QPainter &)> &draw) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(dotsPerInch);
    QPainter painter(&writer);
    painter.setFont(tablePrintFont());
    draw(writer, painter);
    painter.end();
    return pdf;
}

QByteArray tablePrintPdf(const CodeTable &table, const QString &fileName, const QDate &date) {
    return printA4Pdf(tablePrintTitle(), 600, [&](QPdfWriter &writer, QPainter &painter) {
        PrintTable(painter, table, fileName, date, writer.width(), writer.height(),
                   [&writer] { writer.newPage(); });
    });
}

TablePrintPlan planTablePrint(const CodeTable &table, const QString &fileName, const QDate &date,
                              int letterWidth, int lineHeight, int pageWidth, int pageHeight,
                              const std::function<int(const QString &)> &textWidth) {
    TablePrintPlan plan;
    int page = 0;
    int y = kMargin;
    // The header, on the first page only: the file at the left, the date
    // ending ten letters before the right edge.
    plan.texts.push_back({page, {kMargin, y}, QStringLiteral("File: ") + fileName});
    const QString dateText = QStringLiteral("Date：") + date.toString(QStringLiteral("yyyy/MM/dd"));
    plan.texts.push_back({page, {pageWidth - textWidth(dateText) - 10 * letterWidth, y}, dateText});
    y += 2 * lineHeight;
    for (int row = 1; row <= CodeTable::kRows; ++row) {
        // A Carry of blanks counts as occupied here.
        if (table.cell(row, CodeTable::kColCarry).isEmpty()) continue;
        const QString number = QString::fromLatin1(CodeTable::rowNumberText(row));
        plan.texts.push_back({page, {kMargin, y}, QStringLiteral("[%1]:").arg(number)});
        plan.texts.push_back({page,
                              {kMargin + 6 * letterWidth, y},
                              toDisplay(table.cell(row, CodeTable::kColCarry))});
        plan.texts.push_back({page,
                              {kMargin + 16 * letterWidth, y},
                              toDisplay(table.cell(row, CodeTable::kColComments))});
        plan.texts.push_back({page,
                              {kMargin + 56 * letterWidth, y},
                              toDisplay(table.cell(row, CodeTable::kColResult))});
        y += lineHeight;
        if (y + kMargin > pageHeight) { // a new page, even after the last row
            ++page;
            y = kMargin;
        }
    }
    plan.pages = page + 1;
    return plan;
}

void PrintTable(QPainter &painter, const CodeTable &table, const QString &fileName,
                const QDate &date, int pageWidth, int pageHeight,
                const std::function<void()> &newPage) {
    const QFontMetrics metrics(painter.font(), painter.device());
    const int letterWidth = metrics.horizontalAdvance(QLatin1Char('W'));
    // The text height of a letter is the face's whole height (ascent and
    // descent), not the ink of the glyph.
    const int lineHeight = metrics.height() + 4;
    const TablePrintPlan plan =
        planTablePrint(table, fileName, date, letterWidth, lineHeight, pageWidth, pageHeight,
                       [&metrics](const QString &text) { return metrics.horizontalAdvance(text); });
    int page = 0;
    for (const PrintedText &text : plan.texts) {
        while (page < text.page) {
            newPage();
            ++page;
        }
        // Positions are the top of the line, as the text is placed on the page.
        painter.drawText(text.at + QPoint(0, metrics.ascent()), text.text);
    }
    while (page + 1 < plan.pages) {
        newPage();
        ++page;
    }
}

} // namespace zevo3
