// Special forms and the built-ins that call back into the evaluator: quote, setq, defun,
// lambda, the control forms, apply and mapcar, tracing and vl-catch-all-apply.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

#include <algorithm>
#include <vector>

namespace {

// A copy of every symbol reference of `parameters`, as a new list; other elements are skipped.
LispStatus CopyParameterList(CTqLISPImpl& engine, const LispNode* parameters, LispNode*& out)
{
    NodeRef list(engine);
    LISP_TRY(engine.MakeEmptyList(list.slot()));
    LispNode* tail = nullptr;
    for (const LispNode* element = parameters ? parameters->first : nullptr; element; element = element->next) {
        if (element->type != NodeType::SymbolRef)
            continue;
        LispNode* copy = nullptr;
        LISP_TRY(engine.CopyNode(element, copy));
        (tail ? tail->next : list->first) = copy;
        tail = copy;
    }
    out = list.take();
    return LispStatus::Ok;
}

// ((params…) body…) built from the parameter list and body expressions as written.
LispStatus MakeFunctionList(CTqLISPImpl& engine, const LispNode* parameters, const LispNode* body, bool userFunction, LispNode*& out)
{
    NodeRef function(engine);
    LISP_TRY(engine.MakeEmptyList(function.slot()));
    LISP_TRY(CopyParameterList(engine, parameters, function->first));
    LispNode* tail = function->first;
    for (const LispNode* expression = body; expression; expression = expression->next) {
        LispNode* copy = nullptr;
        LISP_TRY(engine.CopyNode(expression, copy));
        tail->next = copy;
        tail = copy;
    }
    if (userFunction)
        function->flags |= NodeFlag::UserFunction;
    engine.NoteStackFrameFit(function.get());
    out = function.take();
    return LispStatus::Ok;
}

// A number written over a number node in place.
void StoreNumber(LispNode* node, const LispNumber& number)
{
    if (number.isReal) {
        node->type = NodeType::Real;
        node->payload.real = number.real;
    } else {
        node->type = NodeType::Integer;
        node->payload.integer = number.integer;
    }
}

// A node holding a number.
LispStatus MakeNumber(CTqLISPImpl& engine, const LispNumber& number, LispNode*& out)
{
    return number.isReal ? engine.MakeReal(number.real, out) : engine.MakeInteger(number.integer, out);
}

// Evaluates the expressions of a chain in order; the last value stays in `out`. With
// `pollEach`, the host is asked for a user break before each expression.
[[gnu::always_inline]] inline LispStatus EvalSequence(CTqLISPImpl& engine, const LispNode* chain, NodeRef& out, bool pollEach)
{
    for (const LispNode* expression = chain; expression; expression = expression->next) {
        if (pollEach)
            LISP_TRY(engine.BreakPollTick());
        LISP_TRY(engine.Eval(expression, out.slot()));
    }
    return LispStatus::Ok;
}

// Whether the value of `expression` is not nil, without making the value when a builtin can tell.
LispStatus EvalTruth(CTqLISPImpl& engine, const LispNode* expression, bool& truth)
{
    bool known = false;
    LISP_TRY(engine.TryTest(expression, known, truth));
    if (known)
        return LispStatus::Ok;
    NodeRef value(engine);
    LISP_TRY(engine.Eval(expression, value.slot()));
    truth = !IsNil(value.get());
    return LispStatus::Ok;
}

LispStatus Finish(CTqLISPImpl& engine, NodeRef& value, LispNode*& out)
{
    if (value) {
        out = value.take();
        return LispStatus::Ok;
    }
    return engine.MakeNil(out);
}

// Shadows a symbol for a loop variable and restores it when the loop ends, however it ends.
class SavedBinding {
public:
    SavedBinding(CTqLISPImpl& engine, LispNode* symbol) : m_engine(engine), m_symbol(symbol), m_saved(SymbolValue(symbol))
    {
        m_symbol->payload.symbol.value = nullptr;
    }
    ~SavedBinding() { m_engine.SetSymbolValue(m_symbol, m_saved); }
    SavedBinding(const SavedBinding&) = delete;
    SavedBinding& operator=(const SavedBinding&) = delete;

private:
    CTqLISPImpl& m_engine;
    LispNode* m_symbol;
    LispNode* m_saved;
};

}  // namespace

