// Arithmetic and numeric built-ins: the four operations, integer bit operations, transcendental
// functions, number conversions, numeric predicates, comparisons and the engine-status entries.
#include "lisp/core/builtin_families.h"
#include "lisp/core/code_page.h"
#include "lisp/core/engine.h"
#include "lisp/core/equality.h"

#include <QStringView>

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// A number argument, or an accumulator: an integer until a real takes part.
using Number = LispNumber;

Number NumberOf(const LispNode* node)
{
    Number number;
    if (node->type == NodeType::Integer)
        number.integer = node->payload.integer;
    else
        number.SetReal(node->payload.real);
    return number;
}

inline LispStatus MakeNumber(const Number& number, CTqLISPImpl& engine, LispNode*& out)
{
    return number.isReal ? engine.MakeReal(number.real, out) : engine.MakeInteger(number.integer, out);
}

// The single number of a one-number built-in.
LispStatus OnlyNumber(const LispNode* args, Number& number)
{
    if (!args)
        return LispStatus::MissingParameter;
    number = NumberOf(args);
    return LispStatus::Ok;
}

// 32-bit integer arithmetic wraps around; unsigned operations make that defined behaviour.
std::int32_t WrapAdd(std::int32_t a, std::int32_t b) { return std::int32_t(std::uint32_t(a) + std::uint32_t(b)); }
std::int32_t WrapSub(std::int32_t a, std::int32_t b) { return std::int32_t(std::uint32_t(a) - std::uint32_t(b)); }
std::int32_t WrapMul(std::int32_t a, std::int32_t b) { return std::int32_t(std::uint32_t(a) * std::uint32_t(b)); }
std::int32_t WrapNegate(std::int32_t a) { return std::int32_t(0u - std::uint32_t(a)); }

// Truncation toward zero. Outside the 32-bit range (or for NaN) the value is 0 and the result
// false; each caller decides what that means.
bool TruncateToInteger(double value, std::int32_t& result)
{
    result = 0;
    if (!(value <= 2147483647.0 && value >= -2147483648.0))
        return false;
    result = std::int32_t(value);
    return true;
}

// ---- accumulating operations ----------------------------------------------------------------

// Combines an operand into the accumulator: in 32 bits while both are integers, in doubles
// from the first real on.
template <typename IntegerOp, typename RealOp>
LispStatus Promote(Number& acc, const Number& operand, IntegerOp integerOp, RealOp realOp)
{
    if (!acc.isReal && !operand.isReal)
        acc.integer = integerOp(acc.integer, operand.integer);
    else
        acc.SetReal(realOp(acc.AsReal(), operand.AsReal()));
    return LispStatus::Ok;
}

// The fold shared by + - * / rem max min logand logior: the first argument seeds the
// accumulator, each further one is combined into it; no argument gives the integer 0. Only the
// result is allocated.
template <typename Combine>
LispStatus Fold(LispNode*& out, const LispNode* args, CTqLISPImpl& engine, Combine combine)
{
    Number acc;
    if (args) {
        acc = NumberOf(args);
        for (const LispNode* operand = args->next; operand; operand = operand->next)
            LISP_TRY(combine(acc, NumberOf(operand)));
    }
    return MakeNumber(acc, engine, out);
}

LispStatus Add(Number& acc, const Number& operand)
{
    return Promote(acc, operand, WrapAdd, [](double a, double b) { return a + b; });
}

LispStatus Subtract(Number& acc, const Number& operand)
{
    return Promote(acc, operand, WrapSub, [](double a, double b) { return a - b; });
}

LispStatus Multiply(Number& acc, const Number& operand)
{
    return Promote(acc, operand, WrapMul, [](double a, double b) { return a * b; });
}

LispStatus Divide(Number& acc, const Number& divisor)
{
    if (divisor.IsZero())
        return LispStatus::DivisionByZero;
    // The most negative integer divided by -1 wraps to itself, as its negation does.
    return Promote(
        acc, divisor, [](std::int32_t a, std::int32_t b) { return b == -1 ? WrapNegate(a) : a / b; },
        [](double a, double b) { return a / b; });
}

LispStatus Remainder(Number& acc, const Number& divisor)
{
    if (divisor.IsZero())
        return LispStatus::DivisionByZero;
    std::int32_t quotient = 0;
    if (!acc.isReal && !divisor.isReal) {
        acc.integer = divisor.integer == -1 ? 0 : acc.integer % divisor.integer;
    } else if (divisor.isReal) {
        const double dividend = acc.AsReal();
        (void)TruncateToInteger(dividend / divisor.real, quotient);  // out of range: quotient 0
        acc.SetReal(dividend - double(quotient) * divisor.real);
    } else {
        // A real dividend by an integer forms the product in 32-bit arithmetic.
        (void)TruncateToInteger(acc.real / divisor.integer, quotient);
        acc.SetReal(acc.real - double(WrapMul(divisor.integer, quotient)));
    }
    return LispStatus::Ok;
}

LispStatus Maximum(Number& acc, const Number& operand)
{
    return Promote(
        acc, operand, [](std::int32_t a, std::int32_t b) { return std::max(a, b); },
        [](double a, double b) { return std::max(a, b); });
}

