// Reading the leading real of a text for the string-to-real service.
#include "host/lispservices/CTqRealReader.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

// The value read, or -999.0 when nothing was read.
double read(const char* text)
{
    double value = -999.0;
    if (!CTqRealReader::ReadLeadingReal(QString::fromUtf8(text), value)) {
        EXPECT_EQ(value, -999.0) << "value changed although nothing was read";
    }
    return value;
}

}  // namespace

TEST(CTqRealReader, ReadsDecimalNumbersWithAPoint)
{
    EXPECT_EQ(read("3.5"), 3.5);
    EXPECT_EQ(read("-0.25"), -0.25);
    EXPECT_EQ(read("+12"), 12.0);
    EXPECT_EQ(read(".5"), 0.5);
    EXPECT_EQ(read("5."), 5.0);
    EXPECT_EQ(read("007"), 7.0);
}

TEST(CTqRealReader, SkipsLeadingBlanksAndStopsAtTheFirstOtherCharacter)
{
    EXPECT_EQ(read(" \t\n 2.5abc"), 2.5);
    EXPECT_EQ(read("1.5.3"), 1.5);
    EXPECT_EQ(read("4,5"), 4.0);
    EXPECT_EQ(read("6 7"), 6.0);
}

TEST(CTqRealReader, ReadsAnExponentOnlyWithDigits)
{
    EXPECT_EQ(read("1e3"), 1000.0);
    EXPECT_EQ(read("2.5E-2"), 0.025);
    EXPECT_EQ(read("1e+2"), 100.0);
    EXPECT_EQ(read("7e"), 7.0);
    EXPECT_EQ(read("7e+"), 7.0);
    EXPECT_EQ(read("7ex"), 7.0);
}

TEST(CTqRealReader, TextWithoutANumberReadsNothing)
{
    EXPECT_EQ(read(""), -999.0);
    EXPECT_EQ(read("abc"), -999.0);
    EXPECT_EQ(read("-"), -999.0);
    EXPECT_EQ(read("."), -999.0);
    EXPECT_EQ(read("-.e5"), -999.0);
    EXPECT_EQ(read("x1"), -999.0);
}

TEST(CTqRealReader, OutOfRangeValuesSaturate)
{
    EXPECT_TRUE(std::isinf(read("1e999")));
    EXPECT_GT(read("1e999"), 0.0);
    EXPECT_TRUE(std::isinf(read("-1e999")));
    EXPECT_LT(read("-1e999"), 0.0);
    EXPECT_EQ(read("1e-999"), 0.0);
}
