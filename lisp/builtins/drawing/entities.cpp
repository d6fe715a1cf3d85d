// Entity built-ins: reading, writing, creating and walking single drawing objects through entity
// names and entity data lists, and picking objects on screen.
#include "lisp/builtins/drawing/drawing_support.h"
#include "lisp/core/builtin_families.h"

#include <QString>

namespace {

// The point and optional nesting details of a pick as (ename point [matrix containers]).
LispStatus PickResult(CTqLISPImpl& engine, TqName entity, const double (&point)[3], const double (*matrix)[4],
                      const TqResultBuffer* containers, LispNode*& out)
{
    ListBuilder result(engine);
    LISP_TRY(result.Begin());
    NodeRef element(engine);
    LISP_TRY(engine.MakeEntityName(entity.word1, entity.word2, element.slot()));
    result.Append(element.take());
    LISP_TRY(engine.MakePoint(point, element.slot()));
    result.Append(element.take());
    if (containers) {
        ListBuilder rows(engine);
        LISP_TRY(rows.Begin());
        for (int row = 0; row < 4; ++row) {
            LISP_TRY(engine.MakeRealList(std::span<const double>(matrix[row], 4), element.slot()));
            rows.Append(element.take());
        }
        LISP_TRY(rows.Finish(element.slot(), false));
        result.Append(element.take());
        LISP_TRY(ChainToValues(engine, containers, element.slot()));
        result.Append(element.take());
    }
    return result.Finish(out, false);
}

}  // namespace

LispStatus f_entget(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    CTqLispServices& services = *engine.Services();
    ChainBuilder applications(services);
    if (const LispNode* names = args->next; names && !IsNil(names)) {
        if (!IsConsList(names))
            return LispStatus::InvalidParameter;
        for (const LispNode* name = names->first; name; name = name->next) {
            if (!IsStringNode(name))
                return LispStatus::InvalidParameter;
            TqResultBuffer* record = applications.Add(tqrt::kString);
            if (!record)
                return LispStatus::MemoryError;
            const std::u16string_view text = StringText(name);
            const QString upper = QString::fromUtf16(text.data(), qsizetype(text.size())).toUpper();
            record->value.string = TqAllocText(reinterpret_cast<const char16_t*>(upper.utf16()), std::size_t(upper.size()));
            if (!record->value.string)
                return LispStatus::MemoryError;
        }
    }
    ChainHolder data(services);
    (void)entities->EntityGet(NameOf(args), applications.Head(), data.slot());
    if (!data.get())
        return engine.MakeNil(out);
    return ChainToDataList(engine, data.get(), out);
}

LispStatus f_entmod(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::InvalidParameter;
    if (IsNil(args))
        return engine.MakeNil(out);
    if (!IsConsList(args))
        return LispStatus::InvalidParameter;
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    CTqLispServices& services = *engine.Services();
    ChainBuilder chain(services);
    LISP_TRY(DataListToChain(engine, args, chain));
    if (entities->EntityModify(chain.Head()) == tq::kNormal)
        return ChainToDataList(engine, chain.Head(), out);
    if (services.ErrorNumber() == 33)
        LISP_TRY(engine.Output(u"Invalid application name in 1001 group\n"));
    return engine.MakeNil(out);
}

namespace {

// entmake and entmakex: the list (absent or nil: none) handed to the host, which makes the object.
LispStatus MakeObject(CTqLISPImpl& engine, const LispNode* list, ChainBuilder& chain, TqName& made, short& status)
{
    if (list && !IsNil(list) && !IsConsList(list))
        return LispStatus::InvalidParameter;
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    if (list && !IsNil(list))
        LISP_TRY(DataListToChain(engine, list, chain));
    status = entities->EntityMake(chain.Head(), made);
    return LispStatus::Ok;
}

}  // namespace

LispStatus f_entmake(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    ChainBuilder chain(*engine.Services());
    TqName made;
    short status = tq::kNone;
    LISP_TRY(MakeObject(engine, args, chain, made, status));
    if (status == tq::kNormal && chain.Head())
        return ChainToDataList(engine, chain.Head(), out);
    if (status == tq::kKeyword)
        return HostFailure(engine, status, out);
    return engine.MakeNil(out);
}

LispStatus f_entmakex(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    ChainBuilder chain(*engine.Services());
    TqName made;
    short status = tq::kNone;
    LISP_TRY(MakeObject(engine, args, chain, made, status));
    return status == tq::kNormal ? MakeEntityNameOrNil(engine, made, out) : engine.MakeNil(out);
}

LispStatus f_entdel(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    const short status = entities->EntityDelete(NameOf(args));
    return status == tq::kNormal ? engine.CopyNode(args, out) : HostFailure(engine, status, out);
}

LispStatus f_entupd(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    const short status = entities->EntityUpdate(NameOf(args));
    return status == tq::kNormal ? engine.CopyNode(args, out) : HostFailure(engine, status, out);
}

LispStatus f_entnext(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    TqName current;
    const bool fromName = args && args->type == NodeType::EntityName;
    if (fromName)
        current = NameOf(args);
    TqName next;
    const short status = entities->EntityNext(fromName ? &current : nullptr, next);
    return status == tq::kNormal ? MakeEntityNameOrNil(engine, next, out) : HostFailure(engine, status, out);
}

LispStatus f_entlast(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    TqName last;
    const short status = entities->EntityLast(last);
    return status == tq::kNormal ? MakeEntityNameOrNil(engine, last, out) : HostFailure(engine, status, out);
}

