// The plugin manager against the real host: discovery, the log, start-up flags, loading real
// modules through the dynamic linker, user-interface files and the host's menus.
#include "plugin_test_support.h"

#include "host/OdEd.h"
#include "host/OdRx.h"
#include "host/os/CTqModuleSearchPath.h"
#include "host/os/CTqProtectedPluginCodec.h"
#include "pluginmanager/CTqAppStorePlugin.h"

#include <QFile>

namespace {

class ManagerTest : public PluginHostTest {
protected:
    void SetUp() override
    {
        PluginHostTest::SetUp();
        manager.SetMode(HostMode::Workbench);
    }
    void TearDown() override
    {
        manager.UnloadAll();
        PluginHostTest::TearDown();
    }

    // The log of the first plugin of that name.
    QString logOf(const QString& name)
    {
        for (const PluginRecord& record : manager.Records()) {
            if (record.name == name)
                return manager.LogTextFor(record.index);
        }
        return QStringLiteral("<no plugin %1>").arg(name);
    }
    PluginRecord* find(const QString& name)
    {
        for (PluginRecord& record : manager.Records()) {
            if (record.name == name)
                return &record;
        }
        return nullptr;
    }
    void addSamplePlugin(const QString& moduleFile = QStringLiteral("PmSample_4.01_14.tx"), bool copyModule = true)
    {
        ASSERT_TRUE(WriteFile(plugin(QStringLiteral("PmSample.xml")),
                              Description(QStringLiteral("PmSample"), QStringLiteral("1.0"),
                                          Details(QStringLiteral("18.0"),
                                                  QStringLiteral("<modules><module onLoad=\"true\">%1</module></modules>"
                                                                 "<userinterface><load>ui.xml</load></userinterface>")
                                                      .arg(moduleFile)))));
        if (copyModule) {
            QDir().mkpath(plugin(QStringLiteral("PmSample")));
            ASSERT_TRUE(QFile::copy(kTestModuleDir + QLatin1Char('/') + moduleFile,
                                    plugin(QStringLiteral("PmSample/") + moduleFile)))
                << moduleFile.toStdString();
        }
        ASSERT_TRUE(WriteFile(plugin(QStringLiteral("PmSample/english/ui.xml")), kUi));
    }

    static constexpr const char* kUi = R"(<group>
  <definitions>
    <definition id="ID_Hello" name="Hello" command="^C^C_PMSAMPLE" description="Says hello"/>
    <definition id="ID_Bye" name="Bye" command="_BYE"/>
  </definitions>
  <menus>
    <menu name="Sample" type="popup" base="ID_MnTools">
      <definition_ref UID="ID_Hello"/>
      <menu name="More"><definition_ref UID="ID_Bye"/><definition_ref UID="ID_Unknown"/></menu>
    </menu>
  </menus>
  <toolbars>
    <toolbar name="Sample Bar" orientation="vertical" dock_row="2" rows="1" def_x_location="10"
             def_y_location="20" on_by_default="true" movable="false">
      <definition_ref UID="ID_Hello"/>
    </toolbar>
  </toolbars>
</group>)";

    CTqAppStorePlugin manager;
};

TEST_F(ManagerTest, MissingOrEmptyPluginsFolderGivesNothing)
{
    EXPECT_TRUE(manager.Discover().empty());
    QDir().mkpath(pluginsFolder());
    EXPECT_TRUE(manager.Discover().empty());
    EXPECT_TRUE(manager.LogBook().Entries().empty());
}

