// LISP commands in the host's command stack: registration, replacement, removal and running.
#include "lisp/core/lisp_commands.h"

#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"
#include "host/framework/CTqConsole.h"
#include "host/lispservices/CTqWorkbenchLispServices.h"
#include "lisp/core/engine.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// A host command that counts its references, to see the command stack let go of it.
class HostCommand final : public CTqCommand {
public:
    explicit HostCommand(const char* name) : m_name(name) {}
    void addRef() override { ++refs; }
    void release() override { --refs; }
    CTqString globalName() const override { return m_name; }
    CTqString localName() const override { return m_name; }
    short execute(OdEdCommandContext*) override { return tq::kNormal; }
    int refs = 0;

private:
    CTqString m_name;
};

// An engine stand-in that records what a command asks it to evaluate.
class RecordingEngine final : public CTqLISP {
public:
    short ReleaseSelectionSets(std::uint32_t) override { return tq::kNormal; }
    short GetApplicationHandles(TqResultBuffer*&) override { return tq::kNone; }
    TqResultBuffer* GetArguments(std::uint64_t, std::uint64_t) override { return nullptr; }
    short GetSymbol(const CTqString&, TqResultBuffer*&) override { return tq::kError; }
    short Invoke(const TqResultBuffer*, TqResultBuffer*&) override { return tq::kError; }
    short LoadFile(const CTqString&) override { return tq::kError; }
    short LoadApplication(const CTqString&) override { return tq::kError; }
    short UnloadApplication(const CTqString&) override { return tq::kError; }
    short SetReturnValue(TqResultBuffer*) override { return tq::kError; }
    TqResultBuffer* GetLoadedApplications() override { return nullptr; }
    short PutSymbol(const CTqString&, const TqResultBuffer*) override { return tq::kError; }
    short DefineFunction(const CTqString&, const CTqString&) override { return tq::kError; }
    short DefineFunctionEx(const CTqString&, const CTqString&, std::uint32_t) override { return tq::kError; }
    short UndefineFunction(const CTqString&) override { return tq::kError; }
    short DefineNativeFunction(const CTqString&, TqNativeFunction) override { return tq::kError; }
    short EvaluateText(const CTqString& text, TqResultBuffer** result) override
    {
        evaluated.push_back(text);
        hadResultSlot = result != nullptr;
        if (duringEvaluation)
            duringEvaluation();
        return -1;
    }
    short Start(CTqLispServices*) override { return 0; }
    CTqLispServices* GetHostServices() override { return nullptr; }
    void* PushDialog(std::uint64_t) override { return nullptr; }
    void PopDialog() override {}
    void ClearDialogs() override {}
    void EvaluateToResult(const CTqString&, CTqResultHolder*, bool) override {}
    short DoStartup() override { return 0; }
    short Close() override { return 0; }
    short GetLoadedApplicationNames(QStringList&) override { return tq::kNormal; }
    CTqString GetCurrentFunctionName() override { return CTqString(); }

    std::vector<CTqString> evaluated;
    bool hadResultSlot = false;
    std::function<void()> duringEvaluation;
};

class RecordingDocument final : public CTqDocument {
public:
    explicit RecordingDocument(CTqLISP* engine) : m_engine(engine) {}
    CTqLISP* GetLISP() override { return m_engine; }
    void PushCommandToken(const CTqString& text) override { tokens.push_back(text); }
    void PopCommandToken() override { tokens.pop_back(); }
    std::vector<CTqString> CommandTokens() const override { return tokens; }
    CTqString Folder() const override { return CTqString(); }
    std::vector<CTqString> tokens;

private:
    CTqLISP* m_engine;
};

class DocumentContext final : public OdEdCommandContext {
public:
    explicit DocumentContext(CTqDocument* document) : m_document(document) {}
    CTqDocument* document() override { return m_document; }
    CTqUserIO* userIO() override { return nullptr; }

private:
    CTqDocument* m_document;
};

// Each test starts and ends with an empty module list and none of its names in the stack.
class LispCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveAllLispCommands(); }
    void TearDown() override { RemoveAllLispCommands(); }

    static CTqCommand* Lookup(const char* name) { return odedRegCmds()->lookupCmd(CTqString(name)); }
};

TEST_F(LispCommandsTest, RegisteredNameIsUpperCaseInAnEmptyGroup)
{
    ASSERT_EQ(RegisterLispCommand(u"draw-Box", LispCommandKind::Defined), LispStatus::Ok);
    CTqCommand* command = Lookup("DRAW-BOX");
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->globalName(), CTqString("DRAW-BOX"));
    EXPECT_EQ(command->localName(), CTqString("DRAW-BOX"));
    EXPECT_TRUE(command->groupName().isEmpty());
    EXPECT_EQ(command->flags(), 0x1000803);
    EXPECT_EQ(RegisteredLispCommands(), QStringList{QStringLiteral("DRAW-BOX")});
}

TEST_F(LispCommandsTest, EmptyNameFailsAndRegistersNothing)
{
    const QStringList before = odedRegCmds()->commandNames();
    EXPECT_EQ(RegisterLispCommand(u"", LispCommandKind::Defined), LispStatus::Failure);
    EXPECT_EQ(odedRegCmds()->commandNames(), before);
    EXPECT_TRUE(RegisteredLispCommands().isEmpty());
}

