// INSERT.
#include "OdDbBlockReference.h"

#include "OdDbAttribute.h"
#include "OdDbDatabase.h"
#include "OdDbSequenceEnd.h"
#include "OdDbSymbolTable.h"

OdDbObjectId OdDbBlockReference::blockTableRecord() const
{
    OdDbDatabase* db = database();
    return db ? db->symbolTable(OdDbSymbolTable::Kind::kBlock)->recordId(m_blockName) : OdDbObjectId();
}

OdDbObjectId OdDbBlockReference::appendAttribute(std::unique_ptr<OdDbAttribute> attribute)
{
    OdDbDatabase* db = database();
    if (!db)
        return {};
    const OdDbObjectId id = db->addObject(std::move(attribute), objectId());
    m_attributes.push_back(id);
    if (m_sequenceEnd.isNull()) {
        auto end = std::make_unique<OdDbSequenceEnd>();
        end->setLayer(layer());
        m_sequenceEnd = db->addObject(std::move(end), objectId());
    }
    return id;
}

void OdDbBlockReference::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbBlockReference"));
    bool hasAttributes = false;
    for (OdDbObjectId id : m_attributes)
        hasAttributes = hasAttributes || !id.isErased();
    if (hasAttributes || out.isGroupCodes())
        out.int16(66, hasAttributes ? 1 : 0);
    out.string(2, m_blockName);
    out.point(10, m_position);
    out.optionalReal(41, m_scale.x, 1.0);
    out.optionalReal(42, m_scale.y, 1.0);
    out.optionalReal(43, m_scale.z, 1.0);
    out.optionalAngle(50, m_rotation);
    out.optionalInt16(70, m_columns, 1);
    out.optionalInt16(71, m_rows, 1);
    out.optionalReal(44, m_columnSpacing, 0.0);
    out.optionalReal(45, m_rowSpacing, 0.0);
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
}

bool OdDbBlockReference::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 66:
        // Whether attributes follow is known from the attributes themselves.
        return true;
    case 2:
        m_blockName = tag.string();
        return true;
    case 10:
        m_position = tag.point();
        return true;
    case 41:
        m_scale.x = tag.number();
        return true;
    case 42:
        m_scale.y = tag.number();
        return true;
    case 43:
        m_scale.z = tag.number();
        return true;
    case 50:
        m_rotation = in.angle(tag);
        return true;
    case 70:
        m_columns = std::int16_t(tag.integer());
        return true;
    case 71:
        m_rows = std::int16_t(tag.integer());
        return true;
    case 44:
        m_columnSpacing = tag.number();
        return true;
    case 45:
        m_rowSpacing = tag.number();
        return true;
    case 210:
        m_normal = {tag.point().x, tag.point().y, tag.point().z};
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbBlockReference::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbBlockReference") || marker == QLatin1String("AcDbMInsertBlock")
        || OdDbEntity::knowsSubclass(marker);
}

OdResult OdDbBlockReference::resolveReferences(OdDbDatabase& db, bool create, QString& message)
{
    if (db.symbolTable(OdDbSymbolTable::Kind::kBlock)->recordId(m_blockName).isNull()) {
        message = QStringLiteral("block \"%1\" is not defined").arg(m_blockName);
        return OdResult::eUndefinedReference;
    }
    return OdDbEntity::resolveReferences(db, create, message);
}
