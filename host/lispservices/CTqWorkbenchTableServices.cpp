// The workbench's symbol-table, dictionary and extended-data services.
#include "CTqWorkbenchTableServices.h"

#include "CTqWorkbenchLispServices.h"
#include "TqChainTags.h"
#include "TqDrawingEdits.h"
#include "TqResultBuffers.h"
#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"
#include "../sdk/db/OdDbBlockTableRecord.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbDictionary.h"
#include "../sdk/db/OdDbEntity.h"
#include "../sdk/db/OdDbLayerTableRecord.h"
#include "../sdk/db/OdDbObject.h"
#include "../sdk/db/OdDbSymUtil.h"
#include "../sdk/db/OdDbSymbolTableRecord.h"
#include "../sdk/db/OdVLObject.h"

namespace {

using Kind = OdDbSymbolTable::Kind;

// How objects refer to a table's records by name, and the header variable of the current one.
struct TableUse {
    int referenceCode;      // 0: nothing refers by name
    const char* onlyIn;     // the object type that refers, or null for every entity
    const char* current;    // header variable, or null
    int currentCode;
};

TableUse useOf(Kind kind)
{
    switch (kind) {
    case Kind::kLayer: return {8, nullptr, "$CLAYER", 8};
    case Kind::kLinetype: return {6, nullptr, "$CELTYPE", 6};
    case Kind::kTextStyle: return {7, nullptr, "$TEXTSTYLE", 7};
    case Kind::kDimStyle: return {3, "DIMENSION", "$DIMSTYLE", 2};
    case Kind::kBlock: return {2, "INSERT", nullptr, 0};
    case Kind::kUCS: return {0, nullptr, "$UCSNAME", 2};
    default: return {0, nullptr, nullptr, 0};
    }
}

bool isEssential(Kind kind, const QString& name)
{
    auto is = [&](const char* wanted) { return name.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0; };
    switch (kind) {
    case Kind::kLayer: return is("0") || is("DEFPOINTS");
    case Kind::kLinetype: return is("CONTINUOUS") || is("BYLAYER") || is("BYBLOCK");
    case Kind::kTextStyle:
    case Kind::kDimStyle: return is("STANDARD");
    case Kind::kBlock: return name.startsWith(QLatin1String("*Model_Space"), Qt::CaseInsensitive)
                           || name.startsWith(QLatin1String("*Paper_Space"), Qt::CaseInsensitive);
    case Kind::kRegApp: return is("ACAD");
    case Kind::kViewport: return is("*ACTIVE");
    default: return false;
    }
}

bool isCurrent(const OdDbDatabase& db, Kind kind, const QString& name)
{
    const TableUse use = useOf(kind);
    return use.current && db.header().getString(QLatin1String(use.current)).compare(name, Qt::CaseInsensitive) == 0;
}

// Every live object whose reference tag names the record.
std::vector<OdDbObject*> referencesTo(const OdDbDatabase& db, Kind kind, const QString& name)
{
    std::vector<OdDbObject*> found;
    const TableUse use = useOf(kind);
    db.forEachObject([&](OdDbObject& object) {
        if (object.isErased())
            return;
        if (kind == Kind::kRegApp) {
            if (object.xDataApplications().contains(name, Qt::CaseInsensitive))
                found.push_back(&object);
            return;
        }
        if (!use.referenceCode || (use.onlyIn && object.dxfName() != QLatin1String(use.onlyIn)))
            return;
        if (!use.onlyIn && !dynamic_cast<OdDbEntity*>(&object))
            return;
        for (const OdDbTag& tag : object.groupCodes()) {
            if (tag.code() == use.referenceCode && tag.type() == OdDxfCode::Type::String
                && tag.string().compare(name, Qt::CaseInsensitive) == 0) {
                found.push_back(&object);
                return;
            }
        }
    });
    return found;
}

// A record as the table functions show it.
OdDbTagList recordTags(const OdDbSymbolTableRecord& record)
{
    OdDbTagList shown;
    OdDbObjectId firstEntity;
    const OdDbObject* source = &record;
    if (const auto* block = dynamic_cast<const OdDbBlockTableRecord*>(&record)) {
        firstEntity = block->firstEntity();
        if (const OdDbObject* begin = block->blockBeginId().object())
            source = begin;
    }
    int groupDepth = 0;
    for (const OdDbTag& tag : source->groupCodes()) {
        const int code = tag.code();
        if (code == 102) {
            groupDepth += tag.string().startsWith(QLatin1Char('{')) ? 1 : -1;
            continue;
        }
        if (groupDepth > 0 || code == -1 || code == 5 || code == 105 || code == 100 || code == 67 || code == 8
            || tag.type() == OdDxfCode::Type::ObjectId)
            continue;
        if (code == 2 && source != &record)
            shown.push_back(OdDbTag::string(2, record.name()));
        else
            shown.push_back(tag);
    }
    if (source != &record && !firstEntity.isNull())
        shown.push_back(OdDbTag::objectId(-2, firstEntity));
    return shown;
}

// The live records of a table in order.
std::vector<OdDbSymbolTableRecord*> liveRecords(const OdDbSymbolTable& table)
{
    std::vector<OdDbSymbolTableRecord*> records;
    for (OdDbObjectId id : table.recordIds()) {
        if (auto* record = id.openObject<OdDbSymbolTableRecord>())
            records.push_back(record);
    }
    return records;
}

short toChain(const OdDbTagList& tags, TqResultBuffer*& data)
{
    return TqTagsToChain(tags, data) ? tq::kNormal : tq::kFailure;
}

int utf8Length(const char16_t* text)
{
    return text ? int(QString::fromUtf16(text).toUtf8().size()) : 0;
}

}  // namespace

