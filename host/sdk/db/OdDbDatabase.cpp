// The drawing database: objects by handle, tables, defaults and the drawing order.
#include "OdDbDatabase.h"

#include "OdDbBlockBegin.h"
#include "OdDbBlockEnd.h"
#include "OdDbBlockReference.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbDictionary.h"
#include "OdDbHeavyPolyline.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbSymUtil.h"
#include "OdDbTextStyleTableRecord.h"

#include <atomic>

namespace {

std::atomic<std::uint64_t> g_nextSerialNumber{1};

using Kind = OdDbSymbolTable::Kind;

// Sets an object's fields from a group-code list; used for the records of a new drawing.
void readDefaults(OdDbDatabase& db, OdDbObject& object, const OdDbTagList& tags)
{
    OdDbDxfIn in(db, OdDbDxfIn::Source::GroupCodes, db.version(), tags);
    in.setCreating(false);
    (void)object.readFields(in);
}

// The live member after id in list; the hint is where the previous answer stood.
OdDbObjectId liveAfter(const std::vector<OdDbObjectId>& list, OdDbObjectId id, std::size_t& hint)
{
    std::size_t index = list.size();
    if (hint < list.size() && list[hint] == id) {
        index = hint;
    } else {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == id) {
                index = i;
                break;
            }
        }
    }
    for (std::size_t i = index + 1; i < list.size(); ++i) {
        if (!list[i].isErased()) {
            hint = i;
            return list[i];
        }
    }
    return {};
}

OdDbObjectId firstLive(const std::vector<OdDbObjectId>& list)
{
    for (OdDbObjectId id : list) {
        if (!id.isErased())
            return id;
    }
    return {};
}

}  // namespace

OdDbDatabase::OdDbDatabase() : m_serialNumber(g_nextSerialNumber.fetch_add(1)) {}

OdDbDatabase::~OdDbDatabase() = default;

std::unique_ptr<OdDbDatabase> OdDbDatabase::createNew()
{
    auto db = std::make_unique<OdDbDatabase>();
    db->m_header = OdDbHeader::defaults();
    db->addMissingDefaults();
    return db;
}

OdDbStub& OdDbDatabase::newStub(OdDbHandle handle)
{
    OdDbStub& stub = m_stubs.emplace_back();
    stub.handle = handle;
    stub.database = this;
    if (!handle.isNull()) {
        m_byHandle.emplace(handle.value(), &stub);
        noteHandle(handle.value());
    }
    return stub;
}

void OdDbDatabase::noteHandle(std::uint64_t value)
{
    if (value > m_largestHandle)
        m_largestHandle = value;
    if (value >= m_nextHandle)
        m_nextHandle = value + 1;
}

OdDbObjectId OdDbDatabase::addObject(std::unique_ptr<OdDbObject> object, OdDbObjectId owner, OdDbHandle handle)
{
    if (!object)
        return {};
    if (handle.isNull())
        handle = OdDbHandle(m_nextHandle);
    OdDbStub* stub = nullptr;
    if (const auto found = m_byHandle.find(handle.value()); found != m_byHandle.end()) {
        if (found->second->object)
            return {};
        stub = found->second;
    } else {
        stub = &newStub(handle);
    }
    const OdDbObjectId id(stub);
    object->setObjectId(id);
    object->setOwnerId(owner);
    stub->object = std::move(object);
    m_objectsInOrder.push_back(stub);
    ++m_objectCount;
    return id;
}

OdDbObjectId OdDbDatabase::addObjectWithoutHandle(std::unique_ptr<OdDbObject> object, OdDbObjectId owner)
{
    OdDbStub& stub = newStub(OdDbHandle());
    const OdDbObjectId id(&stub);
    object->setObjectId(id);
    object->setOwnerId(owner);
    stub.object = std::move(object);
    m_objectsInOrder.push_back(&stub);
    m_pendingHandles.push_back(&stub);
    ++m_objectCount;
    return id;
}

