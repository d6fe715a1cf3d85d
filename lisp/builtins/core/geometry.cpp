// Geometry and unit-formatting built-ins: points and angles, the text box, and numbers to and
// from text in drawing units.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_distance(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_angle(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_polar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_inters(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_textbox(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_rtos(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_distof(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_angtos(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_angtof(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cvunit(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr ParamGroup kTwoLists[] = {{Kind::List, 2, 0}};
constexpr ParamGroup kPointAngleDistance[] = {{Kind::List, 1, 0}, {Kind::Number, 2, 0}};
constexpr ParamGroup kIntersParams[] = {{Kind::List, 4, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kRtosParams[] = {{Kind::Number, 1, 0}, {Kind::Number, 2, ParamOption::Optional}};
// A missing angle reads as 0.0, so even the first number is optional.
constexpr ParamGroup kAngtosParams[] = {{Kind::Number, 3, ParamOption::Optional}};
constexpr ParamGroup kTextOptionalMode[] = {{Kind::String, 1, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kCvunitParams[] = {{Kind::Any, 1, 0}, {Kind::String, 2, 0}};
}  // namespace

constexpr BuiltinDescriptor kGeometryRows[] = {
    {u"f_distance", f_distance, EvalMode::All, Kind::Real, kTwoLists},
    {u"f_angle", f_angle, EvalMode::All, Kind::Real, kTwoLists},
    {u"f_polar", f_polar, EvalMode::All, Kind::List, kPointAngleDistance},
    {u"f_inters", f_inters, EvalMode::All, Kind::NilTList, kIntersParams},
    {u"f_textbox", f_textbox, EvalMode::All, Kind::NilTList, Params::OneList},
    {u"f_rtos", f_rtos, EvalMode::All, Kind::String, kRtosParams},
    {u"f_distof", f_distof, EvalMode::All, Kind::Real, kTextOptionalMode},
    {u"f_angtos", f_angtos, EvalMode::All, Kind::String, kAngtosParams},
    {u"f_angtof", f_angtof, EvalMode::All, Kind::Real, kTextOptionalMode},
    {u"f_cvunit", f_cvunit, EvalMode::All, Kind::Real | Kind::List, kCvunitParams},
};

std::span<const BuiltinDescriptor> GeometryBuiltins() { return kGeometryRows; }
