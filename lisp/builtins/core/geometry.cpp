// Geometry and unit-formatting built-ins: points and angles, the text box, and numbers to and
// from text in drawing units.
#include "lisp/builtins/drawing/unit_services.h"
#include "lisp/core/builtin_families.h"
#include "lisp/core/data_lists.h"
#include "lisp/core/engine.h"
#include "host/TqStatus.h"

#include <initializer_list>
#include <span>

namespace {

// A point value: a proper list whose first two elements, and third when present, are numbers;
// further elements do not count. 0 when it is none, else the number of coordinates given.
int ReadPoint(const LispNode* value, double (&point)[3])
{
    if (!value || value->type != NodeType::List)
        return 0;
    point[0] = point[1] = point[2] = 0.0;
    int count = 0;
    for (const LispNode* element = value->first; element && count < 3; element = element->next) {
        if (!IsNumber(element))
            return 0;
        point[count++] = NumberValue(element);
    }
    return count >= 2 ? count : 0;
}

LispStatus ReadPoints(std::initializer_list<const LispNode*> values, double (*points)[3], bool& flat)
{
    flat = false;
    int i = 0;
    for (const LispNode* value : values) {
        const int count = ReadPoint(value, points[i++]);
        if (count == 0)
            return LispStatus::NoPointList;
        flat = flat || count == 2;
    }
    return LispStatus::Ok;
}

LispStatus MakePointResult(CTqLISPImpl& engine, const double (&point)[3], bool flat, LispNode*& out)
{
    return engine.MakePoint(std::span<const double>(point, flat ? 2 : 3), out);
}

// The integer argument, or -1 when it is missing or not an integer.
int IntegerOrDefault(const LispNode* value)
{
    return IsInteger(value) ? int(value->payload.integer) : -1;
}

// The elevation the host reports, for points given without z.
LispStatus Elevation(CTqLISPImpl& engine, CTqUnitServices& units, double& z)
{
    z = 0.0;
    TqResultBuffer* record = nullptr;
    const short status = units.GetVariable(CTqString(u"ELEVATION"), record);
    ChainHolder held(*engine.Services(), record);
    if (status != tq::kNormal) {
        NodeRef answer(engine);
        return engine.MapHostStatusLenient(status, answer.slot());
    }
    switch (record ? record->restype : short(tqrt::kNone)) {
    case tqrt::kReal:
    case tqrt::kAngle: z = record->value.real; return LispStatus::Ok;
    case tqrt::kShort: z = record->value.int16; return LispStatus::Ok;
    case tqrt::kLong: z = record->value.int32; return LispStatus::Ok;
    default: return LispStatus::InvalidParameter;
    }
}

// A formatted number or angle: the text, the host's error, or an invalid parameter.
LispStatus FormattedResult(CTqLISPImpl& engine, short status, const char16_t* text, LispNode*& out)
{
    if (status == tq::kNormal)
        return engine.MakeLiteralString(text, out);
    NodeRef answer(engine);
    LISP_TRY(engine.MapHostStatus(status, answer.slot()));
    return LispStatus::InvalidParameter;
}

// What the lenient mapping makes of a failed host answer: an error, a keyword or nil.
LispStatus HostFailureOrNil(CTqLISPImpl& engine, short status, LispNode*& out)
{
    NodeRef answer(engine);
    LISP_TRY(engine.MapHostStatusLenient(status, answer.slot()));
    if (answer) {
        out = answer.take();
        return LispStatus::Ok;
    }
    return engine.MakeNil(out);
}

// A parsed real, or what the lenient mapping makes of the host's answer.
LispStatus ParsedResult(CTqLISPImpl& engine, short status, double value, LispNode*& out)
{
    if (status == tq::kNormal)
        return engine.MakeReal(value, out);
    return HostFailureOrNil(engine, status, out);
}

}  // namespace

LispStatus f_distance(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsList(args) || !IsList(args->next))
        return LispStatus::InvalidParameter;
    double points[2][3];
    bool flat = false;
    LISP_TRY(ReadPoints({args, args->next}, points, flat));
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    if (flat) {
        double z = 0.0;
        LISP_TRY(Elevation(engine, *units, z));
        points[0][2] = points[1][2] = z;
    }
    double distance = 0.0;
    const short status = units->Distance(points[0], points[1], distance);
    if (status != tq::kNormal)
        return HostFailureOrNil(engine, status, out);
    return engine.MakeReal(distance, out);
}

LispStatus f_angle(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    double points[2][3];
    bool flat = false;
    LISP_TRY(ReadPoints({args, args->next}, points, flat));
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    double angle = 0.0;
    const short status = units->Angle(points[0], points[1], angle);
    if (status != tq::kNormal)
        return HostFailureOrNil(engine, status, out);
    return engine.MakeReal(angle, out);
}

