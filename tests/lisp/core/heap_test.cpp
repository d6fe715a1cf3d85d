// The node heap and the symbol table, driven directly.
#include "lisp/core/engine.h"

#include <gtest/gtest.h>

namespace {

TEST(Heap, GrowsBySegmentsOf514Cells)
{
    CTqLISPImpl engine;
    LispNode* first = nullptr;
    ASSERT_EQ(engine.AllocNodes(514, first), LispStatus::Ok);
    EXPECT_EQ(engine.TotalNodes(), 514u);
    EXPECT_EQ(engine.FreeNodes(), 0u);
    LispNode* extra = nullptr;
    ASSERT_EQ(engine.AllocNodes(1, extra), LispStatus::Ok);
    EXPECT_EQ(engine.TotalNodes(), 1028u);
    EXPECT_EQ(engine.FreeNodes(), 513u);
    EXPECT_EQ(engine.Segments(), 2);
    // Cells come out chained in free-list order, the last one ending the chain.
    int count = 0;
    for (LispNode* cell = first; cell; cell = cell->next)
        ++count;
    EXPECT_EQ(count, 514);
    for (LispNode* cell = first; cell; cell = cell->next)
        cell->type = NodeType::Integer;
    extra->type = NodeType::Integer;
    engine.Release(first);
    engine.Release(extra);
    EXPECT_EQ(engine.FreeNodes(), 1028u);
    EXPECT_TRUE(engine.CheckHeap());
}

TEST(Heap, ShortStringsLiveInTheCell)
{
    CTqLISPImpl engine;
    NodeRef six(engine), seven(engine);
    ASSERT_EQ(engine.MakeString(u"abcdef", six.slot()), LispStatus::Ok);
    ASSERT_EQ(engine.MakeString(u"abcdefg", seven.slot()), LispStatus::Ok);
    EXPECT_EQ(six->type, NodeType::ShortString);
    EXPECT_EQ(seven->type, NodeType::String);
    EXPECT_EQ(StringText(six.get()), u"abcdef");
    EXPECT_EQ(StringText(seven.get()), u"abcdefg");
    // Reassigning keeps the literal flag but follows the new length.
    seven->flags |= NodeFlag::Literal;
    ASSERT_EQ(engine.AssignString(seven.get(), u"ab"), LispStatus::Ok);
    EXPECT_EQ(seven->type, NodeType::ShortString);
    EXPECT_TRUE(seven->flags & NodeFlag::Literal);
}

TEST(Heap, ACopiedListSurvivesItsSource)
{
    CTqLISPImpl engine;
    std::int32_t values[] = {1, 2, 3};
    LispNode* source = nullptr;
    ASSERT_EQ(engine.MakeIntegerList(values, source), LispStatus::Ok);
    LispNode* copy = nullptr;
    ASSERT_EQ(engine.CopyNode(source, copy), LispStatus::Ok);
    EXPECT_EQ(copy->first, source->first);  // shared element chain
    engine.Release(source);
    ASSERT_EQ(copy->first->refs, 1u);
    EXPECT_EQ(copy->first->payload.integer, 1);
    EXPECT_EQ(copy->first->next->next->payload.integer, 3);
    const std::uint32_t freeBefore = engine.FreeNodes();
    engine.Release(copy);
    EXPECT_EQ(engine.FreeNodes(), freeBefore + 4);
    EXPECT_TRUE(engine.CheckHeap());
}

TEST(Heap, ASharedTailOutlivesTheListItCameFrom)
{
    CTqLISPImpl engine;
    std::int32_t values[] = {1, 2, 3};
    LispNode* list = nullptr;
    ASSERT_EQ(engine.MakeIntegerList(values, list), LispStatus::Ok);
    LispNode* tail = nullptr;
    ASSERT_EQ(engine.MakeEmptyList(tail), LispStatus::Ok);
    tail->first = list->first->next;
    ++tail->first->refs;
    engine.Release(list);
    EXPECT_EQ(tail->first->payload.integer, 2);
    EXPECT_EQ(tail->first->next->payload.integer, 3);
    engine.Release(tail);
    EXPECT_EQ(engine.FreeNodes(), engine.TotalNodes());
}

TEST(Heap, DeeplyNestedListsReleaseWithoutRecursion)
{
    CTqLISPImpl engine;
    LispNode* outer = nullptr;
    ASSERT_EQ(engine.MakeInteger(0, outer), LispStatus::Ok);
    for (int depth = 0; depth < 1000000; ++depth) {
        LispNode* wrapper = nullptr;
        ASSERT_EQ(engine.MakeEmptyList(wrapper), LispStatus::Ok);
        wrapper->first = outer;
        outer = wrapper;
    }
    engine.Release(outer);
    EXPECT_EQ(engine.FreeNodes(), engine.TotalNodes());
}

TEST(Heap, InjectedAllocationFailureIsReportedAndLeavesTheHeapConsistent)
{
    CTqLISPImpl engine;
    engine.FailAllocationAfter(2);
    std::int32_t values[] = {1, 2, 3, 4};
    LispNode* list = nullptr;
    EXPECT_EQ(engine.MakeIntegerList(values, list), LispStatus::NoMoreHeap);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(engine.FreeNodes(), engine.TotalNodes());
    EXPECT_TRUE(engine.CheckHeap());
}

TEST(Symbols, InterningIsExactAndStable)
{
    CTqLISPImpl engine;
    LispNode* first = nullptr;
    LispNode* again = nullptr;
    LispNode* lower = nullptr;
    ASSERT_EQ(engine.Intern(u"ABC", first), LispStatus::Ok);
    ASSERT_EQ(engine.Intern(u"ABC", again), LispStatus::Ok);
    ASSERT_EQ(engine.Intern(u"abc", lower), LispStatus::Ok);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, lower);
    EXPECT_EQ(engine.FindSymbol(u"ABC"), first);
    EXPECT_EQ(engine.FindSymbol(u"ABD"), nullptr);
}

