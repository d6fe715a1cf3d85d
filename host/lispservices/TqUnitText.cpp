// Pieces the linear and angular formats share.
#include "TqUnitText.h"

#include <cmath>

namespace TqUnitText {

unsigned long long PowerOfTen(int exponent)
{
    unsigned long long result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

QString Decimals(unsigned long long units, int precision, int zeroSuppression)
{
    const unsigned long long scale = PowerOfTen(precision);
    QString text = QString::number(units / scale);
    if (precision > 0) {
        QString decimals = QString::number(units % scale).rightJustified(precision, QLatin1Char('0'));
        text += QLatin1Char('.') + decimals;
    }
    if ((zeroSuppression & 8) && text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if ((zeroSuppression & 4) && text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    return text;
}

std::optional<unsigned long long> Count(double magnitude, double steps)
{
    const long double scaled = std::round(static_cast<long double>(magnitude) * steps);
    // Beyond 2^62 a double no longer tells neighbouring steps apart.
    if (!std::isfinite(static_cast<double>(scaled)) || scaled < 0 || scaled > 4.0e18L)
        return std::nullopt;
    return static_cast<unsigned long long>(scaled);
}

bool Reader::Take(QChar c)
{
    if (Peek() != c)
        return false;
    ++m_pos;
    return true;
}

void Reader::SkipSpaces()
{
    while (Peek() == QLatin1Char(' ') || Peek() == QLatin1Char('\t'))
        ++m_pos;
}

std::optional<unsigned long long> Reader::Digits()
{
    if (!DigitAt(0))
        return std::nullopt;
    unsigned long long value = 0;
    while (DigitAt(0)) {
        if (value > 100000000000000000ULL)
            return std::nullopt;
        value = value * 10 + static_cast<unsigned long long>(Peek().digitValue());
        ++m_pos;
    }
    return value;
}

std::optional<double> Reader::Number()
{
    const int start = m_pos;
    bool digits = false;
    while (DigitAt(0)) {
        ++m_pos;
        digits = true;
    }
    if (Peek() == QLatin1Char('.')) {
        ++m_pos;
        while (DigitAt(0)) {
            ++m_pos;
            digits = true;
        }
    }
    if (!digits) {
        m_pos = start;
        return std::nullopt;
    }
    const QChar e = Peek();
    if ((e == QLatin1Char('e') || e == QLatin1Char('E'))
        && (DigitAt(1) || ((Peek(1) == QLatin1Char('+') || Peek(1) == QLatin1Char('-')) && DigitAt(2)))) {
        m_pos += 2;
        while (DigitAt(0))
            ++m_pos;
    }
    bool ok = false;
    const double value = m_text.mid(start, m_pos - start).toDouble(&ok);
    if (!ok) {
        m_pos = start;
        return std::nullopt;
    }
    return value;
}

std::optional<double> Reader::FractionAfter(double numerator)
{
    if (!Take(QLatin1Char('/')))
        return std::nullopt;
    const auto denominator = Digits();
    if (!denominator || *denominator == 0)
        return std::nullopt;
    return numerator / double(*denominator);
}

std::optional<double> Reader::Amount()
{
    const int start = m_pos;
    if (!DigitAt(0) && !(Peek() == QLatin1Char('.') && DigitAt(1)))
        return std::nullopt;
    // A fraction alone: digits and a slash.
    int probe = 0;
    while (DigitAt(probe))
        ++probe;
    if (probe > 0 && Peek(probe) == QLatin1Char('/')) {
        const auto numerator = Digits();
        const auto fraction = FractionAfter(double(*numerator));
        if (!fraction)
            m_pos = start;
        return fraction;
    }
    const auto whole = Number();
    if (!whole)
        return std::nullopt;
    // A fraction after the whole number: " 1/2" or "-1/2".
    const QChar separator = Peek();
    if ((separator == QLatin1Char(' ') || separator == QLatin1Char('-')) && DigitAt(1)) {
        int ahead = 1;
        while (DigitAt(ahead))
            ++ahead;
        if (Peek(ahead) == QLatin1Char('/')) {
            const int before = m_pos;
            ++m_pos;
            const auto numerator = Digits();
            const auto fraction = FractionAfter(double(*numerator));
            if (!fraction) {
                m_pos = before;
                return std::nullopt;
            }
            return *whole + *fraction;
        }
    }
    return whole;
}

}  // namespace TqUnitText
