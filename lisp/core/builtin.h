// Builtin descriptors: one static row per built-in function, with the evaluation mode of its
// arguments and the parameter groups CollectArguments checks before the function runs.
#pragma once

#include "lisp/core/node.h"
#include "lisp/core/status.h"

#include <cstdint>
#include <iterator>
#include <span>

class CTqLISPImpl;

// status = entry(out, args, engine). `out` starts empty (or holds the function node for external
// functions); `args` is the first argument, the others follow through `next`. The arguments
// belong to the caller; the result put in `out` belongs to the caller after the call.
using BuiltinEntry = LispStatus (*)(LispNode*& out, LispNode* args, CTqLISPImpl& engine);

// Kind bits: a node code maps to a set of these (KindBitsOf); a group admits a node when the
// two share a bit.
namespace Kind {
inline constexpr std::uint32_t Atom = 0x00000001;
inline constexpr std::uint32_t Subr = 0x00000004;
inline constexpr std::uint32_t NoCode = 0x00000008;  // fits no node
inline constexpr std::uint32_t List = 0x00000020;
inline constexpr std::uint32_t String = 0x00000040;
inline constexpr std::uint32_t Symbol = 0x00000100;
inline constexpr std::uint32_t Integer = 0x00000400;
inline constexpr std::uint32_t Real = 0x00000800;
inline constexpr std::uint32_t Dotted = 0x00002000;
inline constexpr std::uint32_t File = 0x00004000;
inline constexpr std::uint32_t NilOnly = 0x00008000;
inline constexpr std::uint32_t Nothing = 0x00010000;
inline constexpr std::uint32_t EntityName = 0x00020000;
inline constexpr std::uint32_t PickSet = 0x00040000;
inline constexpr std::uint32_t DFun = 0x00080000;
inline constexpr std::uint32_t CatchAllError = 0x02000000;

inline constexpr std::uint32_t Any = 0x03FFDDFD;
inline constexpr std::uint32_t Number = 0x00000C00;
inline constexpr std::uint32_t StringOrNil = 0x00000041;
inline constexpr std::uint32_t StringOrList = 0x00000060;
inline constexpr std::uint32_t SymbolOrString = 0x00000140;
inline constexpr std::uint32_t NilTList = 0x00008021;
inline constexpr std::uint32_t NilTListString = 0x00008061;
inline constexpr std::uint32_t IntNilTList = 0x00008421;
inline constexpr std::uint32_t EntityNilTList = 0x00028021;
inline constexpr std::uint32_t PickSetNilTList = 0x00048021;
inline constexpr std::uint32_t SysVarValue = 0x000B9C79;
inline constexpr std::uint32_t Every = 0xFFFFFFFF;
}  // namespace Kind

// Kind bits of a node code (codes 0–33; every other code has none).
inline constexpr std::uint32_t kKindBits[34] = {
    0x00008021, 0x00000020, 0x00000020, 0x00002020, 0x00000400, 0x00000800, 0x00000040, 0x00000040,
    0x00004000, 0x00000004, 0x00000004, 0x00000100, 0x00000001, 0,          0x00004000, 0x00010000,
    0x00080000, 0x00020000, 0x00040000, 0,          0x00000001, 0x00000001, 0x00000001, 0x00000001,
    0x00000001, 0x00000001, 0x00000040, 0x00000040, 0x00100000, 0x00200000, 0x00400000, 0x00800000,
    0x01000000, 0x02000000,
};
inline std::uint32_t KindBitsOf(NodeType type)
{
    const auto code = std::size_t(type);
    return code < std::size(kKindBits) ? kKindBits[code] : 0;
}

struct ParamGroup {
    std::uint32_t kinds;
    std::uint16_t count;    // 1–5, or kManyArguments
    std::uint16_t options;  // ParamOption bits
};

inline constexpr std::uint16_t kManyArguments = 0xFFFF;
namespace ParamOption {
inline constexpr std::uint16_t Paired = 1;
inline constexpr std::uint16_t Optional = 2;
}  // namespace ParamOption

// Evaluation modes: which argument positions reach the function unevaluated.
namespace EvalMode {
inline constexpr std::uint8_t All = 1;           // every argument evaluated
inline constexpr std::uint8_t QuoteFirst = 2;    // the first unevaluated
inline constexpr std::uint8_t Defun = 3;         // none evaluated
inline constexpr std::uint8_t Setq = 4;          // none evaluated
inline constexpr std::uint8_t Clauses = 5;       // none evaluated (cond, while)
inline constexpr std::uint8_t Foreach = 6;       // only the second evaluated
inline constexpr std::uint8_t AndOr = 7;         // none evaluated
inline constexpr std::uint8_t Lambda = 9;        // none evaluated
inline constexpr std::uint8_t FirstOnly = 13;    // only the first evaluated
inline constexpr std::uint8_t External = 20;     // every argument evaluated
}  // namespace EvalMode

