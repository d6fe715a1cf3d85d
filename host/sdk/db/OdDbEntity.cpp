// Common entity properties.
#include "OdDbEntity.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbSymUtil.h"
#include "OdDbSymbolTable.h"

OdDbObjectId OdDbEntity::layerId() const
{
    OdDbDatabase* db = database();
    return db ? db->symbolTable(OdDbSymbolTable::Kind::kLayer)->recordId(m_layer) : OdDbObjectId();
}

OdDbObjectId OdDbEntity::blockId() const
{
    OdDbObjectId owner = ownerId();
    if (const OdDbObject* parent = owner.object(); parent && dynamic_cast<const OdDbEntity*>(parent))
        return parent->ownerId();
    return owner;
}

bool OdDbEntity::isInPaperSpace() const
{
    const auto* block = blockId().openObject<OdDbBlockTableRecord>();
    return block && block->isLayout() && !block->isModelSpace();
}

void OdDbEntity::writeFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbEntity"));
    const bool paper = isInPaperSpace();
    if (out.isGroupCodes() || paper)
        out.int16(67, paper ? 1 : 0);
    if (out.isGroupCodes()) {
        if (const auto* block = blockId().openObject<OdDbBlockTableRecord>(); block && block->isLayout())
            out.string(410, block->layoutName());
    }
    out.string(8, m_layer);
    if (m_linetype.compare(QLatin1String("ByLayer"), Qt::CaseInsensitive) != 0)
        out.string(6, m_linetype);
    if (m_color != kColorByLayer)
        out.int16(62, m_color);
    if (!out.isR12()) {
        if (m_lineWeight != kLineWeightByLayer)
            out.int16(370, m_lineWeight);
        if (m_linetypeScale != 1.0)
            out.real(48, m_linetypeScale);
    }
    if (m_invisible != 0)
        out.int16(60, m_invisible);
    if (!out.isR12()) {
        if (m_trueColor)
            out.int32(420, *m_trueColor);
        if (m_transparency)
            out.int32(440, *m_transparency);
        out.tags(m_commonUnknown);
    }
    writeEntityFields(out);
    writeUnknownFields(out);
}

bool OdDbEntity::readField(const OdDbTag& tag, OdDbDxfIn& in)
{
    if (in.inEntitySection()) {
        if (!readCommonField(tag, in))
            m_commonUnknown.push_back(tag);
        return true;
    }
    if (!in.pastEntitySection() && readCommonField(tag, in))
        return true;
    return readEntityField(tag, in);
}

bool OdDbEntity::readCommonField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 8:
        if (!OdDbSymUtil::isValidName(tag.string(), true)) {
            (void)in.fail(OdResult::eInvalidSymbolName,
                          QStringLiteral("layer name \"%1\" is not valid").arg(tag.string()));
            return true;
        }
        m_layer = tag.string();
        return true;
    case 6:
        m_linetype = tag.string();
        return true;
    case 62:
        m_color = std::int16_t(tag.integer());
        return true;
    case 370:
        m_lineWeight = std::int16_t(tag.integer());
        return true;
    case 48:
        m_linetypeScale = tag.number();
        return true;
    case 60:
        m_invisible = std::int16_t(tag.integer());
        return true;
    case 420:
        m_trueColor = std::int32_t(tag.integer());
        return true;
    case 440:
        m_transparency = std::int32_t(tag.integer());
        return true;
    case 67:
        m_paperSpaceFlag = tag.integer() != 0;
        return true;
    case 410:
        // The layout follows from the owner.
        return true;
    default:
        return false;
    }
}

bool OdDbEntity::readEntityField(const OdDbTag&, OdDbDxfIn&)
{
    return false;
}

bool OdDbEntity::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbEntity");
}

OdResult OdDbEntity::resolveReferences(OdDbDatabase& db, bool create, QString& message)
{
    OdDbSymbolTable* layers = db.symbolTable(OdDbSymbolTable::Kind::kLayer);
    if (layers->recordId(m_layer).isNull() && create)
        (void)db.addLayer(m_layer);
    if (db.symbolTable(OdDbSymbolTable::Kind::kLinetype)->recordId(m_linetype).isNull()) {
        message = QStringLiteral("linetype \"%1\" is not defined").arg(m_linetype);
        return OdResult::eUndefinedReference;
    }
    return OdDbObject::resolveReferences(db, create, message);
}