TEST_F(ManagerTest, BadDescriptionsAreLoggedAndNeverStopTheOthers)
{
    WriteFile(plugin(QStringLiteral("a_broken.xml")), "<plugin><name>Broken</name>");
    WriteFile(plugin(QStringLiteral("b_empty.xml")), "");
    WriteFile(plugin(QStringLiteral("c_good.xml")), Description(QStringLiteral("Good"), QStringLiteral("1"), Details()));
    WriteFile(plugin(QStringLiteral("d_unreadable.xml")), "<plugin/>");
    QFile::setPermissions(plugin(QStringLiteral("d_unreadable.xml")), QFileDevice::Permissions{});
    WriteFile(plugin(QStringLiteral("e_other.txt")), "not a description");
    QDir().mkpath(plugin(QStringLiteral("f_folder.xml")));

    const bool asRoot = QFile(plugin(QStringLiteral("d_unreadable.xml"))).open(QIODevice::ReadOnly);
    std::vector<PluginRecord> records = manager.Discover();
    // The developer host keeps failed descriptions so that their errors can be looked at.
    ASSERT_EQ(records.size(), asRoot ? 4u : 3u);
    EXPECT_FALSE(records[0].readOk);
    EXPECT_FALSE(records[1].readOk);
    EXPECT_TRUE(records[2].readOk);
    EXPECT_EQ(records[2].name, QStringLiteral("Good"));
    EXPECT_EQ(records[2].folderName, QStringLiteral("c_good/"));
    EXPECT_EQ(manager.LogTextFor(records[0].index),
              QStringLiteral("[ERR] Failed to load configuration file '%1'.\n").arg(plugin(QStringLiteral("a_broken.xml"))));
    EXPECT_EQ(manager.LogTextFor(records[2].index),
              QStringLiteral("[WNG] Unable to read XML tag 'description'.\n"
                             "[WNG] Unable to read XML tag 'logo'.\n"
                             "[WNG] Unable to read XML tag 'appcasturl'.\n"
                             "[WNG] Unable to read XML tag 'settings'.\n"
                             "[WNG] Unable to read XML tag 'modules'.\n"
                             "[WNG] Unable to read XML tag 'userinterface'.\n"
                             "[MSG] Configuration file '%1' loaded.\n")
                  .arg(plugin(QStringLiteral("c_good.xml"))));
    if (!asRoot) {
        EXPECT_EQ(manager.LogTextFor(-1), QStringLiteral("[ERR] Unable to read configuration file '%1'.\n")
                                              .arg(plugin(QStringLiteral("d_unreadable.xml"))));
    }
}

TEST_F(ManagerTest, OtherHostsKeepOnlyReadDescriptionsAndDropXmlMessages)
{
    manager.SetMode(HostMode::Plain);
    WriteFile(plugin(QStringLiteral("a.xml")), "<plugin><name>Broken</name>");
    WriteFile(plugin(QStringLiteral("b.xml")), Description(QStringLiteral("Good"), QStringLiteral("1"), Details()));
    const std::vector<PluginRecord> records = manager.Discover();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, QStringLiteral("Good"));
    EXPECT_EQ(manager.LogTextFor(records[0].index),
              QStringLiteral("[MSG] Configuration file '%1' loaded.\n").arg(plugin(QStringLiteral("b.xml"))));
}

TEST_F(ManagerTest, MarketHostReadsOnlyProtectedDescriptions)
{
    manager.SetMode(HostMode::Hexbrook);
    const QByteArray xml = Description(QStringLiteral("Sealed"), QStringLiteral("2"), Details());
    WriteFile(plugin(QStringLiteral("sealed.plg")), CTqProtectedPluginCodec::Encode(xml));
    WriteFile(plugin(QStringLiteral("plain.plg")), xml);
    WriteFile(plugin(QStringLiteral("ignored.xml")), xml);
    const std::vector<PluginRecord> records = manager.Discover();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, QStringLiteral("Sealed"));
    EXPECT_EQ(manager.LogTextFor(-1), QStringLiteral("[ERR] Failed to load configuration file '%1'.\n")
                                          .arg(plugin(QStringLiteral("plain.plg"))));
}

TEST_F(ManagerTest, InitializationLogsFlagsAndSecondSightingIsNotNew)
{
    WriteFile(plugin(QStringLiteral("p.xml")), Description(QStringLiteral("Plain"), QStringLiteral("1"), Details()));
    manager.InitializePlugins();
    ASSERT_EQ(manager.Records().size(), 1u);
    const QString log = logOf(QStringLiteral("Plain"));
    EXPECT_TRUE(log.endsWith(QStringLiteral("[MSG] Initialize plugin Plain.\n"
                                            "[MSG]  Config successfully read: Yes\n"
                                            "[MSG]  Load on startup: No\n"
                                            "[MSG]  New: Yes\n"
                                            "[MSG]  Version matches: Yes\n")))
        << log.toStdString();
    EXPECT_EQ(setting(QStringLiteral("plg_Plain_new")), QStringLiteral("false"));

    CTqAppStorePlugin second;
    second.SetMode(HostMode::Workbench);
    second.InitializePlugins();
    ASSERT_EQ(second.Records().size(), 1u);
    EXPECT_FALSE(second.Records()[0].isNew);
    EXPECT_TRUE(second.LogTextFor(second.Records()[0].index).contains(QStringLiteral("[MSG]  New: No\n")));
}

