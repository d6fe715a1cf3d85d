// 3DFACE.
#include "OdDbFace.h"

void OdDbFace::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbFace"));
    writeCorners(out);
    out.optionalInt16(70, m_invisibleEdges, 0);
}

bool OdDbFace::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    if (readCorner(tag))
        return true;
    if (tag.code() == 70) {
        m_invisibleEdges = std::int16_t(tag.integer());
        return true;
    }
    return OdDbEntity::readEntityField(tag, in);
}

bool OdDbFace::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbFace") || OdDbEntity::knowsSubclass(marker);
}
