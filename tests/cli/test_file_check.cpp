#include "file_check.h"
#include "samples.h"
#include "text_file.h"

#include <gtest/gtest.h>

using namespace zevo3;

namespace {

const QString kTable = QStringLiteral("t.csv");
const QString kLayout = QStringLiteral("t.ZV3");

QByteArray tableFile() {
    return WriteTableFile(*samples::table());
}
QByteArray layoutFile(const LayoutData &layout = samples::layout()) {
    return SaveLayoutFile(layout, kLayout);
}

// The file with its line `number` (1-based) replaced.
QByteArray withLine(const QByteArray &file, int number, const QByteArray &line) {
    QByteArray out;
    int n = 0;
    for (const QByteArrayView l : textLines(file))
        out += (++n == number ? line : l.toByteArray()) + "\r\n";
    return out;
}
QByteArray lineOf(const QByteArray &file, int number) {
    return textLines(file)[size_t(number - 1)].toByteArray();
}

FilesIn files(const QByteArray &table, const QByteArray &layout = layoutFile(),
              bool layoutFound = true) {
    return {kTable, table, kLayout, layout, layoutFound};
}

std::vector<std::string> texts(const std::vector<Finding> &findings) {
    std::vector<std::string> out;
    for (const Finding &f : findings)
        out.push_back(f.text().toStdString());
    return out;
}
std::vector<std::string> readFindings(const FilesIn &in) {
    return texts(readFiles(in).findings);
}
std::vector<std::string> checkFindings(const FilesIn &in) {
    return texts(checkFiles(in));
}

::testing::AssertionResult saysAt(const std::vector<std::string> &findings,
                                  const std::string &start, const std::string &part = {}) {
    for (const std::string &f : findings)
        if (f.rfind(start, 0) == 0 && f.find(part) != std::string::npos)
            return ::testing::AssertionSuccess();
    std::string all;
    for (const std::string &f : findings)
        all += "\n  " + f;
    return ::testing::AssertionFailure() << "no \"" << start << "…" << part << "\" in:" << all;
}

} // namespace

TEST(FileCheck, FilesAsTheWindowWritesThemAreClean) {
    EXPECT_TRUE(checkFindings(files(tableFile())).empty());
    EXPECT_TRUE(checkFindings(files(tableFile(), {}, false)).empty());
    const FilesRead read = readFiles(files(tableFile()));
    EXPECT_TRUE(read.findings.empty());
    EXPECT_EQ(WriteTableFile(read.table->table), tableFile());
    EXPECT_EQ(read.layout->layout.cells(), samples::layout().cells());
}

TEST(FileCheck, ReadingSaysWhereTheTableDiffersFromTheFile) {
    const QByteArray good = tableFile();
    // Row 2 is line 3: "[002],38.0kHz,3,テレビ 音量,01FE,Twc:400,Twb:004,…,Twd:0101,"
    const QByteArray row2 = lineOf(good, 3);

    std::vector<std::string> f = readFindings(files(withLine(good, 1, "ZEVO4 table")));
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0], "t.csv:1: the first line is not \"ZEVO4 Table File\"; read on as the window "
                    "does after OK, the first line not taken as a row");

    // A comma in the Comments cell: one finding for the line, not a carrier warning.
    f = readFindings(files(withLine(good, 3, QByteArray(row2).replace("\x83\x72 ", "\x83\x72,"))));
    ASSERT_EQ(f.size(), 1u) << f.back();
    EXPECT_TRUE(saysAt(f, "t.csv:3:6: the row has 5 text fields where 4 belong",
                       "Carry \"38.0kHz\", Frames \"3\", Comments \"テレビ\", Result \"音量\""));

    // Too few text fields: tagged fields taken for cells, their values lost.
    f = readFindings(files(withLine(good, 3, "[002],38.0kHz,Twc:400,Twb:004,Twr:000,Twd:0101,")));
    EXPECT_TRUE(saysAt(f, "t.csv:3:3: \"Twc:400\" is read as the Frames text"));
    EXPECT_TRUE(saysAt(f, "t.csv:3:4: \"Twb:004\" is read as the Comments text"));
    EXPECT_TRUE(saysAt(f, "t.csv:3:6: Twd: holds 4 pattern codes where Twb: counts 0"));

    // Pattern codes that do not match their count, a field after them, a
    // last comma missing.
    const QByteArray codes = row2.left(row2.indexOf("Twd:"));
    f = readFindings(files(withLine(good, 3, codes + "Twd:01,")));
    EXPECT_EQ(f, std::vector<std::string>{"t.csv:3:25: Twd: holds 2 pattern codes where Twb: "
                                          "counts 4; codes 3 to 4 read as 0"});
    f = readFindings(files(withLine(good, 3, codes + "Twd:0101FF,note,")));
    EXPECT_TRUE(saysAt(f, "t.csv:3:25: Twd: holds 6 pattern codes where Twb: counts 4; the codes "
                          "after the first 4 are not counted"));
    EXPECT_TRUE(saysAt(f, "t.csv:3:26: \"note\" comes after the pattern codes and is not read"));
    f = readFindings(files(withLine(good, 3, codes + "Twd:0101")));
    EXPECT_TRUE(saysAt(f, "t.csv:3:25: the line does not end with a comma: its last character "
                          "\"1\" is taken for one and lost"));

    // Bytes that are not CP932, and a character that writes back otherwise.
    f = readFindings(files(withLine(good, 3, QByteArray(row2).replace("01FE", "\xed\x40\x80"))));
    EXPECT_EQ(f, std::vector<std::string>{"t.csv:3:5: Result: the text holds bytes that are not "
                                          "CP932 text (shown as U+FFFD)"});
    f = readFindings(files(withLine(good, 3, QByteArray(row2).replace("01FE", "\xed\x40"))));
    EXPECT_TRUE(saysAt(f, "t.csv:3:5: Result: a character of the text has two CP932 forms"));

    // A conversion error keeps the rows before it.
    const QByteArray bad =
        withLine(good, 4, QByteArray(lineOf(good, 4)).replace("Twp:1:00350", "Twp:1:0x350"));
    const FilesRead read = readFiles(files(bad));
    EXPECT_EQ(read.table->rows, 2);
    EXPECT_TRUE(saysAt(texts(read.findings), "t.csv:4:10: Twp:1: High \"0x350\"",
                       "rows 1 to 2 keep what the file holds, the rest stay empty, and the window "
                       "does not read the layout file"));
}

