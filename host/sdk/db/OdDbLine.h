// LINE: two points, thickness and extrusion direction.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbLine : public OdDbObjectImpl<OdDbLine, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("LINE"); }

    const OdGePoint3d& startPoint() const { return m_start; }
    void setStartPoint(const OdGePoint3d& point) { m_start = point; }
    const OdGePoint3d& endPoint() const { return m_end; }
    void setEndPoint(const OdGePoint3d& point) { m_end = point; }
    double thickness() const { return m_thickness; }
    const OdGeVector3d& normal() const { return m_normal; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override { return in.require({10, 11}, dxfName()); }

private:
    OdGePoint3d m_start;
    OdGePoint3d m_end;
    double m_thickness = 0.0;
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
};