LispStatus f_quote(LispNode*& out, LispNode* args, CTqLISPImpl&)
{
    if (!args)
        return LispStatus::MissingParameter;
    ++args->refs;
    out = args;
    return LispStatus::Ok;
}

LispStatus f_function(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return f_quote(out, args, engine); }

LispStatus f_setq(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    for (const LispNode* name = args; name; name = name->next ? name->next->next : nullptr) {
        if (name->type != NodeType::SymbolRef || !name->first)
            return LispStatus::InvalidParameter;
        const LispNode* expression = name->next;
        if (!expression)
            return LispStatus::MissingParameter;
        // (setq i (+ i 1)): a number computed without a node goes into the variable's own number
        // node, when the variable alone still holds one after the computation.
        LispNode* symbol = name->first;
        if (!(symbol->flags & NodeFlag::SpecialName) && CTqLISPImpl::IsOwnNumber(symbol->payload.symbol.value)) {
            bool handled = false;
            LispNumber number;
            LISP_TRY(engine.TryExactNumber(expression, handled, number));
            if (handled) {
                // setq's own value first, as the copy of the value is made before the assignment.
                if (!expression->next)
                    LISP_TRY(MakeNumber(engine, number, out));
                LispNode* own = symbol->payload.symbol.value;
                if (CTqLISPImpl::IsOwnNumber(own)) {
                    StoreNumber(own, number);
                    continue;
                }
                LispNode* node = nullptr;
                LISP_TRY(MakeNumber(engine, number, node));
                engine.SetSymbolValue(symbol, node);
                continue;
            }
        }
        LispNode* value = nullptr;
        LISP_TRY(engine.Eval(expression, value));
        if (!expression->next) {
            if (Failed(engine.CopyNode(value, out))) {
                engine.Release(value);
                return LispStatus::NoMoreHeap;
            }
        }
        LISP_TRY(engine.AssignSymbol(name->first, value));
    }
    return LispStatus::Ok;
}

// setq without the general builtin call: the form is checked as collection would check it (any
// number of anything), then the pairs are assigned from it in place.
LispStatus f_setq_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    LISP_TRY(CTqLISPImpl::CheckManyAny(expressions));
    return f_setq(out, const_cast<LispNode*>(expressions), engine);
}

LispStatus f_defun(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* name = args;
    const LispNode* parameters = name ? name->next : nullptr;
    if (!name || name->type != NodeType::SymbolRef || !name->first || !IsList(parameters))
        return LispStatus::InvalidParameter;
    LispNode* function = nullptr;
    LISP_TRY(MakeFunctionList(engine, parameters, parameters->next, true, function));
    const LispNode* parameterList = function->first;
    LispNode* symbol = name->first;
    const LispStatus status = engine.AssignSymbol(symbol, function);
    engine.RecordFunctionName(parameterList, SymbolName(symbol));
    LISP_TRY(status);
    return engine.CopyNode(name, out);
}

LispStatus f_lambda(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args || !IsList(args) || !args->next)
        return LispStatus::InvalidParameter;
    return MakeFunctionList(engine, args, args->next, false, out);
}

LispStatus f_progn(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return engine.MakeNil(out);
    const LispNode* last = args;
    while (last->next)
        last = last->next;
    return engine.CopyNode(last, out);
}

LispStatus f_eval(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    if (args->type == NodeType::List && (args->flags & NodeFlag::UserFunction))
        return engine.CopyNode(args, out);
    return engine.Eval(args, out);
}

LispStatus f_if(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args || !args->next)
        return LispStatus::MissingParameter;
    if (!IsNil(args))
        return engine.Eval(args->next, out);
    if (const LispNode* otherwise = args->next->next)
        return engine.Eval(otherwise, out);
    return engine.MakeNil(out);
}

