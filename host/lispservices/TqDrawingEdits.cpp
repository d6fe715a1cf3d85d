// Making drawing objects from group-code lists.
#include "TqDrawingEdits.h"

#include "host/TqStatus.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbDxfIn.h"
#include "../sdk/db/OdDbEntity.h"
#include "../sdk/db/OdDbObject.h"
#include "../sdk/db/OdDbObjectFactory.h"

#include <algorithm>

OdDbTagList TqFieldTags(const OdDbTagList& tags)
{
    return OdDbObject::fieldTags(tags);
}

QString TqRecordType(const OdDbTagList& tags)
{
    for (const OdDbTag& tag : tags) {
        if (tag.code() == 0)
            return tag.string().toUpper();
    }
    return {};
}

bool TqApplicationsRegistered(const OdDbDatabase& database, const OdDbTagList& tags)
{
    for (const OdDbTag& tag : tags) {
        if (tag.code() == 1001 && database.regAppId(tag.string()).isNull())
            return false;
    }
    return true;
}

OdResult TqReadNewObject(OdDbDatabase& database, const OdDbTagList& tags, const OdDbSymbolTable::Kind* table,
                         std::unique_ptr<OdDbObject>& object, QString& message)
{
    const QString type = TqRecordType(tags);
    if (table) {
        object = OdDbObjectFactory::createRecord(*table);
    } else if (OdDbObjectFactory::isModelledEntity(type)) {
        object = OdDbObjectFactory::createEntity(type);
    } else if (type == QLatin1String("DICTIONARY") || type == QLatin1String("XRECORD")) {
        object = OdDbObjectFactory::createObject(type);
    } else {
        message = type.isEmpty() ? QStringLiteral("the list has no type (0)") : QStringLiteral("%1 objects cannot be made").arg(type);
        return OdResult::eInvalidInput;
    }
    if (!TqApplicationsRegistered(database, tags)) {
        message = QStringLiteral("an application of the extended data is not registered");
        return OdResult::eRegAppNotFound;
    }
    OdDbTagList body = TqFieldTags(tags);
    // New objects without a layer go on the current one, as objects a user draws do.
    const bool hasLayer = std::any_of(body.begin(), body.end(), [](const OdDbTag& tag) { return tag.code() == 8; });
    if (!table && !hasLayer && dynamic_cast<OdDbEntity*>(object.get()))
        body.insert(body.begin(), OdDbTag::string(8, database.header().getString(QStringLiteral("$CLAYER"), QStringLiteral("0"))));
    OdDbDxfIn in(database, OdDbDxfIn::Source::GroupCodes, database.version(), body);
    in.setCreating(true);
    OdResult status = object->readFields(in);
    if (status != OdResult::eOk) {
        message = in.error().message;
        return status;
    }
    return object->resolveReferences(database, true, message);
}

int TqErrorNumberOf(OdResult result)
{
    switch (result) {
    case OdResult::eRegAppNotFound: return tq::kErrUnknownApplication;
    case OdResult::eDuplicateKey: return tq::kErrDuplicate;
    case OdResult::eWasErased:
    case OdResult::eInvalidOwnerObject: return tq::kErrInvalidEntity;
    default: return tq::kErrBadData;
    }
}
