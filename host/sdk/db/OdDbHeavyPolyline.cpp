// POLYLINE.
#include "OdDbHeavyPolyline.h"

#include "OdDbDatabase.h"
#include "OdDbSequenceEnd.h"
#include "OdDbVertex.h"

OdDbObjectId OdDbHeavyPolyline::appendVertex(std::unique_ptr<OdDbVertex> vertex)
{
    OdDbDatabase* db = database();
    if (!db)
        return {};
    const OdDbObjectId id = db->addObject(std::move(vertex), objectId());
    m_vertices.push_back(id);
    if (m_sequenceEnd.isNull()) {
        auto end = std::make_unique<OdDbSequenceEnd>();
        end->setLayer(layer());
        m_sequenceEnd = db->addObject(std::move(end), objectId());
    }
    return id;
}

void OdDbHeavyPolyline::writeEntityFields(OdDbDxfOut& out) const
{
    if (m_flags & kPolyfaceMesh)
        out.subclass(QLatin1String("AcDbPolyFaceMesh"));
    else if (m_flags & kPolygonMesh)
        out.subclass(QLatin1String("AcDbPolygonMesh"));
    else if (m_flags & k3dPolyline)
        out.subclass(QLatin1String("AcDb3dPolyline"));
    else
        out.subclass(QLatin1String("AcDb2dPolyline"));
    out.int16(66, 1);
    out.point(10, {0.0, 0.0, m_elevation});
    out.optionalReal(39, m_thickness, 0.0);
    out.int16(70, m_flags);
    out.optionalReal(40, m_defaultStartWidth, 0.0);
    out.optionalReal(41, m_defaultEndWidth, 0.0);
    for (int i = 0; i < 4; ++i)
        out.optionalInt16(71 + i, m_meshCounts[i], 0);
    out.optionalInt16(75, m_curveType, 0);
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
}

bool OdDbHeavyPolyline::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    const int code = tag.code();
    switch (code) {
    case 66:
        return true;
    case 10:
        m_elevation = tag.point().z;
        return true;
    case 39:
        m_thickness = tag.number();
        return true;
    case 70:
        m_flags = std::int16_t(tag.integer());
        return true;
    case 40:
        m_defaultStartWidth = tag.number();
        return true;
    case 41:
        m_defaultEndWidth = tag.number();
        return true;
    case 71: case 72: case 73: case 74:
        m_meshCounts[code - 71] = std::int16_t(tag.integer());
        return true;
    case 75:
        m_curveType = std::int16_t(tag.integer());
        return true;
    case 210:
        m_normal = {tag.point().x, tag.point().y, tag.point().z};
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbHeavyPolyline::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDb2dPolyline") || marker == QLatin1String("AcDb3dPolyline")
        || marker == QLatin1String("AcDbPolygonMesh") || marker == QLatin1String("AcDbPolyFaceMesh")
        || OdDbEntity::knowsSubclass(marker);
}
