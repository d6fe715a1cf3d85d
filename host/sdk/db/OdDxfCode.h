// What a group code holds, by the ranges of the DXF group-code table. One table serves the DXF
// reader and writer and the group-code lists objects present themselves as.
#pragma once

#include <cstdint>

namespace OdDxfCode {

enum class Type : std::uint8_t {
    None,      // -3 (start of the extended data) and codes with no value
    String,
    Real,
    Point,     // the x code of a point; y is code + 10, z code + 20
    Int16,
    Int32,
    Int64,
    ObjectId,  // a reference to another object: a handle in DXF, an object id in memory
    Binary,    // hexadecimal pairs in DXF
};

// The type of a group code's value. The y and z codes of a point are Real on their own; the
// reader joins them to their x code.
Type type(int code);
// True for the x code of a point (10-18, 110-112, 210, 1010-1013).
bool isPointX(int code);
// True for codes that name a handle as text (5, 105, 1005) rather than refer to an object.
bool isHandleText(int code);
// Angles: degrees in DXF, radians in memory and in group-code lists. Only the objects know
// which of their codes are angles, so this is theirs to ask; kept here for the shared constant.
constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace OdDxfCode