LispStatus Minimum(Number& acc, const Number& operand)
{
    return Promote(
        acc, operand, [](std::int32_t a, std::int32_t b) { return std::min(a, b); },
        [](double a, double b) { return std::min(a, b); });
}

// The bit operations take integers only (the argument check ensures it).
LispStatus BitAnd(Number& acc, const Number& operand)
{
    acc.integer &= operand.integer;
    return LispStatus::Ok;
}

LispStatus BitOr(Number& acc, const Number& operand)
{
    acc.integer |= operand.integer;
    return LispStatus::Ok;
}

// ---- single numbers --------------------------------------------------------------------------

// Applies an operation to the single argument, keeping its type.
template <typename IntegerOp, typename RealOp>
LispStatus MapNumber(LispNode*& out, const LispNode* args, CTqLISPImpl& engine, IntegerOp integerOp, RealOp realOp)
{
    Number number;
    LISP_TRY(OnlyNumber(args, number));
    if (number.isReal)
        number.real = realOp(number.real);
    else
        number.integer = integerOp(number.integer);
    return MakeNumber(number, engine, out);
}

// Where a transcendental function is defined; arguments outside fail before the library call.
enum class Domain : std::uint8_t { All, NonNegative, Positive };

// One real function of one number. Unless `ignoreLibraryErrors`, a domain or range error is a
// math error: one the C library signals through errno, and one it leaves errno alone for (the
// sine of an infinity) but shows in the result: NaN from a number, an infinity from a finite one.
// The floating-point exception flags would say the same, but the compiler may move the library
// call across their test.
LispStatus RealResult(const Number& number, double (*function)(double), Domain domain, bool ignoreLibraryErrors, double& result)
{
    const double x = number.AsReal();
    if ((domain == Domain::NonNegative && x < 0.0) || (domain == Domain::Positive && !(x > 0.0)))
        return LispStatus::MathError;
    errno = 0;
    result = function(x);
    const bool unsignalled = (std::isnan(result) && !std::isnan(x)) || (std::isinf(result) && std::isfinite(x));
    if (!ignoreLibraryErrors && (errno != 0 || unsignalled))
        return LispStatus::MathError;
    return LispStatus::Ok;
}

LispStatus RealOfNumber(const Number& number, CTqLISPImpl& engine, double (*function)(double), Domain domain, bool ignoreLibraryErrors,
                        LispNode*& out)
{
    double result = 0.0;
    LISP_TRY(RealResult(number, function, domain, ignoreLibraryErrors, result));
    return engine.MakeReal(result, out);
}

LispStatus RealFunction(LispNode*& out, const LispNode* args, CTqLISPImpl& engine, double (*function)(double), Domain domain,
                        bool ignoreLibraryErrors = false)
{
    Number number;
    LISP_TRY(OnlyNumber(args, number));
    return RealOfNumber(number, engine, function, domain, ignoreLibraryErrors, out);
}

double Exp(double x) { return std::exp(x); }
double Log(double x) { return std::log(x); }
double Sqrt(double x) { return std::sqrt(x); }
double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }

// gcd by trial division over the divisors k of the smaller value m, testing the co-divisor m/k
// first; a small divisor shared with the larger value is kept for when the search passes √m.
std::int32_t GreatestCommonDivisor(std::int32_t a, std::int32_t b)
{
    const std::int32_t smaller = std::min(a, b);
    const std::int32_t larger = std::max(a, b);
    if (smaller < 1)
        return 1;
    std::int32_t best = 1;
    for (std::int32_t k = 1; k <= smaller / k; ++k) {
        if (smaller % k != 0)
            continue;
        if (larger % (smaller / k) == 0)
            return smaller / k;
        if (k > 1 && larger % k == 0)
            best = k;
    }
    return best;
}

// One step of boole: each result bit is the bit of `op` selected by the bit pair (a, b):
// (1,1) → op bit 0, (1,0) → bit 1, (0,1) → bit 2, (0,0) → bit 3.
std::uint32_t BooleStep(std::uint32_t op, std::uint32_t a, std::uint32_t b)
{
    std::uint32_t result = 0;
    if (op & 1)
        result |= a & b;
    if (op & 2)
        result |= a & ~b;
    if (op & 4)
        result |= ~a & b;
    if (op & 8)
        result |= ~a & ~b;
    return result;
}

// ---- comparisons -----------------------------------------------------------------------------

bool IsText(const LispNode* node) { return node->type == NodeType::ShortString || node->type == NodeType::String; }

