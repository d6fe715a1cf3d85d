// SEQEND: closes the vertices of a polyline or the attributes of a block reference.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbSequenceEnd : public OdDbObjectImpl<OdDbSequenceEnd, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("SEQEND"); }

protected:
    void writeEntityFields(OdDbDxfOut&) const override {}
};
