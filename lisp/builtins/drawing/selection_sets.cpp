// Selection-set built-ins: gathering objects by picking or filter, walking and editing the sets,
// and the pick-first selection.
#include "lisp/builtins/drawing/drawing_support.h"
#include "lisp/core/builtin_families.h"

#include <algorithm>

namespace {

LispStatus MakeSet(CTqLISPImpl& engine, TqName set, LispNode*& out)
{
    return set.isNull() ? engine.MakeNil(out) : engine.MakePickSet(set.word1, set.word2, out);
}

bool IsSet(const LispNode* node) { return node && node->type == NodeType::PickSet; }

// A non-empty list of points as a chain of 3D point records; false when it is no point list.
bool IsPointList(const LispNode* value)
{
    if (!IsConsList(value) || value->type != NodeType::List)
        return false;
    double point[3];
    for (const LispNode* element = value->first; element; element = element->next) {
        if (!PointArgument(element, point))
            return false;
    }
    return true;
}

LispStatus AddPoint(ChainBuilder& chain, const double (&point)[3])
{
    TqResultBuffer* record = chain.Add(tqrt::kPoint3d);
    if (!record)
        return LispStatus::MemoryError;
    std::copy_n(point, 3, record->value.point);
    return LispStatus::Ok;
}

// A call that answers only with a status: T, or the status mapping.
LispStatus TrueOrFailure(CTqLISPImpl& engine, short status, LispNode*& out)
{
    return status == tq::kNormal ? engine.MakeT(out) : HostFailure(engine, status, out);
}

}  // namespace

LispStatus f_ssget(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    CTqLispServices& services = *engine.Services();
    const LispNode* cursor = args;
    const LispNode* modeNode = nullptr;
    if (cursor && IsStringNode(cursor)) {
        modeNode = cursor;
        cursor = cursor->next;
    }
    ChainBuilder points(services);
    double first[3];
    double second[3];
    bool secondGiven = false;
    if (cursor && IsNil(cursor)) {
        cursor = cursor->next;
    } else if (cursor && PointArgument(cursor, first)) {
        LISP_TRY(AddPoint(points, first));
        cursor = cursor->next;
        if (cursor && PointArgument(cursor, second)) {
            secondGiven = true;
            cursor = cursor->next;
        }
    }
    if (cursor && IsNil(cursor)) {
        cursor = cursor->next;
    } else if (cursor && !points.Head() && IsPointList(cursor)) {
        for (const LispNode* element = cursor->first; element; element = element->next) {
            PointArgument(element, first);
            LISP_TRY(AddPoint(points, first));
        }
        cursor = cursor->next;
    }
    ChainBuilder filter(services);
    if (cursor && IsNil(cursor))
        cursor = cursor->next;
    else if (cursor)
        LISP_TRY(DataListToChain(engine, cursor, filter));
    LISP_TRY(engine.FlushConsole());
    const CTqString mode = modeNode ? CTqString(StringText(modeNode)) : CTqString();
    TqName set;
    const short status = selections->SelectionSetGet(modeNode ? &mode : nullptr, points.Head(), secondGiven ? second : nullptr,
                                                     filter.Head(), set);
    if (status == tq::kNormal)
        return MakeSet(engine, set, out);
    return HostFailure(engine, status, out);
}

LispStatus f_ssadd(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    const TqName entity = args ? NameOf(args) : TqName{};
    const TqName set = args && args->next ? NameOf(args->next) : TqName{};
    TqName result;
    const short status = selections->SelectionSetAdd(entity, args && args->next ? &set : nullptr, result);
    return status == tq::kNormal ? MakeSet(engine, result, out) : HostFailure(engine, status, out);
}

LispStatus f_ssdel(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    const short status = selections->SelectionSetDeleteMember(NameOf(args), NameOf(args->next));
    return status == tq::kNormal ? engine.CopyNode(args->next, out) : HostFailure(engine, status, out);
}

