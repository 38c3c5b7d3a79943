#include "exact_text.h"
#include "layout_file.h"

#include <gtest/gtest.h>

using namespace zevo3;

TEST(ExactText, Cp932TextBothWays) {
    const QString volume = QString::fromUtf8("テレビ 音量 ｶﾅ ①");
    QByteArray bytes;
    ASSERT_TRUE(textToCp932(volume, &bytes));
    EXPECT_EQ(bytes, "\x83\x65\x83\x8c\x83\x72 \x89\xb9\x97\xca \xb6\xc5 \x87\x40");
    QString text;
    EXPECT_EQ(cp932ToText(bytes, &text), TextFit::Exact);
    EXPECT_EQ(text, volume);

    // Control bytes stand for themselves, as on Windows, both ways.
    const QByteArray controls("\x00\x1a\x1c\x7f\x09", 5);
    EXPECT_EQ(cp932ToText(controls + "\x82\xa0", &text), TextFit::Exact);
    EXPECT_EQ(text, QString::fromUtf8(controls) + QChar(0x3042));
    ASSERT_TRUE(textToCp932(text, &bytes));
    EXPECT_EQ(bytes, controls + "\x82\xa0");
}

TEST(ExactText, BytesThatDoNotComeBackAreSaid) {
    QString text;
    EXPECT_EQ(cp932ToText("a\x80z", &text), TextFit::NotCp932);
    EXPECT_EQ(text, QString::fromUtf8("a\uFFFDz"));
    EXPECT_EQ(cp932ToText("ab\x82", &text), TextFit::NotCp932); // a lead byte without its trail
    EXPECT_EQ(text, QString::fromUtf8("ab\uFFFD"));
    EXPECT_EQ(cp932ToText("\xff\x7f", &text), TextFit::NotCp932); // a real 0x7F stays
    EXPECT_TRUE(text.endsWith(QChar(0x7F)));
    // NEC-selected IBM extension: the same character as FA 5C, which is what
    // writing it again gives.
    EXPECT_EQ(cp932ToText("\xed\x40", &text), TextFit::OtherBytes);
}

TEST(ExactText, TextWithoutCp932FormIsRefused) {
    QByteArray bytes = "unchanged";
    for (const QString &text :
         {QString::fromUtf8("5 €"), QString(QChar::ReplacementCharacter), QString::fromUtf8("😀"),
          QString(QChar(0xD800)) + QLatin1Char('a'), QString::fromUtf8("¥")}) {
        EXPECT_FALSE(textToCp932(text, &bytes)) << text.toStdString();
        EXPECT_EQ(bytes, "unchanged");
    }
}

TEST(LayoutPath, ExtensionReplacedOrAdded) {
    EXPECT_EQ(layoutPathFor(QStringLiteral("/home/op/tv.Csv")), QStringLiteral("/home/op/tv.ZV3"));
    EXPECT_EQ(layoutPathFor(QStringLiteral("tv.Txt")), QStringLiteral("tv.ZV3"));
    EXPECT_EQ(layoutPathFor(QStringLiteral("a.b/tv.v2.csv")), QStringLiteral("a.b/tv.v2.ZV3"));
    EXPECT_EQ(layoutPathFor(QStringLiteral("a.b/tv")), QStringLiteral("a.b/tv.ZV3"));
    EXPECT_EQ(layoutPathFor(QStringLiteral("tv.")), QStringLiteral("tv.ZV3"));
    EXPECT_EQ(layoutPathFor(QStringLiteral("tv.ZV3")), QStringLiteral("tv.ZV3"));
    EXPECT_EQ(layoutPathFor(QString()), QString());
}
