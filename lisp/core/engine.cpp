// The engine's life: construction, start (dictionary, predefined symbols, initialisation file),
// the start-up file, close, the open-dialog stack and the interface slots that reach the host.
#include "lisp/core/engine.h"
#include "lisp/core/builtin_table.h"
#include "lisp/core/engine_factory.h"
#include "lisp/core/stack_guard.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cmath>
#include <new>

namespace {

struct PredefinedSymbol {
    const char16_t* name;
    NodeType type;
    double value;
};

constexpr PredefinedSymbol kPredefinedSymbols[] = {
    {u"PI", NodeType::Real, 3.141592653589793},
    {u"T", NodeType::Constant, 1},
    {u"nil", NodeType::Constant, 0},
};

// Stored text of the protected-source tag: the first line of a protected source begins with it.
// It must not begin with "(" or ";", which the reader takes as code or a comment before any
// header check, and it equals the header the host's codec of protected sources writes.
constexpr char16_t kProtectedTag[] = u"#KELTORA-PROTECTED-LISP 1";
constexpr char16_t kInitFile[] = u":/lsp_files/Resources/init_lisp.lsp";

std::u16string Translated(const char* key) { return QCoreApplication::translate("CTqLISPImpl", key).toStdU16String(); }

}  // namespace

CTqLISPImpl::CTqLISPImpl()
{
    m_console.kind = InputKind::Console;
}

CTqLISPImpl::~CTqLISPImpl()
{
    if (m_nodes != 0) {
        ClearDialogs();
        ClearCallHistory();
        SetErrorDetail(nullptr);
        ShutdownHeap();
    }
    if (m_services && m_pendingResult)
        m_services->ReleaseChain(m_pendingResult);
}

