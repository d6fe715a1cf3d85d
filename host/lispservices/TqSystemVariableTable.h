// The system variables the host knows: value type, where the value lives, default, range and
// whether programs may set it. A value that belongs to the drawing is kept in its header as
// "$NAME" (and so saved in DXF); a session value lives as long as the host's LISP services; a
// computed value is worked out when it is read.
#pragma once

#include <QString>

#include <cstdint>
#include <span>

enum class TqVariableStorage : std::uint8_t { Header, Session, Computed };

struct TqVariableDefinition {
    const char* name;
    short type;  // tqrt::k…
    TqVariableStorage storage;
    std::int16_t code = 0;  // the header tag's group code
    bool readOnly = false;
    double minimum = -1e300;  // numbers only
    double maximum = 1e300;
    bool positive = false;  // a real must be above 0
    double number = 0.0;    // default of a number, or of every coordinate of a point
    double x = 0.0, y = 0.0, z = 0.0;
    const char16_t* text = u"";  // default of a string
};

namespace TqSystemVariableTable {

std::span<const TqVariableDefinition> All();
// Null when no variable has the name (any case).
const TqVariableDefinition* Find(const QString& name);
// The present name of a variable known by an older one; empty when there is none.
QString ReplacementName(const QString& name);

}  // namespace TqSystemVariableTable
