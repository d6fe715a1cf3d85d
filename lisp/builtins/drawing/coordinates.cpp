// trans and osnap: points from one coordinate system to another, and object snaps, both the
// host's geometry.
#include "lisp/builtins/drawing/drawing_support.h"
#include "host/CTqUnitServices.h"

namespace {

LispStatus UnitServices(CTqLISPImpl& engine, CTqUnitServices*& units)
{
    units = engine.Services() ? engine.Services()->Units() : nullptr;
    return units ? LispStatus::Ok : LispStatus::NoDrawingDatabase;
}

}  // namespace

LispStatus f_trans(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    double point[3];
    if (!PointArgument(args, point))
        return LispStatus::NoPointList;
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    ChainBuilder from(*engine.Services());
    ChainBuilder to(*engine.Services());
    LISP_TRY(ValueToSingleRecord(engine, args->next, from));
    LISP_TRY(ValueToSingleRecord(engine, args->next ? args->next->next : nullptr, to));
    // Any fourth argument, nil included, asks for a displacement.
    const bool displacement = args->next && args->next->next && args->next->next->next;
    double result[3];
    const short status = units->TransformPoint(point, *from.Head(), *to.Head(), displacement, result);
    return status == tq::kNormal ? engine.MakePoint(result, out) : HostFailure(engine, status, out);
}

LispStatus f_osnap(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    double point[3];
    if (!PointArgument(args, point))
        return LispStatus::NoPointList;
    if (!IsStringNode(args->next))
        return LispStatus::InvalidParameter;
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    double result[3];
    const short status = units->SnapPoint(point, CTqString(StringText(args->next)), result);
    return status == tq::kNormal ? engine.MakePoint(result, out) : HostFailure(engine, status, out);
}
