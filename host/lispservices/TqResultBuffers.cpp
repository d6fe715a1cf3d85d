// Result-buffer records and chains, and the group-code value types.
#include "TqResultBuffers.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace {

struct GroupCodeRange {
    int first;
    int last;
    short valueType;
};

// The DXF group-code ranges as result buffers carry them. Object references (330-369, 390-399,
// 480-481) travel as entity names; 64-bit integers (160-169) as 32-bit ones, the widest integer
// a record holds.
constexpr GroupCodeRange kGroupCodeRanges[] = {
    {-4, -4, tqrt::kString},       // filter operator
    {-2, -1, tqrt::kEntityName},   // entity name, entity reference
    {0, 9, tqrt::kString},
    {10, 18, tqrt::kPoint3d},
    {19, 59, tqrt::kReal},         // coordinates, reals, angles
    {60, 79, tqrt::kShort},
    {90, 99, tqrt::kLong},
    {100, 109, tqrt::kString},     // subclass marker, control string, handle
    {110, 112, tqrt::kPoint3d},    // UCS origin and axes
    {113, 149, tqrt::kReal},
    {160, 169, tqrt::kLong},
    {170, 179, tqrt::kShort},
    {210, 219, tqrt::kPoint3d},    // extrusion direction
    {220, 239, tqrt::kReal},
    {270, 299, tqrt::kShort},      // 16-bit integers and boolean flags
    {300, 309, tqrt::kString},
    {310, 319, tqrt::kBinaryChunk},
    {320, 329, tqrt::kString},     // handles
    {330, 369, tqrt::kEntityName}, // soft and hard pointers and owners
    {370, 389, tqrt::kShort},      // lineweight, plot style type
    {390, 399, tqrt::kEntityName}, // plot style object
    {400, 409, tqrt::kShort},
    {410, 419, tqrt::kString},
    {420, 429, tqrt::kLong},       // true colour
    {430, 439, tqrt::kString},
    {440, 459, tqrt::kLong},
    {460, 469, tqrt::kReal},
    {470, 479, tqrt::kString},
    {480, 481, tqrt::kEntityName},
    {999, 999, tqrt::kString},     // comment
    {1000, 1003, tqrt::kString},   // extended data: string, application, control, layer
    {1004, 1004, tqrt::kBinaryChunk},
    {1005, 1009, tqrt::kString},
    {1010, 1019, tqrt::kPoint3d},
    {1020, 1059, tqrt::kReal},
    {1060, 1070, tqrt::kShort},
    {1071, 1071, tqrt::kLong},
};

}  // namespace

char16_t* TqAllocText(const char16_t* text, std::size_t length)
{
    if (length >= std::numeric_limits<std::size_t>::max() / sizeof(char16_t))
        return nullptr;
    auto* copy = static_cast<char16_t*>(std::malloc((length + 1) * sizeof(char16_t)));
    if (!copy)
        return nullptr;
    if (text)
        std::memcpy(copy, text, length * sizeof(char16_t));
    else
        std::memset(copy, 0, length * sizeof(char16_t));
    copy[length] = u'\0';
    return copy;
}

unsigned char* TqAllocBytes(std::size_t length)
{
    // calloc: a chunk nobody filled reads as zeros, and a zero length is still a unique block.
    return static_cast<unsigned char*>(std::calloc(length ? length : 1, 1));
}

TqResultBuffer* TqNewResultBuffer(short restype)
{
    auto* record = new (std::nothrow) TqResultBuffer{};
    if (record)
        record->restype = restype;
    return record;
}

void TqReleaseChain(TqResultBuffer* chain)
{
    while (chain) {
        TqResultBuffer* next = chain->next;
        switch (TqValueTypeOfGroupCode(chain->restype)) {
        case tqrt::kString:
            std::free(chain->value.string);
            break;
        case tqrt::kBinaryChunk:
            std::free(chain->value.binary.bytes);
            break;
        default:
            break;  // the other types own nothing
        }
        delete chain;
        chain = next;
    }
}

short TqValueTypeOfGroupCode(int groupCode)
{
    if (groupCode >= tqrt::kNone && groupCode <= tqrt::kFunction)
        return short(groupCode);
    for (const GroupCodeRange& range : kGroupCodeRanges) {
        if (groupCode >= range.first && groupCode <= range.last)
            return range.valueType;
    }
    return tqrt::kNone;
}
