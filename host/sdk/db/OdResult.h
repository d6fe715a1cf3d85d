// Statuses of the drawing database and the DXF reader and writer.
#pragma once

#include <cstdint>

enum class OdResult : std::uint8_t {
    eOk,
    eInvalidInput,          // a value or group code that the object cannot take
    eKeyNotFound,           // no entry of that name or handle
    eDuplicateKey,          // a name or handle already in use
    eWasErased,             // the object is erased
    eNotThatKindOfClass,    // the object is of another class than the call needs
    eInvalidOwnerObject,    // the owner does not exist or cannot own the object
    eBadDxfSequence,        // group codes in an order the object cannot read
    eInvalidSymbolName,     // a table record or dictionary name the rules refuse
    eUndefinedReference,    // a name that no table record carries
    eRegAppNotFound,        // extended data of an application the APPID table does not hold
    eFileReadError,
    eFileWriteError,
};
