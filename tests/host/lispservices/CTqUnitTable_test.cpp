// cvunit's unit definitions: the host's own file, factors with units and offsets, and users'
// definitions read after it.
#include "host/lispservices/CTqUnitTable.h"

#include <gtest/gtest.h>

namespace {

double Convert(const CTqUnitTable& table, double value, const char* from, const char* to)
{
    const auto result = table.Convert(value, QString::fromUtf8(from), QString::fromUtf8(to));
    EXPECT_TRUE(result.has_value()) << from << " -> " << to;
    return result.value_or(-12345.0);
}

TEST(CTqUnitTable, TheHostsUnitsConvertEveryKind)
{
    CTqUnitTable table;
    ASSERT_TRUE(table.ReadFile(QStringLiteral(":/units/units.def")));
    EXPECT_DOUBLE_EQ(Convert(table, 1.0, "inch", "mm"), 25.4);
    EXPECT_DOUBLE_EQ(Convert(table, 1.0, "mile", "feet"), 5280.0);
    EXPECT_NEAR(Convert(table, 1.0, "acre", "sq m"), 4046.8564224, 1e-9);
    EXPECT_NEAR(Convert(table, 1.0, "cubic foot", "liters"), 28.316846592, 1e-9);
    EXPECT_NEAR(Convert(table, 180.0, "degrees", "radians"), 3.141592653589793, 1e-15);
    EXPECT_NEAR(Convert(table, 1.0, "circle", "grads"), 400.0, 1e-12);
    EXPECT_DOUBLE_EQ(Convert(table, 2.0, "hours", "seconds"), 7200.0);
    EXPECT_NEAR(Convert(table, 1.0, "pound", "grams"), 453.59237, 1e-9);
    EXPECT_NEAR(Convert(table, 100.0, "celsius", "fahrenheit"), 212.0, 1e-9);
    EXPECT_NEAR(Convert(table, 32.0, "fahrenheit", "celsius"), 0.0, 1e-9);
    EXPECT_NEAR(Convert(table, 0.0, "celsius", "kelvin"), 273.15, 1e-9);
    EXPECT_NEAR(Convert(table, 0.0, "Kelvin", "Rankine"), 0.0, 1e-12);
    // Names compare without regard to case and runs of spaces.
    EXPECT_DOUBLE_EQ(Convert(table, 1.0, "SQUARE   FOOT", "Square Inch"), 144.0);
}

TEST(CTqUnitTable, UnknownUnitsAndDifferentKindsDoNotConvert)
{
    CTqUnitTable table;
    ASSERT_TRUE(table.ReadFile(QStringLiteral(":/units/units.def")));
    EXPECT_FALSE(table.Convert(1.0, QStringLiteral("inch"), QStringLiteral("furlongs per fortnight")).has_value());
    EXPECT_FALSE(table.Convert(1.0, QStringLiteral("inch"), QStringLiteral("kg")).has_value());
    EXPECT_FALSE(table.ReadFile(QStringLiteral("/no/such/units.def")));
}

TEST(CTqUnitTable, LaterDefinitionsAddAndReplaceUnitsAndBadLinesAreSkipped)
{
    CTqUnitTable table;
    const int failures = table.Read(QStringLiteral("length: meter, m = 1\n"
                                                   "length: inch = 0.0254  # a comment\n"
                                                   "length: span = 9 inch\n"
                                                   "length: nothing = 0\n"
                                                   "length: bad = 3 parsec\n"
                                                   "no colon = 1\n"
                                                   "mass: kilogram = 1\n"
                                                   "length: stone = 1 kilogram\n"
                                                   "temperature: kelvin = 1\n"
                                                   "temperature: celsius = 1 + 273.15\n"
                                                   "temperature: cold = 1 - 10/2\n"));
    EXPECT_EQ(failures, 4);
    EXPECT_NEAR(Convert(table, 2.0, "span", "m"), 0.4572, 1e-12);
    EXPECT_FALSE(table.Contains(QStringLiteral("bad")));
    EXPECT_FALSE(table.Contains(QStringLiteral("stone")));
    EXPECT_NEAR(Convert(table, 10.0, "cold", "kelvin"), 5.0, 1e-12);
    EXPECT_EQ(table.Read(QStringLiteral("length: span = 10 inch\n")), 0);
    EXPECT_NEAR(Convert(table, 1.0, "span", "inch"), 10.0, 1e-12);
}

}  // namespace
