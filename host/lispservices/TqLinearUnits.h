// Distances as text in the five linear formats (1 scientific, 2 decimal, 3 engineering,
// 4 architectural, 5 fractional) and back. A drawing unit is an inch in the feet-and-inches
// formats.
#pragma once

#include "TqUnitSettings.h"

#include <QString>

#include <optional>

namespace TqLinearUnits {

// Modes 1 to 5; precision 0 to 15 for modes 1 to 3 (decimals) and 0 to 8 for 4 and 5 (the
// denominator is 2 to that power). Nothing for another mode or precision or a value that is
// not finite or too large to count in the format's smallest step.
std::optional<QString> Format(double value, int mode, int precision, const TqUnitSettings& settings);

// Reads any text Format writes in any mode, with either UNITMODE: a number with an optional
// exponent, a fraction, feet (') and inches ("). Surrounding spaces are allowed.
std::optional<double> Parse(const QString& text);

}  // namespace TqLinearUnits
