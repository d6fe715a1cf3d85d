// Object ids: the stub's handle, database and object.
#include "OdDbObjectId.h"

#include "OdDbObject.h"
#include "OdDbStub.h"

const OdDbObjectId OdDbObjectId::kNull;

OdDbDatabase* OdDbObjectId::database() const
{
    return m_stub ? m_stub->database : nullptr;
}

OdDbHandle OdDbObjectId::handle() const
{
    return m_stub ? m_stub->handle : OdDbHandle();
}

OdDbObject* OdDbObjectId::object() const
{
    return m_stub ? m_stub->object.get() : nullptr;
}

bool OdDbObjectId::isErased() const
{
    const OdDbObject* found = object();
    return found && found->isErased();
}
