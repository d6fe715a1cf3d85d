// The module object: host modes, provider chains, the plugin command and what unloading
// takes back.
#include "module_test_support.h"

#include "host/CTqLispServices.h"
#include "host/TqStatus.h"
#include "host/framework/CTqSystemServicesImpl.h"
#include "host/lispservices/CTqWorkbenchLispServices.h"

#include <QFileInfo>

namespace {

class PreviousLispProvider final : public CTqLispProvider {
public:
    bool Initialize() override { return true; }
    void Exit() override {}
    CTqLISP* CreateLISP() override { return nullptr; }
    void DestroyLISP(CTqLISP*) override {}
};

class PreviousMFCUIProvider final : public CTqMFCUIProvider {
public:
    bool Load() override { return false; }
    void Unload() override {}
    void* Forward0(void*) override { return nullptr; }
    void* Forward1(void*) override { return nullptr; }
    void* Forward2(void*) override { return nullptr; }
    void* Forward3(void*) override { return nullptr; }
    void* Forward4(void*) override { return nullptr; }
    void* Forward5(void*) override { return nullptr; }
    void* Forward6(void*) override { return nullptr; }
    void* GetApp() override { return nullptr; }
};

// Installs stand-in chain heads and LISP services for one test and puts the host's own back
// afterwards.
class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        services = GetTqSystemServices();
        ASSERT_NE(services, nullptr);
        m_savedLisp = services->LispProvider();
        m_savedMfc = services->MFCUIProvider();
        m_savedLispServices = services->LispServices();
        services->SetLispProvider(&previousLisp);
        services->SetMFCUIProvider(&previousMfc);
        CTqSystemServicesImpl::Instance().SetLispServices(&m_lispServices);
    }
    void TearDown() override
    {
        if (!services)
            return;
        services->SetLispProvider(m_savedLisp);
        services->SetMFCUIProvider(m_savedMfc);
        CTqSystemServicesImpl::Instance().SetLispServices(m_savedLispServices);
        SetApplicationName(CTqString("Keltora Workbench"));
    }

    bool ProvidersReplaced() const
    {
        return services->LispProvider() != &previousLisp && services->MFCUIProvider() != &previousMfc;
    }
    bool ProvidersUntouched() const
    {
        return services->LispProvider() == &previousLisp && services->MFCUIProvider() == &previousMfc;
    }

    CTqSystemServices* services = nullptr;
    PreviousLispProvider previousLisp;
    PreviousMFCUIProvider previousMfc;

    CollectingConsole console;

private:
    CTqLispProvider* m_savedLisp = nullptr;
    CTqMFCUIProvider* m_savedMfc = nullptr;
    CTqLispServices* m_savedLispServices = nullptr;
    CTqWorkbenchLispServices m_lispServices{console};
};

struct HostCase {
    const char* applicationName;
    bool linksProviders;
};

class HostModeTest : public ModuleTest, public ::testing::WithParamInterface<HostCase> {};

TEST_P(HostModeTest, ProvidersLinkedOnlyForKnownHostsAndPluginCommandAlways)
{
    const HostCase& host = GetParam();
    {
        LoadedModule loaded{CTqString(host.applicationName)};
        ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();
        if (host.linksProviders)
            EXPECT_TRUE(ProvidersReplaced());
        else
            EXPECT_TRUE(ProvidersUntouched());
        EXPECT_NE(odedRegCmds()->lookupCmd(CTqString("_PLUGINS")), nullptr);
        EXPECT_TRUE(loaded.unload());
    }
    EXPECT_TRUE(ProvidersUntouched());
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("_PLUGINS")), nullptr);
}

INSTANTIATE_TEST_SUITE_P(ApplicationNames, HostModeTest,
                         ::testing::Values(HostCase{"Keltora Workbench", true}, HostCase{"kELTORA wORKBENCH", true},
                                           HostCase{"Hexbrook", true}, HostCase{"HEXBROOK Draft 7", true},
                                           HostCase{"Keltora Workbench 2", false}, HostCase{"Keltora", false},
                                           HostCase{"My Hexbrook", false}, HostCase{" Hexbrook", false},
                                           HostCase{"", false}));

TEST_F(ModuleTest, LinkedProvidersServeTheHost)
{
    LoadedModule loaded{CTqString("Keltora Workbench")};
    ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();

    CTqLispProvider* lispProvider = services->LispProvider();
    EXPECT_TRUE(lispProvider->Initialize());
    CTqLISP* engine = lispProvider->CreateLISP();
    ASSERT_NE(engine, nullptr);
    // An engine fresh from the provider is not started yet.
    EXPECT_EQ(engine->GetHostServices(), nullptr);
    lispProvider->DestroyLISP(engine);
    lispProvider->DestroyLISP(nullptr);

    // No bridge library exists here: every bridge call answers "none".
    CTqMFCUIProvider* mfcProvider = services->MFCUIProvider();
    EXPECT_FALSE(mfcProvider->Load());
    EXPECT_EQ(mfcProvider->GetApp(), nullptr);
    int argument = 0;
    EXPECT_EQ(mfcProvider->Forward0(&argument), nullptr);
    EXPECT_EQ(mfcProvider->Forward6(&argument), nullptr);
    mfcProvider->Unload();
}

