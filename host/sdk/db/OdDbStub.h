// The database's record behind an object id: the handle and, once the object exists, the object.
// Stubs never move while their database lives, so ids stay valid; a stub without an object is a
// reference to a handle that no object of the database carries.
#pragma once

#include "OdDbHandle.h"

#include <memory>

class OdDbDatabase;
class OdDbObject;

struct OdDbStub {
    OdDbHandle handle;
    OdDbDatabase* database = nullptr;
    std::unique_ptr<OdDbObject> object;
};