// if without an argument list: the test evaluated, the branches checked as collection would
// check them (any kind, two or three arguments), then the chosen branch evaluated.
namespace {

// The branch if takes, with the errors of its argument collection in their order: null when the
// test fails and there is no else branch.
[[gnu::always_inline]] inline LispStatus ChooseBranch(CTqLISPImpl& engine, const LispNode* expressions, const LispNode*& branch)
{
    if (!expressions)
        return LispStatus::MissingParameter;
    bool known = false;
    bool truth = false;
    LISP_TRY(engine.TryTest(expressions, known, truth));
    if (!known) {
        NodeRef test(engine);
        LISP_TRY(engine.Eval(expressions, test.slot()));
        if (!test || KindBitsOf(test->type) == 0)
            return LispStatus::InvalidParameter;
        truth = !IsNil(test.get());
    }
    const LispNode* then = expressions->next;
    if (!then)
        return LispStatus::MissingParameter;
    const LispNode* otherwise = then->next;
    if (KindBitsOf(then->type) == 0 || (otherwise && KindBitsOf(otherwise->type) == 0))
        return LispStatus::InvalidParameter;
    if (otherwise && otherwise->next)
        return LispStatus::TooManyParameters;
    branch = truth ? then : otherwise;
    return LispStatus::Ok;
}

}  // namespace

LispStatus f_if_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    const LispNode* branch = nullptr;
    LISP_TRY(ChooseBranch(engine, expressions, branch));
    return branch ? engine.Eval(branch, out) : engine.MakeNil(out);
}

// if as an operand of arithmetic, as in (+ (if (< n 2) n (fib n)) 1): the branch's value as a
// number; nil (no branch taken) is no number.
LispStatus f_if_number(const LispNode* expressions, CTqLISPImpl& engine, LispNumber& number)
{
    const LispNode* branch = nullptr;
    LISP_TRY(ChooseBranch(engine, expressions, branch));
    return branch ? engine.EvalNumber(branch, number) : LispStatus::InvalidParameter;
}

LispStatus f_cond(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    for (const LispNode* clause = args; clause; clause = clause->next) {
        if (!IsList(clause) || IsNil(clause)) {
            if (clause == args)
                return LispStatus::MissingParameter;
            break;
        }
        NodeRef value(engine);
        LISP_TRY(engine.Eval(clause->first, value.slot()));
        if (IsNil(value.get()))
            continue;
        LISP_TRY(EvalSequence(engine, clause->first->next, value, false));
        out = value.take();
        return LispStatus::Ok;
    }
    return engine.MakeNil(out);
}

LispStatus f_while(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    NodeRef result(engine);
    for (;;) {
        bool truth = false;
        LISP_TRY(EvalTruth(engine, args, truth));
        if (!truth)
            break;
        LISP_TRY(engine.BreakPollTick());
        LISP_TRY(EvalSequence(engine, args->next, result, false));
    }
    return Finish(engine, result, out);
}

LispStatus f_repeat(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsInteger(args))
        return LispStatus::MissingParameter;
    NodeRef result(engine);
    for (std::int32_t round = 0; round < args->payload.integer; ++round)
        LISP_TRY(EvalSequence(engine, args->next, result, true));
    return Finish(engine, result, out);
}

LispStatus f_foreach(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* list = args ? args->next : nullptr;
    if (!list)
        return LispStatus::InvalidParameter;
    if (IsNil(list))
        return engine.MakeNil(out);
    if (!list->first)
        return LispStatus::InvalidParameter;
    if (!list->next)
        return engine.MakeNil(out);
    if (args->type != NodeType::SymbolRef || !args->first)
        return LispStatus::InvalidParameter;
    LispNode* symbol = args->first;
    SavedBinding binding(engine, symbol);
    NodeRef result(engine);
    for (const LispNode* element = list->first; element; element = element->next) {
        // A number goes into the number node the variable alone holds from the last round.
        LispNode* own = symbol->payload.symbol.value;
        if (CTqLISPImpl::IsOwnNumber(own) && (element->type == NodeType::Integer || element->type == NodeType::Real)) {
            own->type = element->type;
            own->payload = element->payload;
        } else {
            LispNode* copy = nullptr;
            LISP_TRY(engine.CopyNode(element, copy));
            engine.SetSymbolValue(symbol, copy);
        }
        LISP_TRY(EvalSequence(engine, list->next, result, true));
    }
    return Finish(engine, result, out);
}