OdDbDatabase* CTqWorkbenchTableServices::database()
{
    return TqCurrentDatabase();
}

short CTqWorkbenchTableServices::fail(int errorNumber)
{
    m_services.SetErrorNumber(errorNumber);
    return tq::kError;
}

OdDbSymbolTable* CTqWorkbenchTableServices::table(const CTqString& name, Kind& kind)
{
    OdDbDatabase* db = database();
    const QString text = name.toQString();
    if (!db || !OdDbSymbolTable::kindFromName(text, kind))
        return nullptr;
    return db->symbolTable(kind);
}

OdDbDictionary* CTqWorkbenchTableServices::dictionary(TqName name)
{
    OdDbDatabase* db = database();
    return db ? TqIdOf(*db, name).openObject<OdDbDictionary>() : nullptr;
}

short CTqWorkbenchTableServices::TableNext(const CTqString& tableName, bool rewind, TqResultBuffer*& data)
{
    data = nullptr;
    Kind kind;
    OdDbSymbolTable* symbols = table(tableName, kind);
    if (!symbols)
        return tq::kNone;
    std::size_t& cursor = m_tableCursors[{database()->serialNumber(), int(kind)}];
    if (rewind)
        cursor = 0;
    const std::vector<OdDbSymbolTableRecord*> records = liveRecords(*symbols);
    if (cursor >= records.size())
        return tq::kNone;
    return toChain(recordTags(*records[cursor++]), data);
}

short CTqWorkbenchTableServices::TableSearch(const CTqString& tableName, const CTqString& name, bool setNext, TqResultBuffer*& data)
{
    data = nullptr;
    Kind kind;
    OdDbSymbolTable* symbols = table(tableName, kind);
    if (!symbols)
        return tq::kNone;
    const std::vector<OdDbSymbolTableRecord*> records = liveRecords(*symbols);
    const QString wanted = name.toQString();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i]->name().compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        if (setNext)
            m_tableCursors[{database()->serialNumber(), int(kind)}] = i + 1;
        return toChain(recordTags(*records[i]), data);
    }
    return tq::kNone;
}

short CTqWorkbenchTableServices::TableObjectName(const CTqString& tableName, const CTqString& name, TqName& record)
{
    record = {};
    Kind kind;
    OdDbSymbolTable* symbols = table(tableName, kind);
    if (!symbols)
        return tq::kNone;
    const OdDbObjectId id = symbols->recordId(name.toQString());
    if (id.isNull())
        return tq::kNone;
    record = TqNameOf(id);
    return tq::kNormal;
}

