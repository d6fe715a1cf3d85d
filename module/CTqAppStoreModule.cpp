// The module object and its registration with the host.
#include "module/CTqAppStoreModule.h"

#include "host/CTqSystemServices.h"
#include "lisp/core/lisp_commands.h"
#include "pluginmanager/CTqAppStorePlugin.h"
#include "pluginmanager/plugin_dialogs.h"

#include <QFileInfo>

#include <dlfcn.h>
#include <new>

namespace {

using ConcreteModule = OdRxWin32Module<CTqAppStoreModule, CTqAppStoreModule>;

// The single module object of this load of the library.
ConcreteModule*& Instance()
{
    static ConcreteModule* instance = nullptr;
    return instance;
}

}  // namespace

OdRxModule* CTqAppStoreModule::CreateInstance(void** handleLocation)
{
    ConcreteModule*& instance = Instance();
    if (instance)
        return instance;
    void* memory = odrxAlloc(sizeof(ConcreteModule));
    if (!memory)
        throw std::bad_alloc();
    instance = new (memory) ConcreteModule(handleLocation ? *handleLocation : nullptr);
    if (handleLocation)
        *handleLocation = nullptr;
    return instance;
}

CTqAppStoreModule::~CTqAppStoreModule()
{
    // A linker that skips the unload event must not keep pointers to a destroyed reactor.
    RemoveReactors();
}

void CTqAppStoreModule::deleteModuleObject()
{
    ConcreteModule*& instance = Instance();
    if (instance != this)
        return;
    ConcreteModule* object = instance;
    instance = nullptr;
    object->~ConcreteModule();
    odrxFree(object);
}

void CTqAppStoreModule::initApp()
{
    const CTqResources* resources = GetTqResources();
    m_hostMode = resources ? HostModeForApplication(resources->GetApplicationName()) : HostMode::Plain;
    SetHostMode(m_hostMode);
    CTqAppStorePlugin::Instance().SetMode(m_hostMode);

    if (OdEditor* editor = odedEditor()) {
        editor->addReactor(this);
        m_editorReactorAdded = true;
    }
    if (OdRxDynamicLinker* linker = odrxDynamicLinker()) {
        linker->addReactor(this);
        m_linkerReactorAdded = true;
    }

    CTqSystemServices* services = GetTqSystemServices();
    if (m_hostMode != HostMode::Plain && services) {
        m_lispProvider.SetPrevious(services->LispProvider());
        services->SetLispProvider(&m_lispProvider);
        m_mfcProvider.SetPrevious(services->MFCUIProvider());
        services->SetMFCUIProvider(&m_mfcProvider);
    }

    if (OdEdCommandStack* commands = odedRegCmds())
        commands->addCommand(&m_pluginCommand);
    if (services)
        services->SetPluginReportSource(&CTqAppStorePlugin::Instance());
}

void CTqAppStoreModule::uninitApp()
{
    CTqAppStorePlugin::Instance().UnloadAll();
    if (OdEdCommandStack* commands = odedRegCmds())
        commands->removeCmd(m_pluginCommand.groupName(), m_pluginCommand.globalName());
    RemoveAllLispCommands();

    CTqSystemServices* services = GetTqSystemServices();
    if (m_hostMode != HostMode::Plain && services) {
        services->SetLispProvider(m_lispProvider.Previous());
        services->SetMFCUIProvider(m_mfcProvider.Previous());
    }
    if (services && services->PluginReportSource() == &CTqAppStorePlugin::Instance())
        services->SetPluginReportSource(nullptr);
    // The manager is a Qt object of this library: it goes before the library does.
    CTqAppStorePlugin::DestroyInstance();
    // The dialogs library links this one and would keep it loaded.
    plugin_dialogs::Release();
}

void CTqAppStoreModule::mainFrameReady()
{
    CTqAppStorePlugin::Instance().InitializePlugins();
}

void CTqAppStoreModule::mainFrameClosing()
{
    CTqAppStorePlugin::Instance().StoreAllStartupFlags();
}

void CTqAppStoreModule::documentCreated(CTqDocument* document)
{
    CTqAppStorePlugin::Instance().OnDocumentCreated(document);
}

CTqString CTqAppStoreModule::moduleName() const
{
    Dl_info info{};
    // Any address inside the library names its file; the instance slot is one.
    if (dladdr(&Instance(), &info) == 0 || !info.dli_fname)
        return CTqString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

void CTqAppStoreModule::rxAppWillBeUnloaded(OdRxModule* module)
{
    // Other modules come and go while this one keeps listening.
    if (module == this)
        RemoveReactors();
}

void CTqAppStoreModule::RemoveReactors()
{
    if (m_linkerReactorAdded) {
        if (OdRxDynamicLinker* linker = odrxDynamicLinker())
            linker->removeReactor(this);
        m_linkerReactorAdded = false;
    }
    if (m_editorReactorAdded) {
        if (OdEditor* editor = odedEditor())
            editor->removeReactor(this);
        m_editorReactorAdded = false;
    }
}
