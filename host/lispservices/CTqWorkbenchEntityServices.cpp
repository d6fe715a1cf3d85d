// The workbench's entity services.
#include "CTqWorkbenchEntityServices.h"

#include "CTqWildcardMatcher.h"
#include "CTqWorkbenchLispServices.h"
#include "TqChainTags.h"
#include "TqDrawingEdits.h"
#include "TqGeometry.h"
#include "TqPicking.h"
#include "TqResultBuffers.h"
#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"
#include "../sdk/db/OdDbBlockBegin.h"
#include "../sdk/db/OdDbBlockReference.h"
#include "../sdk/db/OdDbBlockTableRecord.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbEntity.h"
#include "../sdk/db/OdDbHeavyPolyline.h"
#include "../sdk/db/OdDbObject.h"

#include <QStringList>

// A complex object being made record by record.
struct CTqWorkbenchEntityServices::Pending {
    enum class Kind { Polyline, Insert, Block };
    Kind kind = Kind::Polyline;
    std::uint64_t database = 0;
    std::unique_ptr<OdDbEntity> head;
    std::vector<std::unique_ptr<OdDbEntity>> parts;
};

namespace {

std::unique_ptr<OdDbEntity> asEntity(std::unique_ptr<OdDbObject> object)
{
    auto* entity = dynamic_cast<OdDbEntity*>(object.get());
    if (!entity)
        return {};
    (void)object.release();
    return std::unique_ptr<OdDbEntity>(entity);
}

bool tagInt(const OdDbTagList& tags, int code, std::int64_t& value)
{
    for (const OdDbTag& tag : tags) {
        if (tag.code() == code) {
            value = tag.integer();
            return true;
        }
    }
    return false;
}

OdDbObjectId currentSpace(const OdDbDatabase& db, const OdDbTagList& tags)
{
    std::int64_t paper = 0;
    return tagInt(tags, 67, paper) && paper == 1 ? db.getPaperSpaceId() : db.getModelSpaceId();
}

QStringList applicationNames(const TqResultBuffer* applications)
{
    QStringList names;
    for (const TqResultBuffer* record = applications; record; record = record->next) {
        if (record->restype == tqrt::kString && record->value.string)
            names << QString::fromUtf16(record->value.string).toUpper();
    }
    return names;
}

}  // namespace

CTqWorkbenchEntityServices::CTqWorkbenchEntityServices(CTqWorkbenchLispServices& services) : m_services(services) {}

CTqWorkbenchEntityServices::~CTqWorkbenchEntityServices() = default;

OdDbDatabase* CTqWorkbenchEntityServices::database()
{
    return TqCurrentDatabase();
}

short CTqWorkbenchEntityServices::fail(int errorNumber)
{
    m_services.SetErrorNumber(errorNumber);
    return tq::kError;
}

OdDbObject* CTqWorkbenchEntityServices::open(TqName name, bool allowErased)
{
    OdDbDatabase* db = database();
    if (!db) {
        m_services.SetErrorNumber(tq::kErrNoDrawing);
        return nullptr;
    }
    OdDbObject* object = TqIdOf(*db, name).object();
    if (!object || (object->isErased() && !allowErased)) {
        m_services.SetErrorNumber(tq::kErrInvalidEntity);
        return nullptr;
    }
    return object;
}

short CTqWorkbenchEntityServices::EntityGet(TqName entity, const TqResultBuffer* applications, TqResultBuffer*& data)
{
    data = nullptr;
    OdDbObject* object = open(entity);
    if (!object)
        return tq::kNone;
    const QStringList wanted = applicationNames(applications);
    OdDbObject::ApplicationFilter filter;
    if (!wanted.isEmpty()) {
        filter = [&wanted](const QString& application) {
            const QString name = application.toUpper();
            return std::any_of(wanted.begin(), wanted.end(),
                               [&](const QString& pattern) { return CTqWildcardMatcher::Matches(name, pattern); });
        };
    }
    return TqTagsToChain(object->groupCodes(filter), data) ? tq::kNormal : tq::kFailure;
}

short CTqWorkbenchEntityServices::EntityModify(const TqResultBuffer* data)
{
    if (!data || data->restype != -1)
        return fail(tq::kErrBadData);
    OdDbObject* object = open({data->value.name[0], data->value.name[1]});
    if (!object)
        return tq::kError;
    OdDbTagList tags;
    QString message;
    if (!TqChainToTags(data, *object->database(), tags, message))
        return fail(tq::kErrBadData);
    if (!TqApplicationsRegistered(*object->database(), tags))
        return fail(tq::kErrUnknownApplication);
    const OdResult result = object->setGroupCodes(tags);
    if (result != OdResult::eOk)
        return fail(TqErrorNumberOf(result));
    if (auto* table = object->ownerId().openObject<OdDbSymbolTable>())
        table->reindex();
    m_lastModified = TqNameOf(object->objectId());
    return tq::kNormal;
}

