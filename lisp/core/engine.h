// CTqLISPImpl: the engine. It owns the node heap, the symbol table, the input contexts, the
// output state and the open-dialog stack; all engine state hangs off one instance, one per
// document. This header is also the interface built-ins use: node constructors, copying and
// releasing, symbols, evaluation, output and the host services. Heap internals stay private.
//
// Its operations are implemented by concern: heap.cpp, symbols.cpp, reader.cpp, evaluator.cpp,
// printer.cpp, output.cpp, error_report.cpp, arguments.cpp, command_line.cpp, engine.cpp,
// source_files.cpp.
#pragma once

#include "host/CTqLISP.h"
#include "host/CTqLispServices.h"
#include "lisp/core/builtin.h"
#include "lisp/core/input_context.h"
#include "lisp/core/node.h"
#include "lisp/core/stack_guard.h"
#include "lisp/core/status.h"
#include "lisp/core/text_block.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CTqLispIODevice;

// Print modes of PrintExpr.
namespace PrintMode {
inline constexpr int Prin1 = 0;
inline constexpr int StripQuotes = 1;
inline constexpr int InterpretEscapes = 2;
inline constexpr int Princ = 3;
inline constexpr int PartOfLarger = 16;
}  // namespace PrintMode

// Bits of the output mode word set by settrace.
namespace OutputMode {
inline constexpr std::uint16_t ChannelMask = 7;
inline constexpr std::uint16_t RecordFailure = 8;
inline constexpr std::uint16_t RecordAll = 16;
inline constexpr std::uint16_t TraceCalls = 32;
inline constexpr std::uint16_t PauseKey = 64;
inline constexpr std::uint16_t PauseSeconds = 128;
inline constexpr std::uint16_t WantResult = 0x1000;
// Modes in which every call is shown as it is made, so the fast paths stand aside.
inline constexpr std::uint16_t ShownCalls = TraceCalls | RecordFailure | RecordAll;
}  // namespace OutputMode

// Evaluation steps between two polls of the host for a user break: asking the host costs an
// atomic exchange, a step a few nanoseconds.
inline constexpr std::int32_t kBreakPollInterval = 20000;

class CTqLISPImpl final : public CTqLISP {
public:
    CTqLISPImpl();
    CTqLISPImpl(const CTqLISPImpl&) = delete;
    CTqLISPImpl& operator=(const CTqLISPImpl&) = delete;

    // ---- CTqLISP ---------------------------------------------------------------------------
    short ReleaseSelectionSets(std::uint32_t document) override;
    short GetApplicationHandles(TqResultBuffer*& chain) override;
    TqResultBuffer* GetArguments(std::uint64_t word1, std::uint64_t word2) override;
    short GetSymbol(const CTqString& name, TqResultBuffer*& chain) override;
    short Invoke(const TqResultBuffer* request, TqResultBuffer*& result) override;
    short LoadFile(const CTqString& path) override;
    short LoadApplication(const CTqString& path) override;
    short UnloadApplication(const CTqString& path) override;
    short SetReturnValue(TqResultBuffer* chain) override;
    TqResultBuffer* GetLoadedApplications() override;
    short PutSymbol(const CTqString& name, const TqResultBuffer* chain) override;
    short DefineFunction(const CTqString& name, const CTqString& exportName) override;
    short DefineFunctionEx(const CTqString& name, const CTqString& exportName, std::uint32_t code) override;
    short UndefineFunction(const CTqString& name) override;
    short DefineNativeFunction(const CTqString& name, TqNativeFunction function) override;
    short EvaluateText(const CTqString& text, TqResultBuffer** result) override;
    short Start(CTqLispServices* services) override;
    CTqLispServices* GetHostServices() override { return m_services; }
    void* PushDialog(std::uint64_t handle) override;
    void PopDialog() override;
    void ClearDialogs() override;
    void EvaluateToResult(const CTqString& text, CTqResultHolder* holder, bool wantResult) override;
    short DoStartup() override;
    short Close() override;
    short GetLoadedApplicationNames(QStringList& names) override;
    CTqString GetCurrentFunctionName() override;
    virtual ~CTqLISPImpl();

