// A record of a symbol table: its name, its standard flags (70) and, for the tables the database
// does not model in detail (VPORT, VIEW, UCS, DIMSTYLE, APPID), its other codes as they came.
// Layers, linetypes, text styles and block records derive from it.
#pragma once

#include "OdDbObjectImpl.h"
#include "OdDbSymbolTable.h"

class OdDbSymbolTableRecord : public OdDbObjectImpl<OdDbSymbolTableRecord, OdDbObject> {
public:
    explicit OdDbSymbolTableRecord(OdDbSymbolTable::Kind kind = OdDbSymbolTable::Kind::kRegApp) : m_kind(kind) {}

    // The record's DXF name is its table's name.
    QString dxfName() const override { return OdDbSymbolTable::tableName(m_kind); }
    OdDbSymbolTable::Kind kind() const { return m_kind; }
    void setKind(OdDbSymbolTable::Kind kind) { m_kind = kind; }
    int handleCode() const override { return m_kind == OdDbSymbolTable::Kind::kDimStyle ? 105 : 5; }

    const QString& name() const { return m_name; }
    // Only for a record not yet in a table; a record in a table is renamed by its table.
    void setName(const QString& name) { m_name = name; }
    int flags() const { return m_flags; }
    void setFlags(int flags) { m_flags = std::int16_t(flags); }

    void writeFields(OdDbDxfOut& out) const final;
    OdResult resolveReferences(OdDbDatabase& database, bool create, QString& message) override;

protected:
    // The codes after name and flags; by default the kept ones.
    virtual void writeRecordFields(OdDbDxfOut& out) const;
    virtual bool readRecordField(const OdDbTag& tag, OdDbDxfIn& in);
    // Block records keep 70 for their own use (insertion units).
    virtual bool hasStandardFlags() const { return true; }

    bool readField(const OdDbTag& tag, OdDbDxfIn& in) final;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;

private:
    OdDbSymbolTable::Kind m_kind;
    QString m_name;
    std::int16_t m_flags = 0;
};