void OdDbDatabase::assignPendingHandles()
{
    for (OdDbStub* stub : m_pendingHandles) {
        stub->handle = OdDbHandle(m_nextHandle);
        m_byHandle.emplace(m_nextHandle, stub);
        noteHandle(m_nextHandle);
    }
    m_pendingHandles.clear();
}

void OdDbDatabase::setHandseed(OdDbHandle seed)
{
    m_nextHandle = std::max(seed.value(), m_largestHandle + 1);
}

void OdDbDatabase::reserve(std::size_t objects)
{
    m_byHandle.reserve(objects);
    m_objectsInOrder.reserve(objects);
}

OdDbObjectId OdDbDatabase::getOdDbObjectId(OdDbHandle handle) const
{
    const auto found = m_byHandle.find(handle.value());
    if (found == m_byHandle.end() || !found->second->object)
        return {};
    return OdDbObjectId(found->second);
}

OdDbObjectId OdDbDatabase::stubForHandle(OdDbHandle handle)
{
    if (handle.isNull())
        return {};
    if (const auto found = m_byHandle.find(handle.value()); found != m_byHandle.end())
        return OdDbObjectId(found->second);
    return OdDbObjectId(&newStub(handle));
}

void OdDbDatabase::forEachObject(const std::function<void(OdDbObject&)>& visit) const
{
    for (OdDbStub* stub : m_objectsInOrder)
        visit(*stub->object);
}

OdDbSymbolTable* OdDbDatabase::symbolTable(Kind kind) const
{
    return m_tables[std::size_t(kind)].openObject<OdDbSymbolTable>();
}

OdDbObjectId OdDbDatabase::getModelSpaceId() const
{
    const OdDbSymbolTable* blocks = symbolTable(Kind::kBlock);
    return blocks ? blocks->recordId(OdDbBlockTableRecord::kModelSpace) : OdDbObjectId();
}

OdDbObjectId OdDbDatabase::getPaperSpaceId() const
{
    const OdDbSymbolTable* blocks = symbolTable(Kind::kBlock);
    return blocks ? blocks->recordId(OdDbBlockTableRecord::kPaperSpace) : OdDbObjectId();
}

OdDbObjectId OdDbDatabase::regAppId(const QString& name) const
{
    const OdDbSymbolTable* apps = symbolTable(Kind::kRegApp);
    return apps ? apps->recordId(name) : OdDbObjectId();
}

OdDbObjectId OdDbDatabase::registerApplication(const QString& name)
{
    OdDbSymbolTable* apps = symbolTable(Kind::kRegApp);
    if (!apps)
        return {};
    if (OdDbObjectId existing = apps->recordId(name); !existing.isNull())
        return existing;
    OdDbObjectId id;
    auto record = std::make_unique<OdDbSymbolTableRecord>(Kind::kRegApp);
    record->setName(name);
    return apps->add(std::move(record), &id) == OdResult::eOk ? id : OdDbObjectId();
}

OdDbObjectId OdDbDatabase::addLayer(const QString& name)
{
    OdDbSymbolTable* layers = symbolTable(Kind::kLayer);
    if (!layers)
        return {};
    if (OdDbObjectId existing = layers->recordId(name); !existing.isNull())
        return existing;
    OdDbObjectId id;
    auto record = std::make_unique<OdDbLayerTableRecord>();
    record->setName(name);
    return layers->add(std::move(record), &id) == OdResult::eOk ? id : OdDbObjectId();
}

