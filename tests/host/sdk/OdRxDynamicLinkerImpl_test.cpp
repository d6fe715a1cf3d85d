// The dynamic linker: refusing what is not a module, and the order in which it drives a
// module and its reactors. The module cases load a stand-in through a loader that hands out
// functions of this test program instead of a library's exports.
#include "host/os/CTqLibraryLoader.h"
#include "host/sdk/OdRxDynamicLinkerImpl.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using EventLog = std::vector<std::string>;

// What the stand-in module's entry points record into; set by the fixture.
EventLog* g_log = nullptr;
int g_library = 0;  // its address is the stand-in library handle

class StandInModule : public OdRxModule {
public:
    void deleteModuleObject() override;
    void initApp() override { g_log->push_back("initApp"); }
    void uninitApp() override { g_log->push_back("uninitApp"); }
    CTqString moduleName() const override { return CTqString("stand-in"); }
};
using StandIn = OdRxWin32Module<StandInModule, StandInModule>;
StandIn* g_module = nullptr;

void StandInModule::deleteModuleObject()
{
    g_log->push_back("deleteModuleObject");
    delete g_module;
    g_module = nullptr;
}

extern "C" OdRxModule* standInCreate(void** handle)
{
    if (!g_module) {
        g_module = new StandIn(*handle);
        *handle = nullptr;
    }
    return g_module;
}

extern "C" void standInVersion(int* major, int* minor, int* majorBuild, int* minorBuild)
{
    *major = 4;
    *minor = 1;
    *majorBuild = 1;
    *minorBuild = 84274;
}

class StandInLoader final : public CTqLibraryLoader {
public:
    bool exportsCreate = true;

    QString Locate(const QString& fileName) override
    {
        return fileName == QLatin1String("standin.tx") || fileName == QLatin1String("/modules/standin.tx")
                   ? QStringLiteral("/modules/standin.tx")
                   : QString();
    }
    void* Open(const QString& path, QString& error) override
    {
        g_log->push_back("open " + path.toStdString());
        return &g_library;
    }
    void* Symbol(void* handle, const char* name) override
    {
        if (std::strcmp(name, "odrxCreateModuleObject") == 0 && exportsCreate)
            return reinterpret_cast<void*>(&standInCreate);
        if (std::strcmp(name, "odrxGetAPIVersion") == 0)
            return reinterpret_cast<void*>(&standInVersion);
        return nullptr;
    }
    void Close(void* handle) override { g_log->push_back(handle == &g_library ? "close" : "close unknown handle"); }
};

class LoggingReactor : public OdRxDLinkerReactor {
public:
    LoggingReactor(std::string name, OdRxDynamicLinker& linker) : m_name(std::move(name)), m_linker(linker) {}
    void rxAppLoaded(OdRxModule* module) override { g_log->push_back(m_name + " rxAppLoaded"); }
    void rxAppWillBeUnloaded(OdRxModule* module) override
    {
        g_log->push_back(m_name + " rxAppWillBeUnloaded");
        if (removeOthers)
            m_linker.removeReactor(removeOthers);
    }
    OdRxDLinkerReactor* removeOthers = nullptr;

private:
    std::string m_name;
    OdRxDynamicLinker& m_linker;
};

class StandInLinking : public ::testing::Test {
protected:
    void SetUp() override { g_log = &log; }
    void TearDown() override
    {
        linker.unloadAll();
        g_log = nullptr;
    }

    EventLog log;
    StandInLoader loader;
    OdRxDynamicLinkerImpl linker{loader};
};

}  // namespace

TEST_F(StandInLinking, LoadCreatesTheModuleWithTheHandleAndInitialisesItOnce)
{
    OdRxModule* module = linker.loadModule(CTqString("standin.tx"), true);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->sysData(), &g_library);
    EXPECT_EQ(g_module->referenceCount(), 1u);

    EXPECT_EQ(linker.loadModule(CTqString("standin.tx")), module);
    EXPECT_EQ(linker.loadModule(CTqString("/modules/standin.tx")), module);
    EXPECT_EQ(linker.module(CTqString("standin.tx")), module);
    EXPECT_EQ(linker.loadedModules(), QStringList{QStringLiteral("/modules/standin.tx")});
    EXPECT_EQ(log, (EventLog{"open /modules/standin.tx", "initApp"}));

    int version[4] = {};
    ASSERT_TRUE(linker.apiVersion(CTqString("standin.tx"), version));
    EXPECT_EQ(version[0], 4);
    EXPECT_EQ(version[3], 84274);
}

