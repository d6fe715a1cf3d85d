// CIRCLE: centre, radius, thickness and extrusion. ARC derives from it.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbCircle : public OdDbObjectImpl<OdDbCircle, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("CIRCLE"); }

    const OdGePoint3d& center() const { return m_center; }
    void setCenter(const OdGePoint3d& point) { m_center = point; }
    double radius() const { return m_radius; }
    void setRadius(double radius) { m_radius = radius; }
    const OdGeVector3d& normal() const { return m_normal; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;

private:
    OdGePoint3d m_center;
    double m_radius = 0.0;
    double m_thickness = 0.0;
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
};
