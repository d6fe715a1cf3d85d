// Layer records.
#include "OdDbLayerTableRecord.h"

#include "OdDbDatabase.h"

void OdDbLayerTableRecord::setColorIndex(int color)
{
    const int magnitude = color < 0 ? -color : color;
    m_color = std::int16_t(isOff() ? -magnitude : magnitude);
}

void OdDbLayerTableRecord::setIsOff(bool off)
{
    const int magnitude = colorIndex();
    m_color = std::int16_t(off ? -magnitude : magnitude);
}

void OdDbLayerTableRecord::writeRecordFields(OdDbDxfOut& out) const
{
    out.int16(62, m_color);
    if (m_trueColor && !out.isR12())
        out.int32(420, *m_trueColor);
    out.string(6, m_linetype);
    if (!out.isR12()) {
        if (!m_plottable || out.isGroupCodes())
            out.int16(290, m_plottable ? 1 : 0);
        out.int16(370, m_lineWeight);
        if (!m_plotStyle.isNull())
            out.objectId(390, m_plotStyle);
    }
    writeUnknownFields(out);
}

bool OdDbLayerTableRecord::readRecordField(const OdDbTag& tag, OdDbDxfIn&)
{
    switch (tag.code()) {
    case 62:
        m_color = std::int16_t(tag.integer());
        return true;
    case 420:
        m_trueColor = std::int32_t(tag.integer());
        return true;
    case 6:
        m_linetype = tag.string();
        return true;
    case 290:
        m_plottable = tag.integer() != 0;
        return true;
    case 370:
        m_lineWeight = std::int16_t(tag.integer());
        return true;
    case 390:
        m_plotStyle = tag.objectId();
        return true;
    default:
        return false;
    }
}

OdResult OdDbLayerTableRecord::resolveReferences(OdDbDatabase& db, bool create, QString& message)
{
    if (db.symbolTable(OdDbSymbolTable::Kind::kLinetype)->recordId(m_linetype).isNull()) {
        message = QStringLiteral("linetype \"%1\" is not defined").arg(m_linetype);
        return OdResult::eUndefinedReference;
    }
    return OdDbSymbolTableRecord::resolveReferences(db, create, message);
}
