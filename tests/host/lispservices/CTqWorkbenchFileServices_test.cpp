// The workbench's file services: protected files decoded only when they are protected, listings
// and registry names as string chains, temporary names and folder keys.
#include "host/framework/scripted_host_console.h"
#include "host/lispservices/CTqWorkbenchFileServices.h"
#include "host/lispservices/TqResultBuffers.h"
#include "host/os/CTqProtectedPluginCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Write(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QStringList Strings(TqResultBuffer* chain)
{
    QStringList texts;
    for (const TqResultBuffer* link = chain; link; link = link->next) {
        EXPECT_EQ(link->restype, tqrt::kString);
        texts << QString::fromUtf16(link->value.string);
    }
    TqReleaseChain(chain);
    return texts;
}

}  // namespace

TEST(CTqWorkbenchFileServices, OnlyProtectedFilesDecode)
{
    QTemporaryDir folder;
    ScriptedHostConsole console;
    CTqWorkbenchFileServices services(console);
    const QString plain = Write(folder.path(), QStringLiteral("plain.lsp"), "(princ)\n");
    const QString sealed = Write(folder.path(), QStringLiteral("sealed.lsp"), CTqProtectedPluginCodec::Encode("(princ)\n"));
    QByteArray damagedBytes = CTqProtectedPluginCodec::Encode("(princ)\n");
    damagedBytes[damagedBytes.size() - 1] = char(damagedBytes[damagedBytes.size() - 1] ^ 1);
    const QString damaged = Write(folder.path(), QStringLiteral("damaged.lsp"), damagedBytes);
    QByteArray content;
    EXPECT_EQ(services.DecodeProtectedFile(sealed, content), tq::kNormal);
    EXPECT_EQ(content, QByteArray("(princ)\n"));
    content = "untouched";
    EXPECT_EQ(services.DecodeProtectedFile(plain, content), tq::kNone);
    EXPECT_EQ(services.DecodeProtectedFile(damaged, content), tq::kNone);
    EXPECT_EQ(services.DecodeProtectedFile(QDir(folder.path()).filePath(QStringLiteral("missing")), content), tq::kNone);
    EXPECT_EQ(content, QByteArray("untouched"));
}

TEST(CTqWorkbenchFileServices, ListingsAreChainsOfNamesInTheDocumentsFolder)
{
    QTemporaryDir folder;
    ScriptedHostConsole console;
    CTqWorkbenchFileServices services(console);
    services.SetDocumentsFolder(folder.path());
    Write(folder.path(), QStringLiteral("b.lsp"), "");
    Write(folder.path(), QStringLiteral("a.lsp"), "");
    Write(folder.path(), QStringLiteral("c.dcl"), "");
    TqResultBuffer* chain = nullptr;
    ASSERT_EQ(services.ListDirectory(CTqString(), CTqString("*.lsp"), 1, chain), tq::kNormal);
    EXPECT_EQ(Strings(chain), (QStringList{QStringLiteral("a.lsp"), QStringLiteral("b.lsp")}));
    ASSERT_EQ(services.ListDirectory(CTqString("nowhere"), CTqString(), 0, chain), tq::kNormal);
    EXPECT_EQ(chain, nullptr);
}

TEST(CTqWorkbenchFileServices, RegistryNamesAndAMissingKey)
{
    ScriptedHostConsole console;
    CTqWorkbenchFileServices services(console);
    ASSERT_EQ(services.RegistryWrite(CTqString("HKEY_USERS\\K\\One"), CTqString("v"), CTqString("1")), tq::kNormal);
    ASSERT_EQ(services.RegistryWrite(CTqString("HKEY_USERS\\K"), CTqString("w"), CTqString("2")), tq::kNormal);
    TqResultBuffer* chain = nullptr;
    ASSERT_EQ(services.RegistryDescendents(CTqString("HKEY_USERS\\K"), false, chain), tq::kNormal);
    EXPECT_EQ(Strings(chain), QStringList{QStringLiteral("One")});
    ASSERT_EQ(services.RegistryDescendents(CTqString("HKEY_USERS\\K"), true, chain), tq::kNormal);
    EXPECT_EQ(Strings(chain), QStringList{QStringLiteral("w")});
    EXPECT_EQ(services.RegistryDescendents(CTqString("HKEY_USERS\\Missing"), true, chain), tq::kError);
    EXPECT_EQ(chain, nullptr);
    CTqLispServices::RegistryValue value;
    ASSERT_EQ(services.RegistryRead(CTqString("HKEY_USERS\\K\\One"), CTqString("V"), value), tq::kNormal);
    EXPECT_EQ(value.type, 1);
    EXPECT_EQ(value.text, CTqString("1"));
    EXPECT_EQ(services.RegistryDelete(CTqString("HKEY_USERS\\K"), CTqString(), false), tq::kError);
}

TEST(CTqWorkbenchFileServices, TemporaryNamesDefaultToTheTemporaryFolder)
{
    ScriptedHostConsole console;
    CTqWorkbenchFileServices services(console);
    CTqString name;
    ASSERT_EQ(services.MakeTempFileName(CTqString(), CTqString(), CTqString(), name), tq::kNormal);
    EXPECT_EQ(QFileInfo(name.toQString()).path(), QDir::tempPath());
    EXPECT_TRUE(QFileInfo(name.toQString()).fileName().startsWith(QStringLiteral("$VL~~")));
    // The pattern's folder and extension when the arguments give none.
    QTemporaryDir folder;
    ASSERT_EQ(services.MakeTempFileName(CTqString(folder.path() + QStringLiteral("/data.csv")), CTqString(), CTqString(), name), tq::kNormal);
    EXPECT_EQ(name.toQString(), folder.path() + QStringLiteral("/data001.csv"));
}

TEST(CTqWorkbenchFileServices, FolderKeysAndUnknownKeys)
{
    QTemporaryDir settings;
    ScriptedHostConsole console;
    CTqWorkbenchFileServices services(console);
    services.SetSettingsFolder(settings.path());
    services.SetDocumentsFolder(QStringLiteral("/data/documents"));
    CTqString value;
    ASSERT_EQ(services.GetFolderSetting(CTqString("CADDWG"), {}, value), tq::kNormal);
    EXPECT_EQ(value.toQString(), QStringLiteral("/data/documents"));
    ASSERT_EQ(services.GetFolderSetting(CTqString("caddlg"), {QStringLiteral("/s1"), QStringLiteral("/s2")}, value), tq::kNormal);
    EXPECT_EQ(value.toQString(), QStringLiteral("/s1"));
    EXPECT_EQ(services.GetFolderSetting(CTqString("CADSUP"), {}, value), tq::kNone);
    EXPECT_EQ(services.GetFolderSetting(CTqString("CADXYZ"), {}, value), tq::kNone);
    ASSERT_EQ(services.GetFolderSetting(CTqString("CADKEY"), {}, value), tq::kNormal);
    EXPECT_EQ(value.toQString(), settings.filePath(QStringLiteral("alias.xml")));
}
