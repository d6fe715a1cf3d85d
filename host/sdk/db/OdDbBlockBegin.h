// The BLOCK record that opens a block definition: the block's flags, base point, external
// reference path and description. Its name is its block record's.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbBlockBegin : public OdDbObjectImpl<OdDbBlockBegin, OdDbEntity> {
public:
    static constexpr int kAnonymous = 1;
    static constexpr int kHasAttributeDefinitions = 2;

    QString dxfName() const override { return QStringLiteral("BLOCK"); }

    int blockFlags() const { return m_flags; }
    void setBlockFlags(int flags) { m_flags = std::int16_t(flags); }
    const OdGePoint3d& origin() const { return m_origin; }
    void setOrigin(const OdGePoint3d& origin) { m_origin = origin; }
    const QString& pathName() const { return m_xrefPath; }
    const QString& comments() const { return m_description; }
    // The name the record carried when it was read; the block record's name wins on writing.
    const QString& readName() const { return m_name; }
    void setReadName(const QString& name) { m_name = name; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;

private:
    QString m_name;
    std::int16_t m_flags = 0;
    OdGePoint3d m_origin;
    QString m_xrefPath;
    QString m_description;
};
