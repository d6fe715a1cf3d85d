// Input and command built-ins: asking the user for points, numbers, strings and keywords,
// running host commands, system variables, snapping and coordinate transformation.
#include "lisp/builtins/drawing/system_variables.h"
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_getvar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return GetSystemVariable(out, args, engine); }
LispStatus f_setvar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return SetSystemVariable(out, args, engine); }
// Coordinate systems and object snaps: coordinates.cpp.
LispStatus f_trans(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_osnap(LispNode*& out, LispNode* args, CTqLISPImpl& engine);

// Host commands: host_commands.cpp.
LispStatus f_command(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_actcmd(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_delcmd(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getcname(LispNode*& out, LispNode* args, CTqLISPImpl& engine);

// Asking the user: user_input.cpp.
LispStatus f_initget(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getreal(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getstring(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getpoint(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getcorner(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getdist(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getangle(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getorient(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getkword(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_getint(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_grread(LispNode*& out, LispNode* args, CTqLISPImpl& engine);


namespace {
constexpr ParamGroup kGetvarParams[] = {{Kind::SymbolOrString, 1, 0}};
constexpr ParamGroup kSetvarParams[] = {{Kind::SymbolOrString, 1, 0}, {Kind::SysVarValue, 1, 0}};
constexpr ParamGroup kPointAndMode[] = {{Kind::List, 1, 0}, {Kind::String, 1, 0}};
constexpr ParamGroup kInitgetParams[] = {{Kind::Integer, 1, ParamOption::Optional}, {Kind::String, 1, ParamOption::Optional}};
constexpr ParamGroup kOptionalPrompt[] = {{Kind::String, 1, ParamOption::Optional}};
constexpr ParamGroup kGetstringParams[] = {{Kind::Any, 1, ParamOption::Optional}, {Kind::String, 1, ParamOption::Optional}};
// getcorner reports a missing base point as a bad point list, so the point is optional here.
constexpr ParamGroup kOptionalBaseOptionalPrompt[] = {{Kind::List, 1, ParamOption::Optional}, {Kind::String, 1, ParamOption::Optional}};
// Any fourth argument, nil included, asks trans for a displacement.
constexpr ParamGroup kTransParams[] = {{Kind::List, 1, 0}, {Kind::SysVarValue, 2, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kGrreadParams[] = {{Kind::Any, 1, ParamOption::Optional}, {Kind::Integer, 2, ParamOption::Optional}};
// getpoint and getdist take any number of values: they sort out point and prompt and report
// surplus arguments themselves.
}  // namespace

constexpr BuiltinDescriptor kInputRows[] = {
    {u"f_command", f_command, EvalMode::All, Kind::Any, Params::ManyAny},
    {u"f_getvar", f_getvar, EvalMode::All, Kind::SysVarValue, kGetvarParams},
    {u"f_setvar", f_setvar, EvalMode::All, Kind::SysVarValue, kSetvarParams},
    {u"f_osnap", f_osnap, EvalMode::All, Kind::NilTList, kPointAndMode},
    {u"f_initget", f_initget, EvalMode::All, Kind::NilTList, kInitgetParams},
    {u"f_getreal", f_getreal, EvalMode::All, Kind::Real | Kind::NilTListString, kOptionalPrompt},
    {u"f_getstring", f_getstring, EvalMode::All, Kind::StringOrNil, kGetstringParams},
    {u"f_getpoint", f_getpoint, EvalMode::All, Kind::NilTListString, Params::ManyAny},
    {u"f_getcorner", f_getcorner, EvalMode::All, Kind::NilTListString, kOptionalBaseOptionalPrompt},
    {u"f_getdist", f_getdist, EvalMode::All, Kind::Real | Kind::NilTListString, Params::ManyAny},
    {u"f_getangle", f_getangle, EvalMode::All, Kind::Real | Kind::NilTListString, kOptionalBaseOptionalPrompt},
    {u"f_getorient", f_getorient, EvalMode::All, Kind::Real | Kind::NilTListString, kOptionalBaseOptionalPrompt},
    {u"f_getkword", f_getkword, EvalMode::All, Kind::StringOrNil, kOptionalPrompt},
    {u"f_getint", f_getint, EvalMode::All, Kind::Integer | Kind::NilTListString, kOptionalPrompt},
    {u"f_trans", f_trans, EvalMode::All, Kind::List, kTransParams},
    {u"f_grread", f_grread, EvalMode::All, Kind::List, kGrreadParams},
    {u"f_delcmd", f_delcmd, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_actcmd", f_actcmd, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_getcname", f_getcname, EvalMode::All, Kind::StringOrNil, Params::OneString},
};

std::span<const BuiltinDescriptor> InputBuiltins() { return kInputRows; }