LispStatus f_polar(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    double base[3];
    const int count = ReadPoint(args, base);
    if (count == 0)
        return LispStatus::NoPointList;
    const LispNode* angle = args->next;
    const LispNode* distance = angle ? angle->next : nullptr;
    if (!IsNumber(angle) || !IsNumber(distance))
        return LispStatus::InvalidOperand;
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    double point[3] = {0.0, 0.0, 0.0};
    const short status = units->Polar(base, NumberValue(angle), NumberValue(distance), point);
    if (status != tq::kNormal)
        return HostFailureOrNil(engine, status, out);
    return MakePointResult(engine, point, count == 2, out);
}

LispStatus f_inters(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* p2 = args->next;
    const LispNode* p3 = p2 ? p2->next : nullptr;
    const LispNode* p4 = p3 ? p3->next : nullptr;
    double points[4][3];
    bool flat = false;
    LISP_TRY(ReadPoints({args, p2, p3, p4}, points, flat));
    if (flat) {
        for (auto& point : points)
            point[2] = 0.0;
    }
    const LispNode* flag = p4 ? p4->next : nullptr;
    const bool segmentsOnly = !flag || !IsNil(flag);
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    double point[3] = {0.0, 0.0, 0.0};
    const short status = units->Intersection(points[0], points[1], points[2], points[3], segmentsOnly, point);
    if (status == tq::kNormal)
        return MakePointResult(engine, point, flat, out);
    NodeRef answer(engine);
    const LispStatus mapped = engine.MapHostStatus(status, answer.slot());
    if (mapped != LispStatus::Ok && mapped != LispStatus::GeneralError)
        return mapped;
    return engine.MakeNil(out);
}

LispStatus f_textbox(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsConsList(args))
        return LispStatus::InvalidParameter;
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    ChainBuilder chain(*engine.Services());
    LISP_TRY(DataListToChain(engine, args, chain));
    double lower[3] = {0.0, 0.0, 0.0};
    double upper[3] = {0.0, 0.0, 0.0};
    if (units->TextBox(chain.Head(), lower, upper) != tq::kNormal)
        return engine.MakeNil(out);
    ListBuilder corners(engine);
    LISP_TRY(corners.Begin());
    for (const double* corner : {lower, upper}) {
        NodeRef point(engine);
        LISP_TRY(engine.MakePoint(std::span<const double>(corner, 3), point.slot()));
        corners.Append(point.take());
    }
    return corners.Finish(out);
}

LispStatus f_rtos(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* mode = args->next;
    const LispNode* precision = mode ? mode->next : nullptr;
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    char16_t text[100] = {};
    const short status = units->FormatDistance(NumberValue(args), IntegerOrDefault(mode), IntegerOrDefault(precision), text, 100);
    return FormattedResult(engine, status, text, out);
}

LispStatus f_angtos(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* mode = args ? args->next : nullptr;
    const LispNode* precision = mode ? mode->next : nullptr;
    const int modeNumber = IntegerOrDefault(mode);
    if (modeNumber > 4)
        return LispStatus::InvalidParameter;
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    char16_t text[100] = {};
    const double angle = IsNumber(args) ? NumberValue(args) : 0.0;
    const short status = units->FormatAngle(angle, modeNumber, IntegerOrDefault(precision), text, 100);
    return FormattedResult(engine, status, text, out);
}

LispStatus f_distof(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    double value = 0.0;
    const short status = units->ParseDistance(CTqString(StringText(args)), IntegerOrDefault(args->next), value);
    return ParsedResult(engine, status, value, out);
}

LispStatus f_angtof(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    double value = 0.0;
    const int mode = IsInteger(args->next) ? int(args->next->payload.integer) : 0;
    const short status = units->ParseAngle(CTqString(StringText(args)), mode, value);
    return ParsedResult(engine, status, value, out);
}

LispStatus f_cvunit(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* from = args->next;
    const LispNode* to = from ? from->next : nullptr;
    if (!from || !to)
        return LispStatus::InvalidParameter;
    if (!IsStringNode(from) || !IsStringNode(to))
        return LispStatus::InvalidParameter;
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    const CTqString fromUnit(StringText(from));
    const CTqString toUnit(StringText(to));
    if (!IsList(args)) {
        if (!IsNumber(args))
            return LispStatus::InvalidParameter;
        double result = 0.0;
        if (units->ConvertUnit(NumberValue(args), fromUnit, toUnit, result) != tq::kNormal)
            return engine.MakeNil(out);
        return engine.MakeReal(result, out);
    }
    // The walk stops at the first element that is no number; a failed conversion (the units
    // are the same for every element) makes the whole result nil.
    ListBuilder results(engine);
    LISP_TRY(results.Begin());
    for (const LispNode* element = IsConsList(args) ? args->first : nullptr; element && IsNumber(element); element = element->next) {
        double result = 0.0;
        if (units->ConvertUnit(NumberValue(element), fromUnit, toUnit, result) != tq::kNormal)
            return engine.MakeNil(out);
        NodeRef value(engine);
        LISP_TRY(engine.MakeReal(result, value.slot()));
        results.Append(value.take());
    }
    return results.Finish(out);
}

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
