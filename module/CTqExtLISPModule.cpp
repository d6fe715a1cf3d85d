// The LISP provider: engines come from the engine's factory; the module never sees their class.
#include "module/CTqExtLISPModule.h"

#include "lisp/core/engine_factory.h"

CTqLISP* CTqExtLISPModule::CreateLISP() { return CreateLispEngine(); }

void CTqExtLISPModule::DestroyLISP(CTqLISP* engine) { DestroyLispEngine(engine); }