LispStatus f_sslength(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (IsNil(args))
        return engine.MakeInteger(0, out);
    if (!IsSet(args))
        return LispStatus::InvalidParameter;
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    std::int32_t length = 0;
    const short status = selections->SelectionSetLength(NameOf(args), length);
    return status == tq::kNormal ? engine.MakeInteger(length, out) : HostFailure(engine, status, out);
}

LispStatus f_ssname(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsSet(args) || !args->next || !IsInteger(args->next))
        return LispStatus::InvalidParameter;
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    TqName entity;
    const short status = selections->SelectionSetName(NameOf(args), std::int64_t(args->next->payload.integer), entity);
    return status == tq::kNormal ? MakeEntityNameOrNil(engine, entity, out) : HostFailure(engine, status, out);
}

LispStatus f_ssnamex(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    int index = -1;
    if (const LispNode* given = args->next) {
        if (given->payload.integer < -1)
            return LispStatus::InvalidParameter;
        index = given->payload.integer;
    }
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    ChainHolder details(*engine.Services());
    const short status = selections->SelectionSetNameDetails(NameOf(args), index, details.slot());
    if (status != tq::kNormal)
        return HostFailure(engine, status, out);
    if (!details.get())
        return engine.MakeNil(out);
    return ChainToValues(engine, details.get(), out);
}

LispStatus f_ssmemb(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    const short status = selections->SelectionSetMember(NameOf(args), NameOf(args->next));
    return status == tq::kNormal ? engine.CopyNode(args, out) : HostFailure(engine, status, out);
}

LispStatus f_ssdbno(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    std::int32_t number = 0;
    const short status = selections->SelectionSetDatabase(NameOf(args), number);
    return status == tq::kNormal ? engine.MakeInteger(number, out) : HostFailure(engine, status, out);
}

LispStatus f_sssetfirst(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    const LispNode* pick = args ? args->next : nullptr;
    const TqName pickSet = IsSet(pick) ? NameOf(pick) : TqName{};
    const short status = selections->SetPickFirst(IsSet(pick) ? &pickSet : nullptr);
    if (status != tq::kNormal)
        return HostFailure(engine, status, out);
    if (!args)
        return engine.MakeNil(out);
    ListBuilder result(engine);
    LISP_TRY(result.Begin());
    NodeRef element(engine);
    if (IsSet(args))
        LISP_TRY(engine.CopyNode(args, element.slot()));
    else
        LISP_TRY(engine.MakeNil(element.slot()));
    result.Append(element.take());
    if (pick) {
        if (IsSet(pick))
            LISP_TRY(engine.CopyNode(pick, element.slot()));
        else
            LISP_TRY(engine.MakeNil(element.slot()));
        result.Append(element.take());
    }
    return result.Finish(out, false);
}

LispStatus f_ssgetfirst(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    CTqLispServices& services = *engine.Services();
    ChainHolder grips(services);
    ChainHolder picked(services);
    const short status = selections->GetPickFirst(grips.slot(), picked.slot());
    if (status != tq::kNormal)
        return HostFailure(engine, status, out);
    ListBuilder result(engine);
    LISP_TRY(result.Begin());
    for (const ChainHolder* chain : {&grips, &picked}) {
        NodeRef element(engine);
        const TqResultBuffer* record = chain->get();
        if (record && services.ValueTypeOfGroupCode(record->restype) == tqrt::kSelectionSet)
            LISP_TRY(engine.MakePickSet(record->value.name[0], record->value.name[1], element.slot()));
        else
            LISP_TRY(engine.MakeNil(element.slot()));
        result.Append(element.take());
    }
    return result.Finish(out, false);
}

LispStatus f_setpreselect(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    const TqName set = args ? NameOf(args) : TqName{};
    return TrueOrFailure(engine, selections->SetPreselection(args ? &set : nullptr), out);
}

LispStatus f_remove(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    return TrueOrFailure(engine, selections->RemoveFromSelection(NameOf(args)), out);
}

