// Entity built-ins: reading, writing, creating and walking single drawing objects through entity
// names and entity data lists, and picking objects on screen.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_entget(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entmod(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entmake(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entdel(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entnext(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entlast(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_handent(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entsel(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_nentselp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_nentsel(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entupd(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entpos(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entcheck(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_entmakex(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

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