// The per-pair rule of = /= and eq. Strings compare in the host's code page.
LispStatus SameByRule(const CTqLISPImpl& engine, const LispNode* a, const LispNode* b, bool& same)
{
    same = false;
    const bool nilA = IsNil(a);
    const bool nilB = IsNil(b);
    if (nilA || nilB) {
        same = nilA && nilB;
        return LispStatus::Ok;
    }
    if (IsInteger(a) && IsInteger(b)) {
        same = a->payload.integer == b->payload.integer;
        return LispStatus::Ok;
    }
    if (IsNumber(a) && IsNumber(b)) {
        same = NumberValue(a) == NumberValue(b);
        return LispStatus::Ok;
    }
    if (IsText(a) && IsText(b)) {
        same = SameCodePageText(engine, StringText(a), StringText(b));
        return LispStatus::Ok;
    }
    if (a->type != b->type)
        return LispStatus::Ok;
    switch (a->type) {
    case NodeType::Symbol:
        same = SymbolName(a) == SymbolName(b) && SymbolValue(a) == SymbolValue(b);
        break;
    case NodeType::SymbolRef: {
        const std::u16string_view nameA = SymbolName(ReferencedSymbol(a));
        const std::u16string_view nameB = SymbolName(ReferencedSymbol(b));
        same = QStringView(nameA.data(), qsizetype(nameA.size())).compare(QStringView(nameB.data(), qsizetype(nameB.size())), Qt::CaseInsensitive) == 0;
        break;
    }
    case NodeType::List:
    case NodeType::DottedList:
    case NodeType::File:
        // Copies of one list share its element chain; equal contents are not enough.
        same = a->first == b->first;
        break;
    case NodeType::QuotingSubr:
    case NodeType::Subr:
        same = a->payload.descriptor == b->payload.descriptor;
        break;
    case NodeType::Constant:
        same = IsT(a) == IsT(b);
        break;
    case NodeType::EntityName:
    case NodeType::PickSet:
        same = a->payload.words[0] == b->payload.words[0] && a->payload.words[1] == b->payload.words[1];
        break;
    case NodeType::ULong:
        same = a->payload.words[0] == b->payload.words[0];
        break;
    case NodeType::Nothing:
        same = true;
        break;
    case NodeType::ExternalSubr:
    case NodeType::NativeSubr:
        return LispStatus::InvalidParameter;
    default:
        break;  // every other pair is unequal
    }
    return LispStatus::Ok;
}

