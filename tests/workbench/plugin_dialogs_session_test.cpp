// The plugin manager's dialogs in a workbench session with a window: PLUGINS loads the dialogs
// library from beside the module only when it shows the dialog, and without that library the
// user gets the plugin report and the reason instead.
#include "workbench/session.h"

#include "host/framework/CTqSystemServicesImpl.h"
#include "host/framework/scripted_host_console.h"

#include "support/modal_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

const QString kDialogsLibrary = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14_dialogs.so");

bool IsLoaded(const QString& library)
{
    void* handle = dlopen(QFile::encodeName(library).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return false;
    dlclose(handle);
    return true;
}

class PluginDialogsSession : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (session)
            session->Close();
        CTqSystemServicesImpl::Instance().SetMainWindow(nullptr);
    }
    bool open(const QString& moduleFile = QString())
    {
        WorkbenchOptions options;
        options.batch = true;
        if (!moduleFile.isEmpty())
            options.moduleFile = moduleFile;
        options.applicationFolder = scratch.filePath(QStringLiteral("bin"));
        options.settingsFolder = scratch.filePath(QStringLiteral("settings"));
        session = std::make_unique<WorkbenchSession>(std::move(options), console);
        QString error;
        const bool opened = session->Open(error);
        EXPECT_TRUE(opened) << error.toStdString();
        console.TakeOutput();
        CTqSystemServicesImpl::Instance().SetMainWindow(&window);
        return opened;
    }

    QTemporaryDir scratch;
    QWidget window;
    ScriptedHostConsole console;
    std::unique_ptr<WorkbenchSession> session;
};

}  // namespace

TEST_F(PluginDialogsSession, PluginsLoadsTheDialogsLibraryWhenItShowsTheDialog)
{
    ASSERT_TRUE(QFile::exists(kDialogsLibrary));
    ASSERT_TRUE(open());
    EXPECT_FALSE(IsLoaded(kDialogsLibrary)) << "opening a session shows no dialog";

    SeenDialog seen;
    CloseModalDialogSoon(seen);
    session->RunCommandLine(QStringLiteral("PLUGINS"));
    EXPECT_EQ(seen.title, QStringLiteral("Plugin Manager"));
    EXPECT_EQ(seen.parent, &window);
    EXPECT_TRUE(IsLoaded(kDialogsLibrary));
    EXPECT_FALSE(console.TakeOutput().contains(QStringLiteral("could not be loaded")));

    session->Close();
    session.reset();
#ifndef KELTORA_SANITIZE
    // Sanitizer builds keep every library mapped.
    EXPECT_FALSE(IsLoaded(kDialogsLibrary)) << "the module releases its dialogs before it goes";
#endif
}

TEST_F(PluginDialogsSession, WithoutTheDialogsLibraryPluginsPrintsTheReportAndWhy)
{
    // A copy of the module alone in a folder has no dialogs library beside it.
    QTemporaryDir folder;
    const QString module = QDir(folder.path()).filePath(QStringLiteral("ZIRuvezidoRed_4.01_14.tx"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx"), module));
    ASSERT_TRUE(open(module));

    session->RunCommandLine(QStringLiteral("PLUGINS"));
    const QString output = console.TakeOutput();
    EXPECT_TRUE(output.contains(QStringLiteral("No plugins in"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("The plugin manager's dialogs library could not be loaded")))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QDir(folder.path()).filePath(QStringLiteral("ZIRuvezidoRed_4.01_14_dialogs.so"))))
        << output.toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
