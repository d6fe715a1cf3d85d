// Asking the user: initget and the get functions sort out their base points, prompts and flags,
// then one host input request answers; what the host refuses goes through the status mapping,
// so a typed keyword comes back as a string and a cancel as "User break.".
#include "lisp/builtins/drawing/drawing_support.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxTypedText = 256;

LispStatus InputServices(CTqLISPImpl& engine, CTqInputServices*& input)
{
    input = engine.Services() ? engine.Services()->Input() : nullptr;
    if (!input)
        return LispStatus::NoDrawingDatabase;
    // What the program printed so far must be on screen before the user answers.
    return engine.FlushConsole();
}

// A prompt node or none.
struct Prompt {
    CTqString text;
    bool given = false;
    const CTqString* get() const { return given ? &text : nullptr; }
    void take(const LispNode* node)
    {
        text = CTqString(StringText(node));
        given = true;
    }
};

LispStatus RealOrFailure(CTqLISPImpl& engine, short status, double value, LispNode*& out)
{
    return status == tq::kNormal ? engine.MakeReal(value, out) : HostFailure(engine, status, out);
}

LispStatus PointOrFailure(CTqLISPImpl& engine, short status, const double (&point)[3], LispNode*& out)
{
    return status == tq::kNormal ? engine.MakePoint(point, out) : HostFailure(engine, status, out);
}

LispStatus TextResult(CTqLISPImpl& engine, const CTqString& text, LispNode*& out)
{
    std::u16string value = text.toStdU16();
    if (value.size() > kMaxTypedText)
        value.resize(kMaxTypedText);
    return engine.MakeLiteralString(value, out);
}

// getangle and getorient: an optional leading point, then the prompt.
LispStatus AskAngle(LispNode*& out, const LispNode* args, CTqLISPImpl& engine, bool orient)
{
    double base[3];
    bool hasBase = false;
    Prompt prompt;
    const LispNode* arg = args;
    if (arg && IsConsList(arg)) {
        if (!PointArgument(arg, base))
            return LispStatus::NoPointList;
        hasBase = true;
        arg = arg->next;
    } else if (arg && IsNil(arg)) {
        arg = arg->next;
    }
    if (arg && IsStringNode(arg))
        prompt.take(arg);
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    double angle = 0.0;
    const short status = input->GetAngle(hasBase ? base : nullptr, prompt.get(), orient, angle);
    return RealOrFailure(engine, status, angle, out);
}

}  // namespace

LispStatus f_initget(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    int bits = 0;
    const LispNode* keywords = args;
    if (args && IsInteger(args)) {
        bits = std::uint16_t(args->payload.integer);
        keywords = args->next;
    }
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    const CTqString words = keywords && IsStringNode(keywords) ? CTqString(StringText(keywords)) : CTqString();
    const short status = input->InitGet(bits, words);
    if (status != tq::kNormal)
        return HostFailure(engine, status, out);
    return engine.MakeNil(out);
}

LispStatus f_getpoint(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* first = args;
    const LispNode* second = first ? first->next : nullptr;
    if (second && second->next) {
        LISP_TRY(engine.MakeNothing(out));
        return LispStatus::TooManyParameters;
    }
    // A prompt followed by a point reads as the point followed by the prompt.
    if (second && IsStringNode(first) && IsConsList(second))
        std::swap(first, second);
    if (second && !(IsConsList(first) && IsStringNode(second))) {
        LISP_TRY(engine.MakeNothing(out));
        return LispStatus::InvalidParameter;
    }
    double base[3];
    bool hasBase = false;
    Prompt prompt;
    if (first && PointArgument(first, base)) {
        hasBase = true;
        if (second)
            prompt.take(second);
    } else if (first && IsStringNode(first)) {
        prompt.take(first);
    }
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    double point[3] = {0.0, 0.0, 0.0};
    const short status = input->GetPoint(hasBase ? base : nullptr, prompt.get(), point);
    return PointOrFailure(engine, status, point, out);
}