LispStatus CTqLISPImpl::MakePredefinedSymbols()
{
    for (const auto& row : kPredefinedSymbols) {
        LispNode* symbol = nullptr;
        LISP_TRY(Intern(row.name, symbol));
        LispNode* value = nullptr;
        switch (row.type) {
        case NodeType::Real: LISP_TRY(MakeReal(row.value, value)); break;
        case NodeType::Integer: LISP_TRY(MakeInteger(std::int32_t(std::lround(row.value)), value)); break;
        case NodeType::Constant:
            LISP_TRY(NewNode(NodeType::Constant, value));
            value->payload.inplace[0] = row.value != 0 ? 1 : 0;
            break;
        case NodeType::Nothing: LISP_TRY(MakeNothing(value)); break;
        case NodeType::ULong: LISP_TRY(MakeULong(std::uint64_t(row.value), value)); break;
        default: return LispStatus::InvalidVariable;
        }
        SetSymbolValue(symbol, value);
    }
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::EngineStart()
{
    if (m_started) {
        LISP_TRY(Output(Translated("INIT can only be performed once.")));
        return RebuildSymbolIndex();
    }
    m_consoleLine.clear();
    m_consoleLine.reserve(516);
    m_consoleAllocated = true;
    LISP_TRY(Output(u"\nWorkTqLisp Start: "));

    m_outputState = 0;
    m_started = 1;
    m_waitSeconds = 5;
    m_outputMode = 0;
    m_parseLevel = 0;
    m_deepestLookup = 0;
    m_segmentSize = 514;
    m_status = 0;
    m_errorHandler = nullptr;
    ClearCallHistory();
    m_input = &m_console;
    m_console.buffer.clear();
    m_console.cursor = 0;
    m_console.state = 0;
    m_protectedTag = kProtectedTag;

    // Symbols the evaluator compares by identity.
    LISP_TRY(Intern(u"QUOTE", m_symQuote));
    LISP_TRY(Intern(u"/", m_symSlash));
    LISP_TRY(Intern(u"*ERROR*", m_symError));

    LISP_TRY(LoadFunctionDictionary(*this, BuiltinTable()));
    LISP_TRY(MakePredefinedSymbols());
    return RebuildSymbolIndex();
}

short CTqLISPImpl::Start(CTqLispServices* services)
{
    m_services = services;
    m_nodeLimit = services ? services->NodeLimit() : 0;
    LispStatus status = LispStatus::Ok;
    stack_guard::RunOnEngineStack([&] { (void)EngineStart(); });
    QFile file(QString::fromUtf16(kInitFile));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return short(LispStatus::Failure);
    const QString text = QString::fromUtf8(file.readAll());
    TqResultBuffer* chain = nullptr;
    status = LispStatus(EvaluateText(CTqString(text), (m_outputMode & OutputMode::WantResult) ? &chain : nullptr));
    if (chain && m_services)
        m_services->ReleaseChain(chain);
    (void)status;
    return 0;
}

short CTqLISPImpl::DoStartup()
{
    if (!m_services)
        return 0;
    CTqString path;
    if (!m_services->FindFile(CTqString("start.lsp"), path))
        return 0;
    (void)LoadFile(path);
    const LispNode* startup = FindSymbol(u"S::STARTUP");
    if (startup && SymbolValue(startup)) {
        TqResultBuffer* chain = nullptr;
        (void)EvaluateText(CTqString("(S::STARTUP)"), (m_outputMode & OutputMode::WantResult) ? &chain : nullptr);
        if (chain)
            m_services->ReleaseChain(chain);
    }
    return 0;
}

short CTqLISPImpl::LoadFile(const CTqString& path)
{
    LispStatus status = LispStatus::Ok;
    stack_guard::RunOnEngineStack([&] {
        LispNode* value = nullptr;
        status = LoadSource(path.toStdU16(), nullptr, value, false);
        Release(value);
        (void)FlushConsole();
    });
    return Failed(status) ? short(status) : short(tq::kNormal);
}

short CTqLISPImpl::Close()
{
    m_functionNames.clear();
    m_consoleLine.clear();
    m_consoleAllocated = false;
    m_helpFile.clear();
    if (!m_started)
        return short(Output(Translated("INIT has not been performed yet.")));
    LispStatus status = Output(u"\nWorkTqLisp CloseTqLisp: ");
    ClearDialogs();
    ClearCallHistory();
    SetErrorDetail(nullptr);
    ShutdownHeap();
    m_symQuote = m_symSlash = m_symError = m_errorHandler = nullptr;
    m_indexCells = nullptr;
    m_started = 0;
    LispNode* message = nullptr;
    const LispStatus reported = ReportStatus(LispStatus::Ok, message);
    if (!Failed(status))
        status = reported;
    return short(status);
}

void* CTqLISPImpl::PushDialog(std::uint64_t handle)
{
    LispNode* node = nullptr;
    if (Failed(MakeDialog(handle, node)))
        return nullptr;
    node->next = m_dialogs;
    m_dialogs = node;
    return node;
}

void CTqLISPImpl::PopDialog()
{
    if (LispNode* top = m_dialogs) {
        m_dialogs = top->next;
        top->next = nullptr;
        Release(top);
    }
}

void CTqLISPImpl::ClearDialogs()
{
    while (m_dialogs)
        PopDialog();
}

CTqString CTqLISPImpl::GetCurrentFunctionName() { return CTqString(CurrentFunctionName()); }

// External applications are loaded by a later part of the engine; until then the slots answer
// with the host's error status.
short CTqLISPImpl::GetApplicationHandles(TqResultBuffer*& chain)
{
    chain = nullptr;
    return tq::kNone;
}
TqResultBuffer* CTqLISPImpl::GetArguments(std::uint64_t, std::uint64_t) { return nullptr; }
short CTqLISPImpl::GetSymbol(const CTqString&, TqResultBuffer*& chain)
{
    chain = nullptr;
    return tq::kError;
}
short CTqLISPImpl::Invoke(const TqResultBuffer*, TqResultBuffer*& result)
{
    result = nullptr;
    return tq::kError;
}
short CTqLISPImpl::LoadApplication(const CTqString&) { return tq::kError; }
short CTqLISPImpl::UnloadApplication(const CTqString&) { return tq::kError; }
short CTqLISPImpl::SetReturnValue(TqResultBuffer* chain)
{
    if (m_services && m_pendingResult)
        m_services->ReleaseChain(m_pendingResult);
    m_pendingResult = chain;
    return tq::kNormal;
}
TqResultBuffer* CTqLISPImpl::GetLoadedApplications() { return nullptr; }
short CTqLISPImpl::PutSymbol(const CTqString&, const TqResultBuffer*) { return tq::kError; }
short CTqLISPImpl::DefineFunction(const CTqString&, const CTqString&) { return tq::kError; }
short CTqLISPImpl::DefineFunctionEx(const CTqString&, const CTqString&, std::uint32_t) { return tq::kError; }
short CTqLISPImpl::UndefineFunction(const CTqString&) { return tq::kError; }
short CTqLISPImpl::DefineNativeFunction(const CTqString&, TqNativeFunction) { return tq::kError; }
short CTqLISPImpl::GetLoadedApplicationNames(QStringList&) { return tq::kNormal; }

CTqLISP* CreateLispEngine() noexcept { return new (std::nothrow) CTqLISPImpl(); }

void DestroyLispEngine(CTqLISP* engine) noexcept
{
    // Every engine a host holds came from CreateLispEngine, so the downcast is exact.
    delete static_cast<CTqLISPImpl*>(engine);
}
