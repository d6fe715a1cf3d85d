// List, symbol and predicate built-ins: car/cdr and their compositions, list construction and
// search, type predicates, set, the symbol-table query and the sorting entries.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_set(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_atom(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_atomsf(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_boundp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_not(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_null(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_type(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_append(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_assoc(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_car(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_caar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cadr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cddr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_caaar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_caadr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cadar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_caddr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdaar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdadr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cddar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdddr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_caaaar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_caaadr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_caadar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_caaddr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cadaar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cadadr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_caddar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cadddr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdaaar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdaadr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdadar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdaddr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cddaar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cddadr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cdddar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cddddr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cons(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_last(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_length(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_listp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_member(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_nth(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_reverse(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_subst(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ausgeben(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_stringsort(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_sort(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_sort_i(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_acadstringsort(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr ParamGroup kSymbolAndValue[] = {{Kind::Symbol, 1, 0}, {Kind::Any, 1, 0}};
constexpr ParamGroup kIntegerOptionalList[] = {{Kind::Integer, 1, 0}, {Kind::List, 1, ParamOption::Optional}};
constexpr ParamGroup kManyLists[] = {{Kind::List, kManyArguments, 0}};
constexpr ParamGroup kValueAndList[] = {{Kind::Any, 1, 0}, {Kind::List, 1, 0}};
constexpr ParamGroup kIntegerAndList[] = {{Kind::Integer, 1, 0}, {Kind::List, 1, 0}};
constexpr ParamGroup kTwoValuesAndList[] = {{Kind::Any, 2, 0}, {Kind::List, 1, 0}};
constexpr ParamGroup kListAndFunction[] = {{Kind::List, 1, 0}, {Kind::Any, 1, 0}};
}  // namespace

constexpr BuiltinDescriptor kListRows[] = {
    {u"f_set", f_set, EvalMode::All, Kind::Symbol, kSymbolAndValue},
    {u"f_atom", f_atom, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_atomsf", f_atomsf, EvalMode::All, Kind::List, kIntegerOptionalList},
    {u"f_boundp", f_boundp, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_not", f_not, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_null", f_null, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_type", f_type, EvalMode::All, Kind::Any, Params::OneAny},
    {u"f_append", f_append, EvalMode::All, Kind::List, kManyLists},
    {u"f_assoc", f_assoc, EvalMode::All, Kind::List, kValueAndList},
    {u"f_car", f_car, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdr", f_cdr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caar", f_caar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cadr", f_cadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdar", f_cdar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cddr", f_cddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caaar", f_caaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caadr", f_caadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cadar", f_cadar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caddr", f_caddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdaar", f_cdaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdadr", f_cdadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cddar", f_cddar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdddr", f_cdddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caaaar", f_caaaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caaadr", f_caaadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caadar", f_caadar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caaddr", f_caaddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cadaar", f_cadaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cadadr", f_cadadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caddar", f_caddar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cadddr", f_cadddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdaaar", f_cdaaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdaadr", f_cdaadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdadar", f_cdadar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdaddr", f_cdaddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cddaar", f_cddaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cddadr", f_cddadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdddar", f_cdddar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cddddr", f_cddddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cons", f_cons, EvalMode::All, Kind::List, Params::TwoAny},
    {u"f_last", f_last, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_length", f_length, EvalMode::All, Kind::Integer, Params::OneList},
    {u"f_list", f_list, EvalMode::All, Kind::List, Params::ManyAny},
    {u"f_listp", f_listp, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_member", f_member, EvalMode::All, Kind::List, kValueAndList},
    {u"f_nth", f_nth, EvalMode::All, Kind::Any, kIntegerAndList},
    {u"f_reverse", f_reverse, EvalMode::All, Kind::List, Params::OneList},
    {u"f_subst", f_subst, EvalMode::All, Kind::List, kTwoValuesAndList},
    {u"f_ausgeben", f_ausgeben, EvalMode::All, Kind::Any, Params::OneAny},
    {u"f_stringsort", f_stringsort, EvalMode::All, Kind::NilTList, Params::OneList},
    {u"f_vl_sort", f_vl_sort, EvalMode::All, Kind::List, kListAndFunction},
    {u"f_vl_sort_i", f_vl_sort_i, EvalMode::All, Kind::List, kListAndFunction},
    {u"f_acadstringsort", f_acadstringsort, EvalMode::All, Kind::NilTList, Params::OneList},
};

std::span<const BuiltinDescriptor> ListBuiltins() { return kListRows; }
