// The workbench LISP services: real formatting, file search order, the command line on a
// console and command removal.
#include "host/framework/CTqDocumentImpl.h"
#include "host/framework/CTqSystemServicesImpl.h"
#include "host/framework/scripted_host_console.h"
#include "host/lispservices/CTqCIPUnknownCommandRecorderImpl.h"
#include "host/lispservices/CTqWorkbenchLispServices.h"
#include "host/sdk/test_command.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString realText(double value, int unitMode, int precision1 = 8, int precision2 = 8)
{
    ScriptedHostConsole console;
    CTqWorkbenchLispServices services(console);
    CTqString text;
    EXPECT_EQ(services.RealToText(value, unitMode, precision1, precision2, text), tq::kNormal);
    return text.toQString();
}

}  // namespace

TEST(CTqWorkbenchLispServices, DecimalRealsHaveSixSignificantDigitsAndAPoint)
{
    EXPECT_EQ(realText(3.0, 2, 1, -1), QStringLiteral("3.0"));
    EXPECT_EQ(realText(1.5, 2), QStringLiteral("1.5"));
    EXPECT_EQ(realText(3.141592653589793, 2), QStringLiteral("3.14159"));
    EXPECT_EQ(realText(-0.5, 2), QStringLiteral("-0.5"));
    EXPECT_EQ(realText(0.0, 2, 1, -1), QStringLiteral("0.0"));
    EXPECT_EQ(realText(100.0, 2, 1, -1), QStringLiteral("100.0"));
    EXPECT_EQ(realText(123456.0, 2, 1, -1), QStringLiteral("123456.0"));
    EXPECT_EQ(realText(2.0 / 3.0, 2), QStringLiteral("0.666667"));
    EXPECT_EQ(realText(1234567.0, 2, 1, -1), QStringLiteral("1.23457e+06"));
    EXPECT_EQ(realText(1e20, 2, 1, -1), QStringLiteral("1.0e+20"));
    EXPECT_EQ(realText(-2.5e20, 2, 1, -1), QStringLiteral("-2.5e+20"));
    EXPECT_EQ(realText(1e-5, 2), QStringLiteral("1.0e-05"));
}

TEST(CTqWorkbenchLispServices, ScientificRealsDropTrailingZerosButKeepOneDecimal)
{
    EXPECT_EQ(realText(1e-5, 1), QStringLiteral("1.0e-05"));
    EXPECT_EQ(realText(0.000123456789, 1), QStringLiteral("1.23457e-04"));
    EXPECT_EQ(realText(-0.00025, 1), QStringLiteral("-2.5e-04"));
    EXPECT_EQ(realText(0.0009999999, 1), QStringLiteral("1.0e-03"));
}

TEST(CTqWorkbenchLispServices, PrintHtmlWritesPlainText)
{
    ScriptedHostConsole console;
    CTqWorkbenchLispServices services(console);
    services.PrintHtml(CTqString("&lt;a&gt; &amp;amp; &quot;q&quot; &#39;s\n"));
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("<a> &amp; \"q\" 's\n"));
}

TEST(CTqWorkbenchLispServices, GetLineCancelsOnEscapeAndAtTheEndOfInput)
{
    ScriptedHostConsole console({QStringLiteral("first answer"), QStringLiteral("\x1b"), QString()});
    CTqWorkbenchLispServices services(console);
    CTqString line;

    EXPECT_EQ(services.GetLine(CTqString("Name: "), line), tq::kNormal);
    EXPECT_EQ(line.toQString(), QStringLiteral("first answer"));
    EXPECT_EQ(services.GetLine(CTqString("Again: "), line), tq::kCancel);
    EXPECT_EQ(services.GetLine(CTqString("Empty: "), line), tq::kNormal);
    EXPECT_EQ(line.toQString(), QString());
    EXPECT_EQ(services.GetLine(CTqString("More: "), line), tq::kCancel);
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("Name: first answer\nAgain: \x1b\nEmpty: \nMore: "));
}

TEST(CTqWorkbenchLispServices, GetKeyReadsScriptedKeysThenCancels)
{
    ScriptedHostConsole console({}, {'y', 13});
    CTqWorkbenchLispServices services(console);
    int key = 0;
    EXPECT_EQ(services.GetKey(key), tq::kNormal);
    EXPECT_EQ(key, 'y');
    EXPECT_EQ(services.GetKey(key), tq::kNormal);
    EXPECT_EQ(key, 13);
    EXPECT_EQ(services.GetKey(key), tq::kCancel);
}

TEST(CTqWorkbenchLispServices, UserBreakIsReportedOncePerRequest)
{
    ScriptedHostConsole console;
    CTqWorkbenchLispServices services(console);
    EXPECT_FALSE(services.UserBreak());
    console.RequestBreak();
    EXPECT_TRUE(services.UserBreak());
    EXPECT_FALSE(services.UserBreak());
}