short CTqWorkbenchTableServices::TableMake(TqResultBuffer*& data)
{
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    OdDbTagList tags;
    QString message;
    Kind kind;
    if (!TqChainToTags(data, *db, tags, message) || !OdDbSymbolTable::kindFromName(TqRecordType(tags), kind)
        || kind == Kind::kBlock)
        return fail(tq::kErrBadData);
    std::unique_ptr<OdDbObject> object;
    const OdResult read = TqReadNewObject(*db, tags, &kind, object, message);
    if (read != OdResult::eOk)
        return fail(TqErrorNumberOf(read));
    OdDbObjectId id;
    std::unique_ptr<OdDbSymbolTableRecord> record(static_cast<OdDbSymbolTableRecord*>(object.release()));
    const OdResult added = db->symbolTable(kind)->add(std::move(record), &id);
    if (added != OdResult::eOk)
        return fail(TqErrorNumberOf(added));
    m_services.ReleaseChain(data);
    data = nullptr;
    return toChain(recordTags(*id.openObject<OdDbSymbolTableRecord>()), data);
}

short CTqWorkbenchTableServices::TableModify(TqResultBuffer*& data)
{
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    OdDbTagList tags;
    QString message;
    Kind kind;
    if (!TqChainToTags(data, *db, tags, message) || !OdDbSymbolTable::kindFromName(TqRecordType(tags), kind))
        return fail(tq::kErrBadData);
    QString name;
    for (const OdDbTag& tag : tags) {
        if (tag.code() == 2)
            name = tag.string();
    }
    OdDbSymbolTable* symbols = db->symbolTable(kind);
    auto* record = symbols->recordId(name).openObject<OdDbSymbolTableRecord>();
    if (!record)
        return fail(tq::kErrBadData);
    const OdResult result = record->setGroupCodes(TqFieldTags(tags));
    if (result != OdResult::eOk)
        return fail(TqErrorNumberOf(result));
    symbols->reindex();
    m_services.ReleaseChain(data);
    data = nullptr;
    return toChain(recordTags(*record), data);
}

short CTqWorkbenchTableServices::TableDelete(const CTqString& tableName, const CTqString& name)
{
    Kind kind;
    OdDbSymbolTable* symbols = table(tableName, kind);
    if (!symbols)
        return fail(tq::kErrBadData);
    const QString wanted = name.toQString();
    OdDbObject* record = symbols->recordId(wanted).object();
    if (!record)
        return fail(tq::kErrBadData);
    if (isEssential(kind, wanted) || isCurrent(*database(), kind, wanted) || !referencesTo(*database(), kind, wanted).empty())
        return fail(tq::kErrDuplicate);
    record->erase();
    symbols->reindex();
    return tq::kNormal;
}

short CTqWorkbenchTableServices::TablePurge(const CTqString& tableName, short)
{
    Kind kind;
    OdDbSymbolTable* symbols = table(tableName, kind);
    if (!symbols)
        return fail(tq::kErrBadData);
    for (OdDbSymbolTableRecord* record : liveRecords(*symbols)) {
        const QString name = record->name();
        if (auto* block = dynamic_cast<OdDbBlockTableRecord*>(record); block && block->isAnonymous())
            continue;
        if (!isEssential(kind, name) && !isCurrent(*database(), kind, name) && referencesTo(*database(), kind, name).empty())
            record->erase();
    }
    symbols->reindex();
    return tq::kNormal;
}

short CTqWorkbenchTableServices::TableRename(const CTqString& tableName, const CTqString& oldName, const CTqString& newName)
{
    Kind kind;
    OdDbSymbolTable* symbols = table(tableName, kind);
    if (!symbols)
        return fail(tq::kErrBadData);
    const QString from = oldName.toQString();
    const QString to = newName.toQString();
    if (isEssential(kind, from))
        return fail(tq::kErrDuplicate);
    const std::vector<OdDbObject*> users = referencesTo(*database(), kind, from);
    const bool current = isCurrent(*database(), kind, from);
    const OdResult result = symbols->rename(from, to);
    if (result != OdResult::eOk)
        return fail(TqErrorNumberOf(result));
    const TableUse use = useOf(kind);
    if (current)
        database()->header().set(QLatin1String(use.current), {OdDbTag::string(use.currentCode, to)});
    for (OdDbObject* user : users) {
        if (kind == Kind::kRegApp) {
            OdDbTagList data = user->xData(from);
            if (!data.empty()) {
                data.front() = OdDbTag::string(1001, to);
                (void)user->setXData({OdDbTag::string(1001, from)});
                (void)user->setXData(data);
            }
        } else {
            (void)user->setGroupCodes({OdDbTag::string(use.referenceCode, to)});
        }
    }
    return tq::kNormal;
}

