// Message box, help and compatibility built-ins: alert, help files, the line end of the command
// line, and entries that scripts from other environments call and that do nothing here.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_alert(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

LispStatus f_terpri(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    LISP_TRY(engine.Output(u"\r\n"));
    return engine.MakeNil(out);
}

LispStatus f_help(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_setfunhelp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlisp_import_symbol(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlisp_export_symbol(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_add_cmd(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_remove_cmd(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_load_com(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr ParamGroup kAlertParams[] = {{Kind::String, 1, 0}, {Kind::String, 2, ParamOption::Optional}};
constexpr ParamGroup kHelpParams[] = {{Kind::String, 3, ParamOption::Optional}};
constexpr ParamGroup kSetfunhelpParams[] = {{Kind::String, 1, 0}, {Kind::String, 3, ParamOption::Optional}};
// The fourth group's mask fits no node, so a fourth argument is always refused.
constexpr ParamGroup kAddCmdParams[] = {{Kind::String, 1, 0},
                                        {Kind::Symbol, 1, 0},
                                        {Kind::String, 1, ParamOption::Optional},
                                        {Kind::NoCode, 1, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kCompatibilityRows[] = {
    {u"f_alert", f_alert, EvalMode::All, Kind::NilTList, kAlertParams},
    {u"f_terpri", f_terpri, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_help", f_help, EvalMode::All, Kind::StringOrNil, kHelpParams},
    {u"f_setfunhelp", f_setfunhelp, EvalMode::All, Kind::StringOrNil, kSetfunhelpParams},
    {u"f_vlisp_import_symbol", f_vlisp_import_symbol, EvalMode::All, Kind::NilTList, Params::ManyAny},
    {u"f_vlisp_export_symbol", f_vlisp_export_symbol, EvalMode::All, Kind::NilTList, Params::ManyAny},
    {u"f_vlax_add_cmd", f_vlax_add_cmd, EvalMode::All, Kind::String, kAddCmdParams},
    {u"f_vlax_remove_cmd", f_vlax_remove_cmd, EvalMode::All, Kind::Integer, Params::OneAny},
    {u"f_vl_load_com", f_vl_load_com, EvalMode::All, Kind::NilTList, Params::None},
};

std::span<const BuiltinDescriptor> CompatibilityBuiltins() { return kCompatibilityRows; }
