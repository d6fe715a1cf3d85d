// The system code page: selection by name and number, conversions both ways, and how a
// character or byte sequence the code page lacks is reported.
#include "host/os/CTqCodePage.h"

#include <gtest/gtest.h>

namespace {

QByteArray encoded(const CTqCodePage& page, std::u16string_view text, int& defaults)
{
    QByteArray bytes;
    defaults = page.Encode(text, bytes);
    return bytes;
}

CTqCodePage selected(const char* name)
{
    CTqCodePage page;
    EXPECT_TRUE(page.Select(QString::fromLatin1(name))) << name;
    return page;
}

}  // namespace

TEST(CTqCodePage, StartsAsWindows1252)
{
    const CTqCodePage page;
    EXPECT_EQ(page.Number(), 1252);
    int defaults = -1;
    EXPECT_EQ(encoded(page, u"a\u00E9\u20AC", defaults), QByteArray("a\xE9\x80"));
    EXPECT_EQ(defaults, 0);
}

TEST(CTqCodePage, CharactersOutsideTheCodePageBecomeQuestionMarksAndAreCounted)
{
    const CTqCodePage page;
    int defaults = -1;
    EXPECT_EQ(encoded(page, u"x\u4E2Dy\u0416", defaults), QByteArray("x?y?"));
    EXPECT_EQ(defaults, 2);
    // A surrogate pair is one character; an unpaired surrogate is one too, even at the end.
    EXPECT_EQ(encoded(page, u"\U0001F600", defaults), QByteArray("?"));
    EXPECT_EQ(defaults, 1);
    EXPECT_EQ(encoded(page, u"a\xD83D", defaults), QByteArray("a?"));
    EXPECT_EQ(defaults, 1);
    EXPECT_EQ(encoded(page, u"\xDE00" u"b", defaults), QByteArray("?b"));
    EXPECT_EQ(defaults, 1);
}

TEST(CTqCodePage, EmptyAndAsciiTextConvertUnchanged)
{
    const CTqCodePage page = selected("932");
    int defaults = -1;
    EXPECT_EQ(encoded(page, u"", defaults), QByteArray());
    EXPECT_EQ(defaults, 0);
    EXPECT_EQ(encoded(page, u"Az~\\", defaults), QByteArray("Az~\\"));
    EXPECT_EQ(defaults, 0);
}

TEST(CTqCodePage, SelectsByNumberPrefixedNumberOrCodecName)
{
    int defaults = -1;
    EXPECT_EQ(selected("windows-1251").Number(), 1251);
    EXPECT_EQ(encoded(selected("windows-1251"), u"\u0416", defaults), QByteArray("\xC6"));
    EXPECT_EQ(encoded(selected("cp1250"), u"\u0142", defaults), QByteArray("\xB3"));
    EXPECT_EQ(selected("cp1250").Number(), 1250);
    EXPECT_EQ(encoded(selected("1253"), u"\u03B1", defaults), QByteArray("\xE1"));
    EXPECT_EQ(selected("Shift_JIS").Number(), 932);
    EXPECT_EQ(selected("GBK").Number(), 936);
    EXPECT_EQ(selected("ms936").Number(), 936);
}

TEST(CTqCodePage, DoubleByteCodePagesTakeTwoBytesPerIdeograph)
{
    int defaults = -1;
    EXPECT_EQ(encoded(selected("932"), u"a\u3042", defaults), QByteArray("a\x82\xA0"));
    EXPECT_EQ(defaults, 0);
    EXPECT_EQ(encoded(selected("936"), u"\u4E2D", defaults), QByteArray("\xD6\xD0"));
    EXPECT_EQ(defaults, 0);
    // The euro sign is in GBK as one byte, not in Shift-JIS at all.
    EXPECT_EQ(encoded(selected("936"), u"\u20AC", defaults), QByteArray("\x80"));
    EXPECT_EQ(encoded(selected("932"), u"\u20AC", defaults), QByteArray("?"));
    EXPECT_EQ(defaults, 1);
}

TEST(CTqCodePage, AnUnknownNameKeepsTheSelection)
{
    CTqCodePage page;
    ASSERT_TRUE(page.Select(QStringLiteral("1251")));
    EXPECT_FALSE(page.Select(QStringLiteral("klingon")));
    EXPECT_FALSE(page.Select(QStringLiteral("UTF-8")));
    EXPECT_FALSE(page.Select(QStringLiteral("windows-9999")));
    EXPECT_FALSE(page.Select(QString()));
    EXPECT_EQ(page.Number(), 1251);
}

TEST(CTqCodePage, DecodesBytesAndReportsInvalidInput)
{
    std::u16string text;
    EXPECT_TRUE(CTqCodePage().Decode("A\x80\xE9", text));
    EXPECT_EQ(text, u"A\u20AC\u00E9");
    const CTqCodePage japanese = selected("932");
    EXPECT_TRUE(japanese.Decode("\x82\xA0" "b", text));
    EXPECT_EQ(text, u"\u3042b");
    // A half-width katakana is a single byte.
    EXPECT_TRUE(japanese.Decode("\xB1", text));
    EXPECT_EQ(text, u"\uFF71");
    // A lead byte without its trail byte, at the end or before another character.
    EXPECT_FALSE(japanese.Decode("a\x82", text));
    EXPECT_EQ(text, u"a\uFFFD");
    EXPECT_FALSE(japanese.Decode("\x82 ", text));
    EXPECT_EQ(text, u"\uFFFD ");
    // 0xD2 has no character in Windows-1253.
    EXPECT_FALSE(selected("1253").Decode("\xD2", text));
    EXPECT_EQ(text, u"\uFFFD");
    EXPECT_TRUE(CTqCodePage().Decode("", text));
    EXPECT_EQ(text, u"");
}
