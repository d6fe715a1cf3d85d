// Description files: elements, attributes, module kinds, and what is logged for what is missing.
#include "pluginmanager/core_version.h"
#include "pluginmanager/plugin_description.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Logged {
    int code;
    QString argument;
    bool optional;
};

class DescriptionTest : public ::testing::Test {
protected:
    bool read(const QByteArray& xml, HostMode mode = HostMode::Workbench)
    {
        record = PluginRecord{};
        record.folderName = QStringLiteral("Sample/");
        logged.clear();
        return ReadPluginDescription(xml, mode, QStringLiteral("/opt/Plugins"), record,
                                     [this](int code, const QString& argument, bool optional) {
                                         logged.push_back({code, argument, optional});
                                     });
    }
    bool wasLogged(int code, const QString& argument, bool optional) const
    {
        for (const Logged& entry : logged) {
            if (entry.code == code && entry.argument == argument && entry.optional == optional)
                return true;
        }
        return false;
    }

    PluginRecord record;
    std::vector<Logged> logged;
};

const char* const kFull = R"(<?xml version="1.0" encoding="utf-8"?>
<plugin>
  <name>Sample</name>
  <version>1.2</version>
  <author><name>Ada Lind</name><mail>ada@example.org</mail><website>https://example.org</website></author>
  <description>Draws samples.</description>
  <logo>logo.png</logo>
  <appcasturl>http://127.0.0.1/feed.xml</appcasturl>
  <details>
    <core>18.0</core>
    <guid>{0A1B}</guid>
    <settings>
      <property name="MFC" value="1"/>
      <property name="Color" value="red"/>
    </settings>
    <modules>
      <module onLoad="true">Tool_4.01_14.tx</module>
      <module>lib/helpers.lsp</module>
      <module onLoad="TRUE">menu.MNL</module>
    </modules>
    <userinterface><load>sample.xml</load><load>extra.xml</load></userinterface>
  </details>
</plugin>)";

TEST_F(DescriptionTest, FullDescriptionFillsEveryField)
{
    ASSERT_TRUE(read(kFull));
    EXPECT_TRUE(logged.empty());
    EXPECT_EQ(record.name, QStringLiteral("Sample"));
    EXPECT_EQ(record.version, QStringLiteral("1.2"));
    EXPECT_EQ(record.authorName, QStringLiteral("Ada Lind"));
    EXPECT_EQ(record.authorMail, QStringLiteral("ada@example.org"));
    EXPECT_EQ(record.authorWebsite, QStringLiteral("https://example.org"));
    EXPECT_EQ(record.description, QStringLiteral("Draws samples."));
    EXPECT_EQ(record.logo, QStringLiteral("logo.png"));
    EXPECT_EQ(record.appcastUrl, QStringLiteral("http://127.0.0.1/feed.xml"));
    EXPECT_EQ(record.core, QStringLiteral("18.0"));
    EXPECT_EQ(record.guid, QStringLiteral("{0A1B}"));
    EXPECT_TRUE(record.needsMfc);
    EXPECT_FALSE(record.settings.contains(QStringLiteral("MFC"))) << "MFC is a flag, not a setting";
    EXPECT_EQ(record.settings.value(QStringLiteral("Color")), QStringLiteral("red"));
    EXPECT_EQ(record.userInterfaceFiles, (QStringList{QStringLiteral("sample.xml"), QStringLiteral("extra.xml")}));

    ASSERT_EQ(record.modules.size(), 3u);
    EXPECT_EQ(record.modules[0].kind, ModuleKind::Tx);
    EXPECT_EQ(record.modules[0].name, QStringLiteral("Tool"));
    EXPECT_TRUE(record.modules[0].onLoad);
    EXPECT_EQ(record.modules[0].path, QStringLiteral("/opt/Plugins/Sample/Tool_4.01_14.tx"));
    EXPECT_EQ(record.modules[1].kind, ModuleKind::Lisp);
    EXPECT_FALSE(record.modules[1].onLoad);
    EXPECT_EQ(record.modules[1].path, QStringLiteral("/opt/Plugins/Sample/lib/helpers.lsp"));
    EXPECT_EQ(record.modules[2].kind, ModuleKind::Lisp);
    EXPECT_TRUE(record.modules[2].onLoad);
}

TEST_F(DescriptionTest, MissingAuthorIsFineMissingDetailsFails)
{
    EXPECT_TRUE(read("<plugin><name>A</name><version>1</version><details><core>18.0</core><guid>g</guid>"
                     "</details></plugin>"));
    // Optional elements that are missing only warn.
    EXPECT_TRUE(wasLogged(1002, QStringLiteral("description"), true));
    EXPECT_FALSE(wasLogged(1002, QStringLiteral("author"), true)) << "author is looked at only when present";

    EXPECT_FALSE(read("<plugin><name>A</name><version>1</version></plugin>"));
    EXPECT_TRUE(wasLogged(1002, QStringLiteral("details"), false));
}

TEST_F(DescriptionTest, GuidIsRequiredExceptInThePlainHost)
{
    const QByteArray xml = "<plugin><name>A</name><version>1</version><details><core>18.0</core></details></plugin>";
    EXPECT_TRUE(read(xml, HostMode::Plain));
    EXPECT_FALSE(wasLogged(1002, QStringLiteral("guid"), false));
    EXPECT_FALSE(read(xml, HostMode::Workbench));
    EXPECT_TRUE(wasLogged(1002, QStringLiteral("guid"), false));
    EXPECT_FALSE(read(xml, HostMode::Hexbrook));
}