LispStatus f_and(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    for (const LispNode* expression = args; expression; expression = expression->next) {
        if (IsNil(expression))
            return engine.MakeNil(out);
        NodeRef value(engine);
        LISP_TRY(engine.Eval(expression, value.slot()));
        if (IsNil(value.get()))
            return engine.MakeNil(out);
    }
    return engine.MakeT(out);
}

LispStatus f_or(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    for (const LispNode* expression = args; expression; expression = expression->next) {
        if (IsNil(expression))
            continue;
        NodeRef value(engine);
        LISP_TRY(engine.Eval(expression, value.slot()));
        if (!IsNil(value.get()))
            return engine.MakeT(out);
    }
    return engine.MakeNil(out);
}

LispStatus f_apply(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    std::vector<const LispNode*> values;
    if (const LispNode* list = args->next)
        for (const LispNode* element = list->first; element; element = element->next)
            values.push_back(element);
    return engine.CallFunction(args, values, out);
}

LispStatus f_mapcar(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* firstList = args ? args->next : nullptr;
    if (firstList && IsNil(firstList))
        return engine.MakeNil(out);
    if (!firstList || !firstList->first)
        return LispStatus::InvalidParameter;
    std::vector<const LispNode*> cursors;
    for (const LispNode* list = firstList; list; list = list->next)
        cursors.push_back(list->first);
    NodeRef result(engine);
    LISP_TRY(engine.MakeEmptyList(result.slot()));
    LispNode* tail = nullptr;
    PreparedCall function(engine, args);
    for (;;) {
        if (std::any_of(cursors.begin(), cursors.end(), [](const LispNode* cursor) { return cursor == nullptr; }))
            break;
        LispNode* value = nullptr;
        LISP_TRY(function.Call(cursors, value));
        (tail ? tail->next : result->first) = value;
        tail = value;
        for (auto& cursor : cursors)
            cursor = cursor->next;
    }
    if (!result->first)
        result->type = NodeType::Nil;
    out = result.take();
    return LispStatus::Ok;
}

namespace {

LispStatus ChangeTraceList(LispNode*& out, const LispNode* args, CTqLISPImpl& engine, bool add)
{
    if (!args || args->type != NodeType::SymbolRef || !args->first || SymbolName(args->first).empty())
        return engine.MakeNil(out);
    auto& traced = engine.TraceList();
    const std::u16string name(SymbolName(args->first));
    const auto found = std::find(traced.begin(), traced.end(), name);
    if (add && found == traced.end())
        traced.push_back(name);
    if (!add && found != traced.end())
        traced.erase(found);
    return engine.CopyNode(args, out);
}

}  // namespace

LispStatus f_trace(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return ChangeTraceList(out, args, engine, true); }
LispStatus f_untrace(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return ChangeTraceList(out, args, engine, false); }

LispStatus f_settrace(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    LISP_TRY(engine.MakeInteger(engine.OutputModeWord(), out));
    if (IsInteger(args))
        engine.SetOutputModeWord(std::uint16_t(args->payload.integer));
    if (args && IsInteger(args->next))
        engine.SetWaitSeconds(std::int16_t(args->next->payload.integer));
    return LispStatus::Ok;
}

LispStatus f_vl_catch_all_apply(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispStatus status = f_apply(out, args, engine);
    if (!Failed(status))
        return status;
    // The error becomes a value: with a handler in place the reporter returns the message
    // instead of printing it.
    LispNode* savedHandler = engine.ErrorHandler();
    engine.SetErrorHandler(engine.QuoteSymbol());
    NodeRef message(engine);
    const LispStatus reported = engine.ReportStatus(status, message.slot());
    engine.SetErrorHandler(savedHandler);
    LISP_TRY(reported);
    return engine.MakeCatchAllError(message ? StringText(message.get()) : std::u16string_view(), out);
}

LispStatus f_vl_catch_all_error_message(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (args && args->type == NodeType::CatchAllError)
        return engine.MakeLiteralString(StringText(args), out);
    return engine.MakeNil(out);
}

LispStatus f_vl_catch_all_error_p(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return engine.MakeBoolean(args && args->type == NodeType::CatchAllError, out);
}

