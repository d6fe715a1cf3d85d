// RAY: a half-infinite line from a base point along a unit direction.
#pragma once

#include "OdDbXline.h"

class OdDbRay : public OdDbObjectImpl<OdDbRay, OdDbXline> {
public:
    QString dxfName() const override { return QStringLiteral("RAY"); }

protected:
    QLatin1String subclassName() const override { return QLatin1String("AcDbRay"); }
};
