// A block record: a block definition or a layout (model space, paper space). It owns its BLOCK
// and ENDBLK records and its entities, kept in drawing order.
#pragma once

#include "OdDbSymbolTableRecord.h"

class OdDbBlockBegin;
class OdDbEntity;

class OdDbBlockTableRecord : public OdDbObjectImpl<OdDbBlockTableRecord, OdDbSymbolTableRecord> {
public:
    static const QString kModelSpace;  // "*Model_Space"
    static const QString kPaperSpace;  // "*Paper_Space"

    OdDbBlockTableRecord() : OdDbObjectImpl(OdDbSymbolTable::Kind::kBlock) {}

    bool isModelSpace() const;
    // Model space and the paper-space layouts (names starting with *Model_Space or *Paper_Space).
    bool isLayout() const;
    bool isAnonymous() const { return name().startsWith(QLatin1Char('*')) && !isLayout(); }
    // "Model" for model space; for a paper-space layout the name its LAYOUT object gives, else
    // "Layout1".
    QString layoutName() const;
    OdDbObjectId layoutId() const { return m_layout; }

    // Entities in drawing order, erased ones included. Sub-entities (vertices, attributes,
    // sequence ends) belong to their polyline or block reference, not to this list.
    const std::vector<OdDbObjectId>& entityIds() const { return m_entities; }
    // Adds an entity to the database, owned by this block, at the end of the drawing order.
    OdDbObjectId appendEntity(std::unique_ptr<OdDbEntity> entity);
    // Takes an entity the database already holds.
    void appendEntityId(OdDbObjectId id);
    // The live entity after the given one in drawing order; null at the end or when the entity
    // is not in this block. Linear over the whole list when walked from the start to the end.
    OdDbObjectId entityAfter(OdDbObjectId id) const;
    // The first live entity; null for an empty block.
    OdDbObjectId firstEntity() const;
    OdDbObjectId lastEntity() const;

    OdDbObjectId blockBeginId() const { return m_begin; }
    OdDbObjectId blockEndId() const { return m_end; }
    void setBlockBeginId(OdDbObjectId id) { m_begin = id; }
    void setBlockEndId(OdDbObjectId id) { m_end = id; }
    // The block's base point and flags, held by its BLOCK record.
    OdGePoint3d origin() const;
    int blockFlags() const;
    bool hasAttributeDefinitions() const;

protected:
    void writeRecordFields(OdDbDxfOut& out) const override;
    bool readRecordField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool hasStandardFlags() const override { return false; }

private:
    OdDbBlockBegin* blockBegin() const;

    OdDbObjectId m_layout;
    OdDbObjectId m_begin;
    OdDbObjectId m_end;
    std::vector<OdDbObjectId> m_entities;
    mutable std::size_t m_walkHint = 0;
};
