// LWPOLYLINE.
#include "OdDbPolyline.h"

void OdDbPolyline::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbPolyline"));
    out.int32(90, std::int32_t(m_vertices.size()));
    out.int16(70, m_flags);
    if (m_constantWidth || out.isGroupCodes())
        out.real(43, m_constantWidth.value_or(0.0));
    out.optionalReal(38, m_elevation, 0.0);
    out.optionalReal(39, m_thickness, 0.0);
    for (const Vertex& vertex : m_vertices) {
        out.point2d(10, vertex.x, vertex.y);
        out.optionalReal(40, vertex.startWidth, 0.0);
        out.optionalReal(41, vertex.endWidth, 0.0);
        out.optionalReal(42, vertex.bulge, 0.0);
        if (m_hasVertexIds)
            out.int32(91, vertex.id);
    }
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
}

bool OdDbPolyline::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 90:
        return true;
    case 70:
        m_flags = std::int16_t(tag.integer());
        return true;
    case 43:
        m_constantWidth = tag.number();
        return true;
    case 38:
        m_elevation = tag.number();
        return true;
    case 39:
        m_thickness = tag.number();
        return true;
    case 210:
        m_normal = {tag.point().x, tag.point().y, tag.point().z};
        return true;
    case 10:
        if (in.firstOf(10))
            m_vertices.clear();
        m_vertices.push_back({tag.point().x, tag.point().y});
        return true;
    case 40: case 41: case 42: case 91:
        if (m_vertices.empty() || !in.seen(10))
            return false;
        if (tag.code() == 40)
            m_vertices.back().startWidth = tag.number();
        else if (tag.code() == 41)
            m_vertices.back().endWidth = tag.number();
        else if (tag.code() == 42)
            m_vertices.back().bulge = tag.number();
        else {
            m_vertices.back().id = std::int32_t(tag.integer());
            m_hasVertexIds = true;
        }
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbPolyline::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbPolyline") || OdDbEntity::knowsSubclass(marker);
}

OdResult OdDbPolyline::finishFields(OdDbDxfIn& in)
{
    if (in.isCreating() && m_vertices.empty())
        return in.fail(OdResult::eInvalidInput, QStringLiteral("LWPOLYLINE has no vertices"));
    return OdResult::eOk;
}
