// POINT.
#include "OdDbPoint.h"

void OdDbPoint::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbPoint"));
    out.point(10, m_position);
    out.optionalReal(39, m_thickness, 0.0);
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
    out.optionalAngle(50, m_xAxisAngle);
}

bool OdDbPoint::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 10:
        m_position = tag.point();
        return true;
    case 39:
        m_thickness = tag.number();
        return true;
    case 210:
        m_normal = {tag.point().x, tag.point().y, tag.point().z};
        return true;
    case 50:
        m_xAxisAngle = in.angle(tag);
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbPoint::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbPoint") || OdDbEntity::knowsSubclass(marker);
}
