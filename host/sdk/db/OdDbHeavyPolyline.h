// POLYLINE: a polyline whose vertices are VERTEX entities it owns, closed by a SEQEND. Its flags
// tell the kind: a 2D polyline, a 3D polyline (8), a polygon mesh (16) or a polyface mesh (64).
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbVertex;

class OdDbHeavyPolyline : public OdDbObjectImpl<OdDbHeavyPolyline, OdDbEntity> {
public:
    static constexpr int kClosed = 1;
    static constexpr int k3dPolyline = 8;
    static constexpr int kPolygonMesh = 16;
    static constexpr int kPolyfaceMesh = 64;

    QString dxfName() const override { return QStringLiteral("POLYLINE"); }

    int polylineFlags() const { return m_flags; }
    void setPolylineFlags(int flags) { m_flags = std::int16_t(flags); }
    bool isClosed() const { return (m_flags & kClosed) != 0; }
    double elevation() const { return m_elevation; }

    // Vertices in order, erased ones included.
    const std::vector<OdDbObjectId>& vertexIds() const { return m_vertices; }
    // Adds a vertex to the database, owned by this polyline (which must be in a database), and
    // makes the SEQEND when there is none.
    OdDbObjectId appendVertex(std::unique_ptr<OdDbVertex> vertex);
    void appendVertexId(OdDbObjectId id) { m_vertices.push_back(id); }
    OdDbObjectId sequenceEndId() const { return m_sequenceEnd; }
    void setSequenceEndId(OdDbObjectId id) { m_sequenceEnd = id; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;

private:
    std::int16_t m_flags = 0;
    double m_elevation = 0.0;
    double m_defaultStartWidth = 0.0;
    double m_defaultEndWidth = 0.0;
    std::int16_t m_meshCounts[4] = {0, 0, 0, 0};  // 71 to 74
    std::int16_t m_curveType = 0;
    double m_thickness = 0.0;
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
    std::vector<OdDbObjectId> m_vertices;
    OdDbObjectId m_sequenceEnd;
};
