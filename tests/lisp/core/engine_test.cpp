// The engine through its host interface: life cycle, limits, breaks, output channels and
// allocation failures, driven the way the workbench drives it.
#include "host/CTqLISP.h"
#include "lisp/core/engine.h"
#include "support/scripted_console.h"
#include "workbench/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class EngineSession : public testing::Test {
protected:
    void Open(const QStringList& supportFolders = {})
    {
        WorkbenchOptions options;
        options.batch = true;
        options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
        options.supportFolders = supportFolders;
        options.currentFolder = m_scratch.path();
        m_session = std::make_unique<WorkbenchSession>(options, m_console);
        QString error;
        ASSERT_TRUE(m_session->Open(error)) << error.toStdString();
        m_engine = static_cast<CTqLISPImpl*>(m_session->Engine());
        ASSERT_NE(m_engine, nullptr);
    }
    QString Run(const QString& line)
    {
        m_console.Take();
        m_session->RunCommandLine(line);
        return m_console.Take();
    }
    bool NoLeaks() const { return m_engine->TotalNodes() - m_engine->FreeNodes() == m_engine->CountReachableNodes(); }

    QTemporaryDir m_scratch;
    ScriptedConsole m_console;
    std::unique_ptr<WorkbenchSession> m_session;
    CTqLISPImpl* m_engine = nullptr;
};

TEST_F(EngineSession, StartPrintsItsBannerAndASecondStartChangesNothing)
{
    Open();
    EXPECT_TRUE(m_console.output.startsWith(QStringLiteral("\nWorkTqLisp Start: "))) << m_console.output.toStdString();
    EXPECT_EQ(Run(QStringLiteral("(setq kept 'value)")), QStringLiteral("VALUE\n"));
    m_console.Take();
    m_engine->Start(m_engine->GetHostServices());
    EXPECT_TRUE(m_console.Take().startsWith(QStringLiteral("INIT can only be performed once.")));
    EXPECT_EQ(Run(QStringLiteral("!kept")), QStringLiteral("VALUE\n"));
}

TEST_F(EngineSession, AClosedEngineRefusesCommandLinesAndHasAnEmptyHeap)
{
    Open();
    ASSERT_EQ(m_engine->Close(), 0);
    EXPECT_EQ(m_engine->TotalNodes(), 0u);
    EXPECT_EQ(m_engine->FreeNodes(), 0u);
    EXPECT_EQ(Run(QStringLiteral("(quote x)")), QStringLiteral("INIT has not been performed yet.\n"));
    m_console.Take();
    m_engine->Close();
    EXPECT_EQ(m_console.Take(), QStringLiteral("INIT has not been performed yet."));
}

TEST_F(EngineSession, StartupFileRunsAndItsStartupFunctionIsCalled)
{
    QTemporaryDir support;
    QFile start(QDir(support.path()).filePath(QStringLiteral("start.lsp")));
    ASSERT_TRUE(start.open(QIODevice::WriteOnly));
    start.write("(setq from-start 'loaded)\n(defun s::startup () (princ \"startup ran\") (princ))\n");
    start.close();
    Open({support.path()});
    EXPECT_TRUE(m_console.output.contains(QStringLiteral("startup ran"))) << m_console.output.toStdString();
    EXPECT_EQ(Run(QStringLiteral("!from-start")), QStringLiteral("LOADED\n"));
}

