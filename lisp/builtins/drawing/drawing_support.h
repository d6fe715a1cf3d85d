// What the drawing built-ins share: reaching the host's drawing services, names as nodes, and the
// host status mapping with its nil result.
#pragma once

#include "host/CTqDrawingServices.h"
#include "host/CTqLispServices.h"
#include "host/TqStatus.h"
#include "lisp/core/data_lists.h"
#include "lisp/core/engine.h"

inline TqName NameOf(const LispNode* node) { return {node->payload.words[0], node->payload.words[1]}; }

inline LispStatus MakeEntityNameOrNil(CTqLISPImpl& engine, TqName name, LispNode*& out)
{
    return name.isNull() ? engine.MakeNil(out) : engine.MakeEntityName(name.word1, name.word2, out);
}

// The host status of a failed call as the built-in's result: an error, a keyword string or nil.
inline LispStatus HostFailure(CTqLISPImpl& engine, short status, LispNode*& out)
{
    LISP_TRY(engine.MapHostStatusLenient(status, out));
    return out ? LispStatus::Ok : engine.MakeNil(out);
}

// The services of each kind; NoDrawingDatabase when the host has no drawing open.
template <typename Services>
LispStatus DrawingServices(CTqLISPImpl& engine, Services*& services);

template <>
inline LispStatus DrawingServices(CTqLISPImpl& engine, CTqEntityServices*& services)
{
    services = engine.Services() ? engine.Services()->Entities() : nullptr;
    return services ? LispStatus::Ok : LispStatus::NoDrawingDatabase;
}

template <>
inline LispStatus DrawingServices(CTqLISPImpl& engine, CTqTableServices*& services)
{
    services = engine.Services() ? engine.Services()->Tables() : nullptr;
    return services ? LispStatus::Ok : LispStatus::NoDrawingDatabase;
}

template <>
inline LispStatus DrawingServices(CTqLISPImpl& engine, CTqSelectionServices*& services)
{
    services = engine.Services() ? engine.Services()->Selections() : nullptr;
    return services ? LispStatus::Ok : LispStatus::NoDrawingDatabase;
}
