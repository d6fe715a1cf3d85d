// SOLID (a filled quadrilateral) and 3DFACE: four corners. A SOLID has thickness and extrusion;
// a 3DFACE has flags for its invisible edges.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

#include <array>

class OdDbSolid : public OdDbObjectImpl<OdDbSolid, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("SOLID"); }

    // Corner 0 to 3.
    const OdGePoint3d& pointAt(int index) const { return m_corners[std::size_t(index & 3)]; }
    void setPointAt(int index, const OdGePoint3d& point) { m_corners[std::size_t(index & 3)] = point; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override { return in.require({10, 11, 12}, dxfName()); }

    // The corners as the class writes them, shared with 3DFACE.
    void writeCorners(OdDbDxfOut& out) const;
    bool readCorner(const OdDbTag& tag);

private:
    std::array<OdGePoint3d, 4> m_corners{};
    double m_thickness = 0.0;
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
};
