// Reading a leading decimal real, independent of the process locale.
#include "CTqRealReader.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

bool IsBlank(QChar c)
{
    const char16_t unit = c.unicode();
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

bool IsDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

// The "C" locale, made once: strtod follows the decimal point of the locale it is given.
locale_t CLocale()
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return cLocale;
}

}  // namespace

bool CTqRealReader::ReadLeadingReal(const QString& text, double& value)
{
    int i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        number.push_back(char(text[i++].unicode()));
    int digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits)
        number.push_back(char(text[i].unicode()));
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        number.push_back('.');
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits)
            number.push_back(char(text[i].unicode()));
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        int j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            exponent.push_back(char(text[j++].unicode()));
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j)
                exponent.push_back(char(text[j].unicode()));
            number += exponent;
        }
    }
    // strtod saturates to an infinity on overflow and goes to zero on underflow.
    value = strtod_l(number.c_str(), nullptr, CLocale());
    return true;
}