TEST_F(StandInLinking, UnloadRunsUninitAppThenReactorsThenDeletesAndCloses)
{
    LoggingReactor reactor("reactor", linker);
    linker.addReactor(&reactor);
    ASSERT_NE(linker.loadModule(CTqString("standin.tx"), true), nullptr);
    EXPECT_TRUE(linker.unloadModule(CTqString("standin.tx")));
    linker.removeReactor(&reactor);

    EXPECT_EQ(log, (EventLog{"open /modules/standin.tx", "initApp", "reactor rxAppLoaded", "uninitApp",
                             "reactor rxAppWillBeUnloaded", "deleteModuleObject", "close"}));
    EXPECT_EQ(linker.module(CTqString("standin.tx")), nullptr);
    EXPECT_TRUE(linker.loadedModules().isEmpty());
    EXPECT_FALSE(linker.unloadModule(CTqString("standin.tx")));
}

TEST_F(StandInLinking, ReactorRemovedWhileTheModuleGoesIsNotTold)
{
    LoggingReactor first("first", linker);
    LoggingReactor second("second", linker);
    first.removeOthers = &second;
    linker.addReactor(&first);
    linker.addReactor(&second);
    ASSERT_NE(linker.loadModule(CTqString("standin.tx"), true), nullptr);
    log.clear();

    linker.unloadAll();
    linker.removeReactor(&first);
    EXPECT_EQ(log, (EventLog{"uninitApp", "first rxAppWillBeUnloaded", "deleteModuleObject", "close"}));
}

TEST_F(StandInLinking, LibraryWithoutTheCreateExportIsClosedAgain)
{
    loader.exportsCreate = false;
    EXPECT_EQ(linker.loadModule(CTqString("standin.tx"), true), nullptr);
    EXPECT_TRUE(linker.lastError().toQString().contains(QLatin1String("odrxCreateModuleObject")))
        << linker.lastError().toUtf8();
    EXPECT_EQ(log, (EventLog{"open /modules/standin.tx", "close"}));
    EXPECT_TRUE(linker.loadedModules().isEmpty());
}

TEST(OdRxDynamicLinkerImpl, MissingFileFailsNamingTheFile)
{
    CTqLibraryLoader loader;
    OdRxDynamicLinkerImpl linker(loader);
    EXPECT_EQ(linker.loadModule(CTqString("no_such_module.tx"), true), nullptr);
    EXPECT_EQ(linker.lastError().toQString(), QStringLiteral("Module \"no_such_module.tx\" not found."));
    EXPECT_EQ(linker.loadModule(CTqString("/no/such/folder/m.tx"), true), nullptr);
    EXPECT_EQ(linker.lastError().toQString(), QStringLiteral("Module \"/no/such/folder/m.tx\" not found."));
}

TEST(OdRxDynamicLinkerImpl, FileThatIsNotALibraryFailsWithTheLoadersReason)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("text.tx"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a library\n");
    }
    CTqLibraryLoader loader;
    OdRxDynamicLinkerImpl linker(loader);
    EXPECT_EQ(linker.loadModule(CTqString(path), true), nullptr);
    const QString error = linker.lastError().toQString();
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot load module \"%1\": ").arg(path))) << error.toStdString();
}

TEST(OdRxDynamicLinkerImpl, LibraryThatIsNoModuleIsRefused)
{
    // The host library itself is a real shared library without the module entry points.
    CTqLibraryLoader loader;
    OdRxDynamicLinkerImpl linker(loader);
    EXPECT_EQ(linker.loadModule(CTqString(KELTORA_BIN_DIR "/libtqhost.so"), true), nullptr);
    EXPECT_TRUE(linker.lastError().toQString().endsWith(QLatin1String("is not a module: it does not export odrxCreateModuleObject.")))
        << linker.lastError().toUtf8();
    EXPECT_TRUE(linker.loadedModules().isEmpty());
}
