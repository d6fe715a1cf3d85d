// The linear and angular unit formats: known texts of every mode, and that reading what a
// format wrote gives the value back within its precision, for every mode, precision and
// setting of UNITMODE and DIMZIN.
#include "host/lispservices/TqAngularUnits.h"
#include "host/lispservices/TqLinearUnits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

std::string Linear(double value, int mode, int precision, const TqUnitSettings& settings = {})
{
    const auto text = TqLinearUnits::Format(value, mode, precision, settings);
    return text ? text->toStdString() : "<none>";
}

std::string Angular(double angle, int mode, int precision, const TqUnitSettings& settings = {})
{
    const auto text = TqAngularUnits::Format(angle, mode, precision, settings);
    return text ? text->toStdString() : "<none>";
}

TEST(TqLinearUnits, WritesTheFiveFormats)
{
    EXPECT_EQ(Linear(17.5, 1, 4), "1.7500E+01");
    EXPECT_EQ(Linear(17.5, 2, 2), "17.50");
    EXPECT_EQ(Linear(17.5, 3, 2), "1'-5.50\"");
    EXPECT_EQ(Linear(17.5, 4, 2), "1'-5 1/2\"");
    EXPECT_EQ(Linear(17.5, 5, 2), "17 1/2");
    EXPECT_EQ(Linear(-17.5, 4, 2), "-1'-5 1/2\"");
    EXPECT_EQ(Linear(0.5, 4, 4), "1/2\"");
    EXPECT_EQ(Linear(12.5, 4, 4), "1'-0 1/2\"");
    EXPECT_EQ(Linear(11.999, 4, 2), "1'");
    EXPECT_EQ(Linear(0.0, 2, 2), "0.00");
    EXPECT_EQ(Linear(-0.001, 2, 2), "0.00");
    EXPECT_EQ(Linear(3.0, 5, 3), "3");
    EXPECT_EQ(Linear(0.375, 5, 3), "3/8");
}

TEST(TqLinearUnits, UnitModeWritesFeetInchesAndFractionsAsEntered)
{
    TqUnitSettings entered;
    entered.asEntered = true;
    EXPECT_EQ(Linear(17.5, 3, 2, entered), "1'5.50\"");
    EXPECT_EQ(Linear(17.5, 4, 2, entered), "1'5-1/2\"");
    EXPECT_EQ(Linear(17.5, 5, 2, entered), "17-1/2");
}

TEST(TqLinearUnits, DimzinSuppressesZeros)
{
    TqUnitSettings zin;
    zin.zeroSuppression = 8;
    EXPECT_EQ(Linear(17.5, 2, 4, zin), "17.5");
    EXPECT_EQ(Linear(17.0, 2, 4, zin), "17");
    EXPECT_EQ(Linear(17.5, 1, 4, zin), "1.75E+01");
    zin.zeroSuppression = 4;
    EXPECT_EQ(Linear(0.5, 2, 2, zin), ".50");
    EXPECT_EQ(Linear(-0.5, 2, 2, zin), "-.50");
    zin.zeroSuppression = 1;  // zero feet and zero inches shown
    EXPECT_EQ(Linear(12.0, 4, 2, zin), "1'-0\"");
    EXPECT_EQ(Linear(6.0, 3, 1, zin), "0'-6.0\"");
    zin.zeroSuppression = 2;  // zero feet shown, zero inches not
    EXPECT_EQ(Linear(12.0, 4, 2, zin), "1'");
    EXPECT_EQ(Linear(6.0, 4, 2, zin), "0'-6\"");
    zin.zeroSuppression = 3;  // zero inches shown, zero feet not
    EXPECT_EQ(Linear(12.0, 4, 2, zin), "1'-0\"");
    EXPECT_EQ(Linear(6.0, 4, 2, zin), "6\"");
}

TEST(TqLinearUnits, RefusesUnknownModesAndPrecisions)
{
    EXPECT_EQ(Linear(1.0, 0, 2), "<none>");
    EXPECT_EQ(Linear(1.0, 6, 2), "<none>");
    EXPECT_EQ(Linear(1.0, 2, -2), "<none>");
    EXPECT_EQ(Linear(1.0, 4, 9), "<none>");
    EXPECT_EQ(Linear(std::nan(""), 2, 2), "<none>");
    EXPECT_EQ(Linear(1e300, 2, 2), "<none>");
}

