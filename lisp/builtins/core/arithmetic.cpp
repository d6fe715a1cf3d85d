// Arithmetic and numeric built-ins: the four operations, integer bit operations, transcendental
// functions, number conversions, numeric predicates, comparisons and the engine-status entries.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_add(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_sub(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_mul(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_div(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_neg(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_1add(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_1sub(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_abs(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_atan(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_exp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_expt(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_fix(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_float(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_gcd(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_log(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_logand(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_logior(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_max(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_min(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_rem(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_sqrt(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_sin(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cos(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tan(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vmon(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_lsh(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_gc(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_mem(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_minusp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_zerop(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_numberp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_isequal(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_notequal(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_lower(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_lowequ(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_greater(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_greatequ(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_atof(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_atoi(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_itoa(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_boole(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_eq(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_equal(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ver(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_alloc(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_expand(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr ParamGroup kNumberOptionalNumber[] = {{Kind::Number, 1, 0}, {Kind::Number, 1, ParamOption::Optional}};
constexpr ParamGroup kTwoIntegersAndMore[] = {{Kind::Integer, 2, 0}, {Kind::Integer, kManyArguments, 0}};
// Structural equality accepts any pair of nodes, then an optional fuzz.
constexpr ParamGroup kTwoValuesOptionalFuzz[] = {{Kind::Every, 2, 0}, {Kind::Number, 1, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kArithmeticRows[] = {
    {u"f_add", f_add, EvalMode::All, Kind::Number, Params::ManyNumbers},
    {u"f_sub", f_sub, EvalMode::All, Kind::Number, Params::ManyNumbers},
    {u"f_mul", f_mul, EvalMode::All, Kind::Number, Params::ManyNumbers},
    {u"f_div", f_div, EvalMode::All, Kind::Number, Params::ManyNumbers},
    {u"f_neg", f_neg, EvalMode::All, Kind::Integer, Params::OneInteger},
    {u"f_1add", f_1add, EvalMode::All, Kind::Number, Params::OneNumber},
    {u"f_1sub", f_1sub, EvalMode::All, Kind::Number, Params::OneNumber},
    {u"f_abs", f_abs, EvalMode::All, Kind::Number, Params::OneNumber},
    {u"f_atan", f_atan, EvalMode::All, Kind::Number, kNumberOptionalNumber},
    {u"f_exp", f_exp, EvalMode::All, Kind::Real, Params::OneNumber},
    {u"f_expt", f_expt, EvalMode::All, Kind::Number, Params::TwoNumbers},
    {u"f_fix", f_fix, EvalMode::All, Kind::Number, Params::OneNumber},
    {u"f_float", f_float, EvalMode::All, Kind::Real, Params::OneNumber},
    {u"f_gcd", f_gcd, EvalMode::All, Kind::Integer, Params::TwoIntegers},
    {u"f_log", f_log, EvalMode::All, Kind::Real, Params::OneNumber},
    {u"f_logand", f_logand, EvalMode::All, Kind::Integer, Params::ManyIntegers},
    {u"f_logior", f_logior, EvalMode::All, Kind::Integer, Params::ManyIntegers},
    {u"f_max", f_max, EvalMode::All, Kind::Number, Params::ManyNumbers},
    {u"f_min", f_min, EvalMode::All, Kind::Number, Params::ManyNumbers},
    {u"f_rem", f_rem, EvalMode::All, Kind::Number, Params::ManyNumbers},
    {u"f_sqrt", f_sqrt, EvalMode::All, Kind::Real, Params::OneNumber},
    {u"f_sin", f_sin, EvalMode::All, Kind::Real, Params::OneNumber},
    {u"f_cos", f_cos, EvalMode::All, Kind::Real, Params::OneNumber},
    {u"f_tan", f_tan, EvalMode::All, Kind::Real, Params::OneNumber},
    {u"f_vmon", f_vmon, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_lsh", f_lsh, EvalMode::All, Kind::Integer, Params::TwoIntegers},
    {u"f_gc", f_gc, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_mem", f_mem, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_minusp", f_minusp, EvalMode::All, Kind::Atom, Params::OneNumber},
    {u"f_zerop", f_zerop, EvalMode::All, Kind::Atom, Params::OneNumber},
    {u"f_numberp", f_numberp, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_isequal", f_isequal, EvalMode::All, Kind::Atom, Params::ManyAny},
    {u"f_notequal", f_notequal, EvalMode::All, Kind::Atom, Params::ManyAny},
    {u"f_lower", f_lower, EvalMode::All, Kind::Atom, Params::ManyAny},
    {u"f_lowequ", f_lowequ, EvalMode::All, Kind::Atom, Params::ManyAny},
    {u"f_greater", f_greater, EvalMode::All, Kind::Atom, Params::ManyAny},
    {u"f_greatequ", f_greatequ, EvalMode::All, Kind::Atom, Params::ManyAny},
    {u"f_atof", f_atof, EvalMode::All, Kind::Real, Params::OneString},
    {u"f_atoi", f_atoi, EvalMode::All, Kind::Integer, Params::OneString},
    {u"f_itoa", f_itoa, EvalMode::All, Kind::String, Params::OneInteger},
    {u"f_boole", f_boole, EvalMode::All, Kind::Integer, kTwoIntegersAndMore},
    {u"f_eq", f_eq, EvalMode::All, Kind::Atom, Params::TwoAny},
    {u"f_equal", f_equal, EvalMode::All, Kind::Atom, kTwoValuesOptionalFuzz},
    {u"f_ver", f_ver, EvalMode::All, Kind::String, Params::None},
    {u"f_alloc", f_alloc, EvalMode::All, Kind::Integer, Params::ManyNumbers},
    {u"f_expand", f_expand, EvalMode::All, Kind::Integer, Params::ManyNumbers},
};

std::span<const BuiltinDescriptor> ArithmeticBuiltins() { return kArithmeticRows; }
