// The workbench as a plugin host: the application folder option, the commands that show menus,
// toolbars and plugin records without a display, and sealing protected descriptions.
#include "workbench/plugin_options.h"
#include "workbench/session.h"

#include "host/framework/scripted_host_console.h"
#include "host/os/CTqProtectedPluginCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool Write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

class PluginHostSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(Write(root.filePath(QStringLiteral("Plugins/Draw.xml")),
                          "<plugin><name>Draw</name><version>2.1</version><details><core>18.0</core><guid>g</guid>"
                          "<modules><module onLoad=\"true\">draw.lsp</module><module onLoad=\"true\">"
                          "Missing_4.01_14.tx</module></modules>"
                          "<userinterface><load>draw.xml</load></userinterface></details></plugin>"));
        ASSERT_TRUE(Write(root.filePath(QStringLiteral("Plugins/Draw/draw.lsp")), "(defun draw-ready () 1)\n"));
        ASSERT_TRUE(Write(root.filePath(QStringLiteral("Plugins/Draw/english/draw.xml")),
                          "<group><definitions><definition id=\"D\" name=\"Draw Box\" command=\"^C^C_DRAWBOX\"/>"
                          "</definitions><menus><menu name=\"Draw\" base=\"ID_MnTools\"><definition_ref UID=\"D\"/>"
                          "</menu></menus><toolbars><toolbar name=\"Draw Bar\"><definition_ref UID=\"D\"/></toolbar>"
                          "</toolbars></group>"));
    }
    bool open(const QString& coreVersion = QStringLiteral("18.0"))
    {
        WorkbenchOptions options;
        options.batch = true;
        options.applicationFolder = root.filePath(QStringLiteral("bin"));
        options.settingsFolder = root.filePath(QStringLiteral("settings"));
        options.coreMajor = coreVersion.section(QLatin1Char('.'), 0, 0).toInt();
        options.coreMinor = coreVersion.section(QLatin1Char('.'), 1, 1).toInt();
        session = std::make_unique<WorkbenchSession>(std::move(options), console);
        QString error;
        const bool opened = session->Open(error);
        EXPECT_TRUE(opened) << error.toStdString();
        console.TakeOutput();
        return opened;
    }
    QString run(const char* line)
    {
        session->RunCommandLine(QString::fromUtf8(line));
        return console.TakeOutput();
    }

    QTemporaryDir root;
    ScriptedHostConsole console;
    std::unique_ptr<WorkbenchSession> session;
};

TEST_F(PluginHostSession, MenusCommandListsMenusAndToolbarsWithTheirState)
{
    ASSERT_TRUE(open());
    const QString menus = run("MENUS");
    EXPECT_TRUE(menus.contains(QStringLiteral("Menu \"Tools\" (ID_MnTools) [enabled]\n"
                                              "  Plugin Manager... [enabled] _PLUGINS\n")))
        << menus.toStdString();
    EXPECT_FALSE(menus.contains(QStringLiteral("placeholder"))) << "the plugin manager removed the old entry";
    EXPECT_TRUE(menus.contains(QStringLiteral("Menu \"Draw\" of Draw, in ID_MnTools [disabled]\n"
                                              "  Draw Box [disabled] ^C^C_DRAWBOX\n")));
    EXPECT_TRUE(menus.contains(QStringLiteral("Toolbar \"Draw Bar\" of Draw [disabled]\n")));
}

TEST_F(PluginHostSession, PluginReportShowsFlagsAndTheLogAsTheDialogDoes)
{
    ASSERT_TRUE(Write(root.filePath(QStringLiteral("settings/settings.json")),
                      "{\"appstore\": {\"plg_Draw_sUp\": \"true\", \"plg_Draw_new\": \"false\"}}"));
    ASSERT_TRUE(open());
    const QString report = run("PLUGINREPORT");
    EXPECT_TRUE(report.contains(QStringLiteral("Plugin 1: Draw 2.1\n"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Read: Yes, Load on startup: No, New: No, Version matches: Yes, "
                                               "Failed to load: Yes, Loaded: No\n")));
    EXPECT_TRUE(report.contains(QStringLiteral("  [MSG]  Load on startup: Yes\n")));
    EXPECT_TRUE(report.contains(QStringLiteral("  [ERR] Plugin 'Draw' failed to load.\n")));
    // The plugin manager command has no dialog to show here and prints the same report.
    EXPECT_EQ(run("PLUGINS"), report);
}

TEST_F(PluginHostSession, VersionMismatchIsReported)
{
    ASSERT_TRUE(open(QStringLiteral("19.0")));
    EXPECT_TRUE(run("PLUGINREPORT").contains(QStringLiteral("Version matches: No")));
}

TEST(PluginOptionsTest, ProtectPluginFileSealsWhatTheHostOpens)
{
    QTemporaryDir folder;
    const QString input = folder.filePath(QStringLiteral("p.xml"));
    const QString output = folder.filePath(QStringLiteral("p.plg"));
    const QByteArray xml = "<plugin><name>P</name></plugin>";
    ASSERT_TRUE(Write(input, xml));
    QString error;
    ASSERT_TRUE(PluginOptions::ProtectPluginFile(input, output, error)) << error.toStdString();
    QFile sealed(output);
    ASSERT_TRUE(sealed.open(QIODevice::ReadOnly));
    const QByteArray content = sealed.readAll();
    EXPECT_FALSE(content.contains("plugin")) << "the text is hidden";
    QByteArray opened;
    ASSERT_TRUE(CTqProtectedPluginCodec::Decode(content, opened));
    EXPECT_EQ(opened, xml);

    QByteArray damaged = content;
    damaged[damaged.size() - 1] = char(damaged[damaged.size() - 1] ^ 1);
    EXPECT_FALSE(CTqProtectedPluginCodec::Decode(damaged, opened));
    EXPECT_FALSE(PluginOptions::ProtectPluginFile(folder.filePath(QStringLiteral("none.xml")), output, error));
}

}  // namespace
