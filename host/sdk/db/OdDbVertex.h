// VERTEX: one vertex of a POLYLINE, owned by it: location, widths, bulge, flags, tangent and,
// for polyface meshes, the vertex indices of a face.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

#include <optional>

class OdDbVertex : public OdDbObjectImpl<OdDbVertex, OdDbEntity> {
public:
    static constexpr int k3dPolylineVertex = 32;
    static constexpr int kMeshVertex = 64;
    static constexpr int kFaceRecord = 128;

    QString dxfName() const override { return QStringLiteral("VERTEX"); }

    const OdGePoint3d& position() const { return m_position; }
    void setPosition(const OdGePoint3d& point) { m_position = point; }
    double bulge() const { return m_bulge; }
    void setBulge(double bulge) { m_bulge = bulge; }
    int vertexFlags() const { return m_flags; }
    void setVertexFlags(int flags) { m_flags = std::int16_t(flags); }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;

private:
    OdGePoint3d m_position;
    double m_startWidth = 0.0;
    double m_endWidth = 0.0;
    double m_bulge = 0.0;
    std::int16_t m_flags = 0;
    std::optional<double> m_tangent;
    std::int16_t m_faceIndices[4] = {0, 0, 0, 0};  // 71 to 74
    std::optional<std::int32_t> m_id;
};