enum class Relation : std::uint8_t { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// The order of a pair for < <= > >=: numbers as doubles, strings by UTF-16 units. `ordered` is
// false when a nil takes part (no relation holds then).
LispStatus OrderOf(const LispNode* left, const LispNode* right, bool& ordered, int& order)
{
    ordered = false;
    if (IsNil(left) || IsNil(right))
        return LispStatus::Ok;
    if (IsInteger(left) && IsInteger(right)) {
        ordered = true;
        order = (left->payload.integer > right->payload.integer) - (left->payload.integer < right->payload.integer);
        return LispStatus::Ok;
    }
    if (IsNumber(left) && IsNumber(right)) {
        const double a = NumberValue(left);
        const double b = NumberValue(right);
        ordered = !std::isnan(a) && !std::isnan(b);
        order = (a > b) - (a < b);
        return LispStatus::Ok;
    }
    if (IsText(left) && IsText(right)) {
        ordered = true;
        const int compared = StringText(left).compare(StringText(right));
        order = (compared > 0) - (compared < 0);
        return LispStatus::Ok;
    }
    return LispStatus::InvalidParameter;
}

LispStatus PairHolds(const CTqLISPImpl& engine, const LispNode* left, const LispNode* right, Relation relation, bool& holds)
{
    if (relation == Relation::Equal || relation == Relation::NotEqual) {
        bool same = false;
        LISP_TRY(SameByRule(engine, left, right, same));
        holds = same == (relation == Relation::Equal);
        return LispStatus::Ok;
    }
    bool ordered = false;
    int order = 0;
    LISP_TRY(OrderOf(left, right, ordered, order));
    switch (relation) {
    case Relation::Less: holds = ordered && order < 0; break;
    case Relation::LessEqual: holds = ordered && order <= 0; break;
    case Relation::Greater: holds = ordered && order > 0; break;
    case Relation::GreaterEqual: holds = ordered && order >= 0; break;
    case Relation::Equal:
    case Relation::NotEqual: break;
    }
    return LispStatus::Ok;
}

// The core of the six comparisons: T when every neighbouring pair satisfies the relation; the
// walk stops at the first pair that does not.
LispStatus CompareNeighbours(LispNode*& out, const LispNode* args, CTqLISPImpl& engine, Relation relation)
{
    const bool ordering = relation != Relation::Equal && relation != Relation::NotEqual;
    if (ordering && args && !IsAtom(args))
        return LispStatus::InvalidParameter;
    // Without a pair there is nothing equal or ordered, and nothing that spoils /=.
    if (!args || !args->next)
        return engine.MakeBoolean(relation == Relation::NotEqual, out);
    for (const LispNode* left = args; left->next; left = left->next) {
        bool holds = false;
        LISP_TRY(PairHolds(engine, left, left->next, relation, holds));
        if (!holds)
            return engine.MakeNil(out);
    }
    return engine.MakeT(out);
}

// ---- direct paths ----------------------------------------------------------------------------
// The commonest calls, (+ i 1) or (< n 2), skip building an argument list: operands that are
// literals or variables holding numbers are read where they stand.

constexpr int kMostOperands = 32767;  // as many as an argument list may hold

// The number node an expression stands for without evaluating anything: a numeric literal or
// the value of a variable holding a number; null for anything else.
inline const LispNode* PeekedNumber(const LispNode* expression)
{
    const LispNode* source = expression;
    if (expression->type == NodeType::SymbolRef)
        source = expression->first ? SymbolValue(expression->first) : nullptr;
    if (!source || (source->type != NodeType::Integer && source->type != NodeType::Real))
        return nullptr;
    return source;
}

inline bool PeekNumber(const LispNode* expression, Number& number)
{
    const LispNode* source = PeekedNumber(expression);
    if (source)
        number = NumberOf(source);
    return source != nullptr;
}

// Two peeked integers, the commonest operands: the pair is passed in registers, not through
// the Number of a general operand.
inline bool PeekIntegers(const LispNode* first, const LispNode* second, std::int32_t& a, std::int32_t& b)
{
    const LispNode* x = PeekedNumber(first);
    const LispNode* y = x && x->type == NodeType::Integer ? PeekedNumber(second) : nullptr;
    if (!y || y->type != NodeType::Integer)
        return false;
    a = x->payload.integer;
    b = y->payload.integer;
    return true;
}

// Fold over operands evaluated one by one. An operation whose combining can fail (a division
// by zero) first evaluates every operand, so that its error comes after theirs, as on the
// ordinary path; the others combine as they go.
template <bool kCombiningCanFail, LispStatus (*combine)(Number&, const Number&)>
inline LispStatus FoldNumber(const LispNode* expressions, CTqLISPImpl& engine, Number& acc)
{
    // Two operands, the usual case: evaluated in order, then combined.
    if (expressions && expressions->next && !expressions->next->next) {
        std::int32_t a = 0;
        std::int32_t b = 0;
        if (PeekIntegers(expressions, expressions->next, a, b)) {
            acc = Number{false, a, 0.0};
            return combine(acc, Number{false, b, 0.0});
        }
        Number operand;
        LISP_TRY(engine.EvalNumber(expressions, acc));
        LISP_TRY(engine.EvalNumber(expressions->next, operand));
        return combine(acc, operand);
    }
    acc = Number{};  // no operand gives the integer 0
    Number operand;
    std::vector<Number> held;  // operands after the second, while the combining waits
    int count = 0;
    for (const LispNode* expression = expressions; expression; expression = expression->next) {
        if (count == kMostOperands)
            return LispStatus::TooManyParameters;
        if (count == 0) {
            LISP_TRY(engine.EvalNumber(expression, acc));
        } else if (!kCombiningCanFail) {
            LISP_TRY(engine.EvalNumber(expression, operand));
            LISP_TRY(combine(acc, operand));
        } else {
            LISP_TRY(engine.EvalNumber(expression, count == 1 ? operand : held.emplace_back()));
        }
        ++count;
    }
    if (kCombiningCanFail && count >= 2) {
        LISP_TRY(combine(acc, operand));
        for (const Number& next : held)
            LISP_TRY(combine(acc, next));
    }
    return LispStatus::Ok;
}

// The operand of a one-number builtin: missing, evaluated and checked, then no other.
LispStatus OnlyOperand(CTqLISPImpl& engine, const LispNode* expressions, Number& number)
{
    if (!expressions)
        return LispStatus::MissingParameter;
    LISP_TRY(engine.EvalNumber(expressions, number));
    return expressions->next ? LispStatus::TooManyParameters : LispStatus::Ok;
}

// One operand, mapped.
template <typename IntegerOp, typename RealOp>
LispStatus MapNumber(const LispNode* expressions, CTqLISPImpl& engine, IntegerOp integerOp, RealOp realOp, Number& number)
{
    LISP_TRY(OnlyOperand(engine, expressions, number));
    if (number.isReal)
        number.real = realOp(number.real);
    else
        number.integer = integerOp(number.integer);
    return LispStatus::Ok;
}

// One operand of a real function, evaluated as argument collection would, then the function.
LispStatus RealNumber(const LispNode* expressions, CTqLISPImpl& engine, double (*function)(double), Domain domain, bool ignoreLibraryErrors,
                      Number& number)
{
    Number operand;
    LISP_TRY(OnlyOperand(engine, expressions, operand));
    double result = 0.0;
    LISP_TRY(RealResult(operand, function, domain, ignoreLibraryErrors, result));
    number.SetReal(result);
    return LispStatus::Ok;
}

// Whether `relation` holds between two numbers; a NaN is unordered and equal to nothing.
inline bool NumbersHold(const Number& a, const Number& b, Relation relation)
{
    int order = 0;
    bool ordered = true;
    if (!a.isReal && !b.isReal) {
        order = (a.integer > b.integer) - (a.integer < b.integer);
    } else {
        const double x = a.AsReal();
        const double y = b.AsReal();
        ordered = !std::isnan(x) && !std::isnan(y);
        order = (x > y) - (x < y);
    }
    switch (relation) {
    case Relation::Equal: return ordered && order == 0;
    case Relation::NotEqual: return !(ordered && order == 0);
    case Relation::Less: return ordered && order < 0;
    case Relation::LessEqual: return ordered && order <= 0;
    case Relation::Greater: return ordered && order > 0;
    case Relation::GreaterEqual: return ordered && order >= 0;
    }
    return false;
}

// A comparison of two operands that can both be peeked; anything else is left to the ordinary
// path (nothing has been evaluated yet, so that costs nothing twice).
LispStatus CompareDirect(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, Relation relation, bool& handled)
{
    handled = false;
    Number a;
    Number b;
    if (!expressions || !expressions->next || expressions->next->next || !PeekNumber(expressions, a) || !PeekNumber(expressions->next, b))
        return LispStatus::Ok;
    handled = true;
    return engine.MakeBoolean(NumbersHold(a, b, relation), out);
}

// The same comparison where only its truth counts.
LispStatus CompareTest(const LispNode* expressions, Relation relation, bool& handled, bool& truth)
{
    handled = false;
    if (!expressions || !expressions->next || expressions->next->next)
        return LispStatus::Ok;
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (PeekIntegers(expressions, expressions->next, x, y)) {
        handled = true;
        truth = NumbersHold(Number{false, x, 0.0}, Number{false, y, 0.0}, relation);
        return LispStatus::Ok;
    }
    Number a;
    Number b;
    handled = PeekNumber(expressions, a) && PeekNumber(expressions->next, b);
    if (handled)
        truth = NumbersHold(a, b, relation);
    return LispStatus::Ok;
}

// ---- text conversions ------------------------------------------------------------------------

bool IsBlank(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }
bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// Leading blanks, a sign and decimal digits; values beyond 32 bits are clamped, as the reader
// clamps integer literals.
std::int32_t LeadingInteger(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - u'0'), std::int64_t(1) << 31);
    return std::int32_t(std::clamp<std::int64_t>(negative ? -magnitude : magnitude, INT32_MIN, INT32_MAX));
}

}  // namespace

