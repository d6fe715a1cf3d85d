// The code-page form of strings. In the locale's code page only cases that hold in every code
// page are tested: ASCII stands for itself, and no code page holds a lone surrogate. An engine
// without a host uses ISO 8859-1.
#include "lisp/core/code_page.h"
#include "lisp/core/engine.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, AsciiStandsForItself)
{
    EXPECT_EQ(CodePageForm(u"abc \\x"), QByteArray("abc \\x"));
    EXPECT_EQ(CodePageForm(u""), QByteArray());
}

TEST(CodePage, AnUnheldCharacterBecomesItsEscape)
{
    EXPECT_EQ(CodePageForm(u"a\xD800" u"b"), QByteArray("a\\U+D800b"));
    EXPECT_EQ(CodePageForm(u"\xDFFF"), QByteArray("\\U+DFFF"));
}

TEST(CodePage, TextsCompareByTheirForm)
{
    EXPECT_TRUE(SameCodePageText(u"abc", u"abc"));
    EXPECT_FALSE(SameCodePageText(u"abc", u"abd"));
    EXPECT_FALSE(SameCodePageText(u"abc", u"ab"));
    EXPECT_TRUE(SameCodePageText(u"x\xDC00", u"x\\U+DC00"));
    EXPECT_FALSE(SameCodePageText(u"\xDC00", u"\\U+DC01"));
}

TEST(CodePage, AnEngineWithoutHostUsesLatin1)
{
    CTqLISPImpl engine;
    EXPECT_EQ(CodePageForm(engine, u"caf\xE9"), QByteArray("caf\xE9"));
    EXPECT_EQ(CodePageForm(engine, u"x\x4E2D" u"y"), QByteArray("x\\U+4E2Dy"));
    EXPECT_TRUE(SameCodePageText(engine, u"\x4E2D", u"\\U+4E2D"));
    EXPECT_FALSE(SameCodePageText(engine, u"\xE9", u"\\U+00E9"));
}

}  // namespace