TEST(Symbols, TheChainStaysSortedAndTheIndexShortensWalks)
{
    CTqLISPImpl engine;
    for (int i = 999; i >= 0; --i) {
        LispNode* symbol = nullptr;
        const std::u16string name = u"S" + QString::number(i).rightJustified(4, QLatin1Char('0')).toStdU16String();
        ASSERT_EQ(engine.Intern(name, symbol), LispStatus::Ok);
        LispNode* value = nullptr;
        ASSERT_EQ(engine.MakeInteger(i, value), LispStatus::Ok);
        engine.SetSymbolValue(symbol, value);
    }
    std::u16string previous;
    int count = 0;
    for (const LispNode* symbol = engine.FirstSymbol(); symbol; symbol = symbol->next, ++count) {
        EXPECT_LT(previous, SymbolName(symbol));
        previous = std::u16string(SymbolName(symbol));
    }
    EXPECT_EQ(count, 1000);
    // A new name near the end walks the chain to its place; after a rebuild, the index keeps
    // such walks short. Existing names are found without a walk.
    LispNode* probe = nullptr;
    ASSERT_EQ(engine.Intern(u"S0998A", probe), LispStatus::Ok);
    EXPECT_GT(engine.DeepestLookup(), 20);
    ASSERT_EQ(engine.RebuildSymbolIndex(), LispStatus::Ok);
    EXPECT_EQ(engine.DeepestLookup(), 0);
    ASSERT_EQ(engine.Intern(u"S0997A", probe), LispStatus::Ok);
    EXPECT_LE(engine.DeepestLookup(), 20);
    ASSERT_EQ(engine.Intern(u"S0998", probe), LispStatus::Ok);
    EXPECT_EQ(SymbolValue(probe)->payload.integer, 998);
    EXPECT_EQ(engine.FindSymbol(u"S0998"), probe);
    EXPECT_EQ(engine.FindSymbol(u"S0998B"), nullptr);
    LispNode* inserted = nullptr;
    ASSERT_EQ(engine.Intern(u"S0500A", inserted), LispStatus::Ok);
    EXPECT_EQ(engine.FindSymbol(u"S0500")->next, inserted);
}

}  // namespace

namespace {

TEST(ListBuilder, BuildsListsAndEmptyOnesAsNil)
{
    CTqLISPImpl engine;
    LispNode* value = nullptr;
    ASSERT_EQ(engine.MakeInteger(7, value), LispStatus::Ok);
    ListBuilder builder(engine);
    ASSERT_EQ(builder.AppendCopy(value), LispStatus::Ok);
    ASSERT_EQ(builder.AppendCopy(value), LispStatus::Ok);
    LispNode* list = nullptr;
    ASSERT_EQ(builder.Finish(list), LispStatus::Ok);
    EXPECT_EQ(ListLength(list), 2u);
    EXPECT_EQ(list->first->next->payload.integer, 7);

    ListBuilder empty(engine);
    LispNode* nothing = nullptr;
    ASSERT_EQ(empty.Finish(nothing), LispStatus::Ok);
    EXPECT_TRUE(IsNil(nothing));
    engine.Release(list);
    engine.Release(nothing);
    engine.Release(value);
    EXPECT_EQ(engine.FreeNodes(), engine.TotalNodes());
}

}  // namespace
