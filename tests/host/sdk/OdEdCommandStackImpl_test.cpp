// The command stack: name matching, groups and the references it holds.
#include "host/sdk/OdEdCommandStackImpl.h"
#include "test_command.h"

#include <gtest/gtest.h>

TEST(OdEdCommandStackImpl, LookupIgnoresCaseAndLeadingUnderscoreOrDot)
{
    OdEdCommandStackImpl stack;
    TestCommand command(QStringLiteral("G"), QStringLiteral("_ZOOMX"), QStringLiteral("LOUPE"));
    stack.addCommand(&command);

    for (const char* name : {"ZOOMX", "zoomx", "_ZoomX", ".zoomx", "._zoomx", "LOUPE", "loupe", "_loupe", ".Loupe"})
        EXPECT_EQ(stack.lookupCmd(CTqString(name)), &command) << name;
    for (const char* name : {"ZOOM", "ZOOMXX", "_", ".", "", "X_ZOOMX"})
        EXPECT_EQ(stack.lookupCmd(CTqString(name)), nullptr) << name;
    stack.removeGroup(CTqString("G"));
}

TEST(OdEdCommandStackImpl, HoldsOneReferencePerRegisteredCommand)
{
    TestCommand command(QStringLiteral("G"), QStringLiteral("ONE"), QStringLiteral("ONE"));
    {
        OdEdCommandStackImpl stack;
        stack.addCommand(&command);
        EXPECT_EQ(command.references, 1);
        stack.addCommand(&command);
        EXPECT_EQ(command.references, 1) << "adding a registered command again takes no second reference";

        EXPECT_TRUE(stack.removeCmd(CTqString("one")));
        EXPECT_EQ(command.references, 0);
        EXPECT_FALSE(stack.removeCmd(CTqString("one")));
        EXPECT_EQ(command.references, 0);

        stack.addCommand(&command);
        EXPECT_EQ(command.references, 1);
    }
    EXPECT_EQ(command.references, 0) << "the stack releases what is left when it goes";
}

TEST(OdEdCommandStackImpl, SameGlobalNameInOneGroupReplacesTheOldCommand)
{
    OdEdCommandStackImpl stack;
    TestCommand first(QStringLiteral("G"), QStringLiteral("DRAW"), QStringLiteral("DRAW"));
    TestCommand second(QStringLiteral("g"), QStringLiteral("_draw"), QStringLiteral("SKETCH"));
    stack.addCommand(&first);
    stack.addCommand(&second);

    EXPECT_EQ(first.references, 0);
    EXPECT_EQ(second.references, 1);
    EXPECT_EQ(stack.lookupCmd(CTqString("DRAW")), &second);
    EXPECT_EQ(stack.commandNames(), QStringList{QStringLiteral("_draw")});
    stack.removeGroup(CTqString("G"));
}

TEST(OdEdCommandStackImpl, LaterGroupShadowsEarlierAndRemovalByGroupIsLimitedToIt)
{
    OdEdCommandStackImpl stack;
    TestCommand early(QStringLiteral("EARLY"), QStringLiteral("PLOT"), QStringLiteral("PLOT"));
    TestCommand late(QStringLiteral("LATE"), QStringLiteral("PLOT"), QStringLiteral("PLOT"));
    stack.addCommand(&early);
    stack.addCommand(&late);
    EXPECT_EQ(stack.lookupCmd(CTqString("plot")), &late);

    EXPECT_FALSE(stack.removeCmd(CTqString("NOSUCHGROUP"), CTqString("PLOT")));
    EXPECT_TRUE(stack.removeCmd(CTqString("late"), CTqString("plot")));
    EXPECT_EQ(late.references, 0);
    EXPECT_EQ(early.references, 1);
    EXPECT_EQ(stack.lookupCmd(CTqString("PLOT")), &early);

    stack.removeGroup(CTqString("early"));
    EXPECT_EQ(early.references, 0);
    EXPECT_EQ(stack.lookupCmd(CTqString("PLOT")), nullptr);
    EXPECT_TRUE(stack.commandNames().isEmpty());
}

TEST(OdEdCommandStackImpl, RemoveByNameReachesEveryGroupIncludingTheUnnamedOne)
{
    OdEdCommandStackImpl stack;
    TestCommand unnamedGroup(QString(), QStringLiteral("HELLO"), QStringLiteral("HELLO"));
    TestCommand named(QStringLiteral("G"), QStringLiteral("HELLO"), QStringLiteral("HELLO"));
    TestCommand other(QStringLiteral("G"), QStringLiteral("BYE"), QStringLiteral("BYE"));
    stack.addCommand(&unnamedGroup);
    stack.addCommand(&named);
    stack.addCommand(&other);

    EXPECT_TRUE(stack.removeCmd(CTqString("_HELLO")));
    EXPECT_EQ(unnamedGroup.references, 0);
    EXPECT_EQ(named.references, 0);
    EXPECT_EQ(other.references, 1);
    EXPECT_EQ(stack.commandNames(), QStringList{QStringLiteral("BYE")});
    stack.removeGroup(CTqString("G"));
}

TEST(OdEdCommandStackImpl, ProcessWideStackIsOneObject)
{
    EXPECT_NE(odedRegCmds(), nullptr);
    EXPECT_EQ(odedRegCmds(), odedRegCmds());
}
