// Command lines: EvaluateText puts a line into the console input and runs it; RunCommandLine
// reads and evaluates its expressions in order, echoes the last value and reports failures,
// handing the message to the user's *ERROR* function when one is defined.
#include "lisp/core/engine.h"
#include "lisp/core/result_buffers.h"
#include "lisp/core/stack_guard.h"

#include <QCoreApplication>

#include <optional>

namespace {
constexpr std::size_t kMaxCommandLineUnits = kInputCapacity - 2;  // room for "\n" and the end
}  // namespace

LispStatus CTqLISPImpl::RunCommandLine(TqResultBuffer** result)
{
    bool atEnd = false;
    LispStatus status = SkipBlanksAndComments(atEnd);
    NodeRef expression(*this);
    NodeRef value(*this);
    while (!Failed(status) && !atEnd) {
        status = ReadList(expression.slot());
        if (Failed(status))
            break;
        status = Eval(expression.get(), value.slot());
        if (Failed(status))
            break;
        status = SkipBlanksAndComments(atEnd);
    }
    auto deliver = [&]() -> LispStatus {
        if (!value)
            return LispStatus::Ok;
        if (!result || *result)
            return PrintExpr(value.get(), PrintMode::PartOfLarger);
        return ValueToTypedChain(*this, value.get(), *result);
    };
    if (!Failed(status)) {
        status = deliver();
    } else if ((m_outputMode & (OutputMode::RecordFailure | OutputMode::RecordAll)) && !m_outputSuppressed) {
        (void)PrintCallHistory();
        if (expression)
            (void)PrintExpr(expression.get(), PrintMode::PartOfLarger);
        (void)deliver();
    }
    const LispStatus flushed = FlushConsole();
    if (!Failed(status))
        status = flushed;
    ClearCallHistory();
    return status;
}

short CTqLISPImpl::EvaluateText(const CTqString& text, TqResultBuffer** result)
{
    LispStatus status = LispStatus::Ok;
    // A host command run from inside a program (command "C:…") evaluates a line of its own; the
    // line being read when it started goes on afterwards where it stood.
    // Only a nested line pays for saving the outer one.
    std::optional<InputContext> outerConsole;
    InputContext* const outerInput = m_input;
    const int outerParseLevel = m_parseLevel;
    if (m_evaluationDepth > 0)
        outerConsole = m_console;
    ++m_evaluationDepth;
    stack_guard::RunOnEngineStack([&] { status = EvaluateLine(text.toStdU16(), result); });
    --m_evaluationDepth;
    if (outerConsole) {
        m_console = std::move(*outerConsole);
        m_input = outerInput;
        m_parseLevel = outerParseLevel;
    }
    return short(status);
}

LispStatus CTqLISPImpl::EvaluateLine(std::u16string_view text, TqResultBuffer** result)
{
    ClearCallHistory();
    if (!m_started)
        return Output(QCoreApplication::translate("CTqLISPImpl", "INIT has not been performed yet.").toStdU16String());

    std::size_t start = 0;
    while (start < text.size() && (text[start] == u' ' || text[start] == u'\t'))
        ++start;
    std::u16string line;
    if (start < text.size() && text[start] == u'!')
        line = u"(!DO_PRINT " + std::u16string(text.substr(start + 1)) + u")";
    else
        line = std::u16string(text);

    LispStatus status = LispStatus::Ok;
    m_input = &m_console;
    m_console.cursor = 0;
    m_console.state = InputState::ContentSeen;
    if (line.size() > kMaxCommandLineUnits) {
        m_console.buffer.clear();
        status = LispStatus::InputLineTooLong;
    } else {
        m_console.buffer = std::move(line);
        m_console.buffer.push_back(u'\n');
        if ((m_outputMode & OutputMode::ChannelMask) != 0)
            status = Output(u"\nWorkTqLisp Start: ");
        if (!Failed(status))
            status = RunCommandLine(result);
    }

    NodeRef message(*this);
    if ((m_outputMode & OutputMode::ChannelMask) != 0 || Failed(status)) {
        const LispStatus reported = ReportStatus(status, message.slot());
        if (Failed(reported) && !Failed(status))
            status = reported;
    }
    if (message && m_errorHandler) {
        m_parseLevel = 0;
        m_console.buffer = u"(*ERROR* \"" + std::u16string(StringText(message.get())) + u"\")\n";
        m_console.cursor = 0;
        status = RunCommandLine(nullptr);
        if (Failed(status))
            (void)Output(u"*Cancel*");
    }
    m_status = 0;
    m_parseLevel = 0;
    m_console.buffer.clear();
    m_console.cursor = 0;
    return status;
}

void CTqLISPImpl::EvaluateToResult(const CTqString& text, CTqResultHolder* holder, bool wantResult)
{
    TqResultBuffer* chain = nullptr;
    const short status = EvaluateText(text, wantResult ? &chain : nullptr);
    if (chain) {
        if (holder && holder->IsActive()) {
            const CTqString shown = ChainToText(chain);
            holder->SetResultText(shown);
            if (m_services)
                m_services->PrintHtml(shown.EncodeHTML());
        }
        if (m_services)
            m_services->ReleaseChain(chain);
    }
    if (!holder)
        return;
    if (status == short(LispStatus::UserBreak))
        holder->SetStatus(tq::kCancel);
    else if (status != 0)
        holder->SetStatus(tq::kError);
    else if (holder->IsEmpty())
        holder->SetStatus(tq::kNone);
}
