// quit, exit and error: they end the running command line with their status and nothing else.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_quit(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::Quit; }
LispStatus f_exit(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::Exit; }
LispStatus f_error(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {

constexpr BuiltinDescriptor kTerminationRows[] = {
    {u"f_quit", f_quit, EvalMode::All, Kind::Any, Params::None},
    {u"f_error", f_error, EvalMode::All, Kind::Any, Params::ManyAny},
    {u"f_exit", f_exit, EvalMode::All, Kind::Any, Params::None},
};

}  // namespace

std::span<const BuiltinDescriptor> TerminationBuiltins() { return kTerminationRows; }
