// Arithmetic built-ins where a transcript cannot pin the behaviour down: the memory report (its
// counters change with everything the engine holds), the symbol-index rebuild, the allocations
// of a sum, and structural equality on nesting far deeper than the native stack allows for
// recursion.
#include "host/framework/CTqConsole.h"
#include "lisp/core/engine.h"
#include "workbench/session.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

LispStatus f_add(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_equal(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
LispStatus f_gc(LispNode*& out, LispNode* args, CTqLISPImpl& engine);

namespace {

class CapturingConsole final : public CTqConsole {
public:
    QString output;

    void Write(const QString& text) override { output += text; }
    bool ReadLine(const QString&, QString&) override { return false; }
    bool ReadKey(int& key) override
    {
        key = 0;
        return false;
    }
    void EndLine() override
    {
        if (!output.isEmpty() && !output.endsWith(QLatin1Char('\n')))
            output += QLatin1Char('\n');
    }
};

TEST(Arithmetic, MemReportsTheHeapCounters)
{
    QTemporaryDir scratch;
    CapturingConsole console;
    WorkbenchOptions options;
    options.batch = true;
    options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
    options.currentFolder = scratch.path();
    WorkbenchSession session(options, console);
    QString error;
    ASSERT_TRUE(session.Open(error)) << error.toStdString();
    auto* engine = static_cast<CTqLISPImpl*>(session.Engine());
    ASSERT_NE(engine, nullptr);

    console.output.clear();
    session.RunCommandLine(QStringLiteral("(mem)"));
    const QRegularExpression report(QStringLiteral("^\\n*iStatus: 0\\niFreeNodes: (\\d+)\\niParseLevel: 0\\niNodes: (\\d+)\\n"
                                                   "iSegments: (\\d+)\\niAllocate: 0\\nnil\\n*$"));
    const QRegularExpressionMatch match = report.match(console.output);
    ASSERT_TRUE(match.hasMatch()) << console.output.toStdString();
    const long freeNodes = match.captured(1).toLong();
    const long nodes = match.captured(2).toLong();
    const long segments = match.captured(3).toLong();
    EXPECT_GT(segments, 0);
    EXPECT_EQ(nodes, 514 * segments);
    EXPECT_EQ(nodes, long(engine->TotalNodes()));
    EXPECT_LT(freeNodes, nodes);
    session.Close();
}

TEST(Arithmetic, GcResetsTheLookupDepth)
{
    CTqLISPImpl engine;
    LispNode* symbol = nullptr;
    // Names interned in descending order each land at the chain's head; a name after all of
    // them then walks the whole chain to its place.
    for (int i = 40; i >= 0; --i) {
        const std::u16string name = u"S" + QString::number(i).rightJustified(2, QLatin1Char('0')).toStdU16String();
        ASSERT_EQ(engine.Intern(name, symbol), LispStatus::Ok);
    }
    ASSERT_EQ(engine.Intern(u"S99", symbol), LispStatus::Ok);
    ASSERT_GT(engine.DeepestLookup(), 20);
    NodeRef result(engine);
    ASSERT_EQ(f_gc(result.slot(), nullptr, engine), LispStatus::Ok);
    EXPECT_TRUE(IsNil(result.get()));
    EXPECT_EQ(engine.DeepestLookup(), 0);
}

TEST(Arithmetic, ASumAllocatesOnlyItsResult)
{
    CTqLISPImpl engine;
    NodeRef args(engine);
    ASSERT_EQ(engine.MakeInteger(41, args.slot()), LispStatus::Ok);
    ASSERT_EQ(engine.MakeInteger(1, args->next), LispStatus::Ok);
    NodeRef result(engine);
    engine.FailAllocationAfter(1);
    ASSERT_EQ(f_add(result.slot(), args.get(), engine), LispStatus::Ok);
    ASSERT_TRUE(IsInteger(result.get()));
    EXPECT_EQ(result->payload.integer, 42);
    // Without room for the result the heap's status comes back unchanged.
    engine.FailAllocationAfter(0);
    EXPECT_EQ(f_add(result.slot(), args.get(), engine), LispStatus::NoMoreHeap);
    engine.FailAllocationAfter(-1);
}

// A list nested `depth` times around the integer `innermost`: ((((innermost)))).
LispNode* Nested(CTqLISPImpl& engine, int depth, std::int32_t innermost)
{
    LispNode* inner = nullptr;
    if (engine.MakeInteger(innermost, inner) != LispStatus::Ok)
        return nullptr;
    for (int level = 0; level < depth; ++level) {
        LispNode* list = nullptr;
        if (engine.MakeEmptyList(list) != LispStatus::Ok) {
            engine.Release(inner);
            return nullptr;
        }
        list->first = inner;
        inner = list;
    }
    return inner;
}

TEST(Arithmetic, EqualOnDeepNestingNeedsNoNativeStack)
{
    constexpr int kDepth = 300000;
    CTqLISPImpl engine;
    NodeRef left(engine, Nested(engine, kDepth, 7));
    NodeRef same(engine, Nested(engine, kDepth, 7));
    NodeRef other(engine, Nested(engine, kDepth, 8));
    ASSERT_TRUE(left && same && other);

    left->next = same.get();
    NodeRef result(engine);
    ASSERT_EQ(f_equal(result.slot(), left.get(), engine), LispStatus::Ok);
    EXPECT_TRUE(IsT(result.get()));

    left->next = other.get();
    ASSERT_EQ(f_equal(result.slot(), left.get(), engine), LispStatus::Ok);
    EXPECT_TRUE(IsNil(result.get()));
    left->next = nullptr;
}

}  // namespace