short CTqWorkbenchTableServices::TableSetCurrent(const CTqString& tableName, const CTqString& name)
{
    Kind kind;
    OdDbSymbolTable* symbols = table(tableName, kind);
    const TableUse use = useOf(kind);
    if (!symbols || !use.current)
        return fail(tq::kErrBadData);
    const auto* record = symbols->recordId(name.toQString()).openObject<OdDbSymbolTableRecord>();
    if (!record)
        return fail(tq::kErrBadData);
    if (const auto* layer = dynamic_cast<const OdDbLayerTableRecord*>(record); layer && (layer->flags() & 1))
        return fail(tq::kErrBadData);  // a frozen layer cannot be current
    database()->header().set(QLatin1String(use.current), {OdDbTag::string(use.currentCode, record->name())});
    return tq::kNormal;
}

short CTqWorkbenchTableServices::RegisterApplication(const CTqString& name)
{
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    const QString text = name.toQString();
    if (!db->regAppId(text).isNull())
        return tq::kNone;  // registered before
    return db->registerApplication(text).isNull() ? fail(tq::kErrBadData) : short(tq::kNormal);
}

short CTqWorkbenchTableServices::SymbolNameValid(const CTqString& name, int flags)
{
    const QString text = name.toQString();
    return OdDbSymUtil::isValidName(text, (flags & 1) != 0) ? tq::kNormal : tq::kNone;
}

short CTqWorkbenchTableServices::NamedObjectDictionary(TqName& dictionary)
{
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    dictionary = TqNameOf(db->getNamedObjectsDictionaryId());
    return dictionary.isNull() ? tq::kNone : tq::kNormal;
}

short CTqWorkbenchTableServices::DictionaryAdd(TqName dictionaryName, const CTqString& key, TqName objectName, TqName& added)
{
    added = {};
    OdDbDictionary* dict = dictionary(dictionaryName);
    OdDbObject* object = dict ? TqIdOf(*database(), objectName).object() : nullptr;
    if (!dict || !object || object->isErased() || dynamic_cast<OdDbEntity*>(object))
        return fail(tq::kErrBadData);
    const QString text = key.toQString();
    if (dict->has(text))
        return fail(tq::kErrDuplicate);
    if (dict->setAt(text, object->objectId()) != OdResult::eOk)
        return fail(tq::kErrBadData);
    added = objectName;
    return tq::kNormal;
}

short CTqWorkbenchTableServices::DictionaryRemove(TqName dictionaryName, const CTqString& key, TqName& removed)
{
    removed = {};
    OdDbDictionary* dict = dictionary(dictionaryName);
    OdDbObjectId id;
    if (!dict || dict->remove(key.toQString(), &id) != OdResult::eOk)
        return tq::kNone;
    removed = TqNameOf(id);
    return tq::kNormal;
}

short CTqWorkbenchTableServices::DictionaryRename(TqName dictionaryName, const CTqString& oldKey, const CTqString& newKey)
{
    OdDbDictionary* dict = dictionary(dictionaryName);
    if (!dict)
        return fail(tq::kErrBadData);
    const OdResult result = dict->rename(oldKey.toQString(), newKey.toQString());
    return result == OdResult::eOk ? short(tq::kNormal) : fail(TqErrorNumberOf(result));
}

short CTqWorkbenchTableServices::DictionarySearch(TqName dictionaryName, const CTqString& key, bool setNext, TqResultBuffer*& data)
{
    data = nullptr;
    OdDbDictionary* dict = dictionary(dictionaryName);
    if (!dict)
        return tq::kNone;
    const QString wanted = key.toQString();
    const std::vector<OdDbDictionary::Entry>& entries = dict->entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const OdDbObject* object = entries[i].id.object();
        if (!object || object->isErased() || entries[i].key.compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        if (setNext)
            m_dictionaryCursors[{dictionaryName.word1, dictionaryName.word2}] = i + 1;
        return toChain(object->groupCodes(), data);
    }
    return tq::kNone;
}

