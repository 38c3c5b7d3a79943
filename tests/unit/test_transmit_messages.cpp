#include "transmit_messages.h"

#include <gtest/gtest.h>

#include <memory>

using namespace zevo3;

namespace {

using Messages = std::vector<QByteArray>;

WaveInfo withCodes(std::initializer_list<uint8_t> codes) {
    WaveInfo info;
    info.DataBits = int32_t(codes.size());
    std::copy(codes.begin(), codes.end(), info.Pcode.begin());
    return info;
}

// The index digits of the Twp messages among the messages.
QByteArray twpIndices(const Messages &messages) {
    QByteArray indices;
    for (const QByteArray &m : messages)
        if (m.startsWith("Twp:")) indices += m[4];
    return indices;
}

} // namespace

TEST(TwdDigits, OneDigitPerCodeAndTheLastRepeatedWhenOdd) {
    EXPECT_EQ(TwdDigits(withCodes({0, 1, 1, 0, 2})), "011022");
    EXPECT_EQ(TwdDigits(withCodes({0, 1, 1, 0})), "0110");
    EXPECT_EQ(TwdDigits(withCodes({10, 15, 3})), "AF33");
    WaveInfo info = withCodes({1, 2});
    info.DataBits = 0;
    EXPECT_EQ(TwdDigits(info), "");
    info.DataBits = -3;
    EXPECT_EQ(TwdDigits(info), "");

    // A count beyond the 4096 codes stops at the last one.
    info.Pcode.fill(0xE);
    info.Pcode.back() = 0xB;
    info.DataBits = 5001;
    const QByteArray digits = TwdDigits(info);
    EXPECT_EQ(digits.size(), WaveInfo::kPcodes);
    EXPECT_EQ(digits.back(), 'B');
}

TEST(TransmitMessages, PrintfStyleFields) {
    EXPECT_EQ(TwlMessage(7), "Twl:007");
    EXPECT_EQ(TwfMessage(3), "Twf:003");
    EXPECT_EQ(TwcMessage(380), "Twc:380");
    EXPECT_EQ(TwbMessage(4096), "Twb:4096");
    EXPECT_EQ(TwrMessage(-5), "Twr:-05");
    EXPECT_EQ(TwsMessage(70), "Tws:070");
    EXPECT_EQ(TwpMessage(0, 350, 700), "Twp:0:00350,000700");
    EXPECT_EQ(TwpMessage(15, 123456, 1400), "Twp:F:123456,001400");
    EXPECT_EQ(TwpMessage(10, -1, -20), "Twp:A:-0001,-00020");
    EXPECT_EQ(TwdMessage("011022"), "Twd:011022");
    EXPECT_EQ(TfMessage(" 2"), "Tf: 2");
}

TEST(FiringTest, NormalModeFiresTheStoredCode) {
    auto table = std::make_unique<CodeTable>();
    table->setCell(7, CodeTable::kColCarry, "38.0kHz");
    EXPECT_EQ(FiringTestMessages(*table, 7, false), (Messages{"Twl:007", "Twf:003"}));
    // An empty or blank Carry cell sends nothing, in either mode.
    table->setCell(8, CodeTable::kColCarry, "  ");
    table->waveInfo(8).Carry = 380;
    EXPECT_TRUE(FiringTestMessages(*table, 8, false).empty());
    EXPECT_TRUE(FiringTestMessages(*table, 8, true).empty());
    EXPECT_TRUE(FiringTestMessages(*table, 0, false).empty());
}

TEST(FiringTest, AnalysisLogModeSendsTheWholeDescription) {
    auto table = std::make_unique<CodeTable>();
    table->setCell(2, CodeTable::kColCarry, "x");
    WaveInfo &info = table->waveInfo(2);
    info = withCodes({1, 2, 3});
    info.Carry = 380;
    info.High[0] = 350;
    info.Width[0] = 700;

    Messages messages = FiringTestMessages(*table, 2, true);
    ASSERT_EQ(messages.size(), 3u + 16u + 1u);
    EXPECT_EQ(messages[0], "Twc:380");
    EXPECT_EQ(messages[1], "Twb:003");
    EXPECT_EQ(messages[2], "Twr:000");
    EXPECT_EQ(messages[3], "Twp:0:00350,000700");
    EXPECT_EQ(twpIndices(messages), "0123456789ABCDEF"); // zero entries included
    EXPECT_EQ(messages.back(), "Twd:1233");              // no Tf: the Frames cell is empty

    table->setCell(2, CodeTable::kColFrames, " 2");
    messages = FiringTestMessages(*table, 2, true);
    EXPECT_EQ(messages.back(), "Tf: 2");
    EXPECT_EQ(messages[messages.size() - 2], "Twd:1233");
}

TEST(IrOut, StopsAfterTheFirstEntryWithAZeroValue) {
    EditorFields fields;
    fields.PatternCodes = "01102"; // sent as typed
    fields.DataBits = 5;
    fields.High = {350, 350};
    fields.Width = {700, 1400};
    const Messages messages = IrOutMessages(fields);
    EXPECT_EQ(messages,
              (Messages{"Twf:000", "Twc:380", "Twb:005", "Twr:000", "Twp:0:00350,000700",
                        "Twp:1:00350,001400", "Twp:2:00000,000000", "Twd:01102", "Tf:3"}));

    fields.High[2] = 10; // Width 0 stops as well
    EXPECT_EQ(twpIndices(IrOutMessages(fields)), "012");
    fields.High.fill(1);
    fields.Width.fill(1);
    EXPECT_EQ(twpIndices(IrOutMessages(fields)), "0123456789ABCDEF");
    fields.PatternCodes.clear();
    EXPECT_TRUE(IrOutMessages(fields).empty());
}

TEST(CodeRecord, RegistrationStopsAfterTheFirstEntryWithBothZero) {
    WaveInfo info = withCodes({0, 1, 1, 0, 2});
    info.Carry = 380;
    Messages messages = CodeRecordMessages(info, 3);
    EXPECT_EQ(messages, (Messages{"Twc:380", "Twb:005", "Twr:000", "Twp:0:00000,000000",
                                  "Twd:011022", "Tws:003"}));

    info.High = {350, 350, 350, 0, 350};
    info.Width = {700, 1400, 700, 700, 1400};
    messages = CodeRecordMessages(info, 12);
    EXPECT_EQ(twpIndices(messages), "012345"); // entry 3 has a Width, entry 5 is empty
    EXPECT_EQ(messages.size(), 3u + 6u + 2u);
    EXPECT_EQ(messages.back(), "Tws:012");

    info.High.fill(5);
    info.Width.fill(6);
    EXPECT_EQ(twpIndices(CodeRecordMessages(info, 1)), "0123456789ABCDEF");
}
