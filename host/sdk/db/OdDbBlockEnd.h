// The ENDBLK record that closes a block definition.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbBlockEnd : public OdDbObjectImpl<OdDbBlockEnd, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("ENDBLK"); }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override { out.subclass(QLatin1String("AcDbBlockEnd")); }
    bool knowsSubclass(QStringView marker) const override
    {
        return marker == QLatin1String("AcDbBlockEnd") || OdDbEntity::knowsSubclass(marker);
    }
};
