// The way out of a timing description (the flat signal), the way back (the
// quantiser) and the rows an import writes into the code table.

#include "imported_row.h"
#include "quantiser.h"

#include <gtest/gtest.h>

namespace zevo3::test {
namespace {

WaveInfo twoEntries() {
    WaveInfo info;
    info.Carry = 380;
    info.DataBits = 5;
    info.High[0] = 350;
    info.Width[0] = 700;
    info.High[1] = 350;
    info.Width[1] = 1400;
    const uint8_t codes[] = {0, 1, 1, 0, 1};
    std::copy(std::begin(codes), std::end(codes), info.Pcode.begin());
    return info;
}

FlatSignal signalOfPairs(const std::vector<std::pair<int, int>> &pairs, int carrierHz = 38000) {
    FlatSignal s;
    s.carrierHz = carrierHz;
    for (const auto &[mark, space] : pairs) {
        s.durations.push_back(mark);
        s.durations.push_back(space);
    }
    return s;
}

TEST(FlatSignalTest, EachPatternCodeGivesItsMarkAndTheRestOfItsWidth) {
    const FlatSignal s = flatSignalOf(twoEntries());
    EXPECT_EQ(s.carrierHz, 38000);
    EXPECT_EQ(s.durations,
              (std::vector<int32_t>{350, 350, 350, 1050, 350, 1050, 350, 350, 350, 1050}));
    // A broken description still gives a signal: no negative space, no
    // reading past the 4096 codes.
    WaveInfo bad = twoEntries();
    bad.Width[1] = 100;
    bad.DataBits = 5000;
    const FlatSignal b = flatSignalOf(bad);
    EXPECT_EQ(b.durations.size(), 2u * 4096);
    EXPECT_EQ(b.durations[3], 0);
}

TEST(QuantiserTest, ADescriptionComesBackAsItWas) {
    const WaveInfo info = twoEntries();
    const Quantised q = quantise(flatSignalOf(info));
    ASSERT_TRUE(q.ok) << q.message.toStdString();
    EXPECT_EQ(q.info, info);
    EXPECT_EQ(q.merges, 0);
    EXPECT_EQ(q.maxDeviationUs, 0);
    EXPECT_TRUE(q.notes().empty());
}

TEST(QuantiserTest, PairsWithinTheToleranceShareTheRoundedMeanOfThem) {
    // 560 and 610 are within 60 µs; 9000 and 9800 within 10 %; 700 is not
    // within 60 µs of 560 (nor of their mean).
    const Quantised q =
        quantise(signalOfPairs({{9000, 4500}, {560, 560}, {610, 560}, {9800, 4500}, {700, 560}}));
    ASSERT_TRUE(q.ok);
    EXPECT_EQ(q.entries, 3);
    EXPECT_EQ(q.info.High[0], 9400);
    EXPECT_EQ(q.info.Width[0], 13900);
    EXPECT_EQ(q.info.High[1], 585);
    EXPECT_EQ(q.info.Width[1], 1145);
    EXPECT_EQ(q.info.High[2], 700);
    EXPECT_EQ(std::vector<int>(q.info.Pcode.begin(), q.info.Pcode.begin() + 5),
              (std::vector<int>{0, 1, 1, 0, 2}));
    EXPECT_EQ(q.maxDeviationUs, 400);
    // The largest share is 560 against its entry of 585.
    EXPECT_NEAR(q.maxDeviationPercent, 100.0 * 25 / 560, 1e-9);
    EXPECT_EQ(q.merges, 0);
}

TEST(QuantiserTest, TwentyDistinctPairsAreMergedToSixteenAndSaySo) {
    // 16 pairs at least twice apart, and 4 more, each 15 % longer in its
    // mark than one of them: outside the tolerance, but the nearest.
    std::vector<std::pair<int, int>> pairs;
    for (const int space : {560, 1200, 2400, 4800})
        for (const int mark : {560, 1200, 2400, 4800})
            pairs.push_back({mark, space});
    pairs.insert(pairs.end(), {{644, 560}, {1380, 1200}, {2760, 2400}, {5520, 4800}});
    const Quantised q = quantise(signalOfPairs(pairs));
    ASSERT_TRUE(q.ok);
    EXPECT_EQ(q.entries, 16);
    EXPECT_EQ(q.merges, 4);
    EXPECT_EQ(q.info.High[0], 602); // (560 + 644) / 2
    EXPECT_EQ(q.info.High[15], 5160);
    EXPECT_EQ(q.info.Width[15], 5160 + 4800);
    EXPECT_EQ(q.maxDeviationUs, 360);
    EXPECT_NEAR(q.maxDeviationPercent, 7.5, 1e-9);
    EXPECT_EQ(q.notes(), (std::vector<QString>{"pattern entries merged to fit 16; durations "
                                               "moved by up to 360 µs (7.5 %)"}));
    const std::vector<int> extras(q.info.Pcode.begin() + 16, q.info.Pcode.begin() + 20);
    EXPECT_EQ(extras, (std::vector<int>{0, 5, 10, 15}));
}

TEST(QuantiserTest, FourThousandDistinctPairsFitSixteenEntriesQuickly) {
    std::vector<std::pair<int, int>> pairs;
    for (int k = 0; k < 4096; ++k)
        pairs.push_back({100 + 23 * k, 50 + 7 * (k % 500)});
    const Quantised q = quantise(signalOfPairs(pairs));
    ASSERT_TRUE(q.ok);
    EXPECT_EQ(q.entries, 16);
    EXPECT_GT(q.merges, 0);
    EXPECT_EQ(q.info.DataBits, 4096);
    for (int k = 0; k < 4096; ++k)
        ASSERT_LT(q.info.Pcode[size_t(k)], 16);
}

TEST(QuantiserTest, ClosingSpaceCarrierRoundingAndLimits) {
    FlatSignal s = signalOfPairs({{9000, 4500}}, 38029);
    s.durations.push_back(560);
    Quantised q = quantise(s);
    ASSERT_TRUE(q.ok);
    EXPECT_EQ(q.info.Carry, 380);
    EXPECT_EQ(q.info.Width[1], 560 + 100000);
    EXPECT_EQ(q.closingSpaceUs, 100000);
    EXPECT_EQ(q.notes(),
              (std::vector<QString>{"carrier 38029 Hz stored as 38.0 kHz",
                                    "a closing space of 100000 µs added after the last mark"}));
    // The format's gap is the closing space when it gives one.
    EXPECT_EQ(quantise(s, {}, 40000).info.Width[1], 40560);

    const auto refusal = [](const FlatSignal &signal) {
        const Quantised r = quantise(signal);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.info, WaveInfo{});
        return r.message.toStdString();
    };
    EXPECT_EQ(refusal(signalOfPairs({{100000, 500}})),
              "pair 1: a mark of 100000 µs is longer than 99999 µs");
    EXPECT_EQ(refusal(signalOfPairs({{560, 560}, {99999, 900001}})),
              "pair 2: mark and space of 1000000 µs are longer than 999999 µs");
    EXPECT_EQ(refusal(signalOfPairs({{560, 560}}, 9949)),
              "carrier 9949 Hz is outside 10.0 to 99.9 kHz");
    EXPECT_EQ(refusal(signalOfPairs({{560, 560}}, 99950)),
              "carrier 99950 Hz is outside 10.0 to 99.9 kHz");
    EXPECT_TRUE(quantise(signalOfPairs({{560, 560}}, 99949)).ok);
    EXPECT_TRUE(quantise(signalOfPairs({{560, 560}}, 9950)).ok);
    EXPECT_EQ(refusal(signalOfPairs(std::vector<std::pair<int, int>>(4097, {560, 560}))),
              "4097 mark/space pairs, more than the 4096 a code holds");
    EXPECT_TRUE(quantise(signalOfPairs(std::vector<std::pair<int, int>>(4096, {560, 560}))).ok);
    EXPECT_EQ(refusal(signalOfPairs({{560, 0}})), "pair 1: a space of 0 µs");
    EXPECT_EQ(refusal(FlatSignal{38000, {}}), "the signal has no durations");
}

InterchangeCode code(const QString &name, const FlatSignal &signal) {
    InterchangeCode c;
    c.name = name;
    c.signal = signal;
    return c;
}

TEST(ImportedRowTest, CellsOfAnImportedCode) {
    InterchangeCode c = code("TV, power", flatSignalOf(twoEntries()));
    ImportedRow row = importedRow(c);
    ASSERT_TRUE(row.ok);
    EXPECT_EQ(row.carryCell, "38.0kHz");
    EXPECT_EQ(row.framesCell, "1");
    EXPECT_EQ(row.commentsCell, QByteArray("TV\x81\x43 power")); // "，" in CP932
    EXPECT_EQ(row.quantised.info.RepeatBit, 0);
    c.repeatCount = 3;
    c.signal.carrierHz = 36000;
    row = importedRow(c);
    EXPECT_EQ(row.framesCell, "3");
    EXPECT_EQ(row.carryCell, "36.0kHz");

    c.name = QString::fromUtf8("TV \xF0\x9F\x93\xBA on");
    row = importedRow(c);
    EXPECT_FALSE(row.ok);
    EXPECT_EQ(row.message.toStdString(),
              "the name's character \"\xF0\x9F\x93\xBA\" (character 4) has no CP932 form");
    c.name = "a\tb";
    EXPECT_EQ(importedRow(c).message.toStdString(),
              "the name holds the control character U+0009 at character 2");
}

TEST(ImportedRowTest, StoresAllCodesOrNothing) {
    CodeTable table;
    table.setCell(2, CodeTable::kColCarry, "40.0kHz");
    table.waveInfo(1) = twoEntries();
    EXPECT_EQ(firstRowWithoutDescription(table), 2);

    const std::vector<InterchangeCode> codes = {
        code("one", flatSignalOf(twoEntries())),
        code("two", signalOfPairs({{2400, 600}, {1200, 600}}, 39857))};
    const CodeTable before = table;
    StoreResult r = storeImported(table, 70, codes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.toStdString(), "2 codes from row 70 would run past row 70");
    EXPECT_EQ(table, before);

    std::vector<InterchangeCode> bad = codes;
    bad.push_back(code("three", signalOfPairs({{560, 560}}, 200000)));
    r = storeImported(table, 2, bad);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.toStdString(),
              "code 3 \"three\": carrier 200000 Hz is outside 10.0 to 99.9 kHz");
    EXPECT_EQ(table, before);

    r = storeImported(table, 2, codes);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.rows, (RowRange{2, 3}));
    EXPECT_EQ(table.cell(2, CodeTable::kColCarry), "38.0kHz");
    EXPECT_EQ(table.cell(3, CodeTable::kColCarry), "39.9kHz");
    EXPECT_EQ(table.cell(3, CodeTable::kColComments), "two");
    EXPECT_EQ(table.waveInfo(2), twoEntries());
    EXPECT_EQ(table.waveInfo(3).Carry, 399);
    EXPECT_EQ(r.notes,
              (std::vector<QString>{"row 3 \"two\": carrier 39857 Hz stored as 39.9 kHz"}));
    EXPECT_EQ(firstRowWithoutDescription(table), 4);

    // A row goes out again as its name and signal.
    const InterchangeCode out = codeOfRow(table, 2);
    EXPECT_EQ(out.name, "one");
    EXPECT_EQ(out.signal, flatSignalOf(twoEntries()));
}

} // namespace
} // namespace zevo3::test
