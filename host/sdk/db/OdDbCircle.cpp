// CIRCLE.
#include "OdDbCircle.h"

void OdDbCircle::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbCircle"));
    out.optionalReal(39, m_thickness, 0.0);
    out.point(10, m_center);
    out.real(40, m_radius);
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
}

bool OdDbCircle::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 10:
        m_center = tag.point();
        return true;
    case 40:
        m_radius = tag.number();
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

bool OdDbCircle::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbCircle") || OdDbEntity::knowsSubclass(marker);
}

OdResult OdDbCircle::finishFields(OdDbDxfIn& in)
{
    if (const OdResult status = in.require({10, 40}, dxfName()); status != OdResult::eOk)
        return status;
    if (!(m_radius > 0.0))
        return in.fail(OdResult::eInvalidInput, QStringLiteral("%1 radius must be positive").arg(dxfName()));
    return OdResult::eOk;
}