// ---- entries -----------------------------------------------------------------------------------

LispStatus f_add(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Fold(out, args, engine, Add); }

LispStatus f_sub(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (args && !args->next)
        return MapNumber(out, args, engine, WrapNegate, [](double x) { return -x; });
    return Fold(out, args, engine, Subtract);
}

LispStatus f_mul(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Fold(out, args, engine, Multiply); }
LispStatus f_div(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Fold(out, args, engine, Divide); }
LispStatus f_rem(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Fold(out, args, engine, Remainder); }
LispStatus f_max(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Fold(out, args, engine, Maximum); }
LispStatus f_min(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Fold(out, args, engine, Minimum); }
LispStatus f_logand(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Fold(out, args, engine, BitAnd); }
LispStatus f_logior(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Fold(out, args, engine, BitOr); }

LispStatus f_neg(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    return engine.MakeInteger(~args->payload.integer, out);
}

LispStatus f_1add(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return MapNumber(out, args, engine, [](std::int32_t x) { return WrapAdd(x, 1); }, [](double x) { return x + 1.0; });
}

LispStatus f_1sub(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return MapNumber(out, args, engine, [](std::int32_t x) { return WrapSub(x, 1); }, [](double x) { return x - 1.0; });
}

LispStatus f_abs(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return MapNumber(out, args, engine, [](std::int32_t x) { return x < 0 ? WrapNegate(x) : x; }, [](double x) { return std::fabs(x); });
}

LispStatus f_atan(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    const double y = NumberValue(args);
    if (!args->next)
        return engine.MakeReal(std::atan(y), out);
    const double x = NumberValue(args->next);
    constexpr double kHalfPi = 1.5707963267948966;
    if (x == 0.0)
        return engine.MakeReal(y >= 0.0 ? kHalfPi : -kHalfPi, out);
    return engine.MakeReal(std::atan2(y, x), out);
}

LispStatus f_exp(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return RealFunction(out, args, engine, Exp, Domain::All, true); }

LispStatus f_log(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return RealFunction(out, args, engine, Log, Domain::Positive); }

LispStatus f_sqrt(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return RealFunction(out, args, engine, Sqrt, Domain::NonNegative); }

LispStatus f_sin(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return RealFunction(out, args, engine, Sin, Domain::All); }

LispStatus f_cos(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return RealFunction(out, args, engine, Cos, Domain::All); }

LispStatus f_tan(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return RealFunction(out, args, engine, Tan, Domain::All); }

LispStatus f_expt(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args || !args->next)
        return LispStatus::MissingParameter;
    errno = 0;
    const double power = std::pow(NumberValue(args), NumberValue(args->next));
    if (errno != 0)
        return LispStatus::MathError;
    if (IsInteger(args) && IsInteger(args->next)) {
        std::int32_t integer = 0;
        (void)TruncateToInteger(power, integer);  // out of range: 0
        return engine.MakeInteger(integer, out);
    }
    return engine.MakeReal(power, out);
}

LispStatus f_fix(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    Number number;
    LISP_TRY(OnlyNumber(args, number));
    std::int32_t integer = number.integer;
    if (number.isReal && !TruncateToInteger(number.real, integer))
        return engine.MakeReal(number.real, out);
    return engine.MakeInteger(integer, out);
}

LispStatus f_float(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    Number number;
    LISP_TRY(OnlyNumber(args, number));
    return engine.MakeReal(number.AsReal(), out);
}

LispStatus f_gcd(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args || !args->next)
        return LispStatus::MissingParameter;
    if (args->next->payload.integer == 0)
        return LispStatus::InvalidParameter;
    return engine.MakeInteger(GreatestCommonDivisor(args->payload.integer, args->next->payload.integer), out);
}

