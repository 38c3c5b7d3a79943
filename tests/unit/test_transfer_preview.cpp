// What the window shows before an import stores or an export writes: the
// codes of a text with what the rows would hold, the rows an import would
// overwrite, an export's text, and the trace of the small drawing.

#include "imported_row.h"
#include "lirc_format.h"
#include "pronto_format.h"
#include "transfer_preview.h"

#include <gtest/gtest.h>

namespace zevo3::test {
namespace {

// NEC at 38 kHz (word 0x006D): leader 0156 00AB, a 0 as 0015 0015 and a 1
// as 0015 0040, the stop mark with 40 ms 0015 05F1; no repeat part.
QByteArray necPronto(uint32_t bits) {
    QByteArray text = "0000 006D 0022 0000 0156 00AB";
    for (int k = 0; k < 32; ++k)
        text += (bits >> k) & 1 ? " 0015 0040" : " 0015 0015";
    return text + " 0015 05F1";
}

constexpr uint32_t kPower = 0x00u | 0xFFu << 8 | 0x12u << 16 | 0xEDu << 24;

TEST(ImportPreviewTest, ListsEachCodeAsItsRowWouldHoldIt) {
    const ImportPreview preview =
        previewImport(InterchangeFormat::Pronto, necPronto(kPower) + "\n" + necPronto(~kPower));
    EXPECT_TRUE(preview.storable());
    ASSERT_EQ(preview.codes.size(), 2u);
    const PreviewCode &code = preview.codes[0];
    EXPECT_TRUE(code.fits);
    EXPECT_EQ(code.carrierHz, 38029);
    EXPECT_EQ(code.carry, 380);
    EXPECT_EQ(code.pairs, 34);
    EXPECT_EQ(code.entries, 4);
    EXPECT_EQ(code.notes, QStringLiteral("carrier 38029 Hz stored as 38.0 kHz"));
    // The same deviation the stored row reports.
    CodeTable table;
    const StoreResult stored = storeImported(table, 1, preview.read.codes);
    ASSERT_TRUE(stored.ok);
    EXPECT_EQ(code.maxDeviationUs, stored.stored[0].maxDeviationUs);
    EXPECT_DOUBLE_EQ(code.maxDeviationPercent, stored.stored[0].maxDeviationPercent);
}

TEST(ImportPreviewTest, NamesWhatKeepsATextFromBeingStored) {
    // A bad word: nothing is offered, and the error names it.
    QByteArray bad = necPronto(kPower);
    bad.replace(10, 4, "00G0");
    const ImportPreview wrong = previewImport(InterchangeFormat::Pronto, bad);
    EXPECT_FALSE(wrong.storable());
    EXPECT_TRUE(wrong.codes.empty());
    EXPECT_TRUE(wrong.error.contains(QStringLiteral("00G0"))) << wrong.error.toStdString();
    EXPECT_TRUE(wrong.error.startsWith(QStringLiteral("line 1"))) << wrong.error.toStdString();

    EXPECT_FALSE(previewImport(InterchangeFormat::Raw, "  \n# nothing\n").storable());
    EXPECT_FALSE(previewImport(InterchangeFormat::Unknown, necPronto(kPower)).storable());

    // A code read but beyond the unit's limits is listed with the reason;
    // the store itself refuses it.
    const ImportPreview tooLong = previewImport(InterchangeFormat::Raw, "120000 5000 560 560\n");
    ASSERT_TRUE(tooLong.storable());
    ASSERT_EQ(tooLong.codes.size(), 1u);
    EXPECT_FALSE(tooLong.codes[0].fits);
    EXPECT_FALSE(tooLong.codes[0].notes.isEmpty());
}

TEST(ImportPreviewTest, RowsInUseAreThoseWithADescriptionOrAnyCellText) {
    CodeTable table;
    table.setCell(3, CodeTable::kColCarry, " 38.0kHz");
    table.waveInfo(5).Carry = 380;
    table.setCell(6, CodeTable::kColComments, "a note only"); // an import replaces it
    table.setCell(7, CodeTable::kColResult, "01FE");
    table.setCell(8, CodeTable::kColFrames, " "); // blanks are no text
    table.setCell(70, CodeTable::kColCarry, "x");
    EXPECT_EQ(rowsInUse(table, 2, 5), (std::vector<int>{3, 5, 6}));
    EXPECT_EQ(rowsInUse(table, 6, 3), (std::vector<int>{6, 7}));
    EXPECT_EQ(rowsInUse(table, 8, 1), std::vector<int>{});
    EXPECT_EQ(rowsInUse(table, 69, 5), std::vector<int>{70}); // clipped at the last row
}

TEST(ExportRowsTest, WritesTheChosenRowsAndSaysWhenThereAreNone) {
    CodeTable table;
    EXPECT_FALSE(exportRows(table, InterchangeFormat::Pronto, 0, "t").ok);
    const InterchangeWrite none = exportRows(table, InterchangeFormat::Raw, 4, "t");
    ASSERT_EQ(none.notes.size(), 1u);
    EXPECT_EQ(none.notes[0].message, QStringLiteral("row 4 holds no timing description"));

    const InterchangeRead read = readPronto(necPronto(kPower) + "\n" + necPronto(~kPower));
    std::vector<InterchangeCode> codes = read.codes;
    codes[0].name = QStringLiteral("Power");
    codes[1].name = QStringLiteral("Other");
    ASSERT_TRUE(storeImported(table, 4, codes).ok);

    const InterchangeWrite one = exportRows(table, InterchangeFormat::Pronto, 5, "t");
    ASSERT_TRUE(one.ok);
    const InterchangeRead back = readPronto(one.bytes);
    ASSERT_EQ(back.codes.size(), 1u);
    CodeTable again;
    ASSERT_TRUE(storeImported(again, 1, back.codes).ok);
    EXPECT_EQ(again.waveInfo(1), table.waveInfo(5));

    const InterchangeWrite all = exportRows(table, InterchangeFormat::Lirc, 0, "My_table");
    ASSERT_TRUE(all.ok);
    EXPECT_TRUE(all.bytes.contains("\n  name  My_table\n")) << all.bytes.constData();
    const InterchangeRead both = readLirc(all.bytes);
    ASSERT_EQ(both.codes.size(), 2u);
    EXPECT_EQ(both.codes[0].name, QStringLiteral("Power"));
    EXPECT_EQ(both.codes[1].name, QStringLiteral("Other"));
}

TEST(ExportRowsTest, TheRemoteIsNamedAfterTheTableFile) {
    EXPECT_EQ(remoteNameFor(QStringLiteral("/x/tv set.Csv")), QStringLiteral("tv set"));
    EXPECT_EQ(remoteNameFor(QStringLiteral("/x/a.b.Csv")), QStringLiteral("a.b"));
    EXPECT_EQ(remoteNameFor(QString()), QStringLiteral("zevo3"));
}

TEST(SignalTraceTest, StepsAtEachDurationScaledToTheWidth) {
    const FlatSignal signal{38000, {100, 300, 200, 200}};
    const std::vector<QPointF> trace = signalTrace(signal, QRectF(10, 0, 800, 20));
    const std::vector<QPointF> expected = {{10, 20}, {10, 0},  {110, 0},  {110, 20}, {410, 20},
                                           {410, 0}, {610, 0}, {610, 20}, {810, 20}, {810, 20}};
    EXPECT_EQ(trace, expected);
    EXPECT_TRUE(signalTrace(FlatSignal{38000, {}}, QRectF(0, 0, 10, 10)).empty());
}

} // namespace
} // namespace zevo3::test