    // ---- nodes (heap.cpp) ----------------------------------------------------------------------
    // Every constructor makes one cell with refs 1 and `next` none; the caller owns it.
    LispStatus AllocNodes(int count, LispNode*& out);
    // One cell of `type` with a zero payload. Inline: every value the evaluator makes comes
    // through here, so the common case is a pop from the free list.
    LispStatus NewNode(NodeType type, LispNode*& out)
    {
        LispNode* cell = TakeFreeCell();
        if (!cell) [[unlikely]]
            return NewNodeSlow(type, out);
        cell->type = type;
        cell->flags = 0;
        cell->first = nullptr;
        cell->next = nullptr;
        cell->refs = 1;
        cell->payload.words[0] = cell->payload.words[1] = cell->payload.words[2] = 0;
        out = cell;
        return LispStatus::Ok;
    }
    LispStatus MakeNil(LispNode*& out) { return NewNode(NodeType::Nil, out); }
    LispStatus MakeInteger(std::int32_t value, LispNode*& out)
    {
        LISP_TRY(NewNode(NodeType::Integer, out));
        out->payload.integer = value;
        return LispStatus::Ok;
    }
    LispStatus MakeReal(double value, LispNode*& out)
    {
        LISP_TRY(NewNode(NodeType::Real, out));
        out->payload.real = value;
        return LispStatus::Ok;
    }
    LispStatus MakeT(LispNode*& out);
    LispStatus MakeNilConstant(LispNode*& out);
    LispStatus MakeBoolean(bool value, LispNode*& out) { return value ? MakeT(out) : MakeNil(out); }
    LispStatus MakeEmptyList(LispNode*& out) { return NewNode(NodeType::List, out); }
    LispStatus MakeNothing(LispNode*& out) { return NewNode(NodeType::Nothing, out); }
    LispStatus MakeEntityName(std::uint64_t word1, std::uint64_t word2, LispNode*& out);
    // A selection set after the host confirms it; otherwise the mapped host status.
    LispStatus MakePickSet(std::uint64_t word1, std::uint64_t word2, LispNode*& out);
    LispStatus MakeDialog(std::uint64_t handle, LispNode*& out);
    LispStatus MakeULong(std::uint64_t value, LispNode*& out);
    LispStatus MakeBuiltin(const BuiltinDescriptor* descriptor, LispNode*& out);
    // A string owning a copy of the text (short texts are held in place). More than
    // kMaxStringUnits units → NoMoreHeap.
    LispStatus MakeString(std::u16string_view text, LispNode*& out);
    // The same, marked literal: printed quoted and escaped by prin1.
    LispStatus MakeLiteralString(std::u16string_view text, LispNode*& out);
    // A literal string of `units` units for the caller to write into `target` at once (the units
    // are zero until then). More than kMaxStringUnits units → NoMoreHeap.
    LispStatus MakeLiteralStringToFill(std::size_t units, char16_t*& target, LispNode*& out);
    // A string pointing at static text that outlives the engine.
    LispStatus MakeStaticString(const char16_t* text, LispNode*& out);
    // Gives an existing string node a new (owned) text; the literal flag is kept.
    LispStatus AssignString(LispNode* node, std::u16string_view text);
    LispStatus MakeSymbolRef(LispNode* symbol, LispNode*& out);
    LispStatus MakeSymbolRef(std::u16string_view name, LispNode*& out);
    LispStatus MakeCatchAllError(std::u16string_view message, LispNode*& out);
    LispStatus MakeRealList(std::span<const double> values, LispNode*& out);
    LispStatus MakeIntegerList(std::span<const std::int32_t> values, LispNode*& out);
    LispStatus MakePoint(std::span<const double> values, LispNode*& out) { return MakeRealList(values, out); }
    LispStatus MakeMatrix(const double (&values)[16], LispNode*& out);
    // A file node with a new open record holding the device (which it then owns).
    LispStatus MakeFile(CTqLispIODevice* device, LispNode*& out);

    // The copy every operation uses to pass a value on (lists share their element chain).
    // Plain values and references are copied inline; strings with buffers, files, selection
    // sets and nil forms take the general path.
    LispStatus CopyNode(const LispNode* source, LispNode*& out)
    {
        if (source && IsPlainCopy(source)) [[likely]] {
            if (LispNode* copy = TakeFreeCell()) [[likely]] {
                copy->type = source->type;
                copy->flags = source->flags;
                copy->first = source->first;
                copy->next = nullptr;
                copy->refs = 1;
                copy->payload = source->payload;
                if (copy->first)
                    ++copy->first->refs;
                out = copy;
                return LispStatus::Ok;
            }
        }
        return CopyNodeSlow(source, out);
    }
    // Types whose copy is the cell itself with the `first` target shared: no buffer to
    // duplicate, no host object to confirm, not a nil form to normalise. Such a value may be
    // used where it stands wherever a copy of it would do.
    static bool IsPlainCopy(const LispNode* node)
    {
        switch (node->type) {
        case NodeType::Integer: case NodeType::Real: case NodeType::ShortString: case NodeType::SymbolRef:
        case NodeType::Subr: case NodeType::QuotingSubr: case NodeType::EntityName: case NodeType::ULong:
            return true;
        case NodeType::List: case NodeType::DottedList:
            return node->first != nullptr;
        default:
            return false;
        }
    }
    // Lowers the count of each node of the chain and frees what reaches zero. A lone plain
    // value (the usual argument or result) is freed inline.
    void Release(LispNode* chain)
    {
        if (!chain)
            return;
        if (chain->refs > 1) {
            --chain->refs;  // the rest of the chain is still reached through this node
            return;
        }
        while (chain->refs == 1 && !chain->first && IsPlainFree(chain->type)) {
            LispNode* following = chain->next;
            FreeRun(chain);
            if (!following)
                return;
            chain = following;
        }
        ReleaseChain(chain);
    }
    // Release of a chain of plain values (argument lists), falling back to ReleaseChecked.
    void ReleaseChain(LispNode* chain);
    LispStatus ReleaseChecked(LispNode* chain);

    // The text of a string node: none → InvalidOperand, another code → InvalidParameter.
    LispStatus TextOf(const LispNode* node, std::u16string_view& text) const;

    std::uint32_t FreeNodes() const { return m_freeNodes; }
    std::uint32_t TotalNodes() const { return m_nodes; }
    std::int16_t Segments() const { return m_segments; }
    std::int16_t AllocateCounter() const { return m_allocate; }
    // Walks every segment and checks the counts (tests): true when consistent.
    bool CheckHeap() const;
    // Cells reachable from the engine's roots (tests): equals TotalNodes() - FreeNodes() when
    // nothing leaked.
    std::uint32_t CountReachableNodes() const;
    // Makes the allocation after `count` more successful ones fail (tests); negative disables.
    void FailAllocationAfter(std::int64_t count) { m_failAfter = count; }

