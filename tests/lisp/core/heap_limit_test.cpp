// The host's ceiling on the node heap: a runaway program ends with "No more HEAP." and the
// engine goes on, with what the program held given back.
#include "lisp/core/engine.h"
#include "support/scripted_console.h"
#include "workbench/session.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(HeapLimit, ARunawayProgramStopsAtTheCeilingAndTheEngineGoesOn)
{
    QTemporaryDir scratch;
    ScriptedConsole console;
    WorkbenchOptions options;
    options.batch = true;
    options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
    options.currentFolder = scratch.path();
    options.heapLimit = 200000;
    WorkbenchSession session(options, console);
    QString error;
    ASSERT_TRUE(session.Open(error)) << error.toStdString();
    auto* engine = static_cast<CTqLISPImpl*>(session.Engine());

    console.Take();
    session.RunCommandLine(QStringLiteral("(progn (setq l nil) (repeat 300000 (setq l (cons 1 l))) (length l))"));
    EXPECT_TRUE(console.Take().contains(QStringLiteral("Error: No more HEAP.")));
    EXPECT_LE(engine->TotalNodes(), 200000u);
    // Below the ceiling everything works, and releasing the list makes room again.
    session.RunCommandLine(QStringLiteral("(setq l nil)"));
    console.Take();
    session.RunCommandLine(QStringLiteral("(progn (repeat 150000 (setq l (cons 1 l))) (length l))"));
    EXPECT_EQ(console.Take().trimmed(), QStringLiteral("150000"));
    EXPECT_EQ(engine->TotalNodes() - engine->FreeNodes(), engine->CountReachableNodes());
    session.Close();
}
