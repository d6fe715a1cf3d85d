// Dictionaries.
#include "OdDbDictionary.h"

#include "OdDbDatabase.h"
#include "OdDbSymUtil.h"

int OdDbDictionary::numEntries() const
{
    int count = 0;
    for (const Entry& entry : m_entries)
        count += entry.id.isValid() && !entry.id.isErased() ? 1 : 0;
    return count;
}

const OdDbDictionary::Entry* OdDbDictionary::find(const QString& key) const
{
    const auto found = m_index.find(OdDbSymUtil::nameKey(key));
    return found == m_index.end() ? nullptr : &m_entries[found->second];
}

OdDbObjectId OdDbDictionary::getAt(const QString& key) const
{
    const Entry* entry = find(key);
    if (!entry || entry->id.isErased())
        return {};
    return entry->id;
}

QString OdDbDictionary::nameAt(OdDbObjectId id) const
{
    for (const Entry& entry : m_entries) {
        if (entry.id == id)
            return entry.key;
    }
    return {};
}

OdResult OdDbDictionary::setAt(const QString& key, OdDbObjectId id)
{
    if (key.isEmpty() || id.isNull())
        return OdResult::eInvalidSymbolName;
    if (OdDbObject* object = id.object())
        object->setOwnerId(objectId());
    const auto found = m_index.find(OdDbSymUtil::nameKey(key));
    if (found != m_index.end()) {
        Entry& entry = m_entries[found->second];
        if (entry.id != id) {
            if (OdDbObject* old = entry.id.object(); old && old->ownerId() == objectId())
                old->erase();
            entry.id = id;
        }
        return OdResult::eOk;
    }
    m_entries.push_back({key, id, std::int16_t(m_hardOwner ? 360 : 350)});
    m_index[OdDbSymUtil::nameKey(key)] = m_entries.size() - 1;
    return OdResult::eOk;
}

OdDbObjectId OdDbDictionary::setAt(const QString& key, std::unique_ptr<OdDbObject> object)
{
    OdDbDatabase* db = database();
    if (!db || key.isEmpty())
        return {};
    const OdDbObjectId id = db->addObject(std::move(object), objectId());
    return setAt(key, id) == OdResult::eOk ? id : OdDbObjectId();
}

OdResult OdDbDictionary::remove(const QString& key, OdDbObjectId* removed)
{
    const auto found = m_index.find(OdDbSymUtil::nameKey(key));
    if (found == m_index.end())
        return OdResult::eKeyNotFound;
    const OdDbObjectId id = m_entries[found->second].id;
    m_entries.erase(m_entries.begin() + long(found->second));
    reindex();
    if (OdDbObject* object = id.object(); object && object->ownerId() == objectId())
        object->setOwnerId({});
    if (removed)
        *removed = id;
    return OdResult::eOk;
}

OdResult OdDbDictionary::rename(const QString& oldKey, const QString& newKey)
{
    const auto found = m_index.find(OdDbSymUtil::nameKey(oldKey));
    if (found == m_index.end())
        return OdResult::eKeyNotFound;
    if (newKey.isEmpty())
        return OdResult::eInvalidSymbolName;
    const Entry* other = find(newKey);
    if (other && other != &m_entries[found->second])
        return OdResult::eDuplicateKey;
    m_entries[found->second].key = newKey;
    reindex();
    return OdResult::eOk;
}

void OdDbDictionary::reindex()
{
    m_index.clear();
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_index[OdDbSymUtil::nameKey(m_entries[i].key)] = i;
}

void OdDbDictionary::writeFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbDictionary"));
    if (m_hardOwner)
        out.int16(280, 1);
    out.int16(281, m_mergeStyle);
    for (const Entry& entry : m_entries) {
        // An erased object leaves the file with its entry.
        if (entry.id.isErased() || (out.isDxf() && !entry.id.isValid() && entry.id.isNull()))
            continue;
        out.string(3, entry.key);
        out.objectId(entry.code, entry.id);
    }
    writeUnknownFields(out);
}

bool OdDbDictionary::readField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 280:
        m_hardOwner = tag.integer() != 0;
        return true;
    case 281:
        m_mergeStyle = std::int16_t(tag.integer());
        return true;
    case 3:
        if (in.firstOf(3)) {
            m_entries.clear();
            m_index.clear();
        }
        m_pendingKey = tag.string();
        return true;
    case 350:
    case 360:
        if (m_pendingKey.isEmpty())
            return false;
        m_entries.push_back({m_pendingKey, tag.objectId(), std::int16_t(tag.code())});
        m_index[OdDbSymUtil::nameKey(m_pendingKey)] = m_entries.size() - 1;
        m_pendingKey.clear();
        return true;
    default:
        return false;
    }
}

bool OdDbDictionary::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbDictionary");
}

OdResult OdDbDictionary::finishFields(OdDbDxfIn& in)
{
    if (!m_pendingKey.isEmpty())
        return in.fail(OdResult::eBadDxfSequence,
                       QStringLiteral("dictionary key \"%1\" has no object").arg(m_pendingKey));
    return OdResult::eOk;
}
