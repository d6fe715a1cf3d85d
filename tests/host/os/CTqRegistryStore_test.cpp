// The registry store: typed values survive the file, names ignore case, paths stay under the
// root keys, and keys with subkeys are not deleted.
#include "host/os/CTqRegistryStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CTqRegistryStore::Value Text(CTqRegistryStore::Type type, const QString& text)
{
    CTqRegistryStore::Value value;
    value.type = type;
    value.text = text;
    return value;
}

CTqRegistryStore::Value Number(CTqRegistryStore::Type type, std::uint64_t number)
{
    CTqRegistryStore::Value value;
    value.type = type;
    value.number = number;
    return value;
}

const QString kKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Keltora\\Test");

}  // namespace

TEST(CTqRegistryStore, EveryTypeSurvivesTheFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("registry.json"));
    {
        CTqRegistryStore store;
        store.Open(path);
        CTqRegistryStore::Value multi;
        multi.type = CTqRegistryStore::Type::MultiString;
        multi.strings = QStringList{QStringLiteral("one"), QString(), QStringLiteral("drei ü")};
        CTqRegistryStore::Value binary;
        binary.type = CTqRegistryStore::Type::Binary;
        binary.bytes = QByteArray("\x00\xff\x10", 3);
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("s"), Text(CTqRegistryStore::Type::String, QStringLiteral("plain"))));
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("e"), Text(CTqRegistryStore::Type::ExpandString, QStringLiteral("%HOME%\\x"))));
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("d"), Number(CTqRegistryStore::Type::DWord, 4294967295u)));
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("b"), Number(CTqRegistryStore::Type::DWordBigEndian, 7)));
        // 2^63 + 1 does not fit a double, so it shows whether the file keeps all 64 bits.
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("q"), Number(CTqRegistryStore::Type::QWord, 9223372036854775809ull)));
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("m"), multi));
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("r"), binary));
        ASSERT_TRUE(store.Write(kKey, QString(), Text(CTqRegistryStore::Type::String, QStringLiteral("default"))));
    }
    CTqRegistryStore reopened;
    reopened.Open(path);
    CTqRegistryStore::Value value;
    ASSERT_TRUE(reopened.Read(kKey, QStringLiteral("s"), value));
    EXPECT_EQ(value.type, CTqRegistryStore::Type::String);
    EXPECT_EQ(value.text, QStringLiteral("plain"));
    ASSERT_TRUE(reopened.Read(kKey, QStringLiteral("e"), value));
    EXPECT_EQ(value.type, CTqRegistryStore::Type::ExpandString);
    EXPECT_EQ(value.text, QStringLiteral("%HOME%\\x"));
    ASSERT_TRUE(reopened.Read(kKey, QStringLiteral("d"), value));
    EXPECT_EQ(value.type, CTqRegistryStore::Type::DWord);
    EXPECT_EQ(value.number, 4294967295u);
    ASSERT_TRUE(reopened.Read(kKey, QStringLiteral("b"), value));
    EXPECT_EQ(value.type, CTqRegistryStore::Type::DWordBigEndian);
    EXPECT_EQ(value.number, 7u);
    ASSERT_TRUE(reopened.Read(kKey, QStringLiteral("q"), value));
    EXPECT_EQ(value.type, CTqRegistryStore::Type::QWord);
    EXPECT_EQ(value.number, 9223372036854775809ull);
    ASSERT_TRUE(reopened.Read(kKey, QStringLiteral("m"), value));
    EXPECT_EQ(value.type, CTqRegistryStore::Type::MultiString);
    EXPECT_EQ(value.strings, (QStringList{QStringLiteral("one"), QString(), QStringLiteral("drei ü")}));
    ASSERT_TRUE(reopened.Read(kKey, QStringLiteral("r"), value));
    EXPECT_EQ(value.type, CTqRegistryStore::Type::Binary);
    EXPECT_EQ(value.bytes, QByteArray("\x00\xff\x10", 3));
    ASSERT_TRUE(reopened.Read(kKey, QString(), value));
    EXPECT_EQ(value.text, QStringLiteral("default"));
}

TEST(CTqRegistryStore, NamesIgnoreCaseAndKeepTheirOwn)
{
    CTqRegistryStore store;
    ASSERT_TRUE(store.Write(QStringLiteral("HKEY_CURRENT_USER\\Software\\MixedCase"), QStringLiteral("Value"),
                            Text(CTqRegistryStore::Type::String, QStringLiteral("1"))));
    ASSERT_TRUE(store.Write(QStringLiteral("hkey_current_user\\SOFTWARE\\mixedcase"), QStringLiteral("VALUE"),
                            Text(CTqRegistryStore::Type::String, QStringLiteral("2"))));
    CTqRegistryStore::Value value;
    ASSERT_TRUE(store.Read(QStringLiteral("HKEY_CURRENT_USER\\software\\MIXEDCASE\\"), QStringLiteral("value"), value));
    EXPECT_EQ(value.text, QStringLiteral("2"));
    QStringList names;
    ASSERT_TRUE(store.SubKeyNames(QStringLiteral("HKEY_CURRENT_USER\\Software"), names));
    EXPECT_EQ(names, QStringList{QStringLiteral("MixedCase")});
    ASSERT_TRUE(store.ValueNames(QStringLiteral("HKEY_CURRENT_USER\\Software\\MixedCase"), names));
    EXPECT_EQ(names, QStringList{QStringLiteral("Value")});
}

