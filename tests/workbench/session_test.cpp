// The workbench session without the module: command dispatch, output lines, set-up failures and
// the editor events around opening and closing.
#include "workbench/session.h"

#include "host/OdEd.h"
#include "host/framework/CTqDocumentImpl.h"
#include "host/framework/CTqResourcesImpl.h"
#include "host/framework/CTqSystemServicesImpl.h"
#include "host/framework/scripted_host_console.h"
#include "host/lispservices/CTqWorkbenchLispServices.h"
#include "host/sdk/test_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

WorkbenchOptions hostOnly()
{
    WorkbenchOptions options;
    options.moduleFile.clear();
    options.batch = true;
    return options;
}

class SessionEvents : public CTqEditorReactor {
public:
    void mainFrameReady() override { log.push_back("mainFrameReady"); }
    void mainFrameClosing() override { log.push_back("mainFrameClosing"); }
    void documentCreated(CTqDocument* document) override
    {
        log.push_back(document && document == GetTqSystemServices()->CurrentDocument() ? "documentCreated current"
                                                                                        : "documentCreated other");
    }
    void documentToBeDestroyed(CTqDocument*) override { log.push_back("documentToBeDestroyed"); }
    void commandWillStart(CTqCommand*) override { log.push_back("commandWillStart"); }
    void commandEnded(CTqCommand*) override { log.push_back("commandEnded"); }

    std::vector<std::string> log;
};

// Registers a command on the process-wide stack for one test.
class RegisteredCommand {
public:
    RegisteredCommand(QString global, QString local) : command(QStringLiteral("SESSION_TESTS"), std::move(global), std::move(local))
    {
        odedRegCmds()->addCommand(&command);
    }
    ~RegisteredCommand() { odedRegCmds()->removeGroup(CTqString("SESSION_TESTS")); }
    TestCommand command;
};

}  // namespace

TEST(WorkbenchSession, UnknownCommandIsReportedOnALineOfItsOwn)
{
    ScriptedHostConsole console;
    WorkbenchSession session(hostOnly(), console);
    QString error;
    ASSERT_TRUE(session.Open(error)) << error.toStdString();
    console.TakeOutput();

    session.RunCommandLine(QStringLiteral("frobnicate now"));
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("Unknown command \"FROBNICATE\".\n"));
    console.Write(QStringLiteral("half a line"));
    session.RunCommandLine(QStringLiteral("  _Zap"));
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("half a line\nUnknown command \"_ZAP\".\n"));
}

TEST(WorkbenchSession, BlankLineDoesNothing)
{
    ScriptedHostConsole console;
    WorkbenchSession session(hostOnly(), console);
    QString error;
    ASSERT_TRUE(session.Open(error));
    console.TakeOutput();
    session.RunCommandLine(QString());
    session.RunCommandLine(QStringLiteral(" \t "));
    EXPECT_EQ(console.TakeOutput(), QString());
}

TEST(WorkbenchSession, CommandRunsWithTheDocumentAndAUserOnTheConsole)
{
    ScriptedHostConsole console({QStringLiteral("Ada")});
    RegisteredCommand registered(QStringLiteral("_GREET"), QStringLiteral("HELLO"));
    CTqDocument* seenDocument = nullptr;
    registered.command.action = [&](OdEdCommandContext* context) {
        seenDocument = context->document();
        CTqUserIO* user = context->userIO();
        CTqString name;
        if (!user || user->GetString(CTqString("Name: "), name) != tq::kNormal)
            return short(tq::kError);
        user->Print(CTqString("Hello, ") + name);  // no line break: the session ends the line
        return short(tq::kNormal);
    };
    WorkbenchSession session(hostOnly(), console);
    QString error;
    ASSERT_TRUE(session.Open(error));
    console.TakeOutput();

    session.RunCommandLine(QStringLiteral("hello"));
    EXPECT_EQ(registered.command.runs, 1);
    EXPECT_EQ(seenDocument, session.Document());
    EXPECT_NE(seenDocument, nullptr);
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("Name: Ada\nHello, Ada\n"));
    EXPECT_EQ(registered.command.references, 1) << "the session gives back the reference it took while running";

    session.RunCommandLine(QStringLiteral("._greet"));
    EXPECT_EQ(registered.command.runs, 2);
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("Name: \n")) << "the script is used up: the command is cancelled";
}

TEST(WorkbenchSession, LispLineWithoutAnEngineSaysSo)
{
    ScriptedHostConsole console;
    WorkbenchSession session(hostOnly(), console);
    QString error;
    ASSERT_TRUE(session.Open(error));
    console.TakeOutput();
    EXPECT_EQ(session.Engine(), nullptr);
    session.RunCommandLine(QStringLiteral("  (+ 1 2)"));
    session.RunCommandLine(QStringLiteral("!x"));
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("No LISP engine is available.\nNo LISP engine is available.\n"));
}

