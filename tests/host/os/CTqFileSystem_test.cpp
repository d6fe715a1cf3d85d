// File-system operations: name parts, copies that do not overwrite, renames, sizes, times,
// unused names and folder listings, against real files in a temporary folder.
#include "host/os/CTqFileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(CTqFileSystem, NamePartsTakeEitherSlash)
{
    EXPECT_EQ(CTqFileSystem::BaseName(QStringLiteral("c:\\acad\\drawings\\plan.dwg")), QStringLiteral("plan"));
    EXPECT_EQ(CTqFileSystem::BaseName(QStringLiteral("/home/u/archive.tar.gz")), QStringLiteral("archive.tar"));
    EXPECT_EQ(CTqFileSystem::BaseName(QStringLiteral("noext")), QStringLiteral("noext"));
    EXPECT_EQ(CTqFileSystem::BaseName(QStringLiteral("dir/.hidden")), QStringLiteral(".hidden"));
    EXPECT_EQ(CTqFileSystem::FolderName(QStringLiteral("c:\\acad\\drawings\\plan.dwg")), QStringLiteral("c:\\acad\\drawings"));
    EXPECT_EQ(CTqFileSystem::FolderName(QStringLiteral("a/b\\c.txt")), QStringLiteral("a/b"));
    EXPECT_EQ(CTqFileSystem::FolderName(QStringLiteral("plan.dwg")), QString());
    EXPECT_EQ(CTqFileSystem::FolderName(QStringLiteral("/plan.dwg")), QStringLiteral("/"));
    EXPECT_EQ(CTqFileSystem::Extension(QStringLiteral("c:\\acad\\plan.dwg")), QStringLiteral(".dwg"));
    EXPECT_EQ(CTqFileSystem::Extension(QStringLiteral("a.b/noext")), QString());
    EXPECT_EQ(CTqFileSystem::Extension(QStringLiteral(".profile")), QString());
}

TEST(CTqFileSystem, ResolveTakesRelativeNamesFromTheBase)
{
    EXPECT_EQ(CTqFileSystem::Resolve(QStringLiteral("/base/docs"), QStringLiteral("sub\\x.txt")), QStringLiteral("/base/docs/sub/x.txt"));
    EXPECT_EQ(CTqFileSystem::Resolve(QStringLiteral("/base/docs"), QStringLiteral("../y.txt")), QStringLiteral("/base/y.txt"));
    EXPECT_EQ(CTqFileSystem::Resolve(QStringLiteral("/base/docs"), QStringLiteral("/abs/z")), QStringLiteral("/abs/z"));
    EXPECT_EQ(CTqFileSystem::Resolve(QStringLiteral("/base"), QString()), QString());
}

TEST(CTqFileSystem, CopyKeepsAnExistingFileUnlessAppending)
{
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("s.txt"));
    const QString target = folder.filePath(QStringLiteral("t.txt"));
    WriteFile(source, "abc");
    std::int64_t copied = -1;
    ASSERT_TRUE(CTqFileSystem::Copy(source, target, false, copied));
    EXPECT_EQ(copied, 3);
    EXPECT_FALSE(CTqFileSystem::Copy(source, target, false, copied));
    EXPECT_EQ(ReadFile(target), QByteArray("abc"));
    ASSERT_TRUE(CTqFileSystem::Copy(source, target, true, copied));
    EXPECT_EQ(copied, 3);
    EXPECT_EQ(ReadFile(target), QByteArray("abcabc"));
    EXPECT_FALSE(CTqFileSystem::Copy(folder.filePath(QStringLiteral("missing")), target, true, copied));
    EXPECT_FALSE(CTqFileSystem::Copy(source, folder.path(), true, copied));
}

TEST(CTqFileSystem, RenameAndDeleteRefuseWhatWouldLoseData)
{
    QTemporaryDir folder;
    const QString a = folder.filePath(QStringLiteral("a.txt"));
    const QString b = folder.filePath(QStringLiteral("b.txt"));
    WriteFile(a, "A");
    WriteFile(b, "B");
    EXPECT_FALSE(CTqFileSystem::Rename(a, b));
    EXPECT_EQ(ReadFile(b), QByteArray("B"));
    ASSERT_TRUE(CTqFileSystem::Delete(b));
    EXPECT_FALSE(QFile::exists(b));
    EXPECT_TRUE(CTqFileSystem::Rename(a, b));
    EXPECT_EQ(ReadFile(b), QByteArray("A"));
    EXPECT_FALSE(CTqFileSystem::Rename(a, folder.filePath(QStringLiteral("c.txt"))));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    EXPECT_FALSE(CTqFileSystem::Delete(folder.filePath(QStringLiteral("sub"))));
    EXPECT_FALSE(CTqFileSystem::Delete(folder.filePath(QStringLiteral("missing"))));
}