TEST(FileCheck, ReadingSaysWhereTheLayoutDiffersFromTheFile) {
    QByteArray layout = withLine(layoutFile(), 1, "layout");
    layout = withLine(layout, 3, "[02],,,,,,,,003(F10:W01),9,");
    layout = withLine(layout, 4, "end of the rows");
    const std::vector<std::string> f = readFindings(files(tableFile(), layout));
    EXPECT_TRUE(saysAt(f, "t.ZV3:1: the first line is not \"ZEVO3 Layout File : …\"; read on"));
    EXPECT_TRUE(saysAt(f, "t.ZV3:3:10: more than 8 fields"));
    EXPECT_TRUE(saysAt(f, "t.ZV3:4: the line does not begin with \"[\", so the rows end here; 12 "
                          "row line(s) after it are not read"));
    // The rows read stay as the file has them.
    EXPECT_EQ(readFiles(files(tableFile(), layout)).layout->layout.cell(2, 8), "003(F10:W01)");
}

TEST(FileCheck, LinesThatReadersWithFixedBuffersTakeOtherwise) {
    auto table = samples::table();
    table->waveInfo(2).DataBits = 700; // a line of more than 1022 characters
    QByteArray file = WriteTableFile(*table);
    EXPECT_TRUE(readFindings(files(file)).empty());
    std::vector<std::string> f = checkFindings(files(file));
    ASSERT_EQ(f.size(), 1u);
    EXPECT_TRUE(saysAt(f, "t.csv:3: the line has 1066 characters: readers that keep to the "
                          "format's line buffer take 1022 and the line end"));

    file = tableFile();
    file.replace(file.indexOf("\r\n[005]"), 2, "\r").chop(2);
    EXPECT_TRUE(readFindings(files(file)).empty());
    f = checkFindings(files(file));
    EXPECT_TRUE(saysAt(f, "t.csv:5: the line ends with a CR without LF (1 such line end(s)"));
    EXPECT_TRUE(saysAt(f, "t.csv:71: the last line has no line end"));
}

TEST(FileCheck, LayoutCellsThatADownloadWouldNotStore) {
    // Rows 1 to 3 have timing descriptions, row 4 not, row 5 again.
    LayoutData layout = samples::layout();
    layout.setCell(3, 1, "004(F03:W01)");
    layout.setCell(3, 2, "005(F03:W01)");
    layout.setCell(3, 3, "071(F03:W01)");
    layout.setCell(3, 4, "000(F03:W01)");
    layout.setCell(3, 5, "03(F03:W01)");
    const std::vector<std::string> f = checkFindings(files(tableFile(), layoutFile(layout)));
    EXPECT_EQ(f, (std::vector<std::string>{
                     "t.ZV3:4:2: code 4: table row 4 has no timing description (Twc:000), so a "
                     "download does not store it",
                     "t.ZV3:4:3: code 5 comes after table row 4, the first without a timing "
                     "description: a download stores rows 1 to 3 only",
                     "t.ZV3:4:4: code 71 is not a code table row (1 to 70)",
                     "t.ZV3:4:5: code 0 is not a code table row (1 to 70)",
                     "t.ZV3:4:6: \"03(F03:W01)\" is not a layout cell text",
                 }));
    EXPECT_EQ(readFindings(files(tableFile(), layoutFile(layout))),
              std::vector<std::string>{f.back()});
}

