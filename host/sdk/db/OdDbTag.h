// One group code with its value: the unit of the group-code lists that objects present
// themselves as and are rebuilt from. A point is one tag (its x code), as users see it in an
// entity's data list; references to other objects are object ids.
#pragma once

#include "OdDbObjectId.h"
#include "OdDxfCode.h"
#include "OdGePoint3d.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

class OdDbTag {
public:
    using Type = OdDxfCode::Type;

    OdDbTag() = default;

    static OdDbTag none(int code) { return OdDbTag(code, Type::None); }
    static OdDbTag real(int code, double value);
    // A point; is2d marks a point that has no z in DXF (z is then 0).
    static OdDbTag point(int code, const OdGePoint3d& value, bool is2d = false);
    static OdDbTag int16(int code, int value);
    static OdDbTag int32(int code, std::int32_t value);
    static OdDbTag int64(int code, std::int64_t value);
    static OdDbTag string(int code, const QString& value);
    static OdDbTag objectId(int code, OdDbObjectId value);
    static OdDbTag binary(int code, const QByteArray& value);

    int code() const { return m_code; }
    Type type() const { return m_type; }

    // Each accessor answers the value of its type and a neutral value for another type.
    double real() const { return m_type == Type::Real ? m_point.x : 0.0; }
    OdGePoint3d point() const { return m_type == Type::Point ? m_point : OdGePoint3d(); }
    bool is2dPoint() const { return m_is2d; }
    // The value of any integer type.
    std::int64_t integer() const { return m_integer; }
    const QString& string() const { return m_text; }
    OdDbObjectId objectId() const { return m_id; }
    const QByteArray& binary() const { return m_bytes; }
    // A real, or an integer widened to real.
    double number() const { return m_type == Type::Real ? m_point.x : double(m_integer); }

    // Same code, type and value. Object ids count as equal when their handles are, so that lists
    // from two databases read from the same drawing compare equal.
    friend bool operator==(const OdDbTag& a, const OdDbTag& b);
    // "(code . value)" for messages and test output.
    QString toString() const;

private:
    OdDbTag(int code, Type type) : m_code(std::int16_t(code)), m_type(type) {}

    std::int16_t m_code = 0;
    Type m_type = Type::None;
    bool m_is2d = false;
    OdGePoint3d m_point;
    std::int64_t m_integer = 0;
    QString m_text;
    QByteArray m_bytes;
    OdDbObjectId m_id;
};

using OdDbTagList = std::vector<OdDbTag>;