TEST(WorkbenchSession, OpenAndCloseTellTheEditorAndSetUpTheHost)
{
    ScriptedHostConsole console;
    SessionEvents events;
    odedEditor()->addReactor(&events);
    WorkbenchOptions options = hostOnly();
    options.applicationName = QStringLiteral("Test Bench");
    options.supportFolders = QStringList{QStringLiteral("/support/a")};
    {
        WorkbenchSession session(options, console);
        QString error;
        ASSERT_TRUE(session.Open(error));
        EXPECT_EQ(GetTqResources()->GetApplicationName().toQString(), QStringLiteral("Test Bench"));
        EXPECT_EQ(GetTqSystemServices()->CurrentDocument(), session.Document());
        ASSERT_NE(GetTqSystemServices()->LispServices(), nullptr);
        EXPECT_EQ(GetTqSystemServices()->LispServices(), static_cast<CTqLispServices*>(session.LispServices()));
        EXPECT_EQ(session.LispServices()->SupportFolders(), options.supportFolders);

        RegisteredCommand registered(QStringLiteral("NOOP"), QStringLiteral("NOOP"));
        session.RunCommandLine(QStringLiteral("noop"));
    }  // the destructor closes
    odedEditor()->removeReactor(&events);
    CTqResourcesImpl::Instance().SetApplicationName(CTqString("Keltora Workbench"));

    EXPECT_EQ(events.log, (std::vector<std::string>{"mainFrameReady", "documentCreated current", "commandWillStart",
                                                    "commandEnded", "documentToBeDestroyed", "mainFrameClosing"}));
    EXPECT_EQ(GetTqSystemServices()->CurrentDocument(), nullptr);
    EXPECT_EQ(GetTqSystemServices()->LispServices(), nullptr);
}

TEST(WorkbenchSession, MissingModuleFailsAndLeavesNothingBehind)
{
    ScriptedHostConsole console;
    WorkbenchOptions options = hostOnly();
    options.moduleFile = QStringLiteral("no_such_module.tx");
    WorkbenchSession failed(options, console);
    QString error;
    EXPECT_FALSE(failed.Open(error));
    EXPECT_TRUE(error.contains(QLatin1String("no_such_module.tx"))) << error.toStdString();
    EXPECT_FALSE(failed.IsOpen());
    EXPECT_EQ(GetTqSystemServices()->LispServices(), nullptr);
    EXPECT_EQ(console.TakeOutput(), QString());

    WorkbenchSession next(hostOnly(), console);
    EXPECT_TRUE(next.Open(error)) << error.toStdString();
}

TEST(WorkbenchSession, OnlyOneSessionIsOpenAtATime)
{
    ScriptedHostConsole console;
    WorkbenchSession first(hostOnly(), console);
    WorkbenchSession second(hostOnly(), console);
    QString error;
    ASSERT_TRUE(first.Open(error));
    EXPECT_FALSE(second.Open(error));
    EXPECT_EQ(error, QStringLiteral("Another session is open."));
    first.Close();
    EXPECT_TRUE(second.Open(error)) << error.toStdString();
}

TEST(WorkbenchSession, LoadCommandLineEscapesThePath)
{
    EXPECT_EQ(WorkbenchSession::LoadCommandLine(QStringLiteral("/tmp/a.lsp")), QStringLiteral("(load \"/tmp/a.lsp\")"));
    EXPECT_EQ(WorkbenchSession::LoadCommandLine(QStringLiteral("C:\\lisp\\say \"hi\".lsp")),
              QStringLiteral("(load \"C:\\\\lisp\\\\say \\\"hi\\\".lsp\")"));
}

TEST(WorkbenchSession, StartupOptionsRunAsCommandLinesLoadsFirst)
{
    ScriptedHostConsole console;
    RegisteredCommand registered(QStringLiteral("MARK"), QStringLiteral("MARK"));
    WorkbenchOptions options = hostOnly();
    options.evalTexts = QStringList{QStringLiteral("mark"), QStringLiteral("nothing")};
    options.loadFiles = QStringList{QStringLiteral("x.lsp")};
    WorkbenchSession session(options, console);
    QString error;
    ASSERT_TRUE(session.Open(error));
    console.TakeOutput();
    session.RunStartupOptions();
    EXPECT_EQ(registered.command.runs, 1);
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("No LISP engine is available.\nUnknown command \"NOTHING\".\n"));
}