TEST_F(ManagerTest, StartupFlagIsFalseUntilTheHostClosesNormally)
{
    addSamplePlugin();
    setSetting(QStringLiteral("plg_PmSample_sUp"), QStringLiteral("TRUE"));
    manager.InitializePlugins();
    PluginRecord* sample = find(QStringLiteral("PmSample"));
    ASSERT_NE(sample, nullptr);
    EXPECT_TRUE(sample->loadOnStartup);
    EXPECT_TRUE(sample->loaded) << manager.LogTextFor(sample->index).toStdString();
    EXPECT_NE(odedRegCmds()->lookupCmd(CTqString("PMSAMPLE")), nullptr) << "the real module ran its initApp";
    // A run that ends without closing leaves "false".
    EXPECT_EQ(setting(QStringLiteral("plg_PmSample_sUp")), QStringLiteral("false"));

    manager.StoreAllStartupFlags();
    EXPECT_EQ(setting(QStringLiteral("plg_PmSample_sUp")), QStringLiteral("true"));
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("PMSAMPLE")), nullptr) << "the plugin's command group is removed";

    manager.UnloadAll();
    EXPECT_FALSE(sample->loaded);
    EXPECT_FALSE(odrxDynamicLinker()->module(CTqString("PmSample.tx")));
}

TEST_F(ManagerTest, SettingsSurviveInTheSettingsFile)
{
    setSetting(QStringLiteral("plg_X_sUp"), QStringLiteral("true"));
    services().SetSettingsFolder(QString());
    EXPECT_EQ(setting(QStringLiteral("plg_X_sUp")), QStringLiteral("<absent>"));
    services().SetSettingsFolder(m_root.filePath(QStringLiteral("settings")));
    EXPECT_EQ(setting(QStringLiteral("plg_X_sUp")), QStringLiteral("true"));
}

TEST_F(ManagerTest, LoadingAndUnloadingARealModule)
{
    addSamplePlugin();
    manager.InitializePlugins();
    PluginRecord* sample = find(QStringLiteral("PmSample"));
    ASSERT_NE(sample, nullptr);
    EXPECT_FALSE(sample->loaded);

    ASSERT_TRUE(manager.EnablePlugin(*sample)) << manager.LogTextFor(sample->index).toStdString();
    EXPECT_TRUE(sample->loaded);
    EXPECT_NE(odedRegCmds()->lookupCmd(CTqString("PMSAMPLE")), nullptr);
    EXPECT_TRUE(CTqModuleSearchPath::DllDirectory().isEmpty()) << "the DLL directory is reset after loading";

    QString notice;
    EXPECT_TRUE(manager.DisablePlugin(*sample, &notice));
    EXPECT_TRUE(notice.isEmpty()) << "no LISP modules, no notice";
    EXPECT_FALSE(sample->loaded);
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("PMSAMPLE")), nullptr);
    EXPECT_EQ(setting(QStringLiteral("plg_PmSample_sUp")), QStringLiteral("false"));
}

TEST_F(ManagerTest, MissingModuleFailsThePluginAndKeepsItsStoredFlag)
{
    addSamplePlugin(QStringLiteral("PmSample_4.01_14.tx"), false);
    setSetting(QStringLiteral("plg_PmSample_sUp"), QStringLiteral("true"));
    manager.InitializePlugins();
    PluginRecord* sample = find(QStringLiteral("PmSample"));
    ASSERT_NE(sample, nullptr);
    EXPECT_TRUE(sample->failedToLoad);
    EXPECT_FALSE(sample->loadOnStartup);
    const QString log = logOf(QStringLiteral("PmSample"));
    EXPECT_TRUE(log.contains(QStringLiteral("[ERR] Module '%1' does not exists.\n[ERR] Plugin 'PmSample' failed to load.\n")
                                 .arg(plugin(QStringLiteral("PmSample/PmSample_4.01_14.tx")))))
        << log.toStdString();
    // Initialisation wrote "false"; the failure itself writes nothing.
    EXPECT_EQ(setting(QStringLiteral("plg_PmSample_sUp")), QStringLiteral("false"));
    EXPECT_FALSE(manager.EnablePlugin(*sample)) << "a failed plugin is not retried in this run";
}

