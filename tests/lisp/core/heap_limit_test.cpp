// The host's ceiling on the node heap: a runaway program ends with "No more HEAP." and the
// engine goes on, with what the program held given back.
#include "lisp/core/engine.h"
#include "support/scripted_console.h"
#include "workbench/session.h"

#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

namespace {

// A workbench session in a scratch folder, with the host's default ceiling unless a test opens
// it with another.
struct HeapSession : ::testing::Test {
    QTemporaryDir scratch;
    ScriptedConsole console;
    std::unique_ptr<WorkbenchSession> session;
    CTqLISPImpl* engine = nullptr;

    void Open(std::uint32_t heapLimit = 0)
    {
        WorkbenchOptions options;
        options.batch = true;
        options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
        options.currentFolder = scratch.path();
        if (heapLimit != 0)
            options.heapLimit = heapLimit;
        session = std::make_unique<WorkbenchSession>(options, console);
        QString error;
        ASSERT_TRUE(session->Open(error)) << error.toStdString();
        engine = static_cast<CTqLISPImpl*>(session->Engine());
        console.Take();
    }
    void TearDown() override
    {
        if (session)
            session->Close();
    }
    QString Run(const QString& line)
    {
        session->RunCommandLine(line);
        return console.Take().trimmed();
    }
    bool NothingLeaked() const { return engine->TotalNodes() - engine->FreeNodes() == engine->CountReachableNodes(); }
};

}  // namespace

TEST_F(HeapSession, ARunawayProgramStopsAtTheCeilingAndTheEngineGoesOn)
{
    Open(200000);
    EXPECT_TRUE(Run(QStringLiteral("(progn (setq l nil) (repeat 300000 (setq l (cons 1 l))) (length l))")).contains(QStringLiteral("Error: No more HEAP.")));
    EXPECT_LE(engine->TotalNodes(), 200000u);
    // Below the ceiling everything works, and releasing the list makes room again.
    Run(QStringLiteral("(setq l nil)"));
    EXPECT_EQ(Run(QStringLiteral("(progn (repeat 150000 (setq l (cons 1 l))) (length l))")), QStringLiteral("150000"));
    EXPECT_TRUE(NothingLeaked());
}

TEST_F(HeapSession, ATenMillionElementListBuildsPrintsToAFileAndIsReleased)
{
    Open();
    const std::uint32_t liveBefore = engine->TotalNodes() - engine->FreeNodes();
    // 10 elements doubled 20 times: 10,485,760.
    EXPECT_EQ(Run(QStringLiteral("(progn (setq l '(0 1 2 3 4 5 6 7 8 9)) (repeat 20 (setq l (append l l))) (length l))")),
              QStringLiteral("10485760"));
    const QString file = scratch.filePath(QStringLiteral("big.lsp"));
    EXPECT_EQ(Run(QStringLiteral("(progn (setq f (open \"%1\" \"w\")) (prin1 l f) (close f) (vl-file-size \"%1\"))").arg(file)),
              QStringLiteral("20971521"));  // one digit and one blank per element, within the parentheses
    EXPECT_EQ(Run(QStringLiteral("(progn (setq l nil f nil) (gc) 'released)")), QStringLiteral("RELEASED"));
    EXPECT_TRUE(NothingLeaked());
    EXPECT_LE(engine->TotalNodes() - engine->FreeNodes(), liveBefore + 1000);
}

TEST_F(HeapSession, AStringOfFiftyMillionUnitsWorksAndALongerOneIsRefused)
{
    Open();
    // 100 units doubled 19 times make 52,428,800, the most a string may hold; cut to 50,000,000.
    EXPECT_EQ(Run(QStringLiteral("(progn (setq s \"0123456789012345678901234567890123456789012345678901234567890123456789"
                                 "012345678901234567890123456789\") (repeat 19 (setq s (strcat s s))) (strlen s))")),
              QStringLiteral("52428800"));
    EXPECT_EQ(Run(QStringLiteral("(strlen (setq s (substr s 1 50000000)))")), QStringLiteral("50000000"));
    EXPECT_EQ(Run(QStringLiteral("(substr s 49999991)")), QStringLiteral("\"0123456789\""));
    EXPECT_TRUE(Run(QStringLiteral("(strlen (strcat s s))")).contains(QStringLiteral("Error: No more HEAP.")));
    EXPECT_EQ(Run(QStringLiteral("(progn (setq s nil) 'alive)")), QStringLiteral("ALIVE"));
    EXPECT_TRUE(NothingLeaked());
}
