// VERTEX.
#include "OdDbVertex.h"

void OdDbVertex::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbVertex"));
    if ((m_flags & kFaceRecord) && !(m_flags & kMeshVertex))
        out.subclass(QLatin1String("AcDbFaceRecord"));
    else if ((m_flags & kFaceRecord) && (m_flags & kMeshVertex))
        out.subclass(QLatin1String("AcDbPolyFaceMeshVertex"));
    else if (m_flags & kMeshVertex)
        out.subclass(QLatin1String("AcDbPolygonMeshVertex"));
    else if (m_flags & k3dPolylineVertex)
        out.subclass(QLatin1String("AcDb3dPolylineVertex"));
    else
        out.subclass(QLatin1String("AcDb2dVertex"));
    out.point(10, m_position);
    out.optionalReal(40, m_startWidth, 0.0);
    out.optionalReal(41, m_endWidth, 0.0);
    out.optionalReal(42, m_bulge, 0.0);
    out.int16(70, m_flags);
    if (m_tangent)
        out.angle(50, *m_tangent);
    for (int i = 0; i < 4; ++i) {
        if (m_faceIndices[i] != 0)
            out.int16(71 + i, m_faceIndices[i]);
    }
    if (m_id)
        out.int32(91, *m_id);
}

bool OdDbVertex::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    const int code = tag.code();
    switch (code) {
    case 10:
        m_position = tag.point();
        return true;
    case 40:
        m_startWidth = tag.number();
        return true;
    case 41:
        m_endWidth = tag.number();
        return true;
    case 42:
        m_bulge = tag.number();
        return true;
    case 70:
        m_flags = std::int16_t(tag.integer());
        return true;
    case 50:
        m_tangent = in.angle(tag);
        return true;
    case 71: case 72: case 73: case 74:
        m_faceIndices[code - 71] = std::int16_t(tag.integer());
        return true;
    case 91:
        m_id = std::int32_t(tag.integer());
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbVertex::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbVertex") || marker == QLatin1String("AcDb2dVertex")
        || marker == QLatin1String("AcDb3dPolylineVertex") || marker == QLatin1String("AcDbPolygonMeshVertex")
        || marker == QLatin1String("AcDbPolyFaceMeshVertex") || marker == QLatin1String("AcDbFaceRecord")
        || OdDbEntity::knowsSubclass(marker);
}
