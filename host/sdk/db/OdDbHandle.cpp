// Handles to and from their hexadecimal form.
#include "OdDbHandle.h"

namespace {

template <class Char>
bool parseDigits(const Char* begin, const Char* end, std::uint64_t& value)
{
    while (begin != end && (*begin == ' ' || *begin == '\t'))
        ++begin;
    while (end != begin && (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\r'))
        --end;
    if (begin == end || end - begin > 16)
        return false;
    std::uint64_t result = 0;
    for (; begin != end; ++begin) {
        const auto c = static_cast<unsigned>(*begin);
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        result = (result << 4) | digit;
    }
    value = result;
    return true;
}

}  // namespace

QString OdDbHandle::ascii() const
{
    return QString::number(m_value, 16).toUpper();
}

bool OdDbHandle::parse(std::string_view text, OdDbHandle& handle)
{
    std::uint64_t value = 0;
    if (!parseDigits(text.data(), text.data() + text.size(), value))
        return false;
    handle = OdDbHandle(value);
    return true;
}

bool OdDbHandle::parse(QStringView text, OdDbHandle& handle)
{
    std::uint64_t value = 0;
    if (!parseDigits(text.utf16(), text.utf16() + text.size(), value))
        return false;
    handle = OdDbHandle(value);
    return true;
}
