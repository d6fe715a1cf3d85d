// Linear unit formats.
#include "TqLinearUnits.h"

#include "TqUnitText.h"

#include <cmath>
#include <numeric>

namespace {

using TqUnitText::Count;
using TqUnitText::Decimals;
using TqUnitText::PowerOfTen;

constexpr int kMaxDecimals = 15;
constexpr int kMaxFractionBits = 8;

QString Signed(bool negative, const QString& text, bool zero)
{
    return negative && !zero ? QLatin1Char('-') + text : text;
}

std::optional<QString> Scientific(double value, int precision, int zin)
{
    QString text = QString::number(value, 'E', precision);
    if (text == QLatin1String("-") + QString::number(0.0, 'E', precision))
        text.remove(0, 1);
    if (zin & tqzin::kTrailing) {
        const int e = text.indexOf(QLatin1Char('E'));
        QString mantissa = text.left(e);
        if (mantissa.contains(QLatin1Char('.'))) {
            while (mantissa.endsWith(QLatin1Char('0')))
                mantissa.chop(1);
            if (mantissa.endsWith(QLatin1Char('.')))
                mantissa.chop(1);
        }
        text = mantissa + text.mid(e);
    }
    return text;
}

std::optional<QString> Decimal(double value, int precision, int zin)
{
    const auto units = Count(std::fabs(value), double(PowerOfTen(precision)));
    if (!units)
        return std::nullopt;
    return Signed(value < 0, Decimals(*units, precision, zin), *units == 0);
}

// Feet and inches: `units` counts steps of an inch, `perInch` of them; `inches` writes the
// inches that remain (0 to 12 exclusive) without the inch mark.
template <typename InchText>
QString FeetAndInches(unsigned long long units, unsigned long long perInch, const TqUnitSettings& settings, InchText inches)
{
    const unsigned long long perFoot = 12 * perInch;
    const unsigned long long feet = units / perFoot;
    const unsigned long long rest = units % perFoot;
    const int zeros = settings.zeroSuppression & tqzin::kFeetInchesMask;
    const bool showFeet = feet != 0 || zeros == 1 || zeros == 2;
    const bool showInches = rest != 0 || zeros == 1 || zeros == 3 || !showFeet;
    QString text;
    if (showFeet)
        text = QString::number(feet) + QLatin1Char('\'');
    if (showFeet && showInches && !settings.asEntered)
        text += QLatin1Char('-');
    if (showInches)
        text += inches(rest, showFeet) + QLatin1Char('"');
    return text;
}

std::optional<QString> Engineering(double value, int precision, const TqUnitSettings& settings)
{
    const unsigned long long perInch = PowerOfTen(precision);
    const auto units = Count(std::fabs(value), double(perInch));
    if (!units)
        return std::nullopt;
    const QString text = FeetAndInches(*units, perInch, settings, [&](unsigned long long rest, bool) {
        return Decimals(rest, precision, settings.zeroSuppression & (tqzin::kLeading | tqzin::kTrailing));
    });
    return Signed(value < 0, text, *units == 0);
}

// "5 1/2", "5-1/2" as entered, "1/2" or "5"; `wholeZero` keeps a zero whole number before a
// fraction.
QString WholeAndFraction(unsigned long long units, unsigned long long denominator, bool asEntered, bool wholeZero)
{
    const unsigned long long whole = units / denominator;
    unsigned long long numerator = units % denominator;
    if (numerator == 0)
        return QString::number(whole);
    const unsigned long long divisor = std::gcd(numerator, denominator);
    numerator /= divisor;
    const QString fraction = QString::number(numerator) + QLatin1Char('/') + QString::number(denominator / divisor);
    if (whole == 0 && !wholeZero)
        return fraction;
    return QString::number(whole) + (asEntered ? QLatin1Char('-') : QLatin1Char(' ')) + fraction;
}

std::optional<QString> Architectural(double value, int precision, const TqUnitSettings& settings)
{
    const unsigned long long denominator = 1ULL << precision;
    const auto units = Count(std::fabs(value), double(denominator));
    if (!units)
        return std::nullopt;
    const QString text = FeetAndInches(*units, denominator, settings, [&](unsigned long long rest, bool afterFeet) {
        return WholeAndFraction(rest, denominator, settings.asEntered, afterFeet);
    });
    return Signed(value < 0, text, *units == 0);
}

std::optional<QString> Fractional(double value, int precision, const TqUnitSettings& settings)
{
    const unsigned long long denominator = 1ULL << precision;
    const auto units = Count(std::fabs(value), double(denominator));
    if (!units)
        return std::nullopt;
    return Signed(value < 0, WholeAndFraction(*units, denominator, settings.asEntered, false), *units == 0);
}

}  // namespace

namespace TqLinearUnits {

std::optional<QString> Format(double value, int mode, int precision, const TqUnitSettings& settings)
{
    if (!std::isfinite(value) || precision < 0)
        return std::nullopt;
    const int zin = settings.zeroSuppression;
    switch (mode) {
    case 1: return precision <= kMaxDecimals ? Scientific(value, precision, zin) : std::nullopt;
    case 2: return precision <= kMaxDecimals ? Decimal(value, precision, zin) : std::nullopt;
    case 3: return precision <= kMaxDecimals ? Engineering(value, precision, settings) : std::nullopt;
    case 4: return precision <= kMaxFractionBits ? Architectural(value, precision, settings) : std::nullopt;
    case 5: return precision <= kMaxFractionBits ? Fractional(value, precision, settings) : std::nullopt;
    default: return std::nullopt;
    }
}

std::optional<double> Parse(const QString& text)
{
    TqUnitText::Reader reader(text);
    reader.SkipSpaces();
    const bool negative = reader.Take(QLatin1Char('-'));
    if (!negative)
        reader.Take(QLatin1Char('+'));
    auto first = reader.Amount();
    if (!first)
        return std::nullopt;
    double inches = *first;
    reader.SkipSpaces();
    if (reader.Take(QLatin1Char('\''))) {
        inches = *first * 12.0;
        reader.SkipSpaces();
        if (reader.Peek() == QLatin1Char('-') && (reader.Peek(1).isDigit() || reader.Peek(1) == QLatin1Char('.')))
            reader.Take(QLatin1Char('-'));
        reader.SkipSpaces();
        if (!reader.AtEnd()) {
            const auto rest = reader.Amount();
            if (!rest)
                return std::nullopt;
            inches += *rest;
            reader.SkipSpaces();
            reader.Take(QLatin1Char('"'));
        }
    } else {
        reader.Take(QLatin1Char('"'));
    }
    reader.SkipSpaces();
    if (!reader.AtEnd())
        return std::nullopt;
    return negative ? -inches : inches;
}

}  // namespace TqLinearUnits