TEST_F(LispCommandsTest, RegisteringReplacesAHostCommandOfThatName)
{
    HostCommand host("ZOOMALL");
    odedRegCmds()->addCommand(&host);
    ASSERT_EQ(Lookup("ZOOMALL"), &host);
    const int heldByStack = host.refs;

    ASSERT_EQ(RegisterLispCommand(u"zoomall", LispCommandKind::External), LispStatus::Ok);
    CTqCommand* command = Lookup("ZOOMALL");
    ASSERT_NE(command, nullptr);
    EXPECT_NE(command, &host);
    EXPECT_EQ(static_cast<CTqExtLISPCommand*>(command)->kind(), LispCommandKind::External);
    EXPECT_EQ(host.refs, heldByStack - 1);
}

TEST_F(LispCommandsTest, RedefiningKeepsOneCommandPerName)
{
    ASSERT_EQ(RegisterLispCommand(u"TWICE", LispCommandKind::Defined), LispStatus::Ok);
    ASSERT_EQ(RegisterLispCommand(u"twice", LispCommandKind::Defined), LispStatus::Ok);
    EXPECT_NE(Lookup("TWICE"), nullptr);
    EXPECT_EQ(RegisteredLispCommands(), QStringList{QStringLiteral("TWICE")});
}

TEST_F(LispCommandsTest, RemovingAllLeavesLaterHostCommandsAlone)
{
    ASSERT_EQ(RegisterLispCommand(u"ONE", LispCommandKind::Defined), LispStatus::Ok);
    ASSERT_EQ(RegisterLispCommand(u"TWO", LispCommandKind::Defined), LispStatus::Ok);
    // The host takes "TWO" over after the engine registered it.
    HostCommand host("TWO");
    odedRegCmds()->removeCmd(CTqString("TWO"));
    odedRegCmds()->addCommand(&host);

    RemoveAllLispCommands();
    EXPECT_EQ(Lookup("ONE"), nullptr);
    EXPECT_EQ(Lookup("TWO"), &host);
    EXPECT_TRUE(RegisteredLispCommands().isEmpty());
    odedRegCmds()->removeCmd(host.groupName(), host.globalName());
}

TEST_F(LispCommandsTest, RunningEvaluatesTheFunctionUnderACommandToken)
{
    ASSERT_EQ(RegisterLispCommand(u"hello", LispCommandKind::Defined), LispStatus::Ok);
    RecordingEngine engine;
    RecordingDocument document(&engine);
    std::vector<CTqString> tokensWhileRunning;
    engine.duringEvaluation = [&] { tokensWhileRunning = document.tokens; };

    DocumentContext context(&document);
    // The engine's failure status does not reach the host.
    EXPECT_EQ(Lookup("HELLO")->execute(&context), tq::kNormal);
    ASSERT_EQ(engine.evaluated.size(), 1u);
    EXPECT_EQ(engine.evaluated[0], CTqString("(C:HELLO) "));
    EXPECT_FALSE(engine.hadResultSlot);
    EXPECT_EQ(tokensWhileRunning, std::vector<CTqString>{CTqString("(C:HELLO) ")});
    EXPECT_TRUE(document.tokens.empty());
}

TEST_F(LispCommandsTest, RunningWithoutDocumentIsAnError)
{
    ASSERT_EQ(RegisterLispCommand(u"nodoc", LispCommandKind::Defined), LispStatus::Ok);
    DocumentContext context(nullptr);
    EXPECT_EQ(Lookup("NODOC")->execute(&context), tq::kError);
}

// A command whose function redefines the command replaces the running object; it must stay
// alive until its run returns (the sanitizer build catches a use after free).
TEST_F(LispCommandsTest, CommandSurvivesRedefiningItselfWhileRunning)
{
    ASSERT_EQ(RegisterLispCommand(u"SELF", LispCommandKind::Defined), LispStatus::Ok);
    CTqCommand* running = Lookup("SELF");
    RecordingEngine engine;
    RecordingDocument document(&engine);
    engine.duringEvaluation = [] { EXPECT_EQ(RegisterLispCommand(u"SELF", LispCommandKind::Defined), LispStatus::Ok); };
    DocumentContext context(&document);
    EXPECT_EQ(running->execute(&context), tq::kNormal);
    EXPECT_NE(Lookup("SELF"), nullptr);
    EXPECT_NE(Lookup("SELF"), running);
    EXPECT_TRUE(document.tokens.empty());
}

class QuietConsole final : public CTqConsole {
public:
    void Write(const QString&) override {}
    bool ReadLine(const QString&, QString&) override { return false; }
    bool ReadKey(int&) override { return false; }
    void EndLine() override {}
};

class StartedEngineTest : public LispCommandsTest {
protected:
    void SetUp() override
    {
        LispCommandsTest::SetUp();
        ASSERT_EQ(engine.Start(&services), 0);
    }
    void TearDown() override
    {
        (void)engine.Close();
        LispCommandsTest::TearDown();
    }

    QuietConsole console;
    CTqWorkbenchLispServices services{console};
    CTqLISPImpl engine;
};

TEST_F(StartedEngineTest, RemovingTakesTheCommandFromStackAndList)
{
    ASSERT_EQ(RegisterLispCommand(u"GONE", LispCommandKind::Defined), LispStatus::Ok);
    ASSERT_EQ(RegisterLispCommand(u"KEPT", LispCommandKind::Defined), LispStatus::Ok);
    EXPECT_EQ(RemoveLispCommand(engine, u"gone"), LispStatus::Ok);
    EXPECT_EQ(Lookup("GONE"), nullptr);
    EXPECT_NE(Lookup("KEPT"), nullptr);
    EXPECT_EQ(RegisteredLispCommands(), QStringList{QStringLiteral("KEPT")});
}

TEST(LispCommandsUnstarted, RemovingWithoutHostServicesFails)
{
    CTqLISPImpl engine;
    EXPECT_EQ(RemoveLispCommand(engine, u"ANY"), LispStatus::RegisteringCommand);
}

}  // namespace
