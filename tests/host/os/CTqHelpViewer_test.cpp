// The help viewer hands an existing help file's URL to the viewer program and keeps command
// help references.
#include "host/os/CTqHelpViewer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// The content of a file a detached program writes, once it has written it.
QByteArray AwaitFile(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray content = file.readAll();
            if (content.endsWith('\n'))
                return content;
        }
        QThread::msleep(20);
    }
    return {};
}

}  // namespace

TEST(CTqHelpViewer, TheViewerGetsTheFileUrlWithTheTopicOfAnHtmlFile)
{
    QTemporaryDir folder;
    const QString record = folder.filePath(QStringLiteral("viewed"));
    const QString viewer = folder.filePath(QStringLiteral("viewer.sh"));
    WriteFile(viewer, QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1.part' && mv '%1.part' '%1'\n").arg(record).toUtf8(), true);
    const QString help = folder.filePath(QStringLiteral("guide.html"));
    WriteFile(help, "<html></html>");
    CTqHelpViewer helpViewer;
    helpViewer.SetViewerProgram(viewer);
    ASSERT_TRUE(helpViewer.Show(help, QStringLiteral("LINE"), 15));
    EXPECT_EQ(AwaitFile(record), QStringLiteral("file://%1#LINE\n").arg(help).toUtf8());
}

TEST(CTqHelpViewer, AMissingFileIsNotShownAndCloseAllHasNothingToDo)
{
    QTemporaryDir folder;
    CTqHelpViewer helpViewer;
    helpViewer.SetViewerProgram(QStringLiteral("/bin/true"));
    EXPECT_FALSE(helpViewer.Show(folder.filePath(QStringLiteral("missing.chm")), QString(), 1));
    EXPECT_FALSE(helpViewer.Show(folder.path(), QString(), 1));
    EXPECT_TRUE(helpViewer.Show(folder.filePath(QStringLiteral("missing.chm")), QString(), 18));
    WriteFile(folder.filePath(QStringLiteral("x.chm")), "x");
    helpViewer.SetViewerProgram(folder.filePath(QStringLiteral("no-such-viewer")));
    EXPECT_FALSE(helpViewer.Show(folder.filePath(QStringLiteral("x.chm")), QString(), 1));
}

TEST(CTqHelpViewer, CommandReferencesIgnoreCase)
{
    CTqHelpViewer helpViewer;
    helpViewer.SetCommandHelp(QStringLiteral("Draw"), {QStringLiteral("a.chm"), QStringLiteral("t"), 15});
    CTqHelpViewer::Reference reference;
    ASSERT_TRUE(helpViewer.CommandHelp(QStringLiteral("DRAW"), reference));
    EXPECT_EQ(reference.file, QStringLiteral("a.chm"));
    EXPECT_EQ(reference.topic, QStringLiteral("t"));
    EXPECT_EQ(reference.command, 15);
    EXPECT_FALSE(helpViewer.CommandHelp(QStringLiteral("erase"), reference));
}
