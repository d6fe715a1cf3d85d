// A symbol table (the TABLE record of DXF): its records in table order and a name index that
// ignores case. The database owns the nine tables; each table owns its records.
#pragma once

#include "OdDbObjectImpl.h"
#include "OdDbSymUtil.h"

#include <unordered_map>

class OdDbSymbolTableRecord;

class OdDbSymbolTable : public OdDbObjectImpl<OdDbSymbolTable, OdDbObject> {
public:
    // In the order of the TABLES section.
    enum class Kind : std::uint8_t { kViewport, kLinetype, kLayer, kTextStyle, kView, kUCS, kRegApp, kDimStyle, kBlock };
    static constexpr int kKindCount = 9;

    explicit OdDbSymbolTable(Kind kind = Kind::kLayer) : m_kind(kind) {}

    // "VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD".
    static QString tableName(Kind kind);
    // The table of a name as DXF and users give it, in either case; "BLOCK" names the block table.
    static bool kindFromName(QStringView name, Kind& kind);
    // The subclass marker of the table's records ("AcDbLayerTableRecord").
    static QLatin1String recordSubclass(Kind kind);

    QString dxfName() const override { return QStringLiteral("TABLE"); }
    Kind kind() const { return m_kind; }

    // Every record in table order, erased ones included.
    const std::vector<OdDbObjectId>& recordIds() const { return m_records; }
    // The live record of that name (case ignored); null when there is none.
    OdDbObjectId recordId(const QString& name) const;
    // Adds a record to the database and the table. eInvalidSymbolName for a name the rules
    // refuse, eDuplicateKey for a name a live record has; the record is not added then.
    OdResult add(std::unique_ptr<OdDbSymbolTableRecord> record, OdDbObjectId* id = nullptr);
    // Takes a record the database already holds (the DXF reader adds objects first).
    OdResult appendRecordId(OdDbObjectId id);
    // Renames a live record. eKeyNotFound, eInvalidSymbolName, eDuplicateKey.
    OdResult rename(const QString& oldName, const QString& newName);
    // Rebuilds the name index after a record's name changed from outside (setGroupCodes).
    void reindex();

    void writeFields(OdDbDxfOut& out) const override;

protected:
    bool readField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;

private:
    Kind m_kind;
    std::vector<OdDbObjectId> m_records;
    std::unordered_map<QString, OdDbObjectId, OdDbSymUtil::NameHash, OdDbSymUtil::NameEqual> m_index;
};
