// INSERT: a block placed with position, scale, rotation and an optional column and row array;
// it owns its attributes (ATTRIB) and, when it has any, the SEQEND that closes them.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbAttribute;

class OdDbBlockReference : public OdDbObjectImpl<OdDbBlockReference, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("INSERT"); }

    const QString& blockName() const { return m_blockName; }
    void setBlockName(const QString& name) { m_blockName = name; }
    // The block record; null when no block of that name exists.
    OdDbObjectId blockTableRecord() const;
    const OdGePoint3d& position() const { return m_position; }
    void setPosition(const OdGePoint3d& point) { m_position = point; }
    const OdGeVector3d& scaleFactors() const { return m_scale; }
    void setScaleFactors(const OdGeVector3d& scale) { m_scale = scale; }
    double rotation() const { return m_rotation; }
    void setRotation(double radians) { m_rotation = radians; }

    // Attributes in order, erased ones included.
    const std::vector<OdDbObjectId>& attributeIds() const { return m_attributes; }
    // Adds an attribute to the database, owned by this reference (which must be in a database),
    // and makes the SEQEND when there is none.
    OdDbObjectId appendAttribute(std::unique_ptr<OdDbAttribute> attribute);
    // Takes an attribute the database already holds.
    void appendAttributeId(OdDbObjectId id) { m_attributes.push_back(id); }
    OdDbObjectId sequenceEndId() const { return m_sequenceEnd; }
    void setSequenceEndId(OdDbObjectId id) { m_sequenceEnd = id; }

    OdResult resolveReferences(OdDbDatabase& database, bool create, QString& message) override;

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override { return in.require({2, 10}, dxfName()); }

private:
    QString m_blockName;
    OdGePoint3d m_position;
    OdGeVector3d m_scale{1.0, 1.0, 1.0};
    double m_rotation = 0.0;
    std::int16_t m_columns = 1;
    std::int16_t m_rows = 1;
    double m_columnSpacing = 0.0;
    double m_rowSpacing = 0.0;
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
    std::vector<OdDbObjectId> m_attributes;
    OdDbObjectId m_sequenceEnd;
};
