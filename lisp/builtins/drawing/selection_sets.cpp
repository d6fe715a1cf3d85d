// Selection-set built-ins: gathering objects by picking or filter, walking and editing the sets,
// and the pick-first selection.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_ssget(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ssadd(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ssdel(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_sslength(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ssname(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ssnamex(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ssmemb(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_remove(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_removeall(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_remdelall(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_setpreselect(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ssdbno(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_sssetfirst(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ssgetfirst(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ai_deselect(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ai_selall(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

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