TEST_F(ManagerTest, ModuleThatIsNoModuleFailsWithCode2)
{
    addSamplePlugin(QStringLiteral("PmBroken_4.01_14.tx"));
    manager.InitializePlugins();
    PluginRecord* sample = find(QStringLiteral("PmSample"));
    ASSERT_NE(sample, nullptr);
    EXPECT_FALSE(manager.EnablePlugin(*sample));
    EXPECT_TRUE(sample->failedToLoad);
    EXPECT_TRUE(logOf(QStringLiteral("PmSample"))
                    .contains(QStringLiteral("[ERR] Module 'PmBroken_4.01_14.tx' failed to load.\n"
                                             "[ERR] Plugin 'PmSample' failed to load.\n")));
}

TEST_F(ManagerTest, FailedDescriptionWithStartupFlagIsNotLoadedAndShowsItsMenusDisabled)
{
    addSamplePlugin();
    // Same plugin, but a core this host does not run.
    WriteFile(plugin(QStringLiteral("PmSample.xml")),
              Description(QStringLiteral("PmSample"), QStringLiteral("1.0"),
                          Details(QStringLiteral("19.0"), QStringLiteral("<modules><module onLoad=\"true\">"
                                                                         "PmSample_4.01_14.tx</module></modules>"
                                                                         "<userinterface><load>ui.xml</load>"
                                                                         "</userinterface>"))));
    setSetting(QStringLiteral("plg_PmSample_sUp"), QStringLiteral("true"));
    manager.InitializePlugins();
    PluginRecord* sample = find(QStringLiteral("PmSample"));
    ASSERT_NE(sample, nullptr);
    EXPECT_FALSE(sample->versionMatches);
    EXPECT_FALSE(sample->loaded);
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("PMSAMPLE")), nullptr);
    const std::vector<CTqUiMenu> menus = services().MenuManager()->Menus();
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_FALSE(menus[0].enabled);
}

TEST_F(ManagerTest, UserInterfaceFilesFillTheHostMenusAndFollowTheLoadState)
{
    addSamplePlugin();
    manager.InitializePlugins();
    PluginRecord* sample = find(QStringLiteral("PmSample"));
    ASSERT_NE(sample, nullptr);
    // The language folder "german" lacks the file: the "english" one is used.
    std::vector<CTqUiMenu> menus = services().MenuManager()->Menus();
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].owner, CTqString("PmSample"));
    EXPECT_EQ(menus[0].name, CTqString("Sample"));
    EXPECT_EQ(menus[0].base, CTqString("ID_MnTools"));
    EXPECT_FALSE(menus[0].enabled);
    ASSERT_EQ(menus[0].entries.size(), 2u);
    EXPECT_EQ(menus[0].entries[0].command, CTqString("^C^C_PMSAMPLE"));
    ASSERT_EQ(menus[0].entries[1].children.size(), 1u) << "the unknown reference is left out";
    const std::vector<CTqUiToolbar> toolbars = services().MenuManager()->Toolbars();
    ASSERT_EQ(toolbars.size(), 1u);
    EXPECT_EQ(toolbars[0].orientation, CTqString("vertical"));
    EXPECT_EQ(toolbars[0].dockRow, 2);
    EXPECT_EQ(toolbars[0].x, 10);
    EXPECT_EQ(toolbars[0].y, 20);
    EXPECT_TRUE(toolbars[0].onByDefault);
    EXPECT_FALSE(toolbars[0].movable);

    ASSERT_TRUE(manager.EnablePlugin(*sample));
    EXPECT_TRUE(services().MenuManager()->Menus()[0].enabled);
    EXPECT_TRUE(services().MenuManager()->Toolbars()[0].enabled);
    manager.StoreAllStartupFlags();
    EXPECT_FALSE(services().MenuManager()->Menus()[0].enabled) << "closing withdraws the plugins' menus";
}