LispStatus f_getcorner(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    double base[3];
    if (!args || !PointArgument(args, base))
        return LispStatus::NoPointList;
    Prompt prompt;
    if (args->next && IsStringNode(args->next))
        prompt.take(args->next);
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    double point[3] = {0.0, 0.0, 0.0};
    const short status = input->GetCorner(base, prompt.get(), point);
    return PointOrFailure(engine, status, point, out);
}

LispStatus f_getdist(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    double base[3];
    bool hasBase = false;
    Prompt prompt;
    int position = 0;
    for (const LispNode* arg = args; arg; arg = arg->next) {
        ++position;
        if (IsConsList(arg)) {
            hasBase = PointArgument(arg, base);
        } else if (IsStringNode(arg)) {
            prompt.take(arg);
        } else if (!arg->next) {
            return position <= 2 ? LispStatus::InvalidParameter : LispStatus::TooManyParameters;
        }
    }
    if (position >= 3)
        return LispStatus::TooManyParameters;
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    double distance = 0.0;
    const short status = input->GetDistance(hasBase ? base : nullptr, prompt.get(), distance);
    return RealOrFailure(engine, status, distance, out);
}

LispStatus f_getangle(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return AskAngle(out, args, engine, false); }

LispStatus f_getorient(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return AskAngle(out, args, engine, true); }

LispStatus f_getreal(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    Prompt prompt;
    if (args)
        prompt.take(args);
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    double value = 0.0;
    const short status = input->GetReal(prompt.get(), value);
    return RealOrFailure(engine, status, value, out);
}

LispStatus f_getint(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    Prompt prompt;
    if (args)
        prompt.take(args);
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    int value = 0;
    const short status = input->GetInteger(prompt.get(), value);
    return status == tq::kNormal ? engine.MakeInteger(value, out) : HostFailure(engine, status, out);
}

LispStatus f_getstring(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    bool spaces = false;
    Prompt prompt;
    if (args && !IsStringNode(args)) {
        spaces = !IsNil(args);
        if (args->next && IsStringNode(args->next))
            prompt.take(args->next);
    } else if (args) {
        prompt.take(args);
    }
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    CTqString text;
    const short status = input->GetString(spaces, prompt.get(), text);
    return status == tq::kNormal ? TextResult(engine, text, out) : HostFailure(engine, status, out);
}

LispStatus f_getkword(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    Prompt prompt;
    if (args)
        prompt.take(args);
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    CTqString keyword;
    const short status = input->GetKeyword(prompt.get(), keyword);
    return status == tq::kNormal ? TextResult(engine, keyword, out) : HostFailure(engine, status, out);
}

LispStatus f_grread(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const bool tracking = args && !IsNil(args);
    const LispNode* allowed = args ? args->next : nullptr;
    const LispNode* kindCell = allowed ? allowed->next : nullptr;
    if ((allowed && !IsInteger(allowed)) || (kindCell && !IsInteger(kindCell)))
        return LispStatus::InvalidParameter;
    CTqInputServices* input = nullptr;
    LISP_TRY(InputServices(engine, input));
    int kind = kindCell ? kindCell->payload.integer : 0;
    ChainHolder value(*engine.Services());
    const short status = input->GrRead(tracking, allowed ? allowed->payload.integer : 0, kind, value.slot());
    if (status != tq::kNormal)
        return HostFailure(engine, status, out);
    ListBuilder result(engine);
    LISP_TRY(result.Begin());
    NodeRef element(engine);
    LISP_TRY(engine.MakeInteger(kind, element.slot()));
    result.Append(element.take());
    if (value.get()) {
        NodeRef values(engine);
        LISP_TRY(ChainToValues(engine, value.get(), values.slot()));
        // The values follow the kind one by one.
        if (IsConsList(values.get())) {
            for (const LispNode* item = values->first; item; item = item->next)
                LISP_TRY(result.AppendCopy(item));
        }
    }
    return result.Finish(out, false);
}
