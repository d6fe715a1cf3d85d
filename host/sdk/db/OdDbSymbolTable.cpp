// Symbol tables: records, names and the TABLE record.
#include "OdDbSymbolTable.h"

#include "OdDbDatabase.h"
#include "OdDbSymUtil.h"
#include "OdDbSymbolTableRecord.h"

#include <array>

namespace {

struct KindNames {
    OdDbSymbolTable::Kind kind;
    const char* table;
    const char* recordSubclass;
};

constexpr std::array kKinds{
    KindNames{OdDbSymbolTable::Kind::kViewport, "VPORT", "AcDbViewportTableRecord"},
    KindNames{OdDbSymbolTable::Kind::kLinetype, "LTYPE", "AcDbLinetypeTableRecord"},
    KindNames{OdDbSymbolTable::Kind::kLayer, "LAYER", "AcDbLayerTableRecord"},
    KindNames{OdDbSymbolTable::Kind::kTextStyle, "STYLE", "AcDbTextStyleTableRecord"},
    KindNames{OdDbSymbolTable::Kind::kView, "VIEW", "AcDbViewTableRecord"},
    KindNames{OdDbSymbolTable::Kind::kUCS, "UCS", "AcDbUCSTableRecord"},
    KindNames{OdDbSymbolTable::Kind::kRegApp, "APPID", "AcDbRegAppTableRecord"},
    KindNames{OdDbSymbolTable::Kind::kDimStyle, "DIMSTYLE", "AcDbDimStyleTableRecord"},
    KindNames{OdDbSymbolTable::Kind::kBlock, "BLOCK_RECORD", "AcDbBlockTableRecord"},
};

}  // namespace

QString OdDbSymbolTable::tableName(Kind kind)
{
    return QString::fromLatin1(kKinds[std::size_t(kind)].table);
}

bool OdDbSymbolTable::kindFromName(QStringView name, Kind& kind)
{
    for (const KindNames& entry : kKinds) {
        if (name.compare(QLatin1String(entry.table), Qt::CaseInsensitive) == 0) {
            kind = entry.kind;
            return true;
        }
    }
    if (name.compare(QLatin1String("BLOCK"), Qt::CaseInsensitive) == 0) {
        kind = Kind::kBlock;
        return true;
    }
    return false;
}

QLatin1String OdDbSymbolTable::recordSubclass(Kind kind)
{
    return QLatin1String(kKinds[std::size_t(kind)].recordSubclass);
}

OdDbObjectId OdDbSymbolTable::recordId(const QString& name) const
{
    const auto found = m_index.find(name);
    if (found == m_index.end() || found->second.isErased())
        return {};
    return found->second;
}

OdResult OdDbSymbolTable::add(std::unique_ptr<OdDbSymbolTableRecord> record, OdDbObjectId* id)
{
    OdDbDatabase* db = database();
    if (!db)
        return OdResult::eInvalidOwnerObject;
    const QString name = record->name();
    const bool valid = m_kind == Kind::kBlock ? OdDbSymUtil::isValidBlockName(name)
                                              : OdDbSymUtil::isValidName(name, true)
            || (m_kind == Kind::kViewport && name.compare(QLatin1String("*Active"), Qt::CaseInsensitive) == 0);
    if (!valid)
        return OdResult::eInvalidSymbolName;
    if (!recordId(name).isNull())
        return OdResult::eDuplicateKey;
    record->setKind(m_kind);
    const OdDbObjectId added = db->addObject(std::move(record), objectId());
    m_records.push_back(added);
    m_index[name] = added;
    if (id)
        *id = added;
    return OdResult::eOk;
}

OdResult OdDbSymbolTable::appendRecordId(OdDbObjectId id)
{
    auto* record = id.openObject<OdDbSymbolTableRecord>();
    if (!record)
        return OdResult::eNotThatKindOfClass;
    if (!recordId(record->name()).isNull())
        return OdResult::eDuplicateKey;
    record->setOwnerId(objectId());
    m_records.push_back(id);
    m_index[record->name()] = id;
    return OdResult::eOk;
}

OdResult OdDbSymbolTable::rename(const QString& oldName, const QString& newName)
{
    const OdDbObjectId id = recordId(oldName);
    auto* record = id.openObject<OdDbSymbolTableRecord>();
    if (!record)
        return OdResult::eKeyNotFound;
    const bool valid = m_kind == Kind::kBlock ? OdDbSymUtil::isValidBlockName(newName)
                                              : OdDbSymUtil::isValidName(newName, true);
    if (!valid)
        return OdResult::eInvalidSymbolName;
    const OdDbObjectId existing = recordId(newName);
    if (!existing.isNull() && existing != id)
        return OdResult::eDuplicateKey;
    m_index.erase(oldName);
    record->setName(newName);
    m_index[newName] = id;
    return OdResult::eOk;
}

void OdDbSymbolTable::reindex()
{
    m_index.clear();
    for (OdDbObjectId id : m_records) {
        if (const auto* record = id.openObject<OdDbSymbolTableRecord>())
            m_index[record->name()] = id;
    }
}

void OdDbSymbolTable::writeFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbSymbolTable"));
    int live = 0;
    for (OdDbObjectId id : m_records)
        live += id.isErased() ? 0 : 1;
    out.int16(70, live);
    writeUnknownFields(out);
}

bool OdDbSymbolTable::readField(const OdDbTag& tag, OdDbDxfIn&)
{
    // The name is the table's kind and the count is recomputed on writing.
    return tag.code() == 2 || tag.code() == 70;
}

bool OdDbSymbolTable::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbSymbolTable");
}