    // ---- symbols (symbols.cpp) -----------------------------------------------------------------
    // The symbol named exactly `name`, made when missing.
    LispStatus Intern(std::u16string_view name, LispNode*& symbol);
    // The symbol named exactly `name`, or null.
    LispNode* FindSymbol(std::u16string_view name);
    // Replaces the symbol's value (taking ownership of `value`, which may be null = unbound).
    void SetSymbolValue(LispNode* symbol, LispNode* value)
    {
        LispNode* old = symbol->payload.symbol.value;
        symbol->payload.symbol.value = value;
        Release(old);
    }
    // Assignment as setq and set make it: also registers or removes "C:" commands and sets or
    // clears the error handler. Takes ownership of `value`.
    LispStatus AssignSymbol(LispNode* symbol, LispNode* value)
    {
        // Most assignments are to plain variables, which the symbol's flag tells without its name.
        if (!(symbol->flags & NodeFlag::SpecialName)) [[likely]] {
            SetSymbolValue(symbol, value);
            return LispStatus::Ok;
        }
        return AssignSpecialName(symbol, value);
    }
    LispStatus RebuildSymbolIndex();
    LispNode* FirstSymbol() const { return m_symbols; }
    LispNode* QuoteSymbol() const { return m_symQuote; }
    LispNode* ErrorHandler() const { return m_errorHandler; }
    void SetErrorHandler(LispNode* symbol) { m_errorHandler = symbol; }
    int DeepestLookup() const { return m_deepestLookup; }