TEST(CTqRegistryStore, SubkeysAreSortedAndValuesKeepTheirOrder)
{
    CTqRegistryStore store;
    for (const char* name : {"delta", "Alpha", "charlie", "Bravo"})
        ASSERT_TRUE(store.CreateKey(kKey + QLatin1Char('\\') + QLatin1String(name)));
    for (const char* name : {"z", "a", "m"})
        ASSERT_TRUE(store.Write(kKey, QLatin1String(name), Number(CTqRegistryStore::Type::DWord, 1)));
    QStringList names;
    ASSERT_TRUE(store.SubKeyNames(kKey, names));
    EXPECT_EQ(names, (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo"), QStringLiteral("charlie"), QStringLiteral("delta")}));
    ASSERT_TRUE(store.ValueNames(kKey, names));
    EXPECT_EQ(names, (QStringList{QStringLiteral("z"), QStringLiteral("a"), QStringLiteral("m")}));
    EXPECT_FALSE(store.SubKeyNames(kKey + QStringLiteral("\\missing"), names));
}

TEST(CTqRegistryStore, PathsOutsideTheRootKeysAreRefused)
{
    CTqRegistryStore store;
    const auto value = Text(CTqRegistryStore::Type::String, QStringLiteral("x"));
    EXPECT_FALSE(store.Write(QStringLiteral("HKEY_NOWHERE\\Software"), QStringLiteral("v"), value));
    EXPECT_FALSE(store.Write(QStringLiteral("Software\\Keltora"), QStringLiteral("v"), value));
    EXPECT_FALSE(store.Write(QString(), QStringLiteral("v"), value));
    EXPECT_FALSE(store.Write(QStringLiteral("HKEY_CURRENT_USER\\\\Software"), QStringLiteral("v"), value));
    CTqRegistryStore::Value read;
    EXPECT_FALSE(store.Read(QStringLiteral("HKEY_NOWHERE\\Software"), QStringLiteral("v"), read));
    // A root key itself holds values.
    EXPECT_TRUE(store.Write(QStringLiteral("HKEY_LOCAL_MACHINE"), QStringLiteral("v"), value));
    EXPECT_TRUE(store.Read(QStringLiteral("HKEY_LOCAL_MACHINE"), QStringLiteral("v"), read));
}

TEST(CTqRegistryStore, DeletingRefusesKeysWithSubkeysAndRootKeys)
{
    CTqRegistryStore store;
    ASSERT_TRUE(store.CreateKey(kKey + QStringLiteral("\\Child")));
    EXPECT_FALSE(store.DeleteKey(kKey));
    EXPECT_FALSE(store.DeleteKey(QStringLiteral("HKEY_CURRENT_USER")));
    EXPECT_FALSE(store.DeleteKey(kKey + QStringLiteral("\\Missing")));
    EXPECT_TRUE(store.DeleteKey(kKey + QStringLiteral("\\child")));
    EXPECT_TRUE(store.DeleteKey(kKey));
    QStringList names;
    ASSERT_TRUE(store.SubKeyNames(QStringLiteral("HKEY_CURRENT_USER\\Software\\Keltora"), names));
    EXPECT_TRUE(names.isEmpty());

    ASSERT_TRUE(store.Write(kKey, QStringLiteral("v"), Text(CTqRegistryStore::Type::String, QStringLiteral("x"))));
    EXPECT_TRUE(store.DeleteValue(kKey, QStringLiteral("V")));
    EXPECT_FALSE(store.DeleteValue(kKey, QStringLiteral("v")));
    CTqRegistryStore::Value value;
    EXPECT_FALSE(store.Read(kKey, QStringLiteral("v"), value));
}

TEST(CTqRegistryStore, AFileThatCannotBeWrittenIsReported)
{
    QTemporaryDir folder;
    // A plain file where the folder of the registry file should be.
    QFile blocker(folder.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CTqRegistryStore store;
    store.Open(folder.filePath(QStringLiteral("blocked/registry.json")));
    EXPECT_FALSE(store.Write(kKey, QStringLiteral("v"), Text(CTqRegistryStore::Type::String, QStringLiteral("x"))));
}

TEST(CTqRegistryStore, ADamagedFileStartsEmpty)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("registry.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{ not json");
    file.close();
    CTqRegistryStore store;
    store.Open(path);
    QStringList names;
    ASSERT_TRUE(store.SubKeyNames(QStringLiteral("HKEY_CURRENT_USER"), names));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(store.Write(kKey, QStringLiteral("v"), Text(CTqRegistryStore::Type::String, QStringLiteral("x"))));
}
