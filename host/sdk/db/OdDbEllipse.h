// ELLIPSE: centre, major axis (relative to the centre), ratio of the axes and the start and end
// parameters.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbEllipse : public OdDbObjectImpl<OdDbEllipse, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("ELLIPSE"); }

    const OdGePoint3d& center() const { return m_center; }
    void setCenter(const OdGePoint3d& point) { m_center = point; }
    const OdGeVector3d& majorAxis() const { return m_majorAxis; }
    void setMajorAxis(const OdGeVector3d& axis) { m_majorAxis = axis; }
    double radiusRatio() const { return m_ratio; }
    void setRadiusRatio(double ratio) { m_ratio = ratio; }
    double startParam() const { return m_startParam; }
    double endParam() const { return m_endParam; }
    void setParams(double start, double end) { m_startParam = start; m_endParam = end; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;

private:
    OdGePoint3d m_center;
    OdGeVector3d m_majorAxis{1.0, 0.0, 0.0};
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
    double m_ratio = 1.0;
    double m_startParam = 0.0;
    double m_endParam = 6.283185307179586;
};
