// The evaluator: self-evaluating nodes are copied, symbol references looked up, lists called.
// Calls go to a builtin through its descriptor or to a user function ((params… / locals…)
// body…), whose parameters are shadowed for the call's duration: in a frame on the C++ stack when
// they are few, else on the symbols' save stacks.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"
#include "lisp/core/stack_guard.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

namespace {

// Values a symbol may hand out by evaluation.
bool IsEvaluableValue(NodeType type)
{
    switch (type) {
    case NodeType::Nil: case NodeType::List: case NodeType::DottedList: case NodeType::Integer:
    case NodeType::Real: case NodeType::ShortString: case NodeType::String: case NodeType::File:
    case NodeType::QuotingSubr: case NodeType::Subr: case NodeType::SymbolRef: case NodeType::Constant:
    case NodeType::Nothing: case NodeType::EntityName: case NodeType::PickSet: case NodeType::ExternalSubr:
    case NodeType::ULong: case NodeType::NativeSubr: case NodeType::CatchAllError:
        return true;
    default:
        return false;
    }
}

}  // namespace

LispStatus CTqLISPImpl::EvalGeneral(const LispNode* expression, LispNode*& out)
{
    out = nullptr;
    if (!expression)
        return LispStatus::EmptyNode;
    switch (expression->type) {
    case NodeType::List:
        if (!expression->first)
            return MakeNil(out);
        return Apply(expression->first, out, 0);
    case NodeType::SymbolRef: {
        const LispNode* symbol = expression->first;
        if (!symbol)
            return LispStatus::InvalidParameter;
        if (const LispNode* value = symbol->payload.symbol.value) {
            if (!IsEvaluableValue(value->type))
                return LispStatus::InvalidParameter;
            return CopyNode(value, out);
        }
        if (SymbolName(symbol) == u"^C")
            return MakeLiteralString(u"^C", out);
        return MakeNil(out);
    }
    case NodeType::Nil: case NodeType::DottedList: case NodeType::Integer: case NodeType::Real:
    case NodeType::ShortString: case NodeType::String: case NodeType::Constant: case NodeType::Nothing:
    case NodeType::EntityName: case NodeType::PickSet: case NodeType::ULong:
        return CopyNode(expression, out);
    default:
        return LispStatus::InvalidParameter;
    }
}

