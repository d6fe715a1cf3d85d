// ARC: a circle with start and end angles (counter-clockwise, radians).
#pragma once

#include "OdDbCircle.h"

class OdDbArc : public OdDbObjectImpl<OdDbArc, OdDbCircle> {
public:
    QString dxfName() const override { return QStringLiteral("ARC"); }

    double startAngle() const { return m_startAngle; }
    void setStartAngle(double radians) { m_startAngle = radians; }
    double endAngle() const { return m_endAngle; }
    void setEndAngle(double radians) { m_endAngle = radians; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;

private:
    double m_startAngle = 0.0;
    double m_endAngle = 0.0;
};
