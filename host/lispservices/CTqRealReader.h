// The string-to-real service's reading of a real: the leading decimal number of a text.
#pragma once

#include <QString>

class CTqRealReader {
public:
    // Reads [blanks][sign]mantissa[exponent] at the start of text, where the mantissa is digits
    // with an optional decimal point (at least one digit, before or after the point) and the
    // exponent is "e" or "E", an optional sign and digits; an exponent without digits is not
    // read. The point is always ".", whatever the locale. A value too large for a double reads
    // as an infinity, one too small as zero. True and the value when text starts with such a
    // number; false and value untouched otherwise.
    static bool ReadLeadingReal(const QString& text, double& value);
};
