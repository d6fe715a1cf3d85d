// Structural equality. Nested lists are walked with an explicit stack of element cursors, so a
// deeply nested value needs heap, not C stack, and the order of comparison is the recursive one:
// depth first, left to right.
#include "lisp/core/equality.h"

#include "lisp/core/builtin.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

enum class Match : std::uint8_t { Equal, Unequal, Descend };

bool IsText(const LispNode* node) { return node->type == NodeType::ShortString || node->type == NodeType::String; }

bool NumbersEqual(const LispNode* a, const LispNode* b, const std::optional<double>& fuzz)
{
    if (a->type == NodeType::Integer && b->type == NodeType::Integer) {
        const std::int64_t x = a->payload.integer;
        const std::int64_t y = b->payload.integer;
        if (!fuzz)
            return x == y;
        // Two integers compare against the fuzz truncated to an integer; 2^33 exceeds every
        // difference of two 32-bit values, and a NaN fuzz tolerates nothing.
        const double magnitude = std::fabs(*fuzz);
        const std::int64_t tolerance = magnitude < 8589934592.0 ? std::int64_t(magnitude)
                                       : magnitude >= 8589934592.0 ? std::numeric_limits<std::int64_t>::max()
                                                                   : 0;
        return (x > y ? x - y : y - x) <= tolerance;
    }
    const double x = NumberValue(a);
    const double y = NumberValue(b);
    if (!fuzz)
        return x == y;
    return std::fabs(x - y) <= std::fabs(*fuzz);
}

Match Verdict(bool same) { return same ? Match::Equal : Match::Unequal; }

// Decides one pair of values, or asks for their elements to be compared.
LispStatus MatchPair(const LispNode* a, const LispNode* b, const std::optional<double>& fuzz, Match& match)
{
    match = Match::Unequal;
    if (a == b) {
        match = Match::Equal;
        return LispStatus::Ok;
    }
    if (!a || !b)
        return LispStatus::Ok;
    const bool aNil = IsNil(a);
    const bool bNil = IsNil(b);
    if (aNil || bNil) {
        match = Verdict(aNil && bNil);
        return LispStatus::Ok;
    }
    if (IsNumber(a) && IsNumber(b)) {
        match = Verdict(NumbersEqual(a, b, fuzz));
        return LispStatus::Ok;
    }
    if (IsText(a) && IsText(b)) {
        match = Verdict(StringText(a) == StringText(b));
        return LispStatus::Ok;
    }
    if (a->type != b->type)
        return LispStatus::Ok;
    switch (a->type) {
    case NodeType::List:
    case NodeType::DottedList:
        match = Match::Descend;
        return LispStatus::Ok;
    case NodeType::SymbolRef:
    case NodeType::File:
        match = Verdict(a->first == b->first);
        return LispStatus::Ok;
    case NodeType::Constant:
        match = Verdict(a->payload.inplace[0] == b->payload.inplace[0]);
        return LispStatus::Ok;
    case NodeType::QuotingSubr:
    case NodeType::Subr:
        match = Verdict(a->payload.descriptor->entry == b->payload.descriptor->entry);
        return LispStatus::Ok;
    case NodeType::EntityName:
    case NodeType::PickSet:
        match = Verdict(a->payload.words[0] == b->payload.words[0] && a->payload.words[1] == b->payload.words[1]);
        return LispStatus::Ok;
    case NodeType::ULong:
    case NodeType::Dialog:
    case NodeType::NativePointer:
        match = Verdict(a->payload.words[0] == b->payload.words[0]);
        return LispStatus::Ok;
    case NodeType::Nothing:
        match = Match::Equal;
        return LispStatus::Ok;
    case NodeType::CatchAllError:
        match = Verdict(StringText(a) == StringText(b));
        return LispStatus::Ok;
    case NodeType::ExternalSubr:
    case NodeType::NativeSubr:
        return LispStatus::NotYetImplemented;
    case NodeType::Nil:
    case NodeType::Integer:
    case NodeType::Real:
    case NodeType::ShortString:
    case NodeType::String:
        return LispStatus::Ok;  // decided above; reached only by an impossible mix
    case NodeType::Symbol:
    case NodeType::ListEnd:
    case NodeType::FileRecord:
    case NodeType::DFun:
    case NodeType::ExternalApp:
    case NodeType::IndexNode:
    case NodeType::StringA26:
    case NodeType::StringA27:
    case NodeType::Reserved28:
    case NodeType::Reserved29:
        return LispStatus::Ok;  // distinct nodes of these kinds are distinct things
    case NodeType::Free:
        return LispStatus::UnknownNodeType;
    }
    return LispStatus::UnknownNodeType;
}

}  // namespace

LispStatus LispEqual(const LispNode* a, const LispNode* b, std::optional<double> fuzz, bool& equal)
{
    equal = false;
    Match match = Match::Unequal;
    LISP_TRY(MatchPair(a, b, fuzz, match));
    if (match != Match::Descend) {
        equal = match == Match::Equal;
        return LispStatus::Ok;
    }
    // Each entry walks the element chains of two lists in step.
    struct Cursor {
        const LispNode* a;
        const LispNode* b;
    };
    std::vector<Cursor> pending{{a->first, b->first}};
    while (!pending.empty()) {
        Cursor& top = pending.back();
        if (top.a == top.b) {
            pending.pop_back();  // one shared chain (or both ended): the rest is equal
            continue;
        }
        if (!top.a || !top.b)
            return LispStatus::Ok;  // different lengths
        const LispNode* x = top.a;
        const LispNode* y = top.b;
        top.a = x->next;
        top.b = y->next;
        LISP_TRY(MatchPair(x, y, fuzz, match));
        if (match == Match::Unequal)
            return LispStatus::Ok;
        if (match == Match::Descend)
            pending.push_back({x->first, y->first});
    }
    equal = true;
    return LispStatus::Ok;
}
