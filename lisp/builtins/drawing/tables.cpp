// Table, dictionary and extended-data built-ins: symbol-table records, dictionaries, registered
// applications, extended-data sizes and LISP data stored in dictionaries.
#include "lisp/builtins/drawing/drawing_support.h"
#include "lisp/core/builtin_families.h"

namespace {

CTqString TextArgument(const LispNode* node) { return CTqString(StringText(node)); }

// A chain the host handed out (or none) as a data list (or nil).
LispStatus DataListResult(CTqLISPImpl& engine, const ChainHolder& data, LispNode*& out)
{
    return data.get() ? ChainToDataList(engine, data.get(), out) : engine.MakeNil(out);
}

using TableChange = short (CTqTableServices::*)(TqResultBuffer*&);

LispStatus ChangeTable(CTqLISPImpl& engine, const LispNode* list, TableChange change, LispNode*& out)
{
    if (!IsConsList(list))
        return LispStatus::InvalidParameter;
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    ChainBuilder chain(*engine.Services());
    LISP_TRY(DataListToChain(engine, list, chain));
    // The host takes the chain and hands back the stored one, which may be another.
    TqResultBuffer* stored = chain.Take();
    const short status = (tables->*change)(stored);
    ChainHolder data(*engine.Services(), stored);
    if (status != tq::kNormal)
        return engine.MakeNil(out);
    return DataListResult(engine, data, out);
}

// The dictionary argument: nil without asking the host when it is no entity name.
bool IsDictionaryName(const LispNode* node) { return node && node->type == NodeType::EntityName; }

}  // namespace

LispStatus f_tblnext(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    ChainHolder data(*engine.Services());
    const bool rewind = args->next && !IsNil(args->next);
    (void)tables->TableNext(TextArgument(args), rewind, data.slot());
    return DataListResult(engine, data, out);
}

LispStatus f_tblsearch(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    ChainHolder data(*engine.Services());
    const LispNode* flag = args->next->next;
    (void)tables->TableSearch(TextArgument(args), TextArgument(args->next), flag && !IsNil(flag), data.slot());
    return DataListResult(engine, data, out);
}

LispStatus f_tblobjname(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args->next)
        return LispStatus::InvalidParameter;
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    TqName record;
    if (tables->TableObjectName(TextArgument(args), TextArgument(args->next), record) != tq::kNormal)
        return engine.MakeNil(out);
    return MakeEntityNameOrNil(engine, record, out);
}

LispStatus f_tblmake(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return ChangeTable(engine, args, &CTqTableServices::TableMake, out);
}

LispStatus f_tblmod(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return ChangeTable(engine, args, &CTqTableServices::TableModify, out);
}

LispStatus f_tbldel(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    const short status = tables->TableDelete(TextArgument(args), TextArgument(args->next));
    return status == tq::kNormal ? engine.CopyNode(args->next, out) : HostFailure(engine, status, out);
}

LispStatus f_tblpurge(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args->next)
        return LispStatus::InvalidParameter;
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    const short flags = IsInteger(args->next) ? short(args->next->payload.integer) : short(0);
    const short status = tables->TablePurge(TextArgument(args), flags);
    return status == tq::kNormal ? engine.MakeT(out) : HostFailure(engine, status, out);
}

LispStatus f_tblrename(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args || !args->next || !args->next->next)
        return LispStatus::InvalidParameter;
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    const LispNode* newName = args->next->next;
    const short status = tables->TableRename(TextArgument(args), TextArgument(args->next), TextArgument(newName));
    return status == tq::kNormal ? engine.CopyNode(newName, out) : HostFailure(engine, status, out);
}

LispStatus f_tblset(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args->next)
        return LispStatus::InvalidParameter;
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    if (tables->TableSetCurrent(TextArgument(args), TextArgument(args->next)) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.CopyNode(args->next, out);
}