short CTqWorkbenchEntityServices::EntityMake(const TqResultBuffer* data, TqName& made)
{
    made = {};
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    OdDbTagList tags;
    QString message;
    if (!TqChainToTags(data, *db, tags, message))
        return fail(tq::kErrBadData);
    const QString type = TqRecordType(tags);
    if (m_pending && m_pending->database != db->serialNumber())
        m_pending.reset();  // the drawing changed under a half-made object
    OdDbSymbolTable::Kind kind;
    if (type != QLatin1String("BLOCK") && OdDbSymbolTable::kindFromName(type, kind)) {
        // Table records are made like objects: the record joins its table.
        std::unique_ptr<OdDbObject> object;
        const OdResult result = TqReadNewObject(*db, tags, &kind, object, message);
        if (result != OdResult::eOk)
            return fail(TqErrorNumberOf(result));
        std::unique_ptr<OdDbSymbolTableRecord> record(static_cast<OdDbSymbolTableRecord*>(object.release()));
        OdDbObjectId id;
        const OdResult added = db->symbolTable(kind)->add(std::move(record), &id);
        if (added != OdResult::eOk)
            return fail(TqErrorNumberOf(added));
        made = TqNameOf(id);
        return tq::kNormal;
    }
    std::unique_ptr<OdDbObject> object;
    const OdResult result = TqReadNewObject(*db, tags, nullptr, object, message);
    if (result != OdResult::eOk)
        return fail(TqErrorNumberOf(result));
    if (!dynamic_cast<OdDbEntity*>(object.get())) {
        // Dictionaries and XRECORDs start without an owner; dictadd gives them one.
        made = TqNameOf(db->addObject(std::move(object), {}));
        return tq::kNormal;
    }
    std::unique_ptr<OdDbEntity> entity = asEntity(std::move(object));
    const bool complexPart = type == QLatin1String("VERTEX") || type == QLatin1String("ATTRIB") || type == QLatin1String("SEQEND")
        || type == QLatin1String("ENDBLK") || type == QLatin1String("POLYLINE") || type == QLatin1String("BLOCK");
    std::int64_t follows = 0;
    const bool insertWithAttributes = type == QLatin1String("INSERT") && tagInt(tags, 66, follows) && follows == 1;
    if (complexPart || insertWithAttributes || (m_pending && m_pending->kind == Pending::Kind::Block))
        return makeComplexPart(*db, type, std::move(entity), made);
    const OdDbObjectId spaceId = currentSpace(*db, tags);
    auto* space = spaceId.openObject<OdDbBlockTableRecord>();
    if (!space)
        return fail(tq::kErrNoDrawing);
    made = TqNameOf(space->appendEntity(std::move(entity)));
    m_lastMade = made;
    return tq::kNormal;
}

