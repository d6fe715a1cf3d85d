// The desktop library in a widget application: it registers itself, shows the menu manager's
// menus and toolbars in a main window, runs triggered entries, and makes the host's main window.
#include "host/framework/CTqConsole.h"
#include "host/framework/CTqDesktop.h"
#include "host/framework/CTqMainFrame.h"
#include "host/framework/CTqMenuManagerImpl.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

CTqUiEntry Entry(const char* id, const char* text, const char* command)
{
    CTqUiEntry entry;
    entry.id = CTqString(id);
    entry.text = CTqString(text);
    entry.command = CTqString(command);
    return entry;
}

QStringList MenuTitles(QMainWindow& window)
{
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    return titles;
}

QList<QToolBar*> Toolbars(QMainWindow& window)
{
    return window.findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly);
}

QMenu* SubMenu(QMenu* menu, const QString& title)
{
    for (QAction* action : menu->actions())
        if (action->menu() && action->text() == title)
            return action->menu();
    return nullptr;
}

}  // namespace

TEST(CTqWidgetDesktop, IsRegisteredInAWidgetApplication)
{
    ASSERT_NE(CTqDesktop::Current(), nullptr);
    EXPECT_FALSE(CTqDesktop::OnRealDisplay()) << "tests run offscreen";
    EXPECT_TRUE(CTqDesktop::LibraryPath().endsWith(QStringLiteral("/libtqdesktop.so")));
    QMainWindow window;
    QObject plain;
    EXPECT_EQ(CTqDesktop::Current()->WidgetOf(&window), &window);
    EXPECT_EQ(CTqDesktop::Current()->WidgetOf(&plain), nullptr);
}

TEST(CTqWidgetDesktop, MenusAndToolbarsFollowTheManager)
{
    CTqMenuManagerImpl menus;
    CTqUiMenu draw;
    draw.owner = CTqString("Draw");
    draw.name = CTqString("Draw");
    draw.base = CTqString("ID_MnTools");
    draw.entries = {Entry("D", "Draw Box", "^C^C_DRAWBOX")};
    menus.SetMenu(draw);
    CTqUiMenu own = draw;
    own.name = CTqString("Shapes");
    own.base = CTqString("ID_MnNone");
    own.enabled = false;
    menus.SetMenu(own);
    CTqUiToolbar bar;
    bar.owner = CTqString("Draw");
    bar.name = CTqString("Draw Bar");
    bar.entries = {Entry("D", "Draw Box", "^C^C_DRAWBOX")};
    menus.SetToolbar(bar);

    QMainWindow window;
    QStringList ran;
    menus.AttachWindow(&window, [&ran](const QString& line) { ran << line; });
    EXPECT_EQ(MenuTitles(window), (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&View"),
                                               QStringLiteral("&Tools"), QStringLiteral("&Help"), QStringLiteral("Shapes")}));
    QMenu* tools = window.menuBar()->actions()[3]->menu();
    ASSERT_NE(tools, nullptr);
    QMenu* drawMenu = SubMenu(tools, QStringLiteral("Draw"));
    ASSERT_NE(drawMenu, nullptr) << "a plugin menu extends the host menu it names";
    ASSERT_EQ(drawMenu->actions().size(), 1);
    drawMenu->actions()[0]->trigger();
    EXPECT_EQ(ran, QStringList{QStringLiteral("_DRAWBOX")}) << "the ^C prefixes are not typed";
    EXPECT_FALSE(window.menuBar()->actions()[5]->menu()->isEnabled());

    ASSERT_EQ(Toolbars(window).size(), 1);
    EXPECT_EQ(Toolbars(window)[0]->objectName(), QStringLiteral("Draw/Draw Bar"));
    menus.Refresh();
    menus.Refresh();
    EXPECT_EQ(Toolbars(window).size(), 1) << "a refresh replaces the toolbars it showed";
    auto* foreign = new QToolBar(QStringLiteral("Own"), &window);
    window.addToolBar(foreign);
    menus.RemoveOwner(CTqString("Draw"));
    menus.Refresh();
    EXPECT_EQ(Toolbars(window), QList<QToolBar*>{foreign}) << "toolbars of others stay";
    EXPECT_EQ(MenuTitles(window).size(), 5);

    menus.AttachWindow(nullptr, nullptr);
}

TEST(CTqWidgetDesktop, TheMainFrameRunsTypedLinesAndShowsOutput)
{
    std::unique_ptr<CTqMainFrame> frame = CTqDesktop::Current()->CreateMainFrame(QStringLiteral("Test Host"));
    ASSERT_NE(frame, nullptr);
    auto* window = qobject_cast<QMainWindow*>(frame->Window());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Test Host"));
    auto* commandLine = window->findChild<QLineEdit*>(QStringLiteral("commandLine"));
    auto* history = window->findChild<QPlainTextEdit*>();
    ASSERT_NE(commandLine, nullptr);
    ASSERT_NE(history, nullptr);

    QStringList ran;
    frame->SetCommandRunner([&](const QString& line) {
        ran << line;
        frame->Console().Write(QStringLiteral("done\n"));
    });
    commandLine->setText(QStringLiteral("LINE"));
    emit commandLine->returnPressed();
    EXPECT_EQ(ran, QStringList{QStringLiteral("LINE")});
    EXPECT_TRUE(commandLine->text().isEmpty());
    EXPECT_EQ(history->toPlainText(), QStringLiteral("Command: LINE\ndone\n"));

    frame->Show();
    EXPECT_TRUE(window->isVisible());
    frame->Close();
    EXPECT_FALSE(window->isVisible());
    QString line;
    EXPECT_FALSE(frame->Console().ReadLine(QStringLiteral("Point: "), line)) << "a closed window has no input";
}