LispStatus f_removeall(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    return TrueOrFailure(engine, selections->RemoveAllFromSelection(), out);
}

LispStatus f_remdelall(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    return TrueOrFailure(engine, selections->RemoveDeleted(), out);
}

LispStatus f_ai_selall(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    const short status = selections->SelectAll();
    if (status != tq::kNormal)
        return HostFailure(engine, status, out);
    LISP_TRY(engine.Output(u"Everything has been selected"));
    return engine.MakeNothing(out);
}

LispStatus f_ai_deselect(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    CTqSelectionServices* selections = nullptr;
    LISP_TRY(DrawingServices(engine, selections));
    const short status = selections->DeselectAll();
    if (status != tq::kNormal)
        return HostFailure(engine, status, out);
    LISP_TRY(engine.Output(u"Everything has been deselected"));
    return engine.MakeNothing(out);
}

namespace {
constexpr ParamGroup kSsgetParams[] = {{Kind::String, 1, ParamOption::Optional}, {Kind::List, 4, ParamOption::Optional}};
constexpr ParamGroup kSsaddParams[] = {{Kind::EntityName, 1, ParamOption::Optional}, {Kind::PickSet, 1, ParamOption::Optional}};
constexpr ParamGroup kEntityAndSet[] = {{Kind::EntityName, 1, 0}, {Kind::PickSet, 1, 0}};
constexpr ParamGroup kSslengthParams[] = {{Kind::PickSetNilTList, 1, 0}};
// ssname reports a missing set or index as an invalid parameter, so both are optional here.
constexpr ParamGroup kSsnameParams[] = {{Kind::PickSet, 1, ParamOption::Optional}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kSsnamexParams[] = {{Kind::PickSet, 1, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kOneSet[] = {{Kind::PickSet, 1, 0}};
constexpr ParamGroup kOptionalSet[] = {{Kind::PickSet, 1, ParamOption::Optional}};
// Anything but a selection set stands for "no set" in either position.
constexpr ParamGroup kUpToTwoValues[] = {{Kind::Any, 2, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kSelectionSetRows[] = {
    {u"f_ssget", f_ssget, EvalMode::All, Kind::PickSet, kSsgetParams},
    {u"f_ssadd", f_ssadd, EvalMode::All, Kind::PickSet, kSsaddParams},
    {u"f_ssdel", f_ssdel, EvalMode::All, Kind::PickSetNilTList, kEntityAndSet},
    {u"f_sslength", f_sslength, EvalMode::All, Kind::Integer, kSslengthParams},
    {u"f_ssname", f_ssname, EvalMode::All, Kind::EntityNilTList, kSsnameParams},
    {u"f_ssnamex", f_ssnamex, EvalMode::All, Kind::NilTList, kSsnamexParams},
    {u"f_ssmemb", f_ssmemb, EvalMode::All, Kind::EntityNilTList, kEntityAndSet},
    {u"f_remove", f_remove, EvalMode::All, Kind::Atom, kOneSet},
    {u"f_removeall", f_removeall, EvalMode::All, Kind::Atom, Params::None},
    {u"f_remdelall", f_remdelall, EvalMode::All, Kind::Atom, Params::None},
    {u"f_setpreselect", f_setpreselect, EvalMode::All, Kind::Atom, kOptionalSet},
    {u"f_ssdbno", f_ssdbno, EvalMode::All, Kind::Integer, kOneSet},
    {u"f_sssetfirst", f_sssetfirst, EvalMode::All, Kind::NilTList, kUpToTwoValues},
    {u"f_ssgetfirst", f_ssgetfirst, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_ai_deselect", f_ai_deselect, EvalMode::All, Kind::Nothing, Params::None},
    {u"f_ai_selall", f_ai_selall, EvalMode::All, Kind::Nothing, Params::None},
};

std::span<const BuiltinDescriptor> SelectionSetBuiltins() { return kSelectionSetRows; }
