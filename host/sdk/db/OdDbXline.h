// XLINE: an infinite line through a base point along a unit direction. RAY derives from it.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbXline : public OdDbObjectImpl<OdDbXline, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("XLINE"); }

    const OdGePoint3d& basePoint() const { return m_base; }
    void setBasePoint(const OdGePoint3d& point) { m_base = point; }
    const OdGeVector3d& unitDir() const { return m_direction; }
    void setUnitDir(const OdGeVector3d& direction) { m_direction = direction; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;
    virtual QLatin1String subclassName() const { return QLatin1String("AcDbXline"); }

private:
    OdGePoint3d m_base;
    OdGeVector3d m_direction{1.0, 0.0, 0.0};
};
