// SOLID.
#include "OdDbSolid.h"

void OdDbSolid::writeCorners(OdDbDxfOut& out) const
{
    for (int i = 0; i < 4; ++i)
        out.point(10 + i, m_corners[std::size_t(i)]);
}

bool OdDbSolid::readCorner(const OdDbTag& tag)
{
    if (tag.code() < 10 || tag.code() > 13)
        return false;
    m_corners[std::size_t(tag.code() - 10)] = tag.point();
    return true;
}

void OdDbSolid::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbTrace"));
    writeCorners(out);
    out.optionalReal(39, m_thickness, 0.0);
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
}

bool OdDbSolid::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    if (readCorner(tag))
        return true;
    switch (tag.code()) {
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

bool OdDbSolid::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbTrace") || OdDbEntity::knowsSubclass(marker);
}