LispStatus f_lsh(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    if (!args->next)
        return engine.MakeInteger(0, out);
    const std::int32_t value = args->payload.integer;
    const std::int32_t count = args->next->payload.integer;
    if (count > 0)
        return engine.MakeInteger(std::int32_t(std::uint32_t(value) << (std::uint32_t(count) % 32)), out);
    // A right shift keeps the sign bit; the magnitude of the most negative count is 2^31.
    const std::uint32_t distance = (0u - std::uint32_t(count)) % 32;
    return engine.MakeInteger(value >> distance, out);
}

LispStatus f_boole(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args || !args->next)
        return LispStatus::MissingParameter;
    const std::int32_t op = args->payload.integer;
    if (op < 0 || op > 15)
        return LispStatus::InvalidParameter;
    std::uint32_t acc = std::uint32_t(args->next->payload.integer);
    for (const LispNode* operand = args->next->next; operand; operand = operand->next)
        acc = BooleStep(std::uint32_t(op), acc, std::uint32_t(operand->payload.integer));
    return engine.MakeInteger(std::int32_t(acc), out);
}

LispStatus f_minusp(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    Number number;
    LISP_TRY(OnlyNumber(args, number));
    return engine.MakeBoolean(number.AsReal() < 0.0, out);
}

LispStatus f_zerop(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    Number number;
    LISP_TRY(OnlyNumber(args, number));
    return engine.MakeBoolean(number.IsZero(), out);
}

LispStatus f_numberp(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    return engine.MakeBoolean(IsNumber(args), out);
}

// Direct paths of the commonest arithmetic (see DirectEntry).
// The number-valued builtins: their value as an operand of arithmetic (see DirectNumber), and
// their direct entry, the same value made into a node.
[[gnu::always_inline]] inline LispStatus f_exp_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return RealNumber(expressions, engine, Exp, Domain::All, true, number); }
[[gnu::always_inline]] inline LispStatus f_log_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return RealNumber(expressions, engine, Log, Domain::Positive, false, number); }
[[gnu::always_inline]] inline LispStatus f_sqrt_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return RealNumber(expressions, engine, Sqrt, Domain::NonNegative, false, number); }
[[gnu::always_inline]] inline LispStatus f_sin_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return RealNumber(expressions, engine, Sin, Domain::All, false, number); }
[[gnu::always_inline]] inline LispStatus f_cos_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return RealNumber(expressions, engine, Cos, Domain::All, false, number); }
[[gnu::always_inline]] inline LispStatus f_tan_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return RealNumber(expressions, engine, Tan, Domain::All, false, number); }
[[gnu::always_inline]] inline LispStatus f_add_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return FoldNumber<false, Add>(expressions, engine, number); }
[[gnu::always_inline]] inline LispStatus f_mul_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return FoldNumber<false, Multiply>(expressions, engine, number); }
[[gnu::always_inline]] inline LispStatus f_sub_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number)
{
    if (expressions && !expressions->next)
        return MapNumber(expressions, engine, WrapNegate, [](double x) { return -x; }, number);
    return FoldNumber<false, Subtract>(expressions, engine, number);
}
[[gnu::always_inline]] inline LispStatus f_div_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return FoldNumber<true, Divide>(expressions, engine, number); }
[[gnu::always_inline]] inline LispStatus f_rem_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number) { return FoldNumber<true, Remainder>(expressions, engine, number); }
[[gnu::always_inline]] inline LispStatus f_1add_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number)
{
    return MapNumber(expressions, engine, [](std::int32_t x) { return WrapAdd(x, 1); }, [](double x) { return x + 1.0; }, number);
}
[[gnu::always_inline]] inline LispStatus f_1sub_number(const LispNode* expressions, CTqLISPImpl& engine, Number& number)
{
    return MapNumber(expressions, engine, [](std::int32_t x) { return WrapSub(x, 1); }, [](double x) { return x - 1.0; }, number);
}

template <DirectNumber number>
LispStatus NumberDirect(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    Number result;
    LISP_TRY(number(expressions, engine, result));
    return MakeNumber(result, engine, out);
}

LispStatus f_isequal_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CompareDirect(out, expressions, engine, Relation::Equal, handled); }
LispStatus f_notequal_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CompareDirect(out, expressions, engine, Relation::NotEqual, handled); }
LispStatus f_lower_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CompareDirect(out, expressions, engine, Relation::Less, handled); }
LispStatus f_lowequ_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CompareDirect(out, expressions, engine, Relation::LessEqual, handled); }
LispStatus f_greater_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CompareDirect(out, expressions, engine, Relation::Greater, handled); }
LispStatus f_greatequ_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CompareDirect(out, expressions, engine, Relation::GreaterEqual, handled); }
LispStatus f_isequal_test(const LispNode* expressions, CTqLISPImpl&, bool& handled, bool& truth) { return CompareTest(expressions, Relation::Equal, handled, truth); }
LispStatus f_notequal_test(const LispNode* expressions, CTqLISPImpl&, bool& handled, bool& truth) { return CompareTest(expressions, Relation::NotEqual, handled, truth); }
LispStatus f_lower_test(const LispNode* expressions, CTqLISPImpl&, bool& handled, bool& truth) { return CompareTest(expressions, Relation::Less, handled, truth); }
LispStatus f_lowequ_test(const LispNode* expressions, CTqLISPImpl&, bool& handled, bool& truth) { return CompareTest(expressions, Relation::LessEqual, handled, truth); }
LispStatus f_greater_test(const LispNode* expressions, CTqLISPImpl&, bool& handled, bool& truth) { return CompareTest(expressions, Relation::Greater, handled, truth); }
LispStatus f_greatequ_test(const LispNode* expressions, CTqLISPImpl&, bool& handled, bool& truth) { return CompareTest(expressions, Relation::GreaterEqual, handled, truth); }

