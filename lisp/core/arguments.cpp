// Argument collection: arguments are taken one at a time from left to right, evaluated or passed
// as written according to the builtin's evaluation mode, and checked against its parameter
// groups. The first mismatch stops the call before later arguments are evaluated.
//
// Special forms that evaluate nothing, or only their first argument, read the rest of their
// form in place: the expressions are borrowed from the form instead of copied, and checked
// against the groups as copies would be.
#include "lisp/core/engine.h"

// The collected chain becomes the arguments, or is let go when collection failed.
LispStatus CTqLISPImpl::HandOver(LispStatus status, LispNode* chain, LispNode*& arguments)
{
    if (Failed(status)) [[unlikely]] {
        Release(chain);
        return status;
    }
    arguments = chain;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::CollectSingleGroup(const ParamGroup& group, const LispNode* form, LispNode*& arguments)
{
    const bool many = group.count == kManyArguments;
    const int count = many ? 32767 : group.count;
    const bool optional = many || (group.options & ParamOption::Optional);
    LispNode* head = nullptr;
    LispNode* tail = nullptr;
    const LispNode* expression = form->next;
    LispStatus status = LispStatus::Ok;
    int taken = 0;
    for (; expression && taken < count; expression = expression->next, ++taken) {
        LispNode* value = nullptr;
        status = Eval(expression, value);
        if (Failed(status))
            break;
        if (!value) {
            status = LispStatus::InvalidParameter;
            break;
        }
        (tail ? tail->next : head) = value;
        tail = value;
        if ((KindBitsOf(value->type) & group.kinds) == 0) {
            status = LispStatus::InvalidParameter;
            break;
        }
    }
    if (!Failed(status)) {
        if (taken < count && !optional)
            status = LispStatus::MissingParameter;
        else if (expression)
            status = LispStatus::TooManyParameters;
    }
    return HandOver(status, head, arguments);
}

LispStatus CTqLISPImpl::CollectArguments(const BuiltinDescriptor& descriptor, const LispNode* form, LispNode*& arguments)
{
    arguments = nullptr;
    if (IsSingleEvaluatedGroup(descriptor))
        return CollectSingleGroup(descriptor.groups[0], form, arguments);
    LispNode* head = nullptr;
    LispNode* tail = nullptr;
    const LispNode* following = form->next;  // the next argument expression, once taken none
    LispNode* pending = nullptr;               // taken, not yet accepted by a group
    int position = 0;
    const std::uint8_t mode = descriptor.flags;
    // Most builtins evaluate every argument; the mode is looked at per position only for the rest.
    const bool evaluatesAll = IsEvaluatedPosition(mode, 1) && IsEvaluatedPosition(mode, 2) && IsEvaluatedPosition(mode, 3);
    LispStatus status = LispStatus::Ok;

    for (const ParamGroup& group : descriptor.groups) {
        const bool many = group.count == kManyArguments;
        const int count = many ? 32767 : group.count;
        const bool optional = many || (group.options & ParamOption::Optional);
        for (int taken = 0; taken < count; ++taken) {
            if (!pending) {
                if (!following) {
                    if (!optional)
                        status = LispStatus::MissingParameter;
                    break;
                }
                const LispNode* expression = following;
                following = expression->next;
                ++position;
                LispNode* value = nullptr;
                status = evaluatesAll || IsEvaluatedPosition(mode, position) ? Eval(expression, value) : CopyNode(expression, value);
                if (Failed(status))
                    break;
                if (!value) {
                    status = LispStatus::InvalidParameter;
                    break;
                }
                (tail ? tail->next : head) = value;
                tail = value;
                pending = value;
            }
            if ((KindBitsOf(pending->type) & group.kinds) == 0) {
                if (!optional)
                    status = LispStatus::InvalidParameter;
                break;  // the next group gets to try it
            }
            pending = nullptr;
            if ((group.options & ParamOption::Paired) && position == 2 && mode == EvalMode::QuoteFirst)
                position = 0;
        }
        if (Failed(status))
            break;
    }
    if (!Failed(status)) {
        if (pending)
            status = LispStatus::InvalidParameter;
        else if (following)
            status = LispStatus::TooManyParameters;
    }
    return HandOver(status, head, arguments);
}

namespace {

// Kind bits of a borrowed expression: those of its copy, which turns every nil form into Nil.
std::uint32_t BorrowedKindBits(const LispNode* expression)
{
    return KindBitsOf(IsNil(expression) ? NodeType::Nil : expression->type);
}

}  // namespace

// Any number of anything (setq, and, or): every code with kind bits has one of Any's, nil forms
// included, so only codes without bits and the count matter.
// The outcome CollectArguments reaches for `chain` as the argument list, without evaluating.
LispStatus CTqLISPImpl::CheckShape(const BuiltinDescriptor& descriptor, const LispNode* chain, bool firstIsValue)
{
    if (descriptor.groups.size() == 1 && descriptor.groups[0].count == kManyArguments && descriptor.groups[0].kinds == Kind::Any)
        return CheckManyAny(chain);
    const LispNode* following = chain;
    const LispNode* pending = nullptr;
    bool first = true;
    for (const ParamGroup& group : descriptor.groups) {
        const bool many = group.count == kManyArguments;
        const int count = many ? 32767 : group.count;
        const bool optional = many || (group.options & ParamOption::Optional);
        for (int taken = 0; taken < count; ++taken) {
            if (!pending) {
                if (!following) {
                    if (!optional)
                        return LispStatus::MissingParameter;
                    break;
                }
                pending = following;
                following = following->next;
            }
            const std::uint32_t kinds = first && firstIsValue ? KindBitsOf(pending->type) : BorrowedKindBits(pending);
            if ((kinds & group.kinds) == 0) {
                if (!optional)
                    return LispStatus::InvalidParameter;
                break;
            }
            pending = nullptr;
            first = false;
        }
    }
    if (pending)
        return LispStatus::InvalidParameter;
    return following ? LispStatus::TooManyParameters : LispStatus::Ok;
}

LispStatus CTqLISPImpl::GatherArguments(const BuiltinDescriptor& descriptor, const LispNode* form, LispNode*& arguments)
{
    arguments = nullptr;
    switch (descriptor.flags) {
    case EvalMode::Setq:
    case EvalMode::Clauses:
    case EvalMode::AndOr:
        LISP_TRY(CheckShape(descriptor, form->next, false));
        arguments = const_cast<LispNode*>(form->next);
        return LispStatus::Ok;
    case EvalMode::FirstOnly: {
        const LispNode* expression = form->next;
        if (!expression)
            return CheckShape(descriptor, nullptr, false);
        LispNode* value = nullptr;
        LISP_TRY(Eval(expression, value));
        if (!value)
            return LispStatus::InvalidParameter;
        value->next = const_cast<LispNode*>(expression->next);
        if (const LispStatus status = CheckShape(descriptor, value, true); Failed(status)) {
            value->next = nullptr;
            Release(value);
            return status;
        }
        arguments = value;
        return LispStatus::Ok;
    }
    default:
        return CollectArguments(descriptor, form, arguments);
    }
}

void CTqLISPImpl::DropArguments(const BuiltinDescriptor& descriptor, LispNode* arguments)
{
    switch (descriptor.flags) {
    case EvalMode::Setq:
    case EvalMode::Clauses:
    case EvalMode::AndOr:
        return;  // borrowed from the form
    case EvalMode::FirstOnly:
        if (arguments)
            arguments->next = nullptr;  // the rest is borrowed from the form
        Release(arguments);
        return;
    default:
        Release(arguments);
    }
}

namespace {

bool IsLiteral(const LispNode* expression)
{
    switch (expression->type) {
    case NodeType::Integer: case NodeType::Real: case NodeType::ShortString: case NodeType::String:
        return true;
    default:
        return false;
    }
}

// An expression whose evaluation runs no code: a variable or a number or string literal.
bool IsQuiet(const LispNode* expression) { return expression->type == NodeType::SymbolRef || IsLiteral(expression); }

// The value `expression` evaluates to when that is a node already standing somewhere and its
// copy would read the same (a long string's copy shares its text); else null.
const LispNode* StandingValue(const LispNode* expression)
{
    if (IsLiteral(expression))
        return expression;
    if (expression->type != NodeType::SymbolRef || !expression->first)
        return nullptr;
    const LispNode* value = expression->first->payload.symbol.value;
    return value && (CTqLISPImpl::IsPlainCopy(value) || value->type == NodeType::String) ? value : nullptr;
}

}  // namespace

namespace {

// The kinds a group of arguments admits, the same at every position or one set per position.
struct SameKinds {
    std::uint32_t kinds;
    std::uint32_t operator[](int) const { return kinds; }
};
struct KindsByPosition {
    const std::uint32_t* kinds;
    std::uint32_t operator[](int position) const { return kinds[position]; }
};

}  // namespace

LispStatus BorrowedArguments::Collect(const ParamGroup& group, const LispNode* expressions)
{
    LISP_ASSERT(group.count >= 1 && group.count <= kMost && !(group.options & ParamOption::Optional), "a fixed group of one to three");
    const SameKinds kinds{group.kinds};
    switch (group.count) {
    case 1: return CollectCount<1>(kinds, expressions);
    case 2: return CollectCount<2>(kinds, expressions);
    default: return CollectCount<3>(kinds, expressions);
    }
}

LispStatus BorrowedArguments::Collect(std::span<const ParamGroup> groups, const LispNode* expressions)
{
    LISP_ASSERT(!groups.empty() && groups.size() <= std::size_t(kMost), "one to three groups");
    std::uint32_t byPosition[kMost] = {};
    for (std::size_t position = 0; position < groups.size(); ++position) {
        LISP_ASSERT(groups[position].count == 1 && !(groups[position].options & ParamOption::Optional), "groups of one argument each");
        byPosition[position] = groups[position].kinds;
    }
    const KindsByPosition kinds{byPosition};
    switch (groups.size()) {
    case 1: return CollectCount<1>(kinds, expressions);
    case 2: return CollectCount<2>(kinds, expressions);
    default: return CollectCount<3>(kinds, expressions);
    }
}

template <int kCount, typename Kinds>
LispStatus BorrowedArguments::CollectCount(Kinds kinds, const LispNode* expressions)
{
    // The commonest call: the group's expressions and no more, each a variable or literal whose
    // value stands where it is. Nothing needs evaluating, so the values are taken as they stand
    // and checked in order.
    {
        const LispNode* expression = expressions;
        int standing = 0;
        for (; expression && standing < kCount; expression = expression->next, ++standing) {
            const LispNode* value = StandingValue(expression);
            if (!value)
                break;
            m_values[standing] = value;
        }
        if (standing == kCount && !expression) {
            for (int position = 0; position < kCount; ++position)
                if ((KindBitsOf(m_values[position]->type) & kinds[position]) == 0)
                    return LispStatus::InvalidParameter;
            return LispStatus::Ok;
        }
    }
    // Expressions beyond the group are never evaluated (collection stops at them), so only the
    // group's own later arguments can reassign a variable read earlier.
    const LispNode* taken[kCount];
    int available = 0;
    const LispNode* beyond = expressions;
    for (; beyond && available < kCount; beyond = beyond->next)
        taken[available++] = beyond;
    for (int position = 0; position < available; ++position) {
        bool restIsQuiet = true;
        for (int later = position + 1; later < available && restIsQuiet; ++later)
            restIsQuiet = IsQuiet(taken[later]);
        const LispNode* value = restIsQuiet ? StandingValue(taken[position]) : nullptr;
        if (!value) {
            LISP_TRY(m_engine.Eval(taken[position], m_owned[position]));
            value = m_owned[position];
            if (!value)
                return LispStatus::InvalidParameter;
        }
        m_values[position] = value;
        if ((KindBitsOf(value->type) & kinds[position]) == 0)
            return LispStatus::InvalidParameter;
    }
    if (available < kCount)
        return LispStatus::MissingParameter;
    return beyond ? LispStatus::TooManyParameters : LispStatus::Ok;
}