short CTqWorkbenchEntityServices::makeComplexPart(OdDbDatabase& db, const QString& type, std::unique_ptr<OdDbEntity> entity, TqName& made)
{
    Pending* pending = m_pending.get();
    const bool opensSequence = type == QLatin1String("POLYLINE") || type == QLatin1String("INSERT");
    if (type == QLatin1String("BLOCK")) {
        if (pending)
            return fail(tq::kErrBadData);  // definitions do not nest
        m_pending = std::make_unique<Pending>();
        m_pending->kind = Pending::Kind::Block;
        m_pending->database = db.serialNumber();
        m_pending->head = std::move(entity);
        return tq::kNormal;
    }
    if (pending && pending->kind == Pending::Kind::Block && type != QLatin1String("ENDBLK")) {
        // Inside a definition simple objects collect; sequences are not supported there.
        if (opensSequence && type == QLatin1String("POLYLINE"))
            return fail(tq::kErrBadData);
        if (type == QLatin1String("VERTEX") || type == QLatin1String("ATTRIB") || type == QLatin1String("SEQEND"))
            return fail(tq::kErrBadData);
        pending->parts.push_back(std::move(entity));
        return tq::kNormal;
    }
    if (opensSequence) {
        // A new sequence abandons an unfinished one, as a program that started over expects.
        m_pending = std::make_unique<Pending>();
        m_pending->kind = type == QLatin1String("POLYLINE") ? Pending::Kind::Polyline : Pending::Kind::Insert;
        m_pending->database = db.serialNumber();
        m_pending->head = std::move(entity);
        return tq::kNormal;
    }
    if (type == QLatin1String("VERTEX") || type == QLatin1String("ATTRIB")) {
        const bool fits = pending && ((type == QLatin1String("VERTEX") && pending->kind == Pending::Kind::Polyline)
                                      || (type == QLatin1String("ATTRIB") && pending->kind == Pending::Kind::Insert));
        if (!fits)
            return fail(tq::kErrBadData);
        pending->parts.push_back(std::move(entity));
        return tq::kNormal;
    }
    if (type == QLatin1String("SEQEND")) {
        if (!pending || pending->kind == Pending::Kind::Block)
            return fail(tq::kErrBadData);
        std::unique_ptr<Pending> done = std::move(m_pending);
        const OdDbObjectId spaceId = currentSpace(db, done->head->groupCodes());
        auto* space = spaceId.openObject<OdDbBlockTableRecord>();
        if (!space)
            return fail(tq::kErrNoDrawing);
        const OdDbObjectId headId = space->appendEntity(std::move(done->head));
        for (std::unique_ptr<OdDbEntity>& part : done->parts) {
            const OdDbObjectId partId = db.addObject(std::move(part), headId);
            if (auto* polyline = headId.openObject<OdDbHeavyPolyline>())
                polyline->appendVertexId(partId);
            else if (auto* reference = headId.openObject<OdDbBlockReference>())
                reference->appendAttributeId(partId);
        }
        const OdDbObjectId endId = db.addObject(std::move(entity), headId);
        if (auto* polyline = headId.openObject<OdDbHeavyPolyline>())
            polyline->setSequenceEndId(endId);
        else if (auto* reference = headId.openObject<OdDbBlockReference>())
            reference->setSequenceEndId(endId);
        made = TqNameOf(headId);
        m_lastMade = made;
        return tq::kNormal;
    }
    // ENDBLK: the collected objects become a block definition.
    if (!pending || pending->kind != Pending::Kind::Block)
        return fail(tq::kErrBadData);
    std::unique_ptr<Pending> done = std::move(m_pending);
    auto* begin = static_cast<OdDbBlockBegin*>(done->head.get());
    const QString name = begin->readName();
    auto record = std::make_unique<OdDbBlockTableRecord>();
    record->setName(name);
    OdDbObjectId recordId;
    const OdResult added = db.symbolTable(OdDbSymbolTable::Kind::kBlock)->add(std::move(record), &recordId);
    if (added != OdResult::eOk)
        return fail(TqErrorNumberOf(added));
    auto* block = recordId.openObject<OdDbBlockTableRecord>();
    block->setBlockBeginId(db.addObject(std::move(done->head), recordId));
    for (std::unique_ptr<OdDbEntity>& part : done->parts)
        (void)block->appendEntity(std::move(part));
    block->setBlockEndId(db.addObject(std::move(entity), recordId));
    // The definition answers with its name, as a keyword does.
    m_services.SetPendingInput(name);
    return tq::kKeyword;
}

short CTqWorkbenchEntityServices::EntityDelete(TqName entity)
{
    OdDbObject* object = open(entity, true);
    if (!object || !dynamic_cast<OdDbEntity*>(object))
        return fail(tq::kErrInvalidEntity);
    object->erase(!object->isErased());
    return tq::kNormal;
}

short CTqWorkbenchEntityServices::EntityNext(const TqName* current, TqName& next)
{
    next = {};
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    OdDbObjectId from;
    if (current) {
        from = TqIdOf(*db, *current);
        if (from.isNull())
            return tq::kNone;
    }
    const OdDbObjectId found = db->nextEntity(from, true);
    if (found.isNull())
        return tq::kNone;
    next = TqNameOf(found);
    return tq::kNormal;
}

short CTqWorkbenchEntityServices::EntityLast(TqName& last)
{
    last = {};
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    const OdDbObjectId found = db->lastEntity();
    if (found.isNull())
        return tq::kNone;
    last = TqNameOf(found);
    return tq::kNormal;
}

short CTqWorkbenchEntityServices::EntityUpdate(TqName entity)
{
    // Nothing is drawn on screen, so an update only checks the name.
    return open(entity) ? tq::kNormal : tq::kError;
}

short CTqWorkbenchEntityServices::EntityAtPosition(int position, TqName& entity)
{
    entity = {};
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    switch (position) {
    case 0: entity = TqNameOf(db->firstEntity()); break;
    case 1: entity = TqNameOf(db->lastEntity()); break;
    case 2: entity = m_lastPicked; break;
    case 3: entity = m_lastMade; break;
    case 4: entity = m_lastModified; break;
    default: return fail(tq::kErrParameterOutOfRange);
    }
    const OdDbObject* object = TqIdOf(*db, entity).object();
    if (!object || object->isErased()) {
        entity = {};
        return tq::kNone;
    }
    return tq::kNormal;
}

