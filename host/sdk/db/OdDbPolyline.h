// LWPOLYLINE: 2D vertices with optional widths and bulges in one record, elevation, constant
// width, thickness and extrusion.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

#include <optional>

class OdDbPolyline : public OdDbObjectImpl<OdDbPolyline, OdDbEntity> {
public:
    struct Vertex {
        double x = 0.0;
        double y = 0.0;
        double startWidth = 0.0;
        double endWidth = 0.0;
        double bulge = 0.0;
        std::int32_t id = 0;
    };
    static constexpr int kClosed = 1;

    QString dxfName() const override { return QStringLiteral("LWPOLYLINE"); }

    const std::vector<Vertex>& vertices() const { return m_vertices; }
    void setVertices(std::vector<Vertex> vertices) { m_vertices = std::move(vertices); }
    bool isClosed() const { return (m_flags & kClosed) != 0; }
    void setClosed(bool closed) { m_flags = std::int16_t(closed ? m_flags | kClosed : m_flags & ~kClosed); }
    double elevation() const { return m_elevation; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;

private:
    std::vector<Vertex> m_vertices;
    std::int16_t m_flags = 0;
    std::optional<double> m_constantWidth;
    double m_elevation = 0.0;
    double m_thickness = 0.0;
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
    bool m_hasVertexIds = false;
};