    // ---- evaluation (evaluator.cpp) --------------------------------------------------------------
    // Marks a function list made by defun or lambda whose parameters fit a call in a stack frame,
    // so that its calls need not count them again (function lists are never changed in place).
    void NoteStackFrameFit(LispNode* function) const;
    // Symbol references and calls are the usual expressions and take the inline path.
    [[gnu::always_inline]] LispStatus Eval(const LispNode* expression, LispNode*& out)
    {
        if (expression) [[likely]] {
            if (expression->type == NodeType::SymbolRef && expression->first) {
                const LispNode* value = expression->first->payload.symbol.value;
                if (value && IsPlainCopy(value))
                    return CopyNode(value, out);
            } else if (expression->type == NodeType::List && expression->first) {
                return ApplyCall(expression->first, out);
            } else if (expression->type == NodeType::Integer || expression->type == NodeType::Real) {
                return CopyNode(expression, out);
            }
        }
        return EvalGeneral(expression, out);
    }
    // Calls the function whose head is `form`; its arguments follow through form->next.
    LispStatus Apply(const LispNode* form, LispNode*& out, int mode = 0);
    // Apply where an expression is evaluated: the commonest calls, of a builtin or of a user
    // function while no call is traced or recorded, are made from here without entering Apply.
    LispStatus ApplyCall(const LispNode* form, LispNode*& out)
    {
        if (form->type == NodeType::SymbolRef && form->first && (m_outputMode & OutputMode::ShownCalls) == 0 && m_breakCountdown > 0) [[likely]] {
            const LispNode* value = form->first->payload.symbol.value;
            if (value && !stack_guard::NearlyExhausted()) {
                if (value->type == NodeType::Subr || value->type == NodeType::QuotingSubr) {
                    const BuiltinDescriptor& descriptor = *value->payload.descriptor;
                    --m_breakCountdown;  // the step Apply would count; it cannot reach a poll here
                    out = nullptr;
                    if (!descriptor.direct)
                        return ApplyBuiltin(form, descriptor, nullptr, out);
                    bool handled = false;
                    const LispStatus status = descriptor.direct(out, form->next, *this, handled);
                    if (!handled)
                        return ApplyBuiltin(form, descriptor, nullptr, out);
                    if (Failed(status) && out) [[unlikely]] {
                        Release(out);
                        out = nullptr;
                    }
                    return status;
                }
                if (IsFunctionList(value)) {
                    --m_breakCountdown;
                    out = nullptr;
                    return ApplyUserFunction(form, value, out);
                }
            }
        }
        return Apply(form, out, 0);
    }
    // Evaluates a body in order: the last value in `out`, the others let go as soon as made.
    LispStatus EvalBody(const LispNode* chain, LispNode*& out)
    {
        out = nullptr;
        LISP_TRY(EvalLeading(chain));
        return Eval(chain, out);
    }
    // Evaluates the expressions of a body up to its last, letting each value go as soon as made;
    // `body` is left at the last. A missing body is MissingParameter.
    LispStatus EvalLeading(const LispNode*& body)
    {
        if (!body)
            return LispStatus::MissingParameter;
        for (; body->next; body = body->next) {
            LispNode* value = nullptr;
            const LispStatus status = Eval(body, value);
            Release(value);
            LISP_TRY(status);
        }
        return LispStatus::Ok;
    }
    // The truth of `expression` when it is a call whose builtin can tell it without making a
    // value (`handled` true); else nothing is evaluated and the caller evaluates as usual.
    LispStatus TryTest(const LispNode* expression, bool& handled, bool& truth)
    {
        handled = false;
        if (!expression || expression->type != NodeType::List || !expression->first)
            return LispStatus::Ok;
        const LispNode* head = expression->first;
        if (head->type != NodeType::SymbolRef || !head->first)
            return LispStatus::Ok;
        const LispNode* value = head->first->payload.symbol.value;
        if (!value || (value->type != NodeType::Subr && value->type != NodeType::QuotingSubr))
            return LispStatus::Ok;
        const DirectTest test = value->payload.descriptor->test;
        // Traced and recorded calls are shown as they are made, so they go the usual way.
        if (!test || (m_outputMode & OutputMode::ShownCalls))
            return LispStatus::Ok;
        // A test may try the test of its operand, (not (not …)), as deep as the form goes; near
        // the end of the stack the usual way reports the exhaustion.
        if (stack_guard::NearlyExhausted())
            return LispStatus::Ok;
        LISP_TRY(test(head->next, *this, handled, truth));
        if (!handled)
            return LispStatus::Ok;
        // The call still counts as an evaluation step and needs its stack, as Apply would see it.
        LISP_TRY(BreakPollTick());
        return stack_guard::NearlyExhausted() ? LispStatus::NoMoreHeap : LispStatus::Ok;
    }
    // The value of the head symbol of `expression` when it is a call through a symbol (`head` the
    // symbol reference); else null.
    static const LispNode* CalledValue(const LispNode* expression, const LispNode*& head)
    {
        if (expression->type != NodeType::List || !expression->first)
            return nullptr;
        head = expression->first;
        if (head->type != NodeType::SymbolRef || !head->first)
            return nullptr;
        return head->first->payload.symbol.value;
    }
    // A builtin's number entry called for the call `head`, after the step and stack checks Apply
    // makes before a call; nothing when there is no entry or calls are shown as they are made.
    [[gnu::always_inline]] LispStatus CallNumberEntry(DirectNumber entry, const LispNode* head, bool& handled, LispNumber& number)
    {
        if (!entry || (m_outputMode & OutputMode::ShownCalls))
            return LispStatus::Ok;
        handled = true;
        LISP_TRY(BreakPollTick());
        if (stack_guard::NearlyExhausted())
            return LispStatus::NoMoreHeap;
        return entry(head->next, *this, number);
    }
    // The value of `expression` where arithmetic wants an operand: a number, or InvalidParameter
    // (the error arithmetic gives) when the value is none. Literals and variables are read in
    // place; calls that can give a number without making a node do (TryNumber); anything else is
    // evaluated and read.
    LispStatus EvalNumber(const LispNode* expression, LispNumber& number)
    {
        const LispNode* source = expression->type == NodeType::SymbolRef
                                     ? (expression->first ? expression->first->payload.symbol.value : nullptr)
                                     : expression;
        if (source && source->type == NodeType::Integer) [[likely]] {
            number = LispNumber{false, source->payload.integer, 0.0};
            return LispStatus::Ok;
        }
        if (source && source->type == NodeType::Real) {
            number = LispNumber{true, 0, source->payload.real};
            return LispStatus::Ok;
        }
        return EvaluatedNumber(expression, number);
    }
    // EvalNumber of an expression that cannot be read in place.
    LispStatus EvaluatedNumber(const LispNode* expression, LispNumber& number);
    // The value of `expression` as a number when it is a call whose builtin can give it without
    // making a node, or a call of a user function (`handled` true); else nothing is evaluated and
    // the caller evaluates as usual.
    LispStatus TryNumber(const LispNode* expression, bool& handled, LispNumber& number)
    {
        handled = false;
        const LispNode* head = nullptr;
        const LispNode* value = CalledValue(expression, head);
        if (value && value->type == NodeType::List) {
            // A user function's value read as a number: the call ApplyCall would make.
            if (!IsFunctionList(value) || (m_outputMode & OutputMode::ShownCalls) || m_breakCountdown <= 0 || stack_guard::NearlyExhausted())
                return LispStatus::Ok;
            handled = true;
            --m_breakCountdown;
            return ApplyUserFunctionNumber(head, value, number);
        }
        if (!value || value->type != NodeType::Subr)
            return LispStatus::Ok;
        return CallNumberEntry(value->payload.descriptor->number, head, handled, number);
    }
    // The value of `expression` as a number when it is a call of a builtin whose value is always
    // a number and that can give it without making a node (`handled` true), exactly as its
    // direct path would; else nothing is evaluated.
    LispStatus TryExactNumber(const LispNode* expression, bool& handled, LispNumber& number)
    {
        handled = false;
        const LispNode* head = nullptr;
        const LispNode* value = CalledValue(expression, head);
        if (!value || value->type != NodeType::Subr || (value->payload.descriptor->resultKinds & ~Kind::Number) != 0)
            return LispStatus::Ok;
        return CallNumberEntry(value->payload.descriptor->number, head, handled, number);
    }
    // A number node that its symbol alone holds, which an assignment may overwrite in place.
    static bool IsOwnNumber(const LispNode* value)
    {
        return value && value->refs == 1 && (value->type == NodeType::Integer || value->type == NodeType::Real);
    }
    // Calls `function` (a symbol reference, a builtin or a lambda form) with the values given, as
    // apply does: as if the call list (function (QUOTE value)…) were built and applied.
    // PreparedCall does the same for a function called again and again.
    LispStatus CallFunction(const LispNode* function, std::span<const LispNode* const> arguments, LispNode*& out);
    // Polls the host for a user break now: UserBreak when the user asked for one.
    LispStatus PollUserBreak();
    // Counts one evaluation step (a call, a loop round) and polls every kBreakPollInterval steps.
    LispStatus BreakPollTick()
    {
        if (--m_breakCountdown >= 0) [[likely]]
            return LispStatus::Ok;
        m_breakCountdown = kBreakPollInterval;
        return PollUserBreak();
    }
    LispStatus CollectArguments(const BuiltinDescriptor& descriptor, const LispNode* form, LispNode*& arguments);
    LispStatus CollectSingleGroup(const ParamGroup& group, const LispNode* form, LispNode*& arguments);
    LispStatus HandOver(LispStatus status, LispNode* chain, LispNode*& arguments);
    // The argument list a builtin is called with: collected, or partly borrowed from the form
    // for special forms; DropArguments lets go of it either way.
    LispStatus GatherArguments(const BuiltinDescriptor& descriptor, const LispNode* form, LispNode*& arguments);
    void DropArguments(const BuiltinDescriptor& descriptor, LispNode* arguments);
    // The status argument collection reaches for `chain` taken as the arguments as written (or,
    // with `firstIsValue`, the first one as evaluated), without evaluating anything.
    static LispStatus CheckShape(const BuiltinDescriptor& descriptor, const LispNode* chain, bool firstIsValue);
    // CheckShape for a single group of any number of anything (setq, and, or).
    static LispStatus CheckManyAny(const LispNode* chain)
    {
        int count = 0;
        for (const LispNode* argument = chain; argument; argument = argument->next) {
            if (++count > 32767) [[unlikely]]
                return LispStatus::TooManyParameters;
            if (KindBitsOf(argument->type) == 0) [[unlikely]]
                return LispStatus::InvalidParameter;
        }
        return LispStatus::Ok;
    }
    void RecordFunctionName(const LispNode* parameterList, std::u16string_view name);
    std::u16string FunctionNameOf(const LispNode* parameterList);

