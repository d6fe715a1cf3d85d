// The workbench session with the real module: loading it by its file name, the engine it
// provides, LISP command lines and LISP-defined commands, and unloading. Only behaviour the
// host side brings about is checked here; the engine's own output is the transcripts' concern.
#include "workbench/session.h"

#include "host/CTqLISP.h"
#include "host/OdEd.h"
#include "host/OdRx.h"
#include "host/framework/scripted_host_console.h"

#include <gtest/gtest.h>

namespace {

class ModuleSession : public ::testing::Test {
protected:
    bool open(WorkbenchOptions options = {})
    {
        options.batch = true;
        session = std::make_unique<WorkbenchSession>(std::move(options), console);
        QString error;
        const bool opened = session->Open(error);
        EXPECT_TRUE(opened) << error.toStdString();
        console.TakeOutput();  // the engine's start-up banner
        return opened;
    }
    QString run(const char* line)
    {
        session->RunCommandLine(QString::fromUtf8(line));
        return console.TakeOutput();
    }

    ScriptedHostConsole console;
    std::unique_ptr<WorkbenchSession> session;
};

}  // namespace

TEST_F(ModuleSession, ModuleIsFoundBesideTheProgramAndUnloadedOnClose)
{
    ASSERT_TRUE(open());
    EXPECT_EQ(odrxDynamicLinker()->loadedModules().size(), 1);
    EXPECT_NE(odrxDynamicLinker()->module(CTqString("ZIRuvezidoRed_4.01_14.tx")), nullptr);
    EXPECT_NE(session->Engine(), nullptr);
    EXPECT_NE(odedRegCmds()->lookupCmd(CTqString("PLUGINS")), nullptr) << "initApp ran";

    session->Close();
    EXPECT_TRUE(odrxDynamicLinker()->loadedModules().isEmpty());
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("PLUGINS")), nullptr) << "uninitApp ran";
    EXPECT_EQ(GetTqSystemServices()->LispProvider(), nullptr) << "the module put the old chain head back";
}

TEST_F(ModuleSession, ExclamationLineShowsTheValueThroughTheStartupFile)
{
    ASSERT_TRUE(open());
    // !DO_PRINT comes from the host's start-up resource; without it the line is an error.
    EXPECT_EQ(run("!pi"), QStringLiteral("3.14159\n"));
    EXPECT_EQ(run("  !pi"), QStringLiteral("3.14159\n"));
}

TEST_F(ModuleSession, LispDefinedCommandRunsFromTheCommandLine)
{
    ASSERT_TRUE(open());
    run("(defun c:wbgreet () (princ \"greetings\") (princ))");
    EXPECT_NE(odedRegCmds()->lookupCmd(CTqString("wbgreet")), nullptr);
    EXPECT_EQ(run("wbgreet"), QStringLiteral("greetings\n"));
    EXPECT_EQ(run("_WBGREET"), QStringLiteral("greetings\n"));

    session->Close();
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("wbgreet")), nullptr) << "unloading takes LISP commands away";
}

TEST_F(ModuleSession, HostTheModuleDoesNotServeGetsNoEngine)
{
    WorkbenchOptions options;
    options.applicationName = QStringLiteral("Plain Drafting Host");
    ASSERT_TRUE(open(options));
    EXPECT_EQ(session->Engine(), nullptr);
    EXPECT_NE(odedRegCmds()->lookupCmd(CTqString("_PLUGINS")), nullptr);
    EXPECT_EQ(run("(+ 1 2)"), QStringLiteral("No LISP engine is available.\n"));
}
