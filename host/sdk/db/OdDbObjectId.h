// Names one object of a database. Copying an id is free; the object behind it belongs to the
// database. An id from a database stays valid as long as that database lives.
#pragma once

#include "OdDbHandle.h"

#include <functional>

class OdDbDatabase;
class OdDbObject;
struct OdDbStub;

class OdDbObjectId {
public:
    constexpr OdDbObjectId() = default;
    explicit OdDbObjectId(OdDbStub* stub) : m_stub(stub) {}

    bool isNull() const { return m_stub == nullptr; }
    // Null for a null id.
    OdDbDatabase* database() const;
    // The null handle for a null id.
    OdDbHandle handle() const;
    // The object, erased or not; null for a null id and for a handle no object carries.
    OdDbObject* object() const;
    // The object when it exists, is not erased and is of class T; else null.
    template <class T>
    T* openObject() const;
    // True when an object exists behind the id (erased or not).
    bool isValid() const { return object() != nullptr; }
    bool isErased() const;

    OdDbStub* stub() const { return m_stub; }
    static const OdDbObjectId kNull;

    friend bool operator==(OdDbObjectId, OdDbObjectId) = default;

private:
    OdDbStub* m_stub = nullptr;
};

template <class T>
T* OdDbObjectId::openObject() const
{
    OdDbObject* found = object();
    if (!found || isErased())
        return nullptr;
    return dynamic_cast<T*>(found);
}

template <>
struct std::hash<OdDbObjectId> {
    std::size_t operator()(OdDbObjectId id) const noexcept { return std::hash<OdDbStub*>()(id.stub()); }
};