LispStatus f_regapp(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    const short status = tables->RegisterApplication(TextArgument(args));
    return status == tq::kNormal ? engine.CopyNode(args, out) : HostFailure(engine, status, out);
}

LispStatus f_snvalid(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    int flags = 0;
    if (const LispNode* option = args->next; option && !IsNil(option)) {
        if (!IsInteger(option))
            return LispStatus::InvalidParameter;
        flags = option->payload.integer;
    }
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    return engine.MakeBoolean(tables->SymbolNameValid(TextArgument(args), flags) == tq::kNormal, out);
}

LispStatus f_namedobjdict(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    TqName dictionary;
    if (tables->NamedObjectDictionary(dictionary) != tq::kNormal)
        return engine.MakeNil(out);
    return MakeEntityNameOrNil(engine, dictionary, out);
}

LispStatus f_dictadd(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* object = args->next->next;
    if (!IsDictionaryName(args) || !IsDictionaryName(object))
        return engine.MakeNil(out);
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    TqName added;
    if (tables->DictionaryAdd(NameOf(args), TextArgument(args->next), NameOf(object), added) != tq::kNormal)
        return engine.MakeNil(out);
    return MakeEntityNameOrNil(engine, added, out);
}

LispStatus f_dictremove(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsDictionaryName(args))
        return engine.MakeNil(out);
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    TqName removed;
    if (tables->DictionaryRemove(NameOf(args), TextArgument(args->next), removed) != tq::kNormal)
        return engine.MakeNil(out);
    return MakeEntityNameOrNil(engine, removed, out);
}

LispStatus f_dictrename(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsDictionaryName(args))
        return engine.MakeNil(out);
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    const LispNode* newKey = args->next->next;
    if (tables->DictionaryRename(NameOf(args), TextArgument(args->next), TextArgument(newKey)) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.CopyNode(newKey, out);
}

LispStatus f_dictsearch(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsDictionaryName(args))
        return engine.MakeNil(out);
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    ChainHolder data(*engine.Services());
    const LispNode* flag = args->next->next;
    (void)tables->DictionarySearch(NameOf(args), TextArgument(args->next), flag && !IsNil(flag), data.slot());
    return DataListResult(engine, data, out);
}

LispStatus f_dictnext(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsDictionaryName(args))
        return engine.MakeNil(out);
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    ChainHolder data(*engine.Services());
    const bool rewind = args->next && !IsNil(args->next);
    (void)tables->DictionaryNext(NameOf(args), rewind, data.slot());
    return DataListResult(engine, data, out);
}

LispStatus f_xdsize(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsConsList(args))
        return LispStatus::InvalidParameter;
    const LispNode* first = args->first;
    const LispNode* applications = nullptr;
    if (IsInteger(first) && first->payload.integer == -3)
        applications = first->next;
    else if (IsConsList(first) && IsStringNode(first->first))
        applications = first;
    else
        return LispStatus::InvalidParameter;
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    ChainBuilder chain(*engine.Services());
    LISP_TRY(DataElementsToChain(engine, applications, chain));
    int size = 0;
    if (tables->ExtendedDataSize(chain.Head(), size) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.MakeInteger(size, out);
}

LispStatus f_xdroom(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    return engine.MakeInteger(16383, out);
}

