// What the wave information editor shows of a description and stores back.

#include "wave_edit_core.h"

#include <gtest/gtest.h>

using namespace zevo3;

TEST(WaveEditCore, RulerDigitsAndShownEntries) {
    EXPECT_EQ(patternCodeRuler(23), "0----+----1----+----2--");
    EXPECT_EQ(patternCodeRuler(0), "");
    EXPECT_EQ(patternCodeRuler(101).right(2), "-0"); // position 100: the tens digit wraps
    WaveInfo info;
    info.DataBits = 3;
    info.Pcode[0] = 1;
    info.Pcode[1] = 0xA;
    info.Pcode[2] = 2;
    EXPECT_EQ(patternCodeText(info), "1A2");
    info.DataBits = -4;
    EXPECT_EQ(patternCodeText(info), "");
    info.High[0] = 5;
    info.High[1] = 5;
    info.High[3] = 5;
    EXPECT_EQ(shownPatternEntries(info), 2);
}

TEST(WaveEditCore, DigitsAreCheckedAndStoredOverWhatTheRowHeld) {
    EXPECT_EQ(firstNonHexDigit(QStringLiteral("09afAF")), std::nullopt);
    EXPECT_EQ(firstNonHexDigit(QStringLiteral("01x2")), 2);
    EXPECT_EQ(firstNonHexDigit(QStringLiteral("0１")), 1); // a full-width digit is no digit
    EXPECT_EQ(editorNumber(QStringLiteral("  38 "), 380), 38);
    EXPECT_EQ(editorNumber(QStringLiteral(""), 380), 380);
    EXPECT_EQ(editorNumber(QStringLiteral("3.8"), 380), 380);

    WaveInfo info;
    for (int i = 0; i < 6; ++i)
        info.Pcode[size_t(i)] = 9;
    EditorFields fields;
    fields.Carry = 400;
    fields.DataBits = 3;
    fields.High[15] = 77;
    fields.PatternCodes = "a1";
    storeEditorFields(info, fields);
    EXPECT_EQ(info.Carry, 400);
    EXPECT_EQ(info.DataBits, 3);
    EXPECT_EQ(info.High[15], 77);
    EXPECT_EQ(info.Pcode[0], 0xA);
    EXPECT_EQ(info.Pcode[1], 1);
    EXPECT_EQ(info.Pcode[2], 9); // beyond the text: kept
}
