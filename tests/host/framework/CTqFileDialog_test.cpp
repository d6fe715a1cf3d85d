// File dialogs without a display: the name is asked on the console, completed with the
// extension and made absolute; files to read must exist.
#include "host/framework/CTqFileDialog.h"
#include "host/framework/scripted_host_console.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

}  // namespace

TEST(CTqFileDialog, ANewFileGetsTheExtensionAndTheBaseFolder)
{
    QTemporaryDir folder;
    ScriptedHostConsole console({QStringLiteral("plan")});
    QString chosen;
    ASSERT_TRUE(CTqFileDialog::Ask(console, QStringLiteral("Save as"), QString(), QStringLiteral("dxf"), CTqFileDialog::kNewFile, folder.path(), chosen));
    EXPECT_EQ(chosen, folder.filePath(QStringLiteral("plan.dxf")));
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("Save as: plan\n"));
}

TEST(CTqFileDialog, AnEmptyAnswerTakesTheDefault)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    Touch(folder.filePath(QStringLiteral("sub/x.lsp")));
    Touch(folder.filePath(QStringLiteral("sub/y.lsp")));
    ScriptedHostConsole console({QString(), QStringLiteral("y")});
    QString chosen;
    ASSERT_TRUE(CTqFileDialog::Ask(console, QStringLiteral("Open"), QStringLiteral("sub/x.lsp"), QStringLiteral("lsp"), 0, folder.path(), chosen));
    EXPECT_EQ(chosen, folder.filePath(QStringLiteral("sub/x.lsp")));
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("Open <sub/x.lsp>: \n"));
    // A typed relative name is taken from the default's folder.
    ASSERT_TRUE(CTqFileDialog::Ask(console, QStringLiteral("Open"), QStringLiteral("sub/x.lsp"), QStringLiteral("lsp"), 0, folder.path(), chosen));
    EXPECT_EQ(chosen, folder.filePath(QStringLiteral("sub/y.lsp")));
}

TEST(CTqFileDialog, AFileToReadMustExist)
{
    QTemporaryDir folder;
    Touch(folder.filePath(QStringLiteral("real.txt")));
    ScriptedHostConsole console({QStringLiteral("ghost.txt"), QStringLiteral("real.txt")});
    QString chosen;
    ASSERT_TRUE(CTqFileDialog::Ask(console, QStringLiteral("Open"), QString(), QStringLiteral("txt"), 0, folder.path(), chosen));
    EXPECT_EQ(chosen, folder.filePath(QStringLiteral("real.txt")));
    EXPECT_EQ(console.TakeOutput(), QStringLiteral("Open: ghost.txt\nFile not found: %1\nOpen: real.txt\n").arg(folder.filePath(QStringLiteral("ghost.txt"))));
}

TEST(CTqFileDialog, AnotherExtensionIsKeptAndNoNameCancels)
{
    QTemporaryDir folder;
    ScriptedHostConsole console({QStringLiteral("notes.txt"), QString()});
    QString chosen;
    ASSERT_TRUE(CTqFileDialog::Ask(console, QStringLiteral("Name"), QString(), QStringLiteral("lsp;txt"), CTqFileDialog::kNewFile, folder.path(), chosen));
    EXPECT_EQ(chosen, folder.filePath(QStringLiteral("notes.txt")));
    EXPECT_FALSE(CTqFileDialog::Ask(console, QStringLiteral("Name"), QString(), QStringLiteral("lsp"), CTqFileDialog::kNewFile, folder.path(), chosen));
    // The end of the input cancels as well.
    EXPECT_FALSE(CTqFileDialog::Ask(console, QStringLiteral("Name"), QStringLiteral("d.lsp"), QStringLiteral("lsp"), CTqFileDialog::kNewFile, folder.path(), chosen));
}