    std::uint16_t OutputModeWord() const { return m_outputMode; }
    void SetOutputModeWord(std::uint16_t mode) { m_outputMode = mode; }
    std::int16_t WaitSeconds() const { return m_waitSeconds; }
    void SetWaitSeconds(std::int16_t seconds) { m_waitSeconds = seconds; }
    std::vector<std::u16string>& TraceList() { return m_traceList; }

    // ---- printing and output (printer.cpp, output.cpp) ----------------------------------------------
    // Writes `value` (whose `next` may be a file node) in print mode `mode`.
    LispStatus PrintExpr(const LispNode* value, int mode);
    // The text prin1 (escape = true) or princ (false) shows for a node, without writing it.
    LispStatus ToText(const LispNode* node, std::u16string& text, bool escape = true);
    // All text the engine shows goes through here: the channel of the output mode, the console
    // line buffer, the break poll and the host's command line.
    LispStatus Output(std::u16string_view text, std::u16string_view diagnostic = {}, int flags = 0);
    LispStatus FlushConsole();
    bool OutputSuppressed() const { return m_outputSuppressed; }

    // ---- errors (error_report.cpp) ---------------------------------------------------------------
    // Builds and prints (or, with a handler, returns in `message`) the message of a status.
    LispStatus ReportStatus(LispStatus status, LispNode*& message);
    static std::u16string MessageOf(LispStatus status, short hostStatus);
    void SetHostStatus(short status) { m_hostStatus = status; }
    // Names the file that a FileDoesNotExist message reports (takes ownership of the node).
    void SetErrorDetail(LispNode* node);
    // Turns a host drawing-service result into an engine status and value.
    LispStatus MapHostStatus(short result, LispNode*& out);
    LispStatus MapHostStatusLenient(short result, LispNode*& out);

    // ---- command lines and files (command_line.cpp, source_files.cpp) --------------------------------
    LispStatus RunCommandLine(TqResultBuffer** result);
    // EvaluateText on the engine stack: one command line, reported.
    LispStatus EvaluateLine(std::u16string_view text, TqResultBuffer** result);
    LispStatus LoadSource(std::u16string_view name, const LispNode* failureExpression, LispNode*& out, bool fromLoad);
    int ParseLevel() const { return m_parseLevel; }

    // ---- reader (reader.cpp) ----------------------------------------------------------------------
    // Reads one top-level expression of the current (file) input; Ok with no node at the end.
    LispStatus ReadExpression(LispNode*& out);
    // Reads one list at the cursor.
    LispStatus ReadList(LispNode*& out);
    // Skips whitespace and comments; `atEnd` tells whether the input is exhausted.
    LispStatus SkipBlanksAndComments(bool& atEnd);
    void PushInput(InputContext* context);
    void PopInput();
    InputContext& CurrentInput() { return *m_input; }
    // Parses text without touching the input contexts (read, for example): the first
    // expression or atom of `text` in `out`, nil when there is none.
    LispStatus ReadFromText(std::u16string text, LispNode*& out);
    // A plain name (an ASCII letter, then ASCII letters, digits, "_" and "-"), the commonest text
    // given to read, read as the reader reads it but without an input context: true with the
    // status in `status`; false, with nothing done, for any other text.
    bool ReadPlainName(std::u16string_view text, LispNode*& out, LispStatus& status);

    CTqLispServices* Services() const { return m_services; }
    bool IsStarted() const { return m_started != 0; }
    // The help file the help built-ins showed last (at most 259 units).
    void SetHelpFile(std::u16string file) { m_helpFile = std::move(file); }
    std::u16string_view CurrentFunctionName() const { return m_currentFunctionSymbol ? SymbolName(m_currentFunctionSymbol) : std::u16string_view(); }

private:
    struct SegmentDirectory;
    friend class EngineAccess;  // tests
    friend class PreparedCall;