// True when the argument at position (counted from 1) is evaluated under the mode.
constexpr bool IsEvaluatedPosition(std::uint8_t mode, int position)
{
    switch (mode) {
    case EvalMode::QuoteFirst: return position != 1;
    case EvalMode::Defun:
    case EvalMode::Setq:
    case EvalMode::Clauses:
    case EvalMode::AndOr:
    case EvalMode::Lambda: return false;
    case EvalMode::Foreach: return position == 2;
    case EvalMode::FirstOnly: return position == 1;
    default: return true;
    }
}

// A builtin's own fast path: it gets the argument expressions unevaluated and either handles the
// call (`handled` true; the status and `out` are the call's) or, before evaluating anything,
// leaves it to the ordinary collection and entry. It must give exactly what the ordinary path
// gives, errors included.
using DirectEntry = LispStatus (*)(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled);

// A builtin's fast path where only the truth of its value counts (the test of if, while, not):
// when it can tell without evaluating anything (`handled` true), it gives the truth instead of
// making a T or nil node; otherwise the call is evaluated as usual. It must agree with the
// ordinary path.
using DirectTest = LispStatus (*)(const LispNode* expressions, CTqLISPImpl& engine, bool& handled, bool& truth);

// A number as arithmetic carries it between operations: a 32-bit integer, or a double from the
// first real on.
struct LispNumber {
    bool isReal = false;
    std::int32_t integer = 0;
    double real = 0.0;

    double AsReal() const { return isReal ? real : double(integer); }
    void SetReal(double value)
    {
        isReal = true;
        real = value;
    }
    bool IsZero() const { return isReal ? real == 0.0 : integer == 0; }
};

// A builtin's path for an operand of arithmetic, as in (+ (* x 31) k): the value as a number
// instead of a node made to be read and freed at once. It always answers: a builtin whose value is
// always a number with the status and number its direct path would give; one whose value may be
// anything (if) with InvalidParameter for a value that is no number, as the operand check would.
using DirectNumber = LispStatus (*)(const LispNode* expressions, CTqLISPImpl& engine, LispNumber& number);

struct BuiltinDescriptor {
    const char16_t* name;  // entry name, "f_" and the stem
    BuiltinEntry entry;
    std::uint8_t flags;  // EvalMode
    std::uint32_t resultKinds;
    std::span<const ParamGroup> groups;
    DirectEntry direct = nullptr;
    DirectTest test = nullptr;
    DirectNumber number = nullptr;
};

// One group of arguments, all evaluated: most builtins look like this, and their arguments are
// collected by a plain loop instead of the general walk over groups and positions.
constexpr bool IsSingleEvaluatedGroup(const BuiltinDescriptor& descriptor)
{
    return descriptor.groups.size() == 1 && (descriptor.flags == EvalMode::All || descriptor.flags == EvalMode::External) &&
           (descriptor.groups[0].options & ParamOption::Paired) == 0;
}

// Parameter specifications many rows share.
namespace Params {
inline constexpr ParamGroup None[] = {{0, 0, 0}};
inline constexpr ParamGroup OneAny[] = {{Kind::Any, 1, 0}};
inline constexpr ParamGroup TwoAny[] = {{Kind::Any, 2, 0}};
inline constexpr ParamGroup ManyAny[] = {{Kind::Any, kManyArguments, 0}};
inline constexpr ParamGroup OptionalAny[] = {{Kind::Any, 1, ParamOption::Optional}};
inline constexpr ParamGroup OneNumber[] = {{Kind::Number, 1, 0}};
inline constexpr ParamGroup TwoNumbers[] = {{Kind::Number, 2, 0}};
inline constexpr ParamGroup ManyNumbers[] = {{Kind::Number, kManyArguments, 0}};
inline constexpr ParamGroup OneInteger[] = {{Kind::Integer, 1, 0}};
inline constexpr ParamGroup TwoIntegers[] = {{Kind::Integer, 2, 0}};
inline constexpr ParamGroup ManyIntegers[] = {{Kind::Integer, kManyArguments, 0}};
inline constexpr ParamGroup OneString[] = {{Kind::String, 1, 0}};
inline constexpr ParamGroup TwoStrings[] = {{Kind::String, 2, 0}};
inline constexpr ParamGroup OptionalString[] = {{Kind::String, 1, ParamOption::Optional}};
inline constexpr ParamGroup OneList[] = {{Kind::List, 1, 0}};
inline constexpr ParamGroup OneEntityName[] = {{Kind::EntityName, 1, 0}};
}  // namespace Params
