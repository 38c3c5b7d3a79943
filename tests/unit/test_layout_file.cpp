#include "layout_file.h"

#include <gtest/gtest.h>

using namespace zevo3;

namespace {

const QByteArray kEmptyRows = "[01],,,,,,,,,\r\n[02],,,,,,,,,\r\n[03],,,,,,,,,\r\n[04],,,,,,,,,\r\n"
                              "[05],,,,,,,,,\r\n[06],,,,,,,,,\r\n[07],,,,,,,,,\r\n[08],,,,,,,,,\r\n"
                              "[09],,,,,,,,,\r\n[10],,,,,,,,,\r\n[11],,,,,,,,,\r\n[12],,,,,,,,,\r\n"
                              "[13],,,,,,,,,\r\n[14],,,,,,,,,\r\n[15],,,,,,,,,\r\n";

bool sameCells(const LayoutData &a, const LayoutData &b) {
    return a.cells() == b.cells();
}

} // namespace

TEST(LayoutFileSave, ExactBytes) {
    LayoutData layout;
    EXPECT_EQ(SaveLayoutFile(layout, QStringLiteral("/home/op/tables/tv.ZV3")),
              "ZEVO3 Layout File : tv.ZV3\r\n" + kEmptyRows);

    layout.setCell(1, 1, "012(F03:W01)");
    layout.setCell(1, 2, " 005(F03:W01)\t"); // trimmed when written
    layout.setCell(15, 8, "070(F99:W00)");
    const QByteArray file = SaveLayoutFile(layout, QStringLiteral("/tmp/テレビ 無し.ZV3"));
    EXPECT_TRUE(
        file.startsWith("ZEVO3 Layout File : \x83\x65\x83\x8c\x83\x72 \x96\xb3\x82\xb5.ZV3\r\n"
                        "[01],012(F03:W01),005(F03:W01),,,,,,,\r\n[02],,,,,,,,,\r\n"));
    EXPECT_TRUE(file.endsWith("[15],,,,,,,,070(F99:W00),\r\n"));

    // A line end in the name does not start a row line.
    EXPECT_TRUE(SaveLayoutFile(LayoutData(), QStringLiteral("/tmp/a\n[01],b"))
                    .startsWith("ZEVO3 Layout File : a [01],b\r\n[01],"));
}

TEST(LayoutFileRoundTrip, EveryCellComesBackUnchanged) {
    LayoutData layout;
    for (int r = 1; r <= LayoutData::kRows; ++r)
        for (int c = 1; c <= LayoutData::kColumns; ++c)
            if ((r + c) % 3) layout.SetLayoutCell(r, c, (r * c) % 70 + 1, c, r % 4);
    const QByteArray file = SaveLayoutFile(layout, QStringLiteral("x.ZV3"));
    const LayoutFileRead read = LoadLayoutFile(file);
    EXPECT_TRUE(read.identified);
    EXPECT_EQ(read.rows, 15);
    EXPECT_EQ(read.end, LayoutReadEnd::EndOfFile);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_TRUE(sameCells(read.layout, layout));
    EXPECT_TRUE(read.layout.currentFile.isEmpty()); // the caller names it
}

TEST(LayoutFileLoad, IdentificationLine) {
    LayoutFileRead read = LoadLayoutFile("ZEVO3 Layout File : a.ZV3\r\n");
    EXPECT_TRUE(read.identified);
    EXPECT_EQ(read.rows, 0);
    EXPECT_TRUE(sameCells(read.layout, LayoutData()));

    // A foreign file: its first line is skipped even when it is a row line,
    // and rows are read while lines begin with "[".
    read = LoadLayoutFile("[01],001(F03:W01),\r\n[02],002(F03:W01),\r\n[03],,003(F03:W01),\r\n"
                          "end\r\n[04],004(F03:W01),\r\n");
    EXPECT_FALSE(read.identified);
    EXPECT_EQ(read.rows, 2);
    EXPECT_EQ(read.layout.cell(1, 1), "002(F03:W01)");
    EXPECT_EQ(read.layout.cell(2, 2), "003(F03:W01)");
    EXPECT_EQ(read.layout.cell(3, 1), "");
    EXPECT_EQ(read.end, LayoutReadEnd::NotARowLine);
    EXPECT_EQ(read.endLine, 4);

    EXPECT_FALSE(LoadLayoutFile({}).identified);
}

TEST(LayoutFileLoad, RowsInFileOrderFieldsAsTheyStand) {
    const LayoutFileRead read = LoadLayoutFile("ZEVO3 Layout File : a.ZV3\n"
                                               "[05], 012(F03:W01) ,x,\n"
                                               "[01],1,2,3,4,5,6,7,8,9,10,\n"
                                               "[3],a,b");
    EXPECT_EQ(read.rows, 3);
    EXPECT_EQ(read.layout.cell(1, 1), " 012(F03:W01) ");
    EXPECT_EQ(read.layout.cell(1, 2), "x");
    EXPECT_EQ(read.layout.cell(1, 3), "");
    EXPECT_EQ(read.layout.cell(2, 8), "8"); // fields after the eighth are not read
    // A short prefix shifts the fields; text after the last comma is ignored.
    EXPECT_EQ(read.layout.cell(3, 1), "");
    EXPECT_EQ(read.layout.cell(3, 2), "");
    int extra = 0;
    for (const FileProblem &p : read.problems)
        extra += p.line == 3 && p.field == 10;
    EXPECT_EQ(extra, 1);
    EXPECT_EQ(read.end, LayoutReadEnd::EndOfFile);
}

TEST(LayoutFileLoad, NeverPastRow15AndAnyLineEnd) {
    QByteArray file = "ZEVO3 Layout File : a.ZV3\r";
    for (int r = 1; r <= 20; ++r)
        file += "[" + QByteArray::number(r).rightJustified(2, '0') + "]," + QByteArray(3000, 'x') +
                ",001(F03:W01)\r";
    // The last line has no line end; its last field still counts.
    file += "tail,";
    const LayoutFileRead read = LoadLayoutFile(file);
    EXPECT_EQ(read.rows, 15);
    EXPECT_EQ(read.end, LayoutReadEnd::LayoutFull);
    EXPECT_EQ(read.endLine, 17);
    EXPECT_EQ(read.layout.cell(15, 1).size(), 3000);
    EXPECT_EQ(read.layout.cell(15, 2), ""); // not closed by a comma

    const LayoutFileRead last = LoadLayoutFile("ZEVO3 Layout File : a.ZV3\n[01],001(F03:W01),");
    EXPECT_EQ(last.layout.cell(1, 1), "001(F03:W01)");
}
