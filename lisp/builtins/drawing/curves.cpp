// Curve built-ins: parameter range, points, distances, derivatives, closest points, area and
// shape flags of one curve object.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_vlax_curve_getarea(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getclosestpointto(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getclosestpointtoprojection(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getdistatparam(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getdistatpoint(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getendparam(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getendpoint(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getfirstderiv(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getparamatdist(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getparamatpoint(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getpointatdist(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getpointatparam(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getsecondderiv(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getstartparam(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_getstartpoint(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_isclosed(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_isplanar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vlax_curve_isperiodic(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr ParamGroup kCurve[] = {{Kind::EntityName, 1, 0}};
constexpr ParamGroup kCurveAndPoint[] = {{Kind::EntityName, 1, 0}, {Kind::List, 1, 0}};
constexpr ParamGroup kCurveAndNumber[] = {{Kind::EntityName, 1, 0}, {Kind::Number, 1, 0}};
constexpr ParamGroup kClosestPointParams[] = {{Kind::EntityName, 1, 0}, {Kind::List, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kProjectionParams[] = {{Kind::EntityName, 1, 0}, {Kind::List, 2, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr std::uint32_t kRealOrNil = Kind::Real | Kind::NilTList;
}  // namespace

constexpr BuiltinDescriptor kCurveRows[] = {
    {u"f_vlax_curve_getarea", f_vlax_curve_getarea, EvalMode::All, kRealOrNil, kCurve},
    {u"f_vlax_curve_getclosestpointto", f_vlax_curve_getclosestpointto, EvalMode::All, Kind::NilTList, kClosestPointParams},
    {u"f_vlax_curve_getclosestpointtoprojection", f_vlax_curve_getclosestpointtoprojection, EvalMode::All, Kind::NilTList, kProjectionParams},
    {u"f_vlax_curve_getdistatparam", f_vlax_curve_getdistatparam, EvalMode::All, kRealOrNil, kCurveAndNumber},
    {u"f_vlax_curve_getdistatpoint", f_vlax_curve_getdistatpoint, EvalMode::All, kRealOrNil, kCurveAndPoint},
    {u"f_vlax_curve_getendparam", f_vlax_curve_getendparam, EvalMode::All, kRealOrNil, kCurve},
    {u"f_vlax_curve_getendpoint", f_vlax_curve_getendpoint, EvalMode::All, Kind::NilTList, kCurve},
    {u"f_vlax_curve_getfirstderiv", f_vlax_curve_getfirstderiv, EvalMode::All, Kind::NilTList, kCurveAndNumber},
    {u"f_vlax_curve_getparamatdist", f_vlax_curve_getparamatdist, EvalMode::All, kRealOrNil, kCurveAndNumber},
    {u"f_vlax_curve_getparamatpoint", f_vlax_curve_getparamatpoint, EvalMode::All, kRealOrNil, kCurveAndPoint},
    {u"f_vlax_curve_getpointatdist", f_vlax_curve_getpointatdist, EvalMode::All, Kind::NilTList, kCurveAndNumber},
    {u"f_vlax_curve_getpointatparam", f_vlax_curve_getpointatparam, EvalMode::All, Kind::NilTList, kCurveAndNumber},
    {u"f_vlax_curve_getsecondderiv", f_vlax_curve_getsecondderiv, EvalMode::All, Kind::NilTList, kCurveAndNumber},
    {u"f_vlax_curve_getstartparam", f_vlax_curve_getstartparam, EvalMode::All, kRealOrNil, kCurve},
    {u"f_vlax_curve_getstartpoint", f_vlax_curve_getstartpoint, EvalMode::All, Kind::NilTList, kCurve},
    {u"f_vlax_curve_isclosed", f_vlax_curve_isclosed, EvalMode::All, Kind::Atom, kCurve},
    {u"f_vlax_curve_isplanar", f_vlax_curve_isplanar, EvalMode::All, Kind::Atom, kCurve},
    {u"f_vlax_curve_isperiodic", f_vlax_curve_isperiodic, EvalMode::All, Kind::Atom, kCurve},
};

std::span<const BuiltinDescriptor> CurveBuiltins() { return kCurveRows; }
