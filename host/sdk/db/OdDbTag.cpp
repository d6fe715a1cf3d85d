// Group-code values.
#include "OdDbTag.h"

OdDbTag OdDbTag::real(int code, double value)
{
    OdDbTag tag(code, Type::Real);
    tag.m_point.x = value;
    return tag;
}

OdDbTag OdDbTag::point(int code, const OdGePoint3d& value, bool is2d)
{
    OdDbTag tag(code, Type::Point);
    tag.m_point = value;
    tag.m_is2d = is2d;
    return tag;
}

OdDbTag OdDbTag::int16(int code, int value)
{
    OdDbTag tag(code, Type::Int16);
    tag.m_integer = std::int16_t(value);
    return tag;
}

OdDbTag OdDbTag::int32(int code, std::int32_t value)
{
    OdDbTag tag(code, Type::Int32);
    tag.m_integer = value;
    return tag;
}

OdDbTag OdDbTag::int64(int code, std::int64_t value)
{
    OdDbTag tag(code, Type::Int64);
    tag.m_integer = value;
    return tag;
}

OdDbTag OdDbTag::string(int code, const QString& value)
{
    OdDbTag tag(code, Type::String);
    tag.m_text = value;
    return tag;
}

OdDbTag OdDbTag::objectId(int code, OdDbObjectId value)
{
    OdDbTag tag(code, Type::ObjectId);
    tag.m_id = value;
    return tag;
}

OdDbTag OdDbTag::binary(int code, const QByteArray& value)
{
    OdDbTag tag(code, Type::Binary);
    tag.m_bytes = value;
    return tag;
}

bool operator==(const OdDbTag& a, const OdDbTag& b)
{
    if (a.m_code != b.m_code || a.m_type != b.m_type)
        return false;
    switch (a.m_type) {
    case OdDbTag::Type::None:
        return true;
    case OdDbTag::Type::Real:
        return a.m_point.x == b.m_point.x;
    case OdDbTag::Type::Point:
        return a.m_point == b.m_point && a.m_is2d == b.m_is2d;
    case OdDbTag::Type::Int16:
    case OdDbTag::Type::Int32:
    case OdDbTag::Type::Int64:
        return a.m_integer == b.m_integer;
    case OdDbTag::Type::String:
        return a.m_text == b.m_text;
    case OdDbTag::Type::ObjectId:
        return a.m_id.handle() == b.m_id.handle();
    case OdDbTag::Type::Binary:
        return a.m_bytes == b.m_bytes;
    }
    return false;
}

QString OdDbTag::toString() const
{
    QString value;
    switch (m_type) {
    case Type::None:
        break;
    case Type::Real:
        value = QString::number(m_point.x, 'g', 17);
        break;
    case Type::Point:
        value = QStringLiteral("%1 %2").arg(m_point.x, 0, 'g', 17).arg(m_point.y, 0, 'g', 17);
        if (!m_is2d)
            value += QStringLiteral(" %1").arg(m_point.z, 0, 'g', 17);
        return QStringLiteral("(%1 %2)").arg(m_code).arg(value);
    case Type::Int16:
    case Type::Int32:
    case Type::Int64:
        value = QString::number(m_integer);
        break;
    case Type::String:
        value = QLatin1Char('"') + m_text + QLatin1Char('"');
        break;
    case Type::ObjectId:
        value = QStringLiteral("<%1>").arg(m_id.handle().ascii());
        break;
    case Type::Binary:
        value = QString::fromLatin1(m_bytes.toHex().toUpper());
        break;
    }
    return QStringLiteral("(%1 . %2)").arg(m_code).arg(value);
}