    LispStatus GrowHeap();
    LispStatus NewNodeSlow(NodeType type, LispNode*& out);
    // The head of the free list, taken off it; null when the list is empty or allocation
    // failures are being simulated, which the slow paths handle.
    LispNode* TakeFreeCell()
    {
        LispNode* cell = m_freeList;
        if (!cell || m_failAfter >= 0)
            return nullptr;
        m_freeList = cell->next;
        --m_freeNodes;
        return cell;
    }
    // What a cell gives up when it is freed: a symbol reference its count on the symbol, a
    // string its owned text. Shared by the chain release and the general release.
    static void LetGoOfSymbol(LispNode* reference)
    {
        if (reference->first && reference->first->refs > 1)
            --reference->first->refs;  // a symbol's count never reaches zero
    }
    static void LetGoOfText(LispNode* string)
    {
        if (string->flags & NodeFlag::OwnsBuffer)
            text_block::Release(string->payload.string.text);
        string->payload.string.text = nullptr;
    }
    LispStatus CopyNodeSlow(const LispNode* source, LispNode*& out);
    // Types a cell without `first` or `next` is freed as, with nothing else to let go.
    static bool IsPlainFree(NodeType type)
    {
        switch (type) {
        case NodeType::Nil: case NodeType::List: case NodeType::DottedList: case NodeType::Integer:
        case NodeType::Real: case NodeType::ShortString: case NodeType::Constant: case NodeType::Nothing:
        case NodeType::EntityName: case NodeType::ULong:
            return true;
        default:
            return false;
        }
    }
    void FreeRun(LispNode* cell)
    {
        LISP_ASSERT(cell->refs == 0 || cell->refs == 1, "freeing a referenced cell");
        LISP_ASSERT(cell->type != NodeType::Free, "freeing a free cell twice");
        cell->type = NodeType::Free;
        cell->flags = 0;
        cell->refs = 0;
        cell->first = nullptr;
#ifndef NDEBUG
        std::memset(&cell->payload, 0xA5, sizeof cell->payload);  // stale pointers trip early
#endif
        cell->next = m_freeList;
        m_freeList = cell;
        ++m_freeNodes;
    }
    void ShutdownHeap();
    LispStatus EngineStart();
    LispStatus MakePredefinedSymbols();
    LispNode* LookupStart(std::u16string_view name);

    // reader internals
    LispStatus NextChar(int mode, char16_t& unit);
    LispStatus Refill();
    LispStatus SkipWhitespace();
    LispStatus SkipWhitespaceAcrossLines(char16_t& unit);
    LispStatus SkipComment();
    LispStatus HeaderCheck();
    LispStatus ReadListBody(LispNode*& out);
    LispStatus ReadElement(char16_t unit, LispNode*& out);
    LispStatus ReadAtom(LispNode*& out);
    // The atom a name token reads as: nil, T or the symbol of the name in upper case.
    LispStatus MakeNameAtom(std::u16string& token, LispNode*& out);
    LispStatus ReadStringLiteral(LispNode*& out);
    LispStatus ReadQuoted(LispNode*& out);

    // AssignSymbol to a "C:" name or *ERROR*.
    LispStatus AssignSpecialName(LispNode* symbol, LispNode* value);
    // evaluator internals
    LispStatus EvalGeneral(const LispNode* expression, LispNode*& out);
    LispStatus ResolveFunction(const LispNode* head, LispNode*& out, int mode);
    LispStatus ApplyResolved(const LispNode* form, LispNode*& out, int mode);
    template <typename RunBody>
    LispStatus RunInStackFrame(const LispNode* form, const LispNode* parameters, RunBody runBody);
    // The call of RunInStackFrame with the values made by `makeValues`, which hands each value it
    // makes (owned) to the keeper it is given and returns a status; `runBody` evaluates the body
    // while the parameters are bound.
    template <typename MakeValues, typename RunBody>
    LispStatus CallInStackFrame(const LispNode* parameters, MakeValues makeValues, RunBody runBody);
    // A body's value: the last expression's, the others let go; none when the body fails.
    LispStatus BodyValue(const LispNode* body, LispNode*& out);
    // A body's value as an operand of arithmetic (EvalNumber of its last expression).
    LispStatus BodyNumber(const LispNode* body, LispNumber& number);
    // Whether a body's value is not nil; its last expression's truth is tried first (TryTest).
    LispStatus BodyTruth(const LispNode* body, bool& truth);
    // Whether calls of a function list are made in a stack frame.
    bool CallsInStackFrame(const LispNode* function) const;
    LispStatus ApplyUserFunction(const LispNode* form, const LispNode* function, LispNode*& out);
    // ApplyUserFunction where arithmetic wants the value as an operand (see EvalNumber).
    LispStatus ApplyUserFunctionNumber(const LispNode* form, const LispNode* function, LispNumber& number);
    // A value (owned) as an operand of arithmetic, let go: InvalidParameter when it is no number.
    LispStatus TakeNumber(LispNode* value, LispNumber& number);
    // Binds the evaluated arguments (owned) to the parameters, runs the body and restores the
    // parameters' values; `form` names the function in traces.
    LispStatus RunUserFunction(const LispNode* form, const LispNode* parameters, const LispNode* body, LispNode* arguments, LispNode*& out);
    // Binds the arguments (owned) to the parameters up to "/" and evaluates the body.
    LispStatus BindAndRunBody(const LispNode* parameters, const LispNode* body, LispNode* arguments, LispNode*& out);
    LispStatus RunTracedBody(const LispNode* form, const LispNode* parameters, const LispNode* body, LispNode* arguments, LispNode*& out);
    LispStatus CallThroughList(const LispNode* function, std::span<const LispNode* const> arguments, LispNode*& out);
    bool LambdaFormParts(const LispNode* form, const LispNode*& parameters, const LispNode*& body) const;
    // `external` is the function node of an external or native function (its copy goes to the
    // entry in `out`), else null.
    LispStatus ApplyBuiltin(const LispNode* form, const BuiltinDescriptor& descriptor, const LispNode* external, LispNode*& out);
    LispStatus PrintCallTrace(const LispNode* form);
    void RecordCall(const LispNode* form, const LispNode* arguments);
    LispStatus PrintCallHistory();
    void ClearCallHistory();