LispStatus f_isequal(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return CompareNeighbours(out, args, engine, Relation::Equal); }
LispStatus f_eq(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return CompareNeighbours(out, args, engine, Relation::Equal); }
LispStatus f_notequal(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return CompareNeighbours(out, args, engine, Relation::NotEqual); }
LispStatus f_lower(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return CompareNeighbours(out, args, engine, Relation::Less); }
LispStatus f_lowequ(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return CompareNeighbours(out, args, engine, Relation::LessEqual); }
LispStatus f_greater(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return CompareNeighbours(out, args, engine, Relation::Greater); }
LispStatus f_greatequ(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return CompareNeighbours(out, args, engine, Relation::GreaterEqual); }

LispStatus f_equal(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args || !args->next)
        return LispStatus::MissingParameter;
    std::optional<double> fuzz;
    if (const LispNode* third = args->next->next)
        fuzz = NumberValue(third);
    bool equal = false;
    LISP_TRY(LispEqual(args, args->next, fuzz, equal));
    return engine.MakeBoolean(equal, out);
}

LispStatus f_atoi(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::u16string_view text;
    LISP_TRY(engine.TextOf(args, text));
    return engine.MakeInteger(LeadingInteger(text), out);
}

// The host reads the number; what it cannot read (or an engine without a host) leaves 0.0.
LispStatus f_atof(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::u16string_view text;
    LISP_TRY(engine.TextOf(args, text));
    double value = 0.0;
    if (CTqLispServices* services = engine.Services())
        (void)services->StringToReal(CTqString(text), value);
    return engine.MakeReal(value, out);
}

LispStatus f_itoa(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof digits, args->payload.integer);
    char16_t units[16];
    const std::size_t length = std::size_t(written.ptr - digits);
    std::copy(digits, written.ptr, units);
    return engine.MakeLiteralString(std::u16string_view(units, length), out);
}

LispStatus f_ver(LispNode*& out, LispNode*, CTqLISPImpl& engine) { return engine.MakeLiteralString(u"Version 8.0", out); }

LispStatus f_vmon(LispNode*& out, LispNode*, CTqLISPImpl& engine) { return engine.MakeNil(out); }

LispStatus f_gc(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    LISP_TRY(engine.RebuildSymbolIndex());
    return engine.MakeNil(out);
}

LispStatus f_mem(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    char report[256];
    const int length = std::snprintf(report, sizeof report, "\niStatus: %d\niFreeNodes: %ld\niParseLevel: %d\niNodes: %ld\niSegments: %d\niAllocate: %d\n", 0,
                                     long(engine.FreeNodes()), engine.ParseLevel(), long(engine.TotalNodes()), int(engine.Segments()),
                                     int(engine.AllocateCounter()));
    LISP_TRY(engine.Output(std::u16string(report, report + length)));
    return engine.MakeNil(out);
}

// Heap sizing is automatic; these accept their arguments for compatibility and change nothing.
LispStatus f_alloc(LispNode*& out, LispNode*, CTqLISPImpl& engine) { return engine.MakeInteger(0, out); }
LispStatus f_expand(LispNode*& out, LispNode*, CTqLISPImpl& engine) { return engine.MakeInteger(0, out); }

