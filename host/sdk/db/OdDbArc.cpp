// ARC.
#include "OdDbArc.h"

void OdDbArc::writeEntityFields(OdDbDxfOut& out) const
{
    OdDbCircle::writeEntityFields(out);
    out.subclass(QLatin1String("AcDbArc"));
    out.angle(50, m_startAngle);
    out.angle(51, m_endAngle);
}

bool OdDbArc::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 50:
        m_startAngle = in.angle(tag);
        return true;
    case 51:
        m_endAngle = in.angle(tag);
        return true;
    default:
        return OdDbCircle::readEntityField(tag, in);
    }
}

bool OdDbArc::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbArc") || OdDbCircle::knowsSubclass(marker);
}

OdResult OdDbArc::finishFields(OdDbDxfIn& in)
{
    if (const OdResult status = OdDbCircle::finishFields(in); status != OdResult::eOk)
        return status;
    return in.require({50, 51}, dxfName());
}
