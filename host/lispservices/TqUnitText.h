// Pieces the linear and angular formats share: fixed decimals with DIMZIN's zero suppression,
// and a small reader of numbers and fractions.
#pragma once

#include <QString>

#include <optional>

namespace TqUnitText {

// The unsigned decimal `units` / 10^precision with `precision` decimals; DIMZIN 4 drops a
// leading zero ("0.5" → ".5"), DIMZIN 8 trailing zeros and then a bare point.
QString Decimals(unsigned long long units, int precision, int zeroSuppression);

// `magnitude` * 10^precision (or * steps) rounded to a count, or nothing when it would not fit.
std::optional<unsigned long long> Count(double magnitude, double steps);

// 10 to the power.
unsigned long long PowerOfTen(int exponent);

// Reads from `text` at `pos`, moving `pos` past what it used.
class Reader {
public:
    explicit Reader(const QString& text) : m_text(text) {}
    bool AtEnd() const { return m_pos >= m_text.size(); }
    QChar Peek(int ahead = 0) const { return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : QChar(); }
    bool Take(QChar c);
    void SkipSpaces();
    // Digits with an optional point and decimals (".5", "17.", "17.5") and an optional exponent.
    std::optional<double> Number();
    // A number optionally followed by a fraction after a space or hyphen ("5 1/2", "5-1/2"), or
    // a fraction alone ("1/2").
    std::optional<double> Amount();

private:
    bool DigitAt(int ahead) const { return Peek(ahead).isDigit(); }
    std::optional<double> FractionAfter(double numerator);
    std::optional<unsigned long long> Digits();

    const QString& m_text;
    int m_pos = 0;
};

}  // namespace TqUnitText
