// The result-buffer conversions the drawing built-ins share, checked on values read by the
// engine: data lists both ways, the single-value record and the plain value conversion.
#include "host/TqResultBuffer.h"
#include "lisp/core/data_lists.h"
#include "lisp/core/engine.h"
#include "support/scripted_console.h"
#include "workbench/session.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Conversions : public testing::Test {
protected:
    void SetUp() override
    {
        WorkbenchOptions options;
        options.batch = true;
        options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
        options.currentFolder = m_scratch.path();
        m_session = std::make_unique<WorkbenchSession>(options, m_console);
        QString error;
        ASSERT_TRUE(m_session->Open(error)) << error.toStdString();
        m_engine = static_cast<CTqLISPImpl*>(m_session->Engine());
    }
    // The value of an expression, read and evaluated by the engine.
    LispNode* value(const char16_t* text)
    {
        NodeRef read(*m_engine);
        EXPECT_EQ(m_engine->ReadFromText(text, read.slot()), LispStatus::Ok);
        LispNode* out = nullptr;
        EXPECT_EQ(m_engine->Eval(read.get(), out), LispStatus::Ok);
        return out;
    }
    std::u16string print(const LispNode* node)
    {
        std::u16string text;
        EXPECT_EQ(m_engine->ToText(node, text), LispStatus::Ok);
        return text;
    }

    QTemporaryDir m_scratch;
    ScriptedConsole m_console;
    std::unique_ptr<WorkbenchSession> m_session;
    CTqLISPImpl* m_engine = nullptr;
};

TEST_F(Conversions, SingleValueRecordsByKind)
{
    struct Case {
        const char16_t* expression;
        LispStatus status;
        short type;
    };
    const Case cases[] = {
        {u"nil", LispStatus::Ok, tqrt::kNil},
        {u"'(1 2)", LispStatus::Ok, tqrt::kPoint3d},
        {u"'(1 2 3 4)", LispStatus::NoPointList, 0},
        {u"'(1 \"a\")", LispStatus::NoPointList, 0},
        {u"7", LispStatus::Ok, tqrt::kShort},
        {u"2.5", LispStatus::Ok, tqrt::kReal},
        {u"\"abc\"", LispStatus::Ok, tqrt::kString},
        {u"T", LispStatus::Ok, tqrt::kT},
        {u"'car", LispStatus::InvalidParameter, 0},
    };
    for (const Case& c : cases) {
        NodeRef node(*m_engine, value(c.expression));
        ChainBuilder chain(*m_engine->Services());
        EXPECT_EQ(ValueToSingleRecord(*m_engine, node.get(), chain), c.status) << QString::fromStdU16String(c.expression).toStdString();
        if (c.status == LispStatus::Ok) {
            ASSERT_NE(chain.Head(), nullptr);
            EXPECT_EQ(chain.Head()->restype, c.type);
            EXPECT_EQ(chain.Head()->next, nullptr);
        }
    }
    ChainBuilder chain(*m_engine->Services());
    EXPECT_EQ(ValueToSingleRecord(*m_engine, nullptr, chain), LispStatus::InvalidOperand);
    NodeRef point(*m_engine, value(u"'(1 2)"));
    ASSERT_EQ(ValueToSingleRecord(*m_engine, point.get(), chain), LispStatus::Ok);
    EXPECT_EQ(chain.Head()->value.point[2], 0.0);
}

TEST_F(Conversions, DataListsSurviveTheRoundTrip)
{
    NodeRef list(*m_engine, value(u"'((0 . \"LINE\") (10 1 2) (62 . 2.9) (40 . 3) (310 (1 2 255)) (-3 (\"APP\" (1000 . \"x\") (1070 . 4))))"));
    ChainBuilder chain(*m_engine->Services());
    ASSERT_EQ(DataListToChain(*m_engine, list.get(), chain), LispStatus::Ok);
    NodeRef back(*m_engine);
    ASSERT_EQ(ChainToDataList(*m_engine, chain.Head(), back.slot()), LispStatus::Ok);
    EXPECT_EQ(print(back.get()),
              u"((0 . \"LINE\") (10 1.0 2.0 0.0) (62 . 2) (40 . 3.0) (310 1 2 255) (-3 (\"APP\" (1000 . \"x\") (1070 . 4))))");
}

TEST_F(Conversions, RefusedValuesLeaveNoChainBehind)
{
    for (const char16_t* text : {u"'((62 . \"red\"))", u"'((310 (1 256)))", u"'((8 . 1))", u"'(5)", u"'((\"APP\" . 1))"}) {
        NodeRef list(*m_engine, value(text));
        ChainBuilder chain(*m_engine->Services());
        EXPECT_EQ(DataListToChain(*m_engine, list.get(), chain), LispStatus::InvalidParameter) << QString::fromStdU16String(text).toStdString();
    }
}

TEST_F(Conversions, PlainValuesNestListsAndDots)
{
    CTqLispServices& services = *m_engine->Services();
    ChainBuilder chain(services);
    for (short type : {tqrt::kListBegin, tqrt::kShort, tqrt::kDot, tqrt::kReal, tqrt::kListEnd, tqrt::kT})
        ASSERT_NE(chain.Add(type), nullptr);
    NodeRef values(*m_engine);
    ASSERT_EQ(ChainToValues(*m_engine, chain.Head(), values.slot()), LispStatus::Ok);
    EXPECT_EQ(print(values.get()), u"((0 . 0.0) T)");
    NodeRef nothing(*m_engine);
    ASSERT_EQ(ChainToValues(*m_engine, nullptr, nothing.slot()), LispStatus::Ok);
    EXPECT_EQ(nothing->type, NodeType::Nothing);
    // Records without a value and functions become nil; names become entity names.
    ChainBuilder mixed(services);
    ASSERT_NE(mixed.Add(tqrt::kNone), nullptr);
    ASSERT_NE(mixed.Add(tqrt::kFunction), nullptr);
    TqResultBuffer* name = mixed.Add(tqrt::kEntityName);
    ASSERT_NE(name, nullptr);
    name->value.name[1] = 0x2A;
    NodeRef converted(*m_engine);
    ASSERT_EQ(ChainToValues(*m_engine, mixed.Head(), converted.slot()), LispStatus::Ok);
    EXPECT_EQ(print(converted.get()), u"(nil nil <EName:  000000000000002a>)");
}

}  // namespace
