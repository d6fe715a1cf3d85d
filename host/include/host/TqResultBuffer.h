// The host's exchange record for values crossing between an engine and the drawing services.
#pragma once

#include <cstdint>

// Value types a group code maps to (ValueTypeOfGroupCode) and the result types of typed chains.
namespace tqrt {
enum : short {
    kNone = 5000,
    kReal = 5001,
    kPoint2d = 5002,
    kShort = 5003,
    kAngle = 5004,
    kString = 5005,
    kEntityName = 5006,
    kSelectionSet = 5007,
    kOrientation = 5008,
    kPoint3d = 5009,
    kLong = 5010,
    kFromValue = 5011,
    kVoid = 5014,
    kListBegin = 5016,
    kListEnd = 5017,
    kDot = 5018,
    kNil = 5019,
    kNeverConverted = 5020,
    kT = 5021,
    kBinaryChunk = 5022,
    kFunction = 5023,
};
}  // namespace tqrt

// One record of a chain. Made zeroed by CTqLispServices::NewResultBuffer and freed a whole chain
// at a time by CTqLispServices::ReleaseChain; a string or binary chunk belongs to its record.
struct TqResultBuffer {
    TqResultBuffer* next = nullptr;
    short restype = 0;
    union Value {
        double real;
        double point[3];
        short int16;
        std::int32_t int32;
        char16_t* string;  // zero-terminated, allocated with TqAllocText
        std::uint64_t name[2];  // entity or selection-set identifier
        struct {
            short length;
            unsigned char* bytes;  // allocated with TqAllocBytes
        } binary;
    } value{};
};

// Allocation of the texts and byte chunks that records own; ReleaseChain frees them.
char16_t* TqAllocText(const char16_t* text, std::size_t length);
unsigned char* TqAllocBytes(std::size_t length);
