// 3DFACE: four corners in space and the flags of its invisible edges (bit n hides edge n+1).
#pragma once

#include "OdDbSolid.h"

class OdDbFace : public OdDbObjectImpl<OdDbFace, OdDbSolid> {
public:
    QString dxfName() const override { return QStringLiteral("3DFACE"); }

    int invisibleEdges() const { return m_invisibleEdges; }
    void setInvisibleEdges(int flags) { m_invisibleEdges = std::int16_t(flags); }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;

private:
    std::int16_t m_invisibleEdges = 0;
};
