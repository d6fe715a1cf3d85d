// An entity of a type the database does not model (HATCH, DIMENSION, VIEWPORT, …): its common
// properties are read like any entity's, every other code is kept and written back unchanged.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbUnmodelledEntity : public OdDbObjectImpl<OdDbUnmodelledEntity, OdDbEntity> {
public:
    explicit OdDbUnmodelledEntity(const QString& dxfName = QString()) : m_dxfName(dxfName) {}

    QString dxfName() const override { return m_dxfName; }

protected:
    void writeEntityFields(OdDbDxfOut&) const override {}

private:
    QString m_dxfName;
};
