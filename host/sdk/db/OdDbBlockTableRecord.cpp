// Block records: layouts, block definitions and their entities.
#include "OdDbBlockTableRecord.h"

#include "OdDbAttributeDefinition.h"
#include "OdDbBlockBegin.h"
#include "OdDbDatabase.h"
#include "OdDbEntity.h"

const QString OdDbBlockTableRecord::kModelSpace = QStringLiteral("*Model_Space");
const QString OdDbBlockTableRecord::kPaperSpace = QStringLiteral("*Paper_Space");

bool OdDbBlockTableRecord::isModelSpace() const
{
    return name().compare(kModelSpace, Qt::CaseInsensitive) == 0;
}

bool OdDbBlockTableRecord::isLayout() const
{
    return name().startsWith(kModelSpace, Qt::CaseInsensitive) || name().startsWith(kPaperSpace, Qt::CaseInsensitive);
}

QString OdDbBlockTableRecord::layoutName() const
{
    if (isModelSpace())
        return QStringLiteral("Model");
    // The name is the first 1 after the AcDbLayout marker of the LAYOUT object.
    if (const OdDbObject* layout = m_layout.object()) {
        bool inLayout = false;
        for (const OdDbTag& tag : layout->unknownFields()) {
            if (tag.code() == 100)
                inLayout = tag.string() == QLatin1String("AcDbLayout");
            else if (inLayout && tag.code() == 1)
                return tag.string();
        }
    }
    return QStringLiteral("Layout1");
}

OdDbObjectId OdDbBlockTableRecord::appendEntity(std::unique_ptr<OdDbEntity> entity)
{
    OdDbDatabase* db = database();
    if (!db)
        return {};
    const OdDbObjectId id = db->addObject(std::move(entity), objectId());
    m_entities.push_back(id);
    return id;
}

void OdDbBlockTableRecord::appendEntityId(OdDbObjectId id)
{
    if (OdDbObject* entity = id.object())
        entity->setOwnerId(objectId());
    m_entities.push_back(id);
}

OdDbObjectId OdDbBlockTableRecord::entityAfter(OdDbObjectId id) const
{
    // Walks usually go forward one entity at a time: the hint is where the last answer stood,
    // checked before use.
    std::size_t index = m_entities.size();
    if (m_walkHint < m_entities.size() && m_entities[m_walkHint] == id) {
        index = m_walkHint;
    } else {
        for (std::size_t i = 0; i < m_entities.size(); ++i) {
            if (m_entities[i] == id) {
                index = i;
                break;
            }
        }
    }
    for (std::size_t i = index + 1; i < m_entities.size(); ++i) {
        if (!m_entities[i].isErased()) {
            m_walkHint = i;
            return m_entities[i];
        }
    }
    return {};
}

OdDbObjectId OdDbBlockTableRecord::firstEntity() const
{
    for (OdDbObjectId id : m_entities) {
        if (!id.isErased())
            return id;
    }
    return {};
}

OdDbObjectId OdDbBlockTableRecord::lastEntity() const
{
    for (auto it = m_entities.rbegin(); it != m_entities.rend(); ++it) {
        if (!it->isErased())
            return *it;
    }
    return {};
}

OdDbBlockBegin* OdDbBlockTableRecord::blockBegin() const
{
    return dynamic_cast<OdDbBlockBegin*>(m_begin.object());
}

OdGePoint3d OdDbBlockTableRecord::origin() const
{
    const OdDbBlockBegin* begin = blockBegin();
    return begin ? begin->origin() : OdGePoint3d();
}

int OdDbBlockTableRecord::blockFlags() const
{
    const OdDbBlockBegin* begin = blockBegin();
    return begin ? begin->blockFlags() : 0;
}

bool OdDbBlockTableRecord::hasAttributeDefinitions() const
{
    for (OdDbObjectId id : m_entities) {
        if (id.openObject<OdDbAttributeDefinition>())
            return true;
    }
    return false;
}

void OdDbBlockTableRecord::writeRecordFields(OdDbDxfOut& out) const
{
    out.objectId(340, m_layout);
    writeUnknownFields(out);
}

bool OdDbBlockTableRecord::readRecordField(const OdDbTag& tag, OdDbDxfIn&)
{
    if (tag.code() == 340) {
        m_layout = tag.objectId();
        return true;
    }
    return false;
}