TEST_F(ModuleTest, ModuleNameIsTheFullPathOfTheLibrary)
{
    LoadedModule loaded{CTqString("Keltora Workbench")};
    ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();
    const QString name = loaded.module->moduleName().toQString();
    EXPECT_TRUE(QFileInfo(name).isAbsolute()) << name.toStdString();
    EXPECT_EQ(QFileInfo(name).canonicalFilePath(), QFileInfo(QString::fromUtf8(kModulePath)).canonicalFilePath());
}

TEST_F(ModuleTest, ReactorsLeaveWithTheModule)
{
    OdRxModule* module = nullptr;
    {
        LoadedModule loaded{CTqString("Keltora Workbench")};
        ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();
        module = loaded.module;
        auto* reactor = dynamic_cast<OdEditorReactor*>(module);
        ASSERT_NE(reactor, nullptr);
        EXPECT_TRUE(odedEditor()->hasReactor(reactor));
        // Later editor events must not reach a module that is gone.
        EXPECT_TRUE(loaded.unload());
        EXPECT_FALSE(odedEditor()->hasReactor(reactor));
    }
    // Firing the events after the unload reaches no freed reactor (the sanitizer build checks).
    odedEditor()->fireMainFrameReady();
    odedEditor()->fireMainFrameClosing();
}

TEST_F(ModuleTest, PluginCommandNeedsUserIO)
{
    LoadedModule loaded{CTqString("Keltora Workbench")};
    ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();
    CTqCommand* command = odedRegCmds()->lookupCmd(CTqString("PLUGINS"));
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->globalName(), CTqString("_PLUGINS"));

    RecordingDocument document;
    TestCommandContext withoutUser(&document, nullptr);
    EXPECT_EQ(command->execute(&withoutUser), tq::kError);

    RecordingUserIO userIO;
    TestCommandContext withUser(&document, &userIO);
    EXPECT_EQ(command->execute(&withUser), tq::kNormal);
    EXPECT_EQ(userIO.printed.size(), 1u);
}

// A "C:" function defined in an engine of the module becomes a host command; running it runs
// the function; unloading the module takes every such command away.
TEST_F(ModuleTest, LispCommandsRunAndLeaveWithTheModule)
{
    LoadedModule loaded{CTqString("Keltora Workbench")};
    ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();
    CTqLispProvider* provider = services->LispProvider();
    CTqLISP* engine = provider->CreateLISP();
    ASSERT_NE(engine, nullptr);
    ASSERT_NE(services->LispServices(), nullptr);
    EXPECT_EQ(engine->Start(services->LispServices()), 0);

    EXPECT_EQ(engine->EvaluateText(CTqString("(defun c:modtest () (defun c:modtest-ran () 1))"), nullptr), 0);
    CTqCommand* command = odedRegCmds()->lookupCmd(CTqString("MODTEST"));
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->globalName(), CTqString("MODTEST"));
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("MODTEST-RAN")), nullptr);

    RecordingDocument document(engine);
    TestCommandContext context(&document, nullptr);
    EXPECT_EQ(command->execute(&context), tq::kNormal);
    EXPECT_NE(odedRegCmds()->lookupCmd(CTqString("MODTEST-RAN")), nullptr);
    ASSERT_EQ(document.pushed.size(), 1u);
    EXPECT_EQ(document.pushed[0], CTqString("(C:MODTEST) "));
    EXPECT_TRUE(document.CommandTokens().empty());

    EXPECT_EQ(engine->Close(), 0);
    provider->DestroyLISP(engine);
    EXPECT_TRUE(loaded.unload());
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("MODTEST")), nullptr);
    EXPECT_EQ(odedRegCmds()->lookupCmd(CTqString("MODTEST-RAN")), nullptr);
}

TEST_F(ModuleTest, LispCommandWithoutDocumentIsAnError)
{
    LoadedModule loaded{CTqString("Keltora Workbench")};
    ASSERT_NE(loaded.module, nullptr) << odrxDynamicLinker()->lastError().toUtf8();
    CTqLISP* engine = services->LispProvider()->CreateLISP();
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->Start(services->LispServices()), 0);
    EXPECT_EQ(engine->EvaluateText(CTqString("(defun c:nodoc () 1)"), nullptr), 0);
    CTqCommand* command = odedRegCmds()->lookupCmd(CTqString("NODOC"));
    ASSERT_NE(command, nullptr);
    TestCommandContext context(nullptr, nullptr);
    EXPECT_EQ(command->execute(&context), tq::kError);
    EXPECT_EQ(engine->Close(), 0);
    services->LispProvider()->DestroyLISP(engine);
}

}  // namespace
