// A non-graphical object of a type the database does not model (LAYOUT, MATERIAL, …): every
// code after its identity is kept and written back unchanged.
#pragma once

#include "OdDbObjectImpl.h"

class OdDbUnmodelledObject : public OdDbObjectImpl<OdDbUnmodelledObject, OdDbObject> {
public:
    explicit OdDbUnmodelledObject(const QString& dxfName = QString()) : m_dxfName(dxfName) {}

    QString dxfName() const override { return m_dxfName; }

private:
    QString m_dxfName;
};
