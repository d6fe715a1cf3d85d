// External-application built-ins: loading and unloading ZAZ applications and DRX/ARX modules,
// listing them, and the two call paths (f_xfunc, f_drxfunc) that their functions share.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

#include <iterator>
#include <string_view>

LispStatus f_zaz(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_xload(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_xunload(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_xfunc(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_arx(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_drx(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_arxload(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_drxload(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_arxunload(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_drxunload(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_drxfunc(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
// The name is checked to be a string by the loader, which shares that check with LoadApplication.
constexpr ParamGroup kNameOptionalFailure[] = {{Kind::Any, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};

// Every ZAZ function node points at this descriptor, not at the table's row of the same name.
constexpr BuiltinDescriptor kExternalFunction = {u"f_xfunc", f_xfunc, EvalMode::External, Kind::Any, Params::ManyAny};
}  // namespace

constexpr BuiltinDescriptor kExternalAppRows[] = {
    {u"f_zaz", f_zaz, EvalMode::All, Kind::List, Params::None},
    {u"f_xload", f_xload, EvalMode::FirstOnly, Kind::String, kNameOptionalFailure},
    {u"f_xunload", f_xunload, EvalMode::FirstOnly, Kind::String, kNameOptionalFailure},
    {u"f_xfunc", f_xfunc, EvalMode::External, Kind::Any, Params::ManyAny},
    {u"f_arx", f_arx, EvalMode::All, Kind::List, Params::None},
    {u"f_drx", f_drx, EvalMode::All, Kind::List, Params::None},
    {u"f_arxload", f_arxload, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_drxload", f_drxload, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_arxunload", f_arxunload, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_drxunload", f_drxunload, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_drxfunc", f_drxfunc, EvalMode::External, Kind::Any, Params::ManyAny},
};

// f_drxfunc is never named: it goes last in the engine-wide table, apart from its family.
static_assert(std::u16string_view(kExternalAppRows[std::size(kExternalAppRows) - 1].name) == u"f_drxfunc");
std::span<const BuiltinDescriptor> ExternalAppBuiltins() { return std::span(kExternalAppRows).first(std::size(kExternalAppRows) - 1); }

const BuiltinDescriptor& NativeFunctionDescriptor() { return kExternalAppRows[std::size(kExternalAppRows) - 1]; }

const BuiltinDescriptor& ExternalFunctionDescriptor() { return kExternalFunction; }
