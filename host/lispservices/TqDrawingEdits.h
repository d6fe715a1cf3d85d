// Making drawing objects from users' group-code lists: what entity, table-record and object
// creation share.
#pragma once

#include "../sdk/db/OdDbSymbolTable.h"
#include "../sdk/db/OdDbTag.h"
#include "../sdk/db/OdResult.h"

#include <QString>

#include <memory>

class OdDbDatabase;
class OdDbObject;

// Host error numbers the drawing services report besides those of TqStatus.h.
namespace tq {
enum : int {
    kErrBadData = 2,             // a data list the object cannot take: nil, no message
    kErrDuplicate = 5,           // the name or key exists already
    kErrUnknownApplication = 33, // extended data of an application the APPID table lacks
};
}

// The list without what identifies an object (-1, 0, 5, the owner before the first subclass
// marker, 102 groups), as a new object reads it.
OdDbTagList TqFieldTags(const OdDbTagList& tags);
// The record type (code 0) of a list, upper-cased; empty when there is none.
QString TqRecordType(const OdDbTagList& tags);
// The application names of the list's extended data that the database has not registered.
bool TqApplicationsRegistered(const OdDbDatabase& database, const OdDbTagList& tags);
// A new object of the list's type read from its fields, not yet in the database: an entity, a
// symbol-table record when `table` is set, or a DICTIONARY or XRECORD. Missing layers are created.
OdResult TqReadNewObject(OdDbDatabase& database, const OdDbTagList& tags, const OdDbSymbolTable::Kind* table,
                         std::unique_ptr<OdDbObject>& object, QString& message);
// The host error number for a database result.
int TqErrorNumberOf(OdResult result);
