// An object's handle: a number unique in its database, written as upper-case hexadecimal.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <string_view>

class OdDbHandle {
public:
    constexpr OdDbHandle() = default;
    constexpr explicit OdDbHandle(std::uint64_t value) : m_value(value) {}

    constexpr std::uint64_t value() const { return m_value; }
    constexpr bool isNull() const { return m_value == 0; }
    // Upper-case hexadecimal without leading zeros; "0" for the null handle.
    QString ascii() const;
    // Parses hexadecimal digits of either case (surrounding blanks allowed). False for an empty
    // text, another character or more than 16 digits.
    static bool parse(std::string_view text, OdDbHandle& handle);
    static bool parse(QStringView text, OdDbHandle& handle);

    friend constexpr bool operator==(OdDbHandle, OdDbHandle) = default;
    friend constexpr auto operator<=>(OdDbHandle, OdDbHandle) = default;

private:
    std::uint64_t m_value = 0;
};

template <>
struct std::hash<OdDbHandle> {
    std::size_t operator()(OdDbHandle handle) const noexcept { return std::hash<std::uint64_t>()(handle.value()); }
};
