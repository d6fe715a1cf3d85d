// MTEXT.
#include "OdDbMText.h"

#include "OdDbDatabase.h"
#include "OdDbSymbolTable.h"

void OdDbMText::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbMText"));
    out.point(10, m_location);
    out.real(40, m_height);
    out.optionalReal(41, m_width, 0.0);
    if (m_definedHeight)
        out.real(46, *m_definedHeight);
    out.int16(71, m_attachment);
    out.optionalInt16(72, m_direction, 1);
    // Full chunks as 3, the rest (possibly empty) as 1.
    int start = 0;
    while (m_text.size() - start > kChunkLength) {
        out.string(3, m_text.mid(start, kChunkLength));
        start += kChunkLength;
    }
    out.string(1, m_text.mid(start));
    out.optionalString(7, m_style, QStringLiteral("Standard"));
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
    if (m_xDirection)
        out.vector(11, *m_xDirection);
    out.optionalAngle(50, m_rotation);
    if (m_spacingStyle)
        out.int16(73, *m_spacingStyle);
    if (m_spacingFactor)
        out.real(44, *m_spacingFactor);
}

bool OdDbMText::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    const OdGePoint3d p = tag.point();
    switch (tag.code()) {
    case 10:
        m_location = p;
        return true;
    case 40:
        m_height = tag.number();
        return true;
    case 41:
        m_width = tag.number();
        return true;
    case 46:
        m_definedHeight = tag.number();
        return true;
    case 71:
        m_attachment = std::int16_t(tag.integer());
        return true;
    case 72:
        m_direction = std::int16_t(tag.integer());
        return true;
    case 3:
        if (in.firstOf(3))
            m_pendingChunks.clear();
        m_pendingChunks += tag.string();
        return true;
    case 1:
        m_text = m_pendingChunks + tag.string();
        m_pendingChunks.clear();
        return true;
    case 7:
        m_style = tag.string();
        return true;
    case 210:
        m_normal = {p.x, p.y, p.z};
        return true;
    case 11:
        m_xDirection = OdGeVector3d{p.x, p.y, p.z};
        return true;
    case 50:
        m_rotation = in.angle(tag);
        return true;
    case 73:
        m_spacingStyle = std::int16_t(tag.integer());
        return true;
    case 44:
        m_spacingFactor = tag.number();
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbMText::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbMText") || OdDbEntity::knowsSubclass(marker);
}

OdResult OdDbMText::resolveReferences(OdDbDatabase& db, bool create, QString& message)
{
    if (db.symbolTable(OdDbSymbolTable::Kind::kTextStyle)->recordId(m_style).isNull()) {
        message = QStringLiteral("text style \"%1\" is not defined").arg(m_style);
        return OdResult::eUndefinedReference;
    }
    return OdDbEntity::resolveReferences(db, create, message);
}