TEST(TqLinearUnits, ReadsEveryWrittenForm)
{
    const std::pair<const char*, double> cases[] = {
        {"17.5", 17.5}, {".5", 0.5}, {"-.5", -0.5}, {"1.7500E+01", 17.5}, {"1.75e1", 17.5}, {"1'-5.50\"", 17.5},
        {"1'5.50\"", 17.5}, {"1'-5 1/2\"", 17.5}, {"1'5-1/2\"", 17.5}, {"17 1/2", 17.5}, {"17-1/2", 17.5},
        {"1/2\"", 0.5}, {"1'", 12.0}, {"-1'-0 1/2\"", -12.5}, {"  3  ", 3.0}, {"2'6", 30.0},
    };
    for (const auto& [text, value] : cases) {
        const auto parsed = TqLinearUnits::Parse(QString::fromUtf8(text));
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_DOUBLE_EQ(*parsed, value) << text;
    }
    for (const char* text : {"", "abc", "1/0", "1''", "1'-", "5 1/", "1 2", "--1", "1\"2"})
        EXPECT_FALSE(TqLinearUnits::Parse(QString::fromUtf8(text)).has_value()) << text;
}

TEST(TqLinearUnits, ReadingWhatWasWrittenGivesTheValueBackWithinThePrecision)
{
    const double values[] = {0.0, 0.3, 1.0, 5.4321, 11.99, 12.0, 17.5, 100.125, 1234.5678, 98765.4321, -3.75, -250.01};
    for (int zin = 0; zin < 16; ++zin) {
        for (bool entered : {false, true}) {
            TqUnitSettings settings;
            settings.zeroSuppression = zin;
            settings.asEntered = entered;
            for (int mode = 1; mode <= 5; ++mode) {
                for (int precision = 0; precision <= 8; ++precision) {
                    const double step = mode >= 4 ? 1.0 / double(1 << precision) : std::pow(10.0, -precision);
                    for (double value : values) {
                        const auto text = TqLinearUnits::Format(value, mode, precision, settings);
                        ASSERT_TRUE(text.has_value()) << mode << " " << precision << " " << value;
                        const auto back = TqLinearUnits::Parse(*text);
                        ASSERT_TRUE(back.has_value()) << text->toStdString();
                        // Scientific keeps its precision in the mantissa.
                        const double tolerance = (mode == 1 ? step * std::max(1.0, std::fabs(value)) : step) / 2.0 + 1e-9;
                        EXPECT_NEAR(*back, value, tolerance) << text->toStdString() << " mode " << mode << " precision " << precision
                                                             << " DIMZIN " << zin << " UNITMODE " << entered;
                    }
                }
            }
        }
    }
}

TEST(TqAngularUnits, WritesTheFiveFormats)
{
    EXPECT_EQ(Angular(kPi / 4, 0, 0), "45");
    EXPECT_EQ(Angular(kPi / 4, 0, 2), "45.00");
    EXPECT_EQ(Angular(kPi / 4, 1, 4), "45d0'0\"");
    EXPECT_EQ(Angular(0.5411, 1, 0), "31d");
    EXPECT_EQ(Angular(0.5411, 1, 2), "31d0'");
    EXPECT_EQ(Angular(1.0, 1, 6), "57d17'44.81\"");
    EXPECT_EQ(Angular(kPi / 4, 2, 2), "50.00g");
    EXPECT_EQ(Angular(kPi / 4, 3, 4), "0.7854r");
    EXPECT_EQ(Angular(kPi / 4, 4, 4), "N 45d0'0\" E");
    EXPECT_EQ(Angular(kPi * 0.75, 4, 0), "N 45d W");
    EXPECT_EQ(Angular(kPi * 1.25, 4, 2), "S 45d0' W");
    EXPECT_EQ(Angular(kPi * 1.75, 4, 0), "S 45d E");
    EXPECT_EQ(Angular(kPi / 2, 4, 4), "N");
    EXPECT_EQ(Angular(0.0, 4, 4), "E");
    EXPECT_EQ(Angular(-kPi / 2, 0, 0), "270");
    EXPECT_EQ(Angular(2 * kPi - 1e-9, 0, 2), "0.00");
}