LispStatus f_entpos(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::int32_t position = args->payload.integer;
    if (position < 0 || position > 4)
        return LispStatus::InvalidParameter;
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    TqName entity;
    const short status = entities->EntityAtPosition(position, entity);
    return status == tq::kNormal ? MakeEntityNameOrNil(engine, entity, out) : HostFailure(engine, status, out);
}

LispStatus f_entcheck(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (args->type != NodeType::EntityName)
        return engine.MakeNil(out);
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    return entities->EntityCheck(NameOf(args)) == tq::kNormal ? engine.CopyNode(args, out) : engine.MakeNil(out);
}

LispStatus f_handent(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    TqName entity;
    const short status = entities->EntityFromHandle(CTqString(StringText(args)), entity);
    return status == tq::kNormal ? MakeEntityNameOrNil(engine, entity, out) : HostFailure(engine, status, out);
}

LispStatus f_entsel(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    LISP_TRY(engine.FlushConsole());
    const CTqString prompt = args ? CTqString(StringText(args)) : CTqString();
    TqName entity;
    double point[3] = {0.0, 0.0, 0.0};
    const short status = entities->EntitySelect(args ? &prompt : nullptr, entity, point);
    if (status != tq::kNormal)
        return HostFailure(engine, status, out);
    return PickResult(engine, entity, point, nullptr, nullptr, out);
}

namespace {

LispStatus NestedSelect(CTqLISPImpl& engine, const CTqString* prompt, const double* pickPoint, LispNode*& out)
{
    CTqEntityServices* entities = nullptr;
    LISP_TRY(DrawingServices(engine, entities));
    LISP_TRY(engine.FlushConsole());
    TqName entity;
    double point[3] = {0.0, 0.0, 0.0};
    double matrix[4][4];
    ChainHolder containers(*engine.Services());
    const short status = entities->NestedEntitySelect(prompt, pickPoint, entity, point, matrix, containers.slot());
    if (status != tq::kNormal)
        return HostFailure(engine, status, out);
    return PickResult(engine, entity, point, matrix, containers.get(), out);
}

}  // namespace

LispStatus f_nentsel(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const CTqString prompt = args ? CTqString(StringText(args)) : CTqString();
    return NestedSelect(engine, args ? &prompt : nullptr, nullptr, out);
}

LispStatus f_nentselp(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* promptNode = nullptr;
    double point[3];
    bool pointGiven = false;
    for (const LispNode* arg = args; arg; arg = arg->next) {
        if (IsConsList(arg)) {
            if (!PointArgument(arg, point))
                return LispStatus::NoPointList;
            pointGiven = true;
        } else if (IsStringNode(arg)) {
            if (!promptNode)
                promptNode = arg;
        } else {
            if (arg->next)
                return LispStatus::InvalidParameter;
            break;
        }
    }
    const CTqString prompt = promptNode ? CTqString(StringText(promptNode)) : CTqString();
    return NestedSelect(engine, promptNode ? &prompt : nullptr, pointGiven ? point : nullptr, out);
}

namespace {
constexpr ParamGroup kEntgetParams[] = {{Kind::EntityName, 1, 0}, {Kind::List, 1, ParamOption::Optional}};
// entmod reports a missing list as an invalid parameter, so the group is optional and the
// built-in checks presence; entmake and entmakex call the host with an empty chain instead.
constexpr ParamGroup kOptionalList[] = {{Kind::List, 1, ParamOption::Optional}};
// entnext treats anything but an entity name as "from the start".
constexpr ParamGroup kOptionalValue[] = {{Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kOptionalPrompt[] = {{Kind::String, 1, ParamOption::Optional}};
// A prompt and a pick point in either order; nentselp scans them itself.
constexpr ParamGroup kUpToTwoValues[] = {{Kind::Any, 2, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kEntityRows[] = {
    {u"f_entget", f_entget, EvalMode::All, Kind::List, kEntgetParams},
    {u"f_entmod", f_entmod, EvalMode::All, Kind::NilTList, kOptionalList},
    {u"f_entmake", f_entmake, EvalMode::All, Kind::NilTListString, kOptionalList},
    {u"f_entdel", f_entdel, EvalMode::All, Kind::EntityName, Params::OneEntityName},
    {u"f_entnext", f_entnext, EvalMode::All, Kind::EntityNilTList, kOptionalValue},
    {u"f_entlast", f_entlast, EvalMode::All, Kind::EntityNilTList, Params::None},
    {u"f_handent", f_handent, EvalMode::All, Kind::EntityNilTList, Params::OneString},
    {u"f_entsel", f_entsel, EvalMode::All, Kind::NilTListString, kOptionalPrompt},
    {u"f_nentselp", f_nentselp, EvalMode::All, Kind::NilTListString, kUpToTwoValues},
    {u"f_nentsel", f_nentsel, EvalMode::All, Kind::NilTListString, kOptionalPrompt},
    {u"f_entupd", f_entupd, EvalMode::All, Kind::EntityName, Params::OneEntityName},
    {u"f_entpos", f_entpos, EvalMode::All, Kind::EntityNilTList, Params::OneInteger},
    {u"f_entcheck", f_entcheck, EvalMode::All, Kind::EntityNilTList, Params::OneAny},
    {u"f_entmakex", f_entmakex, EvalMode::All, Kind::EntityNilTList, kOptionalList},
};

std::span<const BuiltinDescriptor> EntityBuiltins() { return kEntityRows; }