TEST(FileCheck, TheSendProblemsOfALayoutAreTheCheckOnesInTheSameWords) {
    LayoutData layout = samples::layout();
    layout.setCell(3, 3, "071(F03:W01)");
    layout.setCell(3, 4, "000(F03:W01)");
    layout.setCell(3, 5, "03(F03:W01)");
    layout.setCell(3, 6, "004(F03:W01)"); // stored by no download, but a code of the table
    const std::vector<std::string> send =
        texts(layoutSendProblems(layout, QStringLiteral("t.ZV3")));
    EXPECT_EQ(send, (std::vector<std::string>{
                        "t.ZV3:4:4: code 71 is not a code table row (1 to 70)",
                        "t.ZV3:4:5: code 0 is not a code table row (1 to 70)",
                        "t.ZV3:4:6: \"03(F03:W01)\" is not a layout cell text",
                    }));
    const std::vector<std::string> all = checkFindings(files(tableFile(), layoutFile(layout)));
    for (const std::string &problem : send)
        EXPECT_NE(std::find(all.begin(), all.end(), problem), all.end()) << problem;
    EXPECT_TRUE(layoutSendProblems(samples::layout(), QStringLiteral("t.ZV3")).empty());
}

TEST(FileCheck, AConversionErrorInTheFirstRowsSaysHowManyRowsKeptWhat) {
    const QByteArray good = tableFile();
    const auto stop = [&](int line) {
        const QByteArray bad = withLine(
            good, line, QByteArray(lineOf(good, line)).replace("Twp:0:00350", "Twp:0:0x350"));
        return texts(readFiles(files(bad)).findings);
    };
    EXPECT_TRUE(saysAt(stop(2), "t.csv:2:9:",
                       "reading stops here: no row keeps what the file holds, every row stays "
                       "empty, and the window does not read the layout file"));
    EXPECT_TRUE(saysAt(stop(3), "t.csv:3:9:",
                       "reading stops here: row 1 keeps what the file holds, the rest stay empty"));
    // No "rows 1 to 0" about the download either.
    LayoutData layout = samples::layout();
    CodeTable table = *samples::table();
    table.waveInfo(1) = WaveInfo();
    table.setCell(1, 1, "");
    const std::vector<std::string> f =
        checkFindings(files(WriteTableFile(table), layoutFile(layout)));
    for (const std::string &line : f)
        EXPECT_EQ(line.find("rows 1 to 0"), std::string::npos) << line;
    EXPECT_TRUE(std::any_of(f.begin(), f.end(), [](const std::string &line) {
        return line.find("a download stores no row") != std::string::npos;
    })) << ::testing::PrintToString(f);
}

TEST(FileCheck, WhatASaveWouldReplaceOrRenumberIsSaid) {
    const QByteArray good = tableFile();
    const QByteArray row1 = lineOf(good, 2);
    // A tag twice: the first value is lost on a save.
    std::vector<std::string> f = readFindings(
        files(withLine(good, 2, QByteArray(row1).replace("Twc:380,", "Twc:400,Twc:380,"))));
    EXPECT_TRUE(
        saysAt(f, "t.csv:2:7: a second \"Twc:\" field: it replaces what the first one gave"));
    f = readFindings(files(
        withLine(good, 2, QByteArray(row1).replace("Twp:1:00350 001400,", "Twp:0:00350 001400,"))));
    EXPECT_TRUE(saysAt(f, "t.csv:2:10: a second \"Twp:0\" field"));
    // Row prefixes whose number is not the row's.
    f = readFindings(files(withLine(good, 2, QByteArray(row1).replace("[001]", "[005]"))));
    EXPECT_EQ(f, std::vector<std::string>{"t.csv:2:1: the row prefix \"[005]\" is read as row 1: "
                                          "the number in it is not read, and a save writes [001]"});
    const QByteArray layout = layoutFile();
    f = readFindings(
        files(good, withLine(layout, 3, QByteArray(lineOf(layout, 3)).replace("[02]", "[07]"))));
    EXPECT_EQ(f, std::vector<std::string>{"t.ZV3:3:1: the row prefix \"[07]\" is read as row 2: "
                                          "the number in it is not read, and a save writes [02]"});
    EXPECT_TRUE(readFindings(files(good)).empty());
}
