// String and conversion built-ins: measuring, cutting, searching, trimming and translating
// strings in their UTF-16 and code-page views, and the printed form of a value.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_translate(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_strcase(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_strcat(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_strlen(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_substr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ascii(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_chr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_wcmatch(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_symbtos(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_elt(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_left_trim(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_mismatch(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_position(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_right_trim(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_search(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_subst(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_trim(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_string_translate(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_strulen(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_substru(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_stringu_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_list_string(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr ParamGroup kStringOptionalValue[] = {{Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
// nil among the arguments ends the concatenation rather than failing the call.
constexpr ParamGroup kManyStringsOrNil[] = {{Kind::StringOrNil, kManyArguments, 0}};
constexpr ParamGroup kManyStrings[] = {{Kind::String, kManyArguments, 0}};
// A nil length means "to the end", so the third group admits nil.
constexpr ParamGroup kSubstrParams[] = {
    {Kind::String, 1, 0}, {Kind::Integer, 1, 0}, {Kind::IntNilTList, 1, ParamOption::Optional}};
constexpr ParamGroup kSubstruParams[] = {
    {Kind::String, 1, 0}, {Kind::Integer, 1, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kStringAndInteger[] = {{Kind::String, 1, 0}, {Kind::Integer, 1, 0}};
constexpr ParamGroup kMismatchParams[] = {
    {Kind::String, 2, 0}, {Kind::Integer, 2, ParamOption::Optional}, {Kind::Atom, 1, ParamOption::Optional}};
constexpr ParamGroup kPositionParams[] = {{Kind::Integer, 1, 0},
                                          {Kind::String, 1, 0},
                                          {Kind::IntNilTList, 1, ParamOption::Optional},
                                          {Kind::Atom, 1, ParamOption::Optional}};
constexpr ParamGroup kTwoStringsOptionalStart[] = {{Kind::String, 2, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kThreeStringsOptionalStart[] = {{Kind::String, 3, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kThreeStrings[] = {{Kind::String, 3, 0}};
}  // namespace

constexpr BuiltinDescriptor kStringRows[] = {
    {u"f_translate", f_translate, EvalMode::All, Kind::String, Params::TwoStrings},
    {u"f_strcase", f_strcase, EvalMode::All, Kind::String, kStringOptionalValue},
    {u"f_strcat", f_strcat, EvalMode::All, Kind::String, kManyStringsOrNil},
    {u"f_strlen", f_strlen, EvalMode::All, Kind::Integer, kManyStrings},
    {u"f_substr", f_substr, EvalMode::All, Kind::String, kSubstrParams},
    {u"f_ascii", f_ascii, EvalMode::All, Kind::Integer, Params::OneString},
    {u"f_chr", f_chr, EvalMode::All, Kind::String, Params::OneInteger},
    {u"f_wcmatch", f_wcmatch, EvalMode::All, Kind::Atom, Params::TwoStrings},
    {u"f_symbtos", f_symbtos, EvalMode::All, Kind::String, Params::ManyAny},
    {u"f_vl_string_elt", f_vl_string_elt, EvalMode::All, Kind::Integer, kStringAndInteger},
    {u"f_vl_string_list", f_vl_string_list, EvalMode::All, Kind::List, Params::OneString},
    {u"f_vl_string_left_trim", f_vl_string_left_trim, EvalMode::All, Kind::String, Params::TwoStrings},
    {u"f_vl_string_mismatch", f_vl_string_mismatch, EvalMode::All, Kind::Integer, kMismatchParams},
    {u"f_vl_string_position", f_vl_string_position, EvalMode::All, Kind::IntNilTList, kPositionParams},
    {u"f_vl_string_right_trim", f_vl_string_right_trim, EvalMode::All, Kind::String, Params::TwoStrings},
    {u"f_vl_string_search", f_vl_string_search, EvalMode::All, Kind::IntNilTList, kTwoStringsOptionalStart},
    {u"f_vl_string_subst", f_vl_string_subst, EvalMode::All, Kind::String, kThreeStringsOptionalStart},
    {u"f_vl_string_trim", f_vl_string_trim, EvalMode::All, Kind::String, Params::TwoStrings},
    {u"f_vl_string_translate", f_vl_string_translate, EvalMode::All, Kind::StringOrNil, kThreeStrings},
    {u"f_strulen", f_strulen, EvalMode::All, Kind::Integer, kManyStrings},
    {u"f_substru", f_substru, EvalMode::All, Kind::String, kSubstruParams},
    {u"f_vl_stringu_list", f_vl_stringu_list, EvalMode::All, Kind::List, Params::OneString},
    {u"f_vl_list_string", f_vl_list_string, EvalMode::All, Kind::String, Params::OneList},
};

std::span<const BuiltinDescriptor> StringBuiltins() { return kStringRows; }