short CTqWorkbenchEntityServices::EntityCheck(TqName entity)
{
    OdDbDatabase* db = database();
    const OdDbObject* object = db ? TqIdOf(*db, entity).object() : nullptr;
    return object && !object->isErased() ? tq::kNormal : tq::kNone;
}

short CTqWorkbenchEntityServices::EntityFromHandle(const CTqString& handle, TqName& entity)
{
    entity = {};
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    OdDbHandle value;
    const QString text = handle.toQString();
    if (!OdDbHandle::parse(QStringView(text), value))
        return tq::kNone;
    const OdDbObjectId id = db->getOdDbObjectId(value);
    if (!id.isValid())
        return tq::kNone;
    entity = TqNameOf(id);
    return tq::kNormal;
}

short CTqWorkbenchEntityServices::EntitySelect(const CTqString* prompt, TqName& entity, double point[3])
{
    entity = {};
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    const CTqString shown = prompt ? *prompt : CTqString(QStringLiteral("\nSelect object: "));
    for (;;) {
        CTqString line;
        const short status = m_services.GetLine(shown, line);
        if (status != tq::kNormal)
            return status;
        const QString text = line.toQString().trimmed();
        if (text.isEmpty())
            return tq::kNone;
        OdGePoint3d picked;
        OdDbObjectId found;
        if (TqParsePoint(text, picked)) {
            found = TqPickNearest(*db, picked);
        } else if (found = TqEntityFromHandleText(*db, text); !found.isNull()) {
            // A typed handle picks its object at the first point that defines it.
            for (const OdDbTag& tag : found.object()->groupCodes()) {
                if (tag.type() == OdDxfCode::Type::Point) {
                    picked = tag.point();
                    break;
                }
            }
        } else {
            m_services.PrintHtml(CTqString(QStringLiteral("\nInvalid point.")));
            continue;
        }
        if (!found.isNull()) {
            point[0] = picked.x;
            point[1] = picked.y;
            point[2] = picked.z;
            entity = m_lastPicked = TqNameOf(found);
            return tq::kNormal;
        }
        m_services.PrintHtml(CTqString(QStringLiteral("\nNothing selected.")));
    }
}

short CTqWorkbenchEntityServices::NestedEntitySelect(const CTqString* prompt, const double* pickPoint, TqName& entity,
                                                     double point[3], double matrix[4][4], TqResultBuffer*& containers)
{
    containers = nullptr;
    entity = {};
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    OdDbObjectId found;
    if (pickPoint) {
        std::copy_n(pickPoint, 3, point);
        found = TqPickNearest(*db, {point[0], point[1], point[2]});
        if (found.isNull())
            return tq::kNone;
    } else {
        TqName picked;
        const short status = EntitySelect(prompt, picked, point);
        if (status != tq::kNormal)
            return status;
        found = TqIdOf(*db, picked);
    }
    // Into block references: the object of the block nearest the point, as long as there is one.
    const double aperture = TqPickAperture(*db);
    const OdGePoint3d at{point[0], point[1], point[2]};
    TqMatrix toDrawing;
    std::vector<OdDbObjectId> references;
    while (references.size() < 16) {
        const auto* reference = found.openObject<OdDbBlockReference>();
        const auto* block = reference ? reference->blockTableRecord().openObject<OdDbBlockTableRecord>() : nullptr;
        if (!block)
            break;
        const TqMatrix inner = toDrawing * TqReferenceTransform(found);
        const double scale = std::max(std::hypot(inner.m[0][0], inner.m[1][0]), 1e-12);
        const OdDbObjectId nested = TqNearestOf(block->entityIds(), inner.inverse().apply(at), aperture / scale);
        if (nested.isNull())
            break;
        references.push_back(found);
        toDrawing = inner;
        found = nested;
    }
    entity = m_lastPicked = TqNameOf(found);
    for (int row = 0; row < 4; ++row)
        std::copy_n(toDrawing.m[row], 4, matrix[row]);
    // The containers from the innermost reference out.
    TqResultBuffer** tail = &containers;
    for (auto it = references.rbegin(); it != references.rend(); ++it) {
        *tail = TqNewResultBuffer(tqrt::kEntityName);
        if (!*tail) {
            TqReleaseChain(containers);
            containers = nullptr;
            return tq::kFailure;
        }
        const TqName name = TqNameOf(*it);
        (*tail)->value.name[0] = name.word1;
        (*tail)->value.name[1] = name.word2;
        tail = &(*tail)->next;
    }
    return tq::kNormal;
}
