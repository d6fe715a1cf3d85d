// LINE.
#include "OdDbLine.h"

void OdDbLine::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbLine"));
    out.optionalReal(39, m_thickness, 0.0);
    out.point(10, m_start);
    out.point(11, m_end);
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
}

bool OdDbLine::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 10:
        m_start = tag.point();
        return true;
    case 11:
        m_end = tag.point();
        return true;
    case 39:
        m_thickness = tag.number();
        return true;
    case 210:
        m_normal = {tag.point().x, tag.point().y, tag.point().z};
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbLine::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbLine") || OdDbEntity::knowsSubclass(marker);
}
