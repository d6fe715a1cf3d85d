// ATTRIB: the value of an attribute, owned by its block reference.
#pragma once

#include "OdDbAttributeCommon.h"

class OdDbAttribute : public OdDbObjectImpl<OdDbAttribute, OdDbAttributeCommon> {
public:
    QString dxfName() const override { return QStringLiteral("ATTRIB"); }

protected:
    QLatin1String attributeSubclass() const override { return QLatin1String("AcDbAttribute"); }
};
