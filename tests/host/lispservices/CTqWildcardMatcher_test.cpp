// The wildcard pattern language of the wildcard-match service, one test per construct.
#include "host/lispservices/CTqWildcardMatcher.h"

#include <gtest/gtest.h>

namespace {

bool matches(const char16_t* text, const char16_t* pattern)
{
    return CTqWildcardMatcher::Matches(QString::fromUtf16(text), QString::fromUtf16(pattern));
}

}  // namespace

TEST(CTqWildcardMatcher, OrdinaryCharactersMatchThemselvesCaseSensitively)
{
    EXPECT_TRUE(matches(u"Name", u"Name"));
    EXPECT_FALSE(matches(u"Name", u"name"));
    EXPECT_FALSE(matches(u"Name", u"Nam"));
    EXPECT_FALSE(matches(u"Nam", u"Name"));
    EXPECT_TRUE(matches(u"", u""));
    EXPECT_FALSE(matches(u"a", u""));
    EXPECT_FALSE(matches(u"", u"a"));
}

TEST(CTqWildcardMatcher, DigitLetterAndOtherClasses)
{
    EXPECT_TRUE(matches(u"A1", u"@#"));
    EXPECT_FALSE(matches(u"AB", u"@#"));
    EXPECT_FALSE(matches(u"12", u"@#"));
    EXPECT_TRUE(matches(u"\u00E9", u"@"));
    EXPECT_TRUE(matches(u"-", u"."));
    EXPECT_TRUE(matches(u" ", u"."));
    EXPECT_FALSE(matches(u"a", u"."));
    EXPECT_FALSE(matches(u"7", u"."));
}

TEST(CTqWildcardMatcher, QuestionMarkTakesOneCharacterAndAPairIsOne)
{
    EXPECT_TRUE(matches(u"abc", u"a?c"));
    EXPECT_FALSE(matches(u"ac", u"a?c"));
    EXPECT_TRUE(matches(u"\U0001F600", u"?"));
    EXPECT_FALSE(matches(u"\U0001F600", u"??"));
}

TEST(CTqWildcardMatcher, StarTakesAnyRunIncludingNone)
{
    EXPECT_TRUE(matches(u"", u"*"));
    EXPECT_TRUE(matches(u"anything", u"*"));
    EXPECT_TRUE(matches(u"ab", u"a*b"));
    EXPECT_TRUE(matches(u"aXYZb", u"a*b"));
    EXPECT_FALSE(matches(u"aXYZbc", u"a*b"));
    EXPECT_TRUE(matches(u"abcbd", u"*b?"));
    EXPECT_TRUE(matches(u"mississippi", u"m*ss*pi"));
    EXPECT_FALSE(matches(u"mississippi", u"m*ss*pix"));
    EXPECT_TRUE(matches(u"LAYER-12", u"*-##"));
}

TEST(CTqWildcardMatcher, ManyStarsStayFast)
{
    const QString text(5000, QLatin1Char('a'));
    const QString pattern = QString(40, QLatin1Char('*')).replace(QLatin1String("**"), QLatin1String("*a")) + QLatin1Char('b');
    EXPECT_FALSE(CTqWildcardMatcher::Matches(text, pattern));
}

TEST(CTqWildcardMatcher, SetsRangesAndNegatedSets)
{
    EXPECT_TRUE(matches(u"b", u"[abc]"));
    EXPECT_FALSE(matches(u"d", u"[abc]"));
    EXPECT_TRUE(matches(u"m", u"[a-z]"));
    EXPECT_FALSE(matches(u"M", u"[a-z]"));
    EXPECT_TRUE(matches(u"M", u"[a-zA-Z]"));
    EXPECT_TRUE(matches(u"d", u"[~abc]"));
    EXPECT_FALSE(matches(u"a", u"[~abc]"));
    EXPECT_FALSE(matches(u"", u"[~abc]"));
    EXPECT_TRUE(matches(u"x5", u"x[0-9]"));
    // Reversed ends hold nothing.
    EXPECT_FALSE(matches(u"m", u"[z-a]"));
}

TEST(CTqWildcardMatcher, BracketAndDashAtTheEdgesOfASetAreMembers)
{
    EXPECT_TRUE(matches(u"]", u"[]a]"));
    EXPECT_TRUE(matches(u"a", u"[]a]"));
    EXPECT_FALSE(matches(u"]", u"[~]a]"));
    EXPECT_TRUE(matches(u"b", u"[~]a]"));
    EXPECT_TRUE(matches(u"-", u"[-a]"));
    EXPECT_TRUE(matches(u"-", u"[a-]"));
    EXPECT_FALSE(matches(u"b", u"[a-]"));
    EXPECT_TRUE(matches(u",", u"[,.]"));
}

TEST(CTqWildcardMatcher, AnUnclosedBracketStandsForItself)
{
    EXPECT_TRUE(matches(u"[ab", u"[ab"));
    EXPECT_FALSE(matches(u"a", u"[ab"));
    EXPECT_TRUE(matches(u"[]", u"[]"));
}

TEST(CTqWildcardMatcher, BackquoteEscapesTheNextCharacter)
{
    EXPECT_TRUE(matches(u"*", u"`*"));
    EXPECT_FALSE(matches(u"x", u"`*"));
    EXPECT_TRUE(matches(u"a,b", u"a`,b"));
    EXPECT_FALSE(matches(u"a", u"a`,b"));
    EXPECT_TRUE(matches(u"#1", u"`##"));
    EXPECT_TRUE(matches(u"~x", u"`~x"));
    EXPECT_TRUE(matches(u"]", u"[`]]"));
    EXPECT_TRUE(matches(u"-", u"[a`-z]"));
    EXPECT_FALSE(matches(u"m", u"[a`-z]"));
    // A backquote at the end is itself.
    EXPECT_TRUE(matches(u"a`", u"a`"));
}

TEST(CTqWildcardMatcher, CommasSeparateAlternatives)
{
    EXPECT_TRUE(matches(u"cat", u"dog,cat"));
    EXPECT_TRUE(matches(u"dog", u"dog,cat"));
    EXPECT_FALSE(matches(u"cow", u"dog,cat"));
    EXPECT_TRUE(matches(u"", u"a,"));
    EXPECT_TRUE(matches(u"Ab", u"x*,@b"));
}

TEST(CTqWildcardMatcher, TildeNegatesTheAlternativeItStarts)
{
    EXPECT_TRUE(matches(u"Name", u"~N*x"));
    EXPECT_FALSE(matches(u"Nax", u"~N*x"));
    EXPECT_TRUE(matches(u"a", u"~"));
    EXPECT_FALSE(matches(u"", u"~"));
    // Each alternative is negated alone: this one excludes b and then admits b.
    EXPECT_TRUE(matches(u"b", u"~b,b"));
    // Inside an alternative a tilde is an ordinary character.
    EXPECT_TRUE(matches(u"a~", u"a~"));
    EXPECT_FALSE(matches(u"a", u"a~"));
}
