// The table print drawn: on an image page by page, and through the print
// dialog into a PDF.

#include "main_window_fixture.h"
#include "table_print.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace zevo3;
using namespace zevo3::test;

TEST(TablePrint, DrawsOnAnyPainterPageByPage) {
    auto table = std::make_unique<CodeTable>();
    for (int row = 1; row <= 70; ++row)
        table->setCell(row, CodeTable::kColCarry, "38.0kHz");
    QImage page(800, 600, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    int newPages = 0;
    PrintTable(painter, *table, QStringLiteral("codes.Csv"), QDate(2026, 12, 8), page.width(),
               page.height(), [&] { ++newPages; });
    painter.end();
    const QFontMetrics m(painter.font());
    const int perPage = (600 - 100 - 100) / (m.height() + 4);
    EXPECT_GE(newPages, 70 / (perPage + 2));
    // Something dark was drawn where the first row starts.
    bool ink = false;
    for (int x = 100; x < 160 && !ink; ++x)
        for (int y = 100; y < 130 && !ink; ++y)
            ink = qGray(page.pixel(x, y)) < 128;
    EXPECT_TRUE(ink);
}

TEST_F(MainWindowTest, TablePrintGoesThroughThePrintDialog) {
    TfrmMain &w = create();
    w.show();
    w.sBarDblClick(); // the button shows in analysis-log mode
    objects->table.setCell(3, CodeTable::kColCarry, "38.0kHz");
    QTest::mouseClick(w.btnTablePrint, Qt::LeftButton); // cancelled: nothing
    EXPECT_EQ(prompter.printDialogs, 1);
    const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
    QString title;
    prompter.onPrint = [&](QPrinter &printer) {
        title = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    QTest::mouseClick(w.btnTablePrint, Qt::LeftButton);
    EXPECT_EQ(title, QStringLiteral("MORIKA ZEVO3 Tool[ Table Date ]"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
}
