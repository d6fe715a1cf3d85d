// The LISP provider: the one place outside the engine that knows its concrete class.
#include "module/CTqExtLISPModule.h"

#include "lisp/core/engine.h"

#include <new>

CTqLISP* CTqExtLISPModule::CreateLISP()
{
    return new (std::nothrow) CTqLISPImpl();
}

void CTqExtLISPModule::DestroyLISP(CTqLISP* engine)
{
    // Every engine the host holds came from CreateLISP, so the downcast is exact.
    delete static_cast<CTqLISPImpl*>(engine);
}
