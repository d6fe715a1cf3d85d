#include "fuzz/fuzz_session.h"

#include "host/framework/CTqConsole.h"
#include "lisp/core/engine.h"
#include "workbench/session.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace fuzz {
namespace {

class SilentConsole final : public CTqConsole {
public:
    void Write(const QString&) override {}
    bool ReadLine(const QString&, QString&) override { return false; }
    bool ReadKey(int& key) override
    {
        key = 0;
        return false;
    }
    void EndLine() override {}
};

// Programs are cut off after this long, as a user would press Ctrl+C; the engine polls for the
// break in its loops and calls, so only a place that never polls shows up as a libFuzzer timeout.
constexpr auto kBreakAfter = std::chrono::milliseconds(1500);

std::atomic<std::int64_t> g_startedAt{0};  // steady-clock ticks of the running input, 0 when idle

std::int64_t Now() { return std::chrono::steady_clock::now().time_since_epoch().count(); }

// Built-ins that reach outside the scratch folders (other programs, a help viewer, files by
// absolute name) are replaced: a fuzzer must not run programs or overwrite files. Reading stays.
const char* const kSandbox[] = {
    "(setq fuzz:open open)",
    "(defun open (name mode) (if (and (= (type mode) 'STR) (= (strcase mode) \"R\")) (fuzz:open name mode)))",
    "(defun startapp (a / b) nil)",
    "(defun help (a / b c) nil)",
    "(defun vl-file-delete (a) nil)",
    "(defun vl-file-rename (a b) nil)",
    "(defun vl-file-copy (a b / c) nil)",
    "(defun vl-mkdir (a) nil)",
    "(defun command (a / b) nil)",
};

struct Session {
    int argc = 1;
    char name[6] = "fuzz";
    char* argv[2] = {name, nullptr};
    QTemporaryDir scratch;
    SilentConsole console;
    std::unique_ptr<QApplication> app;
    std::unique_ptr<WorkbenchSession> session;
    // The module's engine, driven through its interface as the host drives it: a call on the
    // final class would be bound to this program's own copy of the engine, whose stack guard
    // is not the one the module's evaluator asks.
    CTqLISP* lisp = nullptr;
    CTqLISPImpl* engine = nullptr;  // its counters and heap checks

    Session()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        WorkbenchOptions options;
        options.batch = true;
        options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
        options.currentFolder = scratch.path();
        options.documentsFolder = scratch.path();
        options.settingsFolder = scratch.path();
        options.helpViewer = QStringLiteral("/bin/true");
        QDir::setCurrent(scratch.path());
        session = std::make_unique<WorkbenchSession>(options, console);
        QString error;
        if (!session->Open(error)) {
            std::fprintf(stderr, "fuzz: cannot open a session: %s\n", qPrintable(error));
            std::abort();
        }
        lisp = session->Engine();
        engine = static_cast<CTqLISPImpl*>(lisp);
        if (!engine)
            std::abort();
        for (const char* line : kSandbox)
            (void)lisp->EvaluateText(QString::fromLatin1(line), nullptr);
        std::thread([this] {
            for (;;) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                const std::int64_t started = g_startedAt.load();
                if (started != 0 && Now() - started > std::chrono::steady_clock::duration(kBreakAfter).count())
                    console.RequestBreak();
            }
        }).detach();
    }
};

Session& TheSession()
{
    static Session* session = new Session;  // never destroyed: libFuzzer exits from anywhere
    return *session;
}

}  // namespace

CTqLISPImpl& Engine() { return *TheSession().engine; }

void Evaluate(const QString& text)
{
    Session& session = TheSession();
    CTqLISPImpl& engine = *session.engine;
    (void)session.console.TakeBreak();
    g_startedAt.store(Now());
    (void)session.lisp->EvaluateText(text, nullptr);
    g_startedAt.store(0);
    const std::uint32_t live = engine.TotalNodes() - engine.FreeNodes();
    const std::uint32_t reachable = engine.CountReachableNodes();
    if (live != reachable) {
        std::fprintf(stderr, "fuzz: %u live nodes but %u reachable: nodes leaked\n", live, reachable);
        std::abort();
    }
    if (!engine.CheckHeap()) {
        std::fprintf(stderr, "fuzz: the node heap is inconsistent\n");
        std::abort();
    }
}

}  // namespace fuzz