    // printer internals
    // Where RenderNode puts a printed form: fragments gathered and handed on in batches, so that
    // printing a structure whose printed form is huge (shared sublists repeat in print) never
    // holds all of it at once.
    struct RenderSink {
        std::vector<std::u16string> fragments;
        std::size_t pendingUnits = 0;
        // Takes the batch (and clears it); a failure ends the rendering.
        std::function<LispStatus(std::vector<std::u16string>&)> deliver;
        LispStatus Put(std::u16string fragment);
        LispStatus Finish();
    };
    LispStatus RenderNode(const LispNode* node, RenderSink& sink, bool& needSpace);
    LispStatus RenderReal(double value, std::u16string& text);
    LispStatus WriteFragment(std::u16string_view fragment, int mode, const LispNode* file);
    // Writes filtered text to an open file node in the code-page form.
    LispStatus WriteToFile(std::u16string_view text, const LispNode* file);

    LispStatus PassOn(std::u16string_view piece);

    // heap
    std::uint32_t m_freeNodes = 0;
    std::uint32_t m_nodes = 0;
    std::int16_t m_segmentSize = 514;
    std::uint32_t m_nodeLimit = 0;  // the host's ceiling on m_nodes; 0 for none
    std::int16_t m_segments = 0;
    std::int16_t m_allocate = 0;
    LispNode* m_freeList = nullptr;
    SegmentDirectory* m_directory = nullptr;
    LispNode* m_openFiles = nullptr;
    std::int64_t m_failAfter = -1;

    // symbols
    LispNode* m_symbols = nullptr;
    std::vector<LispNode*> m_index;  // sorted sample of the symbol chain
    std::unordered_map<std::u16string_view, LispNode*> m_symbolsByName;  // every symbol of the chain
    LispNode* m_indexCells = nullptr;  // heap cells that hold the samples
    std::uint16_t m_indexSize = 0;
    int m_deepestLookup = 0;
    LispNode* m_symQuote = nullptr;
    LispNode* m_symSlash = nullptr;
    LispNode* m_symError = nullptr;
    LispNode* m_errorHandler = nullptr;

    // reader
    InputContext m_console;
    InputContext* m_input = &m_console;
    int m_parseLevel = 0;
    std::u16string m_token;  // the atom being read; its storage is kept from atom to atom
    int m_evaluationDepth = 0;  // command lines being evaluated, nested ones included

    // evaluator
    std::uint16_t m_outputMode = 0;
    std::int16_t m_waitSeconds = 5;
    std::int32_t m_breakCountdown = 1;
    LispNode* m_callHistory = nullptr;  // list node whose elements are the recorded calls
    std::vector<std::u16string> m_traceList;
    int m_traceDepth = 0;
    const LispNode* m_currentFunctionSymbol = nullptr;  // head symbol of the running builtin
    std::map<const LispNode*, std::u16string> m_functionNames;

    // output
    std::uint16_t m_outputState = 0;
    bool m_outputSuppressed = false;
    bool m_consoleAllocated = false;
    std::u16string m_consoleLine;

    // errors
    std::int16_t m_status = 0;
    short m_hostStatus = 0;
    LispNode* m_errorDetail = nullptr;

    // engine
    CTqLispServices* m_services = nullptr;
    std::uint16_t m_started = 0;
    std::u16string m_protectedTag;
    std::u16string m_helpFile;
    LispNode* m_dialogs = nullptr;  // open-dialog stack, top first
    TqResultBuffer* m_pendingResult = nullptr;
};

inline constexpr std::size_t kMaxStringUnits = 52428800;

// Owns one node (or chain) and releases it when it goes out of scope.
class NodeRef {
public:
    explicit NodeRef(CTqLISPImpl& engine, LispNode* node = nullptr) : m_engine(engine), m_node(node) {}
    NodeRef(const NodeRef&) = delete;
    NodeRef& operator=(const NodeRef&) = delete;
    ~NodeRef() { reset(); }
    LispNode* get() const { return m_node; }
    LispNode* operator->() const { return m_node; }
    explicit operator bool() const { return m_node != nullptr; }
    // The slot to construct into; releases what was held.
    LispNode*& slot() { reset(); return m_node; }
    void reset(LispNode* node = nullptr)
    {
        if (m_node)
            m_engine.Release(m_node);
        m_node = node;
    }
    [[nodiscard]] LispNode* take()
    {
        LispNode* node = m_node;
        m_node = nullptr;
        return node;
    }

private:
    CTqLISPImpl& m_engine;
    LispNode* m_node;
};

