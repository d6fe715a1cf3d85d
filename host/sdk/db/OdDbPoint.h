// POINT: a position with thickness, extrusion and the angle of its x axis.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbPoint : public OdDbObjectImpl<OdDbPoint, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("POINT"); }

    const OdGePoint3d& position() const { return m_position; }
    void setPosition(const OdGePoint3d& point) { m_position = point; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override { return in.require({10}, dxfName()); }

private:
    OdGePoint3d m_position;
    double m_thickness = 0.0;
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
    double m_xAxisAngle = 0.0;
};
