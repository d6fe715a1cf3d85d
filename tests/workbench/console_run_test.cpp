// The workbench program at a console without a display: it starts without the widget platform,
// message boxes come out on the console and help, with no desktop to open a file, answers nil.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/workbench_process.h"

TEST(ConsoleRun, MessageBoxesAndHelpWorkWithoutADisplay)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString page = QDir(folder.path()).filePath(QStringLiteral("guide.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body>guide</body></html>");
    file.close();

    const WorkbenchRun run = RunWorkbench({QStringLiteral("--batch"), QStringLiteral("--eval"),
                                           QStringLiteral("(alert \"Disk full\" \"Storage\")"), QStringLiteral("--eval"),
                                           QStringLiteral("(princ (list 'help (help \"%1\")))").arg(page)});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.output.contains(QStringLiteral("[Storage] Disk full"))) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(QStringLiteral("(HELP nil)"))) << run.output.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("openUrl"))) << run.errors.toStdString();
}