void OdDbDatabase::addMissingDefaults()
{
    for (int k = 0; k < OdDbSymbolTable::kKindCount; ++k) {
        const auto kind = Kind(k);
        if (symbolTable(kind))
            continue;
        auto table = std::make_unique<OdDbSymbolTable>(kind);
        if (kind == Kind::kDimStyle)
            readDefaults(*this, *table, {OdDbTag::string(100, QStringLiteral("AcDbDimStyleTable")), OdDbTag::int16(71, 0)});
        m_tables[std::size_t(k)] = addObject(std::move(table), {});
    }
    auto addRecord = [this](Kind kind, std::unique_ptr<OdDbSymbolTableRecord> record, const QString& name,
                            const OdDbTagList& fields) {
        OdDbSymbolTable* table = symbolTable(kind);
        if (!table->recordId(name).isNull())
            return;
        record->setName(name);
        if (!fields.empty())
            readDefaults(*this, *record, fields);
        (void)table->add(std::move(record));
    };
    addRecord(Kind::kViewport, std::make_unique<OdDbSymbolTableRecord>(Kind::kViewport), QStringLiteral("*Active"),
              {OdDbTag::point(10, {}, true), OdDbTag::point(11, {1.0, 1.0, 0.0}, true),
               OdDbTag::point(12, {}, true), OdDbTag::point(13, {}, true),
               OdDbTag::point(14, {1.0, 1.0, 0.0}, true), OdDbTag::point(15, {1.0, 1.0, 0.0}, true),
               OdDbTag::point(16, {0.0, 0.0, 1.0}), OdDbTag::point(17, {}), OdDbTag::real(40, 10.0),
               OdDbTag::real(41, 1.5), OdDbTag::real(42, 50.0), OdDbTag::real(43, 0.0), OdDbTag::real(44, 0.0),
               OdDbTag::real(50, 0.0), OdDbTag::real(51, 0.0), OdDbTag::int16(71, 0), OdDbTag::int16(72, 100),
               OdDbTag::int16(73, 1), OdDbTag::int16(74, 3), OdDbTag::int16(75, 0), OdDbTag::int16(76, 0),
               OdDbTag::int16(77, 0), OdDbTag::int16(78, 0)});
    for (const QString& name : {QStringLiteral("ByBlock"), QStringLiteral("ByLayer"), QStringLiteral("Continuous")}) {
        auto linetype = std::make_unique<OdDbLinetypeTableRecord>();
        if (name == QLatin1String("Continuous"))
            linetype->setComments(QStringLiteral("Solid line"));
        addRecord(Kind::kLinetype, std::move(linetype), name, {});
    }
    addRecord(Kind::kLayer, std::make_unique<OdDbLayerTableRecord>(), QStringLiteral("0"), {});
    addRecord(Kind::kTextStyle, std::make_unique<OdDbTextStyleTableRecord>(), QStringLiteral("Standard"), {});
    addRecord(Kind::kRegApp, std::make_unique<OdDbSymbolTableRecord>(Kind::kRegApp), QStringLiteral("ACAD"), {});
    addRecord(Kind::kDimStyle, std::make_unique<OdDbSymbolTableRecord>(Kind::kDimStyle), QStringLiteral("Standard"), {});
    for (const QString& name : {OdDbBlockTableRecord::kModelSpace, OdDbBlockTableRecord::kPaperSpace}) {
        OdDbSymbolTable* blocks = symbolTable(Kind::kBlock);
        OdDbObjectId blockId = blocks->recordId(name);
        if (blockId.isNull()) {
            auto record = std::make_unique<OdDbBlockTableRecord>();
            record->setName(name);
            (void)blocks->add(std::move(record), &blockId);
        }
        auto* block = blockId.openObject<OdDbBlockTableRecord>();
        if (block->blockBeginId().isNull())
            block->setBlockBeginId(addObject(std::make_unique<OdDbBlockBegin>(), blockId));
        if (block->blockEndId().isNull())
            block->setBlockEndId(addObject(std::make_unique<OdDbBlockEnd>(), blockId));
    }
    if (!m_namedObjects.openObject<OdDbDictionary>())
        m_namedObjects = addObject(std::make_unique<OdDbDictionary>(), {});
    auto* root = m_namedObjects.openObject<OdDbDictionary>();
    if (!root->has(QStringLiteral("ACAD_GROUP")))
        (void)root->setAt(QStringLiteral("ACAD_GROUP"), std::make_unique<OdDbDictionary>());
}

