// Starting programs without waiting: found programs start with their quoted arguments; missing
// and unusable ones give the failure numbers.
#include "host/os/CTqProgramLauncher.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

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

TEST(CTqProgramLauncher, AProgramStartsWithItsArgumentsInTheFolder)
{
    QTemporaryDir folder;
    const QString script = folder.filePath(QStringLiteral("record.sh"));
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nprintf '%s|%s|%s\\n' \"$1\" \"$2\" \"$(pwd)\" > out.part && mv out.part out\n");
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
    const std::int32_t result = CTqProgramLauncher::Start(QStringLiteral("\"%1\" \"a b\" c").arg(script), folder.path());
    EXPECT_GT(result, 31);
    EXPECT_EQ(AwaitFile(folder.filePath(QStringLiteral("out"))), QStringLiteral("a b|c|%1\n").arg(folder.path()).toUtf8());
}

TEST(CTqProgramLauncher, MissingAndUnusableProgramsFail)
{
    QTemporaryDir folder;
    EXPECT_EQ(CTqProgramLauncher::Start(QStringLiteral("keltora-no-such-program --x"), folder.path()), CTqProgramLauncher::kNotFound);
    EXPECT_EQ(CTqProgramLauncher::Start(folder.filePath(QStringLiteral("missing")), folder.path()), CTqProgramLauncher::kNotFound);
    EXPECT_EQ(CTqProgramLauncher::Start(QString(), folder.path()), CTqProgramLauncher::kNotFound);
    const QString plain = folder.filePath(QStringLiteral("plain.txt"));
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(CTqProgramLauncher::Start(plain, folder.path()), CTqProgramLauncher::kCannotStart);
}
