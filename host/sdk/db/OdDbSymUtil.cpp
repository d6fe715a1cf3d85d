// Symbol-name rules.
#include "OdDbSymUtil.h"

namespace OdDbSymUtil {

bool isValidName(QStringView name, bool allowVerticalBar)
{
    if (name.isEmpty() || name.size() > kMaxNameLength)
        return false;
    bool onlyBlanks = true;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F)
            return false;
        switch (u) {
        case u'<': case u'>': case u'/': case u'\\': case u'"': case u':': case u';':
        case u'?': case u'*': case u',': case u'=': case u'`':
            return false;
        case u'|':
            if (!allowVerticalBar)
                return false;
            break;
        default:
            break;
        }
        if (u != u' ')
            onlyBlanks = false;
    }
    return !onlyBlanks;
}

std::size_t NameHash::operator()(const QString& name) const noexcept
{
    std::size_t hash = 14695981039346656037ull;
    for (const QChar c : name) {
        char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            u = char16_t(u - 32);
        else if (u >= 0x80)
            u = c.toUpper().unicode();
        hash = (hash ^ u) * 1099511628211ull;
    }
    return hash;
}

bool isValidBlockName(QStringView name)
{
    if (name.startsWith(QLatin1Char('*')))
        return name.size() > 1 && isValidName(name.mid(1), true);
    return isValidName(name, true);
}

}  // namespace OdDbSymUtil