TEST_F(DescriptionTest, EmptyRequiredElementFailsEmptyOptionalWarns)
{
    EXPECT_FALSE(read("<plugin><name></name><version>1</version><details><core>18.0</core><guid>g</guid>"
                      "</details></plugin>"));
    EXPECT_TRUE(wasLogged(1000, QStringLiteral("name"), false));

    EXPECT_TRUE(read("<plugin><name>A</name><version>1</version><logo/><details><core>18.0</core><guid>g</guid>"
                     "</details></plugin>"));
    EXPECT_TRUE(wasLogged(1000, QStringLiteral("logo"), true));
}

TEST_F(DescriptionTest, PropertyWithoutNameOrValueIsLoggedWithItsAttribute)
{
    EXPECT_FALSE(read("<plugin><name>A</name><version>1</version><details><core>18.0</core><guid>g</guid>"
                      "<settings><property value=\"x\"/><property name=\"y\"/></settings></details></plugin>"));
    EXPECT_TRUE(wasLogged(1001, QStringLiteral("property:name"), false));
    EXPECT_TRUE(wasLogged(1001, QStringLiteral("property:value"), false));
}

TEST_F(DescriptionTest, MfcValueThatIsNoNumberWarns)
{
    EXPECT_TRUE(read("<plugin><name>A</name><version>1</version><details><core>18.0</core><guid>g</guid>"
                     "<settings><property name=\"MFC\" value=\"yes\"/></settings></details></plugin>"));
    EXPECT_FALSE(record.needsMfc);
    EXPECT_TRUE(wasLogged(1010, QStringLiteral("yes"), true));
}

TEST_F(DescriptionTest, UnknownSuffixIsLoggedWithTheBareFileName)
{
    EXPECT_TRUE(read("<plugin><name>A</name><version>1</version><details><core>18.0</core><guid>g</guid>"
                     "<modules><module>bin/fast.fas</module><module>x.lsp</module></modules></details></plugin>"));
    EXPECT_TRUE(wasLogged(1020, QStringLiteral("fast.fas"), true));
    ASSERT_EQ(record.modules.size(), 1u);
    EXPECT_EQ(record.modules[0].fileName, QStringLiteral("x.lsp"));
}

TEST_F(DescriptionTest, BrokenOrForeignXmlFailsWithoutLogging)
{
    EXPECT_FALSE(read("<plugin><name>A</name>"));
    EXPECT_FALSE(read(""));
    EXPECT_FALSE(read("<other><name>A</name></other>"));
    EXPECT_TRUE(logged.empty());
}

TEST(ModuleKinds, BySuffixWithoutRegardToCase)
{
    ModuleKind kind{};
    ASSERT_TRUE(ModuleKindOfFile(QStringLiteral("a.ARX"), kind));
    EXPECT_EQ(kind, ModuleKind::Arx);
    ASSERT_TRUE(ModuleKindOfFile(QStringLiteral("a.lsp"), kind));
    EXPECT_EQ(kind, ModuleKind::Lisp);
    ASSERT_TRUE(ModuleKindOfFile(QStringLiteral("a.Mnl"), kind));
    EXPECT_EQ(kind, ModuleKind::Lisp);
    ASSERT_TRUE(ModuleKindOfFile(QStringLiteral("a.dll"), kind));
    EXPECT_EQ(kind, ModuleKind::Dll);
    ASSERT_TRUE(ModuleKindOfFile(QStringLiteral("Tool_4.01_14.Tx"), kind));
    EXPECT_EQ(kind, ModuleKind::Tx);
    EXPECT_FALSE(ModuleKindOfFile(QStringLiteral("a.fas"), kind));
    EXPECT_FALSE(ModuleKindOfFile(QStringLiteral("lsp"), kind));
    EXPECT_EQ(TxModuleName(QStringLiteral("sub/Tool_4.01_14.tx")), QStringLiteral("Tool"));
}

TEST(CoreVersion, HostEighteenZero)
{
    EXPECT_TRUE(CoreVersionMatches(QStringLiteral("18.0"), 18, 0));
    EXPECT_TRUE(CoreVersionMatches(QStringLiteral("2018.0"), 18, 0));
    EXPECT_TRUE(CoreVersionMatches(QStringLiteral("18-0"), 18, 0));
    EXPECT_FALSE(CoreVersionMatches(QStringLiteral("18.1"), 18, 0));
    EXPECT_FALSE(CoreVersionMatches(QStringLiteral("2019.0"), 18, 0));
    EXPECT_FALSE(CoreVersionMatches(QStringLiteral("18"), 18, 0)) << "one part reads as 0.0";
    EXPECT_TRUE(CoreVersionMatches(QStringLiteral("18"), 0, 0));
    EXPECT_TRUE(CoreVersionMatches(QStringLiteral("x.y"), 0, 0)) << "text that is no number reads as 0";
    EXPECT_TRUE(CoreVersionMatches(QStringLiteral("18.0.5"), 18, 0));
    EXPECT_FALSE(CoreVersionMatches(QString(), 18, 0));
}

}  // namespace