TEST(CTqFileSystem, SizeOfAFolderIsZero)
{
    QTemporaryDir folder;
    WriteFile(folder.filePath(QStringLiteral("five")), "12345");
    std::int64_t size = -1;
    ASSERT_TRUE(CTqFileSystem::Size(folder.filePath(QStringLiteral("five")), size));
    EXPECT_EQ(size, 5);
    ASSERT_TRUE(CTqFileSystem::Size(folder.path(), size));
    EXPECT_EQ(size, 0);
    EXPECT_FALSE(CTqFileSystem::Size(folder.filePath(QStringLiteral("missing")), size));
}

TEST(CTqFileSystem, ModificationTimeIsLocalWithSundayZero)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("t.txt"));
    WriteFile(path, "x");
    // 14 March 2021 was a Sunday.
    const QDateTime when(QDate(2021, 3, 14), QTime(15, 9, 26, 535), Qt::LocalTime);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    std::int32_t values[8] = {};
    ASSERT_TRUE(CTqFileSystem::ModificationTime(path, values));
    const std::int32_t expected[8] = {2021, 3, 0, 14, 15, 9, 26, 535};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(values[i], expected[i]) << "value " << i;
    EXPECT_FALSE(CTqFileSystem::ModificationTime(folder.filePath(QStringLiteral("missing")), values));
}

TEST(CTqFileSystem, UnusedNamesCountUpPastTakenOnes)
{
    QTemporaryDir folder;
    WriteFile(folder.filePath(QStringLiteral("patte001.tmp")), "");
    WriteFile(folder.filePath(QStringLiteral("patte002.tmp")), "");
    EXPECT_EQ(CTqFileSystem::UnusedName(folder.path(), QStringLiteral("pattern"), QStringLiteral("tmp")),
              folder.filePath(QStringLiteral("patte003.tmp")));
    EXPECT_EQ(CTqFileSystem::UnusedName(folder.path(), QStringLiteral("$VL~~"), QString()), folder.filePath(QStringLiteral("$VL~~001")));
}

TEST(CTqFileSystem, ListingsFilterByKindAndPattern)
{
    QTemporaryDir folder;
    WriteFile(folder.filePath(QStringLiteral("b.lsp")), "");
    WriteFile(folder.filePath(QStringLiteral("A.LSP")), "");
    WriteFile(folder.filePath(QStringLiteral("c.txt")), "");
    WriteFile(folder.filePath(QStringLiteral(".hidden")), "");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("sub.lsp")));
    EXPECT_EQ(CTqFileSystem::List(folder.path(), QStringLiteral("*.lsp"), 1), (QStringList{QStringLiteral("A.LSP"), QStringLiteral("b.lsp")}));
    EXPECT_EQ(CTqFileSystem::List(folder.path(), QStringLiteral("*.lsp"), 0),
              (QStringList{QStringLiteral("A.LSP"), QStringLiteral("b.lsp"), QStringLiteral("sub.lsp")}));
    EXPECT_EQ(CTqFileSystem::List(folder.path(), QString(), -1), (QStringList{QStringLiteral("."), QStringLiteral(".."), QStringLiteral("sub.lsp")}));
    EXPECT_EQ(CTqFileSystem::List(folder.path(), QStringLiteral("*.*"), 1),
              (QStringList{QStringLiteral(".hidden"), QStringLiteral("A.LSP"), QStringLiteral("b.lsp"), QStringLiteral("c.txt")}));
    EXPECT_EQ(CTqFileSystem::List(folder.path(), QStringLiteral("?.txt"), 1), QStringList{QStringLiteral("c.txt")});
    EXPECT_TRUE(CTqFileSystem::List(folder.filePath(QStringLiteral("missing")), QString(), 0).isEmpty());
}
