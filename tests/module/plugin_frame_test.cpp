// The module frame drives the plugin manager: the main-frame events, new documents, the plugin
// manager command with and without a window, and unloading.
#include "module_test_support.h"

#include "host/CTqLispServices.h"
#include "host/TqStatus.h"
#include "host/framework/CTqSystemServicesImpl.h"
#include "host/lispservices/CTqWorkbenchLispServices.h"

#include "support/modal_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

namespace {

bool Write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

class PluginFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        system().SetApplicationFolder(root.filePath(QStringLiteral("bin")));
        system().SetSettingsFolder(root.filePath(QStringLiteral("settings")));
        system().SetCoreVersion(18, 0);
        m_savedServices = system().LispServices();
        system().SetLispServices(&lispServices);
        ASSERT_TRUE(Write(root.filePath(QStringLiteral("Plugins/Hello.xml")),
                          "<plugin><name>Hello</name><version>1.0</version><details><core>18.0</core><guid>g</guid>"
                          "<modules><module onLoad=\"true\">hello.lsp</module></modules>"
                          "<userinterface><load>hello.xml</load></userinterface></details></plugin>"));
        ASSERT_TRUE(Write(root.filePath(QStringLiteral("Plugins/Hello/hello.lsp")), "(defun hello-ready () 42)\n"));
        ASSERT_TRUE(Write(root.filePath(QStringLiteral("Plugins/Hello/english/hello.xml")),
                          "<group><definitions><definition id=\"H\" name=\"Hello\" command=\"(hello-ready)\"/>"
                          "</definitions><menus><menu name=\"Hello\" base=\"ID_MnTools\"><definition_ref UID=\"H\"/>"
                          "</menu></menus></group>"));
    }
    void TearDown() override
    {
        system().SetCurrentDocument(nullptr);
        system().SetLispServices(m_savedServices);
        system().SetApplicationFolder(QString());
        system().SetSettingsFolder(QString());
        system().SetMainWindow(nullptr);
        system().Menus().Reset();
    }
    static CTqSystemServicesImpl& system() { return CTqSystemServicesImpl::Instance(); }
    QString setting(const char* key)
    {
        CTqString value;
        return system().GetSettingString(CTqString("appstore"), CTqString(key), value) ? value.toQString()
                                                                                         : QStringLiteral("<absent>");
    }
    QString report() const
    {
        const CTqPluginReportSource* source = system().PluginReportSource();
        return source ? source->PluginReport().toQString() : QStringLiteral("<no report>");
    }

    QTemporaryDir root;
    CollectingConsole console;
    CTqWorkbenchLispServices lispServices{console};

private:
    CTqLispServices* m_savedServices = nullptr;
};

TEST_F(PluginFrameTest, MainFrameEventsDocumentsAndClosing)
{
    system().SetSettingString(CTqString("appstore"), CTqString("plg_Hello_sUp"), CTqString("true"));
    LoadedModule loaded{CTqString("Keltora Workbench")};
    ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();
    CTqLispProvider* provider = system().LispProvider();
    CTqLISP* engine = provider->CreateLISP();
    ASSERT_NE(engine, nullptr);
    ASSERT_EQ(engine->Start(&lispServices), 0);
    RecordingDocument document(engine);
    system().SetCurrentDocument(&document);

    odedEditor()->fireMainFrameReady();
    EXPECT_TRUE(report().contains(QStringLiteral("Hello 1.0"))) << report().toStdString();
    EXPECT_EQ(setting("plg_Hello_sUp"), QStringLiteral("false")) << "until the host closes normally";
    EXPECT_NE(engine->EvaluateText(CTqString("(hello-ready)"), nullptr), 0) << "LISP modules wait for a document";

    odedEditor()->fireDocumentCreated(&document);
    EXPECT_EQ(engine->EvaluateText(CTqString("(hello-ready)"), nullptr), 0) << console.output.toStdString();
    ASSERT_EQ(system().MenuManager()->Menus().size(), 1u);
    EXPECT_TRUE(system().MenuManager()->Menus()[0].enabled);

    odedEditor()->fireMainFrameClosing();
    EXPECT_EQ(setting("plg_Hello_sUp"), QStringLiteral("true"));
    EXPECT_FALSE(system().MenuManager()->Menus()[0].enabled) << "closing withdraws the plugin's menus";

    EXPECT_EQ(engine->Close(), 0);
    provider->DestroyLISP(engine);
    EXPECT_TRUE(loaded.unload());
    EXPECT_TRUE(system().MenuManager()->Menus().empty()) << "unloading takes the plugin menus away";
    EXPECT_EQ(system().PluginReportSource(), nullptr);
    EXPECT_EQ(setting("plg_Hello_sUp"), QStringLiteral("true")) << "unloading keeps the stored flag";
}

TEST_F(PluginFrameTest, PluginCommandOpensTheDialogModallyWithAWindow)
{
    LoadedModule loaded{CTqString("Keltora Workbench")};
    ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();
    odedEditor()->fireMainFrameReady();
    QWidget window;
    system().SetMainWindow(&window);

    SeenDialog seen;
    CloseModalDialogSoon(seen);
    CTqCommand* command = odedRegCmds()->lookupCmd(CTqString("_PLUGINS"));
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->helpId(), 3061);
    RecordingUserIO userIO;
    TestCommandContext context(nullptr, &userIO);
    EXPECT_EQ(command->execute(&context), tq::kNormal);
    EXPECT_EQ(seen.title, QStringLiteral("Plugin Manager"));
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.parent, &window);
    EXPECT_TRUE(userIO.printed.empty());

    TestCommandContext withoutUser(nullptr, nullptr);
    EXPECT_EQ(command->execute(&withoutUser), tq::kError);
}

TEST_F(PluginFrameTest, PluginCommandWithoutADisplayPrintsTheReport)
{
    LoadedModule loaded{CTqString("Keltora Workbench")};
    ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();
    odedEditor()->fireMainFrameReady();
    CTqCommand* command = odedRegCmds()->lookupCmd(CTqString("PLUGINS"));
    ASSERT_NE(command, nullptr);
    RecordingUserIO userIO;
    TestCommandContext context(nullptr, &userIO);
    EXPECT_EQ(command->execute(&context), tq::kNormal);
    ASSERT_EQ(userIO.printed.size(), 1u);
    EXPECT_TRUE(userIO.printed[0].toQString().contains(QStringLiteral("[MSG] Initialize plugin Hello.")));
}

}  // namespace