std::vector<OdDbObjectId> OdDbDatabase::layoutIds() const
{
    std::vector<OdDbObjectId> layouts;
    const OdDbObjectId model = getModelSpaceId();
    if (!model.isNull())
        layouts.push_back(model);
    if (const OdDbSymbolTable* blocks = symbolTable(Kind::kBlock)) {
        for (OdDbObjectId id : blocks->recordIds()) {
            const auto* block = id.openObject<OdDbBlockTableRecord>();
            if (block && block->isLayout() && !block->isModelSpace())
                layouts.push_back(id);
        }
    }
    return layouts;
}

OdDbObjectId OdDbDatabase::firstEntity() const
{
    for (OdDbObjectId layout : layoutIds()) {
        if (OdDbObjectId first = layout.openObject<OdDbBlockTableRecord>()->firstEntity(); !first.isNull())
            return first;
    }
    return {};
}

OdDbObjectId OdDbDatabase::nextEntity(OdDbObjectId current, bool subEntities) const
{
    if (current.isNull())
        return firstEntity();
    const OdDbObject* object = current.object();
    if (!object)
        return {};
    const OdDbObject* owner = object->ownerId().object();
    OdDbObjectId main = current;
    // Inside a polyline's vertices or a reference's attributes: the next one, then the SEQEND,
    // then whatever follows the owner.
    if (const auto* polyline = dynamic_cast<const OdDbHeavyPolyline*>(owner)) {
        if (current != polyline->sequenceEndId()) {
            if (OdDbObjectId next = liveAfter(polyline->vertexIds(), current, m_subEntityHint); !next.isNull())
                return next;
            if (!polyline->sequenceEndId().isNull())
                return polyline->sequenceEndId();
        }
        main = polyline->objectId();
    } else if (const auto* reference = dynamic_cast<const OdDbBlockReference*>(owner)) {
        if (current != reference->sequenceEndId()) {
            if (OdDbObjectId next = liveAfter(reference->attributeIds(), current, m_subEntityHint); !next.isNull())
                return next;
            if (!reference->sequenceEndId().isNull())
                return reference->sequenceEndId();
        }
        main = reference->objectId();
    } else if (subEntities) {
        if (const auto* polyline = dynamic_cast<const OdDbHeavyPolyline*>(object)) {
            if (OdDbObjectId first = firstLive(polyline->vertexIds()); !first.isNull())
                return first;
        } else if (const auto* reference = dynamic_cast<const OdDbBlockReference*>(object)) {
            if (OdDbObjectId first = firstLive(reference->attributeIds()); !first.isNull())
                return first;
        }
    }
    const OdDbObjectId blockId = main.object()->ownerId();
    const auto* block = blockId.openObject<OdDbBlockTableRecord>();
    if (!block)
        return {};
    if (OdDbObjectId next = block->entityAfter(main); !next.isNull())
        return next;
    const std::vector<OdDbObjectId> layouts = layoutIds();
    bool passed = false;
    for (OdDbObjectId layout : layouts) {
        if (passed) {
            if (OdDbObjectId first = layout.openObject<OdDbBlockTableRecord>()->firstEntity(); !first.isNull())
                return first;
        } else if (layout == blockId) {
            passed = true;
        }
    }
    return {};
}

OdDbObjectId OdDbDatabase::lastEntity() const
{
    const std::vector<OdDbObjectId> layouts = layoutIds();
    for (auto it = layouts.rbegin(); it != layouts.rend(); ++it) {
        if (OdDbObjectId last = it->openObject<OdDbBlockTableRecord>()->lastEntity(); !last.isNull())
            return last;
    }
    return {};
}
