// XRECORD: any group codes an application stores, kept in order, with its cloning flag.
#pragma once

#include "OdDbObjectImpl.h"

class OdDbXrecord : public OdDbObjectImpl<OdDbXrecord, OdDbObject> {
public:
    QString dxfName() const override { return QStringLiteral("XRECORD"); }

    const OdDbTagList& data() const { return m_data; }
    void setData(OdDbTagList data) { m_data = std::move(data); }
    int mergeStyle() const { return m_cloning; }

    void writeFields(OdDbDxfOut& out) const override;

protected:
    bool readField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override { return marker == QLatin1String("AcDbXrecord"); }

private:
    std::int16_t m_cloning = 1;
    OdDbTagList m_data;
};
