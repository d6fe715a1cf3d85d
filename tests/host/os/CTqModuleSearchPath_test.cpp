// Where a module given by name is found: beside the executable, then on KELTORA_MODULE_PATH.
#include "host/os/CTqModuleSearchPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

// Sets KELTORA_MODULE_PATH for one test and restores it afterwards.
class ModulePathVariable {
public:
    explicit ModulePathVariable(const QString& value)
        : m_hadValue(qEnvironmentVariableIsSet("KELTORA_MODULE_PATH")), m_previous(qgetenv("KELTORA_MODULE_PATH"))
    {
        qputenv("KELTORA_MODULE_PATH", value.toLocal8Bit());
    }
    ~ModulePathVariable()
    {
        if (m_hadValue)
            qputenv("KELTORA_MODULE_PATH", m_previous);
        else
            qunsetenv("KELTORA_MODULE_PATH");
    }

private:
    bool m_hadValue;
    QByteArray m_previous;
};

}  // namespace

TEST(CTqModuleSearchPath, ExecutableFolderIsWhereTheTestRuns)
{
    EXPECT_EQ(QFileInfo(CTqModuleSearchPath::ExecutableFolder()).canonicalFilePath(),
              QFileInfo(QStringLiteral(KELTORA_BIN_DIR)).canonicalFilePath());
}

TEST(CTqModuleSearchPath, BareNameIsLookedForInPathFoldersInOrder)
{
    QTemporaryDir first;
    QTemporaryDir second;
    touch(second.filePath(QStringLiteral("only_second.tx")));
    touch(first.filePath(QStringLiteral("both.tx")));
    touch(second.filePath(QStringLiteral("both.tx")));
    ModulePathVariable path(first.path() + QStringLiteral("::") + second.path());

    EXPECT_EQ(CTqModuleSearchPath::Resolve(QStringLiteral("only_second.tx")), second.filePath(QStringLiteral("only_second.tx")));
    EXPECT_EQ(CTqModuleSearchPath::Resolve(QStringLiteral("both.tx")), first.filePath(QStringLiteral("both.tx")));
    EXPECT_EQ(CTqModuleSearchPath::Resolve(QStringLiteral("neither.tx")), QString());
}

TEST(CTqModuleSearchPath, ExecutableFolderComesBeforeThePath)
{
    // The module is built beside the test programs.
    const QString name = QStringLiteral("ZIRuvezidoRed_4.01_14.tx");
    QTemporaryDir elsewhere;
    touch(elsewhere.filePath(name));
    ModulePathVariable path(elsewhere.path());

    EXPECT_EQ(QFileInfo(CTqModuleSearchPath::Resolve(name)).canonicalFilePath(),
              QFileInfo(QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx")).canonicalFilePath());
}

TEST(CTqModuleSearchPath, NameWithAFolderIsNotSearched)
{
    QTemporaryDir folder;
    touch(folder.filePath(QStringLiteral("m.tx")));
    ModulePathVariable path(folder.path());

    EXPECT_EQ(CTqModuleSearchPath::Resolve(folder.filePath(QStringLiteral("m.tx"))), folder.filePath(QStringLiteral("m.tx")));
    EXPECT_EQ(CTqModuleSearchPath::Resolve(QStringLiteral("./m.tx")), QString()) << "relative to the working folder only";
    EXPECT_EQ(CTqModuleSearchPath::Resolve(QStringLiteral("/no/such/folder/m.tx")), QString());
    EXPECT_EQ(CTqModuleSearchPath::Resolve(QString()), QString());
}
