// Symbol-table records: name, flags and kept codes.
#include "OdDbSymbolTableRecord.h"

#include "OdDbDatabase.h"
#include "OdDbSymUtil.h"

void OdDbSymbolTableRecord::writeFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbSymbolTableRecord"));
    out.subclass(OdDbSymbolTable::recordSubclass(m_kind));
    out.string(2, m_name);
    if (hasStandardFlags())
        out.int16(70, m_flags);
    writeRecordFields(out);
}

void OdDbSymbolTableRecord::writeRecordFields(OdDbDxfOut& out) const
{
    writeUnknownFields(out);
}

bool OdDbSymbolTableRecord::readRecordField(const OdDbTag&, OdDbDxfIn&)
{
    return false;
}

bool OdDbSymbolTableRecord::readField(const OdDbTag& tag, OdDbDxfIn& in)
{
    if (tag.code() == 2) {
        m_name = tag.string();
        return true;
    }
    if (tag.code() == 70 && hasStandardFlags()) {
        m_flags = std::int16_t(tag.integer());
        return true;
    }
    return readRecordField(tag, in);
}

bool OdDbSymbolTableRecord::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbSymbolTableRecord") || marker == OdDbSymbolTable::recordSubclass(m_kind);
}

OdResult OdDbSymbolTableRecord::finishFields(OdDbDxfIn& in)
{
    if (m_name.isEmpty())
        return in.fail(OdResult::eInvalidInput, QStringLiteral("%1 record has no name (2)").arg(dxfName()));
    return OdResult::eOk;
}

OdResult OdDbSymbolTableRecord::resolveReferences(OdDbDatabase& db, bool create, QString& message)
{
    OdDbSymbolTable* table = db.symbolTable(m_kind);
    const OdDbObjectId existing = table->recordId(m_name);
    if (!existing.isNull() && existing != objectId()) {
        message = QStringLiteral("%1 \"%2\" exists already").arg(dxfName(), m_name);
        return OdResult::eDuplicateKey;
    }
    if (create)
        table->reindex();
    return OdDbObject::resolveReferences(db, create, message);
}
