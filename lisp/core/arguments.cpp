// Argument collection: arguments are taken one at a time from left to right, evaluated or passed
// as written according to the builtin's evaluation mode, and checked against its parameter
// groups. The first mismatch stops the call before later arguments are evaluated.
#include "lisp/core/engine.h"

#include <array>

namespace {

constexpr std::array<std::uint32_t, 34> kKindBits = {
    0x00008021, 0x00000020, 0x00000020, 0x00002020, 0x00000400, 0x00000800, 0x00000040, 0x00000040,
    0x00004000, 0x00000004, 0x00000004, 0x00000100, 0x00000001, 0,          0x00004000, 0x00010000,
    0x00080000, 0x00020000, 0x00040000, 0,          0x00000001, 0x00000001, 0x00000001, 0x00000001,
    0x00000001, 0x00000001, 0x00000040, 0x00000040, 0x00100000, 0x00200000, 0x00400000, 0x00800000,
    0x01000000, 0x02000000,
};

}  // namespace

std::uint32_t KindBitsOf(NodeType type)
{
    const auto code = std::size_t(type);
    return code < kKindBits.size() ? kKindBits[code] : 0;
}

LispStatus CTqLISPImpl::CollectArguments(const BuiltinDescriptor& descriptor, const LispNode* form, LispNode*& arguments)
{
    arguments = nullptr;
    NodeRef chain(*this);
    LispNode* tail = nullptr;
    const LispNode* expression = form;  // the last argument expression taken
    bool exhausted = false;
    LispNode* pending = nullptr;  // taken, not yet accepted by a group
    int position = 0;

    for (const ParamGroup& group : descriptor.groups) {
        const int count = group.count == kManyArguments ? 32767 : group.count;
        const bool optional = (group.options & ParamOption::Optional) || group.count == kManyArguments;
        for (int taken = 0; taken < count; ++taken) {
            if (!pending) {
                const LispNode* following = exhausted ? nullptr : expression->next;
                if (!following) {
                    exhausted = true;
                    if (!optional)
                        return LispStatus::MissingParameter;
                    break;
                }
                expression = following;
                ++position;
                LispNode* value = nullptr;
                if (IsEvaluatedPosition(descriptor.flags, position))
                    LISP_TRY(Eval(expression, value));
                else
                    LISP_TRY(CopyNode(expression, value));
                if (!value)
                    return LispStatus::InvalidParameter;
                (tail ? tail->next : chain.slot()) = value;
                tail = value;
                pending = value;
            }
            if ((KindBitsOf(pending->type) & group.kinds) == 0) {
                if (!optional)
                    return LispStatus::InvalidParameter;
                break;  // the next group gets to try it
            }
            pending = nullptr;
            if ((group.options & ParamOption::Paired) && position == 2 && descriptor.flags == EvalMode::QuoteFirst)
                position = 0;
        }
    }
    if (pending)
        return LispStatus::InvalidParameter;
    if (!exhausted && expression->next)
        return LispStatus::TooManyParameters;
    arguments = chain.take();
    return LispStatus::Ok;
}