namespace {
constexpr ParamGroup kNumberOptionalNumber[] = {{Kind::Number, 1, 0}, {Kind::Number, 1, ParamOption::Optional}};
constexpr ParamGroup kTwoIntegersAndMore[] = {{Kind::Integer, 2, 0}, {Kind::Integer, kManyArguments, 0}};
// Structural equality accepts any pair of nodes, then an optional fuzz.
constexpr ParamGroup kTwoValuesOptionalFuzz[] = {{Kind::Every, 2, 0}, {Kind::Number, 1, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kArithmeticRows[] = {
    {u"f_add", f_add, EvalMode::All, Kind::Number, Params::ManyNumbers, NumberDirect<f_add_number>, nullptr, f_add_number},
    {u"f_sub", f_sub, EvalMode::All, Kind::Number, Params::ManyNumbers, NumberDirect<f_sub_number>, nullptr, f_sub_number},
    {u"f_mul", f_mul, EvalMode::All, Kind::Number, Params::ManyNumbers, NumberDirect<f_mul_number>, nullptr, f_mul_number},
    {u"f_div", f_div, EvalMode::All, Kind::Number, Params::ManyNumbers, NumberDirect<f_div_number>, nullptr, f_div_number},
    {u"f_neg", f_neg, EvalMode::All, Kind::Integer, Params::OneInteger},
    {u"f_1add", f_1add, EvalMode::All, Kind::Number, Params::OneNumber, NumberDirect<f_1add_number>, nullptr, f_1add_number},
    {u"f_1sub", f_1sub, EvalMode::All, Kind::Number, Params::OneNumber, NumberDirect<f_1sub_number>, nullptr, f_1sub_number},
    {u"f_abs", f_abs, EvalMode::All, Kind::Number, Params::OneNumber},
    {u"f_atan", f_atan, EvalMode::All, Kind::Number, kNumberOptionalNumber},
    {u"f_exp", f_exp, EvalMode::All, Kind::Real, Params::OneNumber, NumberDirect<f_exp_number>, nullptr, f_exp_number},
    {u"f_expt", f_expt, EvalMode::All, Kind::Number, Params::TwoNumbers},
    {u"f_fix", f_fix, EvalMode::All, Kind::Number, Params::OneNumber, OneArgumentDirect<f_fix, Params::OneNumber>},
    {u"f_float", f_float, EvalMode::All, Kind::Real, Params::OneNumber},
    {u"f_gcd", f_gcd, EvalMode::All, Kind::Integer, Params::TwoIntegers},
    {u"f_log", f_log, EvalMode::All, Kind::Real, Params::OneNumber, NumberDirect<f_log_number>, nullptr, f_log_number},
    {u"f_logand", f_logand, EvalMode::All, Kind::Integer, Params::ManyIntegers},
    {u"f_logior", f_logior, EvalMode::All, Kind::Integer, Params::ManyIntegers},
    {u"f_max", f_max, EvalMode::All, Kind::Number, Params::ManyNumbers},
    {u"f_min", f_min, EvalMode::All, Kind::Number, Params::ManyNumbers},
    {u"f_rem", f_rem, EvalMode::All, Kind::Number, Params::ManyNumbers, NumberDirect<f_rem_number>, nullptr, f_rem_number},
    {u"f_sqrt", f_sqrt, EvalMode::All, Kind::Real, Params::OneNumber, NumberDirect<f_sqrt_number>, nullptr, f_sqrt_number},
    {u"f_sin", f_sin, EvalMode::All, Kind::Real, Params::OneNumber, NumberDirect<f_sin_number>, nullptr, f_sin_number},
    {u"f_cos", f_cos, EvalMode::All, Kind::Real, Params::OneNumber, NumberDirect<f_cos_number>, nullptr, f_cos_number},
    {u"f_tan", f_tan, EvalMode::All, Kind::Real, Params::OneNumber, NumberDirect<f_tan_number>, nullptr, f_tan_number},
    {u"f_vmon", f_vmon, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_lsh", f_lsh, EvalMode::All, Kind::Integer, Params::TwoIntegers},
    {u"f_gc", f_gc, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_mem", f_mem, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_minusp", f_minusp, EvalMode::All, Kind::Atom, Params::OneNumber},
    {u"f_zerop", f_zerop, EvalMode::All, Kind::Atom, Params::OneNumber},
    {u"f_numberp", f_numberp, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_isequal", f_isequal, EvalMode::All, Kind::Atom, Params::ManyAny, f_isequal_direct, f_isequal_test},
    {u"f_notequal", f_notequal, EvalMode::All, Kind::Atom, Params::ManyAny, f_notequal_direct, f_notequal_test},
    {u"f_lower", f_lower, EvalMode::All, Kind::Atom, Params::ManyAny, f_lower_direct, f_lower_test},
    {u"f_lowequ", f_lowequ, EvalMode::All, Kind::Atom, Params::ManyAny, f_lowequ_direct, f_lowequ_test},
    {u"f_greater", f_greater, EvalMode::All, Kind::Atom, Params::ManyAny, f_greater_direct, f_greater_test},
    {u"f_greatequ", f_greatequ, EvalMode::All, Kind::Atom, Params::ManyAny, f_greatequ_direct, f_greatequ_test},
    {u"f_atof", f_atof, EvalMode::All, Kind::Real, Params::OneString},
    {u"f_atoi", f_atoi, EvalMode::All, Kind::Integer, Params::OneString, OneArgumentDirect<f_atoi, Params::OneString>},
    {u"f_itoa", f_itoa, EvalMode::All, Kind::String, Params::OneInteger, OneArgumentDirect<f_itoa, Params::OneInteger>},
    {u"f_boole", f_boole, EvalMode::All, Kind::Integer, kTwoIntegersAndMore},
    {u"f_eq", f_eq, EvalMode::All, Kind::Atom, Params::TwoAny},
    {u"f_equal", f_equal, EvalMode::All, Kind::Atom, kTwoValuesOptionalFuzz},
    {u"f_ver", f_ver, EvalMode::All, Kind::String, Params::None},
    {u"f_alloc", f_alloc, EvalMode::All, Kind::Integer, Params::ManyNumbers},
    {u"f_expand", f_expand, EvalMode::All, Kind::Integer, Params::ManyNumbers},
};

std::span<const BuiltinDescriptor> ArithmeticBuiltins() { return kArithmeticRows; }
