// ELLIPSE.
#include "OdDbEllipse.h"

void OdDbEllipse::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbEllipse"));
    out.point(10, m_center);
    out.vector(11, m_majorAxis);
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
    out.real(40, m_ratio);
    out.real(41, m_startParam);
    out.real(42, m_endParam);
}

bool OdDbEllipse::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    const OdGePoint3d p = tag.point();
    switch (tag.code()) {
    case 10:
        m_center = p;
        return true;
    case 11:
        m_majorAxis = {p.x, p.y, p.z};
        return true;
    case 210:
        m_normal = {p.x, p.y, p.z};
        return true;
    case 40:
        m_ratio = tag.number();
        return true;
    case 41:
        m_startParam = tag.number();
        return true;
    case 42:
        m_endParam = tag.number();
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbEllipse::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbEllipse") || OdDbEntity::knowsSubclass(marker);
}

OdResult OdDbEllipse::finishFields(OdDbDxfIn& in)
{
    if (const OdResult status = in.require({10, 11, 40}, dxfName()); status != OdResult::eOk)
        return status;
    if (!(m_ratio > 0.0 && m_ratio <= 1.0) || !(m_majorAxis.length() > 0.0))
        return in.fail(OdResult::eInvalidInput, QStringLiteral("ELLIPSE axes are not valid"));
    return OdResult::eOk;
}