TEST(TqAngularUnits, FollowsAngbaseAngdirAndDimzin)
{
    TqUnitSettings settings;
    settings.angleBase = kPi / 2;
    EXPECT_EQ(Angular(kPi / 2, 0, 0, settings), "0");
    EXPECT_EQ(Angular(kPi, 0, 0, settings), "90");
    EXPECT_EQ(Angular(kPi / 4, 4, 0, settings), "N 45d E");  // a bearing names the direction itself
    settings.clockwise = true;
    EXPECT_EQ(Angular(kPi, 0, 0, settings), "270");
    EXPECT_EQ(Angular(0.0, 0, 0, settings), "90");
    TqUnitSettings zin;
    zin.zeroSuppression = 8;
    EXPECT_EQ(Angular(kPi / 4, 0, 4, zin), "45");
    EXPECT_EQ(Angular(kPi / 4, 2, 4, zin), "50g");
    zin.zeroSuppression = 4;
    EXPECT_EQ(Angular(0.5, 3, 2, zin), ".50r");
}

TEST(TqAngularUnits, RefusesUnknownModesAndPrecisions)
{
    EXPECT_EQ(Angular(1.0, 5, 2), "<none>");
    EXPECT_EQ(Angular(1.0, -2, 2), "<none>");
    EXPECT_EQ(Angular(1.0, 0, 9), "<none>");
    EXPECT_EQ(Angular(1.0, 0, -3), "<none>");
}

TEST(TqAngularUnits, ReadsEveryWrittenForm)
{
    const TqUnitSettings settings;
    const std::tuple<const char*, int, double> cases[] = {
        {"45", 0, 45.0}, {"45d30'", 0, 45.5}, {"45d30'36\"", 1, 45.51}, {"45°", 0, 45.0}, {"50g", 0, 45.0}, {"50", 2, 45.0},
        {"0.5r", 0, 0.5 * 180 / kPi}, {"0.5", 3, 0.5 * 180 / kPi}, {"N 45d E", 4, 45.0}, {"n45de", 0, 45.0}, {"N 45d W", 4, 135.0},
        {"S 45d0'0\" W", 4, 225.0}, {"S 45d E", 4, 315.0}, {"N", 4, 90.0}, {"w", 0, 180.0}, {"-90", 0, 270.0}, {"30'", 0, 0.5},
    };
    for (const auto& [text, mode, degrees] : cases) {
        const auto parsed = TqAngularUnits::Parse(QString::fromUtf8(text), mode, settings);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_NEAR(*parsed, degrees * kPi / 180.0, 1e-12) << text;
    }
    for (const char* text : {"", "x", "45x", "N 45", "E 45d N", "45d 30", "N 45d E 1"})
        EXPECT_FALSE(TqAngularUnits::Parse(QString::fromUtf8(text), 0, settings).has_value()) << text;
}

TEST(TqAngularUnits, ReadingWhatWasWrittenGivesTheAngleBackWithinThePrecision)
{
    const double angles[] = {0.0, 0.1, kPi / 4, 1.0, kPi / 2, 2.5, kPi, 4.0, 3 * kPi / 2, 5.5, 6.28};
    for (int zin : {0, 4, 8, 12}) {
        for (double base : {0.0, kPi / 2, 1.0}) {
            for (bool clockwise : {false, true}) {
                TqUnitSettings settings;
                settings.zeroSuppression = zin;
                settings.angleBase = base;
                settings.clockwise = clockwise;
                for (int mode = 0; mode <= 4; ++mode) {
                    for (int precision = 0; precision <= 8; ++precision) {
                        double step = 0.0;  // radians
                        switch (mode) {
                        case 0: step = std::pow(10.0, -precision) * kPi / 180; break;
                        case 2: step = std::pow(10.0, -precision) * kPi / 200; break;
                        case 3: step = std::pow(10.0, -precision); break;
                        default:
                            step = (precision == 0 ? 1.0 : precision <= 2 ? 1.0 / 60 : std::pow(10.0, -std::max(0, precision - 4)) / 3600) * kPi / 180;
                        }
                        for (double angle : angles) {
                            const auto text = TqAngularUnits::Format(angle, mode, precision, settings);
                            ASSERT_TRUE(text.has_value());
                            const auto back = TqAngularUnits::Parse(*text, mode, settings);
                            ASSERT_TRUE(back.has_value()) << text->toStdString();
                            const double difference = std::remainder(*back - angle, 2 * kPi);
                            EXPECT_LE(std::fabs(difference), step / 2 + 1e-9)
                                << text->toStdString() << " mode " << mode << " precision " << precision << " base " << base;
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