namespace {

constexpr ParamGroup kSetqParams[] = {{Kind::Any, kManyArguments, ParamOption::Paired}};
constexpr ParamGroup kDefunParams[] = {{Kind::Symbol, 1, 0}, {Kind::List, 1, 0}, {Kind::Any, 1, 0}, {Kind::Any, kManyArguments, 0}};
constexpr ParamGroup kLambdaParams[] = {{Kind::List, 1, 0}, {Kind::Any, 1, 0}, {Kind::Any, kManyArguments, 0}};
constexpr ParamGroup kForeachParams[] = {{Kind::Symbol, 1, 0}, {Kind::List, 1, 0}, {Kind::Any, kManyArguments, 0}};
constexpr ParamGroup kCondParams[] = {{Kind::List, kManyArguments, 0}};
constexpr ParamGroup kIfParams[] = {{Kind::Any, 2, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kRepeatParams[] = {{Kind::Integer, 1, 0}, {Kind::Any, kManyArguments, 0}};
constexpr ParamGroup kWhileParams[] = {{Kind::Any, 1, 0}, {Kind::Any, kManyArguments, 0}};
constexpr ParamGroup kApplyParams[] = {{Kind::Any, 1, 0}, {Kind::List, 1, 0}};
constexpr ParamGroup kMapcarParams[] = {{Kind::Any, 1, 0}, {Kind::List, kManyArguments, 0}};
constexpr ParamGroup kSettraceParams[] = {{Kind::Any, 2, ParamOption::Optional}};
constexpr ParamGroup kErrorObjectParams[] = {{Kind::CatchAllError, 1, 0}};

constexpr BuiltinDescriptor kSpecialFormRows[] = {
    {u"f_quote", f_quote, EvalMode::QuoteFirst, Kind::Any, Params::OneAny},
    {u"f_setq", f_setq, EvalMode::Setq, Kind::Symbol, kSetqParams, f_setq_direct},
    {u"f_apply", f_apply, EvalMode::All, Kind::Any, kApplyParams},
    {u"f_eval", f_eval, EvalMode::All, Kind::Any, Params::OneAny, OwnedArgumentDirect<f_eval>},
    {u"f_defun", f_defun, EvalMode::Defun, Kind::Any, kDefunParams},
    {u"f_lambda", f_lambda, EvalMode::Lambda, Kind::List, kLambdaParams},
    {u"f_progn", f_progn, EvalMode::All, Kind::Any, Params::ManyAny},
    {u"f_foreach", f_foreach, EvalMode::Foreach, Kind::Any, kForeachParams},
    {u"f_mapcar", f_mapcar, EvalMode::All, Kind::List, kMapcarParams},
    {u"f_and", f_and, EvalMode::AndOr, Kind::Atom, Params::ManyAny},
    {u"f_cond", f_cond, EvalMode::Clauses, Kind::Any, kCondParams},
    {u"f_if", f_if, EvalMode::FirstOnly, Kind::Any, kIfParams, f_if_direct, nullptr, f_if_number},
    {u"f_or", f_or, EvalMode::AndOr, Kind::Atom, Params::ManyAny},
    {u"f_repeat", f_repeat, EvalMode::FirstOnly, Kind::Any, kRepeatParams},
    {u"f_while", f_while, EvalMode::Clauses, Kind::Any, kWhileParams},
    {u"f_settrace", f_settrace, EvalMode::All, Kind::Integer, kSettraceParams},
    {u"f_function", f_function, EvalMode::QuoteFirst, Kind::Any, Params::OneAny},
    {u"f_vl_catch_all_apply", f_vl_catch_all_apply, EvalMode::All, Kind::Any, kApplyParams},
    {u"f_vl_catch_all_error_message", f_vl_catch_all_error_message, EvalMode::All, Kind::String, kErrorObjectParams},
    {u"f_vl_catch_all_error_p", f_vl_catch_all_error_p, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_trace", f_trace, EvalMode::QuoteFirst, Kind::Any, Params::OptionalAny},
    {u"f_untrace", f_untrace, EvalMode::QuoteFirst, Kind::Any, Params::OptionalAny},
};

}  // namespace

std::span<const BuiltinDescriptor> SpecialFormBuiltins() { return kSpecialFormRows; }
