// Message boxes without a display: the message on the console, and Yes or No for a question.
#include "host/framework/CTqMessageBox.h"
#include "host/framework/scripted_host_console.h"

#include <gtest/gtest.h>

TEST(CTqMessageBox, TestsRunWithoutADisplay)
{
    EXPECT_FALSE(CTqMessageBox::HasDisplay());
}

TEST(CTqMessageBox, AMessageIsPrintedWithItsTitleAndAsksNothing)
{
    ScriptedHostConsole console({QStringLiteral("y")});
    EXPECT_FALSE(CTqMessageBox::Show(console, QStringLiteral("Saved."), QStringLiteral("Alert"), CTqMessageBox::Icon::Information));
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("[Alert] Saved.\n"));
    EXPECT_EQ(console.RemainingLines(), QStringList{QStringLiteral("y")});
}

TEST(CTqMessageBox, AQuestionIsAskedUntilYesOrNo)
{
    ScriptedHostConsole console({QStringLiteral("maybe"), QStringLiteral(" YES ")});
    EXPECT_TRUE(CTqMessageBox::Show(console, QStringLiteral("Go on?"), QStringLiteral("Run"), CTqMessageBox::Icon::Question));
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("[Run] Go on?\nYes or No? <No>: maybe\nYes or No? <No>:  YES \n"));

    ScriptedHostConsole shortAnswers({QStringLiteral("n"), QStringLiteral("Y")});
    EXPECT_FALSE(CTqMessageBox::Show(shortAnswers, QStringLiteral("a"), QStringLiteral("t"), CTqMessageBox::Icon::Question));
    EXPECT_TRUE(CTqMessageBox::Show(shortAnswers, QStringLiteral("b"), QStringLiteral("t"), CTqMessageBox::Icon::Question));
}

TEST(CTqMessageBox, AnEmptyAnswerOrTheEndOfInputIsNo)
{
    ScriptedHostConsole console({QString()});
    EXPECT_FALSE(CTqMessageBox::Show(console, QStringLiteral("q"), QStringLiteral("t"), CTqMessageBox::Icon::Question));
    EXPECT_FALSE(CTqMessageBox::Show(console, QStringLiteral("q"), QStringLiteral("t"), CTqMessageBox::Icon::Question));
}
