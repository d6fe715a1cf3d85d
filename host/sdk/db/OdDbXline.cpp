// XLINE.
#include "OdDbXline.h"

void OdDbXline::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(subclassName());
    out.point(10, m_base);
    out.vector(11, m_direction);
}

bool OdDbXline::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 10:
        m_base = tag.point();
        return true;
    case 11:
        m_direction = {tag.point().x, tag.point().y, tag.point().z};
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbXline::knowsSubclass(QStringView marker) const
{
    return marker == subclassName() || OdDbEntity::knowsSubclass(marker);
}

OdResult OdDbXline::finishFields(OdDbDxfIn& in)
{
    if (const OdResult status = in.require({10, 11}, dxfName()); status != OdResult::eOk)
        return status;
    if (!(m_direction.length() > 0.0))
        return in.fail(OdResult::eInvalidInput, QStringLiteral("%1 direction is zero").arg(dxfName()));
    return OdResult::eOk;
}
