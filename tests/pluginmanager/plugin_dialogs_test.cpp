// The plugin manager's way to its dialogs: when they can be shown, the dialogs of a program that
// links them, and the reason when the library cannot be loaded.
#include "pluginmanager/plugin_dialogs.h"

#include <QWidget>

#include <gtest/gtest.h>

TEST(PluginDialogs, OffscreenTheyNeedTheHostsWindow)
{
    EXPECT_FALSE(plugin_dialogs::CanShow(nullptr)) << "nobody could close a dialog";
    QWidget window;
    EXPECT_TRUE(plugin_dialogs::CanShow(&window));
}

TEST(PluginDialogs, LinkedDialogsAreUsedWithoutLoadingTheLibrary)
{
    plugin_dialogs::Use(tqPluginDialogs());
    QString error;
    EXPECT_EQ(plugin_dialogs::Dialogs(error), tqPluginDialogs());
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    plugin_dialogs::Use(nullptr);
}

TEST(PluginDialogs, AMissingLibraryIsNamedInTheReason)
{
    plugin_dialogs::Use(nullptr);
    // Here the module's code is part of the test program, so the library is named after it.
    const QString library = plugin_dialogs::LibraryPath();
    EXPECT_TRUE(library.endsWith(QStringLiteral("/pluginmanager_tests_dialogs.so"))) << library.toStdString();
    QString error;
    EXPECT_EQ(plugin_dialogs::Dialogs(error), nullptr);
    EXPECT_TRUE(error.startsWith(QStringLiteral("The plugin manager's dialogs library could not be loaded: ")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(library)) << error.toStdString();
}
