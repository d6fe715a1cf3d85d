// Table, dictionary and extended-data built-ins: symbol-table records, dictionaries, registered
// applications, extended-data sizes and LISP data stored in dictionaries.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_regapp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tblnext(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tblsearch(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tblmod(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tbldel(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tblpurge(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tblmake(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tblset(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tblrename(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_snvalid(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tblobjname(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dictadd(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dictnext(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dictremove(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dictrename(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dictsearch(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_namedobjdict(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_ldata_get(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_ldata_put(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_xdsize(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_xdroom(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

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