short CTqWorkbenchTableServices::DictionaryNext(TqName dictionaryName, bool rewind, TqResultBuffer*& data)
{
    data = nullptr;
    OdDbDictionary* dict = dictionary(dictionaryName);
    if (!dict)
        return tq::kNone;
    std::size_t& cursor = m_dictionaryCursors[{dictionaryName.word1, dictionaryName.word2}];
    if (rewind)
        cursor = 0;
    const std::vector<OdDbDictionary::Entry>& entries = dict->entries();
    while (cursor < entries.size()) {
        const OdDbObject* object = entries[cursor++].id.object();
        if (object && !object->isErased())
            return toChain(object->groupCodes(), data);
    }
    return tq::kNone;
}

OdDbDictionary* CTqWorkbenchTableServices::lispDataDictionary(const TqName* objectName, const CTqString& name, bool create)
{
    OdDbDatabase* db = database();
    if (!db) {
        m_services.SetErrorNumber(tq::kErrNoDrawing);
        return nullptr;
    }
    m_services.SetErrorNumber(tq::kErrBadData);
    if (objectName) {
        OdDbObject* object = TqIdOf(*db, *objectName).object();
        if (!object || object->isErased())
            return nullptr;
        if (object->extensionDictionary().isNull() && (!create || object->createExtensionDictionary() != OdResult::eOk))
            return nullptr;
        return object->extensionDictionary().openObject<OdDbDictionary>();
    }
    const QString text = name.toQString();
    if (!OdDbSymUtil::isValidBlockName(text))
        return nullptr;
    auto* root = db->getNamedObjectsDictionaryId().openObject<OdDbDictionary>();
    if (!root)
        return nullptr;
    if (auto* found = root->getAt(text).openObject<OdDbDictionary>())
        return found;
    if (!create || root->has(text))
        return nullptr;
    return root->setAt(text, std::make_unique<OdDbDictionary>()).openObject<OdDbDictionary>();
}

short CTqWorkbenchTableServices::LispDataPut(const TqName* object, const CTqString& dictionaryName, const CTqString& key,
                                             const std::string& text, const std::vector<double>& reals)
{
    OdDbDictionary* dict = lispDataDictionary(object, dictionaryName, true);
    if (!dict)
        return tq::kError;
    auto data = std::make_unique<OdVLObject>();
    data->setData(text);
    data->setValues(reals);
    return dict->setAt(key.toQString(), std::move(data)).isNull() ? fail(tq::kErrBadData) : short(tq::kNormal);
}

short CTqWorkbenchTableServices::LispDataGet(const TqName* object, const CTqString& dictionaryName, const CTqString& key,
                                             std::string& text, std::vector<double>& reals)
{
    OdDbDictionary* dict = lispDataDictionary(object, dictionaryName, false);
    const auto* data = dict ? dict->getAt(key.toQString()).openObject<OdVLObject>() : nullptr;
    if (!data)
        return tq::kNone;
    text = data->data();
    reals = data->values();
    return tq::kNormal;
}

short CTqWorkbenchTableServices::ExtendedDataSize(const TqResultBuffer* data, int& size)
{
    size = 0;
    for (const TqResultBuffer* record = data; record; record = record->next) {
        if (record->restype == -3)
            continue;
        if (record->restype < 1000 || record->restype > 1071)
            return fail(tq::kErrBadData);
        size += 2;
        switch (TqValueTypeOfGroupCode(record->restype)) {
        case tqrt::kString: size += utf8Length(record->value.string) + 1; break;
        case tqrt::kReal: size += 8; break;
        case tqrt::kPoint3d: size += 24; break;
        case tqrt::kShort: size += 2; break;
        case tqrt::kLong: size += 4; break;
        case tqrt::kBinaryChunk: size += record->value.binary.length + 1; break;
        default: size += 8; break;
        }
    }
    return tq::kNormal;
}