TEST_F(ManagerTest, LanguageFolderComesFirstThenEnglishThenThePluginFolder)
{
    addSamplePlugin();
    WriteFile(plugin(QStringLiteral("PmSample/german/ui.xml")),
              "<group><menus><menu name=\"Beispiel\" base=\"ID_MnTools\"/></menus></group>");
    WriteFile(plugin(QStringLiteral("PmSample/ui.xml")),
              "<group><menus><menu name=\"Own\" base=\"ID_MnTools\"/></menus></group>");
    manager.InitializePlugins();
    ASSERT_EQ(services().MenuManager()->Menus().size(), 1u);
    EXPECT_EQ(services().MenuManager()->Menus()[0].name, CTqString("Beispiel"));

    QFile::remove(plugin(QStringLiteral("PmSample/german/ui.xml")));
    QFile::remove(plugin(QStringLiteral("PmSample/english/ui.xml")));
    manager.ApplyUserInterface(*find(QStringLiteral("PmSample")), true);
    ASSERT_EQ(services().MenuManager()->Menus().size(), 1u);
    EXPECT_EQ(services().MenuManager()->Menus()[0].name, CTqString("Own"));
}

TEST_F(ManagerTest, FileWithoutExactlyOneGroupIsIgnored)
{
    UiDefinitionFile file;
    EXPECT_FALSE(ParseUiDefinition("<menus/>", file));
    EXPECT_FALSE(ParseUiDefinition("<root><group/><group/></root>", file));
    EXPECT_FALSE(ParseUiDefinition("<group>", file));
    EXPECT_TRUE(ParseUiDefinition("<root><group/></root>", file));
}

TEST_F(ManagerTest, InitializationTakesTheOldExtensionEntryOutOfTheToolsMenu)
{
    auto toolsIds = [] {
        QStringList ids;
        for (const CTqHostMenu& menu : services().MenuManager()->HostMenus()) {
            if (menu.id == CTqString("ID_MnTools")) {
                for (const CTqUiEntry& entry : menu.entries)
                    ids << entry.id.toQString();
            }
        }
        return ids;
    };
    EXPECT_TRUE(toolsIds().contains(QStringLiteral("ID_MnZiRuvezidoRed")));
    manager.InitializePlugins();
    EXPECT_FALSE(toolsIds().contains(QStringLiteral("ID_MnZiRuvezidoRed")));
    EXPECT_TRUE(toolsIds().contains(QStringLiteral("ID_MnPluginManager")));
}

TEST_F(ManagerTest, MfcBridgeThatCannotLoadFailsThePlugin)
{
    WriteFile(plugin(QStringLiteral("m.xml")),
              Description(QStringLiteral("Bridge"), QStringLiteral("1"),
                          Details(QStringLiteral("18.0"), QStringLiteral("<settings><property name=\"MFC\" value=\"1\"/>"
                                                                         "</settings>"))));
    manager.InitializePlugins();
    PluginRecord* bridge = find(QStringLiteral("Bridge"));
    ASSERT_NE(bridge, nullptr);
    // This host has no bridge provider.
    EXPECT_FALSE(manager.EnablePlugin(*bridge));
    EXPECT_TRUE(bridge->failedToLoad);
    EXPECT_TRUE(logOf(QStringLiteral("Bridge")).endsWith(QStringLiteral("[ERR] Failed to load MFCUI.\n")));
}

TEST_F(ManagerTest, ReportShowsFlagsAndLogLines)
{
    WriteFile(plugin(QStringLiteral("p.xml")), Description(QStringLiteral("Plain"), QStringLiteral("3.1"), Details()));
    manager.InitializePlugins();
    const QString report = manager.PluginReport();
    EXPECT_TRUE(report.contains(QStringLiteral("Plain 3.1\n")));
    EXPECT_TRUE(report.contains(QStringLiteral("Read: Yes, Load on startup: No, New: Yes, Version matches: Yes, "
                                               "Failed to load: No, Loaded: No\n")));
    EXPECT_TRUE(report.contains(QStringLiteral("  [MSG] Initialize plugin Plain.\n")));
}

}  // namespace