TEST(CTqWorkbenchLispServices, PendingInputIsNoneUntilSet)
{
    ScriptedHostConsole console;
    CTqWorkbenchLispServices services(console);
    CTqString keyword("unchanged");
    EXPECT_EQ(services.GetPendingInput(keyword), tq::kNone);
    EXPECT_EQ(keyword.toQString(), QStringLiteral("unchanged"));
    services.SetPendingInput(CTqString("Yes"));
    EXPECT_EQ(services.GetPendingInput(keyword), tq::kNormal);
    EXPECT_EQ(keyword.toQString(), QStringLiteral("Yes"));
}

TEST(CTqWorkbenchLispServices, RemoveCommandTakesItOffTheProcessStack)
{
    ScriptedHostConsole console;
    CTqWorkbenchLispServices services(console);
    TestCommand command(QString(), QStringLiteral("SERVICESTESTCMD"), QStringLiteral("SERVICESTESTCMD"));
    odedRegCmds()->addCommand(&command);
    ASSERT_EQ(odedRegCmds()->lookupCmd(CTqString("servicestestcmd")), &command);

    EXPECT_EQ(services.RemoveCommand(CTqString("servicestestcmd")), tq::kNormal);
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("SERVICESTESTCMD")), nullptr);
    EXPECT_EQ(command.references, 0);
    EXPECT_EQ(services.RemoveCommand(CTqString("SERVICESTESTCMD")), tq::kNormal) << "an absent name is no failure";
}

TEST(CTqWorkbenchLispServices, UnknownSelectionSetsAreRefused)
{
    ScriptedHostConsole console;
    CTqWorkbenchLispServices services(console);
    EXPECT_EQ(services.ConfirmSelectionSet(1, 2), tq::kError);
    EXPECT_EQ(services.FreeSelectionSet(1, 2), tq::kError);
}

class FindFileOrder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        for (const char* folder : {"current", "drawing", "support1", "support2/sub"})
            ASSERT_TRUE(QDir(root.path()).mkpath(QLatin1String(folder)));
        services.SetCurrentFolder(path("current"));
        services.SetSupportFolders({path("support1"), path("support2")});
        document.SetFolder(path("drawing"));
        CTqSystemServicesImpl::Instance().SetCurrentDocument(&document);
    }
    void TearDown() override { CTqSystemServicesImpl::Instance().SetCurrentDocument(nullptr); }

    QString path(const char* relative) const { return root.filePath(QLatin1String(relative)); }
    void place(const char* relative)
    {
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative;
    }
    QString find(const char* name)
    {
        CTqString full;
        return services.FindFile(CTqString(name), full) ? full.toQString() : QStringLiteral("<not found>");
    }

    QTemporaryDir root;
    ScriptedHostConsole console;
    CTqWorkbenchLispServices services{console};
    CTqDocumentImpl document;
};

TEST_F(FindFileOrder, CurrentFolderThenDrawingFolderThenSupportFoldersInOrder)
{
    place("current/a.lsp");
    place("drawing/a.lsp");
    place("drawing/b.lsp");
    place("support1/b.lsp");
    place("support1/c.lsp");
    place("support2/c.lsp");
    place("support2/d.lsp");
    place("support2/sub/e.lsp");

    EXPECT_EQ(find("a.lsp"), path("current/a.lsp"));
    EXPECT_EQ(find("b.lsp"), path("drawing/b.lsp"));
    EXPECT_EQ(find("c.lsp"), path("support1/c.lsp"));
    EXPECT_EQ(find("d.lsp"), path("support2/d.lsp"));
    EXPECT_EQ(find("sub/e.lsp"), path("support2/sub/e.lsp"));
    EXPECT_EQ(find("./sub/../d.lsp"), path("support2/d.lsp")) << "the path comes back clean";
    EXPECT_EQ(find("f.lsp"), QStringLiteral("<not found>"));
    EXPECT_EQ(find(""), QStringLiteral("<not found>"));
}

TEST_F(FindFileOrder, AbsoluteNameIsOnlyLookedForWhereItPoints)
{
    place("support1/g.lsp");
    const QString absolute = path("support1/g.lsp");
    EXPECT_EQ(find(absolute.toUtf8().constData()), absolute);
    const QString elsewhere = path("current/g.lsp");
    EXPECT_EQ(find(elsewhere.toUtf8().constData()), QStringLiteral("<not found>"));
}

TEST_F(FindFileOrder, NoDocumentSkipsTheDrawingFolder)
{
    CTqSystemServicesImpl::Instance().SetCurrentDocument(nullptr);
    place("drawing/h.lsp");
    place("support2/h.lsp");
    EXPECT_EQ(find("h.lsp"), path("support2/h.lsp"));
}

TEST(CTqCIPUnknownCommandRecorderImpl, KeepsEachNameOnceInFirstSeenOrder)
{
    CTqCIPUnknownCommandRecorderImpl recorder;
    recorder.UnknownLISPFunction(CTqString("FOO"));
    recorder.UnknownLISPFunction(CTqString("bar"));
    recorder.UnknownLISPFunction(CTqString("foo"));
    recorder.UnknownLISPFunction(CTqString(""));
    EXPECT_EQ(recorder.Names(), (QStringList{QStringLiteral("FOO"), QStringLiteral("bar")}));
    EXPECT_EQ(GetUnknownCommandRecorder(), &CTqCIPUnknownCommandRecorderImpl::Instance());
}