// A function that mapcar or vl-sort calls once per element: resolved when made, so that a call
// costs no more than binding the values, with the result CTqLISPImpl::CallFunction would give.
class PreparedCall {
public:
    PreparedCall(CTqLISPImpl& engine, const LispNode* function);
    PreparedCall(const PreparedCall&) = delete;
    PreparedCall& operator=(const PreparedCall&) = delete;
    LispStatus Call(std::span<const LispNode* const> arguments, LispNode*& out);
    // Whether the call's value is not nil, without making a T or nil node where the body's last
    // expression can tell its truth (TryTest).
    LispStatus Test(std::span<const LispNode* const> arguments, bool& truth);

private:
    // Whether calls go straight to the function resolved when the call was made.
    bool Direct() const;
    // The steps and checks Apply makes before a call.
    LispStatus BeforeCall();
    // The call in a stack frame with copies of the values; `runBody` evaluates the body.
    template <typename RunBody>
    LispStatus CallInFrame(std::span<const LispNode* const> arguments, RunBody runBody);

    CTqLISPImpl& m_engine;
    const LispNode* m_function;
    const LispNode* m_symbol = nullptr;       // LAMBDA or the function's name; null: call list
    const LispNode* m_symbolValue = nullptr;  // the symbol's value the function was resolved from
    const LispNode* m_parameters = nullptr;   // a user function's or lambda form's
    const LispNode* m_body = nullptr;
    const LispNode* m_builtin = nullptr;      // a builtin that evaluates every argument
    bool m_fitsStackFrame = false;            // parameters few enough for a call in a stack frame
    NodeRef m_held;                           // that value, held while calls run
};

// The arguments of a direct entry whose builtin takes one group of a fixed number of evaluated
// arguments, collected as CollectSingleGroup collects them (same order of evaluation, same
// errors) without an argument list: the value of a variable, or a number or string literal, is
// used where it stands when nothing evaluated after it could reassign the variable; other values
// are evaluated and held until the collection goes out of scope.
class BorrowedArguments {
public:
    static constexpr int kMost = 3;
    explicit BorrowedArguments(CTqLISPImpl& engine) : m_engine(engine) {}
    BorrowedArguments(const BorrowedArguments&) = delete;
    BorrowedArguments& operator=(const BorrowedArguments&) = delete;
    ~BorrowedArguments()
    {
        for (LispNode* owned : m_owned)
            m_engine.Release(owned);
    }
    // `group` takes exactly group.count (at most kMost) arguments.
    LispStatus Collect(const ParamGroup& group, const LispNode* expressions);
    // Each group takes exactly one argument (at most kMost groups), checked against its kinds.
    LispStatus Collect(std::span<const ParamGroup> groups, const LispNode* expressions);
    const LispNode* operator[](int position) const { return m_values[position]; }

private:
    template <int kCount, typename Kinds>
    LispStatus CollectCount(Kinds kinds, const LispNode* expressions);

    CTqLISPImpl& m_engine;
    const LispNode* m_values[kMost] = {};
    LispNode* m_owned[kMost] = {};
};

// The direct entry of a builtin of one evaluated argument (`group`) whose entry reads that argument
// alone and runs no LISP code: the argument is collected by BorrowedArguments and handed to the
// entry as it stands (a borrowed value is always the last of its form, so nothing follows it).
template <BuiltinEntry entry, const ParamGroup* group>
LispStatus OneArgumentDirect(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    BorrowedArguments args(engine);
    LISP_TRY(args.Collect(*group, expressions));
    return entry(out, const_cast<LispNode*>(args[0]), engine);
}

// The direct entry of a builtin of one evaluated argument of any kind whose entry may run LISP code
// or keep the value: the value is evaluated and held, never borrowed (the code could reassign the
// variable it stands in), and checked as CollectSingleGroup checks it.
template <BuiltinEntry entry>
LispStatus OwnedArgumentDirect(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    if (!expressions)
        return LispStatus::MissingParameter;
    NodeRef value(engine);
    LISP_TRY(engine.Eval(expressions, value.slot()));
    if (!value || KindBitsOf(value->type) == 0)
        return LispStatus::InvalidParameter;
    if (expressions->next)
        return LispStatus::TooManyParameters;
    return entry(out, value.get(), engine);
}

// The direct entry of a builtin of any number of evaluated arguments for its commonest call, the
// call with one argument, under the conditions of OneArgumentDirect (`group` takes one argument of
// the builtin's kinds); other calls go the usual way.
template <BuiltinEntry entry, const ParamGroup* group>
LispStatus SoleArgumentDirect(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    if (!expressions || expressions->next) {
        handled = false;
        return LispStatus::Ok;
    }
    return OneArgumentDirect<entry, group>(out, expressions, engine, handled);
}

// Builds a list by appending owned element nodes.
class ListBuilder {
public:
    explicit ListBuilder(CTqLISPImpl& engine) : m_list(engine) {}
    // Makes the (empty) list node.
    LispStatus Begin() { return m_list.get() ? LispStatus::Ok : m_list.owner().MakeEmptyList(m_list.slot()); }
    // Appends an element (taking ownership; the element must not be part of another chain).
    void Append(LispNode* element)
    {
        if (m_tail)
            m_tail->next = element;
        else
            m_list->first = element;
        m_tail = element;
    }
    // Makes a copy of `value` and appends it.
    LispStatus AppendCopy(const LispNode* value);
    LispNode* list() const { return m_list.get(); }
    // The finished list (nil when it has no elements and `emptyIsNil`).
    LispStatus Finish(LispNode*& out, bool emptyIsNil = true);

private:
    class Holder : public NodeRef {
    public:
        explicit Holder(CTqLISPImpl& engine) : NodeRef(engine), m_owner(engine) {}
        CTqLISPImpl& owner() { return m_owner; }

    private:
        CTqLISPImpl& m_owner;
    };
    Holder m_list;
    LispNode* m_tail = nullptr;
};
