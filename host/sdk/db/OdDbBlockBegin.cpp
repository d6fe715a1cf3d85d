// BLOCK records.
#include "OdDbBlockBegin.h"

#include "OdDbBlockTableRecord.h"

void OdDbBlockBegin::writeEntityFields(OdDbDxfOut& out) const
{
    QString name = m_name;
    if (const auto* block = ownerId().openObject<OdDbBlockTableRecord>())
        name = block->name();
    out.subclass(QLatin1String("AcDbBlockBegin"));
    out.string(2, name);
    out.int16(70, m_flags);
    out.point(10, m_origin);
    out.string(3, name);
    out.string(1, m_xrefPath);
    if (!m_description.isEmpty() && !out.isR12())
        out.string(4, m_description);
}

bool OdDbBlockBegin::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 2:
        m_name = tag.string();
        return true;
    case 3:
        if (m_name.isEmpty())
            m_name = tag.string();
        return true;
    case 70:
        m_flags = std::int16_t(tag.integer());
        return true;
    case 10:
        m_origin = tag.point();
        return true;
    case 1:
        m_xrefPath = tag.string();
        return true;
    case 4:
        m_description = tag.string();
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbBlockBegin::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbBlockBegin") || OdDbEntity::knowsSubclass(marker);
}
