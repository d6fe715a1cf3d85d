// The text of a long string: a counted block shared by every copy of the string. Strings never
// change their units, so a copy takes a reference to the block instead of duplicating the text;
// the block goes when the last string holding it is freed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

namespace text_block {

struct Header {
    std::uint32_t refs;
    std::uint32_t asciiPrefix;  // units of the leading ASCII run, kUnmeasured until asked
};
inline constexpr std::uint32_t kUnmeasured = 0xFFFFFFFF;

inline Header* HeaderOf(char16_t* text) { return reinterpret_cast<Header*>(text) - 1; }

// Room for `units` units and a terminating zero, referenced once; null when the heap refuses.
inline char16_t* Allocate(std::size_t units)
{
    void* memory = ::operator new(sizeof(Header) + (units + 1) * sizeof(char16_t), std::nothrow);
    if (!memory)
        return nullptr;
    auto* header = static_cast<Header*>(memory);
    header->refs = 1;
    header->asciiPrefix = kUnmeasured;
    return reinterpret_cast<char16_t*>(header + 1);
}

// A block holding a copy of `units` units, zero-terminated.
inline char16_t* Copy(const char16_t* units, std::size_t count)
{
    char16_t* text = Allocate(count);
    if (!text)
        return nullptr;
    if (count)
        std::memcpy(text, units, count * sizeof(char16_t));
    text[count] = 0;
    return text;
}

// What the string functions learned of the text: the units never change, so neither does it.
inline std::uint32_t& AsciiPrefix(char16_t* text) { return HeaderOf(text)->asciiPrefix; }

inline void Retain(char16_t* text) { ++HeaderOf(text)->refs; }

inline void Release(char16_t* text)
{
    Header* header = HeaderOf(text);
    if (--header->refs == 0)
        ::operator delete(header);
}

}  // namespace text_block