TEST_F(EngineSession, LoadReportsTheLineAndPositionOfAFailure)
{
    QTemporaryDir support;
    QFile file(QDir(support.path()).filePath(QStringLiteral("broken.lsp")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("(setq first-line 1)\n\n  (setq 1 2)\n(setq never 3)\n");
    file.close();
    Open({support.path()});
    EXPECT_EQ(Run(QStringLiteral("(load \"broken\")")),
              QStringLiteral("\n Error loading file. Line: 3, Position: 12.\n Error: Invalid parameter.\n"));
    EXPECT_EQ(Run(QStringLiteral("!first-line")), QStringLiteral("1\n"));
    EXPECT_EQ(Run(QStringLiteral("!never")), QStringLiteral("nil\n"));
}

TEST_F(EngineSession, UserFunctionsPrintWithTheirNameAndAddress)
{
    Open();
    Run(QStringLiteral("(defun my-fn (x) x)"));
    const QString printed = Run(QStringLiteral("!my-fn"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^<Sub:  #[0-9a-f]{8}:[0-9a-f]{8} MY-FN>\n$")).match(printed).hasMatch()) << printed.toStdString();
    const QString builtin = Run(QStringLiteral("!quote"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^<Sub:  #[0-9a-f]{8}:[0-9a-f]{8}>\n$")).match(builtin).hasMatch()) << builtin.toStdString();
}

TEST_F(EngineSession, OverlongInputIsRefused)
{
    Open();
    const QString longLine = QStringLiteral("(quote ") + QString(70000, QLatin1Char('a')) + QStringLiteral(")");
    EXPECT_EQ(Run(longLine), QStringLiteral("\n Error: Input line too long.\n"));
    const QString longString = QStringLiteral("(quote \"") + QString(64000, QLatin1Char('b')) + QStringLiteral("\")");
    EXPECT_EQ(Run(longString), QStringLiteral("\n Error: Operand too long.\n"));
    const QString longSymbol = QStringLiteral("(quote ") + QString(64000, QLatin1Char('c')) + QStringLiteral(")");
    EXPECT_EQ(Run(longSymbol), QStringLiteral("\n Error: Operand too long.\n"));
    const QString longestSymbol = QStringLiteral("(strlen (vl-symbol-name (quote ") + QString(63999, QLatin1Char('d')) + QStringLiteral(")))");
    EXPECT_EQ(Run(longestSymbol), QStringLiteral("63999\n"));
    // A break character inside an atom stops the read at once.
    EXPECT_EQ(Run(QStringLiteral("(read (strcat \"ab\" (chr 27) \"cd\"))")), QStringLiteral("\n User break.\n"));
    EXPECT_EQ(Run(QStringLiteral("(quote fine)")), QStringLiteral("FINE\n"));
    EXPECT_TRUE(NoLeaks());
}

TEST_F(EngineSession, UserFunctionsRecurseTenThousandLevelsDeep)
{
    Open();
    // foreach hands each nested list to the next level: one user call per level of nesting.
    Run(QStringLiteral("(defun dive (x) (foreach inner x (dive inner)) 'bottom)"));
    const int levels = 10000;
    const QString nested = QString(levels, QLatin1Char('(')) + QString(levels, QLatin1Char(')'));
    EXPECT_EQ(Run(QStringLiteral("(dive '") + nested + QStringLiteral(")")), QStringLiteral("BOTTOM\n"));
    EXPECT_TRUE(NoLeaks());
}

TEST_F(EngineSession, EndlessRecursionFailsCleanlyAndTheEngineStaysUsable)
{
    Open();
    Run(QStringLiteral("(defun endless () (endless))"));
    EXPECT_EQ(Run(QStringLiteral("(endless)")), QStringLiteral("\n Error: No more HEAP.\n"));
    EXPECT_TRUE(NoLeaks());
    // At the deepest level the error is caught and a test nested two hundred thousand times deep is
    // tried: the tests of its nots must stop at the guard as calls do.
    Run(QStringLiteral("(progn (setq f 't) (repeat 200000 (setq f (list 'not f))) (setq f (list 'if f 1 2)) 'built)"));
    Run(QStringLiteral("(setq hits 0)"));
    Run(QStringLiteral("(defun deep (n) (vl-catch-all-apply 'deep (list (1+ n))) (setq hits (1+ hits)) (if (= hits 1) (eval f)) n)"));
    EXPECT_EQ(Run(QStringLiteral("(deep 0)")), QStringLiteral("0\n"));
    EXPECT_TRUE(NoLeaks());
    // Each level also passes through arithmetic that hands its operands over as numbers.
    Run(QStringLiteral("(defun endless-sum (k) (+ 1 (* 2 (endless-sum k))))"));
    EXPECT_EQ(Run(QStringLiteral("(endless-sum 1)")), QStringLiteral("\n Error: No more HEAP.\n"));
    EXPECT_TRUE(NoLeaks());
    const QString deep = QString(200000, QLatin1Char('(')) ;
    EXPECT_FALSE(Run(QStringLiteral("(quote ") + deep.left(60000) + QStringLiteral(")")).isEmpty());
    EXPECT_EQ(Run(QStringLiteral("(quote alive)")), QStringLiteral("ALIVE\n"));
    EXPECT_TRUE(NoLeaks());
}

TEST_F(EngineSession, AUserBreakStopsALoop)
{
    Open();
    m_console.RequestBreak();
    EXPECT_EQ(Run(QStringLiteral("(while t)")), QStringLiteral("\n User break.\n"));
    EXPECT_EQ(Run(QStringLiteral("(quote after)")), QStringLiteral("AFTER\n"));
}

TEST_F(EngineSession, AUserBreakStopsThePrintOfAStructureWhosePrintedFormIsHuge)
{
    Open();
    // Twelve levels of three shared copies: a few dozen cells, millions of atoms in print.
    Run(QStringLiteral("(progn (setq l (list 1 2 3)) (repeat 12 (setq l (list l l l))) 'built)"));
    const QString path = m_scratch.filePath(QStringLiteral("huge.txt"));
    m_console.RequestBreak();
    EXPECT_EQ(Run(QStringLiteral("(progn (setq f (open \"%1\" \"w\")) (print l f) 'printed)").arg(path)),
              QStringLiteral("\n User break.\n"));
    Run(QStringLiteral("(close f)"));
    // The print stopped at the break instead of writing its five million units first.
    EXPECT_LT(QFileInfo(path).size(), 1 << 20);
    m_console.RequestBreak();
    EXPECT_EQ(Run(QStringLiteral("!l")), QStringLiteral("\n User break.\n"));
    EXPECT_EQ(Run(QStringLiteral("(length l)")), QStringLiteral("3\n"));
    EXPECT_TRUE(NoLeaks());
}

TEST_F(EngineSession, ChannelOneMarksOrdinaryAndDiagnosticText)
{
    Open();
    // Ordinary text is opened by "<<<", diagnostic text by ">>>"; the echo of settrace is the
    // first ordinary text on channel 1.
    EXPECT_EQ(Run(QStringLiteral("(settrace 1)")), QStringLiteral("<<<0\n"));
    const QString shown = Run(QStringLiteral("(setq 1 2)"));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("\nWorkTqLisp Start: >>>\nError! WorkTqLisp: iStatus: -17"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("<<<\n >>>"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("<<<Error: Invalid parameter."))) << shown.toStdString();
}

TEST_F(EngineSession, EveryAllocationFailureEndsInAnErrorWithoutLeaks)
{
    Open();
    Run(QStringLiteral("(defun twice (x) (list x x))"));
    const QStringList lines = {
        QStringLiteral("(setq a '(1 (2 \"three\") 4.5))"),
        QStringLiteral("(mapcar 'twice '(a b c))"),
        QStringLiteral("(vl-catch-all-apply 'undefined-function '(1))"),
    };
    for (const QString& line : lines) {
        for (int n = 0; n < 200; ++n) {
            m_engine->FailAllocationAfter(n);
            const QString shown = Run(line);
            m_engine->FailAllocationAfter(-1);
            ASSERT_TRUE(NoLeaks()) << line.toStdString() << " failing allocation " << n;
            ASSERT_TRUE(m_engine->CheckHeap());
            if (!shown.contains(QStringLiteral("Error: No more HEAP.")))
                break;  // the line ran to the end: every earlier allocation point failed cleanly
        }
    }
}

}  // namespace

namespace {

class RecordingHolder final : public CTqResultHolder {
public:
    bool active = true;
    QString text;
    short status = 0;
    bool IsActive() const override { return active; }
    void SetResultText(const CTqString& shown) override { text = shown.toQString(); }
    void SetStatus(short value) override { status = value; }
    bool IsEmpty() const override { return text.isEmpty() && status == 0; }
};

TEST_F(EngineSession, EvaluateToResultDeliversTheLastValueOrTheFailure)
{
    Open();
    RecordingHolder holder;
    m_engine->EvaluateToResult(CTqString("(quote (a \"b\" (1 2)))"), &holder, true);
    EXPECT_EQ(holder.text, QStringLiteral("(A b (1 2))"));
    EXPECT_EQ(holder.status, 0);

    RecordingHolder failed;
    m_engine->EvaluateToResult(CTqString("(undefined-function)"), &failed, true);
    EXPECT_EQ(failed.status, tq::kError);

    RecordingHolder nothing;
    m_engine->EvaluateToResult(CTqString("(quote x)"), &nothing, false);
    EXPECT_EQ(nothing.status, tq::kNone);
    EXPECT_TRUE(NoLeaks());
}

TEST_F(EngineSession, TheDialogStackHoldsNodesUntilCleared)
{
    Open();
    const std::uint32_t freeBefore = m_engine->FreeNodes();
    EXPECT_NE(m_engine->PushDialog(7), nullptr);
    EXPECT_NE(m_engine->PushDialog(8), nullptr);
    EXPECT_EQ(m_engine->FreeNodes(), freeBefore - 2);
    EXPECT_TRUE(NoLeaks());
    m_engine->PopDialog();
    m_engine->ClearDialogs();
    EXPECT_EQ(m_engine->FreeNodes(), freeBefore);
}

}  // namespace