LispStatus CTqLISPImpl::PollUserBreak()
{
    if (m_services && m_services->UserBreak())
        return LispStatus::UserBreak;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::Apply(const LispNode* form, LispNode*& out, int mode)
{
    out = nullptr;
    LISP_TRY(BreakPollTick());
    // The usual call names a builtin or a user function while no call is traced or recorded.
    if ((m_outputMode & OutputMode::ShownCalls) == 0 && form && form->type == NodeType::SymbolRef && form->first) [[likely]] {
        if (stack_guard::NearlyExhausted())
            return LispStatus::NoMoreHeap;
        const LispNode* value = form->first->payload.symbol.value;
        if (value && (value->type == NodeType::Subr || value->type == NodeType::QuotingSubr)) {
            // A builtin's descriptor is static, so nothing needs holding while the arguments
            // are evaluated, even if they reassign the symbol.
            const BuiltinDescriptor& descriptor = *value->payload.descriptor;
            if (descriptor.direct) {
                bool handled = false;
                const LispStatus status = descriptor.direct(out, form->next, *this, handled);
                if (handled) {
                    if (Failed(status) && out) [[unlikely]] {
                        Release(out);
                        out = nullptr;
                    }
                    return status;
                }
            }
            return ApplyBuiltin(form, descriptor, nullptr, out);
        }
        if (value && IsFunctionList(value) && (mode & 0xF0) == 0)
            return ApplyUserFunction(form, value, out);
        return ApplyResolved(form, out, mode);
    }
    if ((m_outputMode & OutputMode::TraceCalls) && !m_outputSuppressed && form) [[unlikely]] {
        if (Failed(PrintCallTrace(form)))
            return LispStatus::PrintingTrace;
    }
    if (!form)
        return LispStatus::EmptyNodePointer;
    if (stack_guard::NearlyExhausted())
        return LispStatus::NoMoreHeap;
    // Recording modes need the argument list, which the direct paths never build.
    if (form->type == NodeType::SymbolRef && form->first) {
        const LispNode* value = form->first->payload.symbol.value;
        if (value && (value->type == NodeType::Subr || value->type == NodeType::QuotingSubr))
            return ApplyBuiltin(form, *value->payload.descriptor, nullptr, out);
        if (value && IsFunctionList(value) && (mode & 0xF0) == 0)
            return ApplyUserFunction(form, value, out);
    }
    return ApplyResolved(form, out, mode);
}

// Calls whose head is not a symbol naming a builtin or a user function directly.
LispStatus CTqLISPImpl::ApplyResolved(const LispNode* form, LispNode*& out, int mode)
{
    NodeRef function(*this);
    LISP_TRY(ResolveFunction(form, function.slot(), mode));
    LispNode* resolved = function.get();
    if (IsFunctionList(resolved))
        return ApplyUserFunction(form, resolved, out);
    if (IsBuiltin(resolved)) {
        const bool external = resolved->type == NodeType::ExternalSubr || resolved->type == NodeType::NativeSubr;
        return ApplyBuiltin(form, *resolved->payload.descriptor, external ? resolved : nullptr, out);
    }
    return LispStatus::NoFunction;
}


LispStatus CTqLISPImpl::ResolveFunction(const LispNode* head, LispNode*& out, int mode)
{
    out = nullptr;
    if (head->type == NodeType::List)
        return Apply(head->first, out, 0);
    if (head->type != NodeType::SymbolRef || !head->first)
        return LispStatus::InvalidParameter;
    const LispNode* symbol = head->first;
    const LispNode* value = symbol->payload.symbol.value;
    if (!value) {
        if (CTqCIPUnknownCommandRecorder* recorder = GetUnknownCommandRecorder())
            recorder->UnknownLISPFunction(CTqString(SymbolName(symbol)));
        return LispStatus::NoFunction;
    }
    // The function is held by a counted reference to the symbol's own value node rather than
    // a copy: it stays alive if the call reassigns the symbol, and no cell is allocated.
    switch (value->type) {
    case NodeType::List:
        if (IsFunctionList(value) && (mode & 0xF0) == 0)
            break;
        return Apply(value->first, out, 0);
    case NodeType::QuotingSubr:
    case NodeType::Subr:
    case NodeType::ExternalSubr:
    case NodeType::NativeSubr:
        break;
    default:
        return LispStatus::InvalidParameter;
    }
    LISP_ASSERT(value->next == nullptr, "a symbol's value stands alone");
    ++const_cast<LispNode*>(value)->refs;
    out = const_cast<LispNode*>(value);
    return LispStatus::Ok;
}

namespace {

// The most parameters and locals a user function may have for its call to keep their outer
// values on the C++ stack; functions with more save them in cells on the symbols.
constexpr int kStackBindings = 8;

// Whether a parameter list is all symbols, with at most kStackBindings besides "/".
bool FitsStackFrame(const LispNode* parameters, const LispNode* slash)
{
    int count = 0;
    for (const LispNode* parameter = parameters->first; parameter; parameter = parameter->next) {
        if (parameter->type != NodeType::SymbolRef || !parameter->first)
            return false;
        if (parameter->first != slash && ++count > kStackBindings)
            return false;
    }
    return true;
}

struct ShadowedValue {
    LispNode* symbol;
    LispNode* value;
};

}  // namespace

void CTqLISPImpl::NoteStackFrameFit(LispNode* function) const
{
    if (IsList(function->first) && FitsStackFrame(function->first, m_symSlash))
        function->flags |= NodeFlag::FitsStackFrame;
}

inline bool CTqLISPImpl::CallsInStackFrame(const LispNode* function) const
{
    const LispNode* parameters = function->first;
    const bool fits = (function->flags & NodeFlag::FitsStackFrame) || (IsList(parameters) && FitsStackFrame(parameters, m_symSlash));
    return fits && m_traceList.empty();
}

LispStatus CTqLISPImpl::ApplyUserFunction(const LispNode* form, const LispNode* function, LispNode*& out)
{
    // The function is held by a counted reference while it runs (the call may redefine it).
    ++const_cast<LispNode*>(function)->refs;
    NodeRef held(*this, const_cast<LispNode*>(function));
    const LispNode* parameters = function->first;
    if (CallsInStackFrame(function)) [[likely]]
        return RunInStackFrame(form, parameters, [this, &out](const LispNode* body) { return BodyValue(body, out); });
    // 1. Arguments, evaluated in order.
    NodeRef arguments(*this);
    LispNode* tail = nullptr;
    for (const LispNode* expression = form->next; expression; expression = expression->next) {
        LispNode* value = nullptr;
        LISP_TRY(Eval(expression, value));
        (tail ? tail->next : arguments.slot()) = value;
        tail = value;
    }
    if (!IsList(parameters))
        return LispStatus::InvalidParameter;
    return RunUserFunction(form, parameters, function->first->next, arguments.take(), out);
}

LispStatus CTqLISPImpl::ApplyUserFunctionNumber(const LispNode* form, const LispNode* function, LispNumber& number)
{
    if (!CallsInStackFrame(function)) {
        LispNode* result = nullptr;
        LISP_TRY(ApplyUserFunction(form, function, result));
        return TakeNumber(result, number);
    }
    ++const_cast<LispNode*>(function)->refs;
    NodeRef held(*this, const_cast<LispNode*>(function));
    return RunInStackFrame(form, function->first, [this, &number](const LispNode* body) { return BodyNumber(body, number); });
}

LispStatus CTqLISPImpl::TakeNumber(LispNode* value, LispNumber& number)
{
    if (!value)
        return LispStatus::InvalidParameter;
    const bool numeric = value->type == NodeType::Integer || value->type == NodeType::Real;
    if (numeric)
        number = value->type == NodeType::Integer ? LispNumber{false, value->payload.integer, 0.0} : LispNumber{true, 0, value->payload.real};
    Release(value);
    return numeric ? LispStatus::Ok : LispStatus::InvalidParameter;
}

LispStatus CTqLISPImpl::EvaluatedNumber(const LispNode* expression, LispNumber& number)
{
    bool handled = false;
    const LispStatus direct = TryNumber(expression, handled, number);
    if (handled)
        return direct;
    LispNode* value = nullptr;
    LISP_TRY(Eval(expression, value));
    return TakeNumber(value, number);
}

// Most bodies are one expression, evaluated here without the walk of EvalBody.
[[gnu::always_inline]] inline LispStatus CTqLISPImpl::BodyValue(const LispNode* body, LispNode*& out)
{
    const LispStatus status = body && !body->next ? (out = nullptr, Eval(body, out)) : EvalBody(body, out);
    if (Failed(status) && out) {
        Release(out);
        out = nullptr;
    }
    return status;
}

LispStatus CTqLISPImpl::BodyTruth(const LispNode* body, bool& truth)
{
    LISP_TRY(EvalLeading(body));
    bool known = false;
    LISP_TRY(TryTest(body, known, truth));
    if (known)
        return LispStatus::Ok;
    LispNode* value = nullptr;
    LISP_TRY(Eval(body, value));
    truth = value && !IsNil(value);
    Release(value);
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::BodyNumber(const LispNode* body, LispNumber& number)
{
    LISP_TRY(EvalLeading(body));
    return EvalNumber(body, number);
}

template <typename MakeValues, typename RunBody>
[[gnu::always_inline]] inline LispStatus CTqLISPImpl::CallInStackFrame(const LispNode* parameters, MakeValues makeValues, RunBody runBody)
{
    LispNode* values[kStackBindings];
    int given = 0;
    const LispStatus made = makeValues([this, &values, &given](LispNode* value) {
        if (given < kStackBindings)
            values[given++] = value;
        else
            Release(value);  // beyond any parameter
    });
    if (Failed(made)) [[unlikely]] {
        while (given > 0)
            Release(values[--given]);
        return made;
    }
    ShadowedValue saved[kStackBindings];
    int count = 0;
    int taken = 0;
    bool binding = true;
    for (const LispNode* parameter = parameters->first; parameter; parameter = parameter->next) {
        LispNode* symbol = parameter->first;
        if (symbol == m_symSlash) {
            binding = false;
            continue;
        }
        // A parameter named twice is shadowed twice; the later argument wins, and the earlier
        // one goes when the second shadow is undone.
        saved[count++] = {symbol, symbol->payload.symbol.value};
        symbol->payload.symbol.value = binding && taken < given ? values[taken++] : nullptr;
    }
    while (taken < given)
        Release(values[taken++]);  // arguments beyond the parameters
    const LispStatus status = runBody(parameters->next);
    while (count > 0) {
        const ShadowedValue& shadow = saved[--count];
        Release(shadow.symbol->payload.symbol.value);
        shadow.symbol->payload.symbol.value = shadow.value;
    }
    return status;
}

// A call of a user function with few parameters and locals, none of them traced: the arguments
// are evaluated in order, each parameter is bound to the next one (the rest of the parameters
// and the locals after "/" are left unbound), the body runs, and the outer values kept in this
// frame are put back, last shadowed first, however the body ends.
template <typename RunBody>
[[gnu::always_inline]] inline LispStatus CTqLISPImpl::RunInStackFrame(const LispNode* form, const LispNode* parameters, RunBody runBody)
{
    return CallInStackFrame(
        parameters,
        [this, form](auto keep) {
            for (const LispNode* expression = form->next; expression; expression = expression->next) {
                // A variable's value is shared with the parameter rather than copied: a symbol's
                // value stands alone (it is in no chain), and the count keeps it alive should a
                // later argument reassign the variable.
                if (expression->type == NodeType::SymbolRef && expression->first) {
                    LispNode* shared = expression->first->payload.symbol.value;
                    if (shared && IsPlainCopy(shared)) {
                        ++shared->refs;
                        keep(shared);
                        continue;
                    }
                }
                LispNode* value = nullptr;
                LISP_TRY(Eval(expression, value));
                keep(value);
            }
            return LispStatus::Ok;
        },
        runBody);
}

LispStatus CTqLISPImpl::RunUserFunction(const LispNode* form, const LispNode* parameters, const LispNode* body, LispNode* argumentChain, LispNode*& out)
{
    // Save: every parameter and local is shadowed and left unbound. A malformed parameter ends
    // the call before anything is bound; what was saved up to there is restored below.
    int saved = 0;
    LispStatus status = LispStatus::Ok;
    for (const LispNode* parameter = parameters->first; parameter; parameter = parameter->next) {
        if (parameter->type != NodeType::SymbolRef || !parameter->first) [[unlikely]] {
            status = LispStatus::InvalidParameter;
            break;
        }
        LispNode* symbol = parameter->first;
        if (symbol == m_symSlash)
            continue;
        LispNode* frame = nullptr;
        status = NewNode(NodeType::SymbolRef, frame);
        if (Failed(status)) [[unlikely]]
            break;
        frame->first = symbol->payload.symbol.value;
        frame->next = symbol->first;
        symbol->first = frame;
        symbol->payload.symbol.value = nullptr;
        ++saved;
    }

    if (Failed(status))
        Release(argumentChain);
    else if (!m_traceList.empty()) [[unlikely]]
        status = RunTracedBody(form, parameters, body, argumentChain, out);
    else
        status = BindAndRunBody(parameters, body, argumentChain, out);

    // Restore, whatever happened.
    for (const LispNode* parameter = parameters->first; parameter && saved > 0; parameter = parameter->next) {
        LispNode* symbol = parameter->first;
        if (symbol == m_symSlash)
            continue;
        LispNode* frame = symbol->first;
        Release(symbol->payload.symbol.value);
        symbol->payload.symbol.value = frame->first;
        symbol->first = frame->next;
        FreeRun(frame);  // a frame is held by its symbol alone
        --saved;
    }
    if (Failed(status) && out) {
        Release(out);
        out = nullptr;
    }
    return status;
}

LispStatus CTqLISPImpl::BindAndRunBody(const LispNode* parameters, const LispNode* body, LispNode* argument, LispNode*& out)
{
    // Parameters up to "/" take the arguments in order; the rest stay unbound.
    for (const LispNode* parameter = parameters->first; parameter && argument; parameter = parameter->next) {
        LispNode* symbol = parameter->first;
        if (symbol == m_symSlash)
            break;
        LispNode* following = argument->next;
        argument->next = nullptr;
        // A parameter named twice takes the later argument; the earlier one is let go.
        Release(symbol->payload.symbol.value);
        symbol->payload.symbol.value = argument;
        argument = following;
    }
    Release(argument);  // arguments beyond the parameters
    return EvalBody(body, out);
}

// The body of a user function while trace is on: when the function is traced, its entry with the
// arguments and its result are shown, indented by the depth of traced calls.
LispStatus CTqLISPImpl::RunTracedBody(const LispNode* form, const LispNode* parameters, const LispNode* body, LispNode* argumentChain, LispNode*& out)
{
    NodeRef arguments(*this, argumentChain);
    bool traced = false;
    if (form->type == NodeType::SymbolRef) {
        const std::u16string_view name = SymbolName(form->first);
        for (const auto& entry : m_traceList)
            traced = traced || entry == name;
    }
    if (!traced)
        return BindAndRunBody(parameters, body, arguments.take(), out);

    LispStatus status = LispStatus::Ok;
    const std::u16string indent(std::size_t(2 * m_traceDepth), u' ');
    ++m_traceDepth;
    std::u16string printed;
    for (const LispNode* argument = arguments.get(); argument && !Failed(status); argument = argument->next) {
        std::u16string one;
        status = ToText(argument, one);
        if (!printed.empty())
            printed += u' ';
        printed += one;
    }
    const QString line = QCoreApplication::translate("CTqLISPImpl", "Entering (%1 %2)\n")
                             .arg(QString::fromStdU16String(std::u16string(SymbolName(form->first))), QString::fromStdU16String(printed));
    if (!Failed(status))
        status = Output(indent + line.toStdU16String());
    if (Failed(status)) {
        --m_traceDepth;
        return status;
    }

    status = BindAndRunBody(parameters, body, arguments.take(), out);
    --m_traceDepth;
    printed.clear();
    if (!Failed(status))
        status = ToText(out, printed);
    const QString result = QCoreApplication::translate("CTqLISPImpl", "Result: %1\n").arg(QString::fromStdU16String(printed));
    if (!Failed(status))
        status = Output(std::u16string(std::size_t(2 * m_traceDepth), u' ') + result.toStdU16String());
    return status;
}

LispStatus CTqLISPImpl::ApplyBuiltin(const LispNode* form, const BuiltinDescriptor& descriptor, const LispNode* external, LispNode*& out)
{
    // Most calls: a builtin whose arguments are all evaluated into one group, nothing recorded.
    if (!external && IsSingleEvaluatedGroup(descriptor) && (m_outputMode & (OutputMode::RecordFailure | OutputMode::RecordAll)) == 0) {
        LispNode* arguments = nullptr;
        LISP_TRY(CollectSingleGroup(descriptor.groups[0], form, arguments));
        const LispNode* savedFunction = m_currentFunctionSymbol;
        m_currentFunctionSymbol = form->type == NodeType::SymbolRef ? form->first : nullptr;
        const LispStatus status = descriptor.entry(out, arguments, *this);
        m_currentFunctionSymbol = savedFunction;
        if (Failed(status) && out) [[unlikely]] {
            Release(out);
            out = nullptr;
        }
        Release(arguments);
        return status;
    }
    LispNode* arguments = nullptr;
    LispStatus status = GatherArguments(descriptor, form, arguments);
    if (!Failed(status) && external)
        status = CopyNode(external, out);
    if (!Failed(status)) {
        if ((m_outputMode & OutputMode::RecordAll) && !m_outputSuppressed) [[unlikely]]
            RecordCall(form, arguments);
        const LispNode* savedFunction = m_currentFunctionSymbol;
        m_currentFunctionSymbol = form->type == NodeType::SymbolRef ? form->first : nullptr;
        status = descriptor.entry(out, arguments, *this);
        m_currentFunctionSymbol = savedFunction;
    }
    if (Failed(status)) [[unlikely]] {
        if ((m_outputMode & (OutputMode::RecordFailure | OutputMode::RecordAll)) && !m_outputSuppressed) {
            const bool first = !m_callHistory || !m_callHistory->first;
            if ((m_outputMode & OutputMode::RecordAll) || first)
                RecordCall(form, arguments);
        }
        if (out) {
            Release(out);
            out = nullptr;
        }
    }
    DropArguments(descriptor, arguments);
    return status;
}


// The parameter list and body of a lambda form (LAMBDA (params…) body…) that the lambda builtin
// would turn into a function list unchanged: parameters all symbols, a body present.
bool CTqLISPImpl::LambdaFormParts(const LispNode* form, const LispNode*& parameters, const LispNode*& body) const
{
    if (form->type != NodeType::List || !form->first || form->first->type != NodeType::SymbolRef || !form->first->first)
        return false;
    const LispNode* value = SymbolValue(form->first->first);
    if (!value || !IsBuiltin(value) || value->payload.descriptor->entry != f_lambda)
        return false;
    const LispNode* list = form->first->next;
    if (!list || !IsList(list) || !list->next)
        return false;
    for (const LispNode* parameter = list->first; parameter; parameter = parameter->next)
        if (parameter->type != NodeType::SymbolRef)
            return false;
    parameters = list;
    body = list->next;
    return true;
}

LispStatus CTqLISPImpl::CallFunction(const LispNode* function, std::span<const LispNode* const> arguments, LispNode*& out)
{
    PreparedCall call(*this, function);
    return call.Call(arguments, out);
}

// A lambda form or a symbol naming a user function is called with the values bound directly; a
// symbol naming a builtin that evaluates all its arguments gets copies of the values, which is
// what evaluating (QUOTE value) gives. Anything else is called through the call list
// (function (QUOTE value)…), which gives the same at the price of building and evaluating it.
// The function is resolved once; a call checks that what it was resolved from is unchanged.
PreparedCall::PreparedCall(CTqLISPImpl& engine, const LispNode* function) : m_engine(engine), m_function(function), m_held(engine)
{
    if (!function)
        return;
    if (engine.LambdaFormParts(function, m_parameters, m_body)) {
        m_symbol = function->first->first;  // LAMBDA
    } else if (function->type == NodeType::SymbolRef && function->first) {
        m_symbol = function->first;
        LispNode* value = m_symbol->payload.symbol.value;
        if (IsFunctionList(value) && IsList(value->first)) {
            m_parameters = value->first;
            m_body = value->first->next;
        } else if (value && value->type == NodeType::Subr && value->payload.descriptor->flags == EvalMode::All) {
            m_builtin = value;
        } else {
            m_symbol = nullptr;
        }
    }
    m_fitsStackFrame = m_parameters && FitsStackFrame(m_parameters, engine.m_symSlash);
    if (m_symbol && m_symbol->payload.symbol.value) {
        // The value is held while calls run: a user function stays alive if a call reassigns
        // its symbol, and no other node can take its address and pass for it.
        LispNode* value = m_symbol->payload.symbol.value;
        ++value->refs;
        m_held.reset(value);
        m_symbolValue = value;
    }
}

bool PreparedCall::Direct() const
{
    // Traced and recorded calls take the call list, as they show it; so does a function whose
    // symbol a call has reassigned since.
    return m_symbol && m_symbol->payload.symbol.value == m_symbolValue && (m_engine.m_outputMode & OutputMode::ShownCalls) == 0;
}

LispStatus PreparedCall::BeforeCall()
{
    LISP_TRY(m_engine.BreakPollTick());
    return stack_guard::NearlyExhausted() ? LispStatus::NoMoreHeap : LispStatus::Ok;
}

template <typename RunBody>
LispStatus PreparedCall::CallInFrame(std::span<const LispNode* const> arguments, RunBody runBody)
{
    return m_engine.CallInStackFrame(
        m_parameters,
        [this, arguments](auto keep) {
            for (const LispNode* argument : arguments) {
                LispNode* copy = nullptr;
                LISP_TRY(m_engine.CopyNode(argument, copy));
                keep(copy);
            }
            return LispStatus::Ok;
        },
        runBody);
}

LispStatus PreparedCall::Test(std::span<const LispNode* const> arguments, bool& truth)
{
    if (Direct() && m_fitsStackFrame && m_engine.m_traceList.empty()) {
        LISP_TRY(BeforeCall());
        return CallInFrame(arguments, [this, &truth](const LispNode* body) { return m_engine.BodyTruth(body, truth); });
    }
    NodeRef result(m_engine);
    LISP_TRY(Call(arguments, result.slot()));
    truth = result && !IsNil(result.get());
    return LispStatus::Ok;
}

LispStatus PreparedCall::Call(std::span<const LispNode* const> arguments, LispNode*& out)
{
    out = nullptr;
    if (!Direct())
        return m_engine.CallThroughList(m_function, arguments, out);
    LISP_TRY(BeforeCall());
    if (m_fitsStackFrame && m_engine.m_traceList.empty())
        return CallInFrame(arguments, [this, &out](const LispNode* body) { return m_engine.BodyValue(body, out); });
    NodeRef chain(m_engine);
    LispNode* tail = nullptr;
    for (const LispNode* argument : arguments) {
        LispNode* copy = nullptr;
        LISP_TRY(m_engine.CopyNode(argument, copy));
        (tail ? tail->next : chain.slot()) = copy;
        tail = copy;
    }
    if (m_parameters)
        return m_engine.RunUserFunction(m_function, m_parameters, m_body, chain.take(), out);
    const BuiltinDescriptor& descriptor = *m_builtin->payload.descriptor;
    LISP_TRY(CTqLISPImpl::CheckShape(descriptor, chain.get(), false));
    const LispNode* savedFunction = m_engine.m_currentFunctionSymbol;
    m_engine.m_currentFunctionSymbol = m_function->first;
    const LispStatus status = descriptor.entry(out, chain.get(), m_engine);
    m_engine.m_currentFunctionSymbol = savedFunction;
    if (Failed(status) && out) {
        m_engine.Release(out);
        out = nullptr;
    }
    return status;
}

LispStatus CTqLISPImpl::CallThroughList(const LispNode* function, std::span<const LispNode* const> arguments, LispNode*& out)
{
    NodeRef call(*this);
    LISP_TRY(MakeEmptyList(call.slot()));
    LispNode* head = nullptr;
    LISP_TRY(CopyNode(function, head));
    call->first = head;
    LispNode* tail = head;
    for (const LispNode* argument : arguments) {
        NodeRef quoted(*this);
        LISP_TRY(MakeEmptyList(quoted.slot()));
        LISP_TRY(MakeSymbolRef(m_symQuote, quoted->first));
        LISP_TRY(CopyNode(argument, quoted->first->next));
        tail->next = quoted.take();
        tail = tail->next;
    }
    return Apply(call->first, out, 0);
}

void CTqLISPImpl::RecordCall(const LispNode* form, const LispNode* arguments)
{
    if (!m_callHistory && Failed(MakeEmptyList(m_callHistory)))
        return;
    NodeRef entry(*this);
    if (Failed(MakeEmptyList(entry.slot())))
        return;
    LispNode* tail = nullptr;
    auto appendCopy = [&](const LispNode* value) {
        LispNode* copy = nullptr;
        if (Failed(CopyNode(value, copy)))
            return false;
        (tail ? tail->next : entry->first) = copy;
        tail = copy;
        return true;
    };
    if (!appendCopy(form))
        return;
    for (const LispNode* argument = arguments; argument; argument = argument->next)
        if (!appendCopy(argument))
            return;
    LispNode* last = m_callHistory->first;
    while (last && last->next)
        last = last->next;
    (last ? last->next : m_callHistory->first) = entry.take();
}

void CTqLISPImpl::ClearCallHistory()
{
    Release(m_callHistory);
    m_callHistory = nullptr;
}

LispStatus CTqLISPImpl::PrintCallHistory()
{
    if (!m_callHistory)
        return LispStatus::Ok;
    for (const LispNode* call = m_callHistory->first; call; call = call->next) {
        std::u16string text;
        LISP_TRY(ToText(call, text));
        LISP_TRY(Output(u"\n>>>> " + text + u" "));
    }
    return Output(u"\n<<<<\n");
}

LispStatus CTqLISPImpl::PrintCallTrace(const LispNode* form)
{
    std::u16string text = u"\n>>> (";
    bool firstElement = true;
    for (const LispNode* element = form; element; element = element->next) {
        std::u16string one;
        LISP_TRY(ToText(element, one));
        if (!firstElement)
            text += u' ';
        text += one;
        firstElement = false;
    }
    text += u")";
    LISP_TRY(Output(text));
    if (m_outputMode & OutputMode::PauseSeconds) {
        LISP_TRY(Output(u"<W" + QString::number(m_waitSeconds).toStdU16String() + u"s>"));
        LISP_TRY(FlushConsole());
        std::this_thread::sleep_for(std::chrono::seconds(std::max<int>(0, m_waitSeconds)));
    } else if (m_outputMode & OutputMode::PauseKey) {
        LISP_TRY(Output(u"<T>"));
        LISP_TRY(FlushConsole());
        int key = 0;
        if (m_services)
            (void)m_services->GetKey(key);
    }
    return Output(u"<<<");
}