// Stored LISP data: lisp_data.cpp.
LispStatus f_vlax_ldata_get(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_vlax_ldata_put(LispNode*& out, LispNode* args, CTqLISPImpl& engine);

namespace {
constexpr std::uint32_t kEntityNameOrString = Kind::EntityName | Kind::String;

constexpr ParamGroup kStringOptionalFlag[] = {{Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kTwoStringsOptionalFlag[] = {{Kind::String, 2, 0}, {Kind::Any, 1, ParamOption::Optional}};
// tblset and tblobjname report a missing record name as an invalid parameter, so it is
// optional here and the built-in checks that it is present.
constexpr ParamGroup kTableOptionalRecord[] = {{Kind::String, 1, 0}, {Kind::String, 1, ParamOption::Optional}};
// tblrename checks itself that all three names are given.
constexpr ParamGroup kUpToThreeStrings[] = {{Kind::String, 3, ParamOption::Optional}};
// The built-in converts the second argument itself: tblpurge passes 0 for a non-integer.
constexpr ParamGroup kStringOptionalValue[] = {{Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
// A dictionary argument that is not an entity name gives nil without asking the host.
constexpr ParamGroup kDictaddParams[] = {{Kind::Any, 1, 0}, {Kind::String, 1, 0}, {Kind::Any, 1, 0}};
constexpr ParamGroup kDictKey[] = {{Kind::Any, 1, 0}, {Kind::String, 1, 0}};
constexpr ParamGroup kDictTwoKeys[] = {{Kind::Any, 1, 0}, {Kind::String, 2, 0}};
constexpr ParamGroup kDictKeyOptionalFlag[] = {{Kind::Any, 1, 0}, {Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kDictOptionalFlag[] = {{Kind::Any, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kLdataGetParams[] = {{kEntityNameOrString, 1, 0}, {Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kLdataPutParams[] = {{kEntityNameOrString, 1, 0}, {Kind::String, 1, 0}, {Kind::Any, 1, 0}};
}  // namespace

constexpr BuiltinDescriptor kTableRows[] = {
    {u"f_regapp", f_regapp, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_tblnext", f_tblnext, EvalMode::All, Kind::NilTList, kStringOptionalFlag},
    {u"f_tblsearch", f_tblsearch, EvalMode::All, Kind::NilTList, kTwoStringsOptionalFlag},
    {u"f_tblmod", f_tblmod, EvalMode::All, Kind::NilTList, Params::OneList},
    {u"f_tbldel", f_tbldel, EvalMode::All, Kind::StringOrNil, Params::TwoStrings},
    {u"f_tblpurge", f_tblpurge, EvalMode::All, Kind::Atom, kStringOptionalValue},
    {u"f_tblmake", f_tblmake, EvalMode::All, Kind::NilTList, Params::OneList},
    {u"f_tblset", f_tblset, EvalMode::All, Kind::StringOrNil, kTableOptionalRecord},
    {u"f_tblrename", f_tblrename, EvalMode::All, Kind::StringOrNil, kUpToThreeStrings},
    {u"f_snvalid", f_snvalid, EvalMode::All, Kind::Atom, kStringOptionalValue},
    {u"f_tblobjname", f_tblobjname, EvalMode::All, Kind::EntityNilTList, kTableOptionalRecord},
    {u"f_dictadd", f_dictadd, EvalMode::All, Kind::EntityNilTList, kDictaddParams},
    {u"f_dictnext", f_dictnext, EvalMode::All, Kind::NilTList, kDictOptionalFlag},
    {u"f_dictremove", f_dictremove, EvalMode::All, Kind::EntityNilTList, kDictKey},
    {u"f_dictrename", f_dictrename, EvalMode::All, Kind::StringOrNil, kDictTwoKeys},
    {u"f_dictsearch", f_dictsearch, EvalMode::All, Kind::NilTList, kDictKeyOptionalFlag},
    {u"f_namedobjdict", f_namedobjdict, EvalMode::All, Kind::EntityNilTList, Params::None},
    {u"f_vlax_ldata_get", f_vlax_ldata_get, EvalMode::All, Kind::Any, kLdataGetParams},
    {u"f_vlax_ldata_put", f_vlax_ldata_put, EvalMode::All, Kind::Any, kLdataPutParams},
    {u"f_xdsize", f_xdsize, EvalMode::All, Kind::IntNilTList, Params::OneList},
    {u"f_xdroom", f_xdroom, EvalMode::All, Kind::Integer, Params::OneEntityName},
};

std::span<const BuiltinDescriptor> TableBuiltins() { return kTableRows; }
