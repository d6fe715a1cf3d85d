// set on a "C:" symbol, seen from the host: a function value makes a host command and any other
// value takes it away. The values themselves are the lists transcript's concern.
#include "host/OdEd.h"
#include "host/framework/CTqConsole.h"
#include "workbench/session.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SilentConsole final : public CTqConsole {
public:
    void Write(const QString& text) override { output += text; }
    bool ReadLine(const QString&, QString&) override { return false; }
    bool ReadKey(int& key) override
    {
        key = 0;
        return false;
    }
    void EndLine() override {}
    QString output;
};

class SetCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        WorkbenchOptions options;
        options.batch = true;
        options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
        session = std::make_unique<WorkbenchSession>(options, console);
        QString error;
        ASSERT_TRUE(session->Open(error)) << error.toStdString();
    }
    void TearDown() override
    {
        if (session)
            session->Close();
    }
    void run(const char* line) { session->RunCommandLine(QString::fromUtf8(line)); }
    static bool defined(const char* name) { return odedRegCmds()->lookupCmd(CTqString(name)) != nullptr; }

    SilentConsole console;
    std::unique_ptr<WorkbenchSession> session;
};

}  // namespace

TEST_F(SetCommand, FunctionValueDefinesTheCommandAndAnyOtherValueRemovesIt)
{
    ASSERT_FALSE(defined("LSTSETA"));
    run("(set 'c:lstseta (lambda () 1))");
    EXPECT_TRUE(defined("LSTSETA"));
    run("(set 'c:lstseta 1)");
    EXPECT_FALSE(defined("LSTSETA"));
}

TEST_F(SetCommand, ListWhoseFirstElementIsNilCountsAsFunction)
{
    run("(set 'c:lstsetb '(nil 7))");
    EXPECT_TRUE(defined("LSTSETB"));
    run("(set 'c:lstsetb '(1 7))");
    EXPECT_FALSE(defined("LSTSETB"));
}

TEST_F(SetCommand, OnlySymbolsNamedWithTheColonPrefixMakeCommands)
{
    run("(set 'lstsetc (lambda () 1))");
    run("(set 'c-lstsetc (lambda () 1))");
    EXPECT_FALSE(defined("LSTSETC"));
    EXPECT_FALSE(defined("C-LSTSETC"));
    EXPECT_FALSE(defined("-LSTSETC"));
}
