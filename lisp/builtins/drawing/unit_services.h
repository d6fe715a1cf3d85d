// Reaching the host's system variables, unit formats and geometry (CTqUnitServices).
#pragma once

#include "host/CTqLispServices.h"
#include "host/CTqUnitServices.h"
#include "lisp/core/engine.h"

// NoDrawingDatabase when the host offers no unit services.
inline LispStatus UnitServices(CTqLISPImpl& engine, CTqUnitServices*& units)
{
    units = engine.Services() ? engine.Services()->Units() : nullptr;
    return units ? LispStatus::Ok : LispStatus::NoDrawingDatabase;
}
